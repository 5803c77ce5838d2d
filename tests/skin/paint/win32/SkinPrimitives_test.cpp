#include "skin/paint/win32/SkinPrimitives.h"
#include "skin/paint/win32/Winsubclass.h"

#include <gtest/gtest.h>

#include "toolkit/Application.h"
#include "toolkit/Canvas.h"
#include "toolkit/Form.h"
#include "toolkit/GdiObject.h"
#include "toolkit/Panel.h"
#include "toolkit/Shape.h"
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
constexpr COLORREF kGrey = RGB(9, 9, 9);

// A grey bitmap to draw on.
std::unique_ptr<TBitmap> Grey(int w, int h) {
    auto b = std::make_unique<TBitmap>(w, h);
    GdiObject<HBRUSH> grey(CreateSolidBrush(kGrey));
    RECT all{0, 0, w, h};
    FillRect(b->Canvas().Handle(), &all, grey.get());
    return b;
}
// Column block (0, 1, 2) a pixel of Cells() came from, -1 when it is not one
// of its colours (grey, black from reading outside the image ...).
int ColumnOf(COLORREF c) {
    if (GetGValue(c) != 50 || GetRValue(c) % 10 != 1) return -1;
    return (GetRValue(c) / 10) % 3;
}

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

TEST(SkinPrimitives, BandsTileOrStretchTheMiddleBetweenCaps) {
    auto owned = Cells(2);
    TBitmap& src = *owned;
    auto dst = Grey(20, 10);
    // Caps 2 wide, the 2-wide middle repeated from x = 5 while x < 12.
    DrawRectTile(dst->Canvas(), RECT{3, 2, 14, 6}, src, SliceMargins{2, 0, 2, 0}, 2, 2, false, false);
    for (int x = 3; x < 14; ++x) {
        ASSERT_EQ(ColumnOf(At(*dst, x, 2)), x < 5 ? 0 : x < 12 ? 1 : 2) << x;
        ASSERT_EQ(GetBValue(At(*dst, x, 5)), 100) << x;  // frame 2, full height
    }
    EXPECT_EQ(At(*dst, 2, 3), kGrey);
    EXPECT_EQ(At(*dst, 14, 3), kGrey);
    EXPECT_EQ(At(*dst, 5, 6), kGrey);

    // Stretched middle straight onto the DC; a band narrower than the frame
    // gets the whole frame squeezed in.
    auto wide = Grey(20, 10);
    DrawRectH(wide->Canvas().Handle(), RECT{1, 1, 17, 4}, src, SliceMargins{2, 0, 2, 0}, 1, 2, false);
    for (int x = 1; x < 17; ++x) ASSERT_EQ(ColumnOf(At(*wide, x, 1)), x < 3 ? 0 : x < 15 ? 1 : 2) << x;
    EXPECT_EQ(At(*wide, 17, 1), kGrey);
    EXPECT_EQ(At(*wide, 1, 4), kGrey);
    auto narrow = Grey(6, 6);
    DrawRectH(narrow->Canvas().Handle(), RECT{0, 0, 3, 3}, src, SliceMargins{2, 0, 2, 0}, 1, 2, false);
    EXPECT_EQ(ColumnOf(At(*narrow, 0, 0)), 0);
    EXPECT_EQ(ColumnOf(At(*narrow, 2, 0)), 2);
    EXPECT_EQ(At(*narrow, 3, 0), kGrey);
}

TEST(SkinPrimitives, BandsStayInsideBothBitmapsForAnyTarget) {
    auto owned = Cells(1);
    TBitmap& src = *owned;
    auto dst = Grey(12, 8);
    // A middle without width: only the caps.
    DrawRectTile(dst->Canvas(), RECT{0, 0, 12, 4}, src, SliceMargins{3, 0, 3, 0}, 1, 1, true, false);
    EXPECT_EQ(ColumnOf(At(*dst, 0, 0)), 0);
    EXPECT_EQ(ColumnOf(At(*dst, 11, 0)), 2);
    // Margins past the cell, zero and one pixel targets, frame count 0.
    DrawRectTile(dst->Canvas(), RECT{0, 4, 12, 8}, src, SliceMargins{50, 0, 50, 0}, 1, 1, false, false);
    DrawRectTile(dst->Canvas(), RECT{5, 5, 5, 5}, src, SliceMargins{2, 0, 2, 0}, 1, 1, false, false);
    DrawRectH(dst->Canvas().Handle(), RECT{7, 7, 8, 8}, src, SliceMargins{2, 0, 2, 0}, 1, 1, false);
    DrawRectTile(dst->Canvas(), RECT{0, 0, 12, 8}, src, SliceMargins{}, 1, 0, false, false);
    for (int y = 4; y < 8; ++y)
        for (int x = 0; x < 12; ++x) ASSERT_NE(ColumnOf(At(*dst, x, y)), -1) << x << "," << y;
    // A band far larger than the bitmap is composed only where it can be
    // seen, and quickly; every pixel comes from the middle of the cell.
    const DWORD start = GetTickCount();
    const RECT huge{-60000000, -60000000, 60000000, 60000000};
    DrawRectTile(dst->Canvas(), huge, src, SliceMargins{2, 0, 2, 0}, 1, 1, false, false);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x) ASSERT_EQ(ColumnOf(At(*dst, x, y)), 1) << x << "," << y;
    auto other = Grey(12, 8);
    DrawRectH(other->Canvas().Handle(), huge, src, SliceMargins{2, 0, 2, 0}, 1, 1, false);
    EXPECT_EQ(ColumnOf(At(*other, 6, 4)), 1);
    // Past GDI's coordinates nothing is drawn rather than a blank block.
    auto beyond = Grey(12, 8);
    const RECT farther{-500000000, -500000000, 500000000, 500000000};
    DrawRectTile(beyond->Canvas(), farther, src, SliceMargins{2, 0, 2, 0}, 1, 1, false, false);
    DrawRectH(beyond->Canvas().Handle(), farther, src, SliceMargins{2, 0, 2, 0}, 1, 1, false);
    EXPECT_EQ(At(*beyond, 6, 4), kGrey);
    EXPECT_LT(GetTickCount() - start, 2000u);
}

