#include "toolkit/MediaPlayer.h"

#include <windowsx.h>

#include <array>

namespace {
TMPBtnType ButtonOf(int i) { return static_cast<TMPBtnType>(i); }
}  // namespace

TMediaPlayer::TMediaPlayer(TComponent* AOwner) : TCustomControl(AOwner) {
    tabStop_ = true;
    width_ = 253;
    height_ = 30;
}

void TMediaPlayer::SetVisibleButtons(TButtonSet buttons) {
    visible_ = buttons;
    pressed_ = -1;
    Invalidate();
}
void TMediaPlayer::SetEnabledButtons(TButtonSet buttons) {
    enabled_ = buttons;
    Invalidate();
}
void TMediaPlayer::SetColoredButtons(TButtonSet buttons) {
    colored_ = buttons;
    Invalidate();
}

const wchar_t* TMediaPlayer::ButtonName(TMPBtnType button) {
    static const std::array<const wchar_t*, kButtonCount> names{L"MPPLAY", L"MPPAUSE", L"MPSTOP",  L"MPNEXT", L"MPPREV",
                                                               L"MPSTEP", L"MPBACK",  L"MPRECORD", L"MPEJECT"};
    return names[static_cast<size_t>(button)];
}

RECT TMediaPlayer::ButtonRect(TMPBtnType button) {
    RECT none{0, 0, 0, 0};
    if (!visible_.Contains(button)) return none;
    int count = 0, index = 0;
    for (int i = 0; i < kButtonCount; ++i) {
        if (!visible_.Contains(ButtonOf(i))) continue;
        if (ButtonOf(i) == button) index = count;
        ++count;
    }
    RECT client = ClientRect();
    int width = client.right / count;
    return RECT{index * width, 0, (index + 1) * width, client.bottom};
}

bool TMediaPlayer::ButtonAt(int x, int y, TMPBtnType& button) {
    POINT p{x, y};
    for (int i = 0; i < kButtonCount; ++i) {
        RECT r = ButtonRect(ButtonOf(i));
        if (PtInRect(&r, p)) {
            button = ButtonOf(i);
            return true;
        }
    }
    return false;
}

bool TMediaPlayer::Pressed(TMPBtnType& button) const {
    if (pressed_ < 0) return false;
    button = ButtonOf(pressed_);
    return true;
}

void TMediaPlayer::ClickButton(TMPBtnType button) {
    bool doDefault = true;
    if (OnClick) OnClick(this, button, doDefault);
}

void TMediaPlayer::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        TMPBtnType button;
        int x = GET_X_LPARAM(message.LParam), y = GET_Y_LPARAM(message.LParam);
        if (Enabled() && ButtonAt(x, y, button) && enabled_.Contains(button)) {
            pressed_ = static_cast<int>(button);
            pressedIn_ = true;
            // Capture only a press that really happened over this window: a
            // press forwarded by a window laid over the bar keeps the mouse
            // with that window, which forwards the release too.
            POINT cursor;
            if (HandleAllocated() && GetCursorPos(&cursor) && WindowFromPoint(cursor) == handle_) SetCapture(handle_);
            Invalidate();
        }
        break;
    }
    case WM_MOUSEMOVE:
        if (pressed_ >= 0) {
            TMPBtnType button;
            bool in = ButtonAt(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam), button) &&
                      static_cast<int>(button) == pressed_;
            if (in != pressedIn_) {
                pressedIn_ = in;
                Invalidate();
            }
        }
        break;
    case WM_LBUTTONUP:
        if (pressed_ >= 0) {
            int held = pressed_;
            pressed_ = -1;
            if (HandleAllocated() && GetCapture() == handle_) ReleaseCapture();
            Invalidate();
            TMPBtnType button;
            if (ButtonAt(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam), button) &&
                static_cast<int>(button) == held)
                ClickButton(button);
        }
        break;
    case WM_CAPTURECHANGED:
        // Only a press this window captured loses the mouse: it is cancelled.
        if (pressed_ >= 0) {
            pressed_ = -1;
            Invalidate();
        }
        break;
    }
    TCustomControl::WndProc(message);
}

void TMediaPlayer::Paint(HDC dc) {
    for (int i = 0; i < kButtonCount; ++i) {
        TMPBtnType button = ButtonOf(i);
        if (!visible_.Contains(button)) continue;
        RECT r = ButtonRect(button);
        bool down = pressed_ == i && pressedIn_;
        DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
        if (down) OffsetRect(&r, 1, 1);
        PaintGlyph(dc, button, r, Enabled() && enabled_.Contains(button));
    }
}

// Glyphs are drawn from a few triangles and bars centred in the button.
void TMediaPlayer::PaintGlyph(HDC dc, TMPBtnType button, const RECT& r, bool enabled) {
    COLORREF colour = RGB(0, 0, 0);
    if (!enabled) {
        colour = static_cast<COLORREF>(ColorToRGB(clGrayText));
    } else if (colored_.Contains(button)) {
        switch (button) {
        case TMPBtnType::btPlay: colour = RGB(0, 128, 0); break;
        case TMPBtnType::btPause: colour = RGB(160, 128, 0); break;
        case TMPBtnType::btStop:
        case TMPBtnType::btRecord: colour = RGB(192, 0, 0); break;
        default: colour = RGB(0, 0, 160); break;
        }
    }
    GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
    SelectGuard b(dc, brush.get());
    SelectGuard p(dc, pen.get());
    int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2, s = 4;
    auto triangle = [&](int x, int dir) {  // dir 1 points right, -1 left
        POINT pts[3] = {{x, cy - s}, {x, cy + s}, {x + dir * s, cy}};
        Polygon(dc, pts, 3);
    };
    auto bar = [&](int x) { Rectangle(dc, x, cy - s, x + 2, cy + s + 1); };
    switch (button) {
    case TMPBtnType::btPlay: triangle(cx - 2, 1); break;
    case TMPBtnType::btPause: bar(cx - 3), bar(cx + 1); break;
    case TMPBtnType::btStop: Rectangle(dc, cx - s, cy - s, cx + s, cy + s); break;
    case TMPBtnType::btNext: triangle(cx - 4, 1), bar(cx + 1); break;
    case TMPBtnType::btPrev: bar(cx - 3), triangle(cx + 4, -1); break;
    case TMPBtnType::btStep: triangle(cx - 4, 1), triangle(cx + 1, 1); break;
    case TMPBtnType::btBack: triangle(cx + 4, -1), triangle(cx - 1, -1); break;
    case TMPBtnType::btRecord: Ellipse(dc, cx - s, cy - s, cx + s + 1, cy + s + 1); break;
    case TMPBtnType::btEject: {
        POINT pts[3] = {{cx - s, cy}, {cx + s, cy}, {cx, cy - s}};
        Polygon(dc, pts, 3);
        Rectangle(dc, cx - s, cy + 2, cx + s + 1, cy + 4);
        break;
    }
    }
}
