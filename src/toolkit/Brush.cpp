#include "toolkit/Brush.h"

#include "toolkit/Bitmap.h"

void TBrush::Changed() {
    if (OnChange) OnChange(this);
    handle_.reset();
}

void TBrush::SetColor(TColor color) {
    const TBrushStyle style = color == clNone ? bsClear : (style_ == bsClear ? bsSolid : style_);
    if (color == color_ && style == style_) return;
    color_ = color;
    style_ = style;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TBrush::SetBitmap(TBitmap* bitmap) {
    bitmap_ = bitmap;
    Changed();
}

HBRUSH TBrush::Handle() const {
    if (style_ == bsClear && !bitmap_) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    if (!handle_) {
        const COLORREF rgb = static_cast<COLORREF>(ColorToRGB(color_));
        if (bitmap_ && !bitmap_->Empty()) {
            handle_.reset(CreatePatternBrush(bitmap_->Handle()));
        } else if (style_ == bsSolid || style_ == bsClear) {
            handle_.reset(CreateSolidBrush(rgb));
        } else {
            static const int kHatches[] = {0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
            handle_.reset(CreateHatchBrush(kHatches[style_], rgb));
        }
    }
    return handle_.get();
}

void TBrush::Assign(const TBrush& source) {
    if (&source == this) return;
    color_ = source.color_;
    style_ = source.style_;
    bitmap_ = source.bitmap_;
    Changed();
}

GdiObject<HBRUSH> CreateDitherBrush(TColor first, TColor second) {
    TBitmap pattern;
    pattern.SetPixelFormat(pf24bit);
    pattern.SetSize(8, 8);
    const TColor a = ColorToRGB(first), b = ColorToRGB(second);
    for (int y = 0; y < 8; ++y) {
        auto* row = static_cast<uint8_t*>(pattern.ScanLine(y));
        for (int x = 0; x < 8; ++x) {
            const TColor c = ((x + y) % 2) ? b : a;
            row[3 * x] = uint8_t(GetBValue8(c));
            row[3 * x + 1] = uint8_t(GetGValue8(c));
            row[3 * x + 2] = uint8_t(GetRValue8(c));
        }
    }
    return GdiObject<HBRUSH>(CreatePatternBrush(pattern.Handle()));
}
