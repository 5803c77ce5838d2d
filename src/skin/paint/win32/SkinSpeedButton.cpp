#include "skin/paint/win32/SkinSpeedButton.h"

#include "skin/paint/core/ButtonFrames.h"
#include "toolkit/GraphicControl.h"

namespace relayon::skin {

TSkinSpeedButton::TSkinSpeedButton(TComponent* AOwner) : TSkinBitButton(AOwner) {}

TSkinSpeedButton::~TSkinSpeedButton() = default;

void TSkinSpeedButton::InitGraphicControl(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas) {
    fsd = sd;
    fCanvas = acanvas;
    skinform = sf;
    GControl = dynamic_cast<TGraphicControl*>(Owner());
    if (!GControl) return;
    gcanvas = &GControl->Canvas();
    HookControl(GControl);
    Register(sf);
    trans = WantsParentBackground(Owner(), sd);
    Inited = true;
    skinstate = 1;
    Repaint();
}

void TSkinSpeedButton::Unsubclass() {
    TSkinBitButton::Unsubclass();
    UnhookControl();
    if (GControl) GControl->Invalidate();
}

void TSkinSpeedButton::Repaint() {
    if (GControl && GControl->Visible()) GControl->Invalidate();
}

bool TSkinSpeedButton::BeforeProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_PAINT: WMPaintSpeed(Message); return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The button's own press handling runs first (it captures the mouse
        // and may latch Down); the picture follows.
        Default(Message);
        state.Include(scDown);
        Repaint();
        return false;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (Message.WParam != VK_SPACE) break;
        if (Message.Msg == WM_KEYDOWN) state.Include(scDown);
        else state.Exclude(scDown);
        Repaint();
        return false;
    case WM_ENABLE:
    case CM_FOCUSCHANGED:
    case CM_ENABLEDCHANGED:
        Default(Message);
        Repaint();
        return false;
    case WM_NCDESTROY:
    case CM_RELEASE:
        UnhookControl();
        return true;
    }
    return TSkinControl::BeforeProc(Message);
}

void TSkinSpeedButton::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_LBUTTONUP:
        state.Exclude(scDown);
        Repaint();
        return;
    case CM_MOUSEENTER:
        state.Include(scMouseIn);
        Repaint();
        return;
    case CM_MOUSELEAVE:
        state.Exclude(scMouseIn);
        state.Exclude(scDown);
        Repaint();
        return;
    }
    TSkinControl::AfterProc(Message);
}

void TSkinSpeedButton::WMPaintSpeed(TMessage& Message) {
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    Message.Result = 0;
    if (!dc || !GControl) return;
    try {
        DrawSpeedbtn(dc, RECT{0, 0, GControl->Width(), GControl->Height()});
    } catch (...) {
        // A picture that cannot be drawn leaves the surface as it was.
    }
}

void TSkinSpeedButton::DrawControl(HDC dc, const RECT& rc) { DrawSpeedbtn(dc, rc); }

void TSkinSpeedButton::DrawPicbtn(HDC dc, const RECT& rc) { DrawSpeedbtn(dc, rc); }

void TSkinSpeedButton::DrawSpeedbtn(HDC dc, const RECT& rc) {
    TDataSkinButton* button = ButtonFaceObject(fsd);
    if (!button || !GControl || FReentr) return;
    if (rc.right - rc.left <= 0 || rc.bottom - rc.top <= 0) return;
    if (!GControl->Visible()) return;
    FReentr = true;
    struct Leave {
        bool& flag;
        ~Leave() { flag = false; }
    } leave{FReentr};

    const bool isEnabled = GControl->Enabled();
    const bool down = IsTrueText(GetProperty(GControl, L"Down"));
    const bool flat = IsTrueText(GetProperty(GControl, L"Flat"));
    const bool pressed = state.Contains(scDown);
    const int face = paint::SpeedButtonFace({down, pressed, state.Contains(scMouseIn), isEnabled}, button->frame);
    HDC buf = PrepareFace(rc, face, paint::SpeedButtonShowsFace(flat, face));
    if (!buf) return;
    int count = 1;
    GlyphBitmap(count);
    focused = false;
    DrawGlyphAndCaption(buf, rc.right - rc.left, rc.bottom - rc.top, face,
                        paint::GlyphCell(pressed, isEnabled, down, count), isEnabled);
    btemp.CopyTo(dc, rc.left, rc.top);
}

}  // namespace relayon::skin
