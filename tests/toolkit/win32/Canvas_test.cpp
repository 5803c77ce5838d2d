// Drawing through TCanvas into bitmaps and reading the pixels back; what a
// canvas does to a DC it borrows or owns; GDI objects over many paints.
#include "toolkit/Canvas.h"

#include <gtest/gtest.h>

#include "toolkit/testing/GdiObjectCount.h"

#include <vector>

#include "toolkit/Bitmap.h"

namespace {

// Pixels of `colour` inside `rect`, read back from the DIB rows.
int CountColour(TBitmap& bitmap, const RECT& rect, TColor colour) {
    const PixelImage image = bitmap.ToPixelImage();
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) count += static_cast<TColor>(image.Color(x, y)) == colour;
    return count;
}

TEST(Canvas, FillsFramesAndShapesWithBrushAndPen) {
    TBitmap bitmap(40, 40, pf24bit);
    TCanvas& canvas = bitmap.Canvas();

    canvas.Brush().SetColor(clRed);
    canvas.FillRect(RECT{0, 0, 10, 10});
    EXPECT_EQ(CountColour(bitmap, RECT{0, 0, 10, 10}, clRed), 100);
    EXPECT_EQ(canvas.Pixels(10, 10), clWhite);  // right and bottom edges excluded

    // Rectangle: pen outline, brush inside.
    canvas.Pen().SetColor(clBlue);
    canvas.Brush().SetColor(clLime);
    canvas.Rectangle(10, 10, 20, 20);
    EXPECT_EQ(canvas.Pixels(10, 10), clBlue);
    EXPECT_EQ(canvas.Pixels(19, 15), clBlue);
    EXPECT_EQ(CountColour(bitmap, RECT{11, 11, 19, 19}, clLime), 64);

    // A clear brush leaves the inside alone.
    canvas.Brush().SetStyle(bsClear);
    canvas.Rectangle(20, 20, 30, 30);
    EXPECT_EQ(canvas.Pixels(20, 25), clBlue);
    EXPECT_EQ(CountColour(bitmap, RECT{21, 21, 29, 29}, clWhite), 64);

    // Ellipse: the centre is filled, the corners of its box are not.
    canvas.Brush().SetColor(clYellow);  // a colour makes the brush solid again
    EXPECT_EQ(canvas.Brush().Style(), bsSolid);
    canvas.Pen().SetStyle(psClear);
    canvas.Ellipse(0, 20, 20, 40);
    EXPECT_EQ(canvas.Pixels(10, 30), clYellow);
    EXPECT_EQ(canvas.Pixels(0, 20), clWhite);
    EXPECT_EQ(canvas.Pixels(19, 39), clWhite);

    // FrameRect draws the border with the brush.
    canvas.Brush().SetColor(clBlack);
    canvas.FrameRect(RECT{30, 0, 40, 10});
    EXPECT_EQ(canvas.Pixels(30, 5), clBlack);
    EXPECT_EQ(canvas.Pixels(35, 5), clWhite);

    canvas.SetPixel(39, 39, clFuchsia);
    EXPECT_EQ(canvas.Pixels(39, 39), clFuchsia);
    EXPECT_EQ(canvas.Pixels(400, 400), clNone);  // outside the bitmap
}

TEST(Canvas, LinesFollowThePenAndItsPosition) {
    TBitmap bitmap(20, 20, pf24bit);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen().SetColor(clRed);
    canvas.MoveTo(2, 5);
    canvas.LineTo(12, 5);
    EXPECT_EQ(canvas.PenPos().x, 12);
    EXPECT_EQ(CountColour(bitmap, RECT{2, 5, 12, 6}, clRed), 10);  // end point excluded
    EXPECT_EQ(canvas.Pixels(12, 5), clWhite);

    // Changing the pen while it is selected: the next line has the new colour
    // and width.
    canvas.Pen().SetColor(clBlue);
    canvas.Pen().SetWidth(3);
    canvas.MoveTo(5, 10);
    canvas.LineTo(5, 18);
    EXPECT_EQ(canvas.Pixels(5, 14), clBlue);
    EXPECT_EQ(canvas.Pixels(4, 14), clBlue);
    EXPECT_EQ(canvas.Pixels(6, 14), clBlue);
    EXPECT_EQ(canvas.Pixels(8, 14), clWhite);

    // Xor mode: drawing the same line twice restores the background.
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetMode(pmXor);
    canvas.Pen().SetColor(clWhite);
    canvas.MoveTo(0, 0);
    canvas.LineTo(10, 0);
    EXPECT_EQ(canvas.Pixels(3, 0), clBlack);
    canvas.MoveTo(0, 0);
    canvas.LineTo(10, 0);
    EXPECT_EQ(canvas.Pixels(3, 0), clWhite);
}

