// TWinSkinForm: frame geometry, the frame painter's seams and the MDI client.
#include "skin/paint/core/CaptionGeometry.h"
#include "skin/paint/core/FrameGeometry.h"
#include "skin/paint/win32/SkinMenuBar.h"
#include "skin/paint/win32/SkinPrimitives.h"
#include "skin/paint/win32/Winskindlg.h"
#include "skin/paint/win32/Winskinform.h"
#include "toolkit/Form.h"
#include "toolkit/ObjectInstance.h"

namespace relayon::skin {

namespace {
paint::FrameThickness Thickness(const RECT& bw) { return {bw.left, bw.top, bw.right, bw.bottom}; }
constexpr UINT kFrameChanged = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
}  // namespace

void TWinSkinForm::WMNCCalcSize(TMessage& m) {
    Default(m);
    if (!m.WParam) {
        m.Result = 0;
        return;
    }
    auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam);
    if ((IsMDIChild() && Windowstate != swsNormal) || FormBorder == sbsNone) {
        p->rgrc[1] = p->rgrc[0];
        m.Result = WVR_REDRAW;
        return;
    }
    const WINDOWPOS* pos = p->lppos;
    int x = pos ? pos->x : p->rgrc[0].left, y = pos ? pos->y : p->rgrc[0].top;
    int cx = pos ? pos->cx : 0, cy = pos ? pos->cy : 0;
    if (!pos || (pos->flags & SWP_NOSIZE)) {
        // No proposed size: the window keeps its current one.
        RECT wr{};
        GetWindowRect(Hwnd, &wr);
        cx = wr.right - wr.left;
        cy = wr.bottom - wr.top;
    }
    paint::Box c = paint::SkinnedClientRect(x, y, cx, cy, Thickness(bw), MenuHeight);
    p->rgrc[0] = RECT{c.left, c.top, c.right, c.bottom};
    p->rgrc[1] = p->rgrc[0];
    m.Result = WVR_REDRAW;
}

void TWinSkinForm::WMNCHitTest(TMessage& m) {
    Default(m);
    POINT pt = GetWinXY(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)));
    RECT wr{};
    GetWindowRect(Hwnd, &wr);
    bool sizeable = fSizeable && Windowstate == swsNormal;
    m.Result = paint::FrameHit(static_cast<int>(m.Result), pt.x, pt.y, wr.right - wr.left, wr.bottom - wr.top,
                               Thickness(bw), MenuHeight, sizeable);
}

POINT TWinSkinForm::GetWinXY(int x, int y) {
    POINT p{x, y};
    ScreenToClient(Hwnd, &p);
    if (IsMDIChild() && Windowstate == swsMin) return p;
    return POINT{p.x + bw.left, p.y + bw.top + MenuHeight};
}

