// The skinned menu bar: buttons, painting, opening the drop-down menus and
// moving between them.
#include "skin/paint/win32/SkinMenuBar.h"

#include <windowsx.h>

#include <algorithm>

#include "skin/paint/core/MenuGeometry.h"
#include "skin/paint/win32/SkinMenuItems.h"
#include "skin/paint/win32/SkinPrimitives.h"
#include "skin/paint/win32/Winskindlg.h"
#include "toolkit/Application.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Canvas.h"
#include "toolkit/Color.h"
#include "toolkit/Form.h"
#include "toolkit/GdiObject.h"
#include "toolkit/MenuItem.h"
#include "toolkit/Menus.h"

namespace relayon::skin {

namespace {

// Tracking state while a bar menu is open (one at a time on the thread).
struct Tracking {
    HHOOK filter = nullptr;      // keyboard and mouse inside the menu loop
    HHOOK callProc = nullptr;    // WM_MENUSELECT sent to the owner
    TWinSkinMenu* bar = nullptr;
    int open = -1;               // index of the open button
    int next = -1;               // button to open once this menu has closed
    HMENU active = nullptr;      // the open button's drop-down
    HMENU itemMenu = nullptr;    // menu holding the item last selected
    HMENU itemSub = nullptr;     // that item's submenu, if any
    bool haveItem = false;
    POINT last{-1, -1};
    bool switching = false;
};
Tracking track;

COLORREF Scheme(TSkinData* sd, TShemeColor which, int fallback) {
    if (sd && !sd->Empty) return static_cast<COLORREF>(ColorToRGB(sd->Colors[which]));
    return GetSysColor(fallback);
}

TDataSkinObject* BarObject(TSkinData* sd) {
    if (!sd || sd->Empty || !sd->Menubar || !sd->Menubar->Map || sd->Menubar->Map->Empty()) return nullptr;
    return sd->Menubar.get();
}

RECT ToRect(const paint::Box& b) { return {b.left, b.top, b.right, b.bottom}; }

// A maximised MDI child's buttons (Visibility 100) stand at the bar's right end.
bool IsMdiChildButton(const TWinSysButton& b) {
    return b.visible && b.data && b.data->Visibility == 100 && b.data->Map && !b.data->Map->Empty();
}

// The bar's captions keep this far from a maximised child's buttons.
constexpr int kMdiButtonGap = 5;

POINT WindowOrigin(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return {r.left, r.top};
}

bool AltOnly() {
    return GetKeyState(VK_MENU) < 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_SHIFT) >= 0;
}

int CaptionWidth(HDC dc, const std::wstring& caption) {
    if (caption.empty()) return 0;
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
    return r.right - r.left;
}

void SwitchTo(int index) {
    if (index < 0 || index == track.open) return;
    track.next = index;
    track.switching = true;
    // Ends the open menu; CheckMenu then opens the next one.
    EndMenu();
}

void MoveBy(int step) {
    if (!track.bar) return;
    std::vector<bool> usable;
    for (auto& b : track.bar->Buttons) usable.push_back(b->visible && b->enabled && !b->caption.empty());
    int to = paint::NeighbourButton(usable, track.open, step);
    if (to >= 0 && to != track.open) SwitchTo(to);
}

LRESULT CALLBACK MenuFilterProc(int code, WPARAM wParam, LPARAM lParam) {
    LRESULT r = CallNextHookEx(track.filter, code, wParam, lParam);
    if (r != 0 || code != MSGF_MENU || !track.bar || !lParam) return r;
    try {
        const MSG& msg = *reinterpret_cast<MSG*>(lParam);
        // A right-to-left bar runs the other way: Left and Right trade places.
        WPARAM key = msg.wParam;
        if (track.bar->SF && track.bar->SF->bidileft && (key == VK_LEFT || key == VK_RIGHT))
            key = key == VK_LEFT ? VK_RIGHT : VK_LEFT;
        switch (msg.message) {
        case WM_KEYDOWN:
            if (key == VK_RETURN || key == VK_ESCAPE) track.switching = false;
            if (key == VK_LEFT &&
                (!track.haveItem || track.itemMenu == track.active || track.itemSub == track.active)) {
                MoveBy(-1);
                return 1;
            }
            if (key == VK_RIGHT && (!track.haveItem || !track.itemSub)) {
                MoveBy(+1);
                return 1;
            }
            break;
        case WM_SYSKEYDOWN:
            if (msg.wParam == VK_MENU && track.bar->SF) track.bar->SF->fInMenu = false;
            break;
        case WM_MOUSEMOVE: {
            POINT p{};
            GetCursorPos(&p);
            if (p.x == track.last.x && p.y == track.last.y) break;
            track.last = p;
            POINT o = WindowOrigin(track.bar->SF->Hwnd);
            if (auto* b = dynamic_cast<TMenuBtn*>(track.bar->FindBtn({p.x - o.x, p.y - o.y}))) SwitchTo(b->index);
            break;
        }
        default: break;
        }
    } catch (...) {
        // The menu loop goes on as the system's.
    }
    return r;
}

LRESULT CALLBACK MenuSelectProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && lParam && track.bar) {
        const CWPSTRUCT& c = *reinterpret_cast<CWPSTRUCT*>(lParam);
        if (c.message == WM_MENUSELECT && c.hwnd == track.bar->SF->Hwnd) {
            const UINT flags = HIWORD(c.wParam);
            HMENU menu = reinterpret_cast<HMENU>(c.lParam);
            if (flags == 0xFFFF && !menu) {
                if (!track.switching) track.bar->SF->fInMenu = false;
            } else {
                track.haveItem = true;
                track.itemMenu = menu;
                track.itemSub = (flags & MF_POPUP) ? GetSubMenu(menu, LOWORD(c.wParam)) : nullptr;
            }
        }
    }
    return CallNextHookEx(track.callProc, code, wParam, lParam);
}

}  // namespace

