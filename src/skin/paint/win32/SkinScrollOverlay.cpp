#include "skin/paint/win32/SkinScrollOverlay.h"

#include <windowsx.h>

#include <exception>

#include "skin/paint/win32/SkinScrollPaint.h"
#include "skin/paint/win32/Winsubclass.h"
#include "toolkit/ModuleInstance.h"
#include "toolkit/WinControl.h"

namespace relayon::skin {

namespace {

using paint::BarRect;
using paint::BarSpan;

const wchar_t kOverlayClass[] = L"TWScrollbar";

void RegisterOverlayClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    // Double clicks arrive as presses of their own, like the native bar's.
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = ModuleInstance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kOverlayClass;
    registered = RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

BarRect ToBar(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

POINT ScreenOrigin(HWND h) {
    POINT p{0, 0};
    ClientToScreen(h, &p);
    return p;
}

}  // namespace

TWScrollbar::TWScrollbar(TComponent* AOwner) : TComponent(AOwner), CW(GetSystemMetrics(SM_CXHSCROLL)) {}

TWScrollbar::~TWScrollbar() {
    *alive_ = false;
    Detach();
}

void TWScrollbar::Attach(TSkinControl* aobj, TWinControl* aControl, int aType, int aDir) {
    obj = aobj;
    control = aControl;
    sbType = static_cast<uint8_t>(aType);
    sbDir = aType == kControlBar ? (aDir == 1 ? 1 : 0) : aType;
    if (!control) return;
    if (obj) Color = obj->GetParentColor(SchemeColor(obj->fsd, csButtonFace));
    SetPosition(control->Handle());
}

void TWScrollbar::AttachHwnd(TSkinControl* aobj, HWND ahwnd, int aType) {
    obj = aobj;
    control = nullptr;
    sbType = static_cast<uint8_t>(aType);
    sbDir = aType == kControlBar ? 0 : aType;
    SetPosition(ahwnd);
}

void TWScrollbar::Detach() {
    HWND w = window_;
    window_ = nullptr;
    sbVisible = false;
    if (w && IsWindow(w)) {
        SetWindowLongPtrW(w, GWLP_USERDATA, 0);
        DestroyWindow(w);
    }
    hwnd = nullptr;
    control = nullptr;
}

bool TWScrollbar::TargetAlive() const {
    if (!hwnd || !IsWindow(hwnd)) return false;
    // A toolkit control may have made a new window since; the old handle
    // could even belong to someone else by now.
    if (control) return control->HandleAllocated() && const_cast<TWinControl*>(control)->Handle() == hwnd;
    return true;
}

bool TWScrollbar::EnsureWindow(HWND parent) {
    if (!parent) return false;
    if (window_ && IsWindow(window_)) {
        // The control moved to another parent: the overlay goes with it.
        if (GetParent(window_) != parent) SetParent(window_, parent);
        return true;
    }
    RegisterOverlayClass();
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kOverlayClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                              nullptr, ModuleInstance(), nullptr);
    if (!window_) return false;
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWScrollbar::OverlayProc));
    EnableWindow(window_, enabled_);
    return true;
}

bool TWScrollbar::BarInfo(SCROLLBARINFO& info) {
    if (sbType == kControlBar) return GetControlInfo2(info);
    return WindowBarInfo(obj ? obj->fsd : nullptr, hwnd, Vertical(), info);
}

