#include "skin/paint/win32/SkinMenuButton.h"

#include <algorithm>

#include "skin/paint/core/ButtonFrames.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Control.h"
#include "toolkit/GdiObject.h"

namespace relayon::skin {

TSkinMenuButton::TSkinMenuButton(TComponent* AOwner) : TSkinButton(AOwner) {}

void TSkinMenuButton::DrawControl(HDC dc, const RECT& rc) {
    TDataSkinButton* button = ButtonFaceObject(fsd);
    if (!button) return;
    focused = HasFocus(*this);
    enabled = IsEnabledNow();
    const int face = paint::MenuButtonFace(state.Contains(scDown), state.Contains(scMouseIn), focused, button->frame);
    HDC buf = PrepareFace(rc, face);
    if (!buf) return;
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    TControl* c = SkinnedObject(*this);
    auto* glyph = c ? dynamic_cast<TBitmap*>(GetObjProp(c, L"Glyph")) : nullptr;
    if (glyph && glyph->Empty()) glyph = nullptr;
    const std::wstring text = CaptionOf(*this);
    {
        DcStateGuard keep(buf);
        ApplyTextStyle(buf, face, enabled);
        RECT measure{0, 0, paint::MenuButtonTextWidth(w, glyph ? glyph->Width() : 0), 0};
        if (!text.empty())
            DrawTextW(buf, text.c_str(), static_cast<int>(text.size()), &measure, DT_CALCRECT | DT_SINGLELINE);
        const paint::MenuButtonPlacement place = paint::PlaceMenuButton(
            w, h, glyph ? paint::BtnSize{glyph->Width(), glyph->Height()} : paint::BtnSize{},
            {measure.right - measure.left, measure.bottom - measure.top},
            c ? static_cast<int>(GetIntProperty(c, L"Margin")) : -1,
            c ? static_cast<int>(GetIntProperty(c, L"Spacing")) : -1);
        if (glyph && !place.glyph.Empty()) {
            HDC src = glyph->Canvas().Handle();
            TransparentBlt(buf, place.glyph.left, place.glyph.top, place.glyph.Width(), place.glyph.Height(), src, 0, 0,
                           place.glyph.Width(), place.glyph.Height(), GetPixel(src, 0, glyph->Height() - 1));
        }
        if (!text.empty() && !place.text.Empty()) {
            RECT r{place.text.left, place.text.top, place.text.right, place.text.bottom};
            SetBkMode(buf, TRANSPARENT);
            DrawTextW(buf, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_END_ELLIPSIS);
        }
        const COLORREF arrow = GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_BTNSHADOW);
        GdiObject<HBRUSH> brush(CreateSolidBrush(arrow));
        GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, arrow));
        SelectGuard b(buf, brush.get());
        SelectGuard p(buf, pen.get());
        const POINT tri[3] = {{place.apexX - 3, place.apexY - 3}, {place.apexX + 3, place.apexY - 3},
                              {place.apexX, place.apexY}};
        Polygon(buf, tri, 3);
    }
    btemp.CopyTo(dc, rc.left, rc.top);
}

}  // namespace relayon::skin
