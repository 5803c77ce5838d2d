#include "toolkit/ListView.h"

#include <commctrl.h>

#include <stdexcept>

// ---- columns ----

TListColumn::TListColumn(TCollection* collection) : TCollectionItem(collection) {}

void TListColumn::Changed() {
    if (auto* columns = dynamic_cast<TListColumns*>(Collection())) columns->View()->ColumnsChanged();
}
void TListColumn::SetCaption(const std::wstring& caption) {
    caption_ = caption;
    Changed();
}
void TListColumn::SetWidth(int width) {
    width_ = width;
    Changed();
}
void TListColumn::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Changed();
}

TListColumns::TListColumns(TListView* view) : TTypedCollection<TListColumn>(view), view_(view) {}

TListColumn* TListColumns::Add() {
    TListColumn* column = TTypedCollection<TListColumn>::Add();
    view_->ColumnsChanged();
    return column;
}
void TListColumns::Delete(int index) {
    TTypedCollection<TListColumn>::Delete(index);
    view_->ColumnsChanged();
}
void TListColumns::Clear() {
    TTypedCollection<TListColumn>::Clear();
    view_->ColumnsChanged();
}

// ---- items ----

TListItem::TListItem(TListItems* owner) : owner_(owner) {
    subItems_.Listener = [this](TStrings::Change, int, const std::wstring&) { SubItemsChanged(); };
}

TListView* TListItem::ListView() const { return owner_->Owner(); }
int TListItem::Index() const { return owner_->IndexOf(this); }

void TListItem::SetCaption(const std::wstring& caption) {
    caption_ = caption;
    ListView()->ItemChanged(this);
}
void TListItem::SetImageIndex(int index) {
    imageIndex_ = index;
    ListView()->ItemChanged(this);
}
void TListItem::SubItemsChanged() { ListView()->ItemChanged(this); }

bool TListItem::Checked() const {
    if (ListView()->HandleAllocated() && ListView()->Checkboxes()) return ListView()->ItemStateFromWindow(this, LVIS_STATEIMAGEMASK);
    return checked_;
}
void TListItem::SetChecked(bool value) {
    checked_ = value;
    ListView()->SetItemState(this, LVIS_STATEIMAGEMASK, value);
}
bool TListItem::Selected() const {
    if (ListView()->HandleAllocated()) return ListView()->ItemStateFromWindow(this, LVIS_SELECTED);
    return selected_;
}
void TListItem::SetSelected(bool value) {
    selected_ = value;
    ListView()->SetItemState(this, LVIS_SELECTED, value);
}

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int index) {
    if (index < 0 || index > Count()) index = Count();
    items_.insert(items_.begin() + index, std::make_unique<TListItem>(this));
    view_->ItemInserted(index);
    return items_[static_cast<size_t>(index)].get();
}

TListItem* TListItems::Item(int index) const {
    if (index < 0 || index >= Count()) throw std::out_of_range("list item index out of range");
    return items_[static_cast<size_t>(index)].get();
}

int TListItems::IndexOf(const TListItem* item) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == item) return static_cast<int>(i);
    return -1;
}

void TListItems::Delete(int index) {
    if (index < 0 || index >= Count()) throw std::out_of_range("list item index out of range");
    view_->ItemDeleting(index);
    items_.erase(items_.begin() + index);
}

void TListItems::Clear() {
    view_->ItemsCleared();
    items_.clear();
}

// ---- the view ----

namespace {

int ColumnFormat(TAlignment a) {
    switch (a) {
    case taRightJustify: return LVCFMT_RIGHT;
    case taCenter: return LVCFMT_CENTER;
    default: return LVCFMT_LEFT;
    }
}

DWORD ViewStyleBits(TViewStyle style) {
    switch (style) {
    case vsSmallIcon: return LVS_SMALLICON;
    case vsList: return LVS_LIST;
    case vsReport: return LVS_REPORT;
    default: return LVS_ICON;
    }
}

// Keeps the "no events" flag set for one scope, restoring the previous value.
class FillingScope {
public:
    explicit FillingScope(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~FillingScope() { flag_ = old_; }

private:
    bool& flag_;
    bool old_;
};

}  // namespace

TListView::TListView(TComponent* AOwner) : TWinControl(AOwner) {
    tabStop_ = true;
    color_ = clWindow;
    width_ = 250;
    height_ = 150;
}

TListView::~TListView() {
    SetDestroying();
    // The window goes with the base; the items must not be told about it.
    filling_ = true;
}

void TListView::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = WC_LISTVIEWW;
    params.Style |= LVS_SHAREIMAGELISTS | ViewStyleBits(viewStyle_);
    if (!readOnly_) params.Style |= LVS_EDITLABELS;
    if (!multiSelect_) params.Style |= LVS_SINGLESEL;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListView::CreateWindowHandleDone() {
    FillingScope scope(filling_);
    ApplyExtendedStyle();
    ApplyImages();
    ColumnsChanged();
    for (int i = 0; i < items_.Count(); ++i) ShowItem(i, true);
}

void TListView::SaveWindowState() {
    if (HandleAllocated())
        for (int i = 0; i < items_.Count(); ++i) {
            TListItem* item = items_.Item(i);
            item->selected_ = ItemStateFromWindow(item, LVIS_SELECTED);
            if (checkboxes_) item->checked_ = ItemStateFromWindow(item, LVIS_STATEIMAGEMASK);
        }
    TWinControl::SaveWindowState();
}

void TListView::ApplyExtendedStyle() {
    if (!HandleAllocated()) return;
    DWORD mask = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;
    DWORD bits = (checkboxes_ ? LVS_EX_CHECKBOXES : 0) | (rowSelect_ ? LVS_EX_FULLROWSELECT : 0) |
                 (gridLines_ ? LVS_EX_GRIDLINES : 0);
    SendMessageW(handle_, LVM_SETEXTENDEDLISTVIEWSTYLE, mask, bits);
}

void TListView::ApplyImages() {
    if (!HandleAllocated()) return;
    SendMessageW(handle_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(smallImages_.Handle()));
    SendMessageW(handle_, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(largeImages_.Handle()));
}

void TListView::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    smallImages_.Notification(component, operation);
    largeImages_.Notification(component, operation);
}

