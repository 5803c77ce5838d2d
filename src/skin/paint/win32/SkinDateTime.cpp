#include "skin/paint/win32/SkinDateTime.h"

#include <windowsx.h>
#include <commctrl.h>

#include "skin/paint/core/ComboGeometry.h"
#include "skin/paint/win32/EditSkinDraw.h"
#include "skin/paint/win32/SkinPrimitives.h"
#include "toolkit/Messages.h"

namespace relayon::skin {

// ---- TArrowButton ----

TArrowButton::TArrowButton(TComponent* AOwner) : TCustomControl(AOwner) { cw = GetSystemMetrics(SM_CXHSCROLL); }

TArrowButton::~TArrowButton() {
    if (control) RemoveFreeNotification(control);
}

void TArrowButton::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component == control) {
        control = nullptr;
        hwnd = nullptr;
    }
}

void TArrowButton::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    // The picker keeps the focus; the button never takes it.
    params.Style |= WS_CLIPSIBLINGS;
}

void TArrowButton::Attach(TSkinDateTime* aobj, TWinControl* acontrol) {
    obj = aobj;
    control = acontrol;
    if (!control) return;
    FreeNotification(control);
    hwnd = control->Handle();
    SetParent(control);
    RECT wr{};
    GetWindowRect(hwnd, &wr);
    MoveArrow(RECT{0, 0, wr.right - wr.left, wr.bottom - wr.top});
    // The picker's own painting leaves the button alone.
    SetWindowLongW(hwnd, GWL_STYLE, GetWindowLongW(hwnd, GWL_STYLE) | WS_CLIPCHILDREN);
}

void TArrowButton::MoveArrow(const RECT&) {
    HWND picker = PickerWindow();
    if (!picker) return;
    RECT cr{};
    GetClientRect(picker, &cr);
    const bool left = (GetWindowLongW(picker, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    const paint::Box b = paint::ArrowButtonBox(cr.right, cr.bottom, cw, left);
    if (Left() != b.left || Top() != b.top || Width() != b.Width() || Height() != b.Height())
        SetBounds(b.left, b.top, b.Width(), b.Height());
}

HWND TArrowButton::PickerWindow() const {
    if (!control || control->IsDestroying() || !control->HandleAllocated()) return nullptr;
    HWND h = const_cast<TWinControl*>(control)->Handle();
    return IsWindow(h) ? h : nullptr;
}

bool TArrowButton::PickerUsable() const {
    HWND h = PickerWindow();
    return h && IsWindowEnabled(h) && obj && obj->skinned;
}

void TArrowButton::SetHot(bool hot) {
    const int next = hot ? (state | 1) : (state & ~1);
    if (next == state) return;
    state = next;
    Invalidate();
}

void TArrowButton::WMLButtonDown(TMessage& message) {
    TCustomControl::WndProc(message);
    HWND picker = PickerWindow();
    if (!PickerUsable() || !HandleAllocated()) return;
    // The press lands on the picker's own button, under this window.
    const int x = GET_X_LPARAM(message.LParam) + Left(), y = GET_Y_LPARAM(message.LParam) + Top();
    const LPARAM at = MAKELPARAM(x, y);
    PostMessageW(picker, WM_LBUTTONDOWN, message.WParam, at);
    PostMessageW(picker, WM_LBUTTONUP, message.WParam & ~static_cast<WPARAM>(MK_LBUTTON), at);
    Invalidate();
}

void TArrowButton::WMLButtonUp(TMessage& message) {
    TCustomControl::WndProc(message);
    if (!PickerUsable()) return;
    HWND picker = PickerWindow();
    const HWND focus = GetFocus();
    // The calendar the press opened holds the focus (it belongs to the
    // picker); focusing the picker then would close it again at once.
    const HWND calendar = reinterpret_cast<HWND>(SendMessageW(picker, DTM_GETMONTHCAL, 0, 0));
    if (focus == picker || (calendar && focus && (focus == calendar || IsChild(calendar, focus)))) return;
    ::SetFocus(picker);
}

void TArrowButton::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: WMLButtonDown(message); return;
    case WM_LBUTTONUP: WMLButtonUp(message); return;
    case CM_MOUSEENTER:
        TCustomControl::WndProc(message);
        if (PickerUsable()) SetHot(true);
        return;
    case CM_MOUSELEAVE:
        TCustomControl::WndProc(message);
        SetHot(false);
        return;
    case WM_ERASEBKGND: message.Result = 1; return;
    default: TCustomControl::WndProc(message);
    }
}

void TArrowButton::Paint(HDC dc) {
    if (!dc) return;
    TSkinData* sd = obj ? obj->fsd : nullptr;
    const RECT all{0, 0, Width(), Height()};
    FillColor(dc, all, SchemeColor(sd, csButtonFace));
    TDataSkinObject* arrowPic = sd ? sd->comboxarrow.get() : nullptr;
    if (!HasSkinImage(arrowPic)) return;
    HWND picker = PickerWindow();
    const bool enabled = picker && IsWindowEnabled(picker);
    const int d = paint::ComboFrame({.hot = (state & 1) != 0, .enabled = enabled}, arrowPic->frame);
    if (d > 0) DrawRect1(dc, all, *arrowPic->Map, d, arrowPic->frame, true);
}

// ---- TSkinDateTime ----

TSkinDateTime::TSkinDateTime(TComponent* AOwner) : TSkinControl(AOwner) {}

TSkinDateTime::~TSkinDateTime() {
    // Owned: the component destructor frees the button and its window.
    if (arrow) RemoveFreeNotification(arrow);
}

void TSkinDateTime::Notification(TComponent* component, TOperation operation) {
    TSkinControl::Notification(component, operation);
    if (operation == opRemove && component == arrow) arrow = nullptr;
}

void TSkinDateTime::Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) {
    if (Inited) return;
    TSkinControl::Init(sf, sd, acanvas, acolor);
    if (!Inited || !control) return;
    arrow = new TArrowButton(this);
    FreeNotification(arrow);
    arrow->Attach(this, control);
}

void TSkinDateTime::DropArrow() {
    TArrowButton* a = arrow;
    arrow = nullptr;
    if (!a) return;
    RemoveFreeNotification(a);
    delete a;  // leaves the picker's children and destroys its window
}

void TSkinDateTime::Unsubclass() {
    if (!skinned) return;
    TSkinControl::Unsubclass();
    // The picker draws its own button again: nothing may cover it now.
    DropArrow();
    if (!WindowGone() && hwnd && IsWindow(hwnd)) InvalidateRect(hwnd, nullptr, TRUE);
}

void TSkinDateTime::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
    case WM_STYLECHANGED:
        if (arrow) {
            arrow->MoveArrow(RECT{});
            arrow->Invalidate();
        }
        break;
    default: break;
    }
    TSkinControl::AfterProc(Message);
}

void TSkinDateTime::DrawControl(HDC dc, const RECT& rc) {
    if (arrow) arrow->MoveArrow(rc);
    if (!dc || !WindowHasBorder(hwnd)) return;
    DrawSunkenFrame(dc, RECT{0, 0, rc.right - rc.left, rc.bottom - rc.top}, SchemeColor(fsd, csButtonShadow), 1);
}

}  // namespace relayon::skin
