#pragma once
// The skinner of a popup-menu window (system class "#32768"): it paints the
// window's border and background from the skin's MenuBackground image and
// keeps the composed background (MenuBg) so that owner-drawn items can cut
// their own background out of it. Works for every menu of the process,
// including the system's own context menus, whose items stay system-drawn.
// The skin manager makes one per menu window through the factory installed
// by InstallMenuSkinning and frees it when the window goes.
#include <windows.h>

#include <memory>

#include "skin/paint/win32/Winskindlg.h"
#include "toolkit/Messages.h"

namespace relayon::skin {

class TPopMenuRelay;

class TSkinPopMenuWindow final : public TWinSkinPopMenu {
public:
    TSkinPopMenuWindow();
    ~TSkinPopMenuWindow() override;

    void InitSkin(HWND ahwnd, TSkinData* afsd) override;
    void Unsubclass() override;
    TBitmap* MenuBg() override { return menuBg_.get(); }
    // Where the window's client area lies in MenuBg (the width of the
    // border the window has of its own; 0 when it has none).
    POINT ClientOffset() const;
    bool Subclassed() const { return FObjectInst != nullptr; }

    void WinWndProc(TMessage& Message);
    void Default(TMessage& Message);
    void NcPaint(TMessage& Message);
    void WMPrint(TMessage& Message);
    void WMERASEBKGND(TMessage& Message);

    WNDPROC FPrevWndProc = nullptr;
    WNDPROC FObjectInst = nullptr;
    bool done = false;
    TSkinData* fsd = nullptr;
    int SelIndex = -1;

private:
    // The skin has a usable menu background image.
    bool HasBackground() const;
    // Recomposes MenuBg for the window's current size; false when it cannot.
    bool ComposeBackground();
    void BorderOverClient();
    std::unique_ptr<TBitmap> menuBg_;
    TPopMenuRelay* relay_ = nullptr;
};

// Makes the skin manager give every menu window a TSkinPopMenuWindow.
void InstallMenuSkinning();

// The menu window skinner that holds `amenu` (SetHMenu), or null.
TSkinPopMenuWindow* FindMenuSkinner(HMENU amenu);

}  // namespace relayon::skin
