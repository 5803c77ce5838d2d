#include "skin/paint/win32/SkinGroupBox.h"

#include "skin/paint/win32/SkinButtonParts.h"
#include "toolkit/Color.h"
#include "toolkit/GdiObject.h"
#include "toolkit/WinControl.h"

namespace relayon::skin {

TSkinGroupBox::TSkinGroupBox(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinGroupBox::Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool) {
    // The box is filled with the face colour whatever its Color; taking that
    // colour passes it on to the children that follow their parent's.
    TSkinControl::Init(sf, sd, acanvas, true);
    text_.Apply(control, fsd);
    kind = 1;
}

void TSkinGroupBox::Unsubclass() {
    if (skinned && !WindowGone()) text_.Restore(control);
    TSkinControl::Unsubclass();
}

void TSkinGroupBox::SkinChange() {
    text_.Reapply(control, fsd);
    TSkinControl::SkinChange();
}

bool TSkinGroupBox::BeforeProc(TMessage& Message) {
    if (!TSkinControl::BeforeProc(Message)) return false;
    if (kind == 1 && Message.Msg == WM_PAINT) {
        WMPaint(Message);
        return false;
    }
    return true;
}

void TSkinGroupBox::DrawControl(HDC dc, const RECT& rc) { DefaultDraw(dc, rc); }

void TSkinGroupBox::DefaultDraw(HDC dc, const RECT& rc) {
    if (!dc || rc.right <= rc.left || rc.bottom <= rc.top) return;
    DcStateGuard keep(dc);
    std::wstring text = CaptionOf(*this);
    if (text.empty() && control) text = GetStringProp(control, L"Caption");
    const COLORREF face = ColorToRGB(SchemeColor(fsd, csButtonFace));
    if (kind == 1) FillColor(dc, rc, SchemeColor(fsd, csButtonFace));
    if (HFONT font = FontOf(*this)) SelectObject(dc, font);
    SetTextColor(dc, BaseTextColour(*this));
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    const int y = TextHeight(dc, L"0") / 2;
    if (kind == 0 && fsd && fsd->BGBrush.get()) {
        // The system's etched frame lies in these two rings.
        RECT ring{0, y, w, h};
        FrameRect(dc, &ring, fsd->BGBrush.get());
        InflateRect(&ring, -1, -1);
        FrameRect(dc, &ring, fsd->BGBrush.get());
    }
    {
        GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ColorToRGB(SchemeColor(fsd, csButtonShadow))));
        HGDIOBJ oldPen = SelectObject(dc, pen.get());
        HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
        RoundRect(dc, 1, y, w - 1, h - 1, 5, 5);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
    }
    if (!text.empty()) {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, face);
        const bool right = hwnd && (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_RIGHT);
        RECT tr{rc.left + 8, rc.top, right ? rc.right - 8 : rc.right, rc.bottom};
        UINT flags = right ? (DT_RIGHT | DT_EXPANDTABS) : DT_EXPANDTABS;
        if (right) flags = CheckBiDi(flags);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &tr, flags | DT_SINGLELINE);
    }
    if (kind == 1 && control) control->PaintControls(dc, nullptr);
}

}  // namespace relayon::skin