// ---- TMenuBtn ----

void TMenuBtn::Draw(HDC dc) {
    if (!bar) return;
    HDC own = dc ? nullptr : GetWindowDC(bar->SF->Hwnd);
    bar->PaintButton(dc ? dc : own, this);
    if (own) ReleaseDC(bar->SF->Hwnd, own);
}

// The frame's hot-object bookkeeping first (which object is active), then
// the bar's own look: the button whose menu is open stays pressed.
void TMenuBtn::MouseEnter() {
    TNCObject::MouseEnter();
    if (state != 2) state = 3;
    Draw(nullptr);
}

void TMenuBtn::MouseLeave() {
    TNCObject::MouseLeave();
    state = track.bar == bar && track.open == index ? 2 : 1;
    Draw(nullptr);
}

void TMenuBtn::MouseDown() {
    TNCObject::MouseDown();
    state = 2;
    Draw(nullptr);
}

void TMenuBtn::MouseUp() {
    TNCObject::MouseUp();
    state = 3;
    Draw(nullptr);
}

// ---- TWinSkinMenu ----

TWinSkinMenu::TWinSkinMenu(TWinSkinForm* sf) : TComponent(sf), FSD(sf ? sf->fsd : nullptr), SF(sf) {}

TWinSkinMenu::~TWinSkinMenu() {
    SetDestroying();
    if (track.bar == this) track.bar = nullptr;
    if (menu) menu->RemoveFreeNotification(this);
    for (auto& b : Buttons)
        if (b->menuitem) b->menuitem->RemoveFreeNotification(this);
}

void TWinSkinMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == menu) menu = nullptr;
    for (auto& b : Buttons)
        if (b->menuitem == component) b->menuitem = nullptr;
}

int TWinSkinMenu::Height() const { return GetSystemMetrics(SM_CYMENU); }

bool TWinSkinMenu::InMenu() { return track.bar != nullptr; }

void TWinSkinMenu::UpdataBtn() {
    if (!SF) return;
    HMENU h = GetMenu(SF->Hwnd);
    TMainMenu* formMenu = SF->FForm ? SF->FForm->Menu() : nullptr;
    if (!h && formMenu) h = formMenu->Handle();
    if (!h) h = hmenu;
    if (!h || !IsMenu(h)) return;
    hmenu = h;
    SF->hmenu = h;
    if (menu != formMenu) {
        if (menu) menu->RemoveFreeNotification(this);
        menu = formMenu;
        if (menu) menu->FreeNotification(this);
    }
    // Systems before version 5 take the toolkit menu's top level as it is.
    if (menu && LOBYTE(LOWORD(WinVersion)) < 5)
        UpdataBtn1();
    else
        FillFromHandle(h, true);
    // The bar stands in for the window's own menu.
    if (GetMenu(SF->Hwnd)) SetMenu(SF->Hwnd, nullptr);
    SetMenuRect();
}

