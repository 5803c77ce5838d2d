#include "skin/paint/win32/SkinScrollbar.h"

#include <string>

#include "skin/paint/win32/SkinnerFamilies.h"
#include "skin/paint/win32/Winskinform.h"
#include "toolkit/Messages.h"
#include "toolkit/WinControl.h"

namespace relayon::skin {

namespace scrollbars {

void ShowOperatedPart(TWScrollbar* bar, WPARAM wParam) {
    if (!bar) return;
    bar->scrollpos = LOWORD(wParam);
    bar->Repaint();
}

void RepaintShown(TWScrollbar* hb, TWScrollbar* vb) {
    for (TWScrollbar* b : {hb, vb})
        if (b && b->sbVisible) b->Repaint();
}

void FillCorner(HWND h, TWScrollbar* hb, TWScrollbar* vb, TColor colour) {
    if (!h || !hb || !vb || !hb->sbVisible || !vb->sbVisible || !hb->Window() || !vb->Window()) return;
    RECT win{}, hr{}, vr{};
    GetWindowRect(h, &win);
    GetWindowRect(hb->Window(), &hr);
    GetWindowRect(vb->Window(), &vr);
    const paint::BarRect sq = paint::CornerSquare({hr.left, hr.top, hr.right, hr.bottom},
                                                  {vr.left, vr.top, vr.right, vr.bottom}, 0, 0);
    if (sq.Empty()) return;
    HDC dc = GetWindowDC(h);
    if (!dc) return;
    FillColor(dc, {sq.left - win.left, sq.top - win.top, sq.right - win.left, sq.bottom - win.top}, colour);
    ReleaseDC(h, dc);
}

}  // namespace scrollbars

TSkinScrollbar::TSkinScrollbar(TComponent* AOwner) : TSkinControl(AOwner) {}

// The overlays are components of this skinner and go with it.
TSkinScrollbar::~TSkinScrollbar() = default;

void TSkinScrollbar::InitScrollbar(TWinControl* acontrol, TSkinData* sd, TCanvas* acanvas, TWinSkinForm* sf) {
    if (Inited || !acontrol) return;
    fsd = sd;
    fCanvas = acanvas;
    control = acontrol;
    hwnd = control->Handle();
    if (!hwnd) return;
    isunicode = IsWindowUnicode(hwnd) != FALSE;
    Register(sf);

    // A control without a BorderStyle counts as bordered.
    border = GetProperty(control, L"BorderStyle") != L"bsNone";
    if (control->ClassName() == L"TImageScrollBox" || kind == 1) border = false;

    // Grids paint their fixed cells in FixedColor: the face colour while skinned.
    if (int64_t fixed = GetIntProperty(control, L"FixedColor"); fixed != -1) {
        oldcolor = static_cast<TColor>(fixed);
        newColor = true;
        SetProperty(control, L"FixedColor", std::to_wstring(static_cast<int32_t>(SchemeColor(fsd, csButtonFace))));
        // Their text, unless given a colour of its own, follows the font,
        // which stays for the cells on the grid's own ground: the fixed
        // cells take the skin's text colour for the face.
        if (GetIntProperty(control, L"FixedFontColor") == static_cast<int64_t>(clNone)) {
            fixedText_ = true;
            SetProperty(control, L"FixedFontColor", std::to_wstring(static_cast<int32_t>(SchemeColor(fsd, csButtonText))));
        }
    }

    hb = new TWScrollbar(this);
    vb = new TWScrollbar(this);
    hb->Attach(this, control, TWScrollbar::kHorizontalBar);
    vb->Attach(this, control, TWScrollbar::kVerticalBar);
    for (TWScrollbar* b : {hb, vb}) {
        b->SetEnabled(control->Enabled());
        if (!control->Visible()) b->HideScrollbar();
    }
    HookControl(control);
    Inited = true;
    skinstate = 1;
    RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TSkinScrollbar::SetScrollbarPos() {
    if (!hwnd) return;
    if (hb) hb->SetPosition(hwnd);
    if (vb) vb->SetPosition(hwnd);
}

void TSkinScrollbar::FollowRecreatedWindow() {
    if (!recreating_ || !control || !control->HandleAllocated()) return;
    HWND now = control->Handle();
    if (now == hwnd) return;
    hwnd = now;
    recreating_ = false;
    skinstate = 1;
    SetScrollbarPos();
}

bool TSkinScrollbar::BeforeProc(TMessage& m) {
    switch (m.Msg) {
    case CM_RECREATEWND:
        if (hb) hb->HideScrollbar();
        if (vb) vb->HideScrollbar();
        return true;
    case WM_NCDESTROY:
        // The toolkit drops a control's window when the control moves to
        // another parent or changes a creation style, and makes a new one:
        // this skinner stays on the control (its WindowProc hook outlives
        // the window) and takes the next window over when it appears.
        if (!control || control->IsDestroying()) break;
        Default(m);
        if (hb) hb->HideScrollbar();
        if (vb) vb->HideScrollbar();
        hwnd = nullptr;
        recreating_ = true;
        return false;
    case WM_NCPAINT:
        if (!border) return true;
        Default(m);
        if (HDC dc = GetWindowDC(hwnd)) {
            BENCPAINT(dc);
            ReleaseDC(hwnd, dc);
        }
        // The system painted its bars under the overlays just now.
        scrollbars::RepaintShown(hb, vb);
        return false;
    default: break;
    }
    return TSkinControl::BeforeProc(m);
}

void TSkinScrollbar::AfterProc(TMessage& m) {
    FollowRecreatedWindow();
    switch (m.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED: SetScrollbarPos(); break;
    case WM_HSCROLL: scrollbars::ShowOperatedPart(hb, m.WParam); break;
    case WM_VSCROLL: scrollbars::ShowOperatedPart(vb, m.WParam); break;
    case WM_MOUSEWHEEL:
    case WM_NCPAINT: scrollbars::RepaintShown(hb, vb); break;
    case CM_VISIBLECHANGED:
        if (m.WParam == 0) {
            if (hb) hb->HideScrollbar();
            if (vb) vb->HideScrollbar();
        } else {
            SetScrollbarPos();
        }
        break;
    case CM_ENABLEDCHANGED:
        if (control)
            for (TWScrollbar* b : {hb, vb})
                if (b) b->SetEnabled(control->Enabled());
        break;
    case CN_SkinDrawNC:
        if (m.LParam != SkinSignature) break;
        if (m.WParam) BENCPAINT(reinterpret_cast<HDC>(m.WParam));
        m.Result = SkinSignature;
        return;
    default: break;
    }
    TSkinControl::AfterProc(m);
}

void TSkinScrollbar::DrawControl(HDC, const RECT&) {
    if (!hwnd) return;
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    for (auto [bar, flag] : {std::pair{hb, WS_HSCROLL}, std::pair{vb, WS_VSCROLL}}) {
        if (!bar) continue;
        if (bar->sbVisible) bar->Repaint();
        else if (style & flag) bar->SetPosition(hwnd);
    }
    scrollbars::FillCorner(hwnd, hb, vb, SchemeColor(fsd, csButtonFace));
}

void TSkinScrollbar::DrawBorder(HDC dc, const RECT& rect) {
    if (!dc || rect.right - rect.left < 2 || rect.bottom - rect.top < 2) return;
    auto frame = [dc](RECT r, TColor c) {
        GdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(c)));
        FrameRect(dc, &r, brush.get());
    };
    frame(rect, SchemeColor(fsd, csButtonShadow));
    frame({rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1}, SchemeColor(fsd, csButtonFace));
}

