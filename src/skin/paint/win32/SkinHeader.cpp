#include "skin/paint/win32/SkinHeader.h"

#include <windowsx.h>

#include <algorithm>

#include "skin/paint/core/TabGeometry.h"
#include "skin/paint/win32/SkinTabParts.h"
#include "toolkit/Control.h"

namespace relayon::skin::subclass {

TSkinHeader::TSkinHeader(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinHeader::Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) {
    TSkinControl::Init(sf, sd, acanvas, acolor);
    indexitem = -1;
}

void TSkinHeader::Inithwnd(HWND ahwnd, TSkinData* sd, TCanvas* acanvas, TWinSkinForm* sf) {
    TSkinControl::Inithwnd(ahwnd, sd, acanvas, sf);
    indexitem = -1;
}

bool TSkinHeader::BeforeProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); return false;
    case WM_ERASEBKGND:
        if (!HasMap(fsd ? fsd->Header.get() : nullptr)) break;
        Message.Result = 1;
        return false;
    }
    return TSkinControl::BeforeProc(Message);
}

void TSkinHeader::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_MOUSEMOVE: WMMouseMove(Message); return;
    case WM_MOUSELEAVE: OnMouseLeave(); return;
    // The header draws a pressed or released item straight onto the screen.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: Invalidate(); return;
    }
    TSkinControl::AfterProc(Message);
}

void TSkinHeader::WMMouseMove(TMessage& Message) {
    std::vector<paint::Box> hot;
    hot.reserve(Items.size());
    for (const RECT& r : Items) hot.push_back(ToBox(r));
    const paint::HotChange change =
        paint::HeaderHotItem(hot, GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam), indexitem);
    if (change.changed) {
        indexitem = change.index;
        Invalidate();
    }
    DoTrackMouse(hwnd);
}

void TSkinHeader::OnMouseLeave() {
    indexitem = -1;
    Invalidate();
}

COLORREF TSkinHeader::TextColour() {
    if (fsd && fsd->hasColors[csText]) return ColorToRGB(fsd->Colors[csText]);
    if (TControl* c = SkinnedObject(*this)) return ColorToRGB(c->Font().Color());
    return GetSysColor(COLOR_BTNTEXT);
}

void TSkinHeader::DrawControl(HDC dc, const RECT& rc) {
    TDataSkinObject* header = fsd ? fsd->Header.get() : nullptr;
    if (!dc || !hwnd || !HasMap(header)) return;
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    HDC m = canvas_.Prepare(w, h);
    if (!m) return;
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(hwnd, HDM_GETIMAGELIST, 0, 0));
    const int n = std::max(0, static_cast<int>(SendMessageW(hwnd, HDM_GETITEMCOUNT, 0, 0)));
    Items.assign(static_cast<size_t>(n), RECT{});
    std::vector<paint::Box> drawn;
    {
        DcStateGuard keep(m);
        if (HFONT font = FontOf(*this)) SelectObject(m, font);
        SetBkMode(m, TRANSPARENT);
        for (int i = 0; i < n; ++i) {
            RECT r{};
            if (!SendMessageW(hwnd, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r))) continue;
            DrawItem(images, m, i, r);
            Items[static_cast<size_t>(i)] = ToRect(paint::HeaderHotRect(ToBox(r)));
            drawn.push_back(ToBox(r));
        }
        const RECT filler = ToRect(paint::HeaderFillerRect(paint::Box{0, 0, w, h}, drawn));
        DrawObjectCell(m, filler, *header->Map, *header, 1, false);
    }
    canvas_.CopyTo(dc, rc.left, rc.top);
}

void TSkinHeader::DrawItem(HIMAGELIST himl, HDC dc, int index, const RECT& rect) {
    TDataSkinObject* header = fsd->Header.get();
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    ItemText item;
    if (!ReadHeaderItem(hwnd, index, item)) return;
    DcStateGuard keep(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    DrawObjectCell(dc, rect, *header->Map, *header, index == indexitem ? 2 : 1, false);
    if (item.text.empty()) return;
    SetTextColor(dc, TextColour());
    DrawItemImgCaption(dc, rect, paint::HeaderTextAlign(item.format), item.text,
                       paint::HeaderShowsImage(item.format) ? item.image : -1, himl);
}

void TSkinHeader::DrawItemImgCaption(HDC dc, const RECT& rect, paint::TextAlign talign, const std::wstring& text,
                                     int imgIndex, HIMAGELIST himl) {
    DrawImageAndCaption(dc, rect, himl, imgIndex, text, talign, CheckBiDi(DT_EXPANDTABS | DT_END_ELLIPSIS));
}

}  // namespace relayon::skin::subclass
