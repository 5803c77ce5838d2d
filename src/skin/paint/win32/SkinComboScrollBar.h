#pragma once
// TComboxScrollBar: the vertical bar of a combo box's drop-down list,
// painted straight into the list window's non-client area (a drop-down list
// is a top-level pop-up, so no sibling overlay can cover it). The thumb is
// dragged by the skinner itself; arrows and track keep the system's
// handling.
#include "skin/paint/win32/Winsubclass.h"

namespace relayon::skin {

class TComboxScrollBar : public TSkinControl {
public:
    explicit TComboxScrollBar(TComponent* AOwner);

    void Unsubclass() override;
    bool BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC dc, const RECT& rc) override;

    void PaintScrollbar(HDC dc, const RECT& rect, bool vertical);
    // Drags the thumb when the press is on it; answers whether it did.
    bool NCLButtonDown(TMessage& Message);
    int GetThumb() const { return thumbBottom; }

    int cw = 0;
    int len = 0;
    int thumbtop = 0, thumbBottom = 0;
};

}  // namespace relayon::skin
