#pragma once
// TWScrollbar: a small window of the engine's own laid over one native
// scroll bar (a window's horizontal or vertical bar, or a whole scroll-bar
// control). It paints the skin's arrows, track and thumb and hands every
// left-button press on to the native bar underneath, synchronously, so the
// system keeps its own scrolling: line and page repeats, thumb tracking,
// keyboard. The user only sees the skin.
//
// The overlay is a sibling of the covered control (a child of the control's
// parent window) placed directly above it in the Z order. It never outlives
// its skinner, is hidden whenever the bar is not there to cover (control
// hidden, bar gone, information unavailable), follows the control to a new
// parent, and sends nothing to a control window that no longer exists.
#include <windows.h>

#include <memory>

#include "skin/paint/core/ScrollGeometry.h"
#include "skin/paint/win32/SkinScrollPaint.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Color.h"
#include "toolkit/core/Component.h"

class TWinControl;

namespace relayon::skin {

class TSkinControl;

class TWScrollbar : public TComponent {
public:
    // Types: the bar a window has (0 horizontal, 1 vertical), or a
    // scroll-bar control covered whole (2).
    static constexpr int kHorizontalBar = 0, kVerticalBar = 1, kControlBar = 2;

    explicit TWScrollbar(TComponent* AOwner);
    ~TWScrollbar() override;

    // Covers the bar of a toolkit control (`aDir` gives a control bar's
    // direction: 0 horizontal, 1 vertical; window bars take it from the type).
    void Attach(TSkinControl* aobj, TWinControl* aControl, int aType, int aDir = -1);
    // The same for a window known only by its handle.
    void AttachHwnd(TSkinControl* aobj, HWND ahwnd, int aType);
    // Places, shows or hides the overlay over the bar of `ahwnd`.
    void SetPosition(HWND ahwnd);
    void HideScrollbar();
    // Ends a press: clears fdown, lets the capture go, repaints a control bar.
    void ButtonUp();
    // The part (kPart...) under a point in overlay coordinates.
    int GetScrollPos(POINT point);
    // The thumb following the cursor while it is dragged; answers its end.
    int GetThumb();
    // A scroll-bar control's bar information computed from its scroll info.
    bool GetControlInfo2(SCROLLBARINFO& info);
    // Paints now (when shown).
    void Repaint();
    void SetEnabled(bool value);
    // Destroys the overlay's window and forgets the control (skin taken off).
    void Detach();
    HWND Window() const { return window_; }

    int Len = 0;
    int thumbTop = 0, thumbbottom = 0;
    POINT OffsetSC{};
    POINT trackp{};
    int trackthumb = 0;
    bool fdown = false;
    int sbDir = 0;
    int scrollpos = paint::kPartNone;
    int CW = 0;
    HWND hwnd = nullptr;
    TWinControl* control = nullptr;
    TSkinControl* obj = nullptr;
    uint8_t sbType = 0;
    RECT sbRect{};
    bool sbVisible = false;
    TColor Color = clBtnFace;

private:
    static LRESULT CALLBACK OverlayProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void WMPaint();
    void WMMouseMove(POINT p);
    void WMMouseLeave();
    void WMLButtonDown(POINT p);
    void WMLButtonUp(POINT p);
    void Paint(HDC dc);

    bool Vertical() const { return sbDir == 1; }
    bool BarInfo(SCROLLBARINFO& info);
    // The bar as the parts are laid out for it now.
    bool CurrentLayout(paint::BarLayout& layout, bool& enabled);
    // The covered window still exists and is still the control's.
    bool TargetAlive() const;
    bool EnsureWindow(HWND parent);

    HWND window_ = nullptr;
    bool enabled_ = true;
    // The last composed picture and what it was composed from: repaints
    // with nothing changed copy it instead of composing it again.
    std::unique_ptr<TBitmap> picture_;
    paint::BarLayout pictureLayout_;
    BarLook pictureLook_;
    const TSkinData* pictureSkin_ = nullptr;
    uint64_t pictureGeneration_ = 0;
    // Cleared when this object dies, so a handler that sent a message which
    // ended up freeing the overlay does not touch it afterwards.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace relayon::skin
