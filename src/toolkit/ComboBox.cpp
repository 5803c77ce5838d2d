#include "toolkit/ComboBox.h"

#include "toolkit/Form.h"

TComboBox::TComboBox(TComponent* AOwner) : TWinControl(AOwner) {
    tabStop_ = true;
    color_ = clWindow;
    width_ = 145;
    height_ = 21;
    items_.Listener = [this](TStrings::Change c, int i, const std::wstring& v) { ItemsChanged(c, i, v); };
}

int TComboBox::WindowHeight() const {
    // A drop-down combo's window height includes its list.
    if (style_ == csSimple) return height_;
    return height_ + dropDownCount_ * 18 + 2;
}

void TComboBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = L"COMBOBOX";
    params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
    switch (style_) {
    case csDropDown: params.Style |= CBS_DROPDOWN; break;
    case csSimple: params.Style |= CBS_SIMPLE; break;
    case csDropDownList: params.Style |= CBS_DROPDOWNLIST; break;
    case csOwnerDrawFixed: params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED; break;
    case csOwnerDrawVariable: params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE; break;
    }
    params.Height = WindowHeight();
}

void TComboBox::CreateWindowHandleDone() {
    for (int i = 0; i < items_.Count(); ++i)
        SendMessageW(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items_.Strings(i).c_str()));
    if (maxLength_) SendMessageW(handle_, CB_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    std::wstring text = text_;
    if (itemIndex_ >= 0 && itemIndex_ < items_.Count()) {
        SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
    } else if (style_ == csDropDown || style_ == csSimple) {
        SetWindowTextW(handle_, text.c_str());
    }
}

void TComboBox::SaveWindowState() {
    if (HandleAllocated()) itemIndex_ = ItemIndex();
    TWinControl::SaveWindowState();
}

void TComboBox::SetBounds(int left, int top, int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (HandleAllocated()) SetWindowPos(handle_, nullptr, left, top, width, WindowHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TComboBox::ItemsChanged(TStrings::Change change, int index, const std::wstring& value) {
    if (!HandleAllocated()) {
        if (change == TStrings::Change::Clear) itemIndex_ = -1;
        return;
    }
    switch (change) {
    case TStrings::Change::Insert:
        SendMessageW(handle_, CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(value.c_str()));
        break;
    case TStrings::Change::Delete: SendMessageW(handle_, CB_DELETESTRING, static_cast<WPARAM>(index), 0); break;
    case TStrings::Change::Put: {
        int selected = static_cast<int>(SendMessageW(handle_, CB_GETCURSEL, 0, 0));
        SendMessageW(handle_, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
        SendMessageW(handle_, CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(value.c_str()));
        if (selected == index) SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        break;
    }
    case TStrings::Change::Clear: {
        // Keep what the edit shows; only the list goes.
        std::wstring text = GetText();
        SendMessageW(handle_, CB_RESETCONTENT, 0, 0);
        if (style_ == csDropDown || style_ == csSimple) SetWindowTextW(handle_, text.c_str());
        break;
    }
    }
}

int TComboBox::ItemIndex() {
    if (typedSinceSelection_) return -1;
    if (HandleAllocated()) return static_cast<int>(SendMessageW(handle_, CB_GETCURSEL, 0, 0));
    return itemIndex_;
}

void TComboBox::Loaded() {
    TWinControl::Loaded();
    // ItemIndex may come before Items in a form resource.
    int index = itemIndex_;
    std::wstring text = text_;
    SetItemIndex(index);
    if (itemIndex_ < 0 && style_ != csDropDownList) SetText(text);
}

void TComboBox::SetItemIndex(int index) {
    if (IsLoading()) {
        itemIndex_ = index;
        return;
    }
    if (index < 0 || index >= items_.Count()) index = -1;
    typedSinceSelection_ = false;
    itemIndex_ = index;
    if (HandleAllocated()) {
        SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    } else {
        text_ = index >= 0 ? items_.Strings(index) : (style_ == csDropDownList ? L"" : text_);
    }
}

void TComboBox::SetStyle(TComboBoxStyle style) {
    if (style == style_) return;
    style_ = style;
    RecreateWnd();
}

void TComboBox::SetMaxLength(int n) {
    maxLength_ = n < 0 ? 0 : n;
    if (HandleAllocated()) SendMessageW(handle_, CB_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

// A simple combo's list is always shown and never "dropped down": Enter and
// Esc must still reach the form's buttons.
bool TComboBox::DroppedDown() {
    return style_ != csSimple && HandleAllocated() && SendMessageW(handle_, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TComboBox::SetDroppedDown(bool value) {
    if (style_ != csSimple && HandleAllocated()) SendMessageW(handle_, CB_SHOWDROPDOWN, value, 0);
}

void TComboBox::Change() {
    if (OnChange && !IsLoading()) OnChange(this);
}

void TComboBox::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CN_COMMAND:
        switch (HIWORD(message.WParam)) {
        case CBN_SELCHANGE: {
            typedSinceSelection_ = false;
            int index = static_cast<int>(SendMessageW(handle_, CB_GETCURSEL, 0, 0));
            itemIndex_ = index;
            // The edit shows the new item only after this notification; make
            // Text right for the handler.
            if (index >= 0 && index < items_.Count() && style_ != csDropDownList)
                SetWindowTextW(handle_, items_.Strings(index).c_str());
            if (OnSelect) OnSelect(this);
            Change();
            break;
        }
        case CBN_EDITCHANGE:
            typedSinceSelection_ = true;
            Change();
            break;
        case CBN_DROPDOWN:
            if (OnDropDown) OnDropDown(this);
            break;
        case CBN_CLOSEUP:
            if (OnCloseUp) OnCloseUp(this);
            break;
        case CBN_SETFOCUS:
            if (TForm* form = ParentForm()) form->FocusChanged(this);
            break;
        }
        message.Result = 0;
        return;
    case CN_KEYDOWN:
        // Enter and Esc close an open list instead of acting on the form.
        if ((message.WParam == VK_RETURN || message.WParam == VK_ESCAPE) && DroppedDown()) return;
        break;
    }
    TWinControl::WndProc(message);
}
