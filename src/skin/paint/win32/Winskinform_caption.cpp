// TWinSkinForm: the mouse on the skinned frame, caption-button actions, the
// skinned system menu, window-state actions and caption-button hints.
#include "skin/paint/core/CaptionGeometry.h"
#include "skin/paint/win32/Winskindlg.h"
#include "skin/paint/win32/Winskinform.h"
#include "toolkit/Menus.h"

namespace relayon::skin {

namespace {

// The toolkit has no hint timing of its own; these are the usual defaults.
constexpr int kHintPauseMs = 500;
constexpr int kHintHidePauseMs = 2500;
constexpr int kTimerMs = 250;
constexpr intptr_t kSysMenuTag = 0x8235;

POINT PointOf(LPARAM lp) { return POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}; }

bool Contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

// Systems whose system menu is not asked for a Close item: NT before 5 and 9x.
bool AssumeCloseItem() {
    DWORD v = WinVersion;
    return (v & 0x80000000) || LOBYTE(LOWORD(v)) < 5;
}

}  // namespace

// --- hot objects -----------------------------------------------------------

void TNCObject::MouseEnter() {
    if (!SF || SF->ActiveBtn == this) return;
    if (SF->ActiveBtn) SF->ActiveBtn->MouseLeave();
    if (!visible) return;
    SF->ActiveBtn = this;
    state = 3;
    Draw(nullptr);
}

void TNCObject::MouseDown() {
    if (!SF) return;
    if (SF->ActiveBtn && SF->ActiveBtn != this) SF->ActiveBtn->MouseLeave();
    if (!visible) return;
    SF->ActiveBtn = this;
    state = 2;
    Draw(nullptr);
}

void TNCObject::MouseUp() {
    if (!visible) return;
    state = 3;
    Draw(nullptr);
}

void TNCObject::MouseLeave() {
    // An object that went invisible while active still lets go of the frame.
    if (SF && SF->ActiveBtn == this) SF->ActiveBtn = nullptr;
    if (!visible) return;
    state = 1;
    Draw(nullptr);
    if (SF) SF->HintReset();
}

// The menu bar's buttons keep their own states without this bookkeeping, so
// the frame keeps ActiveBtn itself around every transition.
void TWinSkinForm::LeaveActive() {
    TNCObject* old = ActiveBtn;
    if (!old) return;
    old->MouseLeave();
    if (ActiveBtn == old) ActiveBtn = nullptr;
    HintReset();
}

void TWinSkinForm::EnterObject(TNCObject* obj) {
    if (!obj || ActiveBtn == obj) return;
    LeaveActive();
    obj->MouseEnter();
    if (obj->visible) ActiveBtn = obj;
}

void TWinSkinForm::PressObject(TNCObject* obj) {
    if (!obj) return;
    if (ActiveBtn != obj) LeaveActive();
    obj->MouseDown();
    if (obj->visible) ActiveBtn = obj;
}

// --- finding and acting ------------------------------------------------------

TNCObject* TWinSkinForm::FindBtn(POINT p) {
    std::vector<paint::ButtonHit> hits;
    hits.reserve(SysBtn.size());
    for (auto& b : SysBtn)
        hits.push_back({paint::Box{b->bounds.left, b->bounds.top, b->bounds.right, b->bounds.bottom},
                        b->visible && b->data && b->data->Map && !b->data->Map->Empty(),
                        b->data ? int(b->data->Action) : -1});
    int i = paint::FindButton(hits, p.x, p.y);
    if (i >= 0) return SysBtn[static_cast<size_t>(i)].get();
    return MenuBarFind(p);
}

