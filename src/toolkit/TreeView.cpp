#include "toolkit/TreeView.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

namespace {

class FillingScope {
public:
    explicit FillingScope(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~FillingScope() { flag_ = old_; }

private:
    bool& flag_;
    bool old_;
};

bool Contains(const TTreeNode* branch, const TTreeNode* node) {
    for (const TTreeNode* n = node; n; n = n->Parent())
        if (n == branch) return true;
    return false;
}

}  // namespace

// ---- nodes ----

TTreeNode::TTreeNode(TTreeNodes* owner, TTreeNode* parent) : owner_(owner), parent_(parent) {}
TTreeNode::~TTreeNode() = default;

TTreeNode* TTreeNode::Item(int index) const {
    if (index < 0 || index >= Count()) throw std::out_of_range("tree node index out of range");
    return children_[static_cast<size_t>(index)].get();
}

int TTreeNode::Index() const {
    const auto& list = owner_->ListOf(parent_);
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].get() == this) return static_cast<int>(i);
    return -1;
}

int TTreeNode::Level() const {
    int level = 0;
    for (const TTreeNode* n = parent_; n; n = n->parent_) ++level;
    return level;
}

void TTreeNode::SetText(const std::wstring& text) {
    text_ = text;
    owner_->Owner()->NodeChanged(this);
}
void TTreeNode::SetImageIndex(int index) {
    imageIndex_ = index;
    owner_->Owner()->NodeChanged(this);
}
void TTreeNode::SetSelectedIndex(int index) {
    selectedIndex_ = index;
    owner_->Owner()->NodeChanged(this);
}

bool TTreeNode::Expanded() const {
    if (item_ && owner_->Owner()->HandleAllocated()) return owner_->Owner()->NodeStateFromWindow(this, TVIS_EXPANDED);
    return expanded_;
}

void TTreeNode::SetExpanded(bool value) {
    expanded_ = value;
    owner_->Owner()->NodeExpand(this, value);
}

bool TTreeNode::Selected() const { return owner_->Owner()->Selected() == this; }

