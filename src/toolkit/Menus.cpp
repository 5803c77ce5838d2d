#include "toolkit/Menus.h"

#include <functional>

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/ImageList.h"
#include "toolkit/ModuleInstance.h"

namespace {

// Owner of popup menus that no form owns: it hears their owner-draw messages.
LRESULT CALLBACK PopupOwnerProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    try {
        if (MenuItemMessages(msg, lParam, result)) return result;
    } catch (...) {
        Application->HandleException(nullptr);
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

HWND PopupOwnerWindow() {
    static HWND window = nullptr;
    if (!window || !IsWindow(window)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = PopupOwnerProc;
        wc.hInstance = ModuleInstance();
        wc.lpszClassName = L"TPopupMenuOwner";
        RegisterClassExW(&wc);
        window = CreateWindowExW(WS_EX_TOOLWINDOW, L"TPopupMenuOwner", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 ModuleInstance(), nullptr);
    }
    return window;
}

TMenuItem* FindInTree(TMenuItem* item, const std::function<bool(TMenuItem*)>& match) {
    for (int i = 0; i < item->Count(); ++i) {
        TMenuItem* child = item->Items(i);
        if (match(child)) return child;
        if (TMenuItem* found = FindInTree(child, match)) return found;
    }
    return nullptr;
}

}  // namespace

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(nullptr)) { items_->menu_ = this; }

TMenu::~TMenu() {
    SetDestroying();
    delete items_;
}

void TMenu::SetOwnerDraw(bool value) {
    if (value == ownerDraw_) return;
    ownerDraw_ = value;
    // Every entry of the tree changes its type.
    Rebuild();
    MenuChanged(nullptr);
}

void TMenu::SetImages(TImageList* list) {
    if (list == images_) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = list;
    if (list) list->FreeNotification(this);
    MenuChanged(nullptr);
}

void TMenu::Rebuild() {
    std::function<void(TMenuItem*)> rebuild = [&](TMenuItem* item) {
        item->RebuildHandle();
        for (int i = 0; i < item->Count(); ++i) rebuild(item->Items(i));
    };
    rebuild(items_);
}

void TMenu::Merge(TMenu* menu) {
    if (menu == this || menu == merged_) return;
    if (merged_) merged_->RemoveFreeNotification(this);
    merged_ = menu;
    if (menu) menu->FreeNotification(this);
    items_->RebuildHandle();
    MenuChanged(nullptr);
}

void TMenu::Unmerge(TMenu* menu) {
    if (menu && menu == merged_) Merge(nullptr);
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == images_) images_ = nullptr;
    if (operation == opRemove && component == merged_) {
        merged_ = nullptr;
        if (!IsDestroying()) {
            items_->RebuildHandle();
            MenuChanged(nullptr);
        }
    }
}

TMenuItem* TMenu::FindItem(UINT_PTR value, TFindItemKind kind) {
    switch (kind) {
    case fkCommand:
        return FindInTree(items_, [value](TMenuItem* i) { return i->Command() == value; });
    case fkHandle:
        return FindInTree(items_, [value](TMenuItem* i) {
            return i->HandleAllocated() && reinterpret_cast<UINT_PTR>(i->Handle()) == value;
        });
    case fkShortCut:
        return FindInTree(items_, [value](TMenuItem* i) {
            return i->ShortCut() != scNone && i->ShortCut() == value && i->Enabled() && i->Reachable();
        });
    }
    return nullptr;
}

bool TMenu::DispatchCommand(WORD command) {
    TMenuItem* item = FindItem(command, fkCommand);
    if (!item) return false;
    item->Click();
    return true;
}

bool TMenu::IsShortCut(WORD key, TShiftState shift) {
    TShortCut shortCut = ShortCut(key, shift);
    if (shortCut == scNone) return false;
    TMenuItem* item = FindItem(shortCut, fkShortCut);
    if (!item) return false;
    item->Click();
    return true;
}

void TMenu::Loaded() {
    TComponent::Loaded();
    MenuChanged(nullptr);
}

void TMenu::MenuChanged(TMenuItem*) {}

TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner) { isMainMenu_ = true; }

TMainMenu::~TMainMenu() {
    if (form_) form_->SetMenu(nullptr);
}

void TMainMenu::MenuChanged(TMenuItem*) {
    if (form_ && !IsLoading() && !IsDestroying()) form_->MenuChanged();
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
    TMenu::Notification(component, operation);
    if (operation == opRemove && component == popupComponent_) popupComponent_ = nullptr;
}

void TPopupMenu::SetPopupComponent(TComponent* component) {
    if (component == popupComponent_) return;
    if (popupComponent_) popupComponent_->RemoveFreeNotification(this);
    popupComponent_ = component;
    if (component) component->FreeNotification(this);
}

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup(this);
    HWND owner = nullptr;
    if (auto* control = dynamic_cast<TControl*>(popupComponent_))
        if (TForm* form = control->ParentForm(); form && form->HandleAllocated()) owner = form->Handle();
    if (!owner) owner = PopupOwnerWindow();
    // The command comes back here rather than as WM_COMMAND, so the click
    // runs even when the owner is not a form.
    UINT command = static_cast<UINT>(TrackPopupMenu(Handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                                                    x, y, 0, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    if (command) DispatchCommand(static_cast<WORD>(command));
}

bool ShowControlPopup(TControl* control, POINT screen) {
    TPopupMenu* menu = control ? control->PopupMenu() : nullptr;
    if (!menu || !menu->AutoPopup()) return false;
    if (screen.x == -1 && screen.y == -1) screen = control->ClientToScreen(POINT{control->Width() / 2, control->Height() / 2});
    menu->SetPopupComponent(control);
    menu->Popup(screen.x, screen.y);
    return true;
}