void TWScrollbar::SetPosition(HWND ahwnd) {
    hwnd = ahwnd;
    HWND parent = hwnd && IsWindow(hwnd) ? GetParent(hwnd) : nullptr;
    SCROLLBARINFO info{};
    // Nothing to cover, nothing to paint with, or nowhere to live: the
    // native bar shows (an overlay left standing would cover stale pixels).
    if (!parent || !ArrowImage(obj ? obj->fsd : nullptr) || !BarInfo(info)) return HideScrollbar();
    const bool shown = (GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
    const bool invisible = (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) != 0;
    RECT win{};
    GetWindowRect(hwnd, &win);
    const POINT parentOrigin = ScreenOrigin(parent);
    paint::OverlayPlacement p;
    if (sbType == kControlBar) {
        BarRect inParent = ToBar(win);
        inParent = {inParent.left - parentOrigin.x, inParent.top - parentOrigin.y, inParent.right - parentOrigin.x,
                    inParent.bottom - parentOrigin.y};
        p = paint::PlaceControlOverlay(inParent, Vertical(), shown && !invisible);
    } else {
        const POINT clientOrigin = ScreenOrigin(hwnd);
        p = paint::PlaceWindowBarOverlay(ToBar(info.rcScrollBar), ToBar(win), {clientOrigin.x, clientOrigin.y},
                                         {parentOrigin.x, parentOrigin.y}, Vertical(), shown, invisible);
    }
    if (!p.visible || !EnsureWindow(parent)) return HideScrollbar();
    sbRect = {p.inClient.left, p.inClient.top, p.inClient.right, p.inClient.bottom};
    Len = p.len;
    OffsetSC = {p.screenOrigin.x, p.screenOrigin.y};
    // Directly above the control, whatever came before it.
    HWND before = GetWindow(hwnd, GW_HWNDPREV);
    UINT flags = SWP_NOACTIVATE | SWP_SHOWWINDOW;
    if (before == window_) flags |= SWP_NOZORDER;
    SetWindowPos(window_, before ? before : HWND_TOP, p.inParent.left, p.inParent.top, p.inParent.Width(),
                 p.inParent.Height(), flags);
    sbVisible = true;
    Repaint();
}

void TWScrollbar::HideScrollbar() {
    sbVisible = false;
    if (window_ && IsWindow(window_) && IsWindowVisible(window_))
        SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWScrollbar::Repaint() {
    if (!sbVisible || !window_) return;
    InvalidateRect(window_, nullptr, FALSE);
    UpdateWindow(window_);
}

void TWScrollbar::SetEnabled(bool value) {
    enabled_ = value;
    if (window_) EnableWindow(window_, value);
    Repaint();
}

void TWScrollbar::ButtonUp() {
    fdown = false;
    ReleaseCapture();
    if (sbType == kControlBar) Repaint();
}

bool TWScrollbar::GetControlInfo2(SCROLLBARINFO& info) {
    info = {};
    info.cbSize = sizeof info;
    if (!control || !hwnd || !IsWindow(hwnd)) return false;
    RECT win{};
    GetWindowRect(hwnd, &win);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    if (!GetScrollInfo(hwnd, SB_CTL, &si)) si = {};
    Len = Vertical() ? win.bottom - win.top : win.right - win.left;
    const BarSpan thumb =
        paint::ControlThumb({si.nMin, si.nMax, static_cast<int>(si.nPage), si.nPos}, Len, CW);
    info.rcScrollBar = win;
    info.dxyLineButton = CW;
    info.xyThumbTop = thumb.start;
    info.xyThumbBottom = thumb.end;
    if (!IsWindowEnabled(hwnd)) info.rgstate[0] |= STATE_SYSTEM_UNAVAILABLE;
    if (!(GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE)) info.rgstate[0] |= STATE_SYSTEM_INVISIBLE;
    return true;
}

int TWScrollbar::GetThumb() {
    POINT cursor{};
    GetCursorPos(&cursor);
    const int travel = Vertical() ? cursor.y - trackp.y : cursor.x - trackp.x;
    const BarSpan t = paint::FollowCursor({trackthumb, trackthumb + (thumbbottom - thumbTop)}, travel, Len, CW);
    thumbTop = t.start;
    thumbbottom = t.end;
    return thumbbottom;
}

bool TWScrollbar::CurrentLayout(paint::BarLayout& layout, bool& enabled) {
    SCROLLBARINFO info{};
    if (!window_ || !BarInfo(info) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE)) return false;
    enabled = !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
    RECT own{};
    GetClientRect(window_, &own);
    const RECT& b = info.rcScrollBar;
    const int w = b.right - b.left, h = b.bottom - b.top;
    // A bar that no longer fits its overlay waits for the next placement.
    if (w < 0 || h < 0 || w > own.right || h > own.bottom) return false;
    Len = Vertical() ? h : w;
    if (fdown && scrollpos == paint::kPartThumb && sbType != kControlBar) {
        GetThumb();
    } else {
        thumbTop = info.xyThumbTop;
        thumbbottom = info.xyThumbBottom;
    }
    TBitmap* arrows = ArrowImage(obj ? obj->fsd : nullptr);
    layout = paint::LayoutBar(Len, Vertical() ? w : h, Vertical(), sbType == kControlBar, CW,
                              arrows ? arrows->Height() : 0, {thumbTop, thumbbottom});
    return true;
}

int TWScrollbar::GetScrollPos(POINT point) {
    paint::BarLayout layout;
    bool enabled = true;
    if (!CurrentLayout(layout, enabled)) return paint::kPartNone;
    if (sbType == kControlBar) {
        // The picture is stretched across the control; hit-test across its middle.
        if (Vertical()) point.x = layout.thickness / 2;
        else point.y = layout.thickness / 2;
    }
    return paint::PartAt(layout, {point.x, point.y});
}

void TWScrollbar::Paint(HDC dc) {
    paint::BarLayout layout;
    bool enabled = true;
    TSkinData* sd = obj ? obj->fsd : nullptr;
    if (!ArrowImage(sd) || !CurrentLayout(layout, enabled)) return;
    const BarLook look{enabled, scrollpos, fdown};
    if (!picture_ || !(layout == pictureLayout_) || !(look == pictureLook_) || sd != pictureSkin_ ||
        TSkinData::LoadGeneration() != pictureGeneration_) {
        picture_ = ComposeBar(sd, layout, look);
        pictureLayout_ = layout;
        pictureLook_ = look;
        pictureSkin_ = sd;
        pictureGeneration_ = TSkinData::LoadGeneration();
    }
    TBitmap* picture = picture_.get();
    if (!picture) return;
    HDC src = picture->Canvas().Handle();
    if (sbType == kControlBar) {
        RECT own{};
        GetClientRect(window_, &own);
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 0, 0, own.right, own.bottom, src, 0, 0, picture->Width(), picture->Height(), SRCCOPY);
    } else {
        BitBlt(dc, 0, 0, picture->Width(), picture->Height(), src, 0, 0, SRCCOPY);
    }
}

