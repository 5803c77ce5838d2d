#include "skin/paint/win32/SkinBox.h"

#include "skin/paint/win32/SkinToolbarPainters.h"
#include "toolkit/WinControl.h"

namespace relayon::skin {

TSkinBox::TSkinBox(TComponent* AOwner) : TSkinControl(AOwner) {}

TSkinBox::~TSkinBox() {
    // A form closing frees its skinners without unskinning them first.
    if (control) ReleaseToolBarPainters(control);
}

void TSkinBox::Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) {
    if (Inited) return;
    fsd = sd;
    fCanvas = acanvas;
    control = dynamic_cast<TWinControl*>(Owner());
    if (!control) return;
    hwnd = control->HandleAllocated() ? control->Handle() : nullptr;
    Register(sf);
    if (acolor) {
        oldcolor = control->Color();
        newColor = true;
        control->SetColor(SchemeColor(fsd, csButtonFace));
    }
    Inited = true;
    skinstate = 1;
}

void TSkinBox::AfterProc(TMessage&) {}

void TSkinBox::Unsubclass() {
    if (control) ReleaseToolBarPainters(control);
    if (skinstate == 4) return;
    TSkinControl::Unsubclass();
    if (control && !control->IsDestroying()) control->Invalidate();
    skinstate = 2;
}

TSkinBoxH::TSkinBoxH(TComponent* AOwner) : TSkinControl(AOwner) {}

bool TSkinBoxH::BeforeProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_ERASEBKGND: {
        RECT wr{};
        GetWindowRect(hwnd, &wr);
        FillBG(reinterpret_cast<HDC>(Message.WParam), RECT{0, 0, wr.right - wr.left, wr.bottom - wr.top});
        Message.Result = 0;
        return false;
    }
    case WM_CTLCOLORSTATIC:
        Default(Message);
        if (fsd && fsd->BGBrush.get()) Message.Result = reinterpret_cast<LRESULT>(fsd->BGBrush.get());
        return false;
    default:
        return TSkinControl::BeforeProc(Message);
    }
}

TSkinSizer::TSkinSizer(TComponent* AOwner) : TSkinControl(AOwner) {}

bool TSkinSizer::BeforeProc(TMessage& Message) {
    if (Message.Msg == WM_PAINT) {
        WMPaint(Message);
        return false;
    }
    return TSkinControl::BeforeProc(Message);
}

void TSkinSizer::DrawControl(HDC dc, const RECT& rc) { FillBG(dc, rc); }

}  // namespace relayon::skin
