#pragma once
// Button without a window, painted by its parent: a raised frame (none when
// Flat), sunken while pressed or Down, the Glyph centred above the caption.
// With a GroupIndex other than 0 it stays down when clicked; among the speed
// buttons of one parent with the same GroupIndex at most one is Down (and
// one always is, unless AllowAllUp). Glyph holds NumGlyphs images side by
// side (up, disabled, down); the first is drawn, the third when down if there.
#include "toolkit/Bitmap.h"
#include "toolkit/GraphicControl.h"

class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* AOwner);

    bool Down() const { return down_; }
    void SetDown(bool value);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value) { groupIndex_ = value; }
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value) { allowAllUp_ = value; }
    TBitmap& Glyph() { return glyph_; }
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);

    void Click() override;
    void Loaded() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

protected:
    void Paint(HDC dc) override;

private:
    void GlyphChanged(TObject*);

    bool down_ = false;
    bool pressed_ = false;
    bool flat_ = false;
    bool allowAllUp_ = false;
    int groupIndex_ = 0;
    int numGlyphs_ = 1;
    TBitmap glyph_;
};
