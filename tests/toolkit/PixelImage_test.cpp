// Pixel access and layout conversion of the portable raster.
#include "toolkit/core/PixelImage.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(PixelImage, PackedIndicesSitWhereADibKeepsThem) {
    PixelImage mono = MakePixelImage(10, 2, PixelLayout::Indexed1);
    EXPECT_EQ(mono.Stride(), 4u);
    mono.SetIndex(0, 0, 1);
    mono.SetIndex(9, 1, 1);
    EXPECT_EQ(mono.Row(0)[0], 0x80);  // leftmost pixel in the high bit
    EXPECT_EQ(mono.Row(1)[1], 0x40);
    mono.SetIndex(0, 0, 0);
    EXPECT_EQ(mono.Row(0)[0], 0x00);

    PixelImage nibbles = MakePixelImage(3, 1, PixelLayout::Indexed4);
    nibbles.SetIndex(0, 0, 0xA);
    nibbles.SetIndex(1, 0, 0x5);
    nibbles.SetIndex(2, 0, 0xF);
    EXPECT_EQ(nibbles.Row(0)[0], 0xA5);  // leftmost pixel in the high nibble
    EXPECT_EQ(nibbles.Row(0)[1], 0xF0);
    EXPECT_EQ(nibbles.Index(1, 0), 5u);

    EXPECT_EQ(RowStride(1, PixelLayout::Bgr24), 4u);
    EXPECT_EQ(RowStride(5, PixelLayout::Bgr24), 16u);
    EXPECT_EQ(RowStride(3, PixelLayout::Rgb565), 8u);
    EXPECT_EQ(RowStride(33, PixelLayout::Indexed1), 8u);
    EXPECT_EQ(RowStride(-1, PixelLayout::Bgra32), 0u);
    EXPECT_THROW(MakePixelImage(-1, 1, PixelLayout::Bgr24), std::invalid_argument);
}

TEST(PixelImage, SixteenBitChannelsWidenToFullScale) {
    PixelImage image = MakePixelImage(2, 1, PixelLayout::Rgb555);
    image.SetColor(0, 0, PackRgb(255, 255, 255));
    image.SetColor(1, 0, PackRgb(0x84, 0x42, 0x21));
    EXPECT_EQ(image.Row(0)[0] | (image.Row(0)[1] << 8), 0x7FFF);
    EXPECT_EQ(image.Color(0, 0), 0xFFFFFFu);
    // Low bits are lost, the rest comes back with its top bits repeated.
    EXPECT_EQ(image.Color(1, 0), PackRgb(0x84, 0x42, 0x21));

    PixelImage deep = MakePixelImage(1, 1, PixelLayout::Rgb565);
    deep.SetColor(0, 0, PackRgb(0, 255, 0));
    EXPECT_EQ(deep.Row(0)[0] | (deep.Row(0)[1] << 8), 0x07E0);
    EXPECT_EQ(deep.Color(0, 0), PackRgb(0, 255, 0));
}

TEST(PixelImage, DefaultPalettesAndNearestEntries) {
    EXPECT_EQ(DefaultPalette(PixelLayout::Indexed1).size(), 2u);
    EXPECT_EQ(DefaultPalette(PixelLayout::Indexed4).size(), 16u);
    const auto palette8 = DefaultPalette(PixelLayout::Indexed8);
    ASSERT_EQ(palette8.size(), 256u);
    EXPECT_TRUE(DefaultPalette(PixelLayout::Bgr24).empty());
    // The sixteen classic colours lead every larger palette.
    const auto palette4 = DefaultPalette(PixelLayout::Indexed4);
    for (size_t i = 0; i < 16; ++i) EXPECT_EQ(palette8[i], palette4[i]);
    EXPECT_EQ(PackRgb(palette4[9]), 0x0000FFu);  // red
    EXPECT_EQ(PackRgb(palette4[15]), 0xFFFFFFu);

    EXPECT_EQ(NearestPaletteIndex(palette4, PackRgb(250, 5, 5)), 9u);
    EXPECT_EQ(NearestPaletteIndex(palette4, PackRgb(120, 120, 120)), 7u);  // grey 808080
    EXPECT_EQ(NearestPaletteIndex({}, 0x123456), 0u);

    PixelImage indexed = MakePixelImage(1, 1, PixelLayout::Indexed4);
    indexed.SetColor(0, 0, PackRgb(0, 0, 250));
    EXPECT_EQ(indexed.Index(0, 0), 12u);  // blue
    EXPECT_EQ(indexed.Color(0, 0), PackRgb(0, 0, 255));
}

TEST(PixelImage, ConversionKeepsWhatTheTargetCanHold) {
    std::mt19937 rng(3);
    PixelImage truecolour = MakePixelImage(9, 4, PixelLayout::Bgr24);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 9; ++x) truecolour.SetColor(x, y, rng() & 0xFFFFFF);

    // 24 -> 32 -> 24 is exact.
    const PixelImage wide = ConvertLayout(truecolour, PixelLayout::Bgra32);
    const PixelImage back = ConvertLayout(wide, PixelLayout::Bgr24);
    EXPECT_EQ(back.pixels, truecolour.pixels);

    // To 8 bits: colours of the default palette come through unchanged,
    // others become their nearest entry.
    PixelImage paletteColours = MakePixelImage(4, 1, PixelLayout::Bgr24);
    const auto palette8 = DefaultPalette(PixelLayout::Indexed8);
    for (int x = 0; x < 4; ++x) paletteColours.SetColor(x, 0, PackRgb(palette8[17 + 50 * x]));
    const PixelImage indexed = ConvertLayout(paletteColours, PixelLayout::Indexed8);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(indexed.Color(x, 0), paletteColours.Color(x, 0));
    const PixelImage reduced = ConvertLayout(truecolour, PixelLayout::Indexed8);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ(reduced.Index(x, y), NearestPaletteIndex(palette8, truecolour.Color(x, y)));

    // A 4-bit image with its own palette widens to 8 bits index for index.
    PixelImage small = MakePixelImage(3, 1, PixelLayout::Indexed4);
    small.palette = {EntryOf(0x112233), EntryOf(0x445566), EntryOf(0x778899)};
    small.SetIndex(0, 0, 2);
    small.SetIndex(2, 0, 1);
    const PixelImage widened = ConvertLayout(small, PixelLayout::Indexed8);
    EXPECT_EQ(widened.palette, small.palette);
    EXPECT_EQ(widened.Index(0, 0), 2u);
    EXPECT_EQ(widened.Index(2, 0), 1u);
    EXPECT_EQ(widened.Color(2, 0), 0x445566u);
    // Narrowing a 16-entry palette to 1 bit cannot keep it: black and white.
    PixelImage vga = MakePixelImage(2, 1, PixelLayout::Indexed4);
    vga.SetIndex(0, 0, 15);
    vga.SetIndex(1, 0, 1);  // maroon is darker than mid grey
    const PixelImage mono = ConvertLayout(vga, PixelLayout::Indexed1);
    EXPECT_EQ(mono.Color(0, 0), 0xFFFFFFu);
    EXPECT_EQ(mono.Color(1, 0), 0x000000u);
}

}  // namespace
