#pragma once
// TSkinEdit: edits (and date-time pickers shown with an up-down) keep their
// text, caret and non-client area; the skinner draws a flat frame over the
// sunken border (the scheme's button shadow outside, white inside). An
// up-down control found inside the edit gets its own skinner, started by name.
#include <windows.h>

#include "skin/paint/win32/Winskinform.h"
#include "skin/paint/win32/Winsubclass.h"

namespace relayon::skin {

// Asks an edit skinner to paint the edit's client area into the DC in
// wParam; lParam must be SkinSignature (Winskinform.h), which is also the answer.
constexpr UINT CN_SkinPaintClient = 0xBC4A;

class TSkinEdit : public TSkinControl {
public:
    explicit TSkinEdit(TComponent* AOwner);

    bool BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC dc, const RECT& rc) override;
    // The frame of a printed edit (WM_PRINT) into `dc`, or the window DC.
    void PaintControl1(HDC dc);
    void DrawControl1(HDC dc, const RECT& rc);
    void FindUPDown(HWND h, TSkinData* sd, TCanvas* canvas);

    TSkinControl* updown = nullptr;

private:
    HWND upDownTried_ = nullptr;  // the child last offered to the up-down skinners
};

}  // namespace relayon::skin