TEST(Canvas, PolygonsPolylinesClipAndRefresh) {
    TBitmap bitmap(30, 30, pf24bit);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen().SetColor(clBlack);
    canvas.Brush().SetColor(clRed);
    const POINT triangle[] = {{0, 0}, {20, 0}, {0, 20}};
    canvas.Polygon(triangle);
    EXPECT_EQ(canvas.Pixels(5, 5), clRed);
    EXPECT_EQ(canvas.Pixels(0, 10), clBlack);  // outline
    EXPECT_EQ(canvas.Pixels(18, 18), clWhite);

    canvas.Pen().SetColor(clBlue);
    const POINT zigzag[] = {{20, 20}, {29, 20}, {29, 29}};
    canvas.Polyline(zigzag);
    EXPECT_EQ(canvas.Pixels(25, 20), clBlue);
    EXPECT_EQ(canvas.Pixels(29, 25), clBlue);
    EXPECT_EQ(canvas.Pixels(25, 25), clWhite);  // not closed, not filled
    canvas.Polygon({});  // nothing to draw

    RECT clip = canvas.ClipRect();
    EXPECT_EQ(clip.right, 30);
    EXPECT_EQ(clip.bottom, 30);
    IntersectClipRect(canvas.Handle(), 5, 5, 10, 10);
    clip = canvas.ClipRect();
    EXPECT_EQ(clip.left, 5);
    EXPECT_EQ(clip.bottom, 10);
    canvas.Brush().SetColor(clLime);
    canvas.FillRect(RECT{0, 0, 30, 30});
    EXPECT_EQ(CountColour(bitmap, RECT{0, 0, 30, 30}, clLime), 25);
    SelectClipRgn(canvas.Handle(), nullptr);

    // Refresh puts the DC's own objects back; drawing selects ours again.
    HDC dc = canvas.Handle();
    const HGDIOBJ ours = GetCurrentObject(dc, OBJ_PEN);
    canvas.Refresh();
    EXPECT_NE(GetCurrentObject(dc, OBJ_PEN), ours);
    canvas.MoveTo(0, 29);
    canvas.LineTo(10, 29);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), ours);
    EXPECT_EQ(canvas.Pixels(5, 29), clBlue);
}

TEST(Canvas, TextIsDrawnInTheFontColourAndMeasured) {
    TBitmap bitmap(200, 40, pf24bit);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font().SetHeight(-16);
    canvas.Font().SetColor(clRed);
    canvas.Brush().SetStyle(bsClear);

    const SIZE extent = canvas.TextExtent(L"Relayon");
    EXPECT_GT(extent.cx, 20);
    EXPECT_GE(extent.cy, 14);
    EXPECT_GT(canvas.TextWidth(L"Relayon Relayon"), extent.cx);
    EXPECT_EQ(canvas.TextWidth(L""), 0);

    canvas.TextOut(4, 4, L"Relayon");
    const RECT textBox{4, 4, 4 + extent.cx, 4 + extent.cy};
    EXPECT_GT(CountColour(bitmap, textBox, clRed), 20);
    // Transparent background: the box keeps white between the glyphs,
    // nothing right of it changed, and the pen moved past the text.
    EXPECT_GT(CountColour(bitmap, textBox, clWhite), extent.cx * extent.cy / 3);
    EXPECT_EQ(CountColour(bitmap, RECT{4 + extent.cx, 0, 200, 40}, clWhite), (200 - 4 - extent.cx) * 40);
    EXPECT_EQ(canvas.PenPos().x, 4 + extent.cx);

    // A bigger font measures bigger; the canvas picks up the change.
    canvas.Font().SetHeight(-32);
    EXPECT_GT(canvas.TextExtent(L"Relayon").cx, extent.cx);

    // An opaque brush fills the text background with the brush colour.
    canvas.Font().SetHeight(-16);
    canvas.Brush().SetColor(clLime);
    canvas.TextOut(100, 4, L"Relayon");
    EXPECT_GT(CountColour(bitmap, RECT{100, 4, 100 + extent.cx, 4 + extent.cy}, clLime), extent.cx * extent.cy / 2);
}

