#include "toolkit/BitBtn.h"

#include <algorithm>

#include "toolkit/GdiObject.h"

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner) {
    glyph_.OnChange = TNotifyEvent(this, &TBitBtn::GlyphChanged);
}

void TBitBtn::CreateParams(TCreateParams& params) {
    TButton::CreateParams(params);
    // The push button type bits give way to owner drawing.
    params.Style = (params.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::SetNumGlyphs(int value) {
    numGlyphs_ = std::clamp(value, 1, 4);
    Invalidate();
}
void TBitBtn::SetLayout(TButtonLayout value) {
    layout_ = value;
    Invalidate();
}
void TBitBtn::SetMargin(int value) {
    margin_ = std::max(value, -1);
    Invalidate();
}
void TBitBtn::SetSpacing(int value) {
    spacing_ = value;
    Invalidate();
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    bool pushed = (item.itemState & ODS_SELECTED) != 0;
    bool disabled = (item.itemState & ODS_DISABLED) != 0;
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    int shift = pushed ? 1 : 0;

    std::wstring caption = GetText();
    SelectGuard font(dc, Font().Handle());
    RECT textSize{0, 0, 0, 0};
    if (!caption.empty()) DrawTextW(dc, caption.c_str(), -1, &textSize, DT_CALCRECT | DT_SINGLELINE);
    int tw = textSize.right, th = textSize.bottom;
    int gw = glyph_.Empty() ? 0 : glyph_.Width() / numGlyphs_, gh = glyph_.Empty() ? 0 : glyph_.Height();
    int gap = gw && tw ? spacing_ : 0;
    int w = r.right - r.left, h = r.bottom - r.top;
    bool horizontal = layout_ == blGlyphLeft || layout_ == blGlyphRight;
    // Along the layout axis: glyph, gap, caption (in that order from the glyph's edge).
    int total = horizontal ? gw + gap + tw : gh + gap + th;
    int extent = horizontal ? w : h;
    int start = margin_ >= 0 ? margin_ : (extent - total) / 2;
    int glyphAt = start, textAt = start + (horizontal ? gw : gh) + gap;
    if (layout_ == blGlyphRight || layout_ == blGlyphBottom) {
        glyphAt = extent - start - (horizontal ? gw : gh);
        textAt = glyphAt - gap - (horizontal ? tw : th);
    }
    POINT glyphPos = horizontal ? POINT{glyphAt, (h - gh) / 2} : POINT{(w - gw) / 2, glyphAt};
    POINT textPos = horizontal ? POINT{textAt, (h - th) / 2} : POINT{(w - tw) / 2, textAt};
    if (gw) {
        int image = pushed && numGlyphs_ >= 3 ? 2 : (disabled && numGlyphs_ >= 2 ? 1 : 0);
        BitBlt(dc, r.left + glyphPos.x + shift, r.top + glyphPos.y + shift, gw, gh, glyph_.Canvas().Handle(), image * gw,
               0, SRCCOPY);
    }
    if (tw) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        RECT text{r.left + textPos.x + shift, r.top + textPos.y + shift, 0, 0};
        text.right = text.left + tw;
        text.bottom = text.top + th;
        DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE);
    }
    if (item.itemState & ODS_FOCUS) {
        RECT focus = r;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(dc, &focus);
    }
}

void TBitBtn::WndProc(TMessage& message) {
    if (message.Msg == BM_SETSTYLE) {
        // Becoming the default button must not turn owner drawing off.
        message.WParam = (message.WParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW;
    }
    if (message.Msg == CN_DRAWITEM) {
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam));
        message.Result = TRUE;
        return;
    }
    TButton::WndProc(message);
}
