#include "toolkit/ListBox.h"

#include <algorithm>
#include <utility>

TListBox::TListBox(TComponent* AOwner) : TWinControl(AOwner) {
    tabStop_ = true;
    color_ = clWindow;
    width_ = 121;
    height_ = 97;
    items_.Listener = [this](TStrings::Change c, int i, const std::wstring& v) { ItemsChanged(c, i, v); };
}

void TListBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = L"LISTBOX";
    params.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    if (multiSelect_) params.Style |= LBS_EXTENDEDSEL;
    if (sorted_) params.Style |= LBS_SORT;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::FillWindow() {
    SendMessageW(handle_, LB_RESETCONTENT, 0, 0);
    // LB_INSERTSTRING places an entry where asked even in a sorted list, so
    // the window's order is always that of Items.
    for (int i = 0; i < items_.Count(); ++i)
        SendMessageW(handle_, LB_INSERTSTRING, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(items_.Strings(i).c_str()));
}

void TListBox::CreateWindowHandleDone() {
    FillWindow();
    if (multiSelect_)
        for (int i : savedSelection_) SendMessageW(handle_, LB_SETSEL, TRUE, i);
    savedSelection_.clear();
    int index = itemIndex_;
    itemIndex_ = -1;
    if (index >= 0) SetItemIndex(index);
}

void TListBox::SaveWindowState() {
    if (HandleAllocated()) {
        itemIndex_ = ItemIndex();
        savedSelection_.clear();
        if (multiSelect_)
            for (int i = 0; i < items_.Count(); ++i)
                if (Selected(i)) savedSelection_.push_back(i);
    }
    TWinControl::SaveWindowState();
}

void TListBox::Loaded() {
    TWinControl::Loaded();
    // ItemIndex may come before Items in a form resource.
    int index = itemIndex_;
    itemIndex_ = -1;
    SetItemIndex(index);
}

void TListBox::SortItems() {
    struct Entry {
        std::wstring text;
        intptr_t data;
        bool selected;
        int from;
    };
    std::vector<Entry> entries;
    for (int i = 0; i < items_.Count(); ++i) entries.push_back({items_.Strings(i), items_.Data(i), Selected(i), i});
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.text.c_str(), -1, b.text.c_str(), -1) ==
               CSTR_LESS_THAN;
    });
    sorting_ = true;
    items_.Clear();
    for (const Entry& e : entries) items_.AddData(e.text, e.data);
    sorting_ = false;
    std::vector<int> from;
    for (const Entry& e : entries) from.push_back(e.from);
    ItemsReordered(from);
    if (HandleAllocated()) FillWindow();
    // While loading, ItemIndex is kept to be applied afterwards; otherwise the
    // selected entries stay selected at their new places.
    if (IsLoading()) return;
    itemIndex_ = -1;
    for (int i = 0; i < items_.Count(); ++i)
        if (entries[static_cast<size_t>(i)].selected) {
            if (multiSelect_ && HandleAllocated()) SendMessageW(handle_, LB_SETSEL, TRUE, i);
            else SetItemIndex(i);
        }
}

void TListBox::ItemsChanged(TStrings::Change change, int index, const std::wstring& value) {
    if (sorting_) return;
    switch (change) {
    case TStrings::Change::Insert: ItemInserted(index); break;
    case TStrings::Change::Delete: ItemDeleted(index); break;
    case TStrings::Change::Clear: ItemsCleared(); break;
    case TStrings::Change::Put: break;
    }
    if (HandleAllocated()) {
        ShowChange(change, index, value);
    } else if (change == TStrings::Change::Clear) {
        itemIndex_ = -1;
    }
    // A new or changed entry moves to its place (the window shows it first,
    // so the selection is known while sorting).
    if (sorted_ && (change == TStrings::Change::Insert || change == TStrings::Change::Put)) SortItems();
}

void TListBox::ShowChange(TStrings::Change change, int index, const std::wstring& value) {
    switch (change) {
    case TStrings::Change::Insert:
        SendMessageW(handle_, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(value.c_str()));
        break;
    case TStrings::Change::Delete: SendMessageW(handle_, LB_DELETESTRING, static_cast<WPARAM>(index), 0); break;
    case TStrings::Change::Put: {
        bool selected = Selected(index);
        SendMessageW(handle_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
        SendMessageW(handle_, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(value.c_str()));
        if (selected) SetSelected(index, true);
        break;
    }
    case TStrings::Change::Clear: SendMessageW(handle_, LB_RESETCONTENT, 0, 0); break;
    }
}

int TListBox::ItemIndex() {
    if (!HandleAllocated()) return itemIndex_;
    if (multiSelect_) {
        // The focused entry, when anything is selected.
        if (SelCount() == 0) return -1;
        return static_cast<int>(SendMessageW(handle_, LB_GETCARETINDEX, 0, 0));
    }
    return static_cast<int>(SendMessageW(handle_, LB_GETCURSEL, 0, 0));
}

void TListBox::SetItemIndex(int index) {
    if (IsLoading()) {
        itemIndex_ = index;
        return;
    }
    if (index < 0 || index >= items_.Count()) index = -1;
    itemIndex_ = index;
    if (!HandleAllocated()) return;
    if (multiSelect_) {
        SendMessageW(handle_, LB_SETSEL, FALSE, -1);
        if (index >= 0) {
            SendMessageW(handle_, LB_SETSEL, TRUE, index);
            SendMessageW(handle_, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
        }
    } else {
        SendMessageW(handle_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

bool TListBox::Selected(int index) {
    if (index < 0 || index >= items_.Count()) return false;
    if (!HandleAllocated()) return index == itemIndex_;
    return SendMessageW(handle_, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void TListBox::SetSelected(int index, bool value) {
    if (index < 0 || index >= items_.Count()) return;
    if (!multiSelect_) {
        if (value) SetItemIndex(index);
        else if (ItemIndex() == index) SetItemIndex(-1);
        return;
    }
    if (HandleAllocated()) SendMessageW(handle_, LB_SETSEL, value, index);
}

int TListBox::SelCount() {
    if (!HandleAllocated()) return itemIndex_ >= 0 ? 1 : 0;
    if (!multiSelect_) return ItemIndex() >= 0 ? 1 : 0;
    return static_cast<int>(SendMessageW(handle_, LB_GETSELCOUNT, 0, 0));
}

void TListBox::SetMultiSelect(bool value) {
    if (value == multiSelect_) return;
    if (HandleAllocated()) itemIndex_ = ItemIndex();
    savedSelection_.clear();
    multiSelect_ = value;
    if (HandleAllocated()) RecreateWnd();
}

void TListBox::SetSorted(bool value) {
    if (value == sorted_) return;
    sorted_ = value;
    if (value) SortItems();
    ApplyStyle(value ? LBS_SORT : 0, value ? 0 : LBS_SORT);
}

void TListBox::WndProc(TMessage& message) {
    if (message.Msg == CN_COMMAND) {
        switch (HIWORD(message.WParam)) {
        case LBN_SELCHANGE: Click(); break;
        case LBN_DBLCLK:
            if (OnDblClick) OnDblClick(this);
            break;
        }
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}
