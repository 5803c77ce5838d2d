#include "toolkit/ScrollBar.h"

#include <algorithm>

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
    tabStop_ = true;
    width_ = 121;
    height_ = GetSystemMetrics(SM_CYHSCROLL);
}

void TScrollBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = L"SCROLLBAR";
    params.Style |= kind_ == sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::CreateWindowHandleDone() { ShowParams(); }

void TScrollBar::ShowParams() {
    if (!HandleAllocated()) return;
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS, min_, max_, 0, position_, 0};
    SetScrollInfo(handle_, SB_CTL, &info, TRUE);
}

void TScrollBar::SetKind(TScrollBarKind kind) {
    if (kind == kind_) return;
    kind_ = kind;
    // A vertical bar stands on its end: width and height trade places.
    if (!IsLoading()) SetBounds(left_, top_, height_, width_);
    if (HandleAllocated()) RecreateWnd();
}

void TScrollBar::SetParams(int position, int min, int max) {
    if (IsLoading()) {
        // Min, Max and Position come one by one; they are checked once all are read.
        position_ = position, min_ = min, max_ = max;
        return;
    }
    if (max < min) max = min;
    position = std::clamp(position, min, max);
    bool changed = position != position_;
    position_ = position, min_ = min, max_ = max;
    ShowParams();
    if (changed && OnChange) OnChange(this);
}

void TScrollBar::Loaded() {
    TWinControl::Loaded();
    // Loading runs no OnChange.
    max_ = std::max(max_, min_);
    position_ = std::clamp(position_, min_, max_);
    ShowParams();
}

void TScrollBar::Scroll(WORD code) {
    int position = position_;
    TScrollCode scrollCode = scEndScroll;
    switch (code) {
    case SB_LINEUP: scrollCode = scLineUp, position -= smallChange_; break;
    case SB_LINEDOWN: scrollCode = scLineDown, position += smallChange_; break;
    case SB_PAGEUP: scrollCode = scPageUp, position -= largeChange_; break;
    case SB_PAGEDOWN: scrollCode = scPageDown, position += largeChange_; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        // The 32-bit position: the message itself carries only 16 bits.
        SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(handle_, SB_CTL, &info);
        scrollCode = code == SB_THUMBPOSITION ? scPosition : scTrack;
        position = info.nTrackPos;
        break;
    }
    case SB_TOP: scrollCode = scTop, position = min_; break;
    case SB_BOTTOM: scrollCode = scBottom, position = max_; break;
    case SB_ENDSCROLL: break;
    default: return;
    }
    position = std::clamp(position, min_, max_);
    if (OnScroll) OnScroll(this, scrollCode, position);
    SetPosition(position);
}

void TScrollBar::WndProc(TMessage& message) {
    if (message.Msg == CN_HSCROLL || message.Msg == CN_VSCROLL) {
        Scroll(LOWORD(message.WParam));
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}
