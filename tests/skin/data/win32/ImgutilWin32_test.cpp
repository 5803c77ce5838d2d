// Image utilities on real bitmaps and device contexts: gradients painted into
// a DC (clip box, system colours, no leaked brushes), the transparent colour,
// mirrors and rotations of TBitmap at every depth.
#include "skin/data/win32/ImgutilWin32.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "toolkit/testing/GdiObjectCount.h"

namespace relayon::skin {
namespace {

TColor PixelAt(const TBitmap& bmp, int x, int y) { return static_cast<TColor>(bmp.ToPixelImage().Color(x, y)); }

// Colour of band i of an n-band gradient: per channel c1 plus i / (n - 1) of
// the way to c2, rounded to the nearest step (halves away from zero, so that
// falling and rising ramps both end exactly on c2); one band: the middle.
TColor ExpectedBand(int i, int n, TColor c1, TColor c2) {
    auto channel = [&](int shift) {
        const int a = (c1 >> shift) & 0xFF, b = (c2 >> shift) & 0xFF;
        if (n == 1) return a + (b - a) / 2;
        const double step = static_cast<double>(i) * (b - a) / (n - 1);
        return a + static_cast<int>(step < 0 ? -std::floor(-step + 0.5) : std::floor(step + 0.5));
    };
    return channel(0) | (channel(8) << 8) | (channel(16) << 16);
}

// Every pixel of `bmp` checked against `expected(x, y)`; the first mismatch reported.
::testing::AssertionResult PixelsAre(const TBitmap& bmp, const std::function<TColor(int, int)>& expected) {
    const PixelImage image = bmp.ToPixelImage();
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (static_cast<TColor>(image.Color(x, y)) != expected(x, y))
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex
                                                     << image.Color(x, y) << ", expected " << expected(x, y);
    return ::testing::AssertionSuccess();
}

class GradFillOnDc : public ::testing::Test {
protected:
    void SetUp() override {
        canvas_bitmap.Canvas().Brush().SetColor(kBackground);
        canvas_bitmap.Canvas().FillRect(RECT{0, 0, 30, 50});
        dc = canvas_bitmap.Canvas().Handle();
        cache.Clear();
    }
    void TearDown() override { SelectClipRgn(dc, nullptr); }

