#include "skin/paint/win32/SkinMP.h"

#include <windowsx.h>

#include <cwctype>
#include <string>
#include <utility>

#include "skin/paint/core/ButtonFrames.h"
#include "skin/paint/win32/SkinPrimitives.h"
#include "toolkit/Color.h"
#include "toolkit/GdiObject.h"
#include "toolkit/ModuleInstance.h"

namespace relayon::skin {

namespace {

constexpr const wchar_t* kButtonNames[9] = {L"MPPLAY", L"MPPAUSE", L"MPSTOP",   L"MPNEXT", L"MPPREV",
                                            L"MPSTEP", L"MPBACK",  L"MPRECORD", L"MPEJECT"};
constexpr const wchar_t* kMemberNames[9] = {L"btplay", L"btpause", L"btstop",   L"btnext", L"btprev",
                                            L"btstep", L"btback",  L"btrecord", L"bteject"};
constexpr const wchar_t* kStatePrefix[3] = {L"EN", L"DI", L"CO"};

// Which of the nine buttons a set's text "[btPlay,btStop]" names.
std::array<bool, 9> Members(const std::wstring& setText) {
    std::array<bool, 9> out{};
    std::wstring word;
    auto flush = [&] {
        for (int i = 0; i < 9; ++i)
            if (word == kMemberNames[i]) out[i] = true;
        word.clear();
    };
    for (wchar_t c : setText) {
        if (std::iswalnum(static_cast<wint_t>(c))) word += static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
        else flush();
    }
    flush();
    return out;
}

constexpr int kGlyphSize = 16;
constexpr COLORREF kKey = RGB(255, 0, 255);

// The signal colour of a coloured button: go, pause, stop and record, and
// the moving buttons; each reads on light and dark faces.
COLORREF SignalColour(int button) {
    switch (button) {
    case btPlay: return RGB(0, 170, 60);
    case btPause: return RGB(215, 160, 0);
    case btStop:
    case btRecord: return RGB(220, 40, 40);
    default: return RGB(40, 120, 230);
    }
}

// Button `button`'s glyph shape in `ink`, centred in a kGlyphSize square:
// triangles for the directions, bars for pause and ends, a square for stop,
// a disc for record, a triangle on a bar for eject.
void DrawGlyphShape(HDC dc, int button, COLORREF ink) {
    GdiObject<HBRUSH> brush(CreateSolidBrush(ink));
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ink));
    HGDIOBJ oldBrush = SelectObject(dc, brush.get());
    HGDIOBJ oldPen = SelectObject(dc, pen.get());
    const int c = kGlyphSize / 2, s = 4;
    auto triangle = [&](int x, int dir) {  // dir 1 points right, -1 left
        POINT pts[3] = {{x, c - s}, {x, c + s}, {x + dir * s, c}};
        Polygon(dc, pts, 3);
    };
    auto bar = [&](int x) { Rectangle(dc, x, c - s, x + 2, c + s + 1); };
    switch (button) {
    case btPlay: triangle(c - 2, 1); break;
    case btPause: bar(c - 3), bar(c + 1); break;
    case btStop: Rectangle(dc, c - s, c - s, c + s, c + s); break;
    case btNext: triangle(c - 4, 1), bar(c + 1); break;
    case btPrev: bar(c - 3), triangle(c + 4, -1); break;
    case btStep: triangle(c - 5, 1), triangle(c, 1); break;
    case btBack: triangle(c + 5, -1), triangle(c, -1); break;
    case btRecord: Ellipse(dc, c - s, c - s, c + s + 1, c + s + 1); break;
    case btEject: {
        POINT pts[3] = {{c - s, c}, {c + s, c}, {c, c - s}};
        Polygon(dc, pts, 3);
        Rectangle(dc, c - s, c + 2, c + s + 1, c + 4);
        break;
    }
    default: break;
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}

}  // namespace

