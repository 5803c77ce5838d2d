#include "toolkit/TabSet.h"

#include <windowsx.h>

#include <algorithm>

TTabScroller::TTabScroller(TComponent* AOwner) : TCustomControl(AOwner) {
    visible_ = false;
    width_ = TTabSet::kScrollerWidth;
    height_ = 13;
}

void TTabScroller::SetParams(int position, int min, int max) {
    max_ = std::max(max, min);
    min_ = min;
    position_ = std::clamp(position, min_, max_);
    Invalidate();
}

void TTabScroller::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        int side = GET_X_LPARAM(message.LParam) < ClientRect().right / 2 ? -1 : 1;
        int next = std::clamp(position_ + side, min_, max_);
        pressed_ = side;
        Invalidate();
        if (next != position_) {
            position_ = next;
            if (OnClick) OnClick(this);
        }
        break;
    }
    case WM_LBUTTONUP:
        pressed_ = 0;
        Invalidate();
        break;
    }
    TCustomControl::WndProc(message);
}

void TTabScroller::Paint(HDC dc) {
    RECT r = ClientRect();
    RECT left{0, 0, r.right / 2, r.bottom}, right{r.right / 2, 0, r.right, r.bottom};
    UINT leftState = DFCS_SCROLLLEFT | (position_ <= min_ ? DFCS_INACTIVE : 0) | (pressed_ < 0 ? DFCS_PUSHED : 0);
    UINT rightState = DFCS_SCROLLRIGHT | (position_ >= max_ ? DFCS_INACTIVE : 0) | (pressed_ > 0 ? DFCS_PUSHED : 0);
    DrawFrameControl(dc, &left, DFC_SCROLL, leftState);
    DrawFrameControl(dc, &right, DFC_SCROLL, rightState);
}

TTabSet::TTabSet(TComponent* AOwner) : TCustomControl(AOwner) {
    width_ = 185;
    height_ = 21;
    tabs_.Listener = [this](TStrings::Change, int, const std::wstring&) { TabsChanged(); };
    // First component of the tab set, as painters that look for it expect.
    scroller_ = new TTabScroller(this);
    scroller_->SetParent(this);
    scroller_->OnClick = TNotifyEvent(this, &TTabSet::ScrollerClicked);
}

void TTabSet::Loaded() {
    TCustomControl::Loaded();
    // TabIndex may come before Tabs in a resource.
    if (tabIndex_ >= tabs_.Count()) tabIndex_ = -1;
    TabsChanged();
}

void TTabSet::TabsChanged() {
    if (IsLoading()) return;
    if (tabIndex_ >= tabs_.Count()) tabIndex_ = tabs_.Count() - 1;
    Measure();
    Layout();
    Invalidate();
}

void TTabSet::FontChanged() {
    TCustomControl::FontChanged();
    Measure();
    Layout();
}

void TTabSet::Measure() {
    widths_.clear();
    HDC screen = GetDC(nullptr);
    {
        SelectGuard font(screen, Font().Handle());
        for (int i = 0; i < tabs_.Count(); ++i) {
            SIZE size{};
            const std::wstring& text = tabs_.Strings(i);
            GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &size);
            widths_.push_back(size.cx + 9);
        }
    }
    ReleaseDC(nullptr, screen);
}

bool TTabSet::AllFit() const {
    int x = startMargin_;
    for (int w : widths_) x += w;
    return x <= width_ - endMargin_;
}

int TTabSet::VisibleTabs() {
    if (widths_.size() != static_cast<size_t>(tabs_.Count())) Measure();
    int limit = ClientRect().right - endMargin_ - (scroller_->Visible() ? kScrollerWidth : 0);
    int x = startMargin_, count = 0;
    for (int i = firstIndex_; i < tabs_.Count() && x + widths_[i] <= limit; ++i, ++count) x += widths_[i];
    return count;
}

RECT TTabSet::ItemRect(int index) {
    RECT none{0, 0, 0, 0};
    if (index < firstIndex_ || index >= firstIndex_ + VisibleTabs()) return none;
    int x = startMargin_;
    for (int i = firstIndex_; i < index; ++i) x += widths_[i];
    return RECT{x, 0, x + widths_[index], ClientRect().bottom};
}

