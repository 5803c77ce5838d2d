// The form's menu bar: the window shows its TMainMenu, menu commands and
// owner-drawn entries reach the items, and keyboard shortcuts run them.
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Menus.h"

void TForm::SetMenu(TMainMenu* menu) {
    if (menu == menu_) return;
    if (menu_) {
        menu_->SetWindowForm(nullptr);
        menu_->RemoveFreeNotification(this);
    }
    // A menu bar belongs to one window at a time.
    if (menu && menu->WindowForm() && menu->WindowForm() != this) menu->WindowForm()->SetMenu(nullptr);
    menu_ = menu;
    if (menu) {
        menu->SetWindowForm(this);
        menu->FreeNotification(this);
    }
    MenuChanged();
}

void TForm::MenuChanged() {
    if (!handle_ || IsLoading() || IsDestroying()) return;
    if (IsMDIChildWindow()) {
        if (TForm* main = MDIMainForm(); main && main->ActiveMDIChild() == this) {
            main->MergeChildMenu(nullptr);
            main->MergeChildMenu(this);
        }
        return;
    }
    ApplyMenuToWindow();
    // Whoever draws the bar itself (a skin) rebuilds it from the menu now.
    SendMessageW(handle_, CM_MENUCHANGED, 0, 0);
}

void TForm::ApplyMenuToWindow() {
    if (!handle_ || IsMDIChildWindow()) return;
    HMENU bar = menu_ ? menu_->Handle() : nullptr;
    if (clientHandle_ && bar) {
        // The MDI client keeps the window list at the end of the window menu.
        HMENU windowList = windowMenu_ ? windowMenu_->Handle() : nullptr;
        SendMessageW(clientHandle_, WM_MDISETMENU, reinterpret_cast<WPARAM>(bar), reinterpret_cast<LPARAM>(windowList));
        SendMessageW(clientHandle_, WM_MDIREFRESHMENU, 0, 0);
    } else if (GetMenu(handle_) != bar) {
        ::SetMenu(handle_, bar);
    }
    DrawMenuBar(handle_);
}

void TForm::MergeChildMenu(TForm* child) {
    if (!menu_) return;
    menu_->Merge(child ? child->menu_ : nullptr);
}

TForm* TForm::MDIMainForm() const {
    TForm* main = Application->MainForm();
    return main && main != this && main->FormStyle() == fsMDIForm ? main : nullptr;
}

void TForm::SetWindowMenu(TMenuItem* item) {
    if (item == windowMenu_) return;
    if (windowMenu_) windowMenu_->RemoveFreeNotification(this);
    windowMenu_ = item;
    if (item) item->FreeNotification(this);
    MenuChanged();
}

bool TForm::IsShortCut(TControl* focused, WORD key, TShiftState shift) {
    for (TControl* c = focused; c; c = c->Parent())
        if (c->PopupMenu() && c->PopupMenu()->IsShortCut(key, shift)) return true;
    if (menu_ && menu_->IsShortCut(key, shift)) return true;
    if (formStyle_ == fsMDIForm)
        if (TForm* child = ActiveMDIChild(); child && child->menu_ && child->menu_->IsShortCut(key, shift)) return true;
    if (formStyle_ == fsMDIChild)
        if (TForm* main = MDIMainForm()) return main->IsShortCut(nullptr, key, shift);
    return false;
}

// WM_COMMAND from the menu bar (or an accelerator): the item's click. An MDI
// form offers commands it does not know to its active child's menu.
bool TForm::MenuCommand(TMessage& message) {
    if (message.LParam != 0 || HIWORD(message.WParam) > 1) return false;
    WORD command = LOWORD(message.WParam);
    bool handled = menu_ && menu_->DispatchCommand(command);
    if (!handled && formStyle_ == fsMDIForm)
        if (TForm* child = ActiveMDIChild(); child && child->menu_) handled = child->menu_->DispatchCommand(command);
    if (handled) message.Result = 0;
    return handled;
}

void TForm::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == menu_) {
        menu_ = nullptr;
        if (handle_ && !IsDestroying()) ::SetMenu(handle_, nullptr);
    }
    if (component == windowMenu_) windowMenu_ = nullptr;
}