TTreeNodes::~TTreeNodes() {
    // The view is going: nothing to tell it.
    roots_.clear();
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::wstring& text) {
    return AddChild(sibling ? sibling->parent_ : nullptr, text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::wstring& text) {
    if (parent && parent->owner_ != this) throw std::invalid_argument("tree node of another view");
    auto& list = ListOf(parent);
    list.push_back(std::make_unique<TTreeNode>(this, parent));
    TTreeNode* node = list.back().get();
    node->text_ = text;
    view_->NodeAdded(node);
    return node;
}

void TTreeNodes::Delete(TTreeNode* node) {
    if (!node || node->owner_ != this) return;
    view_->NodeDeleting(node);
    auto& list = ListOf(node->parent_);
    list.erase(std::find_if(list.begin(), list.end(), [node](const auto& p) { return p.get() == node; }));
}

void TTreeNodes::Clear() {
    while (!roots_.empty()) Delete(roots_.back().get());
}

int TTreeNodes::Count() const {
    std::function<int(const std::vector<std::unique_ptr<TTreeNode>>&)> count = [&](const auto& list) {
        int n = 0;
        for (const auto& node : list) n += 1 + count(node->children_);
        return n;
    };
    return count(roots_);
}

TTreeNode* TTreeNodes::Item(int index) const {
    int left = index;
    std::function<TTreeNode*(const std::vector<std::unique_ptr<TTreeNode>>&)> find = [&](const auto& list) -> TTreeNode* {
        for (const auto& node : list) {
            if (left-- == 0) return node.get();
            if (TTreeNode* found = find(node->children_)) return found;
        }
        return nullptr;
    };
    TTreeNode* node = index >= 0 ? find(roots_) : nullptr;
    if (!node) throw std::out_of_range("tree node index out of range");
    return node;
}

TTreeNode* TTreeNodes::Root(int index) const {
    if (index < 0 || index >= RootCount()) throw std::out_of_range("tree node index out of range");
    return roots_[static_cast<size_t>(index)].get();
}

// ---- the view ----

TTreeView::TTreeView(TComponent* AOwner) : TWinControl(AOwner) {
    tabStop_ = true;
    color_ = clWindow;
    width_ = 121;
    height_ = 97;
}

TTreeView::~TTreeView() {
    SetDestroying();
    filling_ = true;
}

void TTreeView::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = WC_TREEVIEWW;
    if (showLines_) params.Style |= TVS_HASLINES;
    if (showButtons_) params.Style |= TVS_HASBUTTONS;
    if (showRoot_) params.Style |= TVS_LINESATROOT;
    if (!readOnly_) params.Style |= TVS_EDITLABELS;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TTreeView::CreateWindowHandleDone() {
    FillingScope scope(filling_);
    ApplyImages();
    for (const auto& root : items_.roots_) InsertBranch(root.get());
    if (selected_ && selected_->item_) SendMessageW(handle_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(selected_->item_));
}

void TTreeView::InsertBranch(TTreeNode* node) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = node->parent_ ? node->parent_->item_ : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = node->text_.data();
    insert.item.iImage = node->imageIndex_;
    insert.item.iSelectedImage = node->selectedIndex_;
    insert.item.lParam = reinterpret_cast<LPARAM>(node);
    node->item_ = reinterpret_cast<HTREEITEM>(SendMessageW(handle_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    for (const auto& child : node->children_) InsertBranch(child.get());
    // A node can only open once it has children in the window.
    if (node->expanded_ && node->HasChildren())
        SendMessageW(handle_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node->item_));
}

void TTreeView::SaveBranch(TTreeNode* node) {
    if (node->item_) node->expanded_ = NodeStateFromWindow(node, TVIS_EXPANDED);
    for (const auto& child : node->children_) SaveBranch(child.get());
}

void TTreeView::SaveWindowState() {
    if (HandleAllocated()) {
        selected_ = Selected();
        for (const auto& root : items_.roots_) SaveBranch(root.get());
    }
    TWinControl::SaveWindowState();
}

void TTreeView::DestroyWnd() {
    // The window tells about its items as it goes; the nodes keep what was saved.
    FillingScope scope(filling_);
    TWinControl::DestroyWnd();
}

void TTreeView::ApplyImages() {
    if (HandleAllocated()) SendMessageW(handle_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_.Handle()));
}

void TTreeView::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    images_.Notification(component, operation);
}

void TTreeView::NodeAdded(TTreeNode* node) {
    if (!HandleAllocated()) return;
    FillingScope scope(filling_);
    InsertBranch(node);
    // A parent asked to be open before it had children opens now.
    if (TTreeNode* parent = node->parent_; parent && parent->expanded_ && parent->Count() == 1)
        SendMessageW(handle_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent->item_));
}

void TTreeView::NodeDeleting(TTreeNode* node) {
    if (Contains(node, selected_)) selected_ = nullptr;
    if (!HandleAllocated() || !node->item_) return;
    FillingScope scope(filling_);
    SendMessageW(handle_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node->item_));
}

