#include "skin/paint/win32/SkinComboScrollBar.h"

#include <windowsx.h>

#include "skin/paint/core/ScrollGeometry.h"
#include "skin/paint/win32/SkinScrollPaint.h"

namespace relayon::skin {

namespace {

// The list box's message that follows a change of its top entry.
constexpr UINT kListTopChanged = 0x01AE;

}  // namespace

TComboxScrollBar::TComboxScrollBar(TComponent* AOwner) : TSkinControl(AOwner), cw(GetSystemMetrics(SM_CXHSCROLL)) {}

bool TComboxScrollBar::BeforeProc(TMessage& m) {
    switch (m.Msg) {
    case WM_NCPAINT: return true;
    case WM_NCMOUSEMOVE:
        // The system would highlight its own (covered) bar parts.
        return m.WParam != HTHSCROLL && m.WParam != HTVSCROLL;
    case WM_NCLBUTTONDOWN: return !NCLButtonDown(m);
    default: return TSkinControl::BeforeProc(m);
    }
}

void TComboxScrollBar::AfterProc(TMessage& m) {
    switch (m.Msg) {
    case WM_NCPAINT:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case kListTopChanged: PaintControl(nullptr); break;
    default: break;
    }
    TSkinControl::AfterProc(m);
}

void TComboxScrollBar::DrawControl(HDC dc, const RECT& rc) { PaintScrollbar(dc, rc, true); }

void TComboxScrollBar::PaintScrollbar(HDC dc, const RECT& rect, bool vertical) {
    SCROLLBARINFO info{};
    if (!dc || !ArrowImage(fsd) || !WindowBarInfo(fsd, hwnd, vertical, info)) return;
    if (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) return;
    RECT win{};
    GetWindowRect(hwnd, &win);
    const RECT& b = info.rcScrollBar;
    const int w = b.right - b.left, h = b.bottom - b.top;
    const int x = b.left - win.left, y = b.top - win.top;
    // A bar that does not lie inside the list window is not painted.
    if (w <= 0 || h <= 0 || x < 0 || y < 0 || x + w > rect.right - rect.left || y + h > rect.bottom - rect.top) return;
    len = vertical ? h : w;
    thumbtop = info.xyThumbTop;
    thumbBottom = info.xyThumbBottom;
    const paint::BarLayout layout = paint::LayoutBar(len, vertical ? w : h, vertical, false, cw,
                                                     ArrowImage(fsd)->Height(), {thumbtop, thumbBottom});
    const bool enabled = !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
    auto picture = ComposeBar(fsd, layout, {enabled, paint::kPartNone, false});
    if (picture) BitBlt(dc, x, y, picture->Width(), picture->Height(), picture->Canvas().Handle(), 0, 0, SRCCOPY);
}

bool TComboxScrollBar::NCLButtonDown(TMessage& m) {
    if (m.WParam != HTVSCROLL || !hwnd) return false;
    SCROLLBARINFO info{};
    if (!WindowBarInfo(fsd, hwnd, true, info)) return false;
    const POINT press{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    const paint::BarSpan thumb{info.xyThumbTop, info.xyThumbBottom};
    if (!paint::OnThumb(press.y - info.rcScrollBar.top, thumb)) return false;

    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    if (!GetScrollInfo(hwnd, SB_VERT, &si)) return false;
    const paint::ScrollRange range{si.nMin, si.nMax, static_cast<int>(si.nPage), si.nPos};
    const int barLen = info.rcScrollBar.bottom - info.rcScrollBar.top;
    SetCapture(hwnd);
    POINT start{};
    GetCursorPos(&start);
    int last = si.nPos;
    // Our own drag loop: it ends with the button, and also when the list
    // window goes or another window takes the mouse.
    for (;;) {
        if (!IsWindow(hwnd) || GetCapture() != hwnd) break;
        MSG msg;
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
            DispatchMessageW(&msg);
            POINT now{};
            GetCursorPos(&now);
            const int pos = paint::DraggedPosition(range, barLen, cw, thumb, now.y - start.y);
            if (pos != last && IsWindow(hwnd)) {
                SendMessageW(hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, pos), 0);
                last = pos;
            }
        } else if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP) {
            if (IsWindow(hwnd)) {
                SendMessageW(hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, last), 0);
                PostMessageW(hwnd, WM_VSCROLL, SB_ENDSCROLL, 0);
            }
            break;
        } else {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (hwnd && GetCapture() == hwnd) ReleaseCapture();
    m.Result = 0;
    return true;
}

void TComboxScrollBar::Unsubclass() {
    if (!skinned) return;
    TSkinControl::Unsubclass();
    if (!WindowGone() && hwnd && IsWindow(hwnd)) RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

}  // namespace relayon::skin
