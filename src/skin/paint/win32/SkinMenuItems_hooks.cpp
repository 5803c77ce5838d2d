// Toolkit menus made owner-drawn and hooked to the form skinner's item
// painter, and the form skinner's menu messages for entries known only by
// their menu handle.
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "skin/paint/core/MenuGeometry.h"
#include "skin/paint/win32/SkinMenuItems.h"
#include "skin/paint/win32/SkinPopMenu.h"
#include "skin/paint/win32/Winskindlg.h"
#include "toolkit/Canvas.h"
#include "toolkit/Form.h"
#include "toolkit/Frame.h"
#include "toolkit/GdiObject.h"
#include "toolkit/MenuItem.h"
#include "toolkit/Menus.h"

namespace relayon::skin {

// ---- hooking toolkit menus ----

TSkinMenuItems* MenuItemsOf(TWinSkinForm* sf) {
    if (!sf) return nullptr;
    for (int i = 0; i < sf->ComponentCount(); ++i)
        if (auto* p = dynamic_cast<TSkinMenuItems*>(sf->Components(i))) return p;
    return new TSkinMenuItems(sf);
}

namespace {

void ForEachItem(TMenuItem* item, int depth, const std::function<void(TMenuItem*, int)>& f) {
    if (!item) return;
    for (int i = 0; i < item->Count(); ++i) {
        TMenuItem* child = item->Items(i);
        f(child, depth);
        ForEachItem(child, depth + 1, f);
    }
}

template <class M>
void ForEachMenu(TComponent* owner, const std::function<void(M*)>& f, int guard = 0) {
    if (!owner || guard > 16) return;
    std::vector<TComponent*> owned;
    for (int i = 0; i < owner->ComponentCount(); ++i) owned.push_back(owner->Components(i));
    for (TComponent* c : owned) {
        if (auto* m = dynamic_cast<M*>(c)) f(m);
        if (dynamic_cast<TFrame*>(c) || dynamic_cast<TForm*>(c)) ForEachMenu<M>(c, f, guard + 1);
    }
}

}  // namespace

void InitPopMenu(TWinSkinForm* sf, TComponent* wForm, bool Enable) {
    if (!sf || !wForm) return;
    if (sf->FForm && sf->FForm->ClassName() == L"TwwRichEditForm") return;
    TSkinData* sd = sf->fsd;
    TSkinMenuItems* painter = MenuItemsOf(sf);
    ForEachMenu<TPopupMenu>(wForm, [&](TPopupMenu* menu) {
        if (!sd || menu->Tag() == sd->DisableTag() || !sd->SkinControls().Contains(xcPopupMenu)) return;
        menu->SetOwnerDraw(Enable);
        ForEachItem(menu->Items(), 1, [&](TMenuItem* item, int) {
            if (Enable)
                painter->Hook(item, true);
            else
                painter->Unhook(item);
        });
    });
}

void InitMainMenu(TWinSkinForm* sf, TComponent* wForm, bool Enable) {
    if (!sf || !wForm) return;
    TSkinMenuItems* painter = MenuItemsOf(sf);
    ForEachMenu<TMainMenu>(wForm, [&](TMainMenu* menu) {
        menu->SetOwnerDraw(Enable);
        ForEachItem(menu->Items(), 1, [&](TMenuItem* item, int depth) {
            // The top level is the menu bar's to draw.
            if (depth < 2) return;
            if (Enable) {
                if (!item->OnDrawItem) painter->Hook(item, false);
            } else {
                painter->Unhook(item);
            }
        });
    });
}

void InitToolbarMenu(TWinSkinForm* sf, TMenuItem* item, bool value) {
    TSkinMenuItems* painter = MenuItemsOf(sf);
    if (!painter || !item) return;
    auto apply = [&](TMenuItem* i) { value ? painter->Hook(i, false) : painter->Unhook(i); };
    apply(item);
    ForEachItem(item, 2, [&](TMenuItem* i, int) { apply(i); });
}

void WMINITMENU(HMENU hmenu) {
    if (!hmenu || !IsMenu(hmenu)) return;
    const int n = GetMenuItemCount(hmenu);
    for (int pos = 0; pos < n; ++pos) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(hmenu, static_cast<UINT>(pos), TRUE, &info)) continue;
        if (!(info.fType & MFT_OWNERDRAW)) {
            info.fMask = MIIM_FTYPE;
            info.fType |= MFT_OWNERDRAW;
            SetMenuItemInfoW(hmenu, static_cast<UINT>(pos), TRUE, &info);
        }
        if (info.hSubMenu && info.hSubMenu != hmenu) WMINITMENU(info.hSubMenu);
    }
}

