#include "toolkit/Panel.h"

#include "toolkit/GdiObject.h"

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    width_ = 185;
    height_ = 41;
}

void TPanel::SetBevelOuter(TBevelCut v) {
    bevelOuter_ = v;
    Invalidate();
}
void TPanel::SetBevelInner(TBevelCut v) {
    bevelInner_ = v;
    Invalidate();
}
void TPanel::SetBevelWidth(int v) {
    bevelWidth_ = v < 0 ? 0 : v;
    Invalidate();
}
void TPanel::SetAlignment(TAlignment v) {
    alignment_ = v;
    Invalidate();
}

namespace {
void DrawBevel(HDC dc, RECT& r, TBevelCut cut, int width) {
    if (cut == bvNone) return;
    for (int i = 0; i < width; ++i) {
        if (cut == bvRaised)
            DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
        else if (cut == bvLowered)
            DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
        InflateRect(&r, -1, -1);
    }
}
}  // namespace

void TPanel::Paint(HDC dc) {
    RECT r = ClientRect();
    DrawBevel(dc, r, bevelOuter_, bevelWidth_);
    DrawBevel(dc, r, bevelInner_, bevelWidth_);
    std::wstring caption = GetText();
    if (caption.empty()) return;
    SelectGuard font(dc, Font().Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Enabled() ? Font().Color() : clGrayText)));
    UINT align = alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
    DrawTextW(dc, caption.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | align);
}
