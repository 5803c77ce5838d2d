#pragma once
// Small pixel-exact drawing helpers for the skin generator: everything lands
// on whole pixels, no anti-aliasing, so skin details stay crisp at 1 pixel.
#include "skin/data/Imgutil.h"

namespace skingen {


constexpr TColor Rgb(int r, int g, int b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }
constexpr TColor kMagenta = Rgb(255, 0, 255);

// Mixes a and b; t = 0 gives a, t = 256 gives b.
TColor Mix(TColor a, TColor b, int t);

// A cell of a multi-frame strip: drawing calls use cell-local coordinates.
struct Cell {
    PixelImage& img;
    int ox, oy, w, h;

    void Pixel(int x, int y, TColor c) const;
    void Fill(int x0, int y0, int x1, int y1, TColor c) const;  // [x0, x1) x [y0, y1)
    void FillAll(TColor c) const { Fill(0, 0, w, h, c); }
    void HLine(int x0, int x1, int y, TColor c) const;           // inclusive ends
    void VLine(int x, int y0, int y1, TColor c) const;
    void Frame(int x0, int y0, int x1, int y1, TColor c) const;  // 1-pixel outline of [x0, x1) x [y0, y1)
    // Top-to-bottom gradient over [x0, x1) x [y0, y1).
    void VGradient(int x0, int y0, int x1, int y1, TColor top, TColor bottom) const;
    // Left-to-right gradient.
    void HGradient(int x0, int y0, int x1, int y1, TColor left, TColor right) const;
    // A plate: gradient face, 1-pixel border, corners cut by one pixel and
    // filled with `corner` (magenta for transparent corners).
    void Plate(int x0, int y0, int x1, int y1, TColor top, TColor bottom, TColor border, TColor corner) const;
    // Filled triangle arrow with its tip pointing `dir` ('l', 'r', 'u', 'd'),
    // centred on (cx, cy); size = half the base length.
    void Arrow(int cx, int cy, int size, char dir, TColor c) const;
    // A filled disc and a 1-pixel circle outline centred on the cell.
    void Disc(double cx, double cy, double radius, TColor c) const;
    void Ring(double cx, double cy, double radius, TColor c) const;
    // A check mark inside the box [x0, x0 + 7) x [y0, y0 + 7), two pixels thick.
    void Check(int x0, int y0, TColor c) const;
    // A diagonal cross of the given size centred on (cx, cy), two pixels thick.
    void Cross(int cx, int cy, int half, TColor c) const;
};

// Cell `index` (0-based) of a strip of `count` equal cells side by side.
Cell CellOf(PixelImage& img, int index, int count);
// Cell `index` of `count` cells stacked top to bottom.
Cell StackedCellOf(PixelImage& img, int index, int count);

} // namespace skingen
