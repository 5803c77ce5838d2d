#include "SheetCanvas.h"

#include <algorithm>

#include "Raster.h"
#include "TinyFont.h"

namespace skinview {

using relayon::skin::SolidImage;

namespace {

constexpr TColor Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }
constexpr TColor kBackground = Rgb(70, 74, 82);
constexpr TColor kLabel = Rgb(238, 240, 244);
constexpr TColor kDim = Rgb(170, 176, 186);
constexpr TColor kWarning = Rgb(255, 176, 64);
constexpr TColor kOutline = Rgb(40, 42, 48);
constexpr TColor kMagenta = Rgb(255, 0, 255);
constexpr int kMargin = 10;
constexpr int kFrameGap = 8;

} // namespace

SheetCanvas::SheetCanvas(const SheetStyle& style) : style_(style), img_(SolidImage(style.width, 256, kBackground)) {}

void SheetCanvas::EnsureHeight(int bottom) {
    if (bottom <= img_.height) return;
    PixelImage bigger = SolidImage(img_.width, std::max(bottom, img_.height * 2), kBackground);
    std::copy(img_.pixels.begin(), img_.pixels.end(), bigger.pixels.begin());
    img_ = std::move(bigger);
}

void SheetCanvas::Heading(const std::string& text) {
    EnsureHeight(y_ + 2 * kLineHeight + 4);
    DrawText(img_, kMargin, y_, text, kLabel, 2);
    y_ += 2 * kLineHeight + 4;
}

void SheetCanvas::Note(const std::string& text, bool warning) {
    EnsureHeight(y_ + kLineHeight);
    DrawText(img_, kMargin, y_, text, warning ? kWarning : kDim);
    y_ += kLineHeight;
}

void SheetCanvas::Frames(const std::string& label, const PixelImage& image, int frames, bool stacked) {
    EnsureHeight(y_ + kLineHeight + 2);
    DrawText(img_, kMargin, y_, label, kLabel);
    y_ += kLineHeight + 2;
    frames = std::max(frames, 1);
    const int cw = stacked ? image.width : image.width / frames;
    const int ch = stacked ? image.height / frames : image.height;
    if (cw <= 0 || ch <= 0) {
        Note("  (image smaller than its frame count)", true);
        return;
    }
    const int z = style_.zoom;
    int x = kMargin;
    int rowHeight = ch * z + 2 + kLineHeight;
    for (int f = 0; f < frames; ++f) {
        if (x > kMargin && x + cw * z + 2 > style_.width - kMargin) {
            x = kMargin;
            y_ += rowHeight + 4;
        }
        EnsureHeight(y_ + rowHeight + 4);
        const int sx = stacked ? 0 : f * cw, sy = stacked ? f * ch : 0;
        // Outline, then the zoomed frame inside it.
        for (int i = 0; i < cw * z + 2; ++i) {
            Plot(img_, x + i, y_, kOutline);
            Plot(img_, x + i, y_ + ch * z + 1, kOutline);
        }
        for (int j = 0; j < ch * z + 2; ++j) {
            Plot(img_, x, y_ + j, kOutline);
            Plot(img_, x + cw * z + 1, y_ + j, kOutline);
        }
        for (int py = 0; py < ch; ++py)
            for (int px = 0; px < cw; ++px) {
                const TColor c = ColorAt(image, sx + px, sy + py);
                for (int dy = 0; dy < z; ++dy)
                    for (int dx = 0; dx < z; ++dx) {
                        const int tx = x + 1 + px * z + dx, ty = y_ + 1 + py * z + dy;
                        TColor shown = c;
                        if (c == kMagenta && !style_.keepMagenta)
                            shown = (((tx / 4) + (ty / 4)) & 1) ? Rgb(204, 204, 204) : Rgb(236, 236, 236);
                        Plot(img_, tx, ty, shown);
                    }
            }
        DrawText(img_, x + 1, y_ + ch * z + 4, std::to_string(f + 1), kDim);
        x += std::max(cw * z + 2, TextWidth(std::to_string(f + 1))) + kFrameGap;
    }
    y_ += rowHeight + 8;
}

void SheetCanvas::Picture(const std::string& label, const PixelImage& image) {
    EnsureHeight(y_ + kLineHeight + 2 + image.height + 12);
    DrawText(img_, kMargin, y_, label, kLabel);
    y_ += kLineHeight + 2;
    for (int j = -1; j <= image.height; ++j)
        for (int i = -1; i <= image.width; ++i) {
            const bool edge = i < 0 || j < 0 || i == image.width || j == image.height;
            Plot(img_, kMargin + 1 + i, y_ + 1 + j, edge ? kOutline : ColorAt(image, i, j));
        }
    y_ += image.height + 12;
}

void SheetCanvas::Swatch(const std::string& label, TColor colour) {
    EnsureHeight(y_ + 14);
    for (int j = 0; j < 12; ++j)
        for (int i = 0; i < 24; ++i)
            Plot(img_, kMargin + i, y_ + j, (i == 0 || j == 0 || i == 23 || j == 11) ? kOutline : colour);
    DrawText(img_, kMargin + 32, y_ + 2, label, kLabel);
    y_ += 14;
}

PixelImage SheetCanvas::Finish() const {
    PixelImage out = SolidImage(img_.width, std::min(img_.height, y_ + 8), 0);
    std::copy(img_.pixels.begin(), img_.pixels.begin() + static_cast<std::ptrdiff_t>(out.pixels.size()), out.pixels.begin());
    return out;
}

} // namespace skinview
