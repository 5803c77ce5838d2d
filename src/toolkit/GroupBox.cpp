#include "toolkit/GroupBox.h"

#include "toolkit/GdiObject.h"

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
    width_ = 185;
    height_ = 105;
}

void TGroupBox::Paint(HDC dc) {
    RECT client = ClientRect();
    SelectGuard font(dc, Font().Handle());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    std::wstring caption = GetText();
    RECT frame = client;
    frame.top += tm.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (!caption.empty()) {
        RECT text{8, 0, client.right - 8, tm.tmHeight};
        DrawTextW(dc, caption.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE | DT_LEFT);
        RECT back{text.left - 1, text.top, text.right + 1, text.bottom};
        FillRect(dc, &back, ColorBrush());
        SetBkMode(dc, TRANSPARENT);
        if (Enabled()) {
            SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Font().Color())));
            DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_LEFT);
        } else {
            RECT shifted = text;
            OffsetRect(&shifted, 1, 1);
            SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
            DrawTextW(dc, caption.c_str(), -1, &shifted, DT_SINGLELINE | DT_LEFT);
            SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
            DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_LEFT);
        }
    }
}

void TGroupBox::WndProc(TMessage& message) {
    if (message.Msg == CM_TEXTCHANGED || message.Msg == CM_FONTCHANGED) Invalidate();
    TCustomControl::WndProc(message);
}
