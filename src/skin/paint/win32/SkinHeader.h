#pragma once
// TSkinHeader: header controls and the headers of list views. Every item is
// drawn from the skin's Header image (frame 1 normal, frame 2 the item under
// the mouse) with its image and caption placed by the item's alignment, and
// the space right of the last item gets the normal picture. The header keeps
// its clicks, dividers and column sizing.
#include <vector>

#include "skin/paint/core/TabGeometry.h"
#include "skin/paint/win32/SkinButtonParts.h"
#include "skin/paint/win32/Winsubclass.h"

namespace relayon::skin {

// The skin file's own header record (Skinread.h) already holds this name in
// relayon::skin; the control skinner lives one namespace down.
namespace subclass {

class TSkinHeader : public TSkinControl {
public:
    explicit TSkinHeader(TComponent* AOwner);

    void Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) override;
    void Inithwnd(HWND ahwnd, TSkinData* sd, TCanvas* acanvas, TWinSkinForm* sf) override;
    bool BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    void WMMouseMove(TMessage& Message);
    void DrawControl(HDC dc, const RECT& rc) override;
    // Item `index` drawn into `dc` at `rect`.
    void DrawItem(HIMAGELIST himl, HDC dc, int index, const RECT& rect);
    void DrawItemImgCaption(HDC dc, const RECT& rect, paint::TextAlign talign, const std::wstring& text, int imgIndex,
                            HIMAGELIST himl);

    // Hot-tracking rectangle of every item (narrowed by 3 pixels a side;
    // empty for an item whose rectangle could not be read).
    std::vector<RECT> Items;
    int indexitem = -1;

private:
    void OnMouseLeave();
    COLORREF TextColour();
    ButtonCanvas canvas_;
};

}  // namespace subclass
}  // namespace relayon::skin
