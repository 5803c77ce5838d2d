#include "toolkit/Form.h"

#include <algorithm>

#include "toolkit/Application.h"
#include "toolkit/FormReader.h"
#include "toolkit/LabelFit.h"
#include "toolkit/Menus.h"

void TControlScrollBar::SetVisible(bool v) {
    visible_ = v;
    Update();
}

void TControlScrollBar::SetRange(int r) {
    range_ = std::max(r, 0);
    Update();
}

void TControlScrollBar::SetPosition(int p) {
    int client = 0;
    if (control_) {
        RECT rc = control_->ClientRect();
        client = bar_ == SB_HORZ ? rc.right : rc.bottom;
    }
    p = std::clamp(p, 0, std::max(range_ - client, 0));
    if (p == position_) return;
    int delta = position_ - p;
    position_ = p;
    if (control_ && control_->HandleAllocated()) {
        HWND h = control_->Handle();
        ScrollWindowEx(h, bar_ == SB_HORZ ? delta : 0, bar_ == SB_VERT ? delta : 0, nullptr, nullptr, nullptr,
                       nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
        // Windowless children move with the view as well.
        for (int i = 0; i < control_->ControlCount(); ++i) {
            TControl* c = control_->Controls(i);
            if (dynamic_cast<TWinControl*>(c)) continue;
            c->SetBounds(c->Left() + (bar_ == SB_HORZ ? delta : 0), c->Top() + (bar_ == SB_VERT ? delta : 0),
                         c->Width(), c->Height());
        }
        SetScrollPos(h, bar_, position_, TRUE);
    }
}

void TControlScrollBar::Attach(TWinControl* control) {
    control_ = control;
    Update();
}

void TControlScrollBar::Update() {
    if (!control_ || !control_->HandleAllocated()) return;
    HWND h = control_->Handle();
    RECT rc;
    GetClientRect(h, &rc);
    int client = bar_ == SB_HORZ ? rc.right : rc.bottom;
    bool show = visible_ && range_ > client;
    // Without a bar the view must not stay scrolled away.
    if (!show && position_ != 0) {
        int keepRange = range_;
        range_ = 0;
        SetPosition(0);
        range_ = keepRange;
    }
    ShowScrollBar(h, bar_, show);
    if (show) {
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, range_ - 1, static_cast<UINT>(client), position_, 0};
        SetScrollInfo(h, bar_, &si, TRUE);
    }
}

void TControlScrollBar::Scroll(WPARAM request) {
    int client = 0;
    if (control_) {
        RECT rc = control_->ClientRect();
        client = bar_ == SB_HORZ ? rc.right : rc.bottom;
    }
    switch (LOWORD(request)) {
    case SB_LINEUP: SetPosition(position_ - 8); break;
    case SB_LINEDOWN: SetPosition(position_ + 8); break;
    case SB_PAGEUP: SetPosition(position_ - client); break;
    case SB_PAGEDOWN: SetPosition(position_ + client); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: SetPosition(static_cast<short>(HIWORD(request))); break;
    case SB_TOP: SetPosition(0); break;
    case SB_BOTTOM: SetPosition(range_); break;
    }
}

TForm::TForm(TComponent* AOwner) : TCustomControl(AOwner) {
    visible_ = false;
    color_ = clBtnFace;
    width_ = 320;
    height_ = 240;
}

TForm::~TForm() {
    destroyingForm_ = true;
    activeControl_ = nullptr;
    SetMenu(nullptr);
    SetWindowMenu(nullptr);
    // An MDI child leaves through its client, which keeps the window list.
    if (IsMDIChildWindow()) SendMessageW(GetParent(handle_), WM_MDIDESTROY, reinterpret_cast<WPARAM>(handle_), 0);
    if (Application->MainForm() == this) Application->MainFormDestroyed();
}

void TForm::AfterConstruction() {
    if (constructed_) return;
    constructed_ = true;
    {
        LabelFitScope labelsFitOnceMade;
        ReadFormResource(*this);
        // MDI children are shown from the start.
        if (formStyle_ == fsMDIChild) visible_ = true;
        DoCreate();
    }
    if (visible_) {
        visible_ = false;
        Show();
    }
}

void TForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}

DWORD TForm::BorderStyleBits() const {
    DWORD style = 0;
    switch (borderStyle_) {
    case bsNone: style = WS_POPUP; break;
    case bsSingle: style = WS_CAPTION | WS_BORDER; break;
    case bsSizeable: style = WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog: style = WS_POPUP | WS_CAPTION; break;
    case bsToolWindow: style = WS_CAPTION; break;
    case bsSizeToolWin: style = WS_CAPTION | WS_THICKFRAME; break;
    }
    if (borderStyle_ != bsNone && borderIcons_.Contains(biSystemMenu)) {
        style |= WS_SYSMENU;
        if (borderStyle_ == bsSingle || borderStyle_ == bsSizeable) {
            if (borderIcons_.Contains(biMinimize)) style |= WS_MINIMIZEBOX;
            if (borderIcons_.Contains(biMaximize)) style |= WS_MAXIMIZEBOX;
        }
    }
    return style;
}