TEST(SkinPrimitives, BackgroundTilesFromTheCornerUncutAtTheFarEdges) {
    auto owned = Cells(1);
    TBitmap& src = *owned;
    SetPixel(src.Canvas().Handle(), 2, 2, RGB(1, 2, 3));
    auto dst = Grey(10, 10);
    DrawBGbmp(dst->Canvas(), RECT{1, 1, 8, 6}, src, RECT{2, 2, 4, 4});
    for (int y = 1; y < 7; ++y)
        for (int x = 1; x < 9; ++x) {
            const bool mark = (x - 1) % 2 == 0 && (y - 1) % 2 == 0;
            ASSERT_EQ(At(*dst, x, y), mark ? RGB(1, 2, 3) : Block(1, 1)) << x << "," << y;
        }
    EXPECT_EQ(At(*dst, 9, 1), kGrey);
    EXPECT_EQ(At(*dst, 1, 7), kGrey);
    EXPECT_EQ(At(*dst, 0, 0), kGrey);
    // An empty piece draws nothing; a piece reaching past the image is cut
    // to it; a huge destination fills the bitmap without running long.
    auto cut = Grey(10, 10);
    DrawBGbmp(cut->Canvas(), RECT{0, 0, 10, 10}, src, RECT{3, 3, 3, 9});
    EXPECT_EQ(At(*cut, 0, 0), kGrey);
    DrawBGbmp(cut->Canvas(), RECT{0, 0, 10, 10}, src, RECT{4, 4, 100, 100});
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(At(*cut, x, y), Block(2, 2)) << x << "," << y;
    const DWORD start = GetTickCount();
    DrawBGbmp(dst->Canvas(), RECT{-500000000, -500000000, 500000000, 500000000}, src, RECT{0, 0, 1, 1});
    EXPECT_LT(GetTickCount() - start, 2000u);
    EXPECT_EQ(At(*dst, 9, 9), Block(0, 0));
}

TEST(SkinPrimitives, ParentImageShowsWhatLiesUnderTheControl) {
    Application->Initialize();
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 150);
    form.SetColor(static_cast<TColor>(RGB(200, 20, 20)));
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(10, 20, 30, 15);
    auto* shape = new TShape(&form);
    shape->SetParent(&form);
    shape->SetBounds(12, 22, 4, 4);
    shape->Brush().SetColor(static_cast<TColor>(RGB(20, 200, 20)));
    shape->Pen().SetColor(static_cast<TColor>(RGB(20, 200, 20)));
    form.HandleNeeded();
    panel->HandleNeeded();
    auto dst = Grey(40, 20);
    DrawParentImage(panel, dst->Canvas().Handle());
    EXPECT_EQ(At(*dst, 0, 0), RGB(200, 20, 20));
    EXPECT_EQ(At(*dst, 29, 14), RGB(200, 20, 20));
    EXPECT_EQ(At(*dst, 3, 3), RGB(20, 200, 20));  // the shape, moved with the origin
    EXPECT_EQ(At(*dst, 30, 5), kGrey);            // clipped to the control
    EXPECT_EQ(At(*dst, 5, 15), kGrey);
    // The DC keeps its origin and clipping; a control without parent draws nothing.
    POINT origin{};
    GetViewportOrgEx(dst->Canvas().Handle(), &origin);
    EXPECT_EQ(origin.x, 0);
    TPanel orphan(nullptr);
    auto untouched = Grey(4, 4);
    DrawParentImage(&orphan, untouched->Canvas().Handle());
    EXPECT_EQ(At(*untouched, 1, 1), kGrey);
}