void TListView::ColumnsChanged() {
    if (!HandleAllocated()) return;
    FillingScope scope(filling_);
    HWND header = HeaderHandle();
    int shown = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    // Columns are changed in place: the first column of a list view cannot
    // always be deleted, and the items' texts stay attached to theirs.
    for (int i = 0; i < columns_.Count(); ++i) {
        TListColumn* column = columns_.Items(i);
        std::wstring caption = column->Caption();
        LVCOLUMNW lvc{};
        lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        lvc.fmt = i == 0 ? LVCFMT_LEFT : ColumnFormat(column->Alignment());
        lvc.cx = column->Width();
        lvc.pszText = caption.data();
        lvc.iSubItem = i;
        SendMessageW(handle_, i < shown ? LVM_SETCOLUMNW : LVM_INSERTCOLUMNW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&lvc));
    }
    for (int i = shown - 1; i >= columns_.Count(); --i) SendMessageW(handle_, LVM_DELETECOLUMN, static_cast<WPARAM>(i), 0);
    // Sub-item texts of new columns.
    for (int i = 0; i < items_.Count(); ++i) ShowItem(i, false);
}

void TListView::ShowItem(int index, bool insert) {
    TListItem* source = items_.Item(index);
    std::wstring caption = source->Caption();
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = index;
    item.pszText = caption.data();
    item.iImage = source->ImageIndex();
    item.lParam = reinterpret_cast<LPARAM>(source);
    SendMessageW(handle_, insert ? LVM_INSERTITEMW : LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (int column = 1; column < std::max(columns_.Count(), source->SubItems().Count() + 1); ++column) {
        std::wstring text = column - 1 < source->SubItems().Count() ? source->SubItems().Strings(column - 1) : L"";
        LVITEMW sub{};
        sub.iSubItem = column;
        sub.pszText = text.data();
        SendMessageW(handle_, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&sub));
    }
    if (insert) {
        if (checkboxes_) SetItemState(source, LVIS_STATEIMAGEMASK, source->checked_);
        if (source->selected_) SetItemState(source, LVIS_SELECTED, true);
    }
}

void TListView::ItemInserted(int index) {
    if (!HandleAllocated()) return;
    FillingScope scope(filling_);
    ShowItem(index, true);
}

