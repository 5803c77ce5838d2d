#pragma once
// List view over the system SysListView32. Items (Caption, SubItems, an image
// and a check mark) live in the objects and are shown one to one, in the same
// order, by the window; in vsReport the Columns are shown in the view's header
// window (HeaderHandle). Checkboxes, RowSelect and GridLines are extended
// styles, ReadOnly turns label editing off. Selection and check marks are
// read from the window while it exists and kept in the items otherwise, so a
// new window starts the same. Image lists are shared (LVS_SHAREIMAGELISTS):
// the view never destroys a list it shows.
#include <memory>
#include <string>
#include <vector>

#include "toolkit/ImageList.h"
#include "toolkit/WinControl.h"
#include "toolkit/core/Collection.h"
#include "toolkit/core/Strings.h"

class TListView;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
enum TItemChange { ctText, ctImage, ctState };

class TListColumn : public TCollectionItem {
public:
    explicit TListColumn(TCollection* collection);
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);
    int Width() const { return width_; }
    void SetWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    std::wstring GetDisplayName() const override { return caption_; }

private:
    void Changed();
    std::wstring caption_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
};

class TListColumns : public TTypedCollection<TListColumn> {
public:
    explicit TListColumns(TListView* view);
    TListView* View() const { return view_; }
    TListColumn* Add();
    void Delete(int index);
    void Clear();

private:
    TListView* view_;
};

class TListItems;

class TListItem : public TObject {
public:
    explicit TListItem(TListItems* owner);
    TListView* ListView() const;
    int Index() const;
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);
    // Texts of the second and later columns.
    TStrings& SubItems() { return subItems_; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    bool Checked() const;
    void SetChecked(bool value);
    bool Selected() const;
    void SetSelected(bool value);
    void* Data() const { return data_; }
    void SetData(void* data) { data_ = data; }

private:
    friend class TListView;
    void SubItemsChanged();
    TListItems* owner_;
    std::wstring caption_;
    TStrings subItems_;
    int imageIndex_ = -1;
    bool checked_ = false;
    bool selected_ = false;
    void* data_ = nullptr;
};

class TListItems {
public:
    explicit TListItems(TListView* view) : view_(view) {}
    TListView* Owner() const { return view_; }
    TListItem* Add();
    TListItem* Insert(int index);
    int Count() const { return static_cast<int>(items_.size()); }
    // Throws std::out_of_range outside 0 .. Count() - 1.
    TListItem* Item(int index) const;
    TListItem* operator[](int index) const { return Item(index); }
    int IndexOf(const TListItem* item) const;
    void Delete(int index);
    void Clear();

private:
    TListView* view_;
    std::vector<std::unique_ptr<TListItem>> items_;
};

using TLVChangeEvent = TMethod<void(TObject* Sender, TListItem* Item, TItemChange Change)>;
using TLVSelectItemEvent = TMethod<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVColumnClickEvent = TMethod<void(TObject* Sender, TListColumn* Column)>;

class TListView : public TWinControl {
public:
    explicit TListView(TComponent* AOwner);
    ~TListView() override;

    TListColumns& Columns() { return columns_; }
    TListItems& Items() { return items_; }
    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle style);
    bool Checkboxes() const { return checkboxes_; }
    void SetCheckboxes(bool value);
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool value);
    bool GridLines() const { return gridLines_; }
    void SetGridLines(bool value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value);
    TImageList* SmallImages() const { return smallImages_.Get(); }
    void SetSmallImages(TImageList* list) { smallImages_.Set(list); }
    TImageList* LargeImages() const { return largeImages_.Get(); }
    void SetLargeImages(TImageList* list) { largeImages_.Set(list); }

    // The (first) selected item, or null.
    TListItem* Selected() const;
    void SetSelected(TListItem* item);
    int ItemIndex() const;
    void SetItemIndex(int index);
    // The view's column header window (made with the view's window).
    HWND HeaderHandle();

    TLVChangeEvent OnChange;
    TLVSelectItemEvent OnSelectItem;
    TLVColumnClickEvent OnColumnClick;

    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

    // Told by columns and items when they changed.
    void ColumnsChanged();
    void ItemInserted(int index);
    void ItemDeleting(int index);
    void ItemsCleared();
    void ItemChanged(TListItem* item);
    bool ItemStateFromWindow(const TListItem* item, UINT mask) const;
    void SetItemState(TListItem* item, UINT mask, bool value);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override;
    void SaveWindowState() override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    void ApplyExtendedStyle();
    void ApplyImages();
    void ShowItem(int index, bool insert);
    void NotifyHandler(TMessage& message);
    void ItemChangedHandler(const NMLISTVIEW& change);
    void EndLabelEditHandler(TMessage& message);
    void ColumnClickHandler(const NMLISTVIEW& info);

    TListColumns columns_{this};
    TListItems items_{this};
    TViewStyle viewStyle_ = vsIcon;
    bool checkboxes_ = false;
    bool rowSelect_ = false;
    bool gridLines_ = false;
    bool readOnly_ = false;
    bool multiSelect_ = false;
    // Set while the window is filled from the objects: no events then.
    bool filling_ = false;
    TImagesLink smallImages_{this, [this] { ApplyImages(); }};
    TImagesLink largeImages_{this, [this] { ApplyImages(); }};
};
