#include "skin/data/Imgutil.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace relayon::skin {

namespace {

constexpr TColor Rgb(int r, int g, int b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }
constexpr int RedOf(TColor c) { return c & 0xFF; }
constexpr int GreenOf(TColor c) { return (c >> 8) & 0xFF; }
constexpr int BlueOf(TColor c) { return (c >> 16) & 0xFF; }

} // namespace

PixelImage SolidImage(int width, int height, TColor colour) {
    PixelImage image = MakePixelImage(std::max(width, 0), std::max(height, 0), PixelLayout::Bgr24);
    const uint8_t pixel[3] = {static_cast<uint8_t>(BlueOf(colour)), static_cast<uint8_t>(GreenOf(colour)),
                              static_cast<uint8_t>(RedOf(colour))};
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) std::memcpy(image.Row(y) + 3 * x, pixel, 3);
    return image;
}

void ChangeTrans(PixelImage& bmp, TColor colour) {
    if (bmp.layout != PixelLayout::Bgr24) bmp = ConvertLayout(bmp, PixelLayout::Bgr24);
    const uint8_t r = static_cast<uint8_t>(RedOf(colour));
    const uint8_t g = static_cast<uint8_t>(GreenOf(colour));
    const uint8_t b = static_cast<uint8_t>(BlueOf(colour));
    for (int y = 0; y < bmp.height; ++y) {
        uint8_t* p = bmp.Row(y);
        for (int x = 0; x < bmp.width; ++x, p += 3) {
            if (p[0] == 255 && p[1] == 0 && p[2] == 255) {
                p[0] = b;
                p[1] = g;
                p[2] = r;
            }
        }
    }
}

namespace {

// A zero-filled image of the given size in the layout and palette of `like`.
PixelImage BlankLike(const PixelImage& like, int width, int height) {
    PixelImage image;
    image.width = width;
    image.height = height;
    image.layout = like.layout;
    image.palette = like.palette;
    image.pixels.assign(image.Stride() * static_cast<size_t>(height), 0);
    return image;
}

// Pixel (sx, sy) of `from` to (dx, dy) of `to`, both of one layout: its bytes,
// or its palette index where pixels share a byte.
void MovePixel(const PixelImage& from, int sx, int sy, PixelImage& to, int dx, int dy) {
    const int bits = BitsPerPixel(from.layout);
    if (bits < 8) {
        to.SetIndex(dx, dy, from.Index(sx, sy));
        return;
    }
    const size_t bytes = static_cast<size_t>(bits / 8);
    std::memcpy(to.Row(dy) + dx * bytes, from.Row(sy) + sx * bytes, bytes);
}

} // namespace

void SpiegelnHorizontal(PixelImage& bmp) {
    if (bmp.Empty()) return;
    PixelImage result = BlankLike(bmp, bmp.width, bmp.height);
    const int bits = BitsPerPixel(bmp.layout);
    if (bits < 8) {
        for (int y = 0; y < bmp.height; ++y)
            for (int x = 0; x < bmp.width; ++x) MovePixel(bmp, x, y, result, bmp.width - 1 - x, y);
    } else {
        // Whole pixels move as byte groups, row by row: the skin loader
        // mirrors every combo strip, and pixel-by-pixel moves dominated that.
        const size_t bytes = static_cast<size_t>(bits / 8);
        for (int y = 0; y < bmp.height; ++y) {
            const uint8_t* from = bmp.Row(y);
            uint8_t* to = result.Row(y) + (bmp.width - 1) * bytes;
            for (int x = 0; x < bmp.width; ++x, from += bytes, to -= bytes) std::memcpy(to, from, bytes);
        }
    }
    bmp = std::move(result);
}

void SpiegelnVertikal(PixelImage& bmp) {
    if (bmp.Empty()) return;
    PixelImage result = BlankLike(bmp, bmp.width, bmp.height);
    for (int y = 0; y < bmp.height; ++y) std::memcpy(result.Row(bmp.height - 1 - y), bmp.Row(y), bmp.Stride());
    bmp = std::move(result);
}

void Drehen90Grad(PixelImage& bmp) {
    if (bmp.Empty()) return;
    PixelImage result = BlankLike(bmp, bmp.height, bmp.width);
    for (int y = 0; y < result.height; ++y)
        for (int x = 0; x < result.width; ++x) MovePixel(bmp, y, bmp.height - 1 - x, result, x, y);
    bmp = std::move(result);
}

void Drehen270Grad(PixelImage& bmp) {
    if (bmp.Empty()) return;
    PixelImage result = BlankLike(bmp, bmp.height, bmp.width);
    for (int y = 0; y < result.height; ++y)
        for (int x = 0; x < result.width; ++x) MovePixel(bmp, bmp.width - 1 - y, x, result, x, y);
    bmp = std::move(result);
}

TColor Blend(TColor c1, TColor c2, int w, const SystemColorResolver& resolve) {
    c1 = ColorToRGB(c1, resolve);
    c2 = ColorToRGB(c2, resolve);
    const int d = w < 100 ? 100 : 1000;
    auto mix = [&](int a, int b) {
        // 64-bit so that absurd weights cannot overflow; the low byte is kept.
        const int64_t v = (static_cast<int64_t>(b) * (d - w) + static_cast<int64_t>(a) * w + d / 2) / d;
        return static_cast<int>(v & 0xFF);
    };
    return Rgb(mix(RedOf(c1), RedOf(c2)), mix(GreenOf(c1), GreenOf(c2)), mix(BlueOf(c1), BlueOf(c2)));
}

