#include "toolkit/Shape.h"

#include <algorithm>

#include "toolkit/GdiObject.h"

TShape::TShape(TComponent* AOwner) : TGraphicControl(AOwner) {
    width_ = 65;
    height_ = 65;
    brush_.OnChange = TNotifyEvent(this, &TShape::StyleChanged);
    pen_.OnChange = TNotifyEvent(this, &TShape::StyleChanged);
}

void TShape::SetShape(TShapeType shape) {
    if (shape == shape_) return;
    shape_ = shape;
    Invalidate();
}

void TShape::StyleChanged(TObject*) { Invalidate(); }

void TShape::Paint(HDC dc) {
    int penWidth = std::max(pen_.Width(), 1);
    int x = penWidth / 2, y = penWidth / 2;
    int w = width_ - penWidth + 1, h = height_ - penWidth + 1;
    if (pen_.Width() == 0) {
        --w;
        --h;
    }
    if (shape_ == stSquare || shape_ == stRoundSquare || shape_ == stCircle) {
        int side = std::min(w, h);
        x += (w - side) / 2;
        y += (h - side) / 2;
        w = h = side;
    }
    SelectGuard pen(dc, pen_.Handle());
    SelectGuard brush(dc, brush_.Handle());
    switch (shape_) {
    case stRectangle:
    case stSquare: Rectangle(dc, x, y, x + w, y + h); break;
    case stRoundRect:
    case stRoundSquare: {
        int corner = std::min(w, h) / 4;
        RoundRect(dc, x, y, x + w, y + h, corner, corner);
        break;
    }
    case stEllipse:
    case stCircle: Ellipse(dc, x, y, x + w, y + h); break;
    }
}
