#include "toolkit/MenuItem.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_set>

#include "toolkit/Application.h"
#include "toolkit/Canvas.h"
#include "toolkit/Menus.h"

namespace {

// WM_COMMAND ids handed to items; 0xF000 and above belong to system and MDI
// commands.
constexpr WORD kFirstCommand = 1;
constexpr WORD kLastCommand = 0xEFFF;

std::vector<bool>& UsedCommands() {
    static std::vector<bool> used(kLastCommand + 1, false);
    return used;
}

WORD AllocateCommand() {
    auto& used = UsedCommands();
    static WORD next = kFirstCommand;
    for (int tries = 0; tries <= kLastCommand; ++tries) {
        WORD id = next;
        next = next == kLastCommand ? kFirstCommand : static_cast<WORD>(next + 1);
        if (!used[id]) {
            used[id] = true;
            return id;
        }
    }
    throw std::runtime_error("Out of menu command identifiers");
}

// Item data of a Win32 menu entry is a TMenuItem only while this set holds it.
std::unordered_set<const TMenuItem*>& LiveItems() {
    static std::unordered_set<const TMenuItem*> items;
    return items;
}

TMenuItem* LiveItem(ULONG_PTR data) {
    auto* item = reinterpret_cast<TMenuItem*>(data);
    return item && LiveItems().count(item) ? item : nullptr;
}

// Width of the column left of the caption that holds the check mark.
constexpr int kGlyphColumn = 18;

// The font the system draws menus with.
void UseMenuFont(TCanvas& canvas, bool bold) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return;
    const LOGFONTW& lf = metrics.lfMenuFont;
    canvas.Font().SetName(lf.lfFaceName);
    canvas.Font().SetHeight(lf.lfHeight);
    TFontStyles style;
    if (bold || lf.lfWeight >= FW_BOLD) style.Include(fsBold);
    canvas.Font().SetStyle(style);
}

std::wstring EntryText(const TMenuItem& item, bool withShortCut) {
    std::wstring text = item.Caption();
    if (withShortCut && item.ShortCut() != scNone) text += L"\t" + ShortCutToText(item.ShortCut());
    return text;
}

}  // namespace

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), command_(AllocateCommand()) {
    LiveItems().insert(this);
}

TMenuItem::~TMenuItem() {
    SetDestroying();
    LiveItems().erase(this);
    if (parent_) parent_->Remove(this);
    while (!items_.empty()) {
        TMenuItem* child = items_.back();
        items_.pop_back();
        child->parent_ = nullptr;
        delete child;
    }
    if (handle_) {
        // Entries may still hold submenus that are not ours to destroy.
        while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
        DestroyMenu(handle_);
    }
    UsedCommands()[command_] = false;
}

void TMenuItem::SetCaption(const std::wstring& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    Changed();
}

void TMenuItem::SetChecked(bool value) {
    if (value == checked_) return;
    checked_ = value;
    Changed();
}

void TMenuItem::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    Changed();
}

void TMenuItem::SetVisible(bool value) {
    if (value == visible_) return;
    visible_ = value;
    Changed();
}

void TMenuItem::SetDefault(bool value) {
    if (value == default_) return;
    default_ = value;
    Changed();
}

void TMenuItem::SetShortCut(TShortCut value) {
    if (value == shortCut_) return;
    shortCut_ = value;
    Changed();
}

void TMenuItem::SetImageIndex(int value) {
    if (value == imageIndex_) return;
    imageIndex_ = value;
    Changed();
}

void TMenuItem::SetGroupIndex(int value) {
    if (value == groupIndex_) return;
    groupIndex_ = value;
    Changed();
}

HMENU TMenuItem::Handle() {
    if (!handle_) {
        handle_ = menu_ && menu_->IsMainMenu() ? CreateMenu() : CreatePopupMenu();
        if (!handle_) throw std::runtime_error("Cannot create menu");
        RebuildHandle();
    }
    return handle_;
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count()) throw std::out_of_range("menu item index out of range");
    return items_[static_cast<size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item || item == this) throw std::invalid_argument("menu item cannot be inserted here");
    for (TMenuItem* p = this; p; p = p->parent_)
        if (p == item) throw std::invalid_argument("menu item cannot be inserted into itself");
    if (item->parent_) item->parent_->Remove(item);
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    RebuildHandle();
    Changed();
}