// ---- Messages ---------------------------------------------------------------

LRESULT CALLBACK TWScrollbar::OverlayProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TWScrollbar*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    if (msg == WM_NCDESTROY && self) {
        // Destroyed with its parent: the object learns its window is gone.
        self->window_ = nullptr;
        self->sbVisible = false;
        SetWindowLongPtrW(w, GWLP_USERDATA, 0);
        self = nullptr;
    }
    if (!self) return DefWindowProcW(w, msg, wParam, lParam);
    try {
        return self->HandleMessage(msg, wParam, lParam);
    } catch (...) {
        // Nothing raised while painting or forwarding leaves the window
        // procedure; the bar simply stays as it was.
        return DefWindowProcW(w, msg, wParam, lParam);
    }
}

LRESULT TWScrollbar::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
    case WM_PAINT: WMPaint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEMOVE: WMMouseMove(p); return 0;
    case WM_MOUSELEAVE: WMMouseLeave(); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: WMLButtonDown(p); return 0;
    case WM_LBUTTONUP: WMLButtonUp(p); return 0;
    default: return DefWindowProcW(window_, msg, wParam, lParam);
    }
}

void TWScrollbar::WMPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_, &ps);
    if (dc) Paint(dc);
    EndPaint(window_, &ps);
}

void TWScrollbar::WMMouseMove(POINT p) {
    const int part = GetScrollPos(p);
    if (part != scrollpos) {
        scrollpos = part;
        Repaint();
    }
    DoTrackMouse(window_);
}

void TWScrollbar::WMMouseLeave() {
    if (fdown) return;
    scrollpos = paint::kPartNone;
    Repaint();
}

void TWScrollbar::WMLButtonDown(POINT p) {
    GetCursorPos(&trackp);
    SCROLLBARINFO info{};
    if (!TargetAlive() || !BarInfo(info)) return;
    trackthumb = info.xyThumbTop;
    thumbTop = info.xyThumbTop;
    thumbbottom = info.xyThumbBottom;
    scrollpos = GetScrollPos(p);
    POINT sent = p;
    if (sbType != kControlBar) {
        OffsetSC = ScreenOrigin(window_);
        sent = {p.x + OffsetSC.x, p.y + OffsetSC.y};
    }
    fdown = true;
    Repaint();
    ReleaseCapture();
    // The system's own tracking runs inside this call until the button is
    // released; meanwhile the control's scroll notifications repaint us.
    std::shared_ptr<bool> alive = alive_;
    if (sbType == kControlBar)
        SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(sent.x, sent.y));
    else
        SendMessageW(hwnd, WM_NCLBUTTONDOWN, Vertical() ? HTVSCROLL : HTHSCROLL, MAKELPARAM(sent.x, sent.y));
    if (!*alive) return;
    fdown = false;
    ReleaseCapture();
    Repaint();
}

void TWScrollbar::WMLButtonUp(POINT p) {
    fdown = false;
    ReleaseCapture();
    if (!TargetAlive()) return;
    if (sbType == kControlBar) {
        PostMessageW(hwnd, WM_LBUTTONUP, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        Repaint();
        return;
    }
    PostMessageW(hwnd, WM_NCLBUTTONUP, Vertical() ? HTVSCROLL : HTHSCROLL,
                 MAKELPARAM(p.x + OffsetSC.x, p.y + OffsetSC.y));
}

}  // namespace relayon::skin