TEST(Canvas, TextRectClipsAndDrawTextMeasures) {
    TBitmap bitmap(100, 30, pf24bit);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font().SetHeight(-20);
    canvas.Font().SetColor(clBlack);
    canvas.Brush().SetColor(clAqua);
    const RECT clip{10, 5, 30, 25};
    canvas.TextRect(clip, 10, 5, L"WWWWWWWWWW");
    // Inside: the brush and some glyph pixels. Outside: untouched.
    EXPECT_GT(CountColour(bitmap, clip, clAqua), 0);
    EXPECT_GT(CountColour(bitmap, clip, clBlack), 0);
    EXPECT_EQ(CountColour(bitmap, RECT{30, 0, 100, 30}, clWhite), 70 * 30);
    EXPECT_EQ(CountColour(bitmap, RECT{0, 0, 10, 30}, clWhite), 10 * 30);

    RECT measured{0, 0, 1000, 0};
    const int height = canvas.DrawText(L"one\ntwo", measured, DT_CALCRECT);
    EXPECT_EQ(height, measured.bottom - measured.top);
    RECT oneLine{0, 0, 1000, 0};
    canvas.DrawText(L"one", oneLine, DT_CALCRECT);
    EXPECT_GE(measured.bottom, 2 * oneLine.bottom - 1);
}

TEST(Canvas, CopyRectCopiesAndStretchesBetweenCanvases) {
    TBitmap source(8, 8, pf24bit);
    source.Canvas().Brush().SetColor(clRed);
    source.Canvas().FillRect(RECT{0, 0, 4, 8});  // left half red
    TBitmap target(32, 32, pf32bit);

    target.Canvas().CopyRect(RECT{0, 0, 8, 8}, source.Canvas(), RECT{0, 0, 8, 8});
    EXPECT_EQ(CountColour(target, RECT{0, 0, 4, 8}, clRed), 32);
    EXPECT_EQ(CountColour(target, RECT{4, 0, 8, 8}, clWhite), 32);

    SetStretchBltMode(target.Canvas().Handle(), COLORONCOLOR);
    target.Canvas().CopyRect(RECT{8, 8, 24, 24}, source.Canvas(), RECT{0, 0, 8, 8});
    EXPECT_EQ(CountColour(target, RECT{8, 8, 16, 24}, clRed), 128);
    EXPECT_EQ(CountColour(target, RECT{16, 8, 24, 24}, clWhite), 128);

    // Copy mode applies: NOTSRCCOPY inverts.
    target.Canvas().SetCopyMode(NOTSRCCOPY);
    target.Canvas().CopyRect(RECT{24, 24, 32, 32}, source.Canvas(), RECT{0, 0, 8, 8});
    EXPECT_EQ(target.Canvas().Pixels(24, 24), clAqua);
    EXPECT_EQ(target.Canvas().Pixels(31, 31), clBlack);
}

TEST(Canvas, DrawsBitmapsOpaqueTransparentAndStretched) {
    TBitmap sprite(4, 4, pf24bit);
    sprite.Canvas().Brush().SetColor(clFuchsia);
    sprite.Canvas().FillRect(RECT{0, 0, 4, 4});
    sprite.Canvas().Brush().SetColor(clBlue);
    sprite.Canvas().FillRect(RECT{1, 1, 3, 3});

    TBitmap target(20, 20, pf24bit);
    target.Canvas().Draw(0, 0, sprite);
    EXPECT_EQ(target.Canvas().Pixels(0, 0), clFuchsia);
    EXPECT_EQ(target.Canvas().Pixels(1, 1), clBlue);

    // Transparent: magenta (the bottom-left pixel) leaves the white below.
    sprite.SetTransparent(true);
    EXPECT_EQ(sprite.TransparentColor(), clFuchsia);
    target.Canvas().Draw(10, 0, sprite);
    EXPECT_EQ(target.Canvas().Pixels(10, 0), clWhite);
    EXPECT_EQ(target.Canvas().Pixels(11, 1), clBlue);

    // Stretched to 8 x 8: the 2 x 2 blue centre becomes 4 x 4.
    sprite.SetTransparent(false);
    target.Canvas().StretchDraw(RECT{0, 10, 8, 18}, sprite);
    EXPECT_EQ(CountColour(target, RECT{0, 10, 8, 18}, clBlue), 16);
    EXPECT_EQ(CountColour(target, RECT{0, 10, 8, 18}, clFuchsia), 48);

    // Drawing an empty bitmap draws nothing and does not fail.
    TBitmap empty;
    target.Canvas().Draw(0, 0, empty);
    EXPECT_EQ(target.Canvas().Pixels(0, 0), clFuchsia);
}

