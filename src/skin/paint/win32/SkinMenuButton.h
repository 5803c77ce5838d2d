#pragma once
// TSkinMenuButton: drop-down buttons on the skin's push-button faces (no
// disabled face: a disabled button only greys its caption and arrow), with
// the glyph at Margin, the caption after Spacing and a small down arrow
// after the caption.
#include "skin/paint/win32/SkinButton.h"

namespace relayon::skin {

class TSkinMenuButton : public TSkinButton {
public:
    explicit TSkinMenuButton(TComponent* AOwner);
    void DrawControl(HDC dc, const RECT& rc) override;
};

}  // namespace relayon::skin
