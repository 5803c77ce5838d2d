#include "Painter.h"

#include <algorithm>
#include <cmath>

namespace skingen {

TColor Mix(TColor a, TColor b, int t) {
    auto ch = [&](int shift) {
        const int x = (a >> shift) & 0xFF, y = (b >> shift) & 0xFF;
        return (x * (256 - t) + y * t + 128) >> 8;
    };
    return Rgb(ch(0), ch(8), ch(16));
}

void Cell::Pixel(int x, int y, TColor c) const {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    img.SetColor(ox + x, oy + y, c);
}

void Cell::Fill(int x0, int y0, int x1, int y1, TColor c) const {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) Pixel(x, y, c);
}

void Cell::HLine(int x0, int x1, int y, TColor c) const {
    for (int x = x0; x <= x1; ++x) Pixel(x, y, c);
}

void Cell::VLine(int x, int y0, int y1, TColor c) const {
    for (int y = y0; y <= y1; ++y) Pixel(x, y, c);
}

void Cell::Frame(int x0, int y0, int x1, int y1, TColor c) const {
    HLine(x0, x1 - 1, y0, c);
    HLine(x0, x1 - 1, y1 - 1, c);
    VLine(x0, y0, y1 - 1, c);
    VLine(x1 - 1, y0, y1 - 1, c);
}

void Cell::VGradient(int x0, int y0, int x1, int y1, TColor top, TColor bottom) const {
    const int n = y1 - y0;
    for (int i = 0; i < n; ++i) {
        const int t = n > 1 ? i * 256 / (n - 1) : 128;
        HLine(x0, x1 - 1, y0 + i, Mix(top, bottom, t));
    }
}

void Cell::HGradient(int x0, int y0, int x1, int y1, TColor left, TColor right) const {
    const int n = x1 - x0;
    for (int i = 0; i < n; ++i) {
        const int t = n > 1 ? i * 256 / (n - 1) : 128;
        VLine(x0 + i, y0, y1 - 1, Mix(left, right, t));
    }
}

void Cell::Plate(int x0, int y0, int x1, int y1, TColor top, TColor bottom, TColor border, TColor corner) const {
    VGradient(x0 + 1, y0 + 1, x1 - 1, y1 - 1, top, bottom);
    Frame(x0, y0, x1, y1, border);
    Pixel(x0, y0, corner);
    Pixel(x1 - 1, y0, corner);
    Pixel(x0, y1 - 1, corner);
    Pixel(x1 - 1, y1 - 1, corner);
}

void Cell::Arrow(int cx, int cy, int size, char dir, TColor c) const {
    // Rows of the triangle shrink by one pixel per side from the base to the tip.
    for (int i = 0; i < size; ++i) {
        const int half = size - 1 - i;
        switch (dir) {
        case 'd': HLine(cx - half, cx + half, cy - size / 2 + i, c); break;
        case 'u': HLine(cx - half, cx + half, cy + size / 2 - i, c); break;
        case 'r': VLine(cx - size / 2 + i, cy - half, cy + half, c); break;
        case 'l': VLine(cx + size / 2 - i, cy - half, cy + half, c); break;
        }
    }
}

void Cell::Disc(double cx, double cy, double radius, TColor c) const {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            if (dx * dx + dy * dy <= radius * radius) Pixel(x, y, c);
        }
}

void Cell::Ring(double cx, double cy, double radius, TColor c) const {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            if (d <= radius && d > radius - 1.0) Pixel(x, y, c);
        }
}

void Cell::Check(int x0, int y0, TColor c) const {
    // Short stroke down-right, then a long stroke up-right.
    const int pts[][2] = {{0, 3}, {1, 4}, {2, 5}, {3, 4}, {4, 3}, {5, 2}, {6, 1}};
    for (const auto& p : pts) {
        Pixel(x0 + p[0], y0 + p[1], c);
        Pixel(x0 + p[0], y0 + p[1] + 1, c);
    }
}

void Cell::Cross(int cx, int cy, int half, TColor c) const {
    for (int i = -half; i <= half; ++i) {
        Pixel(cx + i, cy + i, c);
        Pixel(cx + i + 1, cy + i, c);
        Pixel(cx + i, cy - i, c);
        Pixel(cx + i + 1, cy - i, c);
    }
}

Cell CellOf(PixelImage& img, int index, int count) {
    const int w = img.width / count;
    return Cell{img, index * w, 0, w, img.height};
}

Cell StackedCellOf(PixelImage& img, int index, int count) {
    const int h = img.height / count;
    return Cell{img, 0, index * h, img.width, h};
}

} // namespace skingen
