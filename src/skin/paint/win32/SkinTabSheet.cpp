#include "skin/paint/win32/SkinTabSheet.h"

#include "toolkit/WinControl.h"

namespace relayon::skin {

TSkinTabSheet::TSkinTabSheet(TComponent* AOwner) : TSkinControl(AOwner) {}

bool TSkinTabSheet::BeforeProc(TMessage& Message) {
    if (!TSkinControl::BeforeProc(Message)) return false;
    if (kind != 0) return true;
    switch (Message.Msg) {
    case WM_PAINT:
    case WM_PRINT: WMPaint(Message); return false;
    case WM_ERASEBKGND: OnEraseBackground(Message); return false;
    }
    return true;
}

void TSkinTabSheet::OnEraseBackground(TMessage& Message) {
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    RECT client{};
    if (dc && hwnd && GetClientRect(hwnd, &client)) {
        if (fsd && fsd->BGBrush.get()) FillRect(dc, &client, fsd->BGBrush.get());
        else FillBG(dc, client);
    }
    Message.Result = 1;
}

void TSkinTabSheet::DrawControl(HDC dc, const RECT&) {
    RECT client{};
    if (!dc || !hwnd || !GetClientRect(hwnd, &client)) return;
    FillBG(dc, client);
    if (control) control->PaintControls(dc, nullptr);
}

}  // namespace relayon::skin