void TWinSkinMenu::UpdataBtn1() {
    // Older systems: the buttons straight from the toolkit menu's top level.
    for (auto& b : Buttons)
        if (b->menuitem) b->menuitem->RemoveFreeNotification(this);
    Buttons.clear();
    if (!menu) return;
    for (int i = 0; i < menu->Items()->Count(); ++i) {
        TMenuItem* item = menu->Items()->Items(i);
        auto b = std::make_unique<TMenuBtn>();
        b->bar = this;
        b->SF = SF;
        b->fsd = FSD;
        b->index = static_cast<int>(Buttons.size());
        b->visible = item->Visible();
        b->enabled = item->Enabled();
        b->mid = item->Command();
        b->caption = item->Caption();
        b->menuitem = item;
        item->FreeNotification(this);
        b->hsubmenu = item->Count() > 0 ? item->Handle() : nullptr;
        Buttons.push_back(std::move(b));
    }
    count = static_cast<int>(Buttons.size());
}

void TWinSkinMenu::UpdataBtn2(HMENU newmenu) {
    if (!newmenu || !IsMenu(newmenu)) return;
    hmenu = newmenu;
    if (SF) SF->hmenu = newmenu;
    FillFromHandle(newmenu, false);
    if (SF && GetMenu(SF->Hwnd)) SetMenu(SF->Hwnd, nullptr);
    SetMenuRect();
}

void TWinSkinMenu::FillFromHandle(HMENU source, bool lookupWithoutCaption) {
    for (auto& b : Buttons)
        if (b->menuitem) b->menuitem->RemoveFreeNotification(this);
    Buttons.clear();
    const int n = GetMenuItemCount(source);
    for (int pos = 0; pos < n; ++pos) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
        if (!GetMenuItemInfoW(source, static_cast<UINT>(pos), TRUE, &info)) continue;
        auto b = std::make_unique<TMenuBtn>();
        b->bar = this;
        b->SF = SF;
        b->fsd = FSD;
        b->index = static_cast<int>(Buttons.size());
        b->hsubmenu = info.hSubMenu;
        b->enabled = !(info.fState & (MFS_GRAYED | MFS_DISABLED));
        b->visible = true;
        b->mid = info.wID;
        // Bitmap entries (a maximised MDI child's icon and buttons) have no caption.
        if (!(info.fType & (MFT_BITMAP | MFT_SEPARATOR))) b->caption = MenuEntryText(source, static_cast<UINT>(pos), true);
        TMenuItem* item = nullptr;
        if (menu && (lookupWithoutCaption || !b->caption.empty())) {
            item = info.hSubMenu ? menu->FindItem(reinterpret_cast<UINT_PTR>(info.hSubMenu), fkHandle) : nullptr;
            if (!item) item = menu->FindItem(info.wID, fkCommand);
            if (!item && menu->MergedMenu()) item = menu->MergedMenu()->FindItem(info.wID, fkCommand);
        }
        if (item) {
            b->caption = item->Caption();
            b->enabled = item->Enabled();
            b->menuitem = item;
            item->FreeNotification(this);
            b->hsubmenu = item->Count() > 0 ? item->Handle() : nullptr;
        }
        Buttons.push_back(std::move(b));
    }
    count = static_cast<int>(Buttons.size());
}

RECT TWinSkinMenu::BandRect() const {
    RECT w{};
    if (!SF || !GetWindowRect(SF->Hwnd, &w)) return RECT{};
    const int width = w.right - w.left;
    return RECT{SF->bw.left, SF->bw.top, width - SF->bw.right, SF->bw.top + SF->MenuHeight};
}

