#include "toolkit/core/PixelImage.h"

#include <limits>
#include <stdexcept>

int BitsPerPixel(PixelLayout layout) {
    switch (layout) {
        case PixelLayout::Indexed1: return 1;
        case PixelLayout::Indexed4: return 4;
        case PixelLayout::Indexed8: return 8;
        case PixelLayout::Rgb555:
        case PixelLayout::Rgb565: return 16;
        case PixelLayout::Bgr24: return 24;
        case PixelLayout::Bgra32: return 32;
    }
    return 24;
}

bool IsIndexed(PixelLayout layout) { return BitsPerPixel(layout) <= 8; }

size_t RowStride(int width, PixelLayout layout) {
    if (width <= 0) return 0;
    return ((size_t(width) * size_t(BitsPerPixel(layout)) + 31) / 32) * 4;
}

namespace {

// 5- and 6-bit channels widened so that full scale maps to 255.
uint8_t Widen5(unsigned v) { return uint8_t((v << 3) | (v >> 2)); }
uint8_t Widen6(unsigned v) { return uint8_t((v << 2) | (v >> 4)); }

}  // namespace

unsigned PixelImage::Index(int x, int y) const {
    const uint8_t* row = Row(y);
    switch (layout) {
        case PixelLayout::Indexed1: return (row[x / 8] >> (7 - x % 8)) & 1u;
        case PixelLayout::Indexed4: return (row[x / 2] >> (x % 2 ? 0 : 4)) & 0xFu;
        case PixelLayout::Indexed8: return row[x];
        default: return 0;
    }
}

void PixelImage::SetIndex(int x, int y, unsigned index) {
    uint8_t* row = Row(y);
    switch (layout) {
        case PixelLayout::Indexed1: {
            const uint8_t bit = uint8_t(0x80u >> (x % 8));
            row[x / 8] = (index & 1u) ? uint8_t(row[x / 8] | bit) : uint8_t(row[x / 8] & ~bit);
            break;
        }
        case PixelLayout::Indexed4: {
            const int shift = x % 2 ? 0 : 4;
            row[x / 2] = uint8_t((row[x / 2] & ~(0xF << shift)) | ((index & 0xFu) << shift));
            break;
        }
        case PixelLayout::Indexed8: row[x] = uint8_t(index); break;
        default: break;
    }
}

uint32_t PixelImage::Color(int x, int y) const {
    const uint8_t* row = Row(y);
    switch (layout) {
        case PixelLayout::Indexed1:
        case PixelLayout::Indexed4:
        case PixelLayout::Indexed8: {
            const unsigned i = Index(x, y);
            return i < palette.size() ? PackRgb(palette[i]) : 0;
        }
        case PixelLayout::Rgb555: {
            const unsigned v = row[2 * x] | (row[2 * x + 1] << 8);
            return PackRgb(Widen5((v >> 10) & 31), Widen5((v >> 5) & 31), Widen5(v & 31));
        }
        case PixelLayout::Rgb565: {
            const unsigned v = row[2 * x] | (row[2 * x + 1] << 8);
            return PackRgb(Widen5((v >> 11) & 31), Widen6((v >> 5) & 63), Widen5(v & 31));
        }
        case PixelLayout::Bgr24: return PackRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
        case PixelLayout::Bgra32: return PackRgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
    }
    return 0;
}

void PixelImage::SetColor(int x, int y, uint32_t rgb) {
    uint8_t* row = Row(y);
    const unsigned r = RedOf(rgb), g = GreenOf(rgb), b = BlueOf(rgb);
    switch (layout) {
        case PixelLayout::Indexed1:
        case PixelLayout::Indexed4:
        case PixelLayout::Indexed8: SetIndex(x, y, NearestPaletteIndex(palette, rgb)); break;
        case PixelLayout::Rgb555: {
            const unsigned v = ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
            row[2 * x] = uint8_t(v);
            row[2 * x + 1] = uint8_t(v >> 8);
            break;
        }
        case PixelLayout::Rgb565: {
            const unsigned v = ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
            row[2 * x] = uint8_t(v);
            row[2 * x + 1] = uint8_t(v >> 8);
            break;
        }
        case PixelLayout::Bgr24:
            row[3 * x] = uint8_t(b);
            row[3 * x + 1] = uint8_t(g);
            row[3 * x + 2] = uint8_t(r);
            break;
        case PixelLayout::Bgra32:
            row[4 * x] = uint8_t(b);
            row[4 * x + 1] = uint8_t(g);
            row[4 * x + 2] = uint8_t(r);
            break;
    }
}

uint8_t PixelImage::Alpha(int x, int y) const {
    return layout == PixelLayout::Bgra32 ? Row(y)[4 * x + 3] : 0;
}

std::vector<PaletteEntry> DefaultPalette(PixelLayout layout) {
    static const uint32_t kVga[16] = {
        0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
        0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
    };
    std::vector<PaletteEntry> palette;
    switch (layout) {
        case PixelLayout::Indexed1:
            palette = {EntryOf(0x000000), EntryOf(0xFFFFFF)};
            break;
        case PixelLayout::Indexed4:
            for (uint32_t c : kVga) palette.push_back(EntryOf(c));
            break;
        case PixelLayout::Indexed8:
            for (uint32_t c : kVga) palette.push_back(EntryOf(c));
            for (int r = 0; r < 6; ++r)
                for (int g = 0; g < 6; ++g)
                    for (int b = 0; b < 6; ++b)
                        palette.push_back(EntryOf(PackRgb(uint8_t(r * 51), uint8_t(g * 51), uint8_t(b * 51))));
            for (int i = 0; i < 24; ++i) {
                const uint8_t v = uint8_t(8 + i * 10);
                palette.push_back(EntryOf(PackRgb(v, v, v)));
            }
            break;
        default: break;
    }
    return palette;
}

PixelImage MakePixelImage(int width, int height, PixelLayout layout) {
    if (width < 0 || height < 0) throw std::invalid_argument("negative image size");
    PixelImage image;
    image.width = width;
    image.height = height;
    image.layout = layout;
    image.palette = DefaultPalette(layout);
    image.pixels.assign(image.Stride() * size_t(height), 0);
    return image;
}

unsigned NearestPaletteIndex(const std::vector<PaletteEntry>& palette, uint32_t rgb) {
    unsigned best = 0;
    long bestDistance = std::numeric_limits<long>::max();
    for (size_t i = 0; i < palette.size(); ++i) {
        const long dr = long(palette[i].red) - RedOf(rgb);
        const long dg = long(palette[i].green) - GreenOf(rgb);
        const long db = long(palette[i].blue) - BlueOf(rgb);
        const long distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = unsigned(i);
            if (distance == 0) break;
        }
    }
    return best;
}

PixelImage ConvertLayout(const PixelImage& source, PixelLayout target) {
    if (source.layout == target) return source;
    PixelImage result = MakePixelImage(source.width, source.height, target);
    const bool keepIndices = IsIndexed(source.layout) && IsIndexed(target) &&
                             source.palette.size() <= (size_t(1) << BitsPerPixel(target));
    if (keepIndices) {
        result.palette = source.palette;
        for (int y = 0; y < source.height; ++y)
            for (int x = 0; x < source.width; ++x) result.SetIndex(x, y, source.Index(x, y));
        return result;
    }
    for (int y = 0; y < source.height; ++y)
        for (int x = 0; x < source.width; ++x) result.SetColor(x, y, source.Color(x, y));
    return result;
}
