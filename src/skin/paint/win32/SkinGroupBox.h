#pragma once
// TSkinGroupBox: group boxes, radio groups and check groups drawn in the
// skin's colours: a rounded frame in csButtonShadow with the caption on a
// csButtonFace ground that covers the line behind it. kind 1 is a toolkit
// group box (filled with the face colour, its graphic children painted over
// the frame), kind 0 a group-box window known only by its handle (its system
// frame is first erased with the skin's background brush).
#include "skin/paint/win32/SkinBox.h"
#include "skin/paint/win32/Winsubclass.h"

namespace relayon::skin {

class TSkinGroupBox : public TSkinControl {
public:
    explicit TSkinGroupBox(TComponent* AOwner);

    void Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) override;
    bool BeforeProc(TMessage& Message) override;
    void DrawControl(HDC dc, const RECT& rc) override;
    void DefaultDraw(HDC dc, const RECT& rc);
    void Unsubclass() override;
    void SkinChange() override;

private:
    SkinnedText text_;
};

}  // namespace relayon::skin