void TMenuItem::Delete(int index) { Remove(Items(index)); }

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    items_.erase(it);
    item->parent_ = nullptr;
    if (IsDestroying()) return;
    RebuildHandle();
    Changed();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Clear() {
    while (!items_.empty()) delete items_.back();
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* root = this;
    while (root->parent_) root = root->parent_;
    return root->menu_;
}

TMenuItem* TMenuItem::FindByCommand(WORD command) {
    if (command_ == command) return this;
    for (TMenuItem* child : items_)
        if (TMenuItem* found = child->FindByCommand(command)) return found;
    return nullptr;
}

bool TMenuItem::Reachable() const {
    for (const TMenuItem* p = this; p && p->parent_; p = p->parent_)
        if (!p->enabled_ || !p->visible_) return false;
    return true;
}

void TMenuItem::Click() {
    if (OnClick) OnClick(this);
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (auto* menu = dynamic_cast<TMenu*>(parent))
        menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(parent))
        item->Add(this);
}

void TMenuItem::Loaded() {
    TComponent::Loaded();
    Changed();
}

bool TMenuItem::OwnerDrawn() const {
    TMenu* menu = GetParentMenu();
    return menu && menu->OwnerDraw();
}

bool TMenuItem::TopLevelOfMenuBar() const {
    return parent_ && parent_->menu_ && parent_->menu_->IsMainMenu();
}

void TMenuItem::RebuildHandle() {
    if (!handle_ || IsDestroying()) return;
    // Entries the system added (an MDI child's window list, a maximised
    // child's buttons) carry no item data and stay where they are; ours are
    // replaced in place.
    std::vector<int> own;
    for (int pos = 0, n = GetMenuItemCount(handle_); pos < n; ++pos) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA;
        if (GetMenuItemInfoW(handle_, static_cast<UINT>(pos), TRUE, &info) && info.dwItemData != 0) own.push_back(pos);
    }
    int insertAt = own.empty() ? 0 : own.front();
    for (auto it = own.rbegin(); it != own.rend(); ++it) RemoveMenu(handle_, static_cast<UINT>(*it), MF_BYPOSITION);
    bool ownerDrawn = false;
    if (TMenu* menu = GetParentMenu()) ownerDrawn = menu->OwnerDraw();
    for (TMenuItem* child : Entries()) {
        if (!child->visible_) continue;
        std::wstring text = EntryText(*child, !child->TopLevelOfMenuBar());
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
        info.fType = (child->IsLine() ? MFT_SEPARATOR : 0) | (ownerDrawn ? MFT_OWNERDRAW : 0);
        if (!child->IsLine()) {
            info.fMask |= MIIM_STRING;
            info.dwTypeData = text.data();
        }
        info.fState = (child->checked_ ? MFS_CHECKED : 0) | (child->enabled_ ? 0 : MFS_GRAYED) |
                      (child->default_ ? MFS_DEFAULT : 0);
        info.wID = child->command_;
        info.hSubMenu = child->Count() > 0 ? child->Handle() : nullptr;
        info.dwItemData = reinterpret_cast<ULONG_PTR>(child);
        InsertMenuItemW(handle_, static_cast<UINT>(insertAt++), TRUE, &info);
    }
}

std::vector<TMenuItem*> TMenuItem::Entries() const {
    TMenu* merged = menu_ ? menu_->MergedMenu() : nullptr;
    if (!merged) return items_;
    std::vector<TMenuItem*> entries = items_;
    const std::vector<TMenuItem*>& others = merged->Items()->items_;
    for (size_t i = 0; i < others.size();) {
        int group = others[i]->groupIndex_;
        size_t end = i;
        while (end < others.size() && others[end]->groupIndex_ == group) ++end;
        // The group's own items give way; the merged ones take their place,
        // or go before the first higher group.
        auto first = std::find_if(entries.begin(), entries.end(), [&](TMenuItem* e) { return e->groupIndex_ >= group; });
        auto pos = first - entries.begin();
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [&](TMenuItem* e) { return e->groupIndex_ == group && e->parent_ == this; }),
                      entries.end());
        entries.insert(entries.begin() + pos, others.begin() + static_cast<long>(i), others.begin() + static_cast<long>(end));
        i = end;
    }
    return entries;
}

