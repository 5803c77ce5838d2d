#include "skin/paint/win32/SkinPrimitives.h"

#include <gtest/gtest.h>

#include "toolkit/Canvas.h"
#include "toolkit/GdiObject.h"
#include "toolkit/testing/GdiObjectCount.h"

using namespace relayon::skin;
using relayon::skin::paint::SliceMargins;

namespace {

// A 6x6 cell per frame: nine 2x2 blocks of distinct colours, frame f adds 100 to blue.
std::unique_ptr<TBitmap> Cells(int frames) {
    auto owned = std::make_unique<TBitmap>(6 * frames, 6);
    TBitmap& bmp = *owned;
    for (int f = 0; f < frames; ++f)
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 6; ++x)
                SetPixel(bmp.Canvas().Handle(), 6 * f + x, y, RGB(10 * ((y / 2) * 3 + x / 2) + 1, 50, f * 100));
    return owned;
}
COLORREF Block(int row, int col, int f = 0) { return RGB(10 * (row * 3 + col) + 1, 50, f * 100); }
COLORREF At(TBitmap& b, int x, int y) { return GetPixel(b.Canvas().Handle(), x, y); }

}  // namespace

TEST(SkinPrimitives, NineSliceStretchKeepsCornersAndStretchesEdges) {
    auto owned = Cells(2);
    TBitmap& src = *owned;
    auto out = GetHMap(RECT{0, 0, 12, 10}, src, SliceMargins{2, 2, 2, 2}, 2, 2, false, false);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x) {
            const int col = x < 2 ? 0 : x < 10 ? 1 : 2, row = y < 2 ? 0 : y < 8 ? 1 : 2;
            ASSERT_EQ(At(*out, x, y), Block(row, col, 1)) << x << "," << y;
        }
}

TEST(SkinPrimitives, TiledCentreRepeats) {
    auto owned = Cells(1);
    TBitmap& src = *owned;
    SetPixel(src.Canvas().Handle(), 2, 2, RGB(1, 2, 3));
    auto out = GetHMap(RECT{0, 0, 13, 9}, src, SliceMargins{2, 2, 2, 2}, 1, 1, true, false);
    for (int y = 2; y < 7; ++y)
        for (int x = 2; x < 11; ++x) {
            const bool mark = (x - 2) % 2 == 0 && (y - 2) % 2 == 0;
            ASSERT_EQ(At(*out, x, y), mark ? RGB(1, 2, 3) : Block(1, 1)) << x << "," << y;
        }
    EXPECT_EQ(At(*out, 11, 4), Block(1, 2));
}

TEST(SkinPrimitives, MagentaNeverDrawnAndSmallTargetsStayInside) {
    auto owned = Cells(1);
    TBitmap& src = *owned;
    SetPixel(src.Canvas().Handle(), 0, 0, kSkinKeyColour);
    SetPixel(src.Canvas().Handle(), 3, 3, kSkinKeyColour);
    TBitmap dst(8, 8);
    GdiObject<HBRUSH> grey(CreateSolidBrush(RGB(9, 9, 9)));
    RECT all{0, 0, 8, 8};
    FillRect(dst.Canvas().Handle(), &all, grey.get());
    DrawRect2(dst.Canvas().Handle(), RECT{1, 1, 7, 7}, src, SliceMargins{2, 2, 2, 2}, 1, 1, true, false, false);
    EXPECT_EQ(At(dst, 1, 1), RGB(9, 9, 9));
    EXPECT_EQ(At(dst, 4, 4), RGB(9, 9, 9));
    EXPECT_EQ(At(dst, 2, 1), Block(0, 0));
    EXPECT_EQ(At(dst, 0, 0), RGB(9, 9, 9));  // outside the rectangle untouched
    EXPECT_EQ(At(dst, 7, 7), RGB(9, 9, 9));
    // Narrower than both margins: the stretched cell covers the width.
    auto narrow = GetHMap(RECT{0, 0, 3, 6}, src, SliceMargins{2, 2, 2, 2}, 1, 1, false, false);
    EXPECT_EQ(At(*narrow, 2, 3), Block(1, 2));
    // Frame count 0, index past the end, inverted rectangle: nothing drawn.
    DrawRect2(dst.Canvas().Handle(), all, src, SliceMargins{}, 1, 0, false, false, false);
    DrawRect2(dst.Canvas().Handle(), all, src, SliceMargins{}, 3, 2, false, false, false);
    DrawRect1(dst.Canvas().Handle(), RECT{5, 5, 1, 1}, src, 1, 1, false);
    EXPECT_EQ(At(dst, 4, 4), RGB(9, 9, 9));
}

TEST(SkinPrimitives, RegionsMatchOpaquePixels) {
    TBitmap bmp(5, 3);
    RECT all{0, 0, 5, 3};
    GdiObject<HBRUSH> key(CreateSolidBrush(kSkinKeyColour));
    FillRect(bmp.Canvas().Handle(), &all, key.get());
    SetPixel(bmp.Canvas().Handle(), 1, 0, RGB(0, 0, 0));
    SetPixel(bmp.Canvas().Handle(), 2, 0, RGB(0, 0, 0));
    SetPixel(bmp.Canvas().Handle(), 4, 2, RGB(250, 1, 250));  // inside a tolerance of 10
    SetPixel(bmp.Canvas().Handle(), 0, 2, RGB(250, 1, 250));
    GdiObject<HRGN> strict(BitmapToRegion(bmp, 10, 20, kSkinKeyColour, 0, 0, 0));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const bool opaque = (y == 0 && (x == 1 || x == 2)) || (y == 2 && (x == 0 || x == 4));
            EXPECT_EQ(PtInRegion(strict.get(), x + 10, y + 20) != 0, opaque) << x << "," << y;
        }
    GdiObject<HRGN> tolerant(BitmapToRegion(bmp, 0, 0, RGB(245, 0, 245), 10, 10, 10));
    EXPECT_FALSE(PtInRegion(tolerant.get(), 4, 2));
    EXPECT_TRUE(PtInRegion(tolerant.get(), 1, 0));
    FillRect(bmp.Canvas().Handle(), &all, key.get());
    GdiObject<HRGN> none(BitmapToRegion(bmp, 0, 0, kSkinKeyColour, 0, 0, 0));
    RECT box{};
    EXPECT_EQ(GetRgnBox(none.get(), &box), NULLREGION);
}

TEST(SkinPrimitives, DrawingLeavesNoGdiObjects) {
    auto owned = Cells(2);
    TBitmap& src = *owned;
    TBitmap dst(40, 40);
    HDC dc = dst.Canvas().Handle();
    DrawRect2(dc, RECT{0, 0, 40, 40}, src, SliceMargins{2, 2, 2, 2}, 1, 2, true, true, false);
    const DWORD before = GdiObjectCount();
    for (int i = 0; i < 200; ++i) {
        DrawRect2(dc, RECT{0, 0, 40, 40}, src, SliceMargins{2, 2, 2, 2}, 1 + i % 2, 2, i % 2, i % 3 == 0, false);
        DrawRect3(dc, RECT{0, 0, 40, 40}, src, 1, 2, true);
        DeleteObject(BitmapToRegion(src, 0, 0, kSkinKeyColour, 0, 0, 0));
    }
    EXPECT_EQ(GdiObjectCount(), before);
}
