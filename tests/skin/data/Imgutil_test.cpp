#include "skin/data/Imgutil.h"

#include <gtest/gtest.h>

#include <random>

using namespace relayon::skin;

namespace {

constexpr TColor Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

// An image whose every pixel is distinct, so any misplaced pixel shows (in
// 32-bit images the alpha byte differs too).
PixelImage Numbered(int w, int h, PixelLayout layout = PixelLayout::Bgr24) {
    PixelImage img = MakePixelImage(w, h, layout);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            img.SetColor(x, y, Rgb(x * 7 + 1, y * 11 + 2, (x * 13 + y * 5) & 0xFF));
            if (layout == PixelLayout::Bgra32) img.Row(y)[4 * x + 3] = static_cast<uint8_t>(x + 10 * y);
        }
    return img;
}

TColor At(const PixelImage& img, int x, int y) { return static_cast<TColor>(img.Color(x, y)); }

struct BandLog {
    std::vector<TRect> bands;
    std::vector<TColor> colours;
    BandFiller Filler() {
        return [this](const TRect& r, TColor c) {
            bands.push_back(r);
            colours.push_back(c);
        };
    }
};

} // namespace

TEST(Imgutil, BlendWeightsPercentBelowHundredAndPerMilleFromHundred) {
    EXPECT_EQ(Blend(0x000000, 0xFFFFFF, 50), 0x808080);  // (255*50 + 50) / 100 = 128
    EXPECT_EQ(Blend(0xFFFFFF, 0x000000, 0), 0x000000);
    EXPECT_EQ(Blend(0xFFFFFF, 0x000000, 99), Rgb(252, 252, 252));
    // 150 is per mille: 15 % of c1. Red channel: (0 * 850 + 200 * 150 + 500) / 1000 = 30.
    EXPECT_EQ(Blend(Rgb(200, 0, 0), Rgb(0, 0, 0), 150), Rgb(30, 0, 0));
    EXPECT_EQ(Blend(Rgb(200, 100, 40), Rgb(10, 20, 30), 1000), Rgb(200, 100, 40));
    // Channels are mixed independently.
    EXPECT_EQ(Blend(Rgb(255, 0, 100), Rgb(0, 255, 200), 50), Rgb(128, 128, 150));
}

TEST(Imgutil, BlendResolvesSystemColoursThroughTheResolver) {
    const TColor buttonFace = static_cast<TColor>(0xFF00000F);
    auto resolver = [](int index) { return index == 15 ? Rgb(100, 120, 140) : 0; };
    EXPECT_EQ(Blend(buttonFace, 0x000000, 50, resolver), Rgb(50, 60, 70));
    EXPECT_EQ(Blend(0xFFFFFF, buttonFace, 0, resolver), Rgb(100, 120, 140));
    // Default resolver: classic button face 212, 208, 200.
    EXPECT_EQ(Blend(buttonFace, 0xFFFFFF, 99), Blend(Rgb(212, 208, 200), 0xFFFFFF, 99));
}

TEST(Imgutil, GetHsvSaturationAndDarkColourRule) {
    EXPECT_EQ(GetHSV(Rgb(255, 0, 0)), 255);
    EXPECT_EQ(GetHSV(Rgb(255, 255, 255)), 0);
    EXPECT_EQ(GetHSV(Rgb(100, 50, 50)), 200);  // all below 160
    EXPECT_EQ(GetHSV(Rgb(0, 0, 0)), 200);
    EXPECT_EQ(GetHSV(Rgb(200, 100, 0)), 255);
    EXPECT_EQ(GetHSV(Rgb(170, 167, 170)), 4);   // 4.5 rounds to even
    EXPECT_EQ(GetHSV(Rgb(170, 169, 170)), 2);   // 1.5 rounds to even
    EXPECT_EQ(GetHSV(Rgb(200, 100, 200)), 128); // 127.5 rounds to even
    EXPECT_EQ(GetHSV(Rgb(160, 0, 0)), 255);
    EXPECT_EQ(GetHSV(Rgb(236, 233, 216)), 22);  // 20/236*255 = 21.6
    // Only bytes 0..2 count; a system-colour marker byte is ignored.
    EXPECT_EQ(GetHSV(static_cast<TColor>(0xFF0000FF)), 255);
}

