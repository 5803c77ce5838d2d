#pragma once
// TSkinButton: push buttons drawn from the skin's Button faces (1 normal,
// 2 pressed, 3 disabled, 4 hot, 5 focused or default) with the caption on
// top. The skinner keeps the press to itself: the system button never sees
// the left button or Space go down, so a press released outside the button
// (which ends in WM_MOUSELEAVE) clicks nothing, and Space only shows the
// pressed face. A release over the button after a press clicks it: the
// toolkit control's Click, or WM_COMMAND to the parent for a bare window.
#include "skin/paint/win32/SkinButtonParts.h"
#include "skin/paint/win32/Winsubclass.h"

namespace relayon::skin {

class TSkinButton : public TSkinControl {
public:
    explicit TSkinButton(TComponent* AOwner);

    void Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) override;
    bool BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC dc, const RECT& rc) override;

    // The caption block (see DrawButtonCaption), with the focus rectangle of
    // a focused button unless the skin data's options turn it off.
    void DrawBtnText(HDC dc, const RECT& rc, const std::wstring& text, UINT alignment);
    void DoMouseDown(TMessage& Message);

    ButtonCanvas btemp;
    bool MultiLine = false;
    bool trans = false;
    bool redraw = false;
    bool isdefault = false;

protected:
    bool IsEnabledNow();
    // Background (parent image or button face) and face `face` into btemp
    // sized to rc; null when there is nothing to draw.
    HDC PrepareFace(const RECT& rc, int face, bool drawFace = true);
    // Selects the control's font and the caption colour for `face` into dc.
    void ApplyTextStyle(HDC dc, int face, bool enabledNow);

private:
    void OnLeftUp();
    void OnMouseMove();
    void OnMouseLeave();
    void OnSpace(bool down);
};

}  // namespace relayon::skin