void TTreeView::NodeChanged(TTreeNode* node) {
    if (!HandleAllocated() || !node->item_) return;
    TVITEMW item{};
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = node->item_;
    item.pszText = node->text_.data();
    item.iImage = node->imageIndex_;
    item.iSelectedImage = node->selectedIndex_;
    SendMessageW(handle_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void TTreeView::NodeExpand(TTreeNode* node, bool expand) {
    if (!HandleAllocated() || !node->item_) return;
    SendMessageW(handle_, TVM_EXPAND, expand ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(node->item_));
}

bool TTreeView::NodeStateFromWindow(const TTreeNode* node, UINT mask) const {
    if (!handle_ || !node->item_) return false;
    return (SendMessageW(handle_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(node->item_), mask) & mask) != 0;
}

TTreeNode* TTreeView::Selected() const {
    if (!handle_) return selected_;
    auto item = reinterpret_cast<HTREEITEM>(SendMessageW(handle_, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!item) return nullptr;
    TVITEMW query{};
    query.mask = TVIF_PARAM;
    query.hItem = item;
    if (!SendMessageW(handle_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query))) return nullptr;
    return NodeOf(query);
}

void TTreeView::SetSelected(TTreeNode* node) {
    if (node && node->owner_ != &items_) return;
    selected_ = node;
    if (HandleAllocated())
        SendMessageW(handle_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node ? node->item_ : nullptr));
}

void TTreeView::SetShowLines(bool value) {
    showLines_ = value;
    ApplyStyle(value ? TVS_HASLINES : 0, value ? 0 : TVS_HASLINES);
    Invalidate();
}
void TTreeView::SetShowButtons(bool value) {
    showButtons_ = value;
    ApplyStyle(value ? TVS_HASBUTTONS : 0, value ? 0 : TVS_HASBUTTONS);
    Invalidate();
}
void TTreeView::SetShowRoot(bool value) {
    showRoot_ = value;
    ApplyStyle(value ? TVS_LINESATROOT : 0, value ? 0 : TVS_LINESATROOT);
    Invalidate();
}
void TTreeView::SetReadOnly(bool value) {
    readOnly_ = value;
    ApplyStyle(value ? 0 : TVS_EDITLABELS, value ? TVS_EDITLABELS : 0);
}

void TTreeView::ExpandingHandler(TMessage& message) {
    auto* info = reinterpret_cast<NMTREEVIEWW*>(message.LParam);
    TTreeNode* node = NodeOf(info->itemNew);
    bool allow = true;
    if (!filling_ && node) {
        if ((info->action & TVE_EXPAND) && OnExpanding) OnExpanding(this, node, allow);
        if ((info->action & TVE_COLLAPSE) && OnCollapsing) OnCollapsing(this, node, allow);
    }
    // Non-zero keeps the node as it is.
    message.Result = allow ? FALSE : TRUE;
}

void TTreeView::ExpandedHandler(const NMTREEVIEWW& info) {
    TTreeNode* node = NodeOf(info.itemNew);
    if (!node) return;
    if (filling_) return;
    node->expanded_ = (info.action & TVE_EXPAND) != 0;
    if (node->expanded_ && OnExpanded) OnExpanded(this, node);
    if (!node->expanded_ && OnCollapsed) OnCollapsed(this, node);
}

void TTreeView::SelChangedHandler(const NMTREEVIEWW& info) {
    if (filling_) return;
    selected_ = NodeOf(info.itemNew);
    if (OnChange) OnChange(this, selected_);
}

void TTreeView::EndLabelEditHandler(TMessage& message) {
    auto* info = reinterpret_cast<NMTVDISPINFOW*>(message.LParam);
    TTreeNode* node = NodeOf(info->item);
    message.Result = FALSE;
    // No text: the edit was cancelled.
    if (!info->item.pszText || !node) return;
    node->text_ = info->item.pszText;
    message.Result = TRUE;
}

void TTreeView::NotifyHandler(TMessage& message) {
    auto* header = reinterpret_cast<NMHDR*>(message.LParam);
    message.Result = 0;
    switch (header->code) {
    case TVN_ITEMEXPANDINGW:
    case TVN_ITEMEXPANDINGA: ExpandingHandler(message); break;
    case TVN_ITEMEXPANDEDW:
    case TVN_ITEMEXPANDEDA: ExpandedHandler(*reinterpret_cast<NMTREEVIEWW*>(message.LParam)); break;
    case TVN_SELCHANGEDW:
    case TVN_SELCHANGEDA: SelChangedHandler(*reinterpret_cast<NMTREEVIEWW*>(message.LParam)); break;
    case TVN_ENDLABELEDITW: EndLabelEditHandler(message); break;
    case NM_CLICK: Click(); break;
    case NM_DBLCLK:
        if (OnDblClick) OnDblClick(this);
        break;
    }
}

void TTreeView::WndProc(TMessage& message) {
    if (message.Msg == CN_NOTIFY && message.LParam) {
        NotifyHandler(message);
        return;
    }
    TWinControl::WndProc(message);
}