TEST(Imgutil, ChangeTransReplacesExactMagentaOnlyAndMakes24Bit) {
    PixelImage img = MakePixelImage(3, 2, PixelLayout::Bgra32);
    const TColor before[2][3] = {{kTransparentMagenta, Rgb(255, 1, 255), Rgb(254, 0, 255)},
                                 {Rgb(10, 20, 30), kTransparentMagenta, Rgb(255, 0, 254)}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) img.SetColor(x, y, before[y][x]);
    ChangeTrans(img, Rgb(1, 2, 3));
    EXPECT_EQ(img.layout, PixelLayout::Bgr24);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(At(img, x, y), before[y][x] == kTransparentMagenta ? Rgb(1, 2, 3) : before[y][x]) << x << "," << y;
    // A system colour is not resolved: its bytes 0..2 are used as they are.
    PixelImage sys = SolidImage(1, 1, kTransparentMagenta);
    ChangeTrans(sys, static_cast<TColor>(0xFF00000F));
    EXPECT_EQ(At(sys, 0, 0), Rgb(15, 0, 0));
    // An indexed image is made 24-bit first; a magenta palette entry counts.
    PixelImage indexed = MakePixelImage(2, 1, PixelLayout::Indexed8);
    indexed.palette = {EntryOf(kTransparentMagenta), EntryOf(Rgb(9, 9, 9))};
    indexed.SetIndex(1, 0, 1);
    ChangeTrans(indexed, Rgb(4, 5, 6));
    EXPECT_EQ(indexed.layout, PixelLayout::Bgr24);
    EXPECT_EQ(At(indexed, 0, 0), Rgb(4, 5, 6));
    EXPECT_EQ(At(indexed, 1, 0), Rgb(9, 9, 9));
}

TEST(Imgutil, MirrorsMovePixelsToTheOppositeSide) {
    for (PixelLayout layout : {PixelLayout::Bgr24, PixelLayout::Bgra32, PixelLayout::Rgb565}) {
        const PixelImage original = Numbered(5, 3, layout);
        PixelImage h = original;
        SpiegelnHorizontal(h);
        PixelImage v = original;
        SpiegelnVertikal(v);
        EXPECT_EQ(h.layout, layout);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) {
                EXPECT_EQ(At(h, 4 - x, y), At(original, x, y));
                EXPECT_EQ(At(v, x, 2 - y), At(original, x, y));
                EXPECT_EQ(h.Alpha(4 - x, y), original.Alpha(x, y));
            }
        SpiegelnHorizontal(h);
        EXPECT_EQ(h.pixels, original.pixels);
    }
    // At 4 bits two pixels share a byte and the width is odd: indices move one by one.
    PixelImage nibbles = MakePixelImage(5, 1, PixelLayout::Indexed4);
    for (int x = 0; x < 5; ++x) nibbles.SetIndex(x, 0, static_cast<unsigned>(x + 1));
    SpiegelnHorizontal(nibbles);
    for (int x = 0; x < 5; ++x) EXPECT_EQ(nibbles.Index(x, 0), static_cast<unsigned>(5 - x));
    EXPECT_EQ(nibbles.palette, DefaultPalette(PixelLayout::Indexed4));
}