void TWinSkinMenu::SetMenuRect() {
    RECT band = Bar.right > Bar.left ? Bar : BandRect();
    if (!SF) return;
    // The bar's width follows the window.
    RECT now = BandRect();
    if (now.right > now.left) band.right = band.left + (now.right - now.left);
    TCanvas measure;
    measure.OwnHandle(CreateCompatibleDC(nullptr));
    HDC dc = measure.Handle();
    GdiObject<HFONT> font(CreateMenuFont(false));
    HGDIOBJ old = font ? SelectObject(dc, font.get()) : nullptr;
    std::vector<paint::BarButtonInfo> infos;
    for (auto& b : Buttons)
        infos.push_back({CaptionWidth(dc, b->caption), b->visible, !b->caption.empty()});
    if (old) SelectObject(dc, old);
    paint::BarSkin skin;
    if (TDataSkinObject* mb = BarObject(FSD)) skin = {true, mb->r.Left, mb->r.Right};
    // With a maximised MDI child the captions end kMdiButtonGap before its
    // buttons: a right-to-left row starts there, a left-to-right row is cut there.
    int limit = static_cast<int>(band.right);
    if (SF->FormStyle == sfsMDIform && SF->MDIChildMax())
        for (auto& sb : SF->SysBtn)
            if (IsMdiChildButton(*sb)) limit = std::min(limit, static_cast<int>(sb->bounds.left) - kMdiButtonGap);
    int reserve = 0;
    if (limit < band.right && SF->bidileft) {
        const int start = skin.hasMenubar ? skin.right + 8 : 6;
        reserve = std::max(0, static_cast<int>(band.right) - start - limit);
    }
    auto boxes =
        paint::LayoutBarButtons({band.left, band.top, band.right, band.bottom}, infos, skin, SF->bidileft, reserve);
    for (size_t i = 0; i < Buttons.size(); ++i) {
        RECT r = ToRect(boxes[i]);
        if (!SF->bidileft && r.right > limit) r.right = std::max<LONG>(r.left, static_cast<LONG>(limit));
        // A caption pushed wholly past the limit has no room left.
        if (r.right <= r.left) r = RECT{};
        Buttons[i]->bounds = r;
    }
}

