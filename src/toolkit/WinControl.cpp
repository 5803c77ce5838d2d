#include "toolkit/WinControl.h"
#include "toolkit/WindowCreatedObserver.h"

#include <windowsx.h>

#include <algorithm>
#include <stdexcept>

#include "toolkit/Application.h"
#include "toolkit/ControlAtom.h"
#include "toolkit/Form.h"
#include "toolkit/GraphicControl.h"
#include "toolkit/Menus.h"
#include "toolkit/ModuleInstance.h"

void SetCreatingControl(TWinControl* control);

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
    SetDestroying();
    if (TForm* form = ParentForm()) form->ControlDestroying(this);
    // Children go first (they are also owned elsewhere; deleting removes them there).
    while (!controls_.empty()) {
        TControl* child = controls_.back();
        RemoveControl(child);
        delete child;
    }
    if (parent_) {
        parent_->RemoveControl(this);
    }
    if (handle_) {
        DestroyWindow(handle_);
        // WM_NCDESTROY unbinds the window, unless a foreign subclass kept it.
        DetachHandle();
    }
}

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount()) throw std::out_of_range("control index out of range");
    return controls_[static_cast<size_t>(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

void TWinControl::InsertControl(TControl* control) {
    if (std::find(controls_.begin(), controls_.end(), control) != controls_.end()) return;
    controls_.push_back(control);
    control->parent_ = this;
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        tabList_.push_back(win);
        if (handle_ && !DefersChildWindows()) {
            if (win->handle_) {
                // Move the existing window under its new parent.
                ::SetParent(win->handle_, handle_);
            } else {
                win->Handle();
            }
        }
    } else if (control->Visible()) {
        InvalidateRect(control->BoundsRect());
    }
}

void TWinControl::RemoveControl(TControl* control) {
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end()) return;
    if (mouseControl_ == control) mouseControl_ = nullptr;
    if (hotControl_ == control) hotControl_ = nullptr;
    if (TForm* form = ParentForm()) form->ControlDestroying(control);
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), win), tabList_.end());
        // A window cannot outlive its parent window: drop it; it is created
        // again under the next parent.
        if (win->handle_ && !win->IsDestroying()) win->DestroyWnd();
    } else if (control->Visible()) {
        InvalidateRect(control->BoundsRect());
    }
    controls_.erase(std::find(controls_.begin(), controls_.end(), control));
    control->parent_ = nullptr;
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled, bool allowWinControls) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (!allowWinControls && dynamic_cast<TWinControl*>(c)) continue;
        if (!c->Visible() || (!allowDisabled && !c->Enabled())) continue;
        RECT r = c->BoundsRect();
        if (PtInRect(&r, p)) return c;
    }
    return nullptr;
}

int TWinControl::TabOrder() const {
    if (!parent_) return -1;
    auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (!parent_) return;
    auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    order = std::clamp(order, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + order, this);
}

