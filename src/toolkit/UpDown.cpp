#include "toolkit/UpDown.h"

#include <commctrl.h>

#include <algorithm>

TUpDown::TUpDown(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 17;
    height_ = 21;
}

TUpDown::~TUpDown() {
    if (associate_) associate_->RemoveFreeNotification(this);
}

void TUpDown::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = UPDOWN_CLASSW;
    params.Style |= UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
    if (orientation_ == udHorizontal) params.Style |= UDS_HORZ;
}

void TUpDown::CreateWindowHandleDone() {
    // The buddy first: setting the position then writes it into the buddy's text.
    if (associate_) SendMessageW(handle_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(associate_->Handle()), 0);
    ShowParams();
}

void TUpDown::ShowParams() {
    if (!HandleAllocated()) return;
    SendMessageW(handle_, UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
    SendMessageW(handle_, UDM_SETPOS32, 0, position_);
}

void TUpDown::SetAssociate(TWinControl* control) {
    if (control == this) control = nullptr;
    if (associate_) associate_->RemoveFreeNotification(this);
    associate_ = control;
    if (associate_) associate_->FreeNotification(this);
    if (IsLoading() || !HandleAllocated()) return;
    // The system moves a buddy's neighbour only when the buddy is set: make a new window for a new buddy.
    RecreateWnd();
}

void TUpDown::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == associate_) {
        associate_ = nullptr;
        if (HandleAllocated()) SendMessageW(handle_, UDM_SETBUDDY, 0, 0);
    }
}

void TUpDown::SetMin(int value) {
    min_ = value;
    if (IsLoading()) return;
    max_ = std::max(max_, min_);
    position_ = std::clamp(Position(), min_, max_);
    ShowParams();
}

void TUpDown::SetMax(int value) {
    max_ = value;
    if (IsLoading()) return;
    min_ = std::min(min_, max_);
    position_ = std::clamp(Position(), min_, max_);
    ShowParams();
}

int TUpDown::Position() {
    if (HandleAllocated()) {
        BOOL failed = FALSE;
        int position = static_cast<int>(SendMessageW(handle_, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
        // Text typed into the associate that is no number leaves the last position.
        if (!failed) position_ = position;
    }
    return position_;
}

void TUpDown::SetPosition(int value) {
    position_ = IsLoading() ? value : std::clamp(value, min_, max_);
    if (HandleAllocated()) SendMessageW(handle_, UDM_SETPOS32, 0, position_);
}

void TUpDown::Loaded() {
    TWinControl::Loaded();
    max_ = std::max(max_, min_);
    position_ = std::clamp(position_, min_, max_);
    ShowParams();
}

void TUpDown::SetOrientation(TUDOrientation value) {
    if (value == orientation_) return;
    orientation_ = value;
    if (HandleAllocated()) RecreateWnd();
}

void TUpDown::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CN_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(message.LParam);
        if (header->code == UDN_DELTAPOS) {
            // Told before the position moves: the direction of the press.
            auto* delta = reinterpret_cast<NMUPDOWN*>(message.LParam);
            int from = delta->iPos;
            int to = std::clamp(from + delta->iDelta, min_, max_);
            if (to != from) {
                position_ = to;
                SendMessageW(handle_, UDM_SETPOS32, 0, to);
                if (OnClick) OnClick(this, delta->iDelta > 0 ? btNext : btPrev);
            }
            message.Result = 1;  // the position is set here already
            return;
        }
        break;
    }
    case CN_HSCROLL:
    case CN_VSCROLL: message.Result = 0; return;
    }
    TWinControl::WndProc(message);
}