int GetHSV(TColor colour) {
    const int r = RedOf(colour), g = GreenOf(colour), b = BlueOf(colour);
    if (r < 160 && g < 160 && b < 160) return 200;
    const int mx = std::max({r, g, b});
    const int mn = std::min({r, g, b});
    if (mx == 0) return 0;
    // 255 * (max - min) / max in one division, so exact halves stay exact
    // and round to even, as the measure is defined.
    const double scaled = static_cast<double>(mx - mn) * 255.0 / mx;
    return static_cast<int>(std::nearbyint(scaled));  // default rounding mode: halves to even
}

std::vector<TColor> GradientTableCache::Build(int n, TColor c1, TColor c2) {
    std::vector<TColor> table;
    if (n <= 0) return table;
    table.resize(n);
    const int r1 = RedOf(c1), g1 = GreenOf(c1), b1 = BlueOf(c1);
    const int dr = RedOf(c2) - r1, dg = GreenOf(c2) - g1, db = BlueOf(c2) - b1;
    if (n == 1) {
        table[0] = Rgb(r1 + dr / 2, g1 + dg / 2, b1 + db / 2);
        return table;
    }
    const int steps = n - 1;
    for (int i = 0; i < n; ++i) {
        // Rounded to nearest with halves away from zero, so a falling channel
        // ends exactly on c2 just as a rising one does; 64-bit products keep a
        // huge rectangle from overflowing i * delta.
        auto channel = [&](int start, int delta) {
            const int64_t num = static_cast<int64_t>(i) * delta;
            const int64_t half = steps / 2;
            const int64_t q = num >= 0 ? (num + half) / steps : (num - half) / steps;
            return start + static_cast<int>(q);
        };
        table[i] = Rgb(channel(r1, dr), channel(g1, dg), channel(b1, db));
    }
    return table;
}

const std::vector<TColor>& GradientTableCache::Get(int n, TColor c1, TColor c2) {
    std::vector<TColor> fresh = Build(n, c1, c2);
    for (int slot = kSlots - 1; slot >= 0; --slot) {
        const auto& t = slots_[slot];
        if (!fresh.empty() && t.size() == fresh.size() && t.front() == fresh.front() && t.back() == fresh.back()) {
            ++hits_;
            return t;
        }
    }
    ++misses_;
    const int slot = next_;
    next_ = (next_ + 1) % kSlots;
    slots_[slot] = std::move(fresh);
    return slots_[slot];
}

void GradientTableCache::Clear() {
    for (auto& s : slots_) s.clear();
    next_ = hits_ = misses_ = 0;
}

GradientTableCache& SharedGradientCache() {
    static GradientTableCache cache;
    return cache;
}

int GradFill(const TRect& rect, TColor c1, int vertical, TColor c2, const TRect& clipBox, const BandFiller& fillBand,
             GradientTableCache& cache, const SystemColorResolver& resolve) {
    const TRect visible{std::max(rect.Left, clipBox.Left), std::max(rect.Top, clipBox.Top),
                        std::min(rect.Right, clipBox.Right), std::min(rect.Bottom, clipBox.Bottom)};
    if (visible.Left >= visible.Right || visible.Top >= visible.Bottom) return 0;
    c1 = ColorToRGB(c1, resolve);
    c2 = ColorToRGB(c2, resolve);

    const int n = vertical ? rect.Height() : rect.Width();
    if (n <= 0) return 0;
    const int start = vertical ? rect.Top : rect.Left;
    const int clipStart = vertical ? clipBox.Top : clipBox.Left;
    const int clipEnd = vertical ? clipBox.Bottom : clipBox.Right;
    const int first = clipStart > start ? clipStart - start : 0;
    const int last = std::min(n - 1, clipEnd - start - 1);
    if (first > last) return 0;

    const std::vector<TColor>& table = cache.Get(n, c1, c2);
    int filled = 0;
    for (int i = first; i <= last; ++i) {
        const TRect band = vertical ? TRect{rect.Left, rect.Top + i, rect.Right, rect.Top + i + 1}
                                    : TRect{rect.Left + i, rect.Top, rect.Left + i + 1, rect.Bottom};
        fillBand(band, table[i]);
        ++filled;
    }
    return filled;
}

int GradFill(PixelImage& target, const TRect& rect, TColor c1, int vertical, TColor c2, const TRect* clip,
             GradientTableCache& cache) {
    TRect box{0, 0, target.width, target.height};
    if (clip) {
        box = TRect{std::max(box.Left, clip->Left), std::max(box.Top, clip->Top), std::min(box.Right, clip->Right),
                    std::min(box.Bottom, clip->Bottom)};
    }
    return GradFill(
        rect, c1, vertical, c2, box,
        [&](const TRect& band, TColor colour) {
            // Bands span the whole rectangle across; only the visible part is written.
            for (int y = std::max(band.Top, box.Top); y < std::min(band.Bottom, box.Bottom); ++y)
                for (int x = std::max(band.Left, box.Left); x < std::min(band.Right, box.Right); ++x)
                    target.SetColor(x, y, static_cast<uint32_t>(colour));
        },
        cache);
}

} // namespace relayon::skin
