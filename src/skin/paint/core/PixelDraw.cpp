#include "PixelDraw.h"

#include <algorithm>

namespace relayon::skin::paint {

namespace {

constexpr uint32_t kMagenta = 0xFF00FF;

bool Inside(const PixelImage& img, int x, int y) { return x >= 0 && y >= 0 && x < img.width && y < img.height; }

// The part of `b` that lies inside the image.
SliceBox ClipTo(const PixelImage& img, SliceBox b) {
    const int x0 = std::max(b.x, 0), y0 = std::max(b.y, 0);
    const int x1 = std::min(b.x + b.w, img.width), y1 = std::min(b.y + b.h, img.height);
    return {x0, y0, x1 - x0, y1 - y0};
}

}  // namespace

void StretchPixels(const PixelImage& src, SliceBox s, PixelImage& dst, SliceBox d, bool transparent) {
    const SliceBox sc = ClipTo(src, s);
    if (sc.Empty() || d.Empty() || s.Empty()) return;
    const SliceBox dc = ClipTo(dst, d);
    for (int y = dc.y; y < dc.y + dc.h; ++y) {
        const int sy = s.y + int((int64_t(y - d.y) * s.h) / d.h);
        for (int x = dc.x; x < dc.x + dc.w; ++x) {
            const int sx = s.x + int((int64_t(x - d.x) * s.w) / d.w);
            // The source box may reach past the image; those pixels are not there to copy.
            if (!Inside(src, sx, sy)) continue;
            const uint32_t c = src.Color(sx, sy);
            if (transparent && c == kMagenta) continue;
            dst.SetColor(x, y, c);
        }
    }
}

void TilePixels(const PixelImage& src, SliceBox s, PixelImage& dst, SliceBox d, bool transparent) {
    if (ClipTo(src, s).Empty() || d.Empty()) return;
    for (int ty = d.y; ty < d.y + d.h; ty += s.h)
        for (int tx = d.x; tx < d.x + d.w; tx += s.w) StretchPixels(src, s, dst, {tx, ty, s.w, s.h}, transparent);
}

void DrawNineSlice(PixelImage& dst, SliceBox d, const PixelImage& src, SliceMargins m, int index, int count,
                   bool transparent, bool tile, bool vertical) {
    const SliceBox cell = FrameBox(src.width, src.height, index, count, vertical);
    const auto plan = NineSlicePlan(cell, m, d.w, d.h, tile);
    if (plan.empty()) return;
    // Composed opaque in a scratch image first, so tiles overrunning the
    // centre are covered by the right and bottom pieces before the result is
    // drawn, transparent or not.
    PixelImage piece = MakePixelImage(d.w, d.h, PixelLayout::Bgr24);
    for (const SlicePiece& p : plan) {
        if (p.tiled) TilePixels(src, p.src, piece, p.dst, false);
        else StretchPixels(src, p.src, piece, p.dst, false);
    }
    StretchPixels(piece, {0, 0, d.w, d.h}, dst, d, transparent);
}

void DrawCentred(PixelImage& dst, SliceBox d, const PixelImage& src, int index, int count, bool transparent) {
    const SliceBox cell = FrameBox(src.width, src.height, index, count, false);
    if (cell.Empty() || d.w < 0 || d.h < 0) return;
    StretchPixels(src, cell, dst, {d.x + (d.w - cell.w) / 2, d.y + (d.h - cell.h) / 2, cell.w, cell.h}, transparent);
}

}  // namespace relayon::skin::paint
