// Reading and writing .bmp files: files from an outside writer, hand-built
// files for each header and compression, round trips in every layout, and
// truncated, corrupted and oversized input.
#include "toolkit/core/BmpCodec.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <random>

#include "BmpFixtures.h"
#include "base/ByteIo.h"

namespace {

// ---- a small, independent writer of bitmap headers, field by field ----------

void Put16(std::vector<uint8_t>& out, uint32_t v) { relayon::ByteWriter(out).U16(uint16_t(v)); }
void Put32(std::vector<uint8_t>& out, uint32_t v) { relayon::ByteWriter(out).U32(v); }
void Set32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(v >> (8 * i));
}
void Set16(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
    bytes[at] = uint8_t(v);
    bytes[at + 1] = uint8_t(v >> 8);
}

struct DibFields {
    uint32_t headerSize = 40;
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bits = 24;
    uint32_t compression = 0;
    uint32_t sizeImage = 0;
    uint32_t clrUsed = 0;
    uint32_t masks[4] = {0, 0, 0, 0};
};

std::vector<uint8_t> InfoHeader(const DibFields& f) {
    std::vector<uint8_t> h;
    if (f.headerSize == 12) {
        Put32(h, 12);
        Put16(h, uint32_t(f.width));
        Put16(h, uint32_t(f.height));
        Put16(h, 1);
        Put16(h, f.bits);
        return h;
    }
    Put32(h, f.headerSize);
    Put32(h, uint32_t(f.width));
    Put32(h, uint32_t(f.height));
    Put16(h, 1);
    Put16(h, f.bits);
    Put32(h, f.compression);
    Put32(h, f.sizeImage);
    Put32(h, 2835);
    Put32(h, 2835);
    Put32(h, f.clrUsed);
    Put32(h, 0);
    for (uint32_t m : f.masks) Put32(h, m);
    h.resize(f.headerSize, 0);  // cut short (16-byte OS/2) or zero-extended (V4/V5)
    return h;
}