void TSkinScrollbar::BENCPAINT(HDC dc) {
    RECT r{};
    if (!hwnd || !GetWindowRect(hwnd, &r)) return;
    try {
        DrawBorder(dc, {0, 0, r.right - r.left, r.bottom - r.top});
    } catch (...) {
        // A border that could not be drawn leaves the system's edge showing.
    }
}

void TSkinScrollbar::SkinChange() {
    if (newColor && control)
        SetProperty(control, L"FixedColor", std::to_wstring(static_cast<int32_t>(SchemeColor(fsd, csButtonFace))));
    if (fixedText_ && control)
        SetProperty(control, L"FixedFontColor", std::to_wstring(static_cast<int32_t>(SchemeColor(fsd, csButtonText))));
    if (hwnd && IsWindow(hwnd)) RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    SetScrollbarPos();
}

void TSkinScrollbar::Unsubclass() {
    if (!skinned) return;
    if (newColor && control && !control->IsDestroying() && !WindowGone())
        SetProperty(control, L"FixedColor", std::to_wstring(static_cast<int32_t>(oldcolor)));
    if (fixedText_ && control && !control->IsDestroying() && !WindowGone())
        SetProperty(control, L"FixedFontColor", std::to_wstring(static_cast<int32_t>(clNone)));
    newColor = false;
    fixedText_ = false;
    TSkinControl::Unsubclass();
    // The overlays go now even when the control's window is being destroyed:
    // they live in the parent, which may well stay.
    if (hb) hb->Detach();
    if (vb) vb->Detach();
    if (!WindowGone() && hwnd && IsWindow(hwnd))
        RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
}

void TSkinListView::InitScrollbar(TWinControl* acontrol, TSkinData* sd, TCanvas* acanvas, TWinSkinForm* sf) {
    TSkinScrollbar::InitScrollbar(acontrol, sd, acanvas, sf);
    if (!Inited || !hwnd) return;
    HWND h = reinterpret_cast<HWND>(SendMessageW(hwnd, LVM_GETHEADER, 0, 0));
    // Without a header family the header keeps the system's look.
    if (h && sf) header = StartSkinner(sf, L"TSkinHeader", nullptr, h, {.owner = Owner()});
}

}  // namespace relayon::skin
