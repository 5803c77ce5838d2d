#include "skin/paint/core/PixelDraw.h"

#include <gtest/gtest.h>

using namespace relayon::skin::paint;

namespace {

// A 6x6 cell: corners 1..4 (distinct colours), edges 5..8, centre 9 in a 2x2 block.
PixelImage Cell(int frames = 1) {
    PixelImage img = MakePixelImage(6 * frames, 6, PixelLayout::Bgr24);
    for (int f = 0; f < frames; ++f)
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 6; ++x) {
                const int col = x < 2 ? 0 : x < 4 ? 1 : 2, row = y < 2 ? 0 : y < 4 ? 1 : 2;
                img.SetColor(6 * f + x, y, uint32_t(10 * (row * 3 + col) + 1 + f * 100));
            }
    return img;
}

uint32_t Piece(int row, int col, int frame = 0) { return uint32_t(10 * (row * 3 + col) + 1 + frame * 100); }

}  // namespace

TEST(PixelDraw, FrameBoxesSideBySideAndStacked) {
    EXPECT_EQ(FrameBox(10, 40, 2, 2, true), (SliceBox{0, 20, 10, 20}));
    EXPECT_EQ(FrameBox(30, 7, 3, 3, false), (SliceBox{20, 0, 10, 7}));
    EXPECT_TRUE(FrameBox(30, 7, 4, 3, false).Empty());
    EXPECT_TRUE(FrameBox(30, 7, 1, 0, false).Empty());
    EXPECT_TRUE(FrameBox(2, 7, 1, 3, false).Empty());
}

TEST(PixelDraw, StretchKeepsCornersAndStretchesEdges) {
    const PixelImage src = Cell(2);
    PixelImage dst = MakePixelImage(12, 10, PixelLayout::Bgr24);
    DrawNineSlice(dst, {0, 0, 12, 10}, src, {2, 2, 2, 2}, 2, 2, false, false, false);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x) {
            const int col = x < 2 ? 0 : x < 10 ? 1 : 2, row = y < 2 ? 0 : y < 8 ? 1 : 2;
            ASSERT_EQ(dst.Color(x, y), Piece(row, col, 1)) << x << "," << y;
        }
}

TEST(PixelDraw, TiledCentreRepeatsItsPiece) {
    PixelImage src = Cell();
    src.SetColor(2, 2, 0xABCDEF);  // mark the centre's top-left pixel
    PixelImage dst = MakePixelImage(13, 9, PixelLayout::Bgr24);
    DrawNineSlice(dst, {0, 0, 13, 9}, src, {2, 2, 2, 2}, 1, 1, false, true, false);
    for (int y = 2; y < 7; ++y)
        for (int x = 2; x < 11; ++x) {
            const bool mark = (x - 2) % 2 == 0 && (y - 2) % 2 == 0;
            ASSERT_EQ(dst.Color(x, y), mark ? 0xABCDEFu : Piece(1, 1)) << x << "," << y;
        }
    EXPECT_EQ(dst.Color(11, 4), Piece(1, 2));  // right edge covers overrunning tiles
}

TEST(PixelDraw, MagentaIsNeverDrawn) {
    PixelImage src = Cell();
    src.SetColor(0, 0, 0xFF00FF);
    src.SetColor(3, 3, 0xFF00FF);
    PixelImage dst = MakePixelImage(6, 6, PixelLayout::Bgr24);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) dst.SetColor(x, y, 0x123456);
    DrawNineSlice(dst, {0, 0, 6, 6}, src, {2, 2, 2, 2}, 1, 1, true, false, false);
    EXPECT_EQ(dst.Color(0, 0), 0x123456u);
    EXPECT_EQ(dst.Color(3, 3), 0x123456u);
    EXPECT_EQ(dst.Color(1, 0), Piece(0, 0));
}

TEST(PixelDraw, SmallTargetsAndCellsStayInside) {
    const PixelImage src = Cell();
    // A target narrower than both margins: the centre covers the whole width.
    PixelImage dst = MakePixelImage(3, 6, PixelLayout::Bgr24);
    DrawNineSlice(dst, {0, 0, 3, 6}, src, {2, 2, 2, 2}, 1, 1, false, false, false);
    EXPECT_EQ(dst.Color(0, 3), Piece(1, 0));  // left of the stretched full-width cell
    // Margins far larger than the cell, a box reaching outside the target,
    // odd frame numbers: nothing outside either image is touched.
    PixelImage small = MakePixelImage(4, 4, PixelLayout::Bgr24);
    DrawNineSlice(small, {-5, -5, 20, 20}, src, {100, 100, 100, 100}, 1, 1, true, true, false);
    DrawNineSlice(small, {2, 2, 20, 20}, src, {1, 1, 1, 1}, 7, 3, false, true, true);
    DrawNineSlice(small, {0, 0, 4, 4}, src, {1, 1, 1, 1}, 1, 0, false, false, false);
    DrawCentred(small, {0, 0, 1, 1}, src, 1, 1, false);
    EXPECT_EQ(small.pixels.size(), RowStride(4, PixelLayout::Bgr24) * 4);
}

TEST(PixelDraw, TileBandCapsAndRepeats) {
    const auto plan = TileBandPlan({0, 0, 6, 6}, {2, 0, 2, 0}, 11, 4);
    ASSERT_EQ(plan.size(), 6u);  // cap, four middles from x 2, 4, 6, 8, cap
    EXPECT_EQ(plan[4].dst.x, 8);
    EXPECT_EQ(plan.back().dst, (SliceBox{9, 0, 2, 4}));
    EXPECT_EQ(TileBandPlan({0, 0, 4, 6}, {2, 0, 2, 0}, 11, 4).size(), 2u);  // caps only
    // Caps wider than the cell together: the whole cell repeats.
    const auto wide = TileBandPlan({0, 0, 6, 6}, {5, 0, 5, 0}, 12, 4);
    ASSERT_EQ(wide.size(), 2u);
    EXPECT_EQ(wide[1].src, (SliceBox{0, 0, 6, 6}));
    // A huge band yields only the pieces over the visible columns, in phase.
    const auto seen = TileBandPlan({0, 0, 6, 6}, {2, 0, 2, 0}, 1000000000, 4, 500000001, 500000007);
    ASSERT_FALSE(seen.empty());
    EXPECT_LE(seen.size(), 5u);
    EXPECT_LE(seen.front().dst.x, 500000001);
    EXPECT_EQ((seen.front().dst.x - 2) % 2, 0);
    EXPECT_GE(seen.back().dst.x + seen.back().dst.w, 500000007);
}

TEST(PixelDraw, StretchBandCapsOrWholeCell) {
    const auto band = StretchBandPlan({6, 0, 6, 6}, {2, 0, 1, 0}, 20, 3);
    ASSERT_EQ(band.size(), 3u);
    EXPECT_EQ(band[1].src, (SliceBox{8, 0, 3, 6}));
    EXPECT_EQ(band[1].dst, (SliceBox{2, 0, 17, 3}));
    EXPECT_EQ(band[2].dst, (SliceBox{19, 0, 1, 3}));
    const auto narrow = StretchBandPlan({6, 0, 6, 6}, {2, 0, 1, 0}, 4, 3);
    ASSERT_EQ(narrow.size(), 1u);
    EXPECT_EQ(narrow[0].src, (SliceBox{6, 0, 6, 6}));
}
