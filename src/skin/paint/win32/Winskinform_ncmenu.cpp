// TWinSkinForm: the menu bar's share of the skinned frame. The bar itself
// (its buttons, drawing, drop-downs and keys) is TWinSkinMenu; the frame
// makes it, gives it the band below the caption and passes it hits and keys.
#include "skin/paint/win32/SkinMenuBar.h"
#include "skin/paint/win32/Winskinform.h"

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

bool TWinSkinForm::InMenuBarMenu() const { return menu && TWinSkinMenu::InMenu(); }

}  // namespace relayon::skin
