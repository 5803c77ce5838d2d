#pragma once
// TSkinAdvPage: a page control that paints its own tabs from two published
// pictures ("TabBackGround", "TabBackGroundActive"). The skinner hands it
// both pictures made from the skin's tab image (frame 1 and frame 2), again
// at every skin change, takes empty ones back when the skin goes, and skins
// the control's scroll arrows.
#include "skin/paint/win32/Winsubclass.h"

namespace relayon::skin {

class TSkinAdvPage : public TSkinControl {
public:
    static constexpr int kPictureWidth = 100;
    static constexpr int kPictureHeight = 21;

    explicit TSkinAdvPage(TComponent* AOwner);
    void Notification(TComponent* component, TOperation operation) override;

    void Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) override;
    void Unsubclass() override;
    void DrawControl(HDC dc, const RECT& rc) override;
    void SkinChange() override;
    // Gives the control the two tab pictures of the current skin.
    void ChangeImage();
    // Assigns `picture` (null: an empty one) to the published picture `name`.
    void SetAdvPage(const wchar_t* name, TBitmap* picture);
    bool FindScroll();

    TSkinControl* updown = nullptr;
};

}  // namespace relayon::skin
