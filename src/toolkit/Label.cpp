#include "toolkit/Label.h"

#include "toolkit/GdiObject.h"
#include "toolkit/WinControl.h"

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    parentColor_ = true;
    width_ = 65;
    height_ = 17;
}

void TLabel::SetAutoSize(bool v) {
    autoSize_ = v;
    AdjustBounds();
}
void TLabel::SetAlignment(TAlignment v) {
    alignment_ = v;
    Invalidate();
}
void TLabel::SetLayout(TTextLayout v) {
    layout_ = v;
    Invalidate();
}
void TLabel::SetTransparent(bool v) {
    transparent_ = v;
    Invalidate();
}
void TLabel::SetWordWrap(bool v) {
    wordWrap_ = v;
    AdjustBounds();
    Invalidate();
}
void TLabel::SetShowAccelChar(bool v) {
    showAccelChar_ = v;
    AdjustBounds();
    Invalidate();
}

UINT TLabel::DrawFlags() const {
    UINT flags = DT_EXPANDTABS;
    if (wordWrap_) flags |= DT_WORDBREAK;
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    flags |= alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
    return flags;
}

void TLabel::TextChanged() { AdjustBounds(); }

void TLabel::FontChanged() {
    AdjustBounds();
    TGraphicControl::FontChanged();
}

void TLabel::AdjustBounds() {
    if (!autoSize_ || IsLoading()) return;
    ScreenDC screen;
    SelectGuard font(screen, Font().Handle());
    std::wstring text = text_.empty() ? L" " : text_;
    RECT r{0, 0, wordWrap_ ? width_ : 0, 0};
    DrawTextW(screen, text.c_str(), -1, &r, DrawFlags() | DT_CALCRECT);
    int left = left_;
    if (alignment_ == taRightJustify) left = left_ + width_ - r.right;
    else if (alignment_ == taCenter) left = left_ + (width_ - r.right) / 2;
    SetBounds(left, top_, r.right, r.bottom);
}

void TLabel::Paint(HDC dc) {
    RECT r = ClientRect();
    if (!transparent_) {
        HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(color_)));
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    }
    SelectGuard font(dc, Font().Handle());
    SetBkMode(dc, TRANSPARENT);
    UINT flags = DrawFlags();
    if (layout_ != tlTop) {
        RECT calc = r;
        DrawTextW(dc, text_.c_str(), -1, &calc, flags | DT_CALCRECT);
        int offset = (r.bottom - r.top) - (calc.bottom - calc.top);
        r.top += layout_ == tlCenter ? offset / 2 : offset;
    }
    if (Enabled()) {
        SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Font().Color())));
        DrawTextW(dc, text_.c_str(), -1, &r, flags);
    } else {
        RECT shifted = r;
        OffsetRect(&shifted, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextW(dc, text_.c_str(), -1, &shifted, flags);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
        DrawTextW(dc, text_.c_str(), -1, &r, flags);
    }
}

void TLabel::WndProc(TMessage& message) { TGraphicControl::WndProc(message); }

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}
