// TWinSkinForm: the menu bar's share of the skinned frame. The bar itself
// (its buttons, drawing, drop-downs and keys) is TWinSkinMenu; the frame
// makes it, gives it the band below the caption and passes it hits and keys.
#include "skin/paint/win32/SkinMenuBar.h"
#include "skin/paint/win32/SkinMenuItems.h"
#include "skin/paint/win32/Winskinform.h"
#include "toolkit/Messages.h"

namespace relayon::skin {

void TWinSkinForm::CreateMenuBar() {
    if (menu || !hmenu || IsMDIChild()) return;
    menu = new TWinSkinMenu(this);
    menu->UpdataBtn();
    MenuHeight = menu->Height();
}

bool TWinSkinForm::DrawMenuBand(HDC dc, const RECT& band) {
    if (!menu) return false;
    menu->DrawMenu(dc, band);
    return true;
}

TNCObject* TWinSkinForm::MenuBarFind(POINT p) { return menu ? menu->FindBtn(p) : nullptr; }

bool TWinSkinForm::IsMenuBarButton(const TNCObject* obj) const {
    if (!menu || !obj) return false;
    for (auto& b : menu->Buttons)
        if (b.get() == obj) return true;
    return false;
}

void TWinSkinForm::MenuBarOpen(TNCObject* obj) {
    if (menu) menu->OpenButton(obj);
}

bool TWinSkinForm::MenuBarKey(wchar_t key) { return menu && menu->KeyMenu(key); }

void TWinSkinForm::FreeMenuBar() {
    if (!menu) return;
    if (IsMenuBarButton(ActiveBtn)) ActiveBtn = nullptr;
    TWinSkinMenu* bar = menu;
    menu = nullptr;
    if (Hwnd && IsWindow(Hwnd)) bar->RestoreMenu();
    delete bar;
}

// Menu messages of the window: owner-drawn items, commands, the bar's own
// selection and accelerators, and menu changes. Answers whether it handled m.
bool TWinSkinForm::MenuMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_DRAWITEM: return MenuWMDrawItem(this, m);
    case WM_MEASUREITEM: return MenuWMMeasureItem(this, m);
    case WM_COMMAND: return MenuWMCommand(this, m);
    case CN_MenuSelect:
        if (!menu) return false;
        menu->MenuSelect(m);
        return true;
    case CM_MENUCHANGED:
        if (menu) menu->UpdateMainMenu();
        return false;
    default: return false;
    }
}

void TWinSkinForm::MenuDialogChar(TMessage& m) {
    if (menu) menu->CMDialogChar(m, OldWndProc);
    else if (OldWndProc) OldWndProc(m);
}

void TWinSkinForm::MenuBarNewMenu(HMENU newmenu) {
    if (menu && newmenu) menu->UpdataBtn2(newmenu);
}

bool TWinSkinForm::InMenuBarMenu() const { return menu && TWinSkinMenu::InMenu(); }

}  // namespace relayon::skin
