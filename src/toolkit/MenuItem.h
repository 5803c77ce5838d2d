#pragma once
// One entry of a menu. An item with sub-items owns a Win32 popup menu
// (Handle) that lists its visible sub-items; any change of an item's state
// rebuilds the Win32 menu of the item it sits in, so the system menu always
// shows what the objects hold, and the menu that holds the item hears of it.
//
// Owner-drawn items (the menu's OwnerDraw) carry their TMenuItem in the Win32
// item data; WM_MEASUREITEM / WM_DRAWITEM for them reach MeasureItem and
// DrawItem (MenuItemMessages below), which run OnMeasureItem / OnDrawItem or,
// without a handler, the toolkit's own measurement and drawing.
#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/core/Component.h"
#include "toolkit/core/Events.h"
#include "toolkit/ShortCut.h"

class TCanvas;
class TMenu;

using TMenuDrawItemEvent = TMethod<void(TObject* Sender, TCanvas* ACanvas, const RECT& ARect, bool Selected)>;
using TMenuMeasureItemEvent = TMethod<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);
    // A caption of "-" makes the item a separator line.
    bool IsLine() const { return caption_ == L"-"; }
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool Default() const { return default_; }
    void SetDefault(bool value);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    // Top-level items of an MDI child's menu replace the items of the same
    // group in the MDI form's menu bar, and go between the groups otherwise.
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    // Identifier of the item in WM_COMMAND, unique in the process.
    WORD Command() const { return command_; }
    // The Win32 popup menu listing the sub-items (made when first asked).
    HMENU Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }

    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Takes the item out of this one (it is not freed).
    void Delete(int index);
    void Remove(TMenuItem* item);
    int IndexOf(const TMenuItem* item) const;
    void Clear();
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }
    // The menu whose tree holds this item, or null.
    TMenu* GetParentMenu() const;
    // The first item of the tree below this one with that command.
    TMenuItem* FindByCommand(WORD command);

    // Runs OnClick (the user chose the item).
    virtual void Click();
    // OnMeasureItem when set, else the default size of the caption in the
    // menu font (separators are thin).
    void MeasureItem(TCanvas* ACanvas, int& Width, int& Height);
    // OnDrawItem when set, else the default look (selection, check mark,
    // caption with its accelerator, shortcut text, separator line).
    void DrawItem(TCanvas* ACanvas, const RECT& ARect, bool Selected);
    // Whether the item and every item above it is enabled and visible.
    bool Reachable() const;

    void Loaded() override;
    // A form resource nests items in a menu or in another item.
    void SetParentComponent(TComponent* parent) override;

    TNotifyEvent OnClick;
    TMenuDrawItemEvent OnDrawItem;
    TMenuMeasureItemEvent OnMeasureItem;

private:
    friend class TMenu;
    void DefaultMeasure(TCanvas* canvas, int& width, int& height);
    void DefaultDraw(TCanvas* canvas, const RECT& rect, bool selected);
    // The Win32 entries of this item's menu follow its visible sub-items.
    void RebuildHandle();
    // This item's state changed: its entry and the menu holding it follow.
    void Changed();
    bool OwnerDrawn() const;
    bool TopLevelOfMenuBar() const;
    // The items this item's Win32 menu lists (a menu bar's root: merged).
    std::vector<TMenuItem*> Entries() const;

    std::wstring caption_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    bool default_ = false;
    TShortCut shortCut_ = scNone;
    int imageIndex_ = -1;
    int groupIndex_ = 0;
    WORD command_ = 0;
    HMENU handle_ = nullptr;
    TMenuItem* parent_ = nullptr;
    // Set on the root item of a menu: the menu it belongs to.
    TMenu* menu_ = nullptr;
    std::vector<TMenuItem*> items_;
};

// Answers WM_MEASUREITEM / WM_DRAWITEM of owner-drawn menu entries that carry
// a live TMenuItem; false for anything else (other controls, foreign menus).
bool MenuItemMessages(UINT msg, LPARAM lParam, LRESULT& result);
