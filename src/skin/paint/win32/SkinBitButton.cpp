#include "skin/paint/win32/SkinBitButton.h"

#include <algorithm>

#include "skin/paint/core/ButtonFrames.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Control.h"

namespace relayon::skin {

TSkinBitButton::TSkinBitButton(TComponent* AOwner) : TSkinButton(AOwner) {}

TBitmap* TSkinBitButton::GlyphBitmap(int& count) {
    TControl* c = SkinnedObject(*this);
    if (!c) return nullptr;
    count = 1;
    if (!PicField.empty()) {
        auto* pic = dynamic_cast<TBitmap*>(GetObjProp(c, PicField));
        return pic && !pic->Empty() ? pic : nullptr;
    }
    auto* glyph = dynamic_cast<TBitmap*>(GetObjProp(c, L"Glyph"));
    if (!glyph || glyph->Empty()) return nullptr;
    count = static_cast<int>(std::clamp<int64_t>(GetIntProperty(c, L"NumGlyphs"), 1, 4));
    if (glyph->Width() / count < 1) count = 1;
    return glyph;
}

void TSkinBitButton::DrawGlyph(HDC dc, const RECT& rc, TBitmap& glyph, int count, int index) {
    if (glyph.Empty() || count < 1 || index < 1 || index > count) return;
    const int cellW = glyph.Width() / count, cellH = glyph.Height();
    const int w = std::min<int>(cellW, rc.right - rc.left), h = std::min<int>(cellH, rc.bottom - rc.top);
    if (w <= 0 || h <= 0) return;
    HDC src = glyph.Canvas().Handle();
    const COLORREF key = GetPixel(src, 0, cellH - 1);
    TransparentBlt(dc, rc.left, rc.top, w, h, src, (index - 1) * cellW, 0, w, h, key);
}

void TSkinBitButton::DrawPicControl(HDC dc, const RECT& rc) {
    // Same face and caption; GlyphBitmap already answers the picture.
    TSkinBitButton::DrawControl(dc, rc);
}

void TSkinBitButton::DrawGlyphAndCaption(HDC buf, int w, int h, int face, int glyphCell, bool enabledNow) {
    TControl* c = SkinnedObject(*this);
    int count = 1;
    TBitmap* glyph = GlyphBitmap(count);
    const paint::BtnSize glyphSize = glyph ? paint::BtnSize{glyph->Width() / count, glyph->Height()}
                                           : paint::BtnSize{};
    const std::wstring text = paint::ExpandLineBreaks(CaptionOf(*this));
    const int margin = c ? static_cast<int>(GetIntProperty(c, L"Margin")) : -1;
    const int spacing = c ? static_cast<int>(GetIntProperty(c, L"Spacing")) : 4;
    const bool centred = c && GetProperty(c, L"Alignment") == L"taCenter";
    const paint::GlyphLayout layout = paint::GlyphLayoutFromName(c ? GetProperty(c, L"Layout") : L"");

    DcStateGuard keep(buf);
    ApplyTextStyle(buf, face, enabledNow);
    auto measure = [&](int maxWidth) {
        if (text.empty()) return paint::BtnSize{};
        RECT r{0, 0, maxWidth, 0};
        DrawTextW(buf, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_WORDBREAK);
        return paint::BtnSize{r.right - r.left, r.bottom - r.top};
    };
    const paint::GlyphTextPlacement place =
        paint::PlaceGlyphAndText(w, h, glyphSize, layout, margin, spacing, centred, measure);
    if (glyph && !place.glyph.Empty())
        DrawGlyph(buf, RECT{place.glyph.left, place.glyph.top, place.glyph.right, place.glyph.bottom}, *glyph, count,
                  glyphCell);
    if (!text.empty() && !place.text.Empty()) {
        const UINT align = place.align == paint::TextAlign::Right    ? DT_RIGHT
                         : place.align == paint::TextAlign::Centre ? DT_CENTER
                                                                   : DT_LEFT;
        RECT r{place.text.left, place.text.top, place.text.right, place.text.bottom};
        SetBkMode(buf, TRANSPARENT);
        DrawTextW(buf, text.c_str(), static_cast<int>(text.size()), &r,
                  align | DT_WORDBREAK | (IsRightToLeft(*this) ? DT_RTLREADING : 0));
        if (focused && !(fsd && fsd->Options().Contains(xoNoFocusRect))) {
            RECT f{r.left - 2, r.top - 2, r.right + 2, r.bottom + 2};
            RECT all{0, 0, w, h};
            IntersectRect(&f, &f, &all);
            DrawFocusRect(buf, &f);
        }
    }
}

void TSkinBitButton::DrawControl(HDC dc, const RECT& rc) {
    TDataSkinButton* button = ButtonFaceObject(fsd);
    if (!button) return;
    focused = HasFocus(*this);
    enabled = IsEnabledNow();
    TControl* c = SkinnedObject(*this);
    isdefault = c && IsTrueText(GetProperty(c, L"Default"));
    const bool pressed = state.Contains(scDown);
    const int face = paint::PushButtonFace({pressed, state.Contains(scMouseIn), focused, isdefault, enabled},
                                           button->frame);
    HDC buf = PrepareFace(rc, face);
    if (!buf) return;
    int count = 1;
    GlyphBitmap(count);
    DrawGlyphAndCaption(buf, rc.right - rc.left, rc.bottom - rc.top, face,
                        paint::GlyphCell(pressed, enabled, false, count), enabled);
    btemp.CopyTo(dc, rc.left, rc.top);
}

}  // namespace relayon::skin