DWORD TForm::BorderExStyleBits() const {
    DWORD ex = 0;
    if (borderStyle_ == bsDialog) ex |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
    if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin) ex |= WS_EX_TOOLWINDOW;
    if (borderIcons_.Contains(biHelp) && borderIcons_.Contains(biSystemMenu) &&
        (borderStyle_ == bsDialog || !(borderIcons_.Contains(biMinimize) || borderIcons_.Contains(biMaximize))))
        ex |= WS_EX_CONTEXTHELP;
    if (formStyle_ == fsMDIChild) ex |= WS_EX_MDICHILD;
    if (formStyle_ == fsStayOnTop) ex |= WS_EX_TOPMOST;
    return ex;
}

void TForm::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style = WS_CLIPCHILDREN | BorderStyleBits();
    if (!enabled_) params.Style |= WS_DISABLED;
    params.ExStyle = BorderExStyleBits();
    if (Application->MainForm() == this) params.ExStyle |= WS_EX_APPWINDOW;
    params.WndParent = nullptr;
    params.ClassStyle = CS_DBLCLKS;
    if (position_ == poScreenCenter || position_ == poDesktopCenter || position_ == poMainFormCenter) {
        params.X = (GetSystemMetrics(SM_CXSCREEN) - width_) / 2;
        params.Y = (GetSystemMetrics(SM_CYSCREEN) - height_) / 2;
        left_ = params.X;
        top_ = params.Y;
    } else if (position_ == poDefault || position_ == poDefaultPosOnly) {
        params.X = CW_USEDEFAULT;
        params.Y = CW_USEDEFAULT;
    }
    if (formStyle_ == fsMDIChild) {
        TForm* main = Application->MainForm();
        if (main && main != this && main->FormStyle() == fsMDIForm) params.WndParent = main->Handle() ? main->ClientHandle() : nullptr;
        params.Style = (params.Style & ~WS_POPUP) | WS_VISIBLE | (windowState_ == wsMaximized ? WS_MAXIMIZE : 0);
    }
}

void TForm::CreateWindowHandleDone() {
    SetApplicationIcons(handle_);
    CreateMDIClient();
    ApplyMenuToWindow();
    horzScrollBar_.Attach(this);
    vertScrollBar_.Attach(this);
    UpdateBoundsFromWindow();
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    RecreateWnd();
}

void TForm::SetBorderIcons(TBorderIcons icons) {
    if (icons == borderIcons_) return;
    borderIcons_ = icons;
    RecreateWnd();
}

void TForm::SetWindowState(TWindowState state) {
    windowState_ = state;
    if (HandleAllocated() && IsWindowVisible(handle_))
        ShowWindow(handle_, state == wsMaximized ? SW_MAXIMIZE : state == wsMinimized ? SW_MINIMIZE : SW_RESTORE);
}

RECT TForm::ClientRect() {
    if (HandleAllocated()) return TWinControl::ClientRect();
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, BorderStyleBits(), menu_ != nullptr, BorderExStyleBits());
    return RECT{0, 0, std::max<LONG>(0, width_ - (frame.right - frame.left)),
                std::max<LONG>(0, height_ - (frame.bottom - frame.top))};
}

void TForm::SetClientSize(int width, int height) {
    if (IsLoading()) {
        // Width and height arrive one at a time; keep each one that was given.
        RECT current = ClientRect();
        if (width != current.right) pendingClientWidth_ = width;
        if (height != current.bottom) pendingClientHeight_ = height;
        return;
    }
    RECT r = ClientRect();
    SetBounds(left_, top_, width_ + (width - r.right), height_ + (height - r.bottom));
}

void TForm::Loaded() {
    TCustomControl::Loaded();
    if (pendingClientWidth_ >= 0 || pendingClientHeight_ >= 0) {
        RECT r = ClientRect();
        int w = pendingClientWidth_ >= 0 ? pendingClientWidth_ : r.right;
        int h = pendingClientHeight_ >= 0 ? pendingClientHeight_ : r.bottom;
        pendingClientWidth_ = pendingClientHeight_ = -1;
        SetClientSize(w, h);
    }
}

void TForm::Show() {
    SetVisible(true);
    if (HandleAllocated()) SetForegroundWindow(handle_);
}

void TForm::VisibleChanged() {
    if (visible_) {
        Handle();
        int cmd = windowState_ == wsMaximized ? SW_SHOWMAXIMIZED : windowState_ == wsMinimized ? SW_SHOWMINIMIZED
                                                                                                : SW_SHOWNORMAL;
        ShowWindow(handle_, cmd);
        if (IsMDIChildWindow())
            SendMessageW(GetParent(handle_), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(handle_), 0);
        else
            SetForegroundWindow(handle_);
        if (activeControl_ && activeControl_->CanFocus())
            activeControl_->SetFocus();
        else
            SelectNext(nullptr, true, true);
        if (OnShow) OnShow(this);
    } else if (handle_) {
        ShowWindow(handle_, SW_HIDE);
        if (OnHide) OnHide(this);
    }
}