void TWinControl::SetTabStop(bool value) {
    tabStop_ = value;
    ApplyStyle(value ? WS_TABSTOP : 0, value ? 0 : WS_TABSTOP);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
    for (TWinControl* c : tabList_) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus() {
    if (TForm* form = ParentForm(); form && form != this) form->Handle();
    ::SetFocus(Handle());
}

bool TWinControl::Focused() {
    if (!handle_) return false;
    HWND focus = GetFocus();
    return focus == handle_ || (focus && FindControlOrAncestor(focus) == this);
}

void TWinControl::SetParentWindow(HWND window) {
    if (parent_ || window == parentWindow_) return;
    parentWindow_ = window;
    if (handle_) {
        if (window)
            ::SetParent(handle_, window);
        else
            DestroyWnd();
    }
}

HWND TWinControl::Handle() {
    if (!handle_) {
        if (parent_) parent_->Handle();
        if (!handle_) CreateWnd();
        // A child window needs a parent window; say so instead of handing out null.
        if (!handle_) {
            std::wstring name = Name().empty() ? ClassName() : Name();
            throw std::runtime_error("Control '" + std::string(name.begin(), name.end()) + "' has no parent window");
        }
    }
    return handle_;
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.Caption = text_;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (visible_) params.Style |= WS_VISIBLE;
    if (!enabled_) params.Style |= WS_DISABLED;
    if (tabStop_) params.Style |= WS_TABSTOP;
    if (biDiMode_ == bdRightToLeft) params.ExStyle |= WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR;
    params.X = left_;
    params.Y = top_;
    params.Width = width_;
    params.Height = height_;
    params.WndParent = parent_ ? parent_->handle_ : parentWindow_;
    params.WinClassName = ClassName();
}

namespace {
TWindowCreatedObserver windowCreatedObserver = nullptr;
}  // namespace

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) && !params.WndParent) {
        // A child without a parent window cannot exist yet.
        return;
    }
    defWndProc_ = RegisterToolkitClass(params.WinClassName, params.SystemClassName, params.ClassStyle);
    SetCreatingControl(this);
    HWND window = nullptr;
    try {
        window = CreateWindowHandle(params);
    } catch (...) {
        SetCreatingControl(nullptr);
        throw;
    }
    SetCreatingControl(nullptr);
    if (!window) {
        std::wstring cls = params.WinClassName;
        throw std::runtime_error("Error creating window of class " + std::string(cls.begin(), cls.end()) +
                                 " (error " + std::to_string(GetLastError()) + ")");
    }
    if (!handle_) AttachHandle(window);
    // Later siblings lie above earlier ones (the order of Controls), whatever
    // order the window manager picks for new children.
    if (params.Style & WS_CHILD)
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
    CreateWindowHandleDone();
    if (windowCreatedObserver) windowCreatedObserver(this);
    if (!DefersChildWindows()) CreateHandleChildren();
}

void SetWindowCreatedObserver(TWindowCreatedObserver observer) { windowCreatedObserver = observer; }

HWND TWinControl::CreateWindowHandle(const TCreateParams& params) {
    return CreateWindowExW(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style, params.X,
                           params.Y, params.Width, params.Height, params.WndParent, nullptr, ModuleInstance(), nullptr);
}

void TWinControl::CreateHandleChildren() {
    for (TControl* c : controls_)
        if (auto* win = dynamic_cast<TWinControl*>(c); win && !win->handle_) win->CreateWnd();
}

void TWinControl::SaveWindowState() {
    if (!handle_) return;
    text_ = GetText();
    for (TControl* c : controls_)
        if (auto* win = dynamic_cast<TWinControl*>(c)) win->SaveWindowState();
}

void TWinControl::DestroyWnd() {
    if (!handle_) return;
    // The system destroys the child windows with this one.
    SaveWindowState();
    HWND window = handle_;
    DestroyWindow(window);
    // WM_NCDESTROY detached the handle; make sure even if the window was foreign-subclassed.
    if (handle_ == window) DetachHandle();
}

void TWinControl::RecreateWnd() {
    if (!handle_) return;
    Perform(CM_RECREATEWND, 0, 0);
    recreating_ = true;
    DestroyWnd();
    recreating_ = false;
    Handle();
}

void TWinControl::AttachHandle(HWND window) {
    handle_ = window;
    BindControl(window, this);
}

void TWinControl::DetachHandle() {
    if (!handle_) return;
    UnbindControl(handle_);
    handle_ = nullptr;
    trackingLeave_ = false;
    // Child windows died with this one.
    for (TControl* c : controls_)
        if (auto* win = dynamic_cast<TWinControl*>(c); win && win->handle_ && !IsWindow(win->handle_))
            win->DetachHandle();
}

void TWinControl::ApplyStyle(DWORD set, DWORD clear) {
    if (!handle_) return;
    LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
    LONG_PTR updated = (style & ~static_cast<LONG_PTR>(clear)) | static_cast<LONG_PTR>(set);
    if (updated != style) SetWindowLongPtrW(handle_, GWL_STYLE, updated);
}

