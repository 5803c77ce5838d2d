#include "toolkit/PageControl.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

TTabSheet::TTabSheet(TComponent* AOwner) : TCustomControl(AOwner) { visible_ = false; }

TTabSheet::~TTabSheet() {
    SetDestroying();
    // Leave the page control (and its tab) while this object is still a sheet.
    if (parent_) parent_->RemoveControl(this);
}

TPageControl* TTabSheet::PageControl() const { return dynamic_cast<TPageControl*>(parent_); }

void TTabSheet::SetPageControl(TPageControl* pageControl) { SetParent(pageControl); }

int TTabSheet::PageIndex() const {
    TPageControl* pc = PageControl();
    if (!pc) return -1;
    for (int i = 0; i < pc->PageCount(); ++i)
        if (pc->Pages(i) == this) return i;
    return -1;
}

void TTabSheet::SetParent(TWinControl* parent) { TCustomControl::SetParent(parent); }

void TTabSheet::TextChanged() {
    if (TPageControl* pc = PageControl()) pc->UpdateTab(this);
}

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
    tabStop_ = true;
    width_ = 289;
    height_ = 193;
}

TPageControl::~TPageControl() {
    SetDestroying();
    pages_.clear();
    activePage_ = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const {
    if (index < 0 || index >= PageCount()) throw std::out_of_range("page index out of range");
    return pages_[static_cast<size_t>(index)];
}

void TPageControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = WC_TABCONTROLW;
    params.Style |= WS_CLIPCHILDREN;
    if (style_ != tsTabs) params.Style |= TCS_BUTTONS;
    if (style_ == tsFlatButtons) params.Style |= TCS_FLATBUTTONS;
    if (tabPosition_ == tpBottom) params.Style |= TCS_BOTTOM;
    if (tabPosition_ == tpLeft || tabPosition_ == tpRight) params.Style |= TCS_VERTICAL | TCS_MULTILINE;
    if (tabPosition_ == tpRight) params.Style |= TCS_RIGHT;
}

void TPageControl::CreateWindowHandleDone() {
    for (size_t i = 0; i < pages_.size(); ++i) {
        std::wstring caption = pages_[i]->Caption();
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageW(handle_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    LayoutPages();
    ShowActivePage();
}

RECT TabDisplayRect(HWND tabs, RECT client) {
    if (tabs) {
        SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&client));
    } else {
        // Before the window exists: the usual tab strip and border.
        client.left += 4;
        client.right -= 4;
        client.top += 24;
        client.bottom -= 4;
    }
    return client;
}

RECT TPageControl::DisplayRect() { return TabDisplayRect(HandleAllocated() ? handle_ : nullptr, ClientRect()); }

void TPageControl::LayoutPages() {
    RECT r = DisplayRect();
    for (TTabSheet* page : pages_) page->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TPageControl::SetBounds(int left, int top, int width, int height) {
    TWinControl::SetBounds(left, top, width, height);
    LayoutPages();
}

void TPageControl::InsertControl(TControl* control) {
    auto* page = dynamic_cast<TTabSheet*>(control);
    if (page && std::find(pages_.begin(), pages_.end(), page) == pages_.end()) {
        pages_.push_back(page);
        if (HandleAllocated()) {
            std::wstring caption = page->Caption();
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = caption.data();
            SendMessageW(handle_, TCM_INSERTITEMW, pages_.size() - 1, reinterpret_cast<LPARAM>(&item));
        }
    }
    TWinControl::InsertControl(control);
    if (page) {
        RECT r = DisplayRect();
        page->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
        if (!activePage_) SetActivePage(page);
        else page->SetVisible(false);
    }
}

void TPageControl::RemoveControl(TControl* control) {
    auto* page = dynamic_cast<TTabSheet*>(control);
    auto it = page ? std::find(pages_.begin(), pages_.end(), page) : pages_.end();
    if (it != pages_.end()) {
        size_t index = static_cast<size_t>(it - pages_.begin());
        pages_.erase(it);
        if (HandleAllocated()) SendMessageW(handle_, TCM_DELETEITEM, index, 0);
        if (activePage_ == page) {
            activePage_ = nullptr;
            if (!pages_.empty() && !IsDestroying()) SetActivePage(pages_[std::min(index, pages_.size() - 1)]);
        }
    }
    TWinControl::RemoveControl(control);
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->PageControl() != this) return;
    activePage_ = page;
    ShowActivePage();
}

int TPageControl::ActivePageIndex() const {
    auto it = std::find(pages_.begin(), pages_.end(), activePage_);
    return it == pages_.end() ? -1 : static_cast<int>(it - pages_.begin());
}

void TPageControl::SetActivePageIndex(int index) {
    SetActivePage(index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)] : nullptr);
}

int TPageControl::TabIndex() {
    if (HandleAllocated()) return static_cast<int>(SendMessageW(handle_, TCM_GETCURSEL, 0, 0));
    return ActivePageIndex();
}

void TPageControl::ShowActivePage() {
    int index = ActivePageIndex();
    if (HandleAllocated() && SendMessageW(handle_, TCM_GETCURSEL, 0, 0) != index)
        SendMessageW(handle_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    // Show the new page before hiding the others so the area never flashes empty.
    if (activePage_) {
        activePage_->SetVisible(true);
        if (activePage_->HandleAllocated())
            SetWindowPos(activePage_->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    for (TTabSheet* page : pages_)
        if (page != activePage_) page->SetVisible(false);
}

void TPageControl::SetStyle(TTabStyle style) {
    if (style == style_) return;
    style_ = style;
    RecreateWnd();
}

void TPageControl::SetTabPosition(TTabPosition position) {
    if (position == tabPosition_) return;
    tabPosition_ = position;
    RecreateWnd();
}

void TPageControl::UpdateTab(TTabSheet* page) {
    auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end() || !HandleAllocated()) return;
    std::wstring caption = page->Caption();
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(handle_, TCM_SETITEMW, static_cast<WPARAM>(it - pages_.begin()), reinterpret_cast<LPARAM>(&item));
    LayoutPages();
}

void TPageControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CN_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(message.LParam);
        if (!header) break;
        if (header->code == TCN_SELCHANGING) {
            bool allow = true;
            if (OnChanging) OnChanging(this, allow);
            message.Result = allow ? FALSE : TRUE;
            return;
        }
        if (header->code == TCN_SELCHANGE) {
            int index = static_cast<int>(SendMessageW(handle_, TCM_GETCURSEL, 0, 0));
            if (index >= 0 && index < PageCount()) {
                activePage_ = pages_[static_cast<size_t>(index)];
                ShowActivePage();
            }
            if (OnChange) OnChange(this);
            return;
        }
        break;
    }
    case WM_SIZE:
        TWinControl::WndProc(message);
        LayoutPages();
        return;
    case CM_DIALOGKEY: {
        // Ctrl+Tab and Ctrl+Shift+Tab turn the pages while the focus is on
        // the page control or anywhere on its pages.
        HWND focus = GetFocus();
        const bool ours = HandleAllocated() && focus && (focus == handle_ || IsChild(handle_, focus));
        if (message.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0 && ours) {
            SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
            message.Result = 1;
            return;
        }
        break;
    }
    }
    TWinControl::WndProc(message);
}

void TPageControl::SelectNextPage(bool goForward) {
    if (PageCount() < 2) return;
    const int count = PageCount();
    const int next = ((ActivePageIndex() < 0 ? 0 : ActivePageIndex()) + (goForward ? 1 : count - 1)) % count;
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    if (!allow) return;
    SetActivePageIndex(next);
    if (OnChange) OnChange(this);
}