    static constexpr TColor kBackground = 0x00A000;  // green: untouched pixels
    TBitmap canvas_bitmap{30, 50, pf24bit};
    HDC dc = nullptr;
    GradientTableCache cache;
};

TEST_F(GradFillOnDc, RowsRunFromTheFirstToTheLastColour) {
    const RECT rect{5, 5, 25, 45};  // 40 rows
    EXPECT_EQ(GradFill(dc, rect, clWhite, 1, clBlack, cache), 40);
    EXPECT_TRUE(PixelsAre(canvas_bitmap, [&](int x, int y) {
        if (x < 5 || x >= 25 || y < 5 || y >= 45) return kBackground;
        return ExpectedBand(y - 5, 40, clWhite, clBlack);
    }));
    EXPECT_EQ(PixelAt(canvas_bitmap, 5, 5), clWhite);
    EXPECT_EQ(PixelAt(canvas_bitmap, 24, 44), clBlack);
    EXPECT_EQ(PixelAt(canvas_bitmap, 10, 15), 0xBEBEBE);  // band 10: 255 - 2550 / 39 (65.4)
}

TEST_F(GradFillOnDc, OnlyBandsInsideTheClipBoxArePaintedWithTheirFullGradientColour) {
    const RECT rect{0, 5, 30, 45};  // 40 rows from y = 5
    IntersectClipRect(dc, 0, 15, 30, 25);  // rows 15..24 = bands 10..19
    EXPECT_EQ(GradFill(dc, rect, clWhite, 1, clBlack, cache), 10);
    EXPECT_TRUE(PixelsAre(canvas_bitmap, [&](int, int y) {
        if (y < 15 || y >= 25) return kBackground;
        return ExpectedBand(y - 5, 40, clWhite, clBlack);
    }));

    // Columns: a clip box starting before the rectangle and ending inside it.
    SelectClipRgn(dc, nullptr);
    canvas_bitmap.Canvas().FillRect(RECT{0, 0, 30, 50});
    IntersectClipRect(dc, 0, 0, 12, 50);
    EXPECT_EQ(GradFill(dc, RECT{4, 0, 24, 10}, clBlack, 0, clWhite, cache), 8);  // columns 4..11
    EXPECT_TRUE(PixelsAre(canvas_bitmap, [&](int x, int y) {
        if (y >= 10 || x < 4 || x >= 12) return kBackground;
        return ExpectedBand(x - 4, 20, clBlack, clWhite);
    }));
}

TEST_F(GradFillOnDc, NothingHappensOutsideTheClipBoxOrForEmptyRectangles) {
    IntersectClipRect(dc, 0, 0, 30, 10);
    EXPECT_EQ(GradFill(dc, RECT{0, 20, 30, 40}, clWhite, 1, clBlack, cache), 0);
    EXPECT_EQ(GradFill(dc, RECT{5, 5, 5, 9}, clWhite, 0, clBlack, cache), 0);    // no width
    EXPECT_EQ(GradFill(dc, RECT{5, 8, 25, 2}, clWhite, 1, clBlack, cache), 0);   // upside down
    EXPECT_EQ(GradFill(nullptr, RECT{0, 0, 30, 10}, clWhite, 1, clBlack, cache), 0);
    EXPECT_TRUE(PixelsAre(canvas_bitmap, [](int, int) { return kBackground; }));
    EXPECT_EQ(cache.Misses(), 0);  // no table was even made
}

TEST_F(GradFillOnDc, OneBandTakesTheMiddleColourAndSystemColoursAreResolved) {
    EXPECT_EQ(GradFill(dc, RECT{0, 0, 30, 1}, clWhite, 1, clBlack, cache), 1);
    EXPECT_EQ(PixelAt(canvas_bitmap, 3, 0), 0x808080);

    const TColor face = static_cast<TColor>(GetSysColor(COLOR_BTNFACE));
    const TColor window = static_cast<TColor>(GetSysColor(COLOR_WINDOW));
    ASSERT_NE(face, window);
    EXPECT_EQ(GradFill(dc, RECT{0, 10, 30, 20}, clBtnFace, 1, clWindow, cache), 10);
    EXPECT_EQ(PixelAt(canvas_bitmap, 0, 10), face);
    EXPECT_EQ(PixelAt(canvas_bitmap, 0, 19), window);
    EXPECT_EQ(PixelAt(canvas_bitmap, 0, 14), ExpectedBand(4, 10, face, window));
}

TEST_F(GradFillOnDc, RepeatedFillsReuseTablesAndLeakNoBrushes) {
    GradFill(dc, RECT{0, 0, 30, 50}, clWhite, 1, clNavy, cache);  // first use may allocate lazily
    const DWORD before = GdiObjectCount();
    for (int i = 0; i < 300; ++i) GradFill(dc, RECT{0, 0, 30, 50}, clWhite, i % 2, clNavy, cache);
    EXPECT_EQ(GdiObjectCount(), before);
    EXPECT_EQ(cache.Misses(), 2);  // one table of 50 rows, one of 30 columns
    EXPECT_GE(cache.Hits(), 299);
}

TEST(ImgutilWin32, SystemColoursComeFromTheRunningSystem) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(Win32SystemColor(COLOR_BTNFACE), static_cast<TColor>(face));
    EXPECT_EQ(Win32SystemColor(clBtnFace & 0xFF), static_cast<TColor>(face));
    // Half of the face colour and half black, each channel rounded up at .5.
    const TColor half = BlendSystem(clBtnFace, clBlack, 50);
    for (int shift : {0, 8, 16})
        EXPECT_EQ((half >> shift) & 0xFF, ((static_cast<int>(face >> shift) & 0xFF) * 50 + 50) / 100) << shift;
    EXPECT_EQ(BlendSystem(clWindow, clWindow, 30), static_cast<TColor>(GetSysColor(COLOR_WINDOW)));
}

TEST(ImgutilWin32, ChangeTransPaintsExactMagentaOnlyAndLeavesTwentyFourBits) {
    TBitmap bmp(4, 1, pf32bit);
    bmp.Canvas().SetPixel(0, 0, RGBColor(255, 0, 255));
    bmp.Canvas().SetPixel(1, 0, RGBColor(255, 1, 255));
    bmp.Canvas().SetPixel(2, 0, RGBColor(254, 0, 255));
    bmp.Canvas().SetPixel(3, 0, RGBColor(255, 0, 255));
    ChangeTrans(bmp, RGBColor(1, 2, 3));
    EXPECT_EQ(bmp.PixelFormat(), pf24bit);
    EXPECT_TRUE(PixelsAre(bmp, [](int x, int) {
        const TColor row[] = {RGBColor(1, 2, 3), RGBColor(255, 1, 255), RGBColor(254, 0, 255), RGBColor(1, 2, 3)};
        return row[x];
    }));

    // A system colour is used as its bytes, not as what the system shows.
    TBitmap sys(1, 1, pf24bit);
    sys.Canvas().SetPixel(0, 0, RGBColor(255, 0, 255));
    ChangeTrans(sys, clBtnFace);
    EXPECT_EQ(PixelAt(sys, 0, 0), RGBColor(COLOR_BTNFACE, 0, 0));

    TBitmap empty;
    EXPECT_NO_THROW(ChangeTrans(empty, clWhite));
    EXPECT_TRUE(empty.Empty());
}

// Distinct colour per position so that every move is visible.
TColor Marker(int x, int y) { return RGBColor(40 + 20 * x, 30 + 50 * y, 7 * x + 3 * y); }

TBitmap& Paint(TBitmap& bmp) {
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x) bmp.Canvas().SetPixel(x, y, Marker(x, y));
    return bmp;
}

