#pragma once
// TSkinTab: tab controls, page controls in tab style and tabbed notebooks.
// The skinner takes WM_PAINT away from the control and composes the tab
// strip off screen from the skin's tab object (frame 1 a normal tab, frame 2
// the tab with the focus), then draws the page border over the page area; the
// control keeps its hit testing, keyboard and page switching.
//
// The strip is always drawn lying horizontally: tabs at the bottom use images
// mirrored top to bottom, tabs at the sides draw the strip lying down and
// turn the finished bitmap (the page border image is turned the same way).
#include <memory>
#include <vector>

#include "skin/paint/core/TabGeometry.h"
#include "skin/paint/win32/Winsubclass.h"
#include "toolkit/Bitmap.h"

namespace relayon::skin {

using paint::TSkinTabPosition;

// Sent to the form skinner's window when a tab's close cross is clicked:
// wParam the tab control's window, lParam the tab index. A non-zero answer
// keeps the page; 0 lets the skinner free it.
constexpr UINT CN_TabClose = 0x3507;
// Tag of a page control (tabs on top) whose tabs carry close crosses.
constexpr intptr_t kClosableTabsTag = 7777;

class TSkinTab : public TSkinControl {
public:
    explicit TSkinTab(TComponent* AOwner);
    ~TSkinTab() override;
    void Notification(TComponent* component, TOperation operation) override;

    void Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) override;
    void Inithwnd(HWND ahwnd, TSkinData* sd, TCanvas* acanvas, TWinSkinForm* sf) override;
    bool BeforeProc(TMessage& Message) override;
    void DrawControl(HDC dc, const RECT& rc) override;
    void SkinChange() override;

    // Rebuilds the oriented working copies of the tab and page-border images.
    void inittab();
    TSkinTabPosition GetPosition();
    // Draws tab I into the strip bitmap `dc` at `rect` (strip coordinates).
    void Drawitem(HDC dc, const RECT& rect, int I);
    void drawCloseBtn(HDC dc, const RECT& rect, int index);
    // A press on a close cross: asks the form and frees the page. True when
    // some cross was hit.
    bool ClickClose(TMessage& Message);
    // Takes over the control's scroll arrows; answers whether they show.
    bool FindScroll();
    // Clips `dc` to the window minus the scroll arrows.
    void ClipUpdown(HDC dc, const RECT& rect);

    std::vector<RECT> CloseRect;
    TSkinTabPosition Position = TSkinTabPosition::StTop;
    bool unicode = false;
    std::unique_ptr<TBitmap> tabbmp;
    std::unique_ptr<TBitmap> borderbmp;
    std::unique_ptr<TBitmap> Drawtemp;
    TSkinControl* updown = nullptr;
    bool showclose = false;

private:
    void Start();
    void DrawStrip(HDC dc, const RECT& rc, const RECT& page);
    void DrawPageBorder(HDC dc, const RECT& page);
    HWND updownHwnd_ = nullptr;
};

}  // namespace relayon::skin