TEST(Imgutil, RotationsFollowTheirPixelMappingAndUndoEachOther) {
    const PixelImage original = Numbered(4, 3);
    PixelImage cw = original;
    Drehen90Grad(cw);
    ASSERT_EQ(cw.width, 3);
    ASSERT_EQ(cw.height, 4);
    for (int y = 0; y < cw.height; ++y)
        for (int x = 0; x < cw.width; ++x) EXPECT_EQ(At(cw, x, y), At(original, y, original.height - 1 - x));
    // The top-left pixel goes to the top-right corner when turning clockwise.
    EXPECT_EQ(At(cw, cw.width - 1, 0), At(original, 0, 0));

    PixelImage ccw = original;
    Drehen270Grad(ccw);
    ASSERT_EQ(ccw.width, 3);
    ASSERT_EQ(ccw.height, 4);
    for (int y = 0; y < ccw.height; ++y)
        for (int x = 0; x < ccw.width; ++x) EXPECT_EQ(At(ccw, x, y), At(original, original.width - 1 - y, x));
    EXPECT_EQ(At(ccw, 0, ccw.height - 1), At(original, 0, 0));

    // Rows of 4 x 3 = 12 bytes turn into rows of 3 x 3 = 9 bytes plus padding
    // and back; a 1-bit image turns by index.
    for (PixelLayout layout : {PixelLayout::Bgr24, PixelLayout::Indexed1}) {
        PixelImage start = layout == PixelLayout::Bgr24 ? original : MakePixelImage(9, 2, layout);
        if (layout == PixelLayout::Indexed1) start.SetIndex(8, 0, 1);
        PixelImage round = start;
        Drehen90Grad(round);
        Drehen270Grad(round);
        EXPECT_EQ(round.width, start.width);
        EXPECT_EQ(round.pixels, start.pixels);
    }
    PixelImage mono = MakePixelImage(9, 2, PixelLayout::Indexed1);
    mono.SetIndex(8, 0, 1);  // top-right pixel
    Drehen90Grad(mono);
    EXPECT_EQ(mono.Index(1, 8), 1u);  // clockwise: bottom-right
    // Four quarter turns, and two clockwise equal two counter-clockwise.
    PixelImage a = original, b = original;
    Drehen90Grad(a);
    Drehen90Grad(a);
    Drehen270Grad(b);
    Drehen270Grad(b);
    EXPECT_EQ(a.pixels, b.pixels);
    PixelImage empty;
    Drehen90Grad(empty);
    SpiegelnVertikal(empty);
    EXPECT_TRUE(empty.Empty());
}

TEST(Imgutil, GradientTableEndsOnBothColoursAndUsesMidColourForOneBand) {
    const auto down = GradientTableCache::Build(40, 0xFFFFFF, 0x000000);
    ASSERT_EQ(down.size(), 40u);
    EXPECT_EQ(down.front(), 0xFFFFFF);
    EXPECT_EQ(down.back(), 0x000000);  // exact even for a falling channel
    for (size_t i = 1; i < down.size(); ++i) EXPECT_LE(down[i] & 0xFF, down[i - 1] & 0xFF);
    const auto up = GradientTableCache::Build(40, 0x000000, 0xFFFFFF);
    EXPECT_EQ(up.back(), 0xFFFFFF);
    // Symmetric: the falling table is the rising one mirrored.
    for (size_t i = 0; i < 40; ++i) EXPECT_EQ((down[i] & 0xFF) + (up[i] & 0xFF), 255) << i;
    // Rising: c1 + (i * 255 + 19) / 39.
    EXPECT_EQ(up[1] & 0xFF, (255 + 19) / 39);
    EXPECT_EQ(GradientTableCache::Build(1, Rgb(0, 100, 200), Rgb(255, 0, 100)), std::vector<TColor>{Rgb(127, 50, 150)});
    EXPECT_EQ(GradientTableCache::Build(2, Rgb(1, 2, 3), Rgb(9, 8, 7)), (std::vector<TColor>{Rgb(1, 2, 3), Rgb(9, 8, 7)}));
    EXPECT_TRUE(GradientTableCache::Build(0, 0, 0).empty());
}