void TMenuItem::Changed() {
    if (IsDestroying()) return;
    if (parent_) parent_->RebuildHandle();
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this);
}

void TMenuItem::MeasureItem(TCanvas* ACanvas, int& Width, int& Height) {
    if (OnMeasureItem)
        OnMeasureItem(this, ACanvas, Width, Height);
    else
        DefaultMeasure(ACanvas, Width, Height);
}

void TMenuItem::DrawItem(TCanvas* ACanvas, const RECT& ARect, bool Selected) {
    if (OnDrawItem)
        OnDrawItem(this, ACanvas, ARect, Selected);
    else
        DefaultDraw(ACanvas, ARect, Selected);
}

void TMenuItem::DefaultMeasure(TCanvas* canvas, int& width, int& height) {
    if (IsLine()) {
        width = kGlyphColumn;
        height = 8;
        return;
    }
    HDC dc = canvas->Handle();
    RECT r{0, 0, 0, 0};
    std::wstring caption = caption_.empty() ? L" " : caption_;
    DrawTextW(dc, caption.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
    int textWidth = r.right - r.left;
    if (TopLevelOfMenuBar()) {
        width = textWidth + 8;
        height = std::max<int>(r.bottom - r.top + 4, GetSystemMetrics(SM_CYMENU));
        return;
    }
    if (shortCut_ != scNone) {
        RECT s{0, 0, 0, 0};
        DrawTextW(dc, ShortCutToText(shortCut_).c_str(), -1, &s, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
        textWidth += 2 * kGlyphColumn + (s.right - s.left);
    }
    width = kGlyphColumn + textWidth + kGlyphColumn;
    height = std::max<int>(r.bottom - r.top + 4, GetSystemMetrics(SM_CYMENU));
}

void TMenuItem::DefaultDraw(TCanvas* canvas, const RECT& rect, bool selected) {
    HDC dc = canvas->Handle();
    FillRect(dc, &rect, GetSysColorBrush(selected && enabled_ ? COLOR_HIGHLIGHT : COLOR_MENU));
    if (IsLine()) {
        RECT line = rect;
        line.top += (rect.bottom - rect.top) / 2 - 1;
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    int color = !enabled_ ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT;
    SetTextColor(dc, GetSysColor(color));
    SetBkMode(dc, TRANSPARENT);
    RECT text = rect;
    if (!TopLevelOfMenuBar()) {
        if (checked_) {
            RECT mark{rect.left, rect.top, rect.left + kGlyphColumn, rect.bottom};
            DrawTextW(dc, L"\x2713", 1, &mark, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
        text.left += kGlyphColumn;
        text.right -= kGlyphColumn;
    }
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    DrawTextW(dc, caption_.c_str(), -1, &text, flags | (TopLevelOfMenuBar() ? DT_CENTER : DT_LEFT));
    if (shortCut_ != scNone && !TopLevelOfMenuBar())
        DrawTextW(dc, ShortCutToText(shortCut_).c_str(), -1, &text, flags | DT_RIGHT);
}

bool MenuItemMessages(UINT msg, LPARAM lParam, LRESULT& result) {
    if (!lParam) return false;
    if (msg == WM_MEASUREITEM) {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        TMenuItem* item = mis->CtlType == ODT_MENU ? LiveItem(mis->itemData) : nullptr;
        if (!item) return false;
        TCanvas canvas;
        canvas.OwnHandle(CreateCompatibleDC(nullptr));
        UseMenuFont(canvas, item->Default());
        int width = static_cast<int>(mis->itemWidth), height = static_cast<int>(mis->itemHeight);
        item->MeasureItem(&canvas, width, height);
        mis->itemWidth = static_cast<UINT>(std::max(width, 0));
        mis->itemHeight = static_cast<UINT>(std::max(height, 0));
        result = TRUE;
        return true;
    }
    if (msg == WM_DRAWITEM) {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        TMenuItem* item = dis->CtlType == ODT_MENU ? LiveItem(dis->itemData) : nullptr;
        if (!item) return false;
        int saved = SaveDC(dis->hDC);
        {
            TCanvas canvas(dis->hDC);
            UseMenuFont(canvas, item->Default());
            item->DrawItem(&canvas, dis->rcItem, (dis->itemState & ODS_SELECTED) != 0);
        }
        RestoreDC(dis->hDC, saved);
        result = TRUE;
        return true;
    }
    return false;
}
