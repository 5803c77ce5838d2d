#include "toolkit/TrackBar.h"

#include <commctrl.h>

#include <algorithm>

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner) {
    tabStop_ = true;
    width_ = 150;
    height_ = 45;
}

void TTrackBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = TRACKBAR_CLASSW;
    params.Style |= TBS_AUTOTICKS | (orientation_ == trVertical ? TBS_VERT : TBS_HORZ);
}

void TTrackBar::CreateWindowHandleDone() { ShowParams(); }

void TTrackBar::ShowParams() {
    if (!HandleAllocated()) return;
    SendMessageW(handle_, TBM_SETRANGEMIN, FALSE, min_);
    SendMessageW(handle_, TBM_SETRANGEMAX, FALSE, max_);
    SendMessageW(handle_, TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
    SendMessageW(handle_, TBM_SETPOS, TRUE, position_);
}

void TTrackBar::Changed() {
    if (OnChange && !IsLoading()) OnChange(this);
}

void TTrackBar::SetMin(int value) {
    min_ = value;
    if (IsLoading()) return;
    max_ = std::max(max_, min_);
    SetPosition(position_);
    ShowParams();
}

void TTrackBar::SetMax(int value) {
    max_ = value;
    if (IsLoading()) return;
    min_ = std::min(min_, max_);
    SetPosition(position_);
    ShowParams();
}

void TTrackBar::SetPosition(int value) {
    if (!IsLoading()) value = std::clamp(value, min_, max_);
    if (value == position_) return;
    position_ = value;
    if (HandleAllocated()) SendMessageW(handle_, TBM_SETPOS, TRUE, position_);
    Changed();
}

void TTrackBar::Loaded() {
    TWinControl::Loaded();
    max_ = std::max(max_, min_);
    position_ = std::clamp(position_, min_, max_);
    ShowParams();
}

void TTrackBar::SetFrequency(int value) {
    frequency_ = std::max(value, 1);
    if (HandleAllocated()) SendMessageW(handle_, TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
}

void TTrackBar::SetOrientation(TTrackBarOrientation value) {
    if (value == orientation_) return;
    orientation_ = value;
    // Standing on its end: width and height trade places.
    if (!IsLoading()) SetBounds(left_, top_, height_, width_);
    if (HandleAllocated()) RecreateWnd();
}

void TTrackBar::WndProc(TMessage& message) {
    if (message.Msg == CN_HSCROLL || message.Msg == CN_VSCROLL) {
        // The thumb already moved; take its place and tell about it.
        int position = static_cast<int>(SendMessageW(handle_, TBM_GETPOS, 0, 0));
        if (position != position_) {
            position_ = position;
            Changed();
        }
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}