void TWinSkinForm::ResizeForm(int value) {
    if (!Hwnd) return;
    if (Windowstate == swsMax) {
        SetWindowPos(Hwnd, nullptr, 0, 0, 0, 0, kFrameChanged);
        return;
    }
    if (ismessagebox || Skinstate == 3) GetClientRect(Hwnd, &fClientRect);
    int clientWidth = fClientRect.right - fClientRect.left;
    if (value != 0) {
        GetClientRect(Hwnd, &fClientRect);
    } else if (FForm) {
        clientWidth = FForm->ClientWidth();
        fClientRect.bottom = IsMDIChild() ? FForm->ClientHeight() : FForm->ClientHeight() - MenuHeight;
    }
    paint::Size2 size = paint::SkinnedWindowSize(clientWidth, fClientRect.bottom, Thickness(bw), MenuHeight);
    if (ismessagebox && value == 0 && fsd && fsd->Title) {
        std::wstring text(static_cast<size_t>(GetWindowTextLengthW(Hwnd)) + 1, L'\0');
        text.resize(static_cast<size_t>(GetWindowTextW(Hwnd, text.data(), static_cast<int>(text.size()))));
        text = bstr + text + astr;
        HDC dc = GetDC(Hwnd);
        HFONT font = CaptionFont.get() ? CaptionFont.get() : fsd->CaptionFont();
        HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
        SIZE ts{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &ts);
        if (old) SelectObject(dc, old);
        ReleaseDC(Hwnd, dc);
        paint::CaptionFit fit = paint::FitCaption(size.cx, fsd->Title->r.Left, ts.cx, fsd->Title->r.Right);
        if (fit.childShift > 0) {
            for (HWND c = GetWindow(Hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                RECT r{};
                GetWindowRect(c, &r);
                MapWindowPoints(nullptr, Hwnd, reinterpret_cast<POINT*>(&r), 2);
                SetWindowPos(c, nullptr, r.left + fit.childShift, r.top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
        }
        size.cx = fit.width;
    }
    SetWindowPos(Hwnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinSkinForm::WMSize(TMessage& m) {
    Default(m);
    switch (m.WParam) {
    case SIZE_RESTORED: Windowstate = swsNormal; break;
    case SIZE_MINIMIZED: Windowstate = swsMin; break;
    case SIZE_MAXIMIZED: Windowstate = swsMax; break;
    default: break;
    }
    if (Windowstate == swsMin) return;
    // A maximised child's frame lies outside the MDI client: a region cut
    // for its normal size would hide the rest of it.
    if (IsMDIChild() && Windowstate == swsMax && crop) Uncropwindow();
    TSkinManage* mgr = Manager();
    if (IsMDIChild() && ((mgr && mgr->MDIMax) || Windowstate != swsNormal)) return;
    if (Skinstate == 1 || Skinstate == 3) Cropwindow();
}

void TWinSkinForm::Refresh() {
    if (Hwnd && IsWindow(Hwnd)) RedrawWindow(Hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

void TWinSkinForm::RePaint(HWND ahwnd) {
    if (ahwnd && IsWindow(ahwnd))
        RedrawWindow(ahwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME | RDW_UPDATENOW);
}

// The window region: the client part and the borders, each border cut to its
// image's opaque pixels when the skin marks it transparent. A window whose
// frame does not fit inside it, or whose region would be empty, gets no region
// at all and is drawn unclipped: a region must never hide the window.
void TWinSkinForm::Cropwindow() {
    if (!sMainMenu || Skinstate == 4 || Skinstate == 6 || !Hwnd || !IsWindow(Hwnd) || !fsd || fsd->Empty) return;
    RECT wr{};
    GetWindowRect(Hwnd, &wr);
    int w = wr.right - wr.left, h = wr.bottom - wr.top;
    if (w <= 0 || h <= 0) return;
    if (IsMDIChild() && Windowstate != swsNormal) return;
    if (!IsMDIChild() && Skinstate != 3 && crop && w == crwidth && h == crheight) return;
    int trans[4];
    for (size_t i = 0; i < 4; ++i) trans[i] = fsd->border[i] ? int(fsd->border[i]->trans) : 0;
    paint::RegionPlan plan = paint::PlanRegion(w, h, Thickness(bw), trans);
    crwidth = w;
    crheight = h;
    if (!plan.usable) return Uncropwindow();
    HRGN rgn = nullptr;
    if (plan.plainWindow) {
        rgn = CreateRectRgn(0, 0, w, h);
    } else {
        rgn = CreateRectRgn(plan.client.left, plan.client.top, plan.client.right, plan.client.bottom);
        // Parts: left, right, bottom, top; their borders' indices for Drawborder.
        static constexpr int kBorderIndex[4] = {1, 2, 4, 3};
        static constexpr size_t kDataIndex[4] = {0, 1, 3, 2};
        for (int i = 0; i < 4; ++i) {
            const paint::RegionPart& part = plan.parts[i];
            if (part.at.Width() <= 0 || part.at.Height() <= 0) continue;
            HRGN piece = nullptr;
            const auto& b = fsd->border[kDataIndex[i]];
            if (part.fromImage && b && b->Map && !b->Map->Empty()) {
                TBitmap scratch(part.at.Width(), part.at.Height(), pf24bit);
                Drawborder(kBorderIndex[i], RECT{0, 0, part.at.Width(), part.at.Height()}, scratch.Canvas().Handle());
                piece = BitmapToRegion(scratch, part.at.left, part.at.top, kSkinKeyColour, 1, 1, 1);
            } else {
                piece = CreateRectRgn(part.at.left, part.at.top, part.at.right, part.at.bottom);
            }
            if (piece) {
                CombineRgn(rgn, rgn, piece, RGN_OR);
                DeleteObject(piece);
            }
        }
    }
    RECT box{};
    if (!rgn || GetRgnBox(rgn, &box) == NULLREGION || box.right <= box.left || box.bottom <= box.top) {
        if (rgn) DeleteObject(rgn);
        return Uncropwindow();
    }
    // The system owns a region once it is set (and deletes the one it
    // replaces), so WinRgn never holds it: nothing here may delete it again.
    if (SetWindowRgn(Hwnd, rgn, TRUE)) {
        WinRgn = nullptr;
        crop = true;
    } else {
        DeleteObject(rgn);
    }
}

void TWinSkinForm::Uncropwindow() {
    if (Hwnd && IsWindow(Hwnd) && crop) SetWindowRgn(Hwnd, nullptr, IsMDIChild());
    // SetWindowRgn handed the region to the system, which deleted it.
    WinRgn = nullptr;
    crop = false;
}

bool TWinSkinForm::MDIChildMax() {
    if (!ClientHwnd) return false;
    BOOL maximized = FALSE;
    HWND active = reinterpret_cast<HWND>(SendMessageW(ClientHwnd, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
    return active && maximized;
}

void TWinSkinForm::SubclassMDIClient() {
    if (!ClientHwnd || FMDIObjectInst) return;
    FMDIObjectInst = MakeObjectInstance(TWndMethod(this, &TWinSkinForm::WinMDIProc));
    FMDIWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(ClientHwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FMDIObjectInst)));
}

void TWinSkinForm::UnsubclassMDIClient() {
    if (!ClientHwnd || !FMDIWndProc) return;
    if (IsWindow(ClientHwnd) &&
        reinterpret_cast<WNDPROC>(GetWindowLongPtrW(ClientHwnd, GWLP_WNDPROC)) == FMDIObjectInst)
        SetWindowLongPtrW(ClientHwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FMDIWndProc));
    FMDIWndProc = nullptr;
}

void TWinSkinForm::WinMDIProc(TMessage& m) {
    auto pass = [&] {
        if (FMDIWndProc) m.Result = CallWindowProcW(FMDIWndProc, ClientHwnd, m.Msg, m.WParam, m.LParam);
        else m.Result = DefWindowProcW(ClientHwnd, m.Msg, m.WParam, m.LParam);
    };
    try {
        TSkinManage* mgr = Manager();
        switch (m.Msg) {
        case WM_NCDESTROY: {
            WNDPROC prev = FMDIWndProc;
            UnsubclassMDIClient();
            m.Result = prev ? CallWindowProcW(prev, ClientHwnd, m.Msg, m.WParam, m.LParam) : 0;
            return;
        }
        case WM_NCCALCSIZE:
            if (sMainMenu && fsd && !fsd->Options().Contains(xoMDIScrollbar)) {
                LONG st = GetWindowLongW(ClientHwnd, GWL_STYLE);
                SetWindowLongW(ClientHwnd, GWL_STYLE, st & ~(WS_HSCROLL | WS_VSCROLL));
            }
            return pass();
        case WM_MDICREATE:
            if (fsd) fsd->SetMenuUpdate(false);
            return pass();
        case WM_MDIDESTROY:
            pass();
            if (sMainMenu && mgr) {
                mgr->SetMDIMax(MDIChildMax());
                // The last child gone: the bar is the frame's own menu again.
                if (!SendMessageW(ClientHwnd, WM_MDIGETACTIVE, 0, 0)) {
                    if (fsd) fsd->SetMenuUpdate(menuauto);
                    if (menu) menu->UpdateMainMenu();
                }
            }
            return;
        case WM_MDITILE:
        case WM_MDICASCADE:
            if (sMainMenu && mgr) mgr->SetMDIMax(false);
            return pass();
        case WM_MDISETMENU:
            pass();
            if (sMainMenu) {
                MenuBarNewMenu(reinterpret_cast<HMENU>(m.WParam));
                SetMenu(Hwnd, nullptr);
            }
            return;
        case CN_RedrawFrame:
            RedrawWindow(Hwnd, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
            return;
        default:
            return pass();
        }
    } catch (...) {
        pass();
    }
}

}  // namespace relayon::skin
