#pragma once
// A portable in-memory raster: the form in which bitmap files are read and
// written and in which TBitmap moves pixels in and out of a DIB section.
//
// Rows are stored top row first, each padded to a multiple of 4 bytes, and
// every row holds pixels exactly as a Windows DIB of the same depth does:
//
//   | layout   | bits | one pixel                                          |
//   |----------|------|----------------------------------------------------|
//   | Indexed1 | 1    | palette index, leftmost pixel in the high bit      |
//   | Indexed4 | 4    | palette index, leftmost pixel in the high nibble   |
//   | Indexed8 | 8    | palette index                                      |
//   | Rgb555   | 16   | little-endian 0RRRRRGGGGGBBBBB                     |
//   | Rgb565   | 16   | little-endian RRRRRGGGGGGBBBBB                     |
//   | Bgr24    | 24   | bytes blue, green, red                             |
//   | Bgra32   | 32   | bytes blue, green, red, alpha (alpha kept as found) |
//
// Colours exchanged with the outside are 0x00BBGGRR values (the toolkit's
// TColor for plain colours).
#include <cstddef>
#include <cstdint>
#include <vector>

enum class PixelLayout : uint8_t { Indexed1, Indexed4, Indexed8, Rgb555, Rgb565, Bgr24, Bgra32 };

// One palette entry in file order (blue, green, red, unused).
struct PaletteEntry {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
    uint8_t reserved = 0;
    friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

int BitsPerPixel(PixelLayout layout);
bool IsIndexed(PixelLayout layout);
// Bytes of one stored row (padded to 4 bytes); 0 for a negative width.
size_t RowStride(int width, PixelLayout layout);

// 0x00BBGGRR from bytes and back.
constexpr uint32_t PackRgb(uint8_t red, uint8_t green, uint8_t blue) {
    return uint32_t(red) | (uint32_t(green) << 8) | (uint32_t(blue) << 16);
}
constexpr uint8_t RedOf(uint32_t rgb) { return uint8_t(rgb & 0xFF); }
constexpr uint8_t GreenOf(uint32_t rgb) { return uint8_t((rgb >> 8) & 0xFF); }
constexpr uint8_t BlueOf(uint32_t rgb) { return uint8_t((rgb >> 16) & 0xFF); }
inline uint32_t PackRgb(const PaletteEntry& e) { return PackRgb(e.red, e.green, e.blue); }
inline PaletteEntry EntryOf(uint32_t rgb) { return PaletteEntry{BlueOf(rgb), GreenOf(rgb), RedOf(rgb), 0}; }

struct PixelImage {
    int width = 0;
    int height = 0;
    PixelLayout layout = PixelLayout::Bgr24;
    // Only for indexed layouts; at most 2^bits entries. An index past the end
    // reads as black.
    std::vector<PaletteEntry> palette;
    std::vector<uint8_t> pixels;  // height rows of Stride() bytes, top row first

    size_t Stride() const { return RowStride(width, layout); }
    bool Empty() const { return width <= 0 || height <= 0; }
    uint8_t* Row(int y) { return pixels.data() + size_t(y) * Stride(); }
    const uint8_t* Row(int y) const { return pixels.data() + size_t(y) * Stride(); }

    // Palette index of an indexed pixel (0 for other layouts).
    unsigned Index(int x, int y) const;
    void SetIndex(int x, int y, unsigned index);
    // The pixel's colour as 0x00BBGGRR, palette resolved.
    uint32_t Color(int x, int y) const;
    // Stores a colour; an indexed image takes the nearest palette entry.
    void SetColor(int x, int y, uint32_t rgb);
    // Alpha byte of a Bgra32 pixel; 0 for every other layout.
    uint8_t Alpha(int x, int y) const;
};

// The palettes new indexed images start with: black and white; the sixteen
// classic VGA colours; and those sixteen followed by a 6x6x6 colour cube and
// a 24-step grey ramp.
std::vector<PaletteEntry> DefaultPalette(PixelLayout layout);

// A zero-filled image (black, or palette entry 0) with the default palette.
// Callers check sizes first; this only refuses negative ones.
PixelImage MakePixelImage(int width, int height, PixelLayout layout);

// The index of the palette entry closest to `rgb` (squared distance; the
// first of equals). 0 for an empty palette.
unsigned NearestPaletteIndex(const std::vector<PaletteEntry>& palette, uint32_t rgb);

// The same picture in another layout. Colours survive exactly going to
// Bgr24/Bgra32; 16-bit layouts drop low bits; indexed targets get the
// default palette and the nearest entry per pixel, except that an indexed
// source whose palette fits the target keeps its palette and indices.
PixelImage ConvertLayout(const PixelImage& source, PixelLayout target);