void TForm::Close() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    if (!canClose) return;
    bool isMain = Application->MainForm() == this;
    TCloseAction action = isMain ? caFree : formStyle_ == fsMDIChild ? caMinimize : caHide;
    if (OnClose) OnClose(this, action);
    if (action == caNone) return;
    if (isMain) {
        Application->Terminate();
        Hide();
        return;
    }
    switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    }
}

void TForm::Release() {
    if (HandleAllocated())
        PostMessageW(handle_, CM_RELEASE, 0, 0);
    else
        delete this;
}

void TForm::SetActiveControl(TWinControl* control) {
    if (control && !ContainsControl(control)) return;
    if (handle_ && IsWindowVisible(handle_) && control && control->CanFocus())
        control->SetFocus();
    else
        activeControl_ = control;
}

void TForm::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return;
    auto isCandidate = [&](TWinControl* c) { return c->CanFocus() && (!checkTabStop || c->TabStop()); };
    int n = static_cast<int>(list.size());
    int start = -1;
    if (current) {
        auto it = std::find(list.begin(), list.end(), current);
        if (it != list.end()) start = static_cast<int>(it - list.begin());
    }
    if (start < 0) start = forward ? -1 : n;
    for (int step = 1; step <= n; ++step) {
        int i = ((start + (forward ? step : -step)) % n + n) % n;
        if (isCandidate(list[static_cast<size_t>(i)])) {
            list[static_cast<size_t>(i)]->SetFocus();
            return;
        }
    }
}

void TForm::FocusChanged(TWinControl* control) {
    if (destroyingForm_ || control == activeControl_) return;
    TWinControl* previous = activeControl_;
    activeControl_ = control;
    if (previous) {
        previous->Perform(CM_EXIT, 0, 0);
        previous->DoExit();
    }
    // An OnExit handler may have moved focus again or freed the control.
    if (activeControl_ != control) return;
    control->Perform(CM_ENTER, 0, 0);
    control->DoEnter();
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
}

void TForm::ControlDestroying(TControl* control) {
    if (!activeControl_) return;
    if (activeControl_ == control) {
        activeControl_ = nullptr;
        return;
    }
    if (auto* win = dynamic_cast<TWinControl*>(control); win && win->ContainsControl(activeControl_))
        activeControl_ = nullptr;
}

void TForm::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_CLOSE:
        Close();
        message.Result = 0;
        return;
    case CM_RELEASE:
        delete this;
        return;
    case WM_ACTIVATE:
        if (LOWORD(message.WParam) != WA_INACTIVE && activeControl_ && activeControl_->HandleAllocated() &&
            activeControl_->CanFocus()) {
            ::SetFocus(activeControl_->Handle());
            message.Result = 0;
            if (OnActivate) OnActivate(this);
            return;
        }
        if (LOWORD(message.WParam) == WA_INACTIVE && OnDeactivate) OnDeactivate(this);
        if (LOWORD(message.WParam) != WA_INACTIVE && OnActivate) OnActivate(this);
        break;
    case WM_COMMAND:
        if (MenuCommand(message)) return;
        break;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        if (MenuItemMessages(message.Msg, message.LParam, message.Result)) return;
        break;
    case WM_NCDESTROY:
        clientHandle_ = nullptr;
        break;
    case WM_MDIACTIVATE:
        // Sent to the child losing (wParam) and the one gaining (lParam) activation.
        if (TForm* main = MDIMainForm()) {
            if (reinterpret_cast<HWND>(message.LParam) == handle_)
                main->MergeChildMenu(this);
            else if (!message.LParam)
                main->MergeChildMenu(nullptr);
        }
        break;
    case WM_SIZE:
        // The window's own state, whoever changed it (caption buttons, MDI).
        if (message.WParam == SIZE_MAXIMIZED) windowState_ = wsMaximized;
        else if (message.WParam == SIZE_MINIMIZED) windowState_ = wsMinimized;
        else if (message.WParam == SIZE_RESTORED) windowState_ = wsNormal;
        horzScrollBar_.Update();
        vertScrollBar_.Update();
        TCustomControl::WndProc(message);
        if (OnResize) OnResize(this);
        return;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (message.LParam == 0) {
            (message.Msg == WM_HSCROLL ? horzScrollBar_ : vertScrollBar_).Scroll(message.WParam);
            return;
        }
        break;
    case CM_DIALOGKEY:
        // Ctrl+Tab is not a focus move: it goes to the controls (page turning).
        if (message.WParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0) {
            SelectNext(activeControl_, !KeyboardShiftState().Contains(ssShift), true);
            message.Result = 1;
            return;
        }
        break;
    case CN_NOTIFY:
        // Notifications sent straight to the form (not reflected from a
        // child) carry no NMHDR; nothing to do.
        message.Result = 0;
        return;
    }
    TCustomControl::WndProc(message);
}
