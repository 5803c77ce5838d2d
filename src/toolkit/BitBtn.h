#pragma once
// Push button drawn by the toolkit (BS_OWNERDRAW) with a Glyph beside its
// caption. Layout puts the glyph left, right, above or below the caption;
// Margin is the distance from that edge (-1: glyph and caption centred
// together); Spacing the gap between glyph and caption. Glyph holds
// NumGlyphs images side by side (up, disabled, down). Clicks behave as
// TButton's.
#include "toolkit/Bitmap.h"
#include "toolkit/Button.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TBitBtn : public TButton {
public:
    explicit TBitBtn(TComponent* AOwner);

    TBitmap& Glyph() { return glyph_; }
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return margin_; }
    void SetMargin(int value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    void GlyphChanged(TObject*) { Invalidate(); }
    void DrawItem(const DRAWITEMSTRUCT& item);

    TBitmap glyph_;
    int numGlyphs_ = 1;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
};
