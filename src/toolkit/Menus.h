#pragma once
// Menus built from TMenuItem trees. TMainMenu is a form's menu bar (the
// form's Menu sets it on the window); TPopupMenu opens at a point, and a
// control's PopupMenu opens it on a right click (WM_CONTEXTMENU).
#include <windows.h>

#include "toolkit/ControlTypes.h"
#include "toolkit/MenuItem.h"

class TControl;
class TForm;
class TImageList;

enum TFindItemKind { fkCommand, fkHandle, fkShortCut };

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;

    // The root item: its sub-items are the menu's entries.
    TMenuItem* Items() const { return items_; }
    HMENU Handle() { return items_->Handle(); }
    // Entries drawn by their items (OnMeasureItem / OnDrawItem or the
    // toolkit's default drawing) instead of by the system.
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool value);
    // The images its items show by ImageIndex (owner-drawn menus draw them).
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* list);
    // fkCommand: the item with that WM_COMMAND id; fkHandle: the item whose
    // submenu is that HMENU; fkShortCut: the reachable item with that shortcut.
    TMenuItem* FindItem(UINT_PTR value, TFindItemKind kind);
    // Runs the click of the item with that command; false when none has it.
    bool DispatchCommand(WORD command);
    // Runs the item whose ShortCut is this key with the shift keys now held.
    bool IsShortCut(WORD key, TShiftState shift);
    bool IsMainMenu() const { return isMainMenu_; }
    // Rebuilds the Win32 menus of the whole tree.
    void Rebuild();
    // An MDI child's menu shown merged into this one (see GroupIndex).
    TMenu* MergedMenu() const { return merged_; }
    void Merge(TMenu* menu);
    void Unmerge(TMenu* menu);
    void Notification(TComponent* component, TOperation operation) override;

    void Loaded() override;
    // An item of the tree changed (state, caption, entries).
    virtual void MenuChanged(TMenuItem* source);

protected:
    bool isMainMenu_ = false;

private:
    TMenuItem* items_;
    TMenu* merged_ = nullptr;
    TImageList* images_ = nullptr;
    bool ownerDraw_ = false;
};

class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* AOwner);
    ~TMainMenu() override;
    // The form showing this menu (set by the form's SetMenu).
    TForm* WindowForm() const { return form_; }
    void SetWindowForm(TForm* form) { form_ = form; }
    void MenuChanged(TMenuItem* source) override;

private:
    TForm* form_ = nullptr;
};

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* AOwner);
    // Shows the menu at a screen point and runs the chosen item's click
    // before returning.
    virtual void Popup(int x, int y);
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool value) { autoPopup_ = value; }
    // The control that opened the menu last (by right click), or null.
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* component);
    void Notification(TComponent* component, TOperation operation) override;

    TNotifyEvent OnPopup;

private:
    bool autoPopup_ = true;
    TComponent* popupComponent_ = nullptr;
};

// Shows `control`'s popup menu for a WM_CONTEXTMENU at `screen` (-1, -1:
// from the keyboard, at the control's centre); false when the control has
// no popup menu that opens by itself.
bool ShowControlPopup(TControl* control, POINT screen);