void TWinControl::ApplyExStyle(DWORD set, DWORD clear) {
    if (!handle_) return;
    LONG_PTR style = GetWindowLongPtrW(handle_, GWL_EXSTYLE);
    LONG_PTR updated = (style & ~static_cast<LONG_PTR>(clear)) | static_cast<LONG_PTR>(set);
    if (updated != style) {
        SetWindowLongPtrW(handle_, GWL_EXSTYLE, updated);
        SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (handle_) SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    BoundsChanged();
}

void TWinControl::UpdateBoundsFromWindow() {
    if (!handle_) return;
    RECT r;
    GetWindowRect(handle_, &r);
    HWND parentWindow = GetParent(handle_);
    if (parentWindow && (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(nullptr, parentWindow, reinterpret_cast<POINT*>(&r), 2);
    left_ = r.left;
    top_ = r.top;
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
}

RECT TWinControl::ClientRect() {
    if (handle_) {
        RECT r;
        GetClientRect(handle_, &r);
        return r;
    }
    return TControl::ClientRect();
}

POINT TWinControl::ClientToScreen(POINT p) {
    if (handle_) {
        ::ClientToScreen(handle_, &p);
        return p;
    }
    return TControl::ClientToScreen(p);
}

POINT TWinControl::ScreenToClient(POINT p) {
    if (handle_) {
        ::ScreenToClient(handle_, &p);
        return p;
    }
    return TControl::ScreenToClient(p);
}

std::wstring TWinControl::GetText() {
    if (!handle_) return text_;
    int n = GetWindowTextLengthW(handle_);
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    int got = GetWindowTextW(handle_, s.data(), n + 1);
    s.resize(static_cast<size_t>(std::max(got, 0)));
    return s;
}

void TWinControl::SetText(const std::wstring& text) {
    if (handle_) {
        if (GetText() == text) return;
        text_ = text;
        SetWindowTextW(handle_, text.c_str());
        TextChanged();
        Perform(CM_TEXTCHANGED, 0, 0);
    } else {
        TControl::SetText(text);
    }
}

void TWinControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (handle_) EnableWindow(handle_, enabled);
    Perform(CM_ENABLEDCHANGED, 0, 0);
    Invalidate();
}

void TWinControl::SetParentBackground(bool value) {
    parentBackground_ = value;
    Invalidate();
}

void TWinControl::VisibleChanged() {
    if (!handle_) return;
    // Children that waited for this control are made before it appears.
    if (visible_ && !DefersChildWindows()) CreateHandleChildren();
    ShowWindow(handle_, visible_ ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::FontChanged() {
    if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
    Perform(CM_FONTCHANGED, 0, 0);
    for (TControl* c : controls_)
        if (c->ParentFont()) c->SetParentFont(true);
    Invalidate();
}

void TWinControl::ColorChanged() {
    Perform(CM_COLORCHANGED, 0, 0);
    for (TControl* c : controls_)
        if (c->ParentColor()) c->SetParentColor(true);
    Invalidate();
}

HBRUSH TWinControl::ColorBrush() {
    if (!brush_ || brushColor_ != color_) {
        brush_.reset(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(color_))));
        brushColor_ = color_;
    }
    return brush_.get();
}

void TWinControl::InvalidateRect(const RECT& r) {
    if (handle_) ::InvalidateRect(handle_, &r, TRUE);
}

void TWinControl::Invalidate() {
    if (handle_) ::InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update() {
    if (handle_) UpdateWindow(handle_);
}

void TWinControl::PaintWindow(HDC dc) {
    if (IsOwnClass()) return;
    TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(m);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
    auto it = controls_.begin();
    if (first) it = std::find(controls_.begin(), controls_.end(), first);
    for (; it != controls_.end(); ++it) {
        TControl* c = *it;
        if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
        RECT r = c->BoundsRect();
        if (!RectVisible(dc, &r)) continue;
        int saved = SaveDC(dc);
        POINT origin;
        GetViewportOrgEx(dc, &origin);
        SetViewportOrgEx(dc, origin.x + r.left, origin.y + r.top, nullptr);
        IntersectClipRect(dc, 0, 0, r.right - r.left, r.bottom - r.top);
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        RestoreDC(dc, saved);
    }
}

void TWinControl::PaintHandler(TMessage& message) {
    HDC given = reinterpret_cast<HDC>(message.WParam);
    bool hasGraphicChildren = std::any_of(controls_.begin(), controls_.end(),
                                          [](TControl* c) { return !dynamic_cast<TWinControl*>(c); });
    if (given) {
        PaintWindow(given);
        PaintControls(given, nullptr);
        message.Result = 0;
        return;
    }
    if (!IsOwnClass() && !hasGraphicChildren) {
        DefaultHandler(message);
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(handle_, &ps);
    if (IsOwnClass() && ps.fErase) {
        TMessage erase{WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0, 0};
        WindowProc ? WindowProc(erase) : WndProc(erase);
    }
    PaintWindow(dc);
    PaintControls(dc, nullptr);
    EndPaint(handle_, &ps);
    message.Result = 0;
}

bool TWinControl::ReflectNotification(TMessage& message) {
    HWND child = nullptr;
    switch (message.Msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORDLG:
        child = reinterpret_cast<HWND>(message.LParam);
        break;
    case WM_NOTIFY:
        if (message.LParam) child = reinterpret_cast<NMHDR*>(message.LParam)->hwndFrom;
        break;
    case WM_DRAWITEM:
        if (message.LParam && reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam)->CtlType != ODT_MENU)
            child = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam)->hwndItem;
        break;
    case WM_MEASUREITEM:
        if (message.LParam && message.WParam && handle_)
            child = GetDlgItem(handle_, static_cast<int>(reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam)->CtlID));
        break;
    default:
        return false;
    }
    if (!child || child == handle_) return false;
    TWinControl* target = FindControl(child);
    if (!target || target == this) return false;
    message.Result = target->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
    return true;
}

bool TWinControl::RouteMouseToGraphicChild(TMessage& message) {
    POINT p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    TControl* target = mouseControl_;
    if (!target) target = ControlAtPos(p);
    if (message.Msg == WM_MOUSEMOVE && target != hotControl_) {
        if (hotControl_) hotControl_->Perform(CM_MOUSELEAVE, 0, 0);
        hotControl_ = target;
        if (hotControl_) hotControl_->Perform(CM_MOUSEENTER, 0, 0);
    }
    if (!target) return false;
    RECT r = target->BoundsRect();
    LPARAM local = MAKELPARAM(static_cast<short>(p.x - r.left), static_cast<short>(p.y - r.top));
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        mouseControl_ = target;
        SetCapture(handle_);
        break;
    case WM_LBUTTONUP:
        mouseControl_ = nullptr;
        if (GetCapture() == handle_) ReleaseCapture();
        break;
    }
    message.Result = target->Perform(message.Msg, message.WParam, local);
    return true;
}

