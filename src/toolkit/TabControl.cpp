#include "toolkit/TabControl.h"

#include <commctrl.h>

#include <algorithm>

TTabControl::TTabControl(TComponent* AOwner) : TWinControl(AOwner) {
    tabStop_ = true;
    width_ = 289;
    height_ = 193;
    tabs_.Listener = [this](TStrings::Change c, int i, const std::wstring& v) { TabsChanged(c, i, v); };
}

TTabControl::~TTabControl() {
    SetDestroying();
    tabs_.Listener = nullptr;
}

void TTabControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = WC_TABCONTROLW;
    params.Style |= WS_CLIPCHILDREN;
    if (multiLine_) params.Style |= TCS_MULTILINE;
    if (style_ != tsTabs) params.Style |= TCS_BUTTONS;
    if (style_ == tsFlatButtons) params.Style |= TCS_FLATBUTTONS;
    if (tabPosition_ == tpBottom) params.Style |= TCS_BOTTOM;
    // Tabs on a side only exist as several rows.
    if (tabPosition_ == tpLeft || tabPosition_ == tpRight) params.Style |= TCS_VERTICAL | TCS_MULTILINE;
    if (tabPosition_ == tpRight) params.Style |= TCS_RIGHT;
}

void TTabControl::CreateWindowHandleDone() {
    ApplyImages();
    FillWindow();
}

void TTabControl::SaveWindowState() {
    if (HandleAllocated()) tabIndex_ = TabIndex();
    TWinControl::SaveWindowState();
}

void TTabControl::Loaded() {
    TWinControl::Loaded();
    // TabIndex may come before Tabs in a form resource.
    SetTabIndex(tabIndex_);
}

void TTabControl::ApplyImages() {
    if (HandleAllocated()) SendMessageW(handle_, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.Handle()));
}

void TTabControl::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    images_.Notification(component, operation);
}

void TTabControl::ShowTab(int index, bool insert) {
    std::wstring text = tabs_.Strings(index);
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = text.data();
    item.iImage = TabImage(index);
    SendMessageW(handle_, insert ? TCM_INSERTITEMW : TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void TTabControl::FillWindow() {
    SendMessageW(handle_, TCM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < tabs_.Count(); ++i) ShowTab(i, true);
    SendMessageW(handle_, TCM_SETCURSEL, static_cast<WPARAM>(tabIndex_), 0);
}

void TTabControl::TabsChanged(TStrings::Change change, int index, const std::wstring&) {
    // Without a window the selected tab keeps pointing at the same entry.
    const bool follow = !HandleAllocated() && !IsLoading();
    switch (change) {
    case TStrings::Change::Insert:
        tabImages_.insert(tabImages_.begin() + std::min<size_t>(static_cast<size_t>(index), tabImages_.size()), -1);
        if (follow && tabIndex_ >= index) ++tabIndex_;
        if (HandleAllocated()) ShowTab(index, true);
        break;
    case TStrings::Change::Delete:
        if (static_cast<size_t>(index) < tabImages_.size()) tabImages_.erase(tabImages_.begin() + index);
        if (follow) tabIndex_ = tabIndex_ == index ? -1 : tabIndex_ > index ? tabIndex_ - 1 : tabIndex_;
        if (HandleAllocated()) SendMessageW(handle_, TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
        break;
    case TStrings::Change::Put:
        if (HandleAllocated()) ShowTab(index, false);
        break;
    case TStrings::Change::Clear:
        tabImages_.clear();
        if (!IsLoading()) tabIndex_ = -1;
        if (HandleAllocated()) SendMessageW(handle_, TCM_DELETEALLITEMS, 0, 0);
        break;
    }
}

int TTabControl::TabIndex() const {
    if (handle_) return static_cast<int>(SendMessageW(handle_, TCM_GETCURSEL, 0, 0));
    return tabIndex_;
}

void TTabControl::SetTabIndex(int index) {
    if (IsLoading()) {
        tabIndex_ = index;
        return;
    }
    if (index < 0 || index >= tabs_.Count()) index = -1;
    tabIndex_ = index;
    if (HandleAllocated()) SendMessageW(handle_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int TTabControl::TabImage(int index) const {
    return index >= 0 && static_cast<size_t>(index) < tabImages_.size() ? tabImages_[static_cast<size_t>(index)] : -1;
}

void TTabControl::SetTabImage(int index, int image) {
    if (index < 0 || index >= tabs_.Count()) return;
    if (tabImages_.size() < static_cast<size_t>(tabs_.Count())) tabImages_.resize(static_cast<size_t>(tabs_.Count()), -1);
    tabImages_[static_cast<size_t>(index)] = image;
    if (HandleAllocated()) ShowTab(index, false);
}

void TTabControl::SetMultiLine(bool value) {
    if (value == multiLine_) return;
    multiLine_ = value;
    RecreateWnd();
}

void TTabControl::SetStyle(TTabStyle style) {
    if (style == style_) return;
    style_ = style;
    RecreateWnd();
}

void TTabControl::SetTabPosition(TTabPosition position) {
    if (position == tabPosition_) return;
    tabPosition_ = position;
    RecreateWnd();
}

RECT TTabControl::DisplayRect() { return TabDisplayRect(HandleAllocated() ? handle_ : nullptr, ClientRect()); }

LRESULT TTabControl::ChangingHandler() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    // Non-zero keeps the current tab.
    return allow ? FALSE : TRUE;
}

void TTabControl::ChangeHandler() {
    tabIndex_ = TabIndex();
    if (OnChange) OnChange(this);
}

void TTabControl::NotifyHandler(TMessage& message) {
    auto* header = reinterpret_cast<NMHDR*>(message.LParam);
    message.Result = 0;
    switch (header->code) {
    case TCN_SELCHANGING: message.Result = ChangingHandler(); break;
    case TCN_SELCHANGE: ChangeHandler(); break;
    }
}

void TTabControl::WndProc(TMessage& message) {
    if (message.Msg == CN_NOTIFY && message.LParam) {
        NotifyHandler(message);
        return;
    }
    TWinControl::WndProc(message);
}
