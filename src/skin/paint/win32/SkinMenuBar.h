#pragma once
// TWinSkinMenu: the menu bar a skinned frame draws in place of the window's
// own menu. One TMenuBtn per top-level entry of the window menu; the bar is
// painted into the frame's menu band, tracks the mouse (hot and pressed
// buttons), opens the entries' drop-down menus with the skinned popup
// windows and owner-drawn items, moves between them with the arrow keys and
// the mouse while one is open, and answers Alt+letter, Alt/F10 and the
// private CN_MenuSelect.
//
// How the frame uses it (all on the window's thread):
//   take-over   bar = new TWinSkinMenu(sf); bar->UpdataBtn();  MenuHeight = bar->Height()
//               (the window's menu is removed while the bar stands in for it)
//   painting    bar->DrawMenu(dc, band)  band = (bw.left, bw.top, w - bw.right, bw.top + MenuHeight)
//   hit test    bar->FindBtn(pointInWindow) -> TNCObject* (a TMenuBtn) or null
//   mouse       the frame's own TNCObject handling: MouseEnter/MouseLeave/MouseDown/
//               MouseUp/Draw(dc); after MouseDown on a bar button the frame calls
//               bar->OpenButton(obj), which runs the drop-down's modal loop
//   keyboard    WM_SYSCOMMAND SC_KEYMENU (key in lParam) -> bar->KeyMenu(key)
//               CM_DIALOGCHAR at the form's WindowProc   -> bar->CMDialogChar(msg, old)
//               CN_MenuSelect                            -> bar->MenuSelect(msg)
//   changes     CM_MENUCHANGED / skin change -> bar->UpdateMainMenu()
//               MDI client WM_MDISETMENU     -> bar->UpdataBtn2(newmenu)
//   unskin      bar->RestoreMenu() puts the window's menu back; delete bar
// The bar is owned by the form skinner (a TComponent child) and freed with it.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/paint/win32/Winskinform.h"
#include "toolkit/Messages.h"
#include "toolkit/core/Component.h"

class TMainMenu;
class TMenuItem;
class TBitmap;

namespace relayon::skin {

class TWinSkinMenu;

// One top-level entry of the bar.
class TMenuBtn : public TNCObject {
public:
    TWinSkinMenu* bar = nullptr;
    TMenuItem* menuitem = nullptr;  // the toolkit item, when the form has one
    int index = 0;                  // position in the bar
    std::wstring caption;
    HMENU hsubmenu = nullptr;       // its drop-down menu, or none
    UINT mid = 0;                   // command identifier
    // Repaints the button alone (from the bar's saved background) by state.
    void Draw(HDC dc) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown() override;
    void MouseUp() override;
};

class TWinSkinMenu : public TComponent {
public:
    explicit TWinSkinMenu(TWinSkinForm* sf);
    ~TWinSkinMenu() override;

    // Height of the bar band (the system's menu height; 0 without buttons).
    int Height() const;

    // Rebuilds the buttons from the window menu (and the form's TMainMenu),
    // then removes the menu from the window. Nothing without a menu.
    void UpdataBtn();
    // The same after an MDI merge, from the new frame menu, then lays out.
    void UpdataBtn2(HMENU newmenu);
    // Button rectangles for the current window size.
    void SetMenuRect();
    // Paints the bar into dc at rc (window coordinates of the band).
    void DrawMenu(HDC dc, const RECT& rc);
    // The bar button at a point in window coordinates, or null.
    TNCObject* FindBtn(POINT p);
    // Opens the drop-down menu of a bar button (false: obj is not one of ours,
    // or the button has no drop-down; its command was posted then).
    bool OpenButton(TNCObject* obj);
    bool CheckMenu(TMenuBtn* button);
    // Posts the click that makes the frame open `button` next.
    void ClickButton(TMenuBtn* button);
    TMenuBtn* FindButtonFromAccel(wchar_t key);
    // SC_KEYMENU: key 0 (Alt or F10 alone) opens the first menu, a letter the
    // button it marks. True when a menu was opened.
    bool KeyMenu(wchar_t key);
    // CM_DIALOGCHAR: `previous` is the form's WindowProc before the skin.
    void CMDialogChar(TMessage& msg, const TWndMethod& previous);
    // CN_MenuSelect: the button under the point in lParam (screen) opens.
    void MenuSelect(TMessage& msg);
    // Rebuilds the buttons and repaints the bar at once.
    void UpdateMainMenu();
    // Puts the window's menu back (unskinning).
    void RestoreMenu();
    // A bar menu is open (between CheckMenu's start and end).
    static bool InMenu();

    // Fields.
    std::vector<std::unique_ptr<TMenuBtn>> Buttons;
    TMainMenu* menu = nullptr;
    RECT Bar{};
    TSkinData* FSD = nullptr;
    TWinSkinForm* SF = nullptr;
    std::unique_ptr<TBitmap> bkmap;
    int count = 0;
    bool topmenu = false;
    HMENU hmenu = nullptr;

    void Notification(TComponent* component, TOperation operation) override;
    // One button over its piece of the saved bar background, by its state.
    void PaintButton(HDC dc, TMenuBtn* b);

private:
    void UpdataBtn1();
    void FillFromHandle(HMENU source, bool lookupWithoutCaption);
    RECT BandRect() const;
};

}  // namespace relayon::skin