TEST(Canvas, ABorrowedDcIsReturnedAsItCameAnOwnedOneIsFreed) {
    MemoryDC dc;
    GdiObject<HBITMAP> surface(CreateCompatibleBitmap(ScreenDC(), 16, 16));
    SelectGuard keepSurface(dc, surface.get());
    const HGDIOBJ originalPen = GetCurrentObject(dc, OBJ_PEN);
    const HGDIOBJ originalBrush = GetCurrentObject(dc, OBJ_BRUSH);
    const HGDIOBJ originalFont = GetCurrentObject(dc, OBJ_FONT);
    HPEN usedPen = nullptr;
    {
        TCanvas canvas(dc);
        canvas.Pen().SetColor(clRed);
        canvas.Brush().SetColor(clBlue);
        canvas.Rectangle(0, 0, 8, 8);
        usedPen = static_cast<HPEN>(GetCurrentObject(dc, OBJ_PEN));
        EXPECT_NE(usedPen, originalPen);
        EXPECT_EQ(usedPen, canvas.Pen().Handle());
        EXPECT_EQ(GetPixel(dc, 4, 4), COLORREF(clBlue));
        // The pen changes while selected: the DC gets its own pen back
        // first, so the old handle can really be deleted.
        canvas.Pen().SetColor(clLime);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), originalPen);
        EXPECT_EQ(GetObjectType(usedPen), 0u);
        canvas.MoveTo(0, 12);
        canvas.LineTo(10, 12);
        EXPECT_EQ(GetPixel(dc, 5, 12), COLORREF(clLime));
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), originalPen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), originalBrush);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), originalFont);
    EXPECT_EQ(GetObjectType(dc), DWORD(OBJ_MEMDC));  // still alive: borrowed

    HDC owned = CreateCompatibleDC(nullptr);
    {
        TCanvas canvas;
        canvas.OwnHandle(owned);
        canvas.Brush().SetColor(clRed);
        canvas.FillRect(RECT{0, 0, 1, 1});
        EXPECT_EQ(canvas.Handle(), owned);
    }
    EXPECT_EQ(GetObjectType(owned), 0u);  // deleted with the canvas

    // Switching a canvas to another DC puts everything back in the first.
    MemoryDC other;
    TCanvas canvas(dc);
    canvas.Rectangle(0, 0, 2, 2);
    canvas.SetHandle(other);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), originalPen);
    EXPECT_EQ(canvas.Handle(), other.get());
    canvas.SetHandle(nullptr);
    EXPECT_FALSE(canvas.HandleAllocated());
    EXPECT_EQ(canvas.Handle(), nullptr);
    canvas.FillRect(RECT{0, 0, 1, 1});  // no DC: nothing happens
}

TEST(Canvas, GdiObjectsDoNotAccumulateOverManyPaints) {
    TBitmap sprite(8, 8, pf8bit);
    auto paint = [&](int i) {
        TBitmap bitmap(24, 24, (i % 2) ? pf24bit : pf32bit);
        TCanvas& canvas = bitmap.Canvas();
        canvas.Pen().SetColor(static_cast<TColor>(i * 0x010203));
        canvas.Pen().SetWidth(1 + i % 3);
        canvas.Brush().SetColor(static_cast<TColor>(i * 0x030201));
        canvas.Brush().SetStyle((i % 3) ? bsSolid : bsCross);
        canvas.Font().SetHeight(-10 - i % 7);
        canvas.Rectangle(0, 0, 20, 20);
        canvas.TextOut(1, 1, L"x");
        canvas.Font().SetStyle({fsBold});
        canvas.TextOut(1, 10, L"y");
        sprite.SetTransparent(i % 2);
        canvas.Draw(2, 2, sprite);
        canvas.StretchDraw(RECT{0, 0, 24, 24}, sprite);
        bitmap.SetPixelFormat(pf8bit);
        bitmap.SetSize(12, 30);
        MemoryDC dc;
        TCanvas borrowed(dc);
        borrowed.Pen().SetColor(clRed);
        borrowed.LineTo(3, 3);
    };
    paint(0);  // the first paint makes the stock objects the system keeps
    const DWORD before = GdiObjectCount();
    ASSERT_GT(before, 0u) << "no way to count GDI objects here";
    for (int i = 1; i <= 300; ++i) paint(i);
    EXPECT_LE(GdiObjectCount(), before + 2);

    // The count is a real one: objects that are kept show up in it.
    std::vector<GdiObject<HBRUSH>> kept;
    for (int i = 0; i < 20; ++i) kept.emplace_back(CreateSolidBrush(RGB(i, 0, 0)));
    EXPECT_GE(GdiObjectCount(), before + 20);
}

}  // namespace
