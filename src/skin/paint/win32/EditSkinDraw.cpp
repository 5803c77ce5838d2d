#include "skin/paint/win32/EditSkinDraw.h"

#include "skin/paint/core/ComboGeometry.h"
#include "skin/paint/win32/SkinPrimitives.h"
#include "skin/paint/win32/Winsubclass.h"
#include "toolkit/Color.h"
#include "toolkit/GdiObject.h"

namespace relayon::skin {

bool HasSkinImage(const TDataSkinObject* o) { return o && o->Map && !o->Map->Empty(); }

namespace {

bool Sizes(HWND h, RECT& wr, RECT& cr) {
    return h && IsWindow(h) && GetWindowRect(h, &wr) && GetClientRect(h, &cr);
}

void Ring(HDC dc, RECT r, COLORREF colour) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    FrameRect(dc, &r, brush.get());
}

}  // namespace

bool WindowHasBorder(HWND h) {
    RECT wr{}, cr{};
    return Sizes(h, wr, cr) && paint::HasBorder(wr.right - wr.left, wr.bottom - wr.top, cr.right, cr.bottom);
}

bool WindowHasWideBorder(HWND h) {
    RECT wr{}, cr{};
    return Sizes(h, wr, cr) && paint::HasWideBorder(wr.right - wr.left, wr.bottom - wr.top, cr.right, cr.bottom);
}

void DrawSunkenFrame(HDC dc, const RECT& R, TColor shadow, int whiteRings) {
    if (!dc) return;
    RECT r = R;
    Ring(dc, r, ColorToRGB(shadow));
    for (int i = 0; i < whiteRings; ++i) {
        InflateRect(&r, -1, -1);
        Ring(dc, r, RGB(255, 255, 255));
    }
}

void DrawNineSlice(HDC dc, const RECT& R, TDataSkinObject& o, int d) {
    if (!dc || !HasSkinImage(&o) || d < 1 || d > o.frame) return;
    const paint::SliceMargins m{o.r.Left, o.r.Top, o.r.Right, o.r.Bottom};
    DrawRect2(dc, R, *o.Map, m, d, o.frame, true, o.Tile != 0, false);
}

}  // namespace relayon::skin
