#pragma once
// A windowed control the toolkit paints itself (own window class):
// Paint(dc) draws it, then its graphic children are painted.
#include "toolkit/Canvas.h"
#include "toolkit/WinControl.h"

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}
    // Drawing surface bound to the paint DC while Paint runs.
    TCanvas& Canvas() { return canvas_; }

protected:
    void PaintWindow(HDC dc) override {
        canvas_.SetHandle(dc);
        canvas_.Font().Assign(Font());
        Paint(dc);
        canvas_.SetHandle(nullptr);
    }
    virtual void Paint(HDC dc) {}

private:
    TCanvas canvas_;
};
