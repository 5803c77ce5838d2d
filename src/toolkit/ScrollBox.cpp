#include "toolkit/ScrollBox.h"

#include <algorithm>

void TScrollBoxBar::SetVisible(bool v) {
    visible_ = v;
    box_.UpdateBars();
}

void TScrollBoxBar::SetRange(int r) {
    range_ = std::max(r, 0);
    box_.UpdateBars();
}

int TScrollBoxBar::ClientExtent() const {
    RECT rc = box_.ClientRect();
    return bar_ == SB_HORZ ? rc.right : rc.bottom;
}

bool TScrollBoxBar::IsScrollBarVisible() const {
    if (!box_.HandleAllocated()) return false;
    LONG_PTR style = GetWindowLongPtrW(box_.handle_, GWL_STYLE);
    return (style & (bar_ == SB_HORZ ? WS_HSCROLL : WS_VSCROLL)) != 0;
}

void TScrollBoxBar::SetPosition(int p) {
    // While loading, the range and the children are not known yet; the box
    // applies the position in Loaded.
    if (box_.IsLoading()) {
        position_ = std::max(p, 0);
        return;
    }
    p = std::clamp(p, 0, MaxPosition());
    if (p == position_) return;
    int delta = position_ - p;
    position_ = p;
    box_.ScrollBy(bar_ == SB_HORZ ? delta : 0, bar_ == SB_VERT ? delta : 0);
    if (box_.HandleAllocated()) SetScrollPos(box_.handle_, bar_, position_, TRUE);
}

void TScrollBoxBar::Scroll(WORD request) {
    switch (request) {
    case SB_LINEUP: SetPosition(position_ - increment_); break;
    case SB_LINEDOWN: SetPosition(position_ + increment_); break;
    case SB_PAGEUP: SetPosition(position_ - ClientExtent()); break;
    case SB_PAGEDOWN: SetPosition(position_ + ClientExtent()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        // The message carries only 16 bits of position; the bar has all 32.
        SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(box_.handle_, bar_, &info);
        SetPosition(info.nTrackPos);
        break;
    }
    case SB_TOP: SetPosition(0); break;
    case SB_BOTTOM: SetPosition(range_); break;
    }
}

void TScrollBoxBar::Show() {
    HWND h = box_.handle_;
    bool show = visible_ && range_ > ClientExtent();
    ShowScrollBar(h, bar_, show);
    if (show) {
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, range_ - 1,
                      static_cast<UINT>(ClientExtent()), position_, 0};
        SetScrollInfo(h, bar_, &si, TRUE);
    }
}

TScrollBox::TScrollBox(TComponent* AOwner) : TCustomControl(AOwner) {
    width_ = 185;
    height_ = 41;
}

void TScrollBox::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
    if (borderStyle_ == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::CreateWindowHandleDone() { Realign(); }

void TScrollBox::SetBorderStyle(TBorderStyle style) {
    style = style == bsNone ? bsNone : bsSingle;
    if (style == borderStyle_) return;
    borderStyle_ = style;
    ApplyExStyle(style == bsSingle ? WS_EX_CLIENTEDGE : 0, style == bsSingle ? 0 : WS_EX_CLIENTEDGE);
    UpdateBars();
}

void TScrollBox::SetAutoScroll(bool value) {
    autoScroll_ = value;
    Realign();
}

void TScrollBox::InsertControl(TControl* control) {
    TCustomControl::InsertControl(control);
    Realign();
}

void TScrollBox::RemoveControl(TControl* control) {
    TCustomControl::RemoveControl(control);
    if (!IsDestroying()) Realign();
}

void TScrollBox::Loaded() {
    TCustomControl::Loaded();
    // Positions read from the resource are applied to the finished contents.
    int x = horz_.position_, y = vert_.position_;
    horz_.position_ = vert_.position_ = 0;
    Realign();
    horz_.SetPosition(x);
    vert_.SetPosition(y);
}

void TScrollBox::Realign() {
    if (IsLoading()) return;
    if (autoScroll_) {
        // Children sit at their scrolled places; the content extent counts
        // from the unscrolled origin.
        int right = 0, bottom = 0;
        for (TControl* c : controls_) {
            if (!c->Visible()) continue;
            right = std::max(right, c->Left() + c->Width() + horz_.position_);
            bottom = std::max(bottom, c->Top() + c->Height() + vert_.position_);
        }
        horz_.range_ = right;
        vert_.range_ = bottom;
    }
    UpdateBars();
}

void TScrollBox::UpdateBars() {
    if (!HandleAllocated() || updating_ || IsLoading()) return;
    updating_ = true;
    // Showing one bar narrows the client area for the other: settle twice.
    for (int pass = 0; pass < 2; ++pass) {
        horz_.Show();
        vert_.Show();
    }
    // A view that no longer needs to be scrolled so far comes back.
    for (TScrollBoxBar* bar : {&horz_, &vert_}) {
        int limit = bar->IsScrollBarVisible() ? bar->MaxPosition() : 0;
        if (bar->position_ > limit) {
            int keep = bar->position_;
            bar->position_ = limit;
            ScrollBy(bar == &horz_ ? keep - limit : 0, bar == &vert_ ? keep - limit : 0);
            if (bar->IsScrollBarVisible()) SetScrollPos(handle_, bar->bar_, limit, TRUE);
        }
    }
    updating_ = false;
}

void TScrollBox::ScrollBy(int dx, int dy) {
    if (!dx && !dy) return;
    bool wasUpdating = updating_;
    updating_ = true;  // moving children must not re-measure the range
    for (TControl* c : std::vector<TControl*>(controls_)) c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
    updating_ = wasUpdating;
    Invalidate();
}

void TScrollBox::ScrollInView(TControl* control) {
    if (!control || control->Parent() != this) return;
    RECT rc = ClientRect();
    if (control->Left() < 0)
        horz_.SetPosition(horz_.position_ + control->Left());
    else if (control->Left() + control->Width() > rc.right)
        horz_.SetPosition(horz_.position_ + std::min<int>(control->Left(), control->Left() + control->Width() - rc.right));
    if (control->Top() < 0)
        vert_.SetPosition(vert_.position_ + control->Top());
    else if (control->Top() + control->Height() > rc.bottom)
        vert_.SetPosition(vert_.position_ + std::min<int>(control->Top(), control->Top() + control->Height() - rc.bottom));
}

void TScrollBox::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
        // The box's own bars (child scroll bars are reflected to themselves).
        if (message.LParam == 0) {
            (message.Msg == WM_HSCROLL ? horz_ : vert_).Scroll(LOWORD(message.WParam));
            message.Result = 0;
            return;
        }
        break;
    case WM_MOUSEWHEEL:
        if (vert_.IsScrollBarVisible()) {
            int notches = GET_WHEEL_DELTA_WPARAM(message.WParam) / WHEEL_DELTA;
            vert_.SetPosition(vert_.position_ - notches * 3 * vert_.increment_);
            message.Result = 0;
            return;
        }
        break;
    case WM_SIZE:
        TCustomControl::WndProc(message);
        UpdateBars();
        return;
    }
    TCustomControl::WndProc(message);
}
