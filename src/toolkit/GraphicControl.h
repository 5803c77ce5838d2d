#pragma once
// Controls without a window: the parent paints them by sending WM_PAINT with
// its DC (origin moved to the control, clipped to it) through WindowProc,
// and forwards mouse messages in the control's own coordinates.
#include "toolkit/Canvas.h"
#include "toolkit/Control.h"

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);

    void WndProc(TMessage& message) override;
    // The DC being painted (valid only inside Paint).
    HDC PaintDC() const { return paintDC_; }
    // Drawing surface bound to the paint DC while Paint runs (with the
    // control's font); outside code may bind it to a DC of its own.
    TCanvas& Canvas() { return canvas_; }

protected:
    // Draws the control into dc at (0,0)-(Width,Height).
    virtual void Paint(HDC dc) {}

private:
    HDC paintDC_ = nullptr;
    TCanvas canvas_;
};
