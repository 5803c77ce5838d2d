#pragma once
// TSkinUpDown: up-down arrows, spin buttons, the scroll arrows of tab
// controls and tab sets, and the up-down inside an edit or time picker. Each
// half is a plate of the skin's VSpin (one above the other) or HSpin (side
// by side) with its arrow glyph from the object's MaskMap; without the
// object a face-coloured box with a line-art arrow. Cells per half: 1 normal,
// 2 pressed, 3 disabled, 4 hot. Clicks, repeats and keys stay the system's.
//
// `inedit` (the up-down lies inside an edit: it never paints over the
// edit's 3-pixel border) and `dir` (1: halves side by side whatever the
// style) are found from the window's surroundings when it is started, or
// given by the starter.
#include "skin/paint/win32/SkinButtonParts.h"
#include "skin/paint/win32/Winsubclass.h"

namespace relayon::skin {

class TSkinUpDown : public TSkinControl {
public:
    explicit TSkinUpDown(TComponent* AOwner);

    bool BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC dc, const RECT& rc) override;
    void DrawBackGround(TMessage& Message);
    // Half `button` (0 first, 1 second) in cell I from the skin object.
    void DrawSkinButton(HDC dc, const RECT& rect, int button, int I);
    // Half `button` in cell I without a skin object.
    void DrawButton(TCanvas& canvas, const RECT& rect, int button, int I);

    // Looks at the window's class and its parent's for inedit and dir.
    void FindPlacement();

    bool inedit = false;
    int dir = 0;

private:
    bool Horizontal() const;
    // 0 none, 1 first half, 2 second half: where the cursor is now.
    int HalfUnderCursor(const RECT& area) const;
    void OnMouseMove();
    void OnMouseLeave();
    ButtonCanvas buf_;
    int lastUnder_ = 0;
};

}  // namespace relayon::skin
