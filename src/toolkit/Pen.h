#pragma once
// The pen of a canvas: colour, width, line style and mix mode, plus the GDI
// pen made from them on demand. A change first fires OnChange (so that a
// canvas holding the pen selected can put it down) and then drops the old
// handle, so a selected pen is never deleted.
#include <windows.h>

#include "toolkit/Color.h"
#include "toolkit/core/Events.h"
#include "toolkit/GdiObject.h"
#include "toolkit/core/Object.h"

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
    pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

class TPen : public TObject {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode mode);

    // The GDI pen; created on first use and owned by this object.
    HPEN Handle() const;
    // The SetROP2 code of Mode.
    int Rop2() const;
    void Assign(const TPen& source);

    TNotifyEvent OnChange;

private:
    void Changed();

    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
    mutable GdiObject<HPEN> handle_;
};