// A right click (or the menu key) opens the popup menu of the graphic child
// under the point, else this control's own.
bool TWinControl::ContextMenuHandler(TMessage& message) {
    POINT screen{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    TControl* target = this;
    if ((screen.x != -1 || screen.y != -1) && handle_) {
        POINT client = screen;
        ::ScreenToClient(handle_, &client);
        if (TControl* child = ControlAtPos(client); child && child->PopupMenu()) target = child;
    }
    if (!ShowControlPopup(target, screen)) return false;
    message.Result = 0;
    return true;
}

bool TWinControl::WantsDialogKey(WORD key) {
    HWND focus = GetFocus();
    if (!focus) return false;
    MSG msg{focus, WM_KEYDOWN, key, 0, 0, {}};
    LRESULT code = SendMessageW(focus, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&msg));
    if (code & DLGC_WANTALLKEYS) return true;
    if (key == VK_TAB && (code & DLGC_WANTTAB)) return true;
    if (code & DLGC_WANTMESSAGE) return true;
    return false;
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::WndProc(TMessage& message) {
    if (message.Msg == RM_GetObjectInstance() && message.Msg != 0) {
        message.Result = reinterpret_cast<LRESULT>(this);
        return;
    }
    if (ReflectNotification(message)) return;
    switch (message.Msg) {
    case WM_PAINT:
        PaintHandler(message);
        return;
    case WM_ERASEBKGND:
        if (IsOwnClass()) {
            RECT r;
            GetClientRect(handle_, &r);
            FillRect(reinterpret_cast<HDC>(message.WParam), &r, ColorBrush());
            message.Result = 1;
            return;
        }
        break;
    case WM_PRINTCLIENT:
        if (IsOwnClass()) {
            HDC dc = reinterpret_cast<HDC>(message.WParam);
            RECT r;
            GetClientRect(handle_, &r);
            FillRect(dc, &r, ColorBrush());
            PaintWindow(dc);
            PaintControls(dc, nullptr);
            return;
        }
        break;
    case WM_SETFOCUS:
        if (TForm* form = ParentForm(); form && form != this) form->FocusChanged(this);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MOUSEMOVE:
        if (message.Msg == WM_MOUSEMOVE && !trackingLeave_ && handle_) {
            TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, handle_, 0};
            TrackMouseEvent(&tme);
            trackingLeave_ = true;
            Perform(CM_MOUSEENTER, 0, 0);
        }
        if (RouteMouseToGraphicChild(message)) return;
        break;
    case WM_CONTEXTMENU:
        if (ContextMenuHandler(message)) return;
        break;
    case WM_MOUSELEAVE:
        trackingLeave_ = false;
        if (hotControl_) {
            hotControl_->Perform(CM_MOUSELEAVE, 0, 0);
            hotControl_ = nullptr;
        }
        Perform(CM_MOUSELEAVE, 0, 0);
        break;
    case WM_WINDOWPOSCHANGED:
        if (!(reinterpret_cast<WINDOWPOS*>(message.LParam)->flags & SWP_NOSIZE) ||
            !(reinterpret_cast<WINDOWPOS*>(message.LParam)->flags & SWP_NOMOVE))
            UpdateBoundsFromWindow();
        break;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: {
        WORD key = static_cast<WORD>(message.WParam);
        if (OnKeyDown) {
            OnKeyDown(this, key, KeyboardShiftState());
            if (key == 0) {
                message.Result = 1;
                return;
            }
        }
        if (key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_CANCEL) {
            if (WantsDialogKey(key)) return;
            if (TForm* form = ParentForm()) {
                message.Result = form->Perform(CM_DIALOGKEY, key, message.LParam);
                return;
            }
        }
        return;
    }
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORLISTBOX: {
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(font_.Color())));
        SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(color_)));
        message.Result = reinterpret_cast<LRESULT>(ColorBrush());
        return;
    }
    case CM_FOCUSCHANGED:
        // Every control hears which control now has the focus.
        for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(CM_FOCUSCHANGED, message.WParam, message.LParam);
        TControl::WndProc(message);
        return;
    case WM_SYSCHAR:
        // Alt+letter: the form offers it to its controls (button accelerators).
        if (TForm* form = ParentForm()) {
            if (form->Perform(CM_DIALOGCHAR, message.WParam, message.LParam) != 0) {
                message.Result = 0;
                return;
            }
        }
        break;
    case CM_DIALOGCHAR:
        for (TControl* c : std::vector<TControl*>(controls_)) {
            message.Result = c->Perform(CM_DIALOGCHAR, message.WParam, message.LParam);
            if (message.Result) return;
        }
        return;
    case WM_KEYUP:
        if (OnKeyUp) {
            WORD key = static_cast<WORD>(message.WParam);
            OnKeyUp(this, key, KeyboardShiftState());
            if (key == 0) return;
        }
        break;
    case WM_CHAR:
        if (OnKeyPress) {
            auto ch = static_cast<wchar_t>(message.WParam);
            OnKeyPress(this, ch);
            if (ch == 0) return;
            message.WParam = ch;
        }
        break;
    case CM_DIALOGKEY:
        // Offer the key to every child until one takes it.
        for (TControl* c : std::vector<TControl*>(controls_)) {
            message.Result = c->Perform(CM_DIALOGKEY, message.WParam, message.LParam);
            if (message.Result) return;
        }
        return;
    case CM_ENABLEDCHANGED:
    case CM_VISIBLECHANGED:
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
    case CM_TEXTCHANGED:
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
    case CM_RECREATEWND:
        TControl::WndProc(message);
        return;
    }
    TControl::WndProc(message);
}

void TWinControl::DefaultHandler(TMessage& message) {
    // The toolkit's own ranges never reach the system procedure.
    bool toolkitMessage = message.Msg >= CM_BASE && message.Msg < 0xC000;
    if (handle_ && !toolkitMessage) {
        message.Result = CallWindowProcW(defWndProc_ ? defWndProc_ : DefWindowProcW, handle_, message.Msg,
                                         message.WParam, message.LParam);
        return;
    }
    if (!handle_) TControl::DefaultHandler(message);
}
