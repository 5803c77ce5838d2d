#pragma once
// A filled figure drawn by the parent with the shape's pen and brush.
#include "toolkit/Brush.h"
#include "toolkit/GraphicControl.h"
#include "toolkit/Pen.h"

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TGraphicControl {
public:
    explicit TShape(TComponent* AOwner);

    TShapeType Shape() const { return shape_; }
    void SetShape(TShapeType shape);
    TBrush& Brush() { return brush_; }
    TPen& Pen() { return pen_; }

protected:
    void Paint(HDC dc) override;

private:
    void StyleChanged(TObject* sender);

    TShapeType shape_ = stRectangle;
    TBrush brush_;
    TPen pen_;
};
