#pragma once
// TSkinSpeedButton: windowless speed buttons. The skinner sits in the
// control's WindowProc and paints it, on the DC its parent hands over, from
// the skin's faces: a latched Down shows pressed, a flat button shows a face
// only while hot or pressed. The button keeps its own click handling; the
// skinner only follows the mouse for the picture.
#include "skin/paint/win32/SkinBitButton.h"

class TGraphicControl;

namespace relayon::skin {

class TSkinSpeedButton : public TSkinBitButton {
public:
    explicit TSkinSpeedButton(TComponent* AOwner);
    ~TSkinSpeedButton() override;

    // Takes over the graphic control that owns this skinner.
    void InitGraphicControl(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas);
    bool BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC dc, const RECT& rc) override;
    void Unsubclass() override;

    void DrawSpeedbtn(HDC dc, const RECT& rc);
    void DrawPicbtn(HDC dc, const RECT& rc);
    void WMPaintSpeed(TMessage& Message);

    bool FReentr = false;
    TCanvas* gcanvas = nullptr;

private:
    void Repaint();
};

}  // namespace relayon::skin