TEST(ImgutilWin32, MirrorsMovePixelsAcrossTheMiddle) {
    TBitmap bmp(3, 2, pf24bit);  // 9-byte rows: padding must not be moved
    SpiegelnHorizontal(Paint(bmp));
    EXPECT_EQ(bmp.PixelFormat(), pf24bit);
    EXPECT_TRUE(PixelsAre(bmp, [](int x, int y) { return Marker(2 - x, y); }));

    SpiegelnVertikal(Paint(bmp));
    EXPECT_TRUE(PixelsAre(bmp, [](int x, int y) { return Marker(x, 1 - y); }));
}

TEST(ImgutilWin32, RotationsSwapTheSidesAndUndoEachOther) {
    TBitmap bmp(3, 2, pf24bit);
    Drehen90Grad(Paint(bmp));
    ASSERT_EQ(bmp.Width(), 2);
    ASSERT_EQ(bmp.Height(), 3);
    // Clockwise: the old bottom-left corner is the new top-left.
    EXPECT_EQ(PixelAt(bmp, 0, 0), Marker(0, 1));
    EXPECT_TRUE(PixelsAre(bmp, [](int x, int y) { return Marker(y, 2 - 1 - x); }));

    Drehen270Grad(bmp);
    ASSERT_EQ(bmp.Width(), 3);
    EXPECT_TRUE(PixelsAre(bmp, Marker));

    Drehen270Grad(bmp);
    // Counter-clockwise: the old top-right corner is the new top-left.
    EXPECT_EQ(PixelAt(bmp, 0, 0), Marker(2, 0));
    EXPECT_TRUE(PixelsAre(bmp, [](int x, int y) { return Marker(3 - 1 - y, x); }));

    TBitmap empty;
    EXPECT_NO_THROW(Drehen90Grad(empty));
    EXPECT_TRUE(empty.Empty());
}

