#include "skin/paint/win32/SkinTrackBar.h"

#include "skin/paint/core/BarGeometry.h"
#include "skin/paint/win32/SkinButtonParts.h"
#include "toolkit/Color.h"
#include "toolkit/GdiObject.h"
#include "toolkit/Messages.h"
#include "toolkit/WinControl.h"

namespace relayon::skin {

namespace {

bool HasImage(const TDataSkinObject* o) { return o && o->Map && !o->Map->Empty(); }

bool IsCustomDraw(const TMessage& m) {
    if (m.Msg != WM_NOTIFY && m.Msg != CN_NOTIFY) return false;
    const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
    return header && header->code == static_cast<UINT>(NM_CUSTOMDRAW);
}

RECT FromBar(const paint::BarRect& r) { return {r.left, r.top, r.right, r.bottom}; }
paint::BarRect ToBar(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

TSkinTrackBar::TSkinTrackBar(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinTrackBar::Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) {
    TSkinControl::Init(sf, sd, acanvas, acolor);
}

void TSkinTrackBar::SkinChange() {
    // The system redraws a track bar fully when it gains and loses the focus.
    if (!hwnd || !IsWindow(hwnd)) return;
    HWND previous = GetFocus();
    SetFocus(hwnd);
    if (previous && previous != hwnd && IsWindow(previous)) SetFocus(previous);
    InvalidateRect(hwnd, nullptr, TRUE);
}

void TSkinTrackBar::Unsubclass() {
    TSkinControl::Unsubclass();
    if (!WindowGone() && hwnd && IsWindow(hwnd)) InvalidateRect(hwnd, nullptr, TRUE);
}

bool TSkinTrackBar::BeforeProc(TMessage& Message) {
    if (IsCustomDraw(Message)) {
        Message.Result = CustomDraw(*reinterpret_cast<NMCUSTOMDRAW*>(Message.LParam));
        return false;
    }
    // The bar asks its parent for the brush of its ground; the parent hands
    // the question back to the bar, whose own Color is the system face.
    if (Message.Msg == CN_CTLCOLORSTATIC) {
        Message.Result = reinterpret_cast<LRESULT>(GroundBrush(reinterpret_cast<HDC>(Message.WParam)));
        return false;
    }
    return TSkinControl::BeforeProc(Message);
}

HBRUSH TSkinTrackBar::GroundBrush(HDC dc) {
    const COLORREF colour = ColorToRGB(GetParentColor(SchemeColor(fsd, csButtonFace)));
    if (!ground_ || colour != groundColour_) {
        ground_.reset(CreateSolidBrush(colour));
        groundColour_ = colour;
    }
    if (dc) {
        SetBkColor(dc, colour);
        SetTextColor(dc, ColorToRGB(SchemeColor(fsd, csButtonText)));
    }
    return ground_.get();
}

bool TSkinTrackBar::Vertical() const { return hwnd && (GetWindowLongW(hwnd, GWL_STYLE) & TBS_VERT); }

RECT TSkinTrackBar::ClientBounds() const {
    RECT c{};
    if (hwnd) GetClientRect(hwnd, &c);
    return c;
}

LRESULT TSkinTrackBar::CustomDraw(NMCUSTOMDRAW& info) {
    switch (info.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        switch (info.dwItemSpec) {
        case TBCD_THUMB: Drawthumb(info); return CDRF_SKIPDEFAULT;
        case TBCD_CHANNEL: return DrawTrack(info) ? CDRF_SKIPDEFAULT : CDRF_DODEFAULT;
        default: return CDRF_DODEFAULT;
        }
    default: return CDRF_DODEFAULT;
    }
}

bool TSkinTrackBar::DrawTrack(NMCUSTOMDRAW& info) {
    const bool vertical = Vertical();
    TDataSkinObject* o = fsd ? (vertical ? fsd->TrackBarVert.get() : fsd->TrackBar.get()) : nullptr;
    if (!HasImage(o) || !info.hdc) return false;
    // The channel as the system is about to draw it; its own query answers
    // a vertical bar's channel lying down, so x and y are exchanged there.
    RECT ch = info.rc;
    if (ch.right <= ch.left || ch.bottom <= ch.top) {
        SendMessageW(hwnd, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&ch));
        if (vertical) ch = RECT{ch.top, ch.left, ch.bottom, ch.right};
    }
    TBitmap& map = *o->Map;
    const int cells = o->frame > 0 ? o->frame : 1;
    const int cellW = map.Width() / cells, cellH = map.Height();
    RECT r = ch;
    paint::SliceMargins m{};
    if (vertical) {
        r.left = paint::ChannelImageStart(ch.left, ch.right - ch.left, cellW);
        r.right = r.left + cellW;
        m = {0, o->r.Top, 0, o->r.Bottom};
    } else {
        r.top = paint::ChannelImageStart(ch.top, ch.bottom - ch.top, cellH);
        r.bottom = r.top + cellH;
        m = {o->r.Left, 0, o->r.Right, 0};
    }
    r = FromBar(paint::ClipTo(ToBar(r), ToBar(ClientBounds())));
    if (r.right <= r.left || r.bottom <= r.top) return true;
    DrawRect2(info.hdc, r, map, m, 1, cells, o->trans == 1, false, false);
    return true;
}

void TSkinTrackBar::Drawthumb(NMCUSTOMDRAW& info) {
    if (!info.hdc) return;
    RECT t = info.rc;
    if (t.right <= t.left || t.bottom <= t.top) SendMessageW(hwnd, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&t));
    t = FromBar(paint::ClipTo(ToBar(t), ToBar(ClientBounds())));
    if (t.right <= t.left || t.bottom <= t.top) return;
    TDataSkinObject* o = nullptr;
    if (fsd && Vertical() && HasImage(fsd->TrackVert.get())) o = fsd->TrackVert.get();
    else if (fsd) o = fsd->TrackHorz.get();
    if (HasImage(o)) {
        DrawRect1(info.hdc, t, *o->Map, 2, 5, true);
        return;
    }
    FillColor(info.hdc, t, SchemeColor(fsd, csButtonFace));
    GdiObject<HBRUSH> edge(CreateSolidBrush(ColorToRGB(SchemeColor(fsd, csButtonShadow))));
    FrameRect(info.hdc, &t, edge.get());
}

}  // namespace relayon::skin
