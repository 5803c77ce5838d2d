#pragma once
// TSkinBitButton: buttons with a glyph beside the caption, on the skin's
// push-button faces. The glyph strip (published Glyph, NumGlyphs cells: up,
// disabled, pressed, down) and the caption are placed by the published
// Layout, Margin, Spacing and Alignment; with PicField set, the picture
// property of that name is drawn instead of the glyph.
#include "skin/paint/win32/SkinButton.h"

class TBitmap;

namespace relayon::skin {

class TSkinBitButton : public TSkinButton {
public:
    explicit TSkinBitButton(TComponent* AOwner);

    void DrawControl(HDC dc, const RECT& rc) override;
    // Cell `index` of `count` of `glyph` at its own size, clipped to rc, with
    // the strip's bottom-left colour left out (the glyph convention).
    void DrawGlyph(HDC dc, const RECT& rc, TBitmap& glyph, int count, int index);
    void DrawPicControl(HDC dc, const RECT& rc);

    bool isPicture = false;
    std::wstring PicField;

protected:
    // Face already in `buf`: glyph cell `glyphCell` and caption in the
    // layout the published properties ask for.
    void DrawGlyphAndCaption(HDC buf, int w, int h, int face, int glyphCell, bool enabledNow);
    // The glyph strip to draw (Glyph, or the PicField picture), or null.
    TBitmap* GlyphBitmap(int& count);
};

}  // namespace relayon::skin
