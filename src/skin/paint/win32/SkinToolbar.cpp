#include "skin/paint/win32/SkinToolbar.h"

#include "skin/data/win32/ImgutilWin32.h"
#include "toolkit/Messages.h"

namespace relayon::skin {

TSkinToolbar::TSkinToolbar(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinToolbar::ComputeGradient() {
    const TColor caption = fsd ? fsd->GetCaptionColor() : clActiveCaption;
    gradCol1 = BlendSystem(0x808080, caption, 150);
    gradCol2 = BlendSystem(SchemeColor(fsd, csButtonFace), clWhite, 150);
}

void TSkinToolbar::Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) {
    fsd = sd;
    ComputeGradient();
    TSkinControl::Init(sf, sd, acanvas, acolor);
}

void TSkinToolbar::Inithwnd(HWND ahwnd, TSkinData* sd, TCanvas* acanvas, TWinSkinForm* sf) {
    fsd = sd;
    ComputeGradient();
    TSkinControl::Inithwnd(ahwnd, sd, acanvas, sf);
}

bool TSkinToolbar::BeforeProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_ERASEBKGND: ERASEBKGND(Message); return false;
    case WM_NOTIFY:
    case CN_NOTIFY: return true;
    default: return TSkinControl::BeforeProc(Message);
    }
}

void TSkinToolbar::ERASEBKGND(TMessage& Message) {
    Message.Result = 1;
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    if (!dc || !hwnd) return;
    RECT rc{};
    GetClientRect(hwnd, &rc);
    if (rc.right <= rc.left || rc.bottom <= rc.top) return;
    TDataSkinObject* bar = fsd ? fsd->Toolbar.get() : nullptr;
    if (bar && bar->Map && !bar->Map->Empty()) {
        TBitmap& map = *bar->Map;
        const int old = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 0, 0, rc.right, rc.bottom, map.Canvas().Handle(), 0, 0, map.Width(), map.Height(), SRCCOPY);
        SetStretchBltMode(dc, old);
        return;
    }
    GradFill(dc, rc, gradCol2, 1, gradCol1);
}

}  // namespace relayon::skin
