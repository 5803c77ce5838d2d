#include "toolkit/ProgressBar.h"

#include <commctrl.h>

#include <algorithm>

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 150;
    height_ = 16;
}

void TProgressBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = PROGRESS_CLASSW;
    if (smooth_) params.Style |= PBS_SMOOTH;
    if (orientation_ == pbVertical) params.Style |= PBS_VERTICAL;
}

void TProgressBar::CreateWindowHandleDone() { ShowRange(); }

void TProgressBar::ShowRange() {
    if (!HandleAllocated()) return;
    SendMessageW(handle_, PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
    SendMessageW(handle_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::SetMin(int value) {
    min_ = value;
    if (IsLoading()) return;
    max_ = std::max(max_, min_);
    position_ = std::clamp(position_, min_, max_);
    ShowRange();
}

void TProgressBar::SetMax(int value) {
    max_ = value;
    if (IsLoading()) return;
    min_ = std::min(max_, min_);
    position_ = std::clamp(position_, min_, max_);
    ShowRange();
}

int TProgressBar::Position() {
    if (HandleAllocated()) position_ = static_cast<int>(SendMessageW(handle_, PBM_GETPOS, 0, 0));
    return position_;
}

void TProgressBar::SetPosition(int value) {
    position_ = IsLoading() ? value : std::clamp(value, min_, max_);
    if (HandleAllocated()) SendMessageW(handle_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::Loaded() {
    TWinControl::Loaded();
    max_ = std::max(max_, min_);
    position_ = std::clamp(position_, min_, max_);
    ShowRange();
}

void TProgressBar::SetOrientation(TProgressBarOrientation value) {
    if (value == orientation_) return;
    orientation_ = value;
    ApplyStyle(value == pbVertical ? PBS_VERTICAL : 0, value == pbVertical ? 0 : PBS_VERTICAL);
    Invalidate();
}

void TProgressBar::SetSmooth(bool value) {
    if (value == smooth_) return;
    smooth_ = value;
    ApplyStyle(value ? PBS_SMOOTH : 0, value ? 0 : PBS_SMOOTH);
    Invalidate();
}
