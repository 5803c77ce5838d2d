#pragma once
// TSkinObjImage: other vendors' check and radio controls that draw glyphs
// handed to them. The skinner hooks no messages; it builds a strip of the
// skin's check or radio cells and gives it to the control through published
// properties (CustomGlyphs, or Properties.Glyph for the third family), and
// takes it back when the skin goes.
//
// kind 1: check item, kind 2: radio item, kind 3: check box of the family
// with a Properties object.
#include <memory>

#include "skin/paint/win32/Winsubclass.h"

class TBitmap;

namespace relayon::skin {

class TSkinObjImage : public TSkinControl {
public:
    explicit TSkinObjImage(TComponent* AOwner);
    ~TSkinObjImage() override;

    // Registers with the form skinner and hands the strip over.
    void Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) override;
    void Unsubclass() override;
    void SkinChange() override;
    void ChangeImage();

    // The strip: six cells side by side (kind 2: radio cells 1, 2, 1, 2, 3, 4;
    // otherwise unchecked, checked, grey, then the same disabled), magenta
    // where the skin is transparent. Null without the skin's image.
    std::unique_ptr<TBitmap> BuildStrip() const;
};

}  // namespace relayon::skin
