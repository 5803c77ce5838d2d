#pragma once
// The brush of a canvas: colour and style (solid, clear, hatched) or a
// pattern bitmap, plus the GDI brush made from them on demand. A change
// first fires OnChange (a canvas then puts the brush down) and then drops
// the old handle, so a selected brush is never deleted.
#include <windows.h>

#include "toolkit/Color.h"
#include "toolkit/core/Events.h"
#include "toolkit/GdiObject.h"
#include "toolkit/core/Object.h"

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBitmap;

class TBrush : public TObject {
public:
    TColor Color() const { return color_; }
    // A colour makes a clear brush solid again; clNone makes it clear.
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);
    // A pattern brush from the bitmap's current pixels (copied when the handle
    // is made); nullptr goes back to colour and style. Not owned.
    TBitmap* Bitmap() const { return bitmap_; }
    void SetBitmap(TBitmap* bitmap);

    // The GDI brush; created on first use. A clear brush is the stock null
    // brush, which is never deleted.
    HBRUSH Handle() const;
    void Assign(const TBrush& source);

    TNotifyEvent OnChange;

private:
    void Changed();

    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    TBitmap* bitmap_ = nullptr;
    mutable GdiObject<HBRUSH> handle_;
};

// A brush whose 8 x 8 pattern alternates two colours pixel by pixel, as used
// for checked menu images and dithered backgrounds.
GdiObject<HBRUSH> CreateDitherBrush(TColor first, TColor second);