void TWinSkinForm::SysBtnAction(TWinSysButton* btn) {
    if (!btn || !btn->data) return;
    int action = btn->data->Action;
    // The maximised child's buttons in the bar: the command goes to the
    // active child, and the manager learns whether a child is still
    // maximised (a child without a skinned frame does not tell it).
    auto toActiveChild = [&](WPARAM command) {
        if (FormStyle != sfsMDIform || !ClientHwnd) return;
        if (HWND child = reinterpret_cast<HWND>(SendMessageW(ClientHwnd, WM_MDIGETACTIVE, 0, 0)))
            SendMessageW(child, WM_SYSCOMMAND, command, 0);
        if (TSkinManage* mgr = Manager()) mgr->SetMDIMax(MDIChildMax());
    };
    switch (action) {
    case 0:
        if (AssumeCloseItem() || (hsysmenu && GetMenuState(hsysmenu, SC_CLOSE, MF_BYCOMMAND) != UINT(-1))) {
            StopTimer();
            PostMessageW(Hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        return;
    case 1:
    case 22:
        if (btn->enabled) Maximize();
        return;
    case 2:
    case 23:
        if (btn->enabled) Minimize();
        return;
    case 3:
    case 11:
    case 12: {
        POINT p{};
        GetCursorPos(&p);
        PopSysmenu(POINT{p.x + 1, p.y + 1});
        return;
    }
    case 4: PostMessageW(Hwnd, WM_SYSCOMMAND, SC_CONTEXTHELP, 0); return;
    case 7:
    case 60: toActiveChild(SC_MINIMIZE); return;
    case 8:
    case 61: toActiveChild(SC_RESTORE); return;
    case 9:
    case 62: toActiveChild(SC_CLOSE); return;
    default: PostMessageW(Hwnd, CN_SysBtnAction, static_cast<WPARAM>(action), 0); return;
    }
}

// --- window state --------------------------------------------------------------

void TWinSkinForm::Maximize() {
    if (Windowstate == swsMax) return Restore();
    if (IsMDIChild())
        if (TSkinManage* mgr = Manager()) mgr->SetMDIMax(true);
    Windowstate = swsMax;
    PostMessageW(Hwnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ActiveBtn = nullptr;
}

void TWinSkinForm::Minimize() {
    if (Windowstate == swsMin) return Restore();
    Windowstate = swsMin;
    // A minimised window is left to the system's icon and task-bar menu.
    if ((dwstyle & WS_SYSMENU) && hsysmenu)
        SetWindowLongW(Hwnd, GWL_STYLE, GetWindowLongW(Hwnd, GWL_STYLE) | WS_SYSMENU);
    PostMessageW(Hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TWinSkinForm::Restore() {
    Windowstate = swsNormal;
    PostMessageW(Hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TWinSkinForm::RestoreMDI() {
    if (!ClientHwnd) return;
    if (HWND child = reinterpret_cast<HWND>(SendMessageW(ClientHwnd, WM_MDIGETACTIVE, 0, 0)))
        SendMessageW(ClientHwnd, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
}

// --- system menu -----------------------------------------------------------------

void TWinSkinForm::PopSysmenu(POINT p) {
    if (mode) return;
    DWORD now = GetTickCount();
    if (poptime == 0 || now - poptime > DoubleTime) {
        if (TSkinManage* mgr = Manager()) mgr->menutype = 2;
        poptime = now;
        CreateSysmenu2();
        if (sysmenu) {
            sysmenu->Popup(p.x, p.y);
        } else if (hsysmenu) {
            UINT cmd = static_cast<UINT>(
                TrackPopupMenu(hsysmenu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, p.x, p.y, 0, Hwnd, nullptr));
            if (cmd) PostMessageW(Hwnd, WM_SYSCOMMAND, cmd, 0);
        }
    } else if (ActiveBtn) {
        StopTimer();
        PostMessageW(Hwnd, WM_CLOSE, 0, 0);
    }
}

// With the system-menu skin on, the popup is a toolkit menu mirroring the
// window's system menu, drawn by the menu skinner; otherwise the system's own
// menu is shown.
void TWinSkinForm::CreateSysmenu2() {
    sysmenu.reset();
    if (!fsd || !fsd->SkinControls().Contains(xcSystemMenu) || !hsysmenu) return;
    auto popup = std::make_unique<TPopupMenu>(nullptr);
    popup->SetOwnerDraw(true);
    popup->SetTag(kSysMenuTag);
    auto addItem = [&](const std::wstring& caption, intptr_t tag, int image, bool enabled, bool checked) {
        auto* item = new TMenuItem(popup.get());
        item->SetCaption(caption);
        item->SetTag(tag);
        item->SetImageIndex(image);
        item->SetEnabled(enabled);
        item->SetChecked(checked);
        item->OnClick = TNotifyEvent(this, &TWinSkinForm::SysMenuClick);
        popup->Items()->Add(item);
    };
    bool normal = Windowstate == swsNormal, maxed = Windowstate == swsMax, mined = Windowstate == swsMin;
    int n = GetMenuItemCount(hsysmenu);
    for (int i = 0; i < n; ++i) {
        wchar_t text[81] = {};
        MENUITEMINFOW mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_FTYPE;
        mi.dwTypeData = text;
        mi.cch = 80;
        if (!GetMenuItemInfoW(hsysmenu, static_cast<UINT>(i), TRUE, &mi)) continue;
        std::wstring caption = (mi.fType & MFT_SEPARATOR) || !text[0] ? L"-" : std::wstring(text);
        UINT id = mi.wID;
        bool enabled = !(mi.fState & MFS_GRAYED);
        int image = -1;
        switch (id & 0xFFF0) {
        case SC_SIZE:
        case SC_MOVE: enabled = enabled && !maxed; break;
        case SC_MINIMIZE: image = 2, enabled = enabled && !mined && FormIcons.Contains(sbiMin); break;
        case SC_MAXIMIZE: image = 1, enabled = enabled && !maxed && FormIcons.Contains(sbiMax); break;
        case SC_CLOSE: image = 3; break;
        case SC_RESTORE: image = 0, enabled = enabled && !normal; break;
        default: break;
        }
        addItem(caption, static_cast<intptr_t>(id), image, enabled, (mi.fState & MFS_CHECKED) != 0);
    }
    sysmenu = std::move(popup);
}

// A system-menu item's Tag is its system command.
void TWinSkinForm::SysMenuClick(TObject* Sender) {
    if (auto* item = dynamic_cast<TMenuItem*>(Sender))
        PostMessageW(Hwnd, WM_SYSCOMMAND, static_cast<WPARAM>(item->Tag()), 0);
}

// --- hints and the timer -------------------------------------------------------------

std::wstring TWinSkinForm::GetSysBtnHint(const TWinSysButton* btn) const {
    return btn && btn->data ? paint::ButtonHint(btn->data->Action) : L"";
}

void TWinSkinForm::HintReset() {
    if (!fsd) return;
    fsd->HideHint();
    fsd->hintcount = 0;
}

void TWinSkinForm::StopTimer() {
    if (Hwnd && IsWindow(Hwnd)) KillTimer(Hwnd, kFormTimerId);
}

void TWinSkinForm::StartTimer() {
    if (Hwnd && IsWindow(Hwnd) && FActive) SetTimer(Hwnd, kFormTimerId, kTimerMs, nullptr);
}

void TWinSkinForm::OnTimer(TObject*) {
    if (!sMainMenu || !ActiveBtn || InMenuBarMenu() || !fsd) return;
    bool known = IsMenuBarButton(ActiveBtn);
    for (auto& b : SysBtn) known = known || b.get() == ActiveBtn;
    if (!known) {
        ActiveBtn = nullptr;
        return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    POINT p = GetWinXY(cursor.x, cursor.y);
    if (!Contains(ActiveBtn->bounds, p)) return LeaveActive();
    auto* btn = dynamic_cast<TWinSysButton*>(ActiveBtn);
    if (!btn) return;
    fsd->hintcount += kTimerMs;
    switch (paint::HintPhaseAt(fsd->hintcount, kHintPauseMs, kHintHidePauseMs)) {
    case paint::HintPhase::Waiting: break;
    case paint::HintPhase::Showing: {
        std::wstring text = GetSysBtnHint(btn);
        RECT wr{};
        GetWindowRect(Hwnd, &wr);
        if (!text.empty() && !fsd->IsHint())
            fsd->ActivateHint(RECT{btn->bounds.left + wr.left, cursor.y + 24, 0, 0}, text);
        break;
    }
    case paint::HintPhase::Over: fsd->HideHint(); break;
    }
}

// --- non-client messages ---------------------------------------------------------------

void TWinSkinForm::WMNCPaint(TMessage& m) {
    if (fsd && !fsd->MenuMsg) {
        m.Result = 0;
        return;
    }
    if ((IsMDIChild() && Windowstate == swsMax) || FormBorder == sbsNone) return Default(m);
    UpdateNc(nullptr);
    m.Result = 0;
}

void TWinSkinForm::WMNCActivateFrame(TMessage& m) {
    FWindowActive = m.WParam != 0;
    if (FWindowActive) StartTimer();
    else StopTimer();
    if (FormStyle == sfsMDIform && ClientHwnd) SendMessageW(ClientHwnd, WM_NCACTIVATE, m.WParam, 0);
    if (IsMDIChild()) Default(m);
    if (!(IsMDIChild() && Windowstate == swsMax)) UpdateNc(nullptr);
    m.Result = 1;
}

void TWinSkinForm::WMNCMouseMove(TMessage& m) {
    if (!FWindowActive) return Default(m);
    POINT pt = PointOf(m.LParam);
    TNCObject* hit = FindBtn(GetWinXY(pt.x, pt.y));
    if (hit) {
        EnterObject(hit);
        // Ask for WM_NCMOUSELEAVE so a hot button cools at once when the
        // pointer leaves the window; the timer catches it otherwise.
        if (pTrackMouseEvent) {
            TRACKMOUSEEVENT t{sizeof t, TME_LEAVE | TME_NONCLIENT, Hwnd, 0};
            pTrackMouseEvent(&t);
        }
        m.Result = 0;
        return;
    }
    LeaveActive();
    Default(m);
}

void TWinSkinForm::WMNCMouseLeave(TMessage& m) {
    if (ActiveBtn && !InMenuBarMenu()) {
        POINT cursor{};
        GetCursorPos(&cursor);
        if (!Contains(ActiveBtn->bounds, GetWinXY(cursor.x, cursor.y))) LeaveActive();
    }
    Default(m);
}

void TWinSkinForm::WMNCLButtonDown(TMessage& m) {
    if (fsd) fsd->HideHint();
    POINT pt = PointOf(m.LParam);
    TNCObject* hit = FindBtn(GetWinXY(pt.x, pt.y));
    if (hit) {
        if (!FWindowActive) SetForegroundWindow(Hwnd);
        PressObject(hit);
        if (IsMenuBarButton(hit)) MenuBarOpen(hit);
        m.Result = 0;
        return;
    }
    // A maximised window is not dragged by its caption.
    if (Windowstate == swsMax && FWindowActive && m.WParam == HTCAPTION) m.WParam = HTMENU;
    Default(m);
}

void TWinSkinForm::WMNCLButtonUp(TMessage& m) {
    if (fsd) fsd->HideHint();
    POINT pt = PointOf(m.LParam);
    TNCObject* hit = FindBtn(GetWinXY(pt.x, pt.y));
    if (!hit) return Default(m);
    // The action runs only for the button that was pressed and is released on.
    auto* btn = dynamic_cast<TWinSysButton*>(ActiveBtn);
    if (btn && btn == hit && btn->state == 2) {
        btn->MouseUp();
        SysBtnAction(btn);
    }
    m.Result = 0;
}

void TWinSkinForm::WMNCLButtonDblClk(TMessage& m) {
    POINT pt = PointOf(m.LParam);
    TNCObject* hit = FindBtn(GetWinXY(pt.x, pt.y));
    if (hit) {
        auto* btn = dynamic_cast<TWinSysButton*>(hit);
        if (btn && btn->data && (btn->data->Action == 3 || btn->data->Action == 11)) {
            StopTimer();
            PostMessageW(Hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        m.Result = 0;
        return;
    }
    // Only the caption bar toggles the window state; borders keep the system's meaning.
    if (m.WParam == HTCAPTION) {
        if (Windowstate != swsNormal) return Restore();
        if (FormIcons.Contains(sbiMax)) return Maximize();
    }
    Default(m);
}

void TWinSkinForm::WMNCRButtonDown(TMessage& m) {
    if (m.WParam == HTCAPTION && !IsMDIChild()) {
        POINT p{};
        GetCursorPos(&p);
        PopSysmenu(p);
        m.Result = 0;
        return;
    }
    Default(m);
}

void TWinSkinForm::WMSysCommand(TMessage& m) {
    UINT command = static_cast<UINT>(m.WParam & 0xFFF0);
    if (command == SC_KEYMENU && !InMenuBarMenu()) {
        wchar_t key = static_cast<wchar_t>(m.LParam);
        if (key == L' ') {
            POINT p{0, 0};
            ClientToScreen(Hwnd, &p);
            PopSysmenu(p);
            m.Result = 0;
            return;
        }
        if (key != L'-' && !GetCapture() && MenuBarKey(key)) {
            m.Result = 0;
            return;
        }
    }
    switch (command) {
    case SC_MINIMIZE: Windowstate = swsMin; break;
    case SC_MAXIMIZE: Windowstate = swsMax; break;
    case SC_RESTORE:
        Windowstate = swsNormal;
        if (IsMDIChild())
            if (TSkinManage* mgr = Manager()) mgr->SetMDIMax(false);
        break;
    default: break;
    }
    Default(m);
}

// The system paints its own caption when the text or icon changes; the
// skinned frame is painted over it at once.
void TWinSkinForm::WMSetText(TMessage& m) {
    Default(m);
    if (IsWindowVisible(Hwnd)) UpdateNc(nullptr);
}

}  // namespace relayon::skin
