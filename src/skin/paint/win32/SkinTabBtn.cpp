#include "skin/paint/win32/SkinTabBtn.h"

#include <algorithm>

#include "skin/paint/core/TabGeometry.h"
#include "skin/paint/win32/SkinTabParts.h"

namespace relayon::skin {

TSkinTabBtn::TSkinTabBtn(TComponent* AOwner) : TSkinControl(AOwner) {}

bool TSkinTabBtn::BeforeProc(TMessage& Message) {
    if (Message.Msg == WM_PAINT) {
        WMPaint(Message);
        return false;
    }
    return TSkinControl::BeforeProc(Message);
}

void TSkinTabBtn::DrawControl(HDC dc, const RECT& rc) {
    TDataSkinButton* button = fsd ? fsd->Button.get() : nullptr;
    if (!dc || !hwnd || !HasMap(button)) return;
    RECT display = rc;
    SendMessageW(hwnd, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    const paint::Box strip = paint::ButtonTabStripRect(ToBox(rc), ToBox(display));
    HDC m = strip_.Prepare(strip.Width(), strip.Height());
    if (!m) return;
    const int n = std::max(0, static_cast<int>(SendMessageW(hwnd, TCM_GETITEMCOUNT, 0, 0)));
    const int current = static_cast<int>(SendMessageW(hwnd, TCM_GETCURFOCUS, 0, 0));
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(hwnd, TCM_GETIMAGELIST, 0, 0));
    const bool unicode = IsWindowUnicode(hwnd) != FALSE;
    {
        DcStateGuard keep(m);
        FillColor(m, RECT{0, 0, strip.Width(), strip.Height()}, SchemeColor(fsd, csButtonFace));
        if (HFONT font = FontOf(*this)) SelectObject(m, font);
        for (int i = 0; i < n; ++i) {
            RECT item{};
            if (!SendMessageW(hwnd, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item))) continue;
            OffsetRect(&item, -strip.left, 1 - strip.top);
            const int I = i == current ? 2 : 1;
            DrawObjectCell(m, item, *button->Map, *button, I, button->trans == 1);
            COLORREF colour = RGB(0, 0, 0);
            if (I == 1 && button->newnormal) colour = ColorToRGB(button->Normalcolor2);
            if (I == 2 && button->newdown) colour = ColorToRGB(button->Downcolor2);
            SetTextColor(m, colour);
            ItemText text;
            if (ReadTabItem(hwnd, i, unicode, text))
                DrawImageAndCaption(m, item, images, text.image, text.text, paint::TextAlign::Centre, CheckBiDi(0));
        }
    }
    strip_.CopyTo(dc, strip.left, strip.top);
}

}  // namespace relayon::skin