TEST(ImgutilWin32, ThirtyTwoBitPixelsMoveWithTheirAlpha) {
    TBitmap bmp(3, 2, pf32bit);
    for (int y = 0; y < 2; ++y) {
        auto* row = static_cast<uint8_t*>(bmp.ScanLine(y));
        for (int x = 0; x < 3; ++x) {
            const TColor c = Marker(x, y);
            row[4 * x + 0] = static_cast<uint8_t>(c >> 16);
            row[4 * x + 1] = static_cast<uint8_t>(c >> 8);
            row[4 * x + 2] = static_cast<uint8_t>(c);
            row[4 * x + 3] = static_cast<uint8_t>(100 + 10 * x + y);
        }
    }
    Drehen90Grad(bmp);
    EXPECT_EQ(bmp.PixelFormat(), pf32bit);
    EXPECT_TRUE(PixelsAre(bmp, [](int x, int y) { return Marker(y, 1 - x); }));
    const PixelImage turned = bmp.ToPixelImage();
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x) EXPECT_EQ(turned.Alpha(x, y), 100 + 10 * y + (1 - x)) << x << "," << y;

    SpiegelnHorizontal(bmp);
    EXPECT_EQ(bmp.ToPixelImage().Alpha(0, 0), turned.Alpha(1, 0));
}

TEST(ImgutilWin32, IndexedBitmapsBecomeTwentyFourBitsWithTheSameColours) {
    // Colours of the standard palette, so the 8-bit image holds them exactly.
    const TColor colours[] = {clRed, clLime, clBlue, clYellow, clWhite, clNavy};
    TBitmap bmp(3, 2, pf8bit);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) bmp.Canvas().SetPixel(x, y, colours[y * 3 + x]);
    ASSERT_EQ(PixelAt(bmp, 2, 1), clNavy);
    SpiegelnHorizontal(bmp);
    EXPECT_EQ(bmp.PixelFormat(), pf24bit);
    EXPECT_TRUE(PixelsAre(bmp, [&](int x, int y) { return colours[y * 3 + (2 - x)]; }));

    TBitmap mono(5, 3, pf1bit);
    mono.Canvas().Brush().SetColor(clWhite);
    mono.Canvas().FillRect(RECT{0, 0, 5, 3});
    mono.Canvas().SetPixel(4, 0, clBlack);
    Drehen90Grad(mono);
    EXPECT_EQ(mono.Width(), 3);
    EXPECT_EQ(mono.Height(), 5);
    EXPECT_TRUE(PixelsAre(mono, [](int x, int y) { return x == 2 && y == 4 ? clBlack : clWhite; }));
}

TEST(ImgutilWin32, TransformsKeepTheTransparencySettings) {
    TBitmap bmp(4, 4, pf24bit);
    bmp.SetTransparent(true);
    bmp.SetTransparentMode(tmFixed);
    bmp.SetTransparentColor(clFuchsia);
    SpiegelnVertikal(Paint(bmp));
    Drehen270Grad(bmp);
    EXPECT_TRUE(bmp.Transparent());
    EXPECT_EQ(bmp.TransparentMode(), tmFixed);
    EXPECT_EQ(bmp.TransparentColor(), clFuchsia);
}

TEST(ImgutilWin32, ManyTransformsLeakNoGdiObjects) {
    TBitmap bmp(16, 8, pf24bit);
    Paint(bmp);
    Drehen90Grad(bmp);  // warm-up: the first replacement may create the canvas' objects
    const DWORD before = GdiObjectCount();
    for (int i = 0; i < 100; ++i) {
        Drehen90Grad(bmp);
        SpiegelnHorizontal(bmp);
        ChangeTrans(bmp, clWhite);
    }
    EXPECT_EQ(GdiObjectCount(), before);
}

}  // namespace
}  // namespace relayon::skin