void TListView::ItemDeleting(int index) {
    if (!HandleAllocated()) return;
    FillingScope scope(filling_);
    SendMessageW(handle_, LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
}

void TListView::ItemsCleared() {
    if (!HandleAllocated()) return;
    FillingScope scope(filling_);
    SendMessageW(handle_, LVM_DELETEALLITEMS, 0, 0);
}

void TListView::ItemChanged(TListItem* item) {
    int index = items_.IndexOf(item);
    if (!HandleAllocated() || index < 0) return;
    FillingScope scope(filling_);
    ShowItem(index, false);
}

bool TListView::ItemStateFromWindow(const TListItem* item, UINT mask) const {
    int index = items_.IndexOf(item);
    if (index < 0 || !handle_) return false;
    UINT state = static_cast<UINT>(SendMessageW(handle_, LVM_GETITEMSTATE, static_cast<WPARAM>(index), mask));
    // The check mark is state image 2 (1 is the empty box).
    if (mask == LVIS_STATEIMAGEMASK) return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
    return (state & mask) != 0;
}

void TListView::SetItemState(TListItem* item, UINT mask, bool value) {
    int index = items_.IndexOf(item);
    if (index < 0 || !HandleAllocated()) return;
    LVITEMW state{};
    state.stateMask = mask;
    if (mask == LVIS_STATEIMAGEMASK) {
        if (!checkboxes_) return;
        state.state = INDEXTOSTATEIMAGEMASK(value ? 2 : 1);
    } else {
        if (mask == LVIS_SELECTED) state.stateMask |= LVIS_FOCUSED;
        state.state = value ? state.stateMask : 0;
    }
    SendMessageW(handle_, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
}

TListItem* TListView::Selected() const {
    int index = ItemIndex();
    return index >= 0 ? items_.Item(index) : nullptr;
}

void TListView::SetSelected(TListItem* item) {
    for (int i = 0; i < items_.Count(); ++i)
        if (items_.Item(i) != item && items_.Item(i)->Selected()) items_.Item(i)->SetSelected(false);
    if (item && items_.IndexOf(item) >= 0) item->SetSelected(true);
}

int TListView::ItemIndex() const {
    if (handle_) return static_cast<int>(SendMessageW(handle_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    for (int i = 0; i < items_.Count(); ++i)
        if (items_.Item(i)->selected_) return i;
    return -1;
}

void TListView::SetItemIndex(int index) {
    SetSelected(index >= 0 && index < items_.Count() ? items_.Item(index) : nullptr);
}

HWND TListView::HeaderHandle() {
    return reinterpret_cast<HWND>(SendMessageW(Handle(), LVM_GETHEADER, 0, 0));
}

void TListView::SetViewStyle(TViewStyle style) {
    viewStyle_ = style;
    ApplyStyle(ViewStyleBits(style), LVS_TYPEMASK & ~ViewStyleBits(style));
}

void TListView::SetCheckboxes(bool value) {
    if (value == checkboxes_) return;
    // Marks set while there were no boxes are kept for when they appear.
    SaveWindowState();
    checkboxes_ = value;
    ApplyExtendedStyle();
    if (value && HandleAllocated()) {
        FillingScope scope(filling_);
        for (int i = 0; i < items_.Count(); ++i) SetItemState(items_.Item(i), LVIS_STATEIMAGEMASK, items_.Item(i)->checked_);
    }
}

void TListView::SetRowSelect(bool value) {
    rowSelect_ = value;
    ApplyExtendedStyle();
}

void TListView::SetGridLines(bool value) {
    gridLines_ = value;
    ApplyExtendedStyle();
}

void TListView::SetReadOnly(bool value) {
    readOnly_ = value;
    ApplyStyle(value ? 0 : LVS_EDITLABELS, value ? LVS_EDITLABELS : 0);
}

void TListView::SetMultiSelect(bool value) {
    multiSelect_ = value;
    ApplyStyle(value ? 0 : LVS_SINGLESEL, value ? LVS_SINGLESEL : 0);
}

void TListView::ItemChangedHandler(const NMLISTVIEW& change) {
    if (filling_ || change.iItem < 0 || change.iItem >= items_.Count()) return;
    TListItem* item = items_.Item(change.iItem);
    if (!(change.uChanged & LVIF_STATE)) {
        if (OnChange) OnChange(this, item, (change.uChanged & LVIF_IMAGE) ? ctImage : ctText);
        return;
    }
    UINT changed = change.uNewState ^ change.uOldState;
    if (!(changed & (LVIS_SELECTED | LVIS_STATEIMAGEMASK))) return;
    if (changed & LVIS_SELECTED) {
        item->selected_ = (change.uNewState & LVIS_SELECTED) != 0;
        if (OnSelectItem) OnSelectItem(this, item, item->selected_);
    }
    if (changed & LVIS_STATEIMAGEMASK) item->checked_ = ((change.uNewState & LVIS_STATEIMAGEMASK) >> 12) == 2;
    if (OnChange) OnChange(this, item, ctState);
}

void TListView::EndLabelEditHandler(TMessage& message) {
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(message.LParam);
    message.Result = FALSE;
    // No text: the edit was cancelled.
    if (!info->item.pszText || info->item.iItem < 0 || info->item.iItem >= items_.Count()) return;
    TListItem* item = items_.Item(info->item.iItem);
    item->caption_ = info->item.pszText;
    if (OnChange) OnChange(this, item, ctText);
    message.Result = TRUE;
}

void TListView::ColumnClickHandler(const NMLISTVIEW& info) {
    if (OnColumnClick && info.iSubItem >= 0 && info.iSubItem < columns_.Count()) OnColumnClick(this, columns_.Items(info.iSubItem));
}

void TListView::NotifyHandler(TMessage& message) {
    auto* header = reinterpret_cast<NMHDR*>(message.LParam);
    switch (header->code) {
    case NM_CLICK: Click(); break;
    case NM_DBLCLK:
        if (OnDblClick) OnDblClick(this);
        break;
    case LVN_ITEMCHANGED: ItemChangedHandler(*reinterpret_cast<NMLISTVIEW*>(message.LParam)); break;
    case LVN_COLUMNCLICK: ColumnClickHandler(*reinterpret_cast<NMLISTVIEW*>(message.LParam)); break;
    case LVN_ENDLABELEDITW: EndLabelEditHandler(message); return;
    }
    message.Result = 0;
}

void TListView::WndProc(TMessage& message) {
    if (message.Msg == CN_NOTIFY && message.LParam) {
        NotifyHandler(message);
        return;
    }
    TWinControl::WndProc(message);
}
