#include "skin/paint/win32/SkinButton.h"

#include <windowsx.h>

#include <cwctype>

#include "skin/paint/core/ButtonFrames.h"
#include "toolkit/Control.h"
#include "toolkit/WinControl.h"

namespace relayon::skin {

namespace {

std::wstring LowerText(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return s;
}

bool IsSpace(const TMessage& m) { return m.WParam == VK_SPACE; }

}  // namespace

TSkinButton::TSkinButton(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinButton::Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) {
    TSkinControl::Init(sf, sd, acanvas, acolor);
    // These vendors' buttons handle a forwarded press themselves twice over.
    const std::wstring cls = control ? LowerText(control->ClassName()) : L"";
    kind = cls.starts_with(L"trz") || cls.starts_with(L"tel") ? 1 : 0;
    trans = WantsParentBackground(Owner(), sd);
}

bool TSkinButton::BeforeProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); return false;
    case WM_ERASEBKGND: Message.Result = 1; return false;
    case WM_TIMER: return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: DoMouseDown(Message); return false;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (!IsSpace(Message)) break;
        OnSpace(Message.Msg == WM_KEYDOWN);
        return false;
    }
    return TSkinControl::BeforeProc(Message);
}

void TSkinButton::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SETTEXT: PaintControl(nullptr); return;
    case WM_MOUSEMOVE: OnMouseMove(); return;
    case WM_LBUTTONUP: OnLeftUp(); return;
    case WM_MOUSELEAVE: OnMouseLeave(); return;
    case CM_DIALOGKEY:
    case CM_FOCUSCHANGED: Invalidate(); return;
    }
    TSkinControl::AfterProc(Message);
}

void TSkinButton::DoMouseDown(TMessage& Message) {
    if (hwnd && GetFocus() != hwnd) {
        if (control) control->SetFocus();
        else SetFocus(hwnd);
    }
    state.Include(scDown);
    PaintControl(nullptr);
    if (!control || kind != 0) return;
    POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    // Message coordinates are 16-bit; a larger control asks the cursor.
    if (control->Width() > 32768 || control->Height() > 32768) {
        GetCursorPos(&p);
        ScreenToClient(hwnd, &p);
    }
    TShiftState shift = MouseShiftState(Message.WParam);
    if (Message.Msg == WM_LBUTTONDBLCLK) shift.Include(ssDouble);
    control->MouseDown(mbLeft, shift, p.x, p.y);
}

void TSkinButton::OnLeftUp() {
    if (!state.Contains(scDown)) return;
    state.Exclude(scDown);
    Invalidate();
    if (control) {
        control->Click();
        return;
    }
    if (!hwnd) return;
    wchar_t cls[32] = {};
    GetClassNameW(hwnd, cls, 32);
    const WPARAM id = LowerText(cls) == L"tbutton" ? 0 : static_cast<WPARAM>(GetDlgCtrlID(hwnd));
    PostMessageW(GetParent(hwnd), WM_COMMAND, id, reinterpret_cast<LPARAM>(hwnd));
}

void TSkinButton::OnMouseMove() {
    if (IsEnabledNow() && !state.Contains(scMouseIn)) {
        state.Include(scMouseIn);
        Invalidate();
    }
    DoTrackMouse(hwnd);
}

void TSkinButton::OnMouseLeave() {
    state.Exclude(scMouseIn);
    state.Exclude(scDown);
    Invalidate();
}

void TSkinButton::OnSpace(bool down) {
    if (down) state.Include(scDown);
    else state.Exclude(scDown);
    Invalidate();
}

bool TSkinButton::IsEnabledNow() {
    if (hwnd) return !(GetWindowLongW(hwnd, GWL_STYLE) & WS_DISABLED);
    TControl* c = SkinnedObject(*this);
    return !c || c->Enabled();
}

HDC TSkinButton::PrepareFace(const RECT& rc, int face, bool drawFace) {
    TDataSkinButton* button = ButtonFaceObject(fsd);
    if (!button) return nullptr;
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    HDC dc = btemp.Prepare(w, h);
    if (!dc) return nullptr;
    const RECT all{0, 0, w, h};
    if (trans && SkinnedObject(*this)) DrawParentImage(SkinnedObject(*this), dc);
    else FillColor(dc, all, SchemeColor(fsd, csButtonFace));
    if (drawFace && face > 0) DrawSkinMap(dc, all, button, face, button->frame);
    return dc;
}

void TSkinButton::ApplyTextStyle(HDC dc, int face, bool enabledNow) {
    if (HFONT font = FontOf(*this)) SelectObject(dc, font);
    SetTextColor(dc, FaceTextColour(*fsd->Button, BaseTextColour(*this), face, enabledNow));
}

void TSkinButton::DrawBtnText(HDC dc, const RECT& rc, const std::wstring& text, UINT alignment) {
    caption = paint::ExpandLineBreaks(text);
    const bool focusRect = focused && !(fsd && fsd->Options().Contains(xoNoFocusRect));
    DrawButtonCaption(dc, rc, caption, alignment, IsRightToLeft(*this), focusRect);
}

void TSkinButton::DrawControl(HDC dc, const RECT& rc) {
    TDataSkinButton* button = ButtonFaceObject(fsd);
    if (!button) return;
    focused = HasFocus(*this);
    enabled = IsEnabledNow();
    TControl* c = SkinnedObject(*this);
    isdefault = c && IsTrueText(GetProperty(c, L"Default"));
    MultiLine = c && IsTrueText(GetProperty(c, L"MultiLine"));
    const std::wstring text = CaptionOf(*this);

    const int face = paint::PushButtonFace(
        {state.Contains(scDown), state.Contains(scMouseIn), focused, isdefault, enabled}, button->frame);
    HDC buf = PrepareFace(rc, face);
    if (!buf) return;
    {
        DcStateGuard keep(buf);
        ApplyTextStyle(buf, face, enabled);
        DrawBtnText(buf, RECT{0, 0, rc.right - rc.left, rc.bottom - rc.top}, text, DT_CENTER);
    }
    btemp.CopyTo(dc, rc.left, rc.top);
}

}  // namespace relayon::skin
