#pragma once
// TSkinScrollbarH: the bars of a window the toolkit does not own (the list
// of a simple combo box): two overlays, the window subclassed through a
// thunk. TSkinScControl: a toolkit TScrollBar covered whole by one overlay
// that stretches the skin's bar over it.
#include "skin/paint/win32/SkinScrollOverlay.h"
#include "skin/paint/win32/Winsubclass.h"

namespace relayon::skin {

class TSkinScrollbarH : public TSkinControl {
public:
    explicit TSkinScrollbarH(TComponent* AOwner);
    ~TSkinScrollbarH() override;

    void Inithwnd(HWND ahwnd, TSkinData* sd, TCanvas* acanvas, TWinSkinForm* sf) override;
    void Unsubclass() override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC dc, const RECT& rc) override;
    void SetScrollbarPos();

    TWScrollbar* hb = nullptr;  // owned (components of this skinner)
    TWScrollbar* vb = nullptr;
};

class TSkinScControl : public TSkinControl {
public:
    explicit TSkinScControl(TComponent* AOwner);
    ~TSkinScControl() override;

    void InitScrollbar(TWinControl* acontrol, TSkinData* sd, TCanvas* acanvas, TWinSkinForm* sf);
    void Unsubclass() override;
    bool BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC dc, const RECT& rc) override;

    TWScrollbar* sb = nullptr;  // owned

private:
    void Place();
    bool recreating_ = false;
};

}  // namespace relayon::skin
