#include "toolkit/GraphicControl.h"

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}

void TGraphicControl::WndProc(TMessage& message) {
    if (message.Msg == WM_PAINT && message.WParam) {
        paintDC_ = reinterpret_cast<HDC>(message.WParam);
        canvas_.SetHandle(paintDC_);
        canvas_.Font().Assign(Font());
        Paint(paintDC_);
        canvas_.SetHandle(nullptr);
        paintDC_ = nullptr;
        message.Result = 0;
        return;
    }
    TControl::WndProc(message);
}