TEST(Imgutil, GradFillBandsAndClipBoxLimits) {
    GradientTableCache cache;
    BandLog full;
    const TRect rect{5, 100, 25, 140};
    EXPECT_EQ(GradFill(rect, 0xFFFFFF, 1, 0x000000, TRect{0, 0, 1000, 1000}, full.Filler(), cache), 40);
    ASSERT_EQ(full.bands.size(), 40u);
    EXPECT_EQ(full.bands.front(), (TRect{5, 100, 25, 101}));
    EXPECT_EQ(full.bands.back(), (TRect{5, 139, 25, 140}));
    EXPECT_EQ(full.colours.front(), 0xFFFFFF);
    EXPECT_EQ(full.colours.back(), 0x000000);

    // Only rows 10..19 of the rectangle inside the clip box: those bands, full-gradient colours.
    BandLog clipped;
    EXPECT_EQ(GradFill(rect, 0xFFFFFF, 1, 0x000000, TRect{0, 110, 1000, 120}, clipped.Filler(), cache), 10);
    ASSERT_EQ(clipped.bands.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(clipped.bands[i].Top, 110 + i);
        EXPECT_EQ(clipped.colours[i], full.colours[10 + i]);
    }

    // Horizontal gradients run over columns.
    BandLog columns;
    EXPECT_EQ(GradFill(TRect{0, 0, 3, 7}, Rgb(0, 0, 0), 0, Rgb(200, 0, 0), TRect{0, 0, 10, 10}, columns.Filler(), cache), 3);
    EXPECT_EQ(columns.bands[1], (TRect{1, 0, 2, 7}));
    EXPECT_EQ(columns.colours[1], Rgb(100, 0, 0));

    // Invisible, empty and inverted rectangles fill nothing.
    BandLog none;
    EXPECT_EQ(GradFill(rect, 0, 1, 0xFFFFFF, TRect{0, 0, 4, 1000}, none.Filler(), cache), 0);
    EXPECT_EQ(GradFill(TRect{0, 10, 10, 10}, 0, 1, 0xFFFFFF, TRect{0, 0, 50, 50}, none.Filler(), cache), 0);
    EXPECT_EQ(GradFill(TRect{0, 20, 10, 10}, 0, 1, 0xFFFFFF, TRect{0, 0, 50, 50}, none.Filler(), cache), 0);
    EXPECT_TRUE(none.bands.empty());

    // Height 1 uses the mid colour.
    BandLog one;
    GradFill(TRect{0, 0, 4, 1}, 0x000000, 1, Rgb(200, 100, 50), TRect{0, 0, 9, 9}, one.Filler(), cache);
    ASSERT_EQ(one.colours.size(), 1u);
    EXPECT_EQ(one.colours[0], Rgb(100, 50, 25));
}

TEST(Imgutil, GradientCacheReusesSlotsRoundRobin) {
    GradientTableCache cache;
    const auto& first = cache.Get(40, 0xFFFFFF, 0);
    EXPECT_EQ(cache.Misses(), 1);
    const auto& again = cache.Get(40, 0xFFFFFF, 0);
    EXPECT_EQ(&first, &again);
    EXPECT_EQ(cache.Hits(), 1);
    // Sixteen other tables push the first one out of its slot.
    for (int n = 2; n < 18; ++n) cache.Get(n, 0, 0xFFFFFF);
    EXPECT_EQ(cache.NextSlot(), 1);
    EXPECT_EQ(cache.Misses(), 17);
    const auto& refilled = cache.Get(40, 0xFFFFFF, 0);
    EXPECT_EQ(cache.Misses(), 18);
    EXPECT_EQ(refilled.back(), 0);
    // Same length but different end colours is a different table.
    cache.Get(40, 0xFFFFFF, 0x010101);
    EXPECT_EQ(cache.Misses(), 19);
}

TEST(Imgutil, GradFillIntoImageWritesOnlyInsideImageAndClip) {
    PixelImage img = SolidImage(6, 6, Rgb(9, 9, 9));
    GradientTableCache cache;
    const TRect clip{0, 2, 6, 4};
    EXPECT_EQ(GradFill(img, TRect{-2, -2, 4, 8}, 0x000000, 1, Rgb(90, 90, 90), &clip, cache), 2);
    // The rectangle spans rows -2..7 (10 bands); rows 2 and 3 are bands 4 and 5.
    const auto table = GradientTableCache::Build(10, 0, Rgb(90, 90, 90));
    EXPECT_EQ(At(img, 0, 2), table[4]);
    EXPECT_EQ(At(img, 3, 3), table[5]);
    EXPECT_EQ(At(img, 4, 3), Rgb(9, 9, 9));
    EXPECT_EQ(At(img, 0, 1), Rgb(9, 9, 9));
    EXPECT_EQ(At(img, 0, 4), Rgb(9, 9, 9));
}
