#include "toolkit/GraphicControl.h"

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}

void TGraphicControl::WndProc(TMessage& message) {
    if (message.Msg == WM_PAINT && message.WParam) {
        paintDC_ = reinterpret_cast<HDC>(message.WParam);
        Paint(paintDC_);
        paintDC_ = nullptr;
        message.Result = 0;
        return;
    }
    TControl::WndProc(message);
}
