// MDI forms: a fsMDIForm holds an "MDICLIENT" window whose children are the
// fsMDIChild forms. The frame's unhandled messages go to DefFrameProc, a
// child's to DefMDIChildProc, so the system does the MDI work (activation,
// maximised children in the frame's menu bar, the window list).
#include <stdexcept>

#include "toolkit/Application.h"
#include "toolkit/ControlAtom.h"
#include "toolkit/Form.h"
#include "toolkit/Menus.h"
#include "toolkit/ModuleInstance.h"

namespace {
// Commands of the window list's entries start here.
constexpr UINT kFirstMDIChildCommand = 0xFF00;
}  // namespace

bool TForm::IsMDIChildWindow() const {
    return handle_ && (GetWindowLongPtrW(handle_, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
}

void TForm::CreateMDIClient() {
    if (formStyle_ != fsMDIForm || clientHandle_ || !handle_) return;
    CLIENTCREATESTRUCT ccs{windowMenu_ ? windowMenu_->Handle() : nullptr, kFirstMDIChildCommand};
    RECT r;
    GetClientRect(handle_, &r);
    clientHandle_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL,
                                    0, 0, r.right, r.bottom, handle_, nullptr, ModuleInstance(), &ccs);
    if (!clientHandle_) throw std::runtime_error("Cannot create the MDI client window");
}

HWND TForm::CreateWindowHandle(const TCreateParams& params) {
    if (formStyle_ != fsMDIChild) return TCustomControl::CreateWindowHandle(params);
    if (!params.WndParent) throw std::runtime_error("Cannot create an MDI child form: no MDI form is active");
    MDICREATESTRUCTW mcs{};
    mcs.szClass = params.WinClassName.c_str();
    mcs.szTitle = params.Caption.c_str();
    mcs.hOwner = ModuleInstance();
    mcs.x = params.X;
    mcs.y = params.Y;
    mcs.cx = params.Width;
    mcs.cy = params.Height;
    mcs.style = params.Style;
    return reinterpret_cast<HWND>(SendMessageW(params.WndParent, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
}

void TForm::DefaultHandler(TMessage& message) {
    bool toolkitMessage = message.Msg >= CM_BASE && message.Msg < 0xC000;
    if (handle_ && !toolkitMessage) {
        if (clientHandle_) {
            message.Result = DefFrameProcW(handle_, clientHandle_, message.Msg, message.WParam, message.LParam);
            return;
        }
        if (formStyle_ == fsMDIChild && IsMDIChildWindow()) {
            message.Result = DefMDIChildProcW(handle_, message.Msg, message.WParam, message.LParam);
            return;
        }
    }
    TCustomControl::DefaultHandler(message);
}

void TForm::Tile() {
    if (clientHandle_)
        SendMessageW(clientHandle_, WM_MDITILE, tileMode_ == tbHorizontal ? MDITILE_HORIZONTAL : MDITILE_VERTICAL, 0);
}

void TForm::Cascade() {
    if (clientHandle_) SendMessageW(clientHandle_, WM_MDICASCADE, 0, 0);
}

void TForm::ArrangeIcons() {
    if (clientHandle_) SendMessageW(clientHandle_, WM_MDIICONARRANGE, 0, 0);
}

void TForm::Next() {
    if (clientHandle_) SendMessageW(clientHandle_, WM_MDINEXT, 0, 0);
}

void TForm::Previous() {
    if (clientHandle_) SendMessageW(clientHandle_, WM_MDINEXT, 0, 1);
}

TForm* TForm::ActiveMDIChild() const {
    if (!clientHandle_) return nullptr;
    auto active = reinterpret_cast<HWND>(SendMessageW(clientHandle_, WM_MDIGETACTIVE, 0, 0));
    return active ? dynamic_cast<TForm*>(FindControl(active)) : nullptr;
}

int TForm::MDIChildCount() const {
    int count = 0;
    if (clientHandle_)
        for (HWND h = GetWindow(clientHandle_, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
            if (dynamic_cast<TForm*>(FindControl(h))) ++count;
    return count;
}

// Children in the client's z-order: the active one first.
TForm* TForm::MDIChildren(int index) const {
    if (clientHandle_)
        for (HWND h = GetWindow(clientHandle_, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
            if (auto* form = dynamic_cast<TForm*>(FindControl(h)); form && index-- == 0) return form;
    throw std::out_of_range("MDI child index out of range");
}
