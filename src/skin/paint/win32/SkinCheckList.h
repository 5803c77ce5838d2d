#pragma once
// TSkinCheckList: a check list box skinned like any scrolling control
// (overlays over its bars, flat border) whose entries it draws itself: the
// skin's check-box glyph (Button.CheckMap) for each entry's mark, then the
// text. A skin without check-box glyphs leaves the entries to the control.
#include "skin/paint/win32/SkinScrollbar.h"

namespace relayon::skin {

class TSkinCheckList : public TSkinScrollbar {
public:
    using TSkinScrollbar::TSkinScrollbar;
    bool BeforeProc(TMessage& Message) override;

    void CNDrawItem(TMessage& Message);
    void DrawItem(HDC dc, int index, UINT state, const RECT& rect);

private:
    TBitmap* CheckGlyphs() const;
    TColor itemBrush_ = clWindow;
    TColor itemText_ = clWindowText;
};

}  // namespace relayon::skin
