#include "toolkit/Control.h"

#include <windowsx.h>

#include <algorithm>
#include <stdexcept>

#include "toolkit/Form.h"
#include "toolkit/Menus.h"
#include "toolkit/WinControl.h"

TShiftState MouseShiftState(WPARAM keys) {
    TShiftState s;
    if (keys & MK_SHIFT) s.Include(ssShift);
    if (keys & MK_CONTROL) s.Include(ssCtrl);
    if (keys & MK_LBUTTON) s.Include(ssLeft);
    if (keys & MK_RBUTTON) s.Include(ssRight);
    if (keys & MK_MBUTTON) s.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

TShiftState KeyboardShiftState() {
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
    WindowProc = TWndMethod(this, &TControl::WndProc);
    font_.OnChange = TNotifyEvent(this, &TControl::FontOnChange);
}

TControl::~TControl() {
    SetDestroying();
    if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent == static_cast<TControl*>(this)) throw std::invalid_argument("A control cannot be its own parent");
    if (parent_) parent_->RemoveControl(this);
    if (parent) {
        parent->InsertControl(this);
        if (parentFont_) {
            updatingParentFont_ = true;
            font_.Assign(parent->Font());
            updatingParentFont_ = false;
            FontChanged();
        }
        if (parentColor_) color_ = parent->Color();
    }
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    bool changed = left != left_ || top != top_ || width != width_ || height != height_;
    if (!changed) return;
    if (parent_ && visible_) parent_->InvalidateRect(BoundsRect());
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    BoundsChanged();
    if (parent_ && visible_) parent_->InvalidateRect(BoundsRect());
}

RECT TControl::ClientRect() { return RECT{0, 0, width_, height_}; }

void TControl::SetClientSize(int width, int height) {
    RECT r = ClientRect();
    SetBounds(left_, top_, width_ + (width - r.right), height_ + (height - r.bottom));
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    VisibleChanged();
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0, 0);
}

void TControl::VisibleChanged() {
    if (parent_) parent_->InvalidateRect(BoundsRect());
}

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_) return false;
    return true;
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Perform(CM_ENABLEDCHANGED, 0, 0);
    Invalidate();
}

std::wstring TControl::GetText() { return text_; }

void TControl::SetText(const std::wstring& text) {
    if (text == text_) return;
    text_ = text;
    TextChanged();
    Perform(CM_TEXTCHANGED, 0, 0);
    Invalidate();
}

void TControl::FontOnChange(TObject*) {
    if (!updatingParentFont_) parentFont_ = false;
    FontChanged();
}

void TControl::FontChanged() {
    Perform(CM_FONTCHANGED, 0, 0);
    Invalidate();
}

void TControl::SetParentFont(bool value) {
    parentFont_ = value;
    if (value && parent_) {
        updatingParentFont_ = true;
        font_.Assign(parent_->Font());
        updatingParentFont_ = false;
        FontChanged();
    }
}

void TControl::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    parentColor_ = false;
    ColorChanged();
}

void TControl::ColorChanged() {
    Perform(CM_COLORCHANGED, 0, 0);
    Invalidate();
}

void TControl::SetParentColor(bool value) {
    parentColor_ = value;
    if (value && parent_) {
        color_ = parent_->Color();
        ColorChanged();
    }
}

void TControl::SetBiDiMode(TBiDiMode mode) { biDiMode_ = mode; }

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    if (WindowProc)
        WindowProc(m);
    else
        WndProc(m);
    return m.Result;
}

void TControl::MouseMessage(TMessage& message) {
    int x = GET_X_LPARAM(message.LParam), y = GET_Y_LPARAM(message.LParam);
    TShiftState shift = MouseShiftState(message.WParam);
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        mouseCaptured_ = true;
        if (message.Msg == WM_LBUTTONDBLCLK) shift.Include(ssDouble);
        MouseDown(mbLeft, shift, x, y);
        break;
    case WM_RBUTTONDOWN:
        MouseDown(mbRight, shift, x, y);
        break;
    case WM_MBUTTONDOWN:
        MouseDown(mbMiddle, shift, x, y);
        break;
    case WM_LBUTTONUP:
        MouseUp(mbLeft, shift, x, y);
        break;
    case WM_RBUTTONUP:
        MouseUp(mbRight, shift, x, y);
        break;
    case WM_MBUTTONUP:
        MouseUp(mbMiddle, shift, x, y);
        break;
    case WM_MOUSEMOVE:
        MouseMove(shift, x, y);
        break;
    }
}

void TControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
        MouseMessage(message);
        break;
    case CM_MOUSEENTER:
        mouseInside_ = true;
        break;
    case CM_MOUSELEAVE:
        mouseInside_ = false;
        break;
    }
    Dispatch(message);
}

void TControl::Dispatch(TMessage& message) { DefaultHandler(message); }

// A control without a window answers the text messages from its own caption.
void TControl::DefaultHandler(TMessage& message) {
    switch (message.Msg) {
    case WM_GETTEXTLENGTH:
        message.Result = static_cast<LRESULT>(text_.size());
        break;
    case WM_GETTEXT:
        if (message.WParam > 0 && message.LParam) {
            size_t n = std::min<size_t>(text_.size(), message.WParam - 1);
            auto* out = reinterpret_cast<wchar_t*>(message.LParam);
            text_.copy(out, n);
            out[n] = L'\0';
            message.Result = static_cast<LRESULT>(n);
        }
        break;
    case WM_SETTEXT:
        SetText(message.LParam ? reinterpret_cast<const wchar_t*>(message.LParam) : L"");
        message.Result = TRUE;
        break;
    default:
        break;
    }
}

void TControl::Invalidate() {
    if (parent_ && visible_) parent_->InvalidateRect(BoundsRect());
}

void TControl::Update() {
    if (parent_) parent_->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
    if (button == mbLeft && mouseCaptured_) {
        mouseCaptured_ = false;
        RECT r = ClientRect();
        POINT p{x, y};
        if (ClicksOnMouseUp() && PtInRect(&r, p)) Click();
    }
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
    if (menu == popupMenu_) return;
    if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = menu;
    if (menu) menu->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == popupMenu_) popupMenu_ = nullptr;
}

TForm* TControl::ParentForm() const {
    const TControl* c = this;
    while (c->parent_) c = c->parent_;
    return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

POINT TControl::ClientToScreen(POINT p) {
    if (!parent_) return p;
    p.x += left_;
    p.y += top_;
    return parent_->ClientToScreen(p);
}

POINT TControl::ScreenToClient(POINT p) {
    if (!parent_) return p;
    p = parent_->ScreenToClient(p);
    p.x -= left_;
    p.y -= top_;
    return p;
}
