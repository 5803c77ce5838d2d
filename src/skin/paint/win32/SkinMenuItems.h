#pragma once
// Owner-drawn menu items painted from the skin: each item is composed in an
// off-screen bitmap (the part of the menu window's skinned background under
// the item, the skin's item plate for the normal or selected state, glyph or
// check mark, caption, shortcut) and copied to the menu once. Separators get
// the skin's separator picture, or an etched line when drawn from a menu
// handle. Toolkit menus are hooked through their items' OnMeasureItem and
// OnDrawItem events; menus known only by their handle (a plain window's menu,
// the menu bar's drop-downs) are answered at WM_MEASUREITEM / WM_DRAWITEM.
//
// All text goes through the wide calls, whatever the window's character set.
#include <windows.h>

#include <set>
#include <string>

#include "skin/paint/win32/Winskinform.h"
#include "toolkit/Messages.h"
#include "toolkit/core/Component.h"

class TCanvas;
class TMenuItem;
class TMenu;

namespace relayon::skin {

// The item painter of one form skinner (a component it owns). Its event
// handlers are what hooked toolkit items call; when it goes, every item still
// hooked to it gets its handlers cleared.
class TSkinMenuItems : public TComponent {
public:
    explicit TSkinMenuItems(TWinSkinForm* sf);
    ~TSkinMenuItems() override;

    // Toolkit item events.
    void DrawMenuItem(TObject* Sender, TCanvas* ACanvas, const RECT& ARect, bool Selected);
    void MeasureItem(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height);
    void MeasureItemPop(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height);

    // An item of a menu handle (its caption, state) drawn at rect.
    void DrawHMenuItem2(HMENU amenu, TMenuItem* item, bool selected, const RECT& rect, TCanvas* canvas);
    // Plain colours, for a skin without an item plate.
    void DefaultMenuItem(TMenuItem* item, TCanvas* canvas, bool selected, const RECT& rect);
    // The skin's separator picture over rect.
    void DrawMenuCaption(HDC dc, const RECT& rect);
    void DrawItemText(TMenuItem* item, TCanvas* canvas, bool selected, const RECT& rect);
    // Measures (DT_CALCRECT in flags: rect grows to the text) or draws one text.
    void DoDrawText(TMenuItem* item, HDC dc, const std::wstring& text, RECT& rect, bool selected, UINT flags);

    // Hooking toolkit items (recorded so they can be unhooked later).
    void Hook(TMenuItem* item, bool popup);
    void Unhook(TMenuItem* item);
    bool Hooked(TMenuItem* item) const { return hooked_.count(item) != 0; }

    void Notification(TComponent* component, TOperation operation) override;

    TWinSkinForm* SF = nullptr;
    TSkinData* fsd() const;

private:
    // Composes an item: background, plate (unless a separator), content.
    void ComposeItem(HMENU menu, TMenuItem* item, TCanvas* target, const RECT& rect, bool selected, bool fromHandle);
    std::set<TMenuItem*> hooked_;
};

// The skin's item plate (its MenuItem object with an image), or null.
TDataSkinObject* MenuItemPlate(TSkinData* sd);

// The screen's menu font (bold for a menu's default item); the caller owns it.
HFONT CreateMenuFont(bool bold);

// The form skinner's item painter, made on first use.
TSkinMenuItems* MenuItemsOf(TWinSkinForm* sf);

// Makes the toolkit popup menus owned by wForm (recursively through frames
// and forms it owns) owner-drawn and hooks their items, or undoes it. Menus
// whose Tag is the skin data's DisableTag are left alone.
void InitPopMenu(TWinSkinForm* sf, TComponent* wForm, bool Enable);
// The same for main menus: items below the top level that have no draw
// handler of their own (the top level is the menu bar's).
void InitMainMenu(TWinSkinForm* sf, TComponent* wForm, bool Enable);
// A tool button's drop-down menu: the item and everything below it.
void InitToolbarMenu(TWinSkinForm* sf, TMenuItem* item, bool value);
// Makes every entry of a menu handle (and its submenus) owner-drawn.
void WMINITMENU(HMENU hmenu);
// A temporary item with the text and state of entry `id` of `hmenu`.
TMenuItem* CreateMenuItem(HMENU hmenu, UINT id);
// Text of a menu entry through the wide call (by command, or by position).
std::wstring MenuEntryText(HMENU hmenu, UINT idOrPos, bool byPosition);

// The form skinner's message handlers; true when handled (else Default).
bool MenuWMMeasureItem(TWinSkinForm* sf, TMessage& m);
bool MenuWMDrawItem(TWinSkinForm* sf, TMessage& m);
// System commands arriving as WM_COMMAND from an owner-drawn system menu
// are posted back as WM_SYSCOMMAND.
bool MenuWMCommand(TWinSkinForm* sf, TMessage& m);

}  // namespace relayon::skin
