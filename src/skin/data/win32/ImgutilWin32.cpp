#include "skin/data/win32/ImgutilWin32.h"

#include "toolkit/GdiObject.h"

namespace relayon::skin {

TColor BlendSystem(TColor c1, TColor c2, int w) { return Blend(c1, c2, w, Win32SystemColor); }

namespace {

// Runs a pixel routine over a bitmap at the bitmap's own depth (24 or 32 bits;
// other depths become 24 bits first).
template <class Routine>
void TransformBitmap(TBitmap& bmp, Routine routine) {
    if (bmp.Empty()) return;
    PixelImage pixels = bmp.ToPixelImage();
    if (pixels.layout != PixelLayout::Bgr24 && pixels.layout != PixelLayout::Bgra32)
        pixels = ConvertLayout(pixels, PixelLayout::Bgr24);
    routine(pixels);
    bmp.FromPixelImage(pixels);
}

}  // namespace

void ChangeTrans(TBitmap& bmp, TColor colour) {
    if (bmp.PixelFormat() != pf24bit) bmp.SetPixelFormat(pf24bit);
    TransformBitmap(bmp, [colour](PixelImage& pixels) { ChangeTrans(pixels, colour); });
}

void SpiegelnHorizontal(TBitmap& bmp) {
    TransformBitmap(bmp, [](PixelImage& pixels) { SpiegelnHorizontal(pixels); });
}

void SpiegelnVertikal(TBitmap& bmp) {
    TransformBitmap(bmp, [](PixelImage& pixels) { SpiegelnVertikal(pixels); });
}

void Drehen90Grad(TBitmap& bmp) {
    TransformBitmap(bmp, [](PixelImage& pixels) { Drehen90Grad(pixels); });
}

void Drehen270Grad(TBitmap& bmp) {
    TransformBitmap(bmp, [](PixelImage& pixels) { Drehen270Grad(pixels); });
}

int GradFill(HDC dc, const RECT& rect, TColor c1, int vertical, TColor c2, GradientTableCache& cache) {
    if (!dc) return 0;
    RECT clip{};
    const int region = GetClipBox(dc, &clip);
    if (region == ERROR || region == NULLREGION) return 0;
    if (!RectVisible(dc, &rect)) return 0;
    const TRect area{rect.left, rect.top, rect.right, rect.bottom};
    const TRect clipBox{clip.left, clip.top, clip.right, clip.bottom};
    return GradFill(
        area, c1, vertical, c2, clipBox,
        [dc](const TRect& band, TColor colour) {
            GdiObject<HBRUSH> brush(CreateSolidBrush(static_cast<COLORREF>(colour & 0xFFFFFF)));
            if (!brush) return;  // out of GDI objects: leave the band as it was
            const RECT r{band.Left, band.Top, band.Right, band.Bottom};
            FillRect(dc, &r, brush.get());
        },
        cache, Win32SystemColor);
}

}  // namespace relayon::skin
