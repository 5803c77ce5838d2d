#pragma once
// TSkinTab31: tab sets (a row of tabs along the bottom of a page area). The
// tabs are drawn from the skin's tab image mirrored top to bottom (frame 2
// the selected tab, 1 the others) where the tab set itself puts them, so
// what is seen is what a click selects; the tab set keeps its clicks and its
// scroller, whose arrows get the spin skinner when there is one.
#include <memory>

#include "skin/paint/win32/SkinButtonParts.h"
#include "skin/paint/win32/Winsubclass.h"
#include "toolkit/Bitmap.h"

namespace relayon::skin {

class TSkinTab31 : public TSkinControl {
public:
    explicit TSkinTab31(TComponent* AOwner);
    void Notification(TComponent* component, TOperation operation) override;

    void Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) override;
    bool BeforeProc(TMessage& Message) override;
    void DrawControl(HDC dc, const RECT& rc) override;
    void SkinChange() override;
    void inittab();

    std::unique_ptr<TBitmap> tabbmp;
    TSkinControl* updown = nullptr;
    TComponent* scroller = nullptr;

private:
    ButtonCanvas canvas_;
};

}  // namespace relayon::skin
