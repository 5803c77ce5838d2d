#include "skin/data/BmpFile.h"

#include <gtest/gtest.h>

using namespace relayon::skin;

namespace {

constexpr TColor Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

void Put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = static_cast<uint8_t>(x >> (8 * i));
}

// A hand-made 8-bit palette file, top-down, 3 x 2 pixels.
std::vector<uint8_t> PaletteBmp() {
    std::vector<uint8_t> f(14 + 40 + 4 * 4 + 2 * 4, 0);
    f[0] = 'B';
    f[1] = 'M';
    Put32(f, 10, 14 + 40 + 16);
    Put32(f, 14, 40);
    Put32(f, 18, 3);
    Put32(f, 22, static_cast<uint32_t>(-2));  // top-down
    f[26] = 1;
    f[28] = 8;
    Put32(f, 46, 4);  // four palette entries
    const uint8_t pal[4][4] = {{0, 0, 0, 0}, {255, 0, 255, 0}, {10, 20, 30, 0}, {255, 255, 255, 0}};
    for (int i = 0; i < 4; ++i)
        for (int k = 0; k < 4; ++k) f[54 + i * 4 + k] = pal[i][k];
    const uint8_t rows[2][4] = {{0, 1, 2, 0}, {3, 2, 9, 0}};  // index 9 is outside the palette
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) f[70 + y * 4 + x] = rows[y][x];
    return f;
}

} // namespace

TEST(BmpFile, Encode24ThenDecodeRoundTripsOddWidths) {
    for (int w : {1, 2, 3, 5, 13}) {
        ImageBuffer img(w, 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < w; ++x) img.SetColor(x, y, Rgb(x * 19, y * 80, (x + y) * 9));
        const auto file = EncodeBmp24(img);
        const uint32_t row = ((w * 3 + 3) / 4) * 4;
        EXPECT_EQ(file.size(), 54 + row * 3);
        const BmpDecodeResult back = DecodeBmp(file);
        ASSERT_TRUE(back.ok) << back.error;
        EXPECT_EQ(back.bitsPerPixel, 24);
        EXPECT_EQ(back.image.width, w);
        EXPECT_EQ(back.image.pixels, img.pixels);
    }
}

TEST(BmpFile, DecodesPaletteImagesTopDownAndDarkensUnknownIndexes) {
    const BmpDecodeResult r = DecodeBmp(PaletteBmp());
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.bitsPerPixel, 8);
    EXPECT_EQ(r.image.GetColor(1, 0), Rgb(255, 0, 255));
    EXPECT_EQ(r.image.GetColor(2, 0), Rgb(30, 20, 10));
    EXPECT_EQ(r.image.GetColor(0, 1), Rgb(255, 255, 255));
    EXPECT_EQ(r.image.GetColor(2, 1), 0);
}

TEST(BmpFile, DecodesThirtyTwoBitWithBitfields) {
    std::vector<uint8_t> f(14 + 40 + 12 + 8, 0);
    f[0] = 'B';
    f[1] = 'M';
    Put32(f, 10, 66);
    Put32(f, 14, 40);
    Put32(f, 18, 2);
    Put32(f, 22, 1);
    f[26] = 1;
    f[28] = 32;
    Put32(f, 30, 3);
    Put32(f, 54, 0x0000FF00);  // red in byte 1
    Put32(f, 58, 0x00FF0000);  // green in byte 2
    Put32(f, 62, 0xFF000000);  // blue in byte 3
    Put32(f, 66, 0x30201000);
    Put32(f, 70, 0xFFFFFF00);
    const BmpDecodeResult r = DecodeBmp(f);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.image.GetColor(0, 0), Rgb(0x10, 0x20, 0x30));
    EXPECT_EQ(r.image.GetColor(1, 0), Rgb(255, 255, 255));
}

TEST(BmpFile, RefusesTruncatedAndForgedFiles) {
    ImageBuffer img(4, 4);
    img.Fill(Rgb(1, 2, 3));
    const auto good = EncodeBmp24(img);
    for (size_t cut = 0; cut < good.size(); ++cut) {
        const BmpDecodeResult r = DecodeBmp(std::span(good.data(), cut));
        EXPECT_FALSE(r.ok) << cut;
        EXPECT_FALSE(r.error.empty());
    }
    auto forged = good;
    Put32(forged, 18, 0x7FFFFFFF);  // width
    EXPECT_FALSE(DecodeBmp(forged).ok);
    forged = good;
    Put32(forged, 10, 0xFFFFFFF0);  // data offset
    EXPECT_FALSE(DecodeBmp(forged).ok);
    forged = good;
    Put32(forged, 30, 1);  // RLE
    EXPECT_FALSE(DecodeBmp(forged).ok);
    forged = good;
    forged[0] = 'X';
    EXPECT_FALSE(DecodeBmp(forged).ok);
    auto pal = PaletteBmp();
    Put32(pal, 46, 200);  // more palette entries than the file holds
    EXPECT_FALSE(DecodeBmp(pal).ok);
}