void TWinSkinMenu::DrawMenu(HDC dc, const RECT& rc) {
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (!dc || w <= 0 || h <= 0 || !SF) return;
    topmenu = true;
    TBitmap buf(w, h);
    HDC bdc = buf.Canvas().Handle();
    const RECT local{0, 0, w, h};
    if (TDataSkinObject* mb = BarObject(FSD)) {
        const paint::SliceMargins m{mb->r.Left, mb->r.Top, mb->r.Right, mb->r.Bottom};
        const int frame = SF->FWindowActive ? 1 : 2;
        if (mb->Tile == 1)
            DrawRect2(bdc, local, *mb->Map, m, frame, 2, false, false, true);
        else
            DrawRectTile(buf.Canvas(), local, *mb->Map, m, frame, 2, false, true);
    } else {
        GdiObject<HBRUSH> brush(CreateSolidBrush(Scheme(FSD, csMenuBar, COLOR_MENU)));
        FillRect(bdc, &local, brush.get());
    }
    Bar = rc;
    bkmap = std::make_unique<TBitmap>(w, h);
    BitBlt(bkmap->Canvas().Handle(), 0, 0, w, h, bdc, 0, 0, SRCCOPY);
    SetMenuRect();
    GdiObject<HFONT> font(CreateMenuFont(false));
    HGDIOBJ old = font ? SelectObject(bdc, font.get()) : nullptr;
    SetBkMode(bdc, TRANSPARENT);
    for (auto& b : Buttons) {
        if (!b->visible || b->caption.empty()) continue;
        RECT r = b->bounds;
        OffsetRect(&r, -rc.left, -rc.top);
        if (b->state == 2 || b->state == 3) {
            GdiObject<HBRUSH> frame(CreateSolidBrush(Scheme(FSD, csButtonHilight, COLOR_BTNHIGHLIGHT)));
            FrameRect(bdc, &r, frame.get());
        }
        SetTextColor(bdc, b->enabled ? Scheme(FSD, csMenuBarText, COLOR_MENUTEXT) : Scheme(FSD, csButtonShadow, COLOR_GRAYTEXT));
        DrawTextW(bdc, b->caption.c_str(), static_cast<int>(b->caption.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    if (old) SelectObject(bdc, old);
    // A maximised MDI child's buttons stand at the bar's right end.
    if (SF->FormStyle == sfsMDIform && SF->MDIChildMax()) {
        for (auto& sb : SF->SysBtn) {
            if (!IsMdiChildButton(*sb)) continue;
            RECT r = sb->bounds;
            OffsetRect(&r, -rc.left, -rc.top);
            DrawRect1(bdc, r, *sb->data->Map, 1, std::max(sb->data->frame, 1), true);
        }
        if (TSkinManage* mgr = Manager()) mgr->SetMDIMax(true);
    }
    BitBlt(dc, rc.left, rc.top, w, h, bdc, 0, 0, SRCCOPY);
    topmenu = false;
}

void TWinSkinMenu::PaintButton(HDC dc, TMenuBtn* b) {
    if (!dc || !b || !bkmap || bkmap->Empty() || !b->visible || b->caption.empty()) return;
    RECT r = b->bounds;
    // The piece of the saved background under the button, cut to it.
    RECT src = r;
    OffsetRect(&src, -Bar.left, -Bar.top);
    RECT inside{0, 0, bkmap->Width(), bkmap->Height()};
    RECT cut{};
    if (!IntersectRect(&cut, &src, &inside)) return;
    BitBlt(dc, cut.left + Bar.left, cut.top + Bar.top, cut.right - cut.left, cut.bottom - cut.top, bkmap->Canvas().Handle(),
           cut.left, cut.top, SRCCOPY);
    if (b->state == 2 || b->state == 3) {
        GdiObject<HBRUSH> frame(CreateSolidBrush(Scheme(FSD, csButtonHilight, COLOR_BTNHIGHLIGHT)));
        FrameRect(dc, &r, frame.get());
    }
    GdiObject<HFONT> font(CreateMenuFont(false));
    HGDIOBJ old = font ? SelectObject(dc, font.get()) : nullptr;
    int mode = SetBkMode(dc, TRANSPARENT);
    COLORREF colour = SetTextColor(
        dc, b->enabled ? Scheme(FSD, csMenuBarText, COLOR_MENUTEXT) : Scheme(FSD, csButtonShadow, COLOR_GRAYTEXT));
    DrawTextW(dc, b->caption.c_str(), static_cast<int>(b->caption.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SetTextColor(dc, colour);
    SetBkMode(dc, mode);
    if (old) SelectObject(dc, old);
}

TNCObject* TWinSkinMenu::FindBtn(POINT p) {
    std::vector<paint::Box> boxes;
    std::vector<paint::BarButtonInfo> infos;
    for (auto& b : Buttons) {
        boxes.push_back({b->bounds.left, b->bounds.top, b->bounds.right, b->bounds.bottom});
        infos.push_back({0, b->visible, !b->caption.empty()});
    }
    int i = paint::FindBarButton(boxes, infos, p.x, p.y);
    return i >= 0 ? Buttons[static_cast<size_t>(i)].get() : nullptr;
}

bool TWinSkinMenu::OpenButton(TNCObject* obj) {
    auto* b = dynamic_cast<TMenuBtn*>(obj);
    if (!b || b->bar != this) return false;
    return CheckMenu(b);
}

bool TWinSkinMenu::CheckMenu(TMenuBtn* button) {
    if (!button || !SF || track.bar) return false;
    // The toolkit runs the top item's click on its command.
    PostMessageW(SF->Hwnd, WM_COMMAND, button->mid, 0);
    if (!button->hsubmenu) return false;
    int index = button->index;
    do {
        TMenuBtn* b = Buttons[static_cast<size_t>(index)].get();
        track = Tracking{};
        track.bar = this;
        track.open = index;
        track.active = b->hsubmenu;
        GetCursorPos(&track.last);
        WMINITMENU(b->hsubmenu);
        SF->fInMenu = true;
        POINT o = WindowOrigin(SF->Hwnd);
        POINT at{o.x + (SF->bidileft ? b->bounds.right : b->bounds.left), o.y + b->bounds.bottom};
        if (TSkinManage* mgr = Manager()) {
            mgr->menutype = 1;
            mgr->menuactive = true;
        }
        track.filter = SetWindowsHookExW(WH_MSGFILTER, MenuFilterProc, nullptr, GetCurrentThreadId());
        track.callProc = SetWindowsHookExW(WH_CALLWNDPROC, MenuSelectProc, nullptr, GetCurrentThreadId());
        UINT command = 0;
        if (b->enabled) {
            b->state = 2;
            b->Draw(nullptr);
            // The drop-down opens with its first item selected.
            PostMessageW(SF->Hwnd, WM_KEYDOWN, VK_DOWN, 0);
            UINT flags = TPM_RIGHTBUTTON | TPM_RETURNCMD | (SF->bidileft ? TPM_RIGHTALIGN : TPM_LEFTALIGN);
            command = static_cast<UINT>(TrackPopupMenu(b->hsubmenu, flags, at.x, at.y, 0, SF->Hwnd, nullptr));
        }
        if (track.filter) UnhookWindowsHookEx(track.filter);
        if (track.callProc) UnhookWindowsHookEx(track.callProc);
        const int next = track.next;
        track = Tracking{};
        if (b->bar == this) {
            b->state = 1;
            b->Draw(nullptr);
        }
        // The chosen item's click, through the window's own command path.
        if (command) PostMessageW(SF->Hwnd, WM_COMMAND, command, 0);
        // Moving on to another button: its click, and its menu when it has one.
        index = -1;
        if (next >= 0 && next < static_cast<int>(Buttons.size())) {
            PostMessageW(SF->Hwnd, WM_COMMAND, Buttons[static_cast<size_t>(next)]->mid, 0);
            if (Buttons[static_cast<size_t>(next)]->hsubmenu) index = next;
        }
    } while (index >= 0);
    SF->fInMenu = false;
    return true;
}

void TWinSkinMenu::ClickButton(TMenuBtn* button) {
    if (!button || !SF) return;
    // Opening a menu is modal: it happens when the posted selection arrives.
    POINT o = WindowOrigin(SF->Hwnd);
    POINT p{o.x + button->bounds.left + 1, o.y + button->bounds.top + 1};
    PostMessageW(SF->Hwnd, CN_MenuSelect, 0, MAKELPARAM(static_cast<SHORT>(p.x), static_cast<SHORT>(p.y)));
}

TMenuBtn* TWinSkinMenu::FindButtonFromAccel(wchar_t key) {
    for (auto& b : Buttons)
        if (b->enabled && b->visible && paint::MatchesAccelerator(b->caption, key)) return b.get();
    return nullptr;
}

bool TWinSkinMenu::KeyMenu(wchar_t key) {
    if (Buttons.empty() || track.bar) return false;
    TMenuBtn* b = nullptr;
    if (key == 0) {
        for (auto& c : Buttons)
            if (c->visible && !c->caption.empty()) {
                b = c.get();
                break;
            }
    } else {
        b = FindButtonFromAccel(key);
    }
    if (!b) return false;
    CheckMenu(b);
    return true;
}

void TWinSkinMenu::CMDialogChar(TMessage& msg, const TWndMethod& previous) {
    if (previous) previous(msg);
    if (msg.Result != 0) return;
    if (AltOnly()) {
        if (TMenuBtn* b = FindButtonFromAccel(static_cast<wchar_t>(msg.WParam))) {
            ClickButton(b);
            msg.Result = 1;
            return;
        }
    }
    // A form without this accelerator hands it to the main form's bar.
    TForm* main = Application ? Application->MainForm() : nullptr;
    if (SF && SF->FForm && main && main != SF->FForm && main->HandleAllocated())
        msg.Result = main->Perform(CM_DIALOGCHAR, msg.WParam, msg.LParam);
}

void TWinSkinMenu::MenuSelect(TMessage& msg) {
    msg.Result = 0;
    if (!SF) return;
    POINT o = WindowOrigin(SF->Hwnd);
    POINT p{GET_X_LPARAM(msg.LParam) - o.x, GET_Y_LPARAM(msg.LParam) - o.y};
    if (auto* b = dynamic_cast<TMenuBtn*>(FindBtn(p))) CheckMenu(b);
}

void TWinSkinMenu::UpdateMainMenu() {
    if (!SF) return;
    UpdataBtn();
    if (Bar.right > Bar.left) {
        HDC dc = GetWindowDC(SF->Hwnd);
        if (dc) {
            DrawMenu(dc, BandRect());
            ReleaseDC(SF->Hwnd, dc);
        }
    }
}

void TWinSkinMenu::RestoreMenu() {
    if (SF && hmenu && IsWindow(SF->Hwnd) && IsMenu(hmenu) && !GetMenu(SF->Hwnd)) SetMenu(SF->Hwnd, hmenu);
}

}  // namespace relayon::skin
