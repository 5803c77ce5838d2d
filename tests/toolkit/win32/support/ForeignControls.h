#pragma once
// Stand-ins for other vendors' controls, registered under the class names a
// skin engine's foreign-class table lists: real toolkit controls (window
// class = that name) with the published properties a skinner reads and
// writes. A check or radio item takes a glyph strip through "CustomGlyphs",
// "transparentcolor" and "UseCustomGlyphs" (switched off and on again to
// reload); while UseCustomGlyphs is on and a strip is there, the item draws
// its mark from the strip instead of the system's.
#include "toolkit/BitBtn.h"
#include "toolkit/Bitmap.h"
#include "toolkit/CheckBox.h"
#include "toolkit/RadioButton.h"

// What every custom-glyph item shares.
class TCustomGlyphs {
public:
    TBitmap& CustomGlyphs() { return glyphs_; }
    bool UsesGlyphs() const { return use_; }
    TColor TransparentColor() const { return transparent_; }
    void SetTransparentColor(TColor c) { transparent_ = c; }
    // How often the strip was taken up (UseCustomGlyphs switched on).
    int Reloads() const { return reloads_; }

    // Draws cell `index` of the strip (cells are square, height wide) at (x, y).
    void DrawCell(HDC dc, int index, int x, int y);

protected:
    // Returns true when the drawing source changed.
    bool SetUse(bool value);

private:
    TBitmap glyphs_;
    TColor transparent_ = clFuchsia;
    bool use_ = false;
    int reloads_ = 0;
};

class TRzCheckBox : public TCheckBox, public TCustomGlyphs {
public:
    using TCheckBox::TCheckBox;
    bool UseCustomGlyphs() const { return UsesGlyphs(); }
    void SetUseCustomGlyphs(bool value);
    void WndProc(TMessage& message) override;
};

class TRzRadioButton : public TRadioButton, public TCustomGlyphs {
public:
    using TRadioButton::TRadioButton;
    bool UseCustomGlyphs() const { return UsesGlyphs(); }
    void SetUseCustomGlyphs(bool value);
    void WndProc(TMessage& message) override;
};

// A drop-down button: a glyph button whose arrow opens a menu elsewhere.
class TRzMenuButton : public TBitBtn {
public:
    using TBitBtn::TBitBtn;
};

// Registers the classes above (once).
void RegisterForeignControlClasses();
