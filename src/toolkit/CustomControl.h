#pragma once
// A windowed control the toolkit paints itself (own window class):
// Paint(dc) draws it, then its graphic children are painted.
#include "toolkit/WinControl.h"

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}

protected:
    void PaintWindow(HDC dc) override { Paint(dc); }
    virtual void Paint(HDC dc) {}
};