TWMediaPlayer::TWMediaPlayer(TComponent* AOwner) : TPanel(AOwner) {}

void TWMediaPlayer::LoadGlyphs() {
    for (int i = 0; i < 9; ++i)
        for (int g = 0; g < 3; ++g) {
            const std::wstring name = std::wstring(kStatePrefix[g]) + L"_" + kButtonNames[i];
            HBITMAP h = LoadBitmapW(ModuleInstance(), name.c_str());
            if (h) Buttons[i].Bitmaps[g].SetHandle(h);
            Buttons[i].Drawn[g] = !h;
        }
    DrawMissingGlyphs();
}

void TWMediaPlayer::DrawMissingGlyphs() {
    TDataSkinButton* face = ButtonFaceObject(fsd);
    const COLORREF text = ColorToRGB(SchemeColor(fsd, csButtonText));
    const COLORREF ink[3] = {face ? FaceTextColour(*face, text, 1, true) : text,
                             face ? FaceTextColour(*face, text, 1, false) : GetSysColor(COLOR_BTNSHADOW), 0};
    for (int i = 0; i < 9; ++i)
        for (int g = 0; g < 3; ++g) {
            if (!Buttons[i].Drawn[g]) continue;
            TBitmap& glyph = Buttons[i].Bitmaps[g];
            glyph.SetSize(kGlyphSize, kGlyphSize);
            HDC dc = glyph.Canvas().Handle();
            FillColor(dc, RECT{0, 0, kGlyphSize, kGlyphSize}, static_cast<TColor>(kKey));
            DrawGlyphShape(dc, i, g == mgColored ? SignalColour(i) : ink[g]);
        }
}

void TWMediaPlayer::Attach(TSkinData* askin, TWinControl* aObj) {
    fsd = askin;
    obj = aObj;
    if (askin) SetTag(askin->DisableTag());
    LoadGlyphs();
    ReadButtons();
    SetPosition(aObj);
}

