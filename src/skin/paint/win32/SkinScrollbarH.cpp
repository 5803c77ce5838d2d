#include "skin/paint/win32/SkinScrollbarH.h"

#include <cwctype>

#include "skin/paint/win32/SkinScrollbar.h"
#include "toolkit/Messages.h"
#include "toolkit/WinControl.h"

namespace relayon::skin {

// ---- TSkinScrollbarH ----------------------------------------------------------

TSkinScrollbarH::TSkinScrollbarH(TComponent* AOwner) : TSkinControl(AOwner) {}
TSkinScrollbarH::~TSkinScrollbarH() = default;

void TSkinScrollbarH::Inithwnd(HWND ahwnd, TSkinData* sd, TCanvas* acanvas, TWinSkinForm* sf) {
    if (Inited || !ahwnd) return;
    TSkinControl::Inithwnd(ahwnd, sd, acanvas, sf);
    hb = new TWScrollbar(this);
    vb = new TWScrollbar(this);
    hb->AttachHwnd(this, hwnd, TWScrollbar::kHorizontalBar);
    vb->AttachHwnd(this, hwnd, TWScrollbar::kVerticalBar);
}

void TSkinScrollbarH::SetScrollbarPos() {
    if (!hwnd) return;
    if (hb) hb->SetPosition(hwnd);
    if (vb) vb->SetPosition(hwnd);
}

void TSkinScrollbarH::AfterProc(TMessage& m) {
    // A window that stopped showing is covered by neither overlay.
    if (hwnd && !IsWindowVisible(hwnd)) {
        if (hb) hb->HideScrollbar();
        if (vb) vb->HideScrollbar();
    }
    switch (m.Msg) {
    case WM_SIZE:
    case WM_NCPAINT:
    case WM_WINDOWPOSCHANGED:
        SetScrollbarPos();
        PaintControl(nullptr);
        break;
    case WM_HSCROLL: scrollbars::ShowOperatedPart(hb, m.WParam); break;
    case WM_VSCROLL: scrollbars::ShowOperatedPart(vb, m.WParam); break;
    default: break;
    }
    TSkinControl::AfterProc(m);
}

void TSkinScrollbarH::DrawControl(HDC, const RECT&) {
    scrollbars::RepaintShown(hb, vb);
    scrollbars::FillCorner(hwnd, hb, vb, SchemeColor(fsd, csButtonFace));
}

void TSkinScrollbarH::Unsubclass() {
    if (!skinned) return;
    TSkinControl::Unsubclass();
    if (hb) hb->Detach();
    if (vb) vb->Detach();
    if (!WindowGone() && hwnd && IsWindow(hwnd))
        RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

// ---- TSkinScControl -----------------------------------------------------------

TSkinScControl::TSkinScControl(TComponent* AOwner) : TSkinControl(AOwner) {}
TSkinScControl::~TSkinScControl() = default;

void TSkinScControl::InitScrollbar(TWinControl* acontrol, TSkinData* sd, TCanvas* acanvas, TWinSkinForm* sf) {
    if (Inited || !acontrol) return;
    fsd = sd;
    fCanvas = acanvas;
    control = acontrol;
    hwnd = control->Handle();
    if (!hwnd) return;
    isunicode = IsWindowUnicode(hwnd) != FALSE;
    Register(sf);
    std::wstring kindName = GetProperty(control, L"Kind");
    for (auto& c : kindName) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    sb = new TWScrollbar(this);
    sb->Attach(this, control, TWScrollbar::kControlBar, kindName == L"sbhorizontal" ? 0 : 1);
    sb->SetEnabled(control->Enabled());
    if (!control->Visible()) sb->HideScrollbar();
    HookControl(control);
    Inited = true;
    skinstate = 1;
}

void TSkinScControl::Place() {
    // A toolkit control recreates its window when its kind changes: the
    // overlay follows the control's current window.
    if (control && control->HandleAllocated()) {
        HWND now = control->Handle();
        if (now != hwnd) {
            hwnd = now;
            skinstate = 1;
        }
        recreating_ = false;
    }
    if (sb && hwnd) sb->SetPosition(hwnd);
}

bool TSkinScControl::BeforeProc(TMessage& m) {
    switch (m.Msg) {
    case CM_RECREATEWND:
        if (sb) sb->HideScrollbar();
        return true;
    case WM_NCDESTROY:
        // A new window follows (new kind or parent): wait for it.
        if (!control || control->IsDestroying()) break;
        Default(m);
        if (sb) sb->HideScrollbar();
        hwnd = nullptr;
        recreating_ = true;
        return false;
    default: break;
    }
    return TSkinControl::BeforeProc(m);
}

void TSkinScControl::AfterProc(TMessage& m) {
    switch (m.Msg) {
    case WM_WINDOWPOSCHANGED:
    case WM_NCPAINT: Place(); break;
    case SBM_SETSCROLLINFO:
    case CN_VSCROLL:
    case CN_HSCROLL:
        if (sb) sb->Repaint();
        break;
    case CM_VISIBLECHANGED:
        if (m.WParam == 0) {
            if (sb) sb->HideScrollbar();
        } else {
            Place();
        }
        break;
    case CM_ENABLEDCHANGED:
        if (sb && control) sb->SetEnabled(control->Enabled());
        break;
    default: break;
    }
    TSkinControl::AfterProc(m);
}

void TSkinScControl::DrawControl(HDC, const RECT&) {
    if (!sb) return;
    if (sb->sbVisible) sb->Repaint();
    else if (recreating_ || (hwnd && (GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE))) Place();
}

void TSkinScControl::Unsubclass() {
    if (!skinned) return;
    TSkinControl::Unsubclass();
    if (sb) sb->Detach();
    if (!WindowGone() && hwnd && IsWindow(hwnd)) RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE);
}

}  // namespace relayon::skin
