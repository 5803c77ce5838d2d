#include "toolkit/SpeedButton.h"

#include <algorithm>

#include "toolkit/WinControl.h"

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
    width_ = 23;
    height_ = 22;
    glyph_.OnChange = TNotifyEvent(this, &TSpeedButton::GlyphChanged);
}

void TSpeedButton::GlyphChanged(TObject*) { Invalidate(); }

void TSpeedButton::Loaded() {
    TGraphicControl::Loaded();
    if (groupIndex_ == 0) down_ = false;
}

void TSpeedButton::SetDown(bool value) {
    if (IsLoading()) {
        down_ = value;  // GroupIndex may follow in a form resource
        return;
    }
    // A button outside any group never stays down.
    if (groupIndex_ == 0) value = false;
    if (value == down_) return;
    if (!value && !allowAllUp_) {
        // The last down button of a group stays down unless all may be up.
        bool otherDown = false;
        if (TWinControl* parent = Parent())
            for (int i = 0; i < parent->ControlCount(); ++i) {
                auto* b = dynamic_cast<TSpeedButton*>(parent->Controls(i));
                if (b && b != this && b->groupIndex_ == groupIndex_ && b->down_) otherDown = true;
            }
        if (!otherDown) return;
    }
    down_ = value;
    if (value)
        if (TWinControl* parent = Parent())
            for (int i = 0; i < parent->ControlCount(); ++i) {
                auto* b = dynamic_cast<TSpeedButton*>(parent->Controls(i));
                if (b && b != this && b->groupIndex_ == groupIndex_ && b->down_) {
                    b->down_ = false;
                    b->Invalidate();
                }
            }
    Invalidate();
}

void TSpeedButton::SetFlat(bool value) {
    flat_ = value;
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(int value) {
    numGlyphs_ = std::clamp(value, 1, 4);
    Invalidate();
}

void TSpeedButton::Click() {
    if (groupIndex_ != 0) {
        if (!down_) SetDown(true);
        else if (allowAllUp_) SetDown(false);
    }
    TGraphicControl::Click();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && Enabled()) {
        pressed_ = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && pressed_) {
        pressed_ = false;
        Invalidate();
    }
    TGraphicControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::Paint(HDC dc) {
    RECT r{0, 0, Width(), Height()};
    bool sunken = down_ || pressed_;
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (sunken) DrawEdge(dc, &r, flat_ ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
    else if (!flat_) DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
    int shift = sunken ? 1 : 0;
    int glyphHeight = 0;
    if (!glyph_.Empty()) {
        int w = glyph_.Width() / numGlyphs_;
        int image = sunken && numGlyphs_ >= 3 ? 2 : (!Enabled() && numGlyphs_ >= 2 ? 1 : 0);
        glyphHeight = glyph_.Height();
        std::wstring caption = Caption();
        int top = caption.empty() ? (Height() - glyphHeight) / 2 : 3;
        BitBlt(dc, (Width() - w) / 2 + shift, top + shift, w, glyphHeight, glyph_.Canvas().Handle(), image * w, 0, SRCCOPY);
        glyphHeight += top;
    }
    std::wstring caption = Caption();
    if (!caption.empty()) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        RECT text{shift, glyphHeight + shift, Width() + shift, Height() + shift};
        DrawTextW(dc, caption.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}
