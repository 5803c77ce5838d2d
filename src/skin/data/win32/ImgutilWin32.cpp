#include "skin/data/win32/ImgutilWin32.h"

#include <algorithm>
#include <cstring>

#include "toolkit/GdiObject.h"

namespace relayon::skin {

TColor BlendSystem(TColor c1, TColor c2, int w) { return Blend(c1, c2, w, Win32SystemColor); }

ImageBuffer BitmapPixels(const TBitmap& bmp) {
    PixelImage image = bmp.ToPixelImage();
    if (image.layout != PixelLayout::Bgr24 && image.layout != PixelLayout::Bgra32)
        image = ConvertLayout(image, PixelLayout::Bgr24);
    const PixelFormat format = image.layout == PixelLayout::Bgra32 ? PixelFormat::Bgra32 : PixelFormat::Bgr24;
    if (image.Empty()) {
        ImageBuffer empty;
        empty.format = format;
        return empty;
    }
    ImageBuffer out(image.width, image.height, format);
    // DIB rows are padded to 4 bytes; ImageBuffer rows are not.
    for (int y = 0; y < image.height; ++y)
        std::memcpy(out.Pixel(0, y), image.Row(y), static_cast<size_t>(out.RowBytes()));
    return out;
}

void SetBitmapPixels(TBitmap& bmp, const ImageBuffer& pixels) {
    const PixelLayout layout = pixels.format == PixelFormat::Bgra32 ? PixelLayout::Bgra32 : PixelLayout::Bgr24;
    PixelImage image = MakePixelImage(std::max(pixels.width, 0), std::max(pixels.height, 0), layout);
    if (!pixels.Empty()) {
        if (pixels.pixels.size() < static_cast<size_t>(pixels.RowBytes()) * static_cast<size_t>(pixels.height))
            throw std::invalid_argument("pixel buffer smaller than its size says");
        for (int y = 0; y < pixels.height; ++y)
            std::memcpy(image.Row(y), pixels.Pixel(0, y), static_cast<size_t>(pixels.RowBytes()));
    }
    bmp.FromPixelImage(image);
}

namespace {

// Runs a pixel routine over a bitmap at the bitmap's own depth (24 or 32 bits;
// other depths become 24 bits first).
template <class Routine>
void TransformBitmap(TBitmap& bmp, Routine routine) {
    if (bmp.Empty()) return;
    ImageBuffer pixels = BitmapPixels(bmp);
    routine(pixels);
    SetBitmapPixels(bmp, pixels);
}

}  // namespace

void ChangeTrans(TBitmap& bmp, TColor colour) {
    if (bmp.PixelFormat() != pf24bit) bmp.SetPixelFormat(pf24bit);
    TransformBitmap(bmp, [colour](ImageBuffer& pixels) { ChangeTrans(pixels, colour); });
}

void SpiegelnHorizontal(TBitmap& bmp) {
    TransformBitmap(bmp, [](ImageBuffer& pixels) { SpiegelnHorizontal(pixels); });
}

void SpiegelnVertikal(TBitmap& bmp) {
    TransformBitmap(bmp, [](ImageBuffer& pixels) { SpiegelnVertikal(pixels); });
}

void Drehen90Grad(TBitmap& bmp) {
    TransformBitmap(bmp, [](ImageBuffer& pixels) { Drehen90Grad(pixels); });
}

void Drehen270Grad(TBitmap& bmp) {
    TransformBitmap(bmp, [](ImageBuffer& pixels) { Drehen270Grad(pixels); });
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
