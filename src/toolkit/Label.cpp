#include "toolkit/Label.h"

#include <algorithm>
#include <vector>

#include "toolkit/GdiObject.h"
#include "toolkit/LabelFit.h"
#include "toolkit/WinControl.h"

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    parentColor_ = true;
    width_ = 65;
    height_ = 17;
}

TLabel::~TLabel() { LabelFitScope::Forget(this); }

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
    // Only these end with the same bounds whatever text they were fitted to before.
    if (alignment_ == taLeftJustify && !wordWrap_ && LabelFitScope::Defer(this)) return;
    FitBoundsToText();
}

void TLabel::FitBoundsToText() {
    if (!autoSize_) return;
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

namespace {

// Open scopes, innermost last; each holds its labels waiting to be fitted.
thread_local std::vector<std::vector<TLabel*>> openScopes;

}  // namespace

LabelFitScope::LabelFitScope() { openScopes.emplace_back(); }

LabelFitScope::~LabelFitScope() {
    std::vector<TLabel*> waiting = std::move(openScopes.back());
    openScopes.pop_back();
    for (TLabel* label : waiting) label->FitBoundsToText();
}

bool LabelFitScope::Defer(TLabel* label) {
    if (openScopes.empty()) return false;
    auto& waiting = openScopes.back();
    if (std::find(waiting.begin(), waiting.end(), label) == waiting.end()) waiting.push_back(label);
    return true;
}

void LabelFitScope::Forget(TLabel* label) {
    for (auto& waiting : openScopes) std::erase(waiting, label);
}