// File header + info header + `between` (masks, palette) + pixels.
std::vector<uint8_t> BmpFile(const DibFields& f, const std::vector<uint8_t>& between, const std::vector<uint8_t>& pixels) {
    const std::vector<uint8_t> info = InfoHeader(f);
    std::vector<uint8_t> out = {'B', 'M'};
    const size_t offBits = 14 + info.size() + between.size();
    Put32(out, uint32_t(offBits + pixels.size()));
    Put32(out, 0);
    Put32(out, uint32_t(offBits));
    out.insert(out.end(), info.begin(), info.end());
    out.insert(out.end(), between.begin(), between.end());
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

std::vector<uint8_t> Palette(std::initializer_list<uint32_t> rgbColours, size_t entrySize = 4) {
    std::vector<uint8_t> out;
    for (uint32_t c : rgbColours) {
        out.push_back(BlueOf(c));
        out.push_back(GreenOf(c));
        out.push_back(RedOf(c));
        if (entrySize == 4) out.push_back(0);
    }
    return out;
}

constexpr uint32_t kWhite = 0xFFFFFF, kRed = 0x0000FF, kLime = 0x00FF00, kBlue = 0xFF0000;

// What every ImageMagick fixture shows.
uint32_t ExpectedFixtureColour(int x, int y) {
    if (x == 0 && y == 0) return kRed;
    if (x == 6 && y == 2) return kBlue;
    if (y == 1 && x >= 1 && x <= 5) return kLime;
    return kWhite;
}

void ExpectFixturePicture(const PixelImage& image) {
    ASSERT_EQ(image.width, 7);
    ASSERT_EQ(image.height, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(image.Color(x, y), ExpectedFixtureColour(x, y)) << "pixel " << x << "," << y;
}

PixelImage RandomImage(int width, int height, PixelLayout layout, std::mt19937& rng) {
    PixelImage image = MakePixelImage(width, height, layout);
    for (auto& b : image.pixels) b = uint8_t(rng());
    if (IsIndexed(layout)) {
        // A palette of its own, shorter than the full table where possible.
        const size_t full = size_t(1) << BitsPerPixel(layout);
        image.palette.resize(full == 2 ? 2 : full - 3);
        for (auto& e : image.palette) e = EntryOf(rng() & 0xFFFFFF);
    }
    return image;
}

void ExpectSameImage(const PixelImage& a, const PixelImage& b) {
    ASSERT_EQ(a.width, b.width);
    ASSERT_EQ(a.height, b.height);
    ASSERT_EQ(a.layout, b.layout);
    EXPECT_EQ(a.palette, b.palette);
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            ASSERT_EQ(a.Color(x, y), b.Color(x, y)) << x << "," << y;
            if (IsIndexed(a.layout)) {
                ASSERT_EQ(a.Index(x, y), b.Index(x, y)) << x << "," << y;
            }
            ASSERT_EQ(a.Alpha(x, y), b.Alpha(x, y));
        }
}

void ExpectInvalid(const std::vector<uint8_t>& bytes, const char* reasonPart, const BmpLimits& limits = {}) {
    try {
        DecodeBmpFile(bytes, limits);
        ADD_FAILURE() << "accepted a bad file, expected: " << reasonPart;
    } catch (const EInvalidGraphic& e) {
        EXPECT_NE(std::string(e.what()).find("Invalid graphic"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find(reasonPart), std::string::npos) << e.what();
    }
}

// ---- files from an outside writer ------------------------------------------

TEST(BmpCodec, ReadsFilesOfAnOutsideWriterInEveryHeaderAndDepth) {
    struct Case {
        const char* name;
        const std::vector<uint8_t>* bytes;
        PixelLayout layout;
    } cases[] = {
        {"24-bit", &kImageMagickRgb24, PixelLayout::Bgr24},
        {"4-bit palette", &kImageMagickPalette4, PixelLayout::Indexed4},
        {"RLE8", &kImageMagickRle8, PixelLayout::Indexed8},
        {"OS/2 core", &kImageMagickOs2Core, PixelLayout::Indexed4},
        {"5-6-5", &kImageMagickRgb565, PixelLayout::Rgb565},
        {"32-bit alpha", &kImageMagickRgba32, PixelLayout::Bgra32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DecodedBmp decoded = DecodeBmpFile(*c.bytes);
        EXPECT_EQ(decoded.image.layout, c.layout);
        EXPECT_LE(decoded.length, c.bytes->size());
        ExpectFixturePicture(decoded.image);
    }
    // The 1-bit file keeps only the red and blue pixels (as black) and lists
    // white first, so white pixels are index 0.
    const PixelImage mono = DecodeBmpFile(kImageMagickMono).image;
    EXPECT_EQ(mono.layout, PixelLayout::Indexed1);
    EXPECT_EQ(mono.palette.size(), 2u);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x) {
            const bool black = (x == 0 && y == 0) || (x == 6 && y == 2);
            EXPECT_EQ(mono.Index(x, y), black ? 1u : 0u) << x << "," << y;
            EXPECT_EQ(mono.Color(x, y), black ? 0u : kWhite) << x << "," << y;
        }
    // The alpha channel survives: (0, 0) is half transparent, the rest opaque.
    const PixelImage rgba = DecodeBmpFile(kImageMagickRgba32).image;
    EXPECT_NEAR(rgba.Alpha(0, 0), 128, 1);
    EXPECT_EQ(rgba.Alpha(1, 0), 255);
}

// ---- hand-built files --------------------------------------------------------

TEST(BmpCodec, RowOrderFollowsTheSignOfTheHeight) {
    // Two rows of two 24-bit pixels: red, lime / blue, white (+2 bytes padding).
    const std::vector<uint8_t> firstStored = {0, 0, 255, 0, 255, 0, 0, 0};
    const std::vector<uint8_t> secondStored = {255, 0, 0, 255, 255, 255, 0, 0};
    std::vector<uint8_t> pixels = firstStored;
    pixels.insert(pixels.end(), secondStored.begin(), secondStored.end());

    DibFields f;
    f.width = 2;
    f.height = 2;
    const PixelImage bottomUp = DecodeBmpFile(BmpFile(f, {}, pixels)).image;
    EXPECT_EQ(bottomUp.Color(0, 1), kRed);  // first stored row is the bottom one
    EXPECT_EQ(bottomUp.Color(1, 1), kLime);
    EXPECT_EQ(bottomUp.Color(0, 0), kBlue);
    EXPECT_EQ(bottomUp.Color(1, 0), kWhite);

    f.height = -2;
    const PixelImage topDown = DecodeBmpFile(BmpFile(f, {}, pixels)).image;
    EXPECT_EQ(topDown.height, 2);
    EXPECT_EQ(topDown.Color(0, 0), kRed);
    EXPECT_EQ(topDown.Color(1, 0), kLime);
    EXPECT_EQ(topDown.Color(0, 1), kBlue);
    EXPECT_EQ(topDown.Color(1, 1), kWhite);
}

TEST(BmpCodec, PalettesShorterThanDeclaredAndIndicesPastTheEnd) {
    // 8-bit, clrUsed 2; pixel values 0, 1, 7 (7 has no entry -> black).
    DibFields f;
    f.width = 3;
    f.bits = 8;
    f.clrUsed = 2;
    const PixelImage image = DecodeBmpFile(BmpFile(f, Palette({kRed, kBlue}), {0, 1, 7, 0})).image;
    EXPECT_EQ(image.palette.size(), 2u);
    EXPECT_EQ(image.Color(0, 0), kRed);
    EXPECT_EQ(image.Color(1, 0), kBlue);
    EXPECT_EQ(image.Index(2, 0), 7u);
    EXPECT_EQ(image.Color(2, 0), 0u);

    // clrUsed 0 means the full 16 entries, but the pixel offset leaves room
    // for only three: those three are read and nothing past them.
    f.bits = 4;
    f.clrUsed = 0;
    const PixelImage clamped = DecodeBmpFile(BmpFile(f, Palette({kRed, kLime, kBlue}), {0x01, 0x20, 0, 0})).image;
    EXPECT_EQ(clamped.palette.size(), 3u);
    EXPECT_EQ(clamped.Color(0, 0), kRed);
    EXPECT_EQ(clamped.Color(1, 0), kLime);
    EXPECT_EQ(clamped.Color(2, 0), kBlue);

    // OS/2 core header: 3-byte entries.
    DibFields core;
    core.headerSize = 12;
    core.width = 2;
    core.bits = 1;
    const PixelImage os2 = DecodeBmpFile(BmpFile(core, Palette({kLime, kRed}, 3), {0x40, 0, 0, 0})).image;
    EXPECT_EQ(os2.Color(0, 0), kLime);
    EXPECT_EQ(os2.Color(1, 0), kRed);
}

TEST(BmpCodec, SixteenAndThirtyTwoBitMasks) {
    // 16-bit without masks is 5-5-5: 0x7C00 red, 0x03E0 green, 0x001F blue.
    DibFields f;
    f.width = 3;
    f.bits = 16;
    PixelImage image = DecodeBmpFile(BmpFile(f, {}, {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0, 0})).image;
    EXPECT_EQ(image.layout, PixelLayout::Rgb555);
    EXPECT_EQ(image.Color(0, 0), kRed);
    EXPECT_EQ(image.Color(1, 0), kLime);
    EXPECT_EQ(image.Color(2, 0), kBlue);

    // 16-bit 4-4-4-4 masks after a 40-byte header (ALPHABITFIELDS): becomes
    // 32-bit with every channel widened.
    f.width = 1;
    f.compression = 6;
    std::vector<uint8_t> masks;
    for (uint32_t m : {0x0F00u, 0x00F0u, 0x000Fu, 0xF000u}) Put32(masks, m);
    image = DecodeBmpFile(BmpFile(f, masks, {0x8F, 0x70, 0, 0})).image;  // 0x708F: alpha 7, red 0, green 8, blue F
    EXPECT_EQ(image.layout, PixelLayout::Bgra32);
    EXPECT_EQ(image.Color(0, 0), PackRgb(0x00, 0x88, 0xFF));  // r=0, g=8, b=F
    EXPECT_EQ(image.Alpha(0, 0), 0x77);

    // 32-bit masks after a 40-byte header, each channel one byte higher than
    // usual: red in byte 1, green in byte 2, blue in byte 3, no alpha.
    f.width = 2;
    f.bits = 32;
    f.compression = 3;
    masks.clear();
    for (uint32_t m : {0x0000FF00u, 0x00FF0000u, 0xFF000000u}) Put32(masks, m);
    std::vector<uint8_t> shifted;
    Put32(shifted, 0x30201000);
    Put32(shifted, 0xFFFFFF00);
    image = DecodeBmpFile(BmpFile(f, masks, shifted)).image;
    EXPECT_EQ(image.Color(0, 0), PackRgb(0x10, 0x20, 0x30));
    EXPECT_EQ(image.Color(1, 0), kWhite);

    // 32-bit 10-10-10 masks in a V4 header.
    DibFields v4;
    v4.headerSize = 108;
    v4.width = 1;
    v4.bits = 32;
    v4.compression = 3;
    v4.masks[0] = 0x3FF00000;
    v4.masks[1] = 0x000FFC00;
    v4.masks[2] = 0x000003FF;
    const uint32_t pixel = (1023u << 20) | (0u << 10) | 511u;
    std::vector<uint8_t> px;
    Put32(px, pixel);
    image = DecodeBmpFile(BmpFile(v4, {}, px)).image;
    EXPECT_EQ(image.Color(0, 0), PackRgb(255, 0, 127));
    EXPECT_EQ(image.Alpha(0, 0), 0);

    // A V4 header holding masks but saying BI_RGB: the masks do not apply.
    v4.compression = 0;
    v4.masks[0] = 0xFF;
    v4.masks[2] = 0xFF0000;
    image = DecodeBmpFile(BmpFile(v4, {}, {0x10, 0x20, 0x30, 0x40})).image;
    EXPECT_EQ(image.Color(0, 0), PackRgb(0x30, 0x20, 0x10));
    EXPECT_EQ(image.Alpha(0, 0), 0x40);
}

TEST(BmpCodec, Rle8AndRle4RunsLiteralsDeltasAndEndsOfRow) {
    // 4 x 3 RLE8. Bottom row: run of 3 x idx1, then end of row (x=3 stays 0).
    // Middle row: literal 2,3,1 (padded), 1 x idx2. Top row: delta (2, 0), 2 x idx3, end.
    DibFields f;
    f.width = 4;
    f.height = 3;
    f.bits = 8;
    f.compression = 1;
    f.clrUsed = 4;
    const std::vector<uint8_t> rle8 = {3, 1, 0, 0, 0, 3, 2, 3, 1, 0, 1, 2, 0, 0, 0, 2, 2, 0, 2, 3, 0, 1};
    PixelImage image = DecodeBmpFile(BmpFile(f, Palette({0, kRed, kLime, kBlue}), rle8)).image;
    const unsigned expected8[3][4] = {{0, 0, 3, 3}, {2, 3, 1, 2}, {1, 1, 1, 0}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(image.Index(x, y), expected8[y][x]) << x << "," << y;

    // 5 x 2 RLE4: bottom row run of 5 alternating 1,2; top row literal 3,4,5 then run of 2 x 6.
    f.width = 5;
    f.height = 2;
    f.bits = 4;
    f.compression = 2;
    f.clrUsed = 0;
    std::vector<uint8_t> palette(16 * 4, 0);
    const std::vector<uint8_t> rle4 = {5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 2, 0x66, 0, 1};
    image = DecodeBmpFile(BmpFile(f, palette, rle4)).image;
    const unsigned expected4[2][5] = {{3, 4, 5, 6, 6}, {1, 2, 1, 2, 1}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(image.Index(x, y), expected4[y][x]) << x << "," << y;

    // Runs past the right edge are clipped, not wrapped, and the end of the
    // image may come early: untouched rows are index 0.
    f.width = 2;
    f.height = 2;
    f.bits = 8;
    f.compression = 1;
    f.clrUsed = 4;
    image = DecodeBmpFile(BmpFile(f, Palette({0, kRed, kLime, kBlue}), {200, 3, 0, 1})).image;
    EXPECT_EQ(image.Index(0, 1), 3u);
    EXPECT_EQ(image.Index(1, 1), 3u);
    EXPECT_EQ(image.Index(0, 0), 0u);
    EXPECT_EQ(image.Index(1, 0), 0u);
}

TEST(BmpCodec, PackedDibsAsStoredInResources) {
    // 4-bit packed DIB: header, 16-entry palette, pixels straight after.
    DibFields f;
    f.width = 2;
    f.bits = 4;
    std::vector<uint8_t> dib = InfoHeader(f);
    std::vector<uint8_t> palette(16 * 4, 0);
    palette[4 * 9 + 2] = 0xFF;  // entry 9 red
    dib.insert(dib.end(), palette.begin(), palette.end());
    for (uint8_t b : {0x9F, 0, 0, 0}) dib.push_back(b);
    const DecodedBmp decoded = DecodePackedDib(dib);
    EXPECT_EQ(decoded.image.Color(0, 0), kRed);
    EXPECT_EQ(decoded.image.Index(1, 0), 15u);
    EXPECT_EQ(decoded.length, dib.size());

    // A 24-bit packed DIB may carry an advisory palette that is skipped.
    DibFields deep;
    deep.width = 1;
    deep.clrUsed = 2;
    dib = InfoHeader(deep);
    const std::vector<uint8_t> advisory = Palette({kWhite, kWhite});
    dib.insert(dib.end(), advisory.begin(), advisory.end());
    for (uint8_t b : {0xFF, 0, 0, 0}) dib.push_back(b);
    EXPECT_EQ(DecodePackedDib(dib).image.Color(0, 0), kBlue);

    // A 16-byte OS/2 2.x header: the fields it omits read as zero.
    DibFields os2;
    os2.headerSize = 16;
    os2.width = 1;
    dib = InfoHeader(os2);
    for (uint8_t b : {0x00, 0xFF, 0x00, 0}) dib.push_back(b);
    EXPECT_EQ(DecodePackedDib(dib).image.Color(0, 0), kLime);
}

TEST(BmpCodec, TrailingBytesAreLeftForWhateverFollows) {
    std::vector<uint8_t> bytes = kImageMagickRgb24;
    const size_t bitmapEnd = bytes.size();
    bytes.insert(bytes.end(), {1, 2, 3, 4, 5});
    const DecodedBmp decoded = DecodeBmpFile(bytes);
    EXPECT_EQ(decoded.length, bitmapEnd);
    ExpectFixturePicture(decoded.image);
}

// ---- writing -----------------------------------------------------------------

TEST(BmpCodec, RoundTripsEveryLayoutAndOddWidths) {
    std::mt19937 rng(7);
    for (PixelLayout layout : {PixelLayout::Indexed1, PixelLayout::Indexed4, PixelLayout::Indexed8, PixelLayout::Rgb555,
                               PixelLayout::Rgb565, PixelLayout::Bgr24, PixelLayout::Bgra32}) {
        for (int width : {1, 3, 7, 8, 33}) {
            SCOPED_TRACE(testing::Message() << "bits " << BitsPerPixel(layout) << " width " << width);
            PixelImage image = RandomImage(width, 5, layout, rng);
            if (layout == PixelLayout::Rgb555)  // the unused top bit is not a colour
                for (int y = 0; y < image.height; ++y)
                    for (int x = 0; x < width; ++x) image.Row(y)[2 * x + 1] &= 0x7F;
            const std::vector<uint8_t> file = EncodeBmpFile(image);
            const DecodedBmp back = DecodeBmpFile(file);
            EXPECT_EQ(back.length, file.size());
            ExpectSameImage(image, back.image);
        }
    }
}

TEST(BmpCodec, WrittenFilesHaveTheClassicLayout) {
    PixelImage image = MakePixelImage(3, 2, PixelLayout::Indexed8);
    image.palette = {EntryOf(kRed), EntryOf(kLime), EntryOf(kBlue)};
    image.SetIndex(0, 1, 2);  // bottom-left pixel blue
    const std::vector<uint8_t> file = EncodeBmpFile(image);
    const size_t offBits = 14 + 40 + 3 * 4;
    ASSERT_EQ(file.size(), offBits + 2 * 4);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(file[2] | (file[3] << 8), int(file.size()));
    EXPECT_EQ(file[10], offBits);
    EXPECT_EQ(file[14], 40);
    EXPECT_EQ(file[22], 2);   // positive height: bottom row first
    EXPECT_EQ(file[28], 8);   // bits
    EXPECT_EQ(file[30], 0);   // BI_RGB
    EXPECT_EQ(file[46], 3);   // clrUsed
    EXPECT_EQ(file[54 + 2], 0xFF);  // entry 0 red: blue, green, red
    EXPECT_EQ(file[offBits], 2);    // first stored pixel is the bottom-left one

    // 5-6-5 is written with its masks; an empty palette (all pixels black)
    // as a single black entry, so the file shows the same black.
    PixelImage deep = MakePixelImage(1, 1, PixelLayout::Rgb565);
    std::vector<uint8_t> written = EncodeBmpFile(deep);
    EXPECT_EQ(written[30], 3);
    EXPECT_EQ(written[54] | (written[55] << 8), 0xF800);
    PixelImage mono = MakePixelImage(2, 1, PixelLayout::Indexed1);
    mono.SetIndex(1, 0, 1);
    mono.palette.clear();
    written = EncodeBmpFile(mono);
    const PixelImage monoBack = DecodeBmpFile(written).image;
    EXPECT_EQ(monoBack.palette.size(), 1u);
    EXPECT_EQ(monoBack.Color(0, 0), 0u);
    EXPECT_EQ(monoBack.Color(1, 0), 0u);
    EXPECT_EQ(monoBack.Index(1, 0), 1u);

    EXPECT_THROW(EncodeBmpFile(PixelImage{}), std::invalid_argument);
    PixelImage broken = MakePixelImage(4, 4, PixelLayout::Bgr24);
    broken.pixels.resize(5);
    EXPECT_THROW(EncodeBmpFile(broken), std::invalid_argument);
}

// ---- hostile input -------------------------------------------------------------

TEST(BmpCodec, EveryTruncationIsAClearError) {
    for (const std::vector<uint8_t>* file : {&kImageMagickRgb24, &kImageMagickRle8, &kImageMagickOs2Core,
                                             &kImageMagickRgba32, &kImageMagickPalette4}) {
        const DecodedBmp full = DecodeBmpFile(*file);
        for (size_t n = 0; n < full.length; ++n) {
            const std::vector<uint8_t> prefix(file->begin(), file->begin() + n);
            // Compressed data whose last row is complete may lose its
            // end-of-image marker: the picture is whole without it.
            const bool onlyMarkerCut = full.image.layout == PixelLayout::Indexed8 && n >= full.length - 2;
            if (!onlyMarkerCut) {
                EXPECT_THROW(DecodeBmpFile(prefix), EInvalidGraphic) << "prefix of " << n << " bytes";
                continue;
            }
            const DecodedBmp cut = DecodeBmpFile(prefix);
            EXPECT_EQ(cut.image.pixels, full.image.pixels);
            EXPECT_LE(cut.length, n);
        }
    }
}

TEST(BmpCodec, CorruptedHeadersAreRefusedWithTheirReason) {
    DibFields f;
    f.width = 2;
    f.height = 2;
    const std::vector<uint8_t> good = BmpFile(f, {}, std::vector<uint8_t>(16, 0));
    ASSERT_NO_THROW(DecodeBmpFile(good));

    auto with = [&](auto change) {
        std::vector<uint8_t> bytes = good;
        change(bytes);
        return bytes;
    };
    ExpectInvalid(with([](auto& b) { b[0] = 'X'; }), "signature");
    ExpectInvalid(with([](auto& b) { Set32(b, 14, 0); }), "header size");
    ExpectInvalid(with([](auto& b) { Set32(b, 14, 13); }), "header size");
    ExpectInvalid(with([](auto& b) { Set32(b, 14, 100000); }), "header size");
    ExpectInvalid(with([](auto& b) { Set32(b, 14, 200); }), "truncated bitmap info header");
    ExpectInvalid(with([](auto& b) { Set32(b, 18, 0); }), "width");
    ExpectInvalid(with([](auto& b) { Set32(b, 18, uint32_t(-5)); }), "width");
    ExpectInvalid(with([](auto& b) { Set32(b, 22, 0); }), "height is zero");
    ExpectInvalid(with([](auto& b) { Set32(b, 22, uint32_t(INT_MIN)); }), "height");
    for (uint32_t bits : {0u, 2u, 7u, 64u})
        ExpectInvalid(with([&](auto& b) { Set16(b, 28, bits); }), "bit depth");
    ExpectInvalid(with([](auto& b) { Set32(b, 30, 4); }), "JPEG or PNG");
    ExpectInvalid(with([](auto& b) { Set32(b, 30, 5); }), "JPEG or PNG");
    ExpectInvalid(with([](auto& b) { Set32(b, 30, 99); }), "compression");
    ExpectInvalid(with([](auto& b) { Set32(b, 30, 1); }), "RLE8 compression on a 24-bit");
    ExpectInvalid(with([](auto& b) { Set32(b, 30, 2); }), "RLE4 compression on a 24-bit");
    ExpectInvalid(with([](auto& b) { Set32(b, 30, 3); }), "bit-field masks on a 24-bit");
    ExpectInvalid(with([](auto& b) { Set32(b, 10, 20); }), "into the header");
    ExpectInvalid(with([](auto& b) { Set32(b, 10, 0xFFFFFFF0u); }), "truncated pixel data");
    ExpectInvalid(with([](auto& b) { b.resize(b.size() - 1); }), "truncated pixel data");

    // Compressed images cannot be stored top row first.
    DibFields rle;
    rle.width = 1;
    rle.height = -1;
    rle.bits = 8;
    rle.compression = 1;
    rle.clrUsed = 1;
    ExpectInvalid(BmpFile(rle, Palette({kRed}), {1, 0, 0, 1}), "top row first");
    // RLE data that stops before the image is complete; a literal run that
    // promises more bytes than there are; a delta without its operands.
    rle.height = 2;
    ExpectInvalid(BmpFile(rle, Palette({kRed}), {1, 0, 0, 0}), "truncated compressed");
    ExpectInvalid(BmpFile(rle, Palette({kRed}), {0, 9, 1, 1}), "truncated compressed");
    ExpectInvalid(BmpFile(rle, Palette({kRed}), {0, 2, 1}), "truncated compressed");
    // Bit-field masks missing after a 40-byte header.
    DibFields masked;
    masked.bits = 16;
    masked.compression = 3;
    std::vector<uint8_t> noMasks = BmpFile(masked, {}, {});
    ExpectInvalid(noMasks, "truncated bit-field masks");
}

TEST(BmpCodec, AbsurdSizesAreRefusedBeforeAnyAllocation) {
    DibFields f;
    f.width = 100000;
    f.height = 10;
    ExpectInvalid(BmpFile(f, {}, {}), "too large");
    f.width = 10;
    f.height = -100000;
    ExpectInvalid(BmpFile(f, {}, {}), "too large");
    f.width = 30000;
    f.height = 30000;  // each side allowed, the product is not
    ExpectInvalid(BmpFile(f, {}, {}), "too large");
    // Within the limits but without the data: refused for the missing data,
    // before 3.6 GB would be allocated.
    f.width = 20000;
    f.height = 1000;
    ExpectInvalid(BmpFile(f, {}, {1, 2, 3}), "truncated pixel data");
    // RLE at the size limit decodes (the untouched area stays index 0).
    DibFields rle;
    rle.width = 4096;
    rle.height = 4096;
    rle.bits = 8;
    rle.compression = 1;
    rle.clrUsed = 1;
    EXPECT_EQ(DecodeBmpFile(BmpFile(rle, Palette({kRed}), {0, 1})).image.height, 4096);
    // Callers can lower the limits.
    BmpLimits small;
    small.maxWidth = 4;
    ExpectInvalid(kImageMagickRgb24, "too large", small);
}

TEST(BmpCodec, SingleByteCorruptionNeverEscapesAsAnythingButTheImageError) {
    for (const std::vector<uint8_t>* file : {&kImageMagickRle8, &kImageMagickRgb565, &kImageMagickOs2Core,
                                             &kImageMagickMono}) {
        const size_t headerEnd = std::min<size_t>(file->size(), 140);
        for (size_t at = 0; at < headerEnd; ++at)
            for (uint8_t value : {uint8_t(0x00), uint8_t(0x01), uint8_t(0x7F), uint8_t(0x80), uint8_t(0xFF)}) {
                std::vector<uint8_t> bytes = *file;
                bytes[at] = value;
                try {
                    const DecodedBmp decoded = DecodeBmpFile(bytes);
                    EXPECT_LE(decoded.length, bytes.size());
                    EXPECT_EQ(decoded.image.pixels.size(), decoded.image.Stride() * size_t(decoded.image.height));
                } catch (const EInvalidGraphic&) {
                }
            }
    }
}

}  // namespace