int TTabSet::ItemAtPos(int x, int y) {
    POINT p{x, y};
    for (int i = firstIndex_, n = firstIndex_ + VisibleTabs(); i < n; ++i) {
        RECT r = ItemRect(i);
        if (PtInRect(&r, p)) return i;
    }
    return -1;
}

void TTabSet::Layout() {
    if (IsLoading()) return;
    if (widths_.size() != static_cast<size_t>(tabs_.Count())) Measure();
    bool overflow = !AllFit();
    if (!overflow) firstIndex_ = 0;
    int scrollerHeight = std::max(8, std::min(height_ - 4, 15));
    scroller_->SetBounds(width_ - endMargin_ - kScrollerWidth, 2, kScrollerWidth, scrollerHeight);
    scroller_->SetParams(firstIndex_, 0, std::max(tabs_.Count() - 1, 0));
    scroller_->SetVisible(overflow);
}

void TTabSet::SetFirstIndex(int index) {
    index = std::clamp(index, 0, std::max(tabs_.Count() - 1, 0));
    if (AllFit()) index = 0;
    if (index == firstIndex_) return;
    firstIndex_ = index;
    scroller_->SetParams(firstIndex_, 0, std::max(tabs_.Count() - 1, 0));
    Invalidate();
}

void TTabSet::ScrollerClicked(TObject*) { SetFirstIndex(scroller_->Position()); }

void TTabSet::SetTabIndex(int index) {
    if (IsLoading()) {
        tabIndex_ = index;
        return;
    }
    if (index < 0 || index >= tabs_.Count()) index = -1;
    if (index == tabIndex_) return;
    if (OnChange) {
        bool allow = true;
        OnChange(this, index, allow);
        if (!allow) return;
    }
    tabIndex_ = index;
    // The selected tab is brought into view.
    if (index >= 0 && index < firstIndex_) SetFirstIndex(index);
    while (index >= 0 && index >= firstIndex_ + VisibleTabs() && firstIndex_ < index) SetFirstIndex(firstIndex_ + 1);
    Invalidate();
}

void TTabSet::SetStartMargin(int v) {
    startMargin_ = std::max(v, 0);
    Layout();
    Invalidate();
}
void TTabSet::SetEndMargin(int v) {
    endMargin_ = std::max(v, 0);
    Layout();
    Invalidate();
}
void TTabSet::SetSelectedColor(TColor c) {
    selectedColor_ = c;
    Invalidate();
}
void TTabSet::SetUnselectedColor(TColor c) {
    unselectedColor_ = c;
    Invalidate();
}

void TTabSet::Paint(HDC dc) {
    RECT client = ClientRect();
    // The edge of the page above the tabs.
    GdiObject<HPEN> dark(CreatePen(PS_SOLID, 1, static_cast<COLORREF>(ColorToRGB(clBtnShadow))));
    GdiObject<HPEN> black(CreatePen(PS_SOLID, 1, static_cast<COLORREF>(ColorToRGB(clWindowText))));
    SelectGuard pen(dc, black.get());
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, client.right, 0);
    SelectGuard font(dc, Font().Handle());
    SetBkMode(dc, TRANSPARENT);
    for (int i = firstIndex_, n = firstIndex_ + VisibleTabs(); i < n; ++i) {
        RECT r = ItemRect(i);
        bool selected = i == tabIndex_;
        r.bottom -= 2;
        // A trapezoid hanging from the page edge; the selected one joins it.
        POINT shape[4] = {{r.left, selected ? 0 : 1}, {r.left + 3, r.bottom}, {r.right - 3, r.bottom},
                          {r.right, selected ? 0 : 1}};
        GdiObject<HBRUSH> fill(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(selected ? selectedColor_ : unselectedColor_))));
        SelectGuard brush(dc, fill.get());
        Polygon(dc, shape, 4);
        if (!selected) {
            SelectObject(dc, dark.get());
            MoveToEx(dc, r.left, 1, nullptr);
            LineTo(dc, r.right, 1);
            SelectObject(dc, black.get());
        }
        SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Enabled() ? Font().Color() : clGrayText)));
        RECT text = r;
        DrawTextW(dc, tabs_.Strings(i).c_str(), -1, &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    }
}

void TTabSet::WndProc(TMessage& message) {
    if (message.Msg == WM_LBUTTONDOWN) {
        int index = ItemAtPos(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
        if (index >= 0) SetTabIndex(index);
    }
    TCustomControl::WndProc(message);
}
