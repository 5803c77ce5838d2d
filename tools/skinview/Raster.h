#pragma once
// Pixel access for the viewer's drawing code, which lays things out by
// arithmetic and may reach past an image's edge: reads there give black,
// writes there are dropped.
#include "skin/data/Imgutil.h"

namespace skinview {

inline bool Inside(const PixelImage& img, int x, int y) { return x >= 0 && y >= 0 && x < img.width && y < img.height; }

inline TColor ColorAt(const PixelImage& img, int x, int y) {
    return Inside(img, x, y) ? static_cast<TColor>(img.Color(x, y)) : 0;
}

inline void Plot(PixelImage& img, int x, int y, TColor colour) {
    if (Inside(img, x, y)) img.SetColor(x, y, static_cast<uint32_t>(colour));
}

} // namespace skinview
