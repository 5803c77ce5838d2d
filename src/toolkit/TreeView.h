#pragma once
// Tree view over the system SysTreeView32. Nodes (Text, images, children,
// Expanded) live in TTreeNodes and are shown one to one by the window; each
// window item carries its node in lParam. Expansion and selection are read
// from the window while it exists and kept in the nodes otherwise, so a new
// window (after a style change) starts the same. ShowLines, ShowButtons and
// ShowRoot are styles; ReadOnly turns label editing off. OnExpanding and
// OnCollapsing may refuse a user's expansion change (code expands silently).
#include <memory>
#include <string>
#include <vector>

#include "toolkit/ImageList.h"
#include "toolkit/WinControl.h"

class TTreeNodes;
class TTreeView;

class TTreeNode : public TObject {
public:
    TTreeNode(TTreeNodes* owner, TTreeNode* parent);
    ~TTreeNode() override;

    TTreeNodes* Owner() const { return owner_; }
    TTreeNode* Parent() const { return parent_; }
    int Count() const { return static_cast<int>(children_.size()); }
    // Throws std::out_of_range outside 0 .. Count() - 1.
    TTreeNode* Item(int index) const;
    // Position among its parent's (or the root's) nodes.
    int Index() const;
    // Depth: 0 for a root node.
    int Level() const;
    bool HasChildren() const { return !children_.empty(); }

    const std::wstring& Text() const { return text_; }
    void SetText(const std::wstring& text);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    int SelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int index);
    bool Expanded() const;
    void SetExpanded(bool value);
    void Expand() { SetExpanded(true); }
    void Collapse() { SetExpanded(false); }
    bool Selected() const;
    void* Data() const { return data_; }
    void SetData(void* data) { data_ = data; }
    // The window's item for this node (null without a window).
    HTREEITEM ItemId() const { return item_; }

private:
    friend class TTreeNodes;
    friend class TTreeView;
    TTreeNodes* owner_;
    TTreeNode* parent_;
    std::vector<std::unique_ptr<TTreeNode>> children_;
    std::wstring text_;
    int imageIndex_ = -1;
    int selectedIndex_ = -1;
    bool expanded_ = false;
    void* data_ = nullptr;
    HTREEITEM item_ = nullptr;
};

class TTreeNodes {
public:
    explicit TTreeNodes(TTreeView* view) : view_(view) {}
    ~TTreeNodes();
    TTreeView* Owner() const { return view_; }
    // A node after the last of `sibling`'s siblings (a root node when null).
    TTreeNode* Add(TTreeNode* sibling, const std::wstring& text);
    // A node after `parent`'s last child (a root node when null).
    TTreeNode* AddChild(TTreeNode* parent, const std::wstring& text);
    // Frees the node with its children.
    void Delete(TTreeNode* node);
    void Clear();
    // All nodes, counted depth first.
    int Count() const;
    // Node `index` in depth-first order; throws std::out_of_range.
    TTreeNode* Item(int index) const;
    TTreeNode* GetFirstNode() const { return roots_.empty() ? nullptr : roots_.front().get(); }
    int RootCount() const { return static_cast<int>(roots_.size()); }
    TTreeNode* Root(int index) const;

private:
    friend class TTreeNode;
    friend class TTreeView;
    std::vector<std::unique_ptr<TTreeNode>>& ListOf(TTreeNode* parent) { return parent ? parent->children_ : roots_; }
    const std::vector<std::unique_ptr<TTreeNode>>& ListOf(const TTreeNode* parent) const {
        return parent ? parent->children_ : roots_;
    }
    TTreeView* view_;
    std::vector<std::unique_ptr<TTreeNode>> roots_;
};

using TTVChangedEvent = TMethod<void(TObject* Sender, TTreeNode* Node)>;
using TTVExpandingEvent = TMethod<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVCollapsingEvent = TMethod<void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse)>;

class TTreeView : public TWinControl {
public:
    explicit TTreeView(TComponent* AOwner);
    ~TTreeView() override;

    TTreeNodes& Items() { return items_; }
    TTreeNode* Selected() const;
    void SetSelected(TTreeNode* node);
    bool ShowLines() const { return showLines_; }
    void SetShowLines(bool value);
    bool ShowButtons() const { return showButtons_; }
    void SetShowButtons(bool value);
    bool ShowRoot() const { return showRoot_; }
    void SetShowRoot(bool value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    TImageList* Images() const { return images_.Get(); }
    void SetImages(TImageList* list) { images_.Set(list); }

    TTVChangedEvent OnChange;
    TTVExpandingEvent OnExpanding;
    TTVCollapsingEvent OnCollapsing;
    TTVChangedEvent OnExpanded;
    TTVChangedEvent OnCollapsed;

    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

    // Told by the nodes.
    void NodeAdded(TTreeNode* node);
    void NodeDeleting(TTreeNode* node);
    void NodeChanged(TTreeNode* node);
    void NodeExpand(TTreeNode* node, bool expand);
    bool NodeStateFromWindow(const TTreeNode* node, UINT mask) const;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override;
    void SaveWindowState() override;
    void DestroyWnd() override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    void ApplyImages();
    void InsertBranch(TTreeNode* node);
    void SaveBranch(TTreeNode* node);
    void NotifyHandler(TMessage& message);
    void ExpandingHandler(TMessage& message);
    void ExpandedHandler(const NMTREEVIEWW& info);
    void SelChangedHandler(const NMTREEVIEWW& info);
    void EndLabelEditHandler(TMessage& message);
    static TTreeNode* NodeOf(const TVITEMW& item) { return reinterpret_cast<TTreeNode*>(item.lParam); }

    TTreeNodes items_{this};
    TTreeNode* selected_ = nullptr;
    bool showLines_ = true;
    bool showButtons_ = true;
    bool showRoot_ = true;
    bool readOnly_ = false;
    // Set while the window is filled or emptied from the nodes: no events then.
    bool filling_ = false;
    TImagesLink images_{this, [this] { ApplyImages(); }};
};