void TWMediaPlayer::SetPosition(TWinControl* aObj) {
    if (!aObj) return;
    if (Parent() != aObj->Parent()) SetParent(aObj->Parent());
    SetBounds(aObj->Left(), aObj->Top(), aObj->Width(), aObj->Height());
    SetVisible(aObj->Visible());
    // New child windows start below their siblings: lift the panel over the player.
    if (aObj->HandleAllocated()) SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWMediaPlayer::ReadButtons() {
    if (!obj) return;
    const auto visible = Members(GetProperty(obj, L"VisibleButtons"));
    const auto enabledSet = Members(GetProperty(obj, L"EnabledButtons"));
    const auto colored = Members(GetProperty(obj, L"ColoredButtons"));
    count = 0;
    for (int i = 0; i < 9; ++i) {
        Buttons[i].Visible = visible[i];
        Buttons[i].Enabled = enabledSet[i] && obj->Enabled();
        Buttons[i].Colored = colored[i];
        count += visible[i] ? 1 : 0;
    }
    BtnWidth = count ? Width() / count : 0;
    Invalidate();
}

int TWMediaPlayer::ButtonAt(int x) const {
    if (BtnWidth <= 0 || x < 0) return -1;
    int slot = x / BtnWidth;
    for (int i = 0; i < 9; ++i) {
        if (!Buttons[i].Visible) continue;
        if (slot-- == 0) return i;
    }
    return -1;
}

void TWMediaPlayer::Paint(HDC dc) {
    TDataSkinButton* button = ButtonFaceObject(fsd);
    const int w = Width(), h = Height();
    HDC buf = picture_.Prepare(w, h);
    if (!buf) return;
    FillColor(buf, RECT{0, 0, w, h}, SchemeColor(fsd, csButtonFace));
    BtnWidth = count ? w / count : 0;
    int slot = 0;
    for (int i = 0; i < 9; ++i) {
        if (!Buttons[i].Visible) continue;
        // The last button takes the pixels the equal widths leave over.
        const RECT r{slot * BtnWidth, 0, slot + 1 == count ? w : (slot + 1) * BtnWidth, h};
        ++slot;
        const bool down = IsDown && BtnClick == i;
        if (button) {
            const int face = paint::PushButtonFace({.pressed = down, .enabled = Buttons[i].Enabled}, button->frame);
            const paint::SliceMargins m{button->r.Left, button->r.Top, button->r.Right, button->r.Bottom};
            DrawRect2(buf, r, *button->Map, m, face, button->frame, button->trans == 1, button->Tile != 0, false);
        }
        TBitmap& glyph = Buttons[i].Bitmaps[!Buttons[i].Enabled ? mgDisabled : Buttons[i].Colored ? mgColored : mgEnabled];
        if (!glyph.Empty()) {
            const int gx = (r.left + r.right - glyph.Width()) / 2 + (down ? 1 : 0);
            const int gy = (h - glyph.Height()) / 2 + (down ? 1 : 0);
            HDC src = glyph.Canvas().Handle();
            TransparentBlt(buf, gx, gy, glyph.Width(), glyph.Height(), src, 0, 0, glyph.Width(), glyph.Height(),
                           GetPixel(src, 0, glyph.Height() - 1));
        }
    }
    picture_.CopyTo(dc, 0, 0);
}

void TWMediaPlayer::Forward(TMessage& message) {
    if (obj) obj->Perform(message.Msg, message.WParam, message.LParam);
}

void TWMediaPlayer::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const int at = ButtonAt(GET_X_LPARAM(message.LParam));
        if (at >= 0 && Buttons[at].Enabled) {
            BtnClick = at;
            IsDown = true;
            SetCapture(Handle());
            Invalidate();
            Forward(message);
        }
        break;
    }
    case WM_LBUTTONUP:
        if (IsDown) {
            IsDown = false;
            if (GetCapture() == Handle()) ReleaseCapture();
            Invalidate();
            // A release away from the pressed button is no click.
            if (ButtonAt(GET_X_LPARAM(message.LParam)) == BtnClick && GET_Y_LPARAM(message.LParam) >= 0 &&
                GET_Y_LPARAM(message.LParam) < Height())
                Forward(message);
            else if (obj)
                obj->Perform(WM_CAPTURECHANGED, 0, 0);
        }
        break;
    }
    TPanel::WndProc(message);
}

TSkinMP::TSkinMP(TComponent* AOwner) : TSkinControl(AOwner) {}

TSkinMP::~TSkinMP() { DropOverlay(); }

void TSkinMP::DropOverlay() {
    TWMediaPlayer* panel = std::exchange(mp, nullptr);
    if (!panel) return;
    RemoveFreeNotification(panel);
    delete panel;
}

void TSkinMP::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component && component == mp) mp = nullptr;
    TSkinControl::Notification(component, operation);
}

void TSkinMP::Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) {
    TSkinControl::Init(sf, sd, acanvas, acolor);
    if (!control) return;
    mp = new TWMediaPlayer(nullptr);
    FreeNotification(mp);
    mp->skincontrol = this;
    mp->Attach(sd, control);
}

void TSkinMP::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SIZE:
    case WM_MOVE:
    case WM_WINDOWPOSCHANGED:
        if (mp) mp->SetPosition(control);
        return;
    case WM_SHOWWINDOW:
    case CM_ENABLEDCHANGED:
    case WM_ENABLE:
        if (mp) {
            mp->SetPosition(control);
            mp->ReadButtons();
        }
        return;
    }
    TSkinControl::AfterProc(Message);
}

void TSkinMP::SkinChange() {
    if (mp) {
        mp->DrawMissingGlyphs();
        mp->ReadButtons();
        mp->Invalidate();
    }
}

void TSkinMP::Unsubclass() {
    TSkinControl::Unsubclass();
    DropOverlay();
}

}  // namespace relayon::skin