std::wstring MenuEntryText(HMENU hmenu, UINT idOrPos, bool byPosition) {
    // Read through the item information: an owner-drawn entry keeps its text
    // there, where the string call may not give it. At most 80 characters.
    wchar_t buf[81] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = buf;
    info.cch = 80;
    if (GetMenuItemInfoW(hmenu, idOrPos, byPosition ? TRUE : FALSE, &info) && buf[0]) return std::wstring(buf);
    int n = GetMenuStringW(hmenu, idOrPos, buf, 81, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
    return std::wstring(buf, static_cast<size_t>(std::clamp(n, 0, 80)));
}

TMenuItem* CreateMenuItem(HMENU hmenu, UINT id) {
    auto* item = new TMenuItem(nullptr);
    std::wstring text = MenuEntryText(hmenu, id, false);
    item->SetCaption(text.empty() ? L"-" : text);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    if (GetMenuItemInfoW(hmenu, id, FALSE, &info)) {
        item->SetEnabled(!(info.fState & (MFS_GRAYED | MFS_DISABLED)));
        item->SetChecked((info.fState & MFS_CHECKED) != 0);
        item->SetDefault((info.fState & MFS_DEFAULT) != 0);
    }
    return item;
}

// ---- the form skinner's messages ----

namespace {

TMenuItem* FormItem(TWinSkinForm* sf, UINT id) {
    TMainMenu* menu = sf && sf->FForm ? sf->FForm->Menu() : nullptr;
    if (!menu) return nullptr;
    if (TMenuItem* item = menu->FindItem(id, fkCommand)) return item;
    if (TMenu* merged = menu->MergedMenu()) return merged->FindItem(id, fkCommand);
    return nullptr;
}

bool WindowHasMenu(TWinSkinForm* sf) { return sf && (sf->hmenu || GetMenu(sf->Hwnd)); }

}  // namespace

bool MenuWMMeasureItem(TWinSkinForm* sf, TMessage& m) {
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    if (!mis || mis->CtlType != ODT_MENU || !WindowHasMenu(sf)) return false;
    TSkinMenuItems* painter = MenuItemsOf(sf);
    if (sf->FForm) {
        if (TSkinManage* mgr = Manager()) mgr->SetPopMenu();
        if (TMenuItem* item = FormItem(sf, mis->itemID)) {
            TCanvas canvas;
            canvas.OwnHandle(CreateCompatibleDC(nullptr));
            GdiObject<HFONT> font(CreateMenuFont(item->Default()));
            HGDIOBJ old = font ? SelectObject(canvas.Handle(), font.get()) : nullptr;
            int w = static_cast<int>(mis->itemWidth), h = static_cast<int>(mis->itemHeight);
            if (item->OnMeasureItem.Data() == painter || !item->OnMeasureItem)
                painter->MeasureItem(item, &canvas, w, h);
            else
                item->MeasureItem(&canvas, w, h);
            if (old) SelectObject(canvas.Handle(), old);
            mis->itemWidth = static_cast<UINT>(std::max(w, 0));
            mis->itemHeight = static_cast<UINT>(std::max(h, 0));
            m.Result = TRUE;
            return true;
        }
        if (mis->itemID >= 1 && mis->itemID <= 4095) return false;
    }
    // Measured from the entry's text in the menu font.
    HMENU open = Manager() && Manager()->Mlist && !Manager()->Mlist->empty() ? Manager()->Mlist->back()->hmenu : nullptr;
    std::wstring text;
    for (HMENU h : {open, sf->hmenu, GetMenu(sf->Hwnd), sf->hsysmenu})
        if (h && (text = MenuEntryText(h, mis->itemID, false), !text.empty())) break;
    TCanvas measure;
    measure.OwnHandle(CreateCompatibleDC(nullptr));
    HDC dc = measure.Handle();
    GdiObject<HFONT> font(CreateMenuFont(false));
    HGDIOBJ old = font ? SelectObject(dc, font.get()) : nullptr;
    SIZE size{0, 0};
    if (!text.empty()) GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    if (old) SelectObject(dc, old);
    TDataSkinObject* plate = MenuItemPlate(sf->fsd);
    paint::Size2 s = paint::MeasureFromText(size.cx, size.cy, plate ? plate->r.Left : 0, !text.empty(), Win32PlatformIsUnicode);
    mis->itemWidth = static_cast<UINT>(s.cx);
    mis->itemHeight = static_cast<UINT>(s.cy);
    m.Result = TRUE;
    return true;
}

bool MenuWMDrawItem(TWinSkinForm* sf, TMessage& m) {
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    if (!dis || dis->CtlType != ODT_MENU || !WindowHasMenu(sf)) return false;
    HMENU menu = reinterpret_cast<HMENU>(dis->hwndItem);
    TSkinManage* mgr = Manager();
    if (mgr) {
        if (!FindMenuSkinner(menu)) mgr->SetHMenu(menu);
        mgr->SetPopMenu();
    }
    TSkinMenuItems* painter = MenuItemsOf(sf);
    const bool selected = (dis->itemState & ODS_SELECTED) != 0;
    TCanvas canvas(dis->hDC);
    if (sf->FForm) {
        if (TMenuItem* item = FormItem(sf, dis->itemID)) {
            if (MenuItemPlate(sf->fsd))
                painter->DrawMenuItem(item, &canvas, dis->rcItem, selected);
            else
                painter->DefaultMenuItem(item, &canvas, selected, dis->rcItem);
            m.Result = TRUE;
            return true;
        }
        if (dis->itemID >= 1 && dis->itemID <= 4095) return false;
    }
    std::unique_ptr<TMenuItem> temp(CreateMenuItem(menu, dis->itemID));
    if (dis->itemState & (ODS_GRAYED | ODS_DISABLED)) temp->SetEnabled(false);
    if (dis->itemState & ODS_CHECKED) temp->SetChecked(true);
    painter->DrawHMenuItem2(menu, temp.get(), selected, dis->rcItem, &canvas);
    m.Result = TRUE;
    return true;
}

bool MenuWMCommand(TWinSkinForm* sf, TMessage& m) {
    if (!sf || m.LParam != 0) return false;
    switch (LOWORD(m.WParam) & 0xFFF0) {
    case SC_SIZE:
    case SC_MOVE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_NEXTWINDOW:
    case SC_PREVWINDOW:
    case SC_CLOSE:
    case SC_RESTORE:
        if (LOWORD(m.WParam) < 0xF000) return false;
        PostMessageW(sf->Hwnd, WM_SYSCOMMAND, LOWORD(m.WParam), 0);
        m.Result = 0;
        return true;
    default: return false;
    }
}

}  // namespace relayon::skin
