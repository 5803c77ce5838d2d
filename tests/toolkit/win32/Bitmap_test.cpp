// TBitmap as a DIB section: loading and saving through the codec, rows,
// pixel formats, resizing, copies and transparency, all checked through
// the pixels GDI sees.
#include "toolkit/Bitmap.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "../BmpFixtures.h"

namespace {

constexpr TColor kFixtureRed = 0x0000FF, kFixtureLime = 0x00FF00, kFixtureBlue = 0xFF0000;

TColor FixtureColour(int x, int y) {
    if (x == 0 && y == 0) return kFixtureRed;
    if (x == 6 && y == 2) return kFixtureBlue;
    if (y == 1 && x >= 1 && x <= 5) return kFixtureLime;
    return clWhite;
}

// GDI's view of every pixel, through the canvas.
void ExpectFixtureThroughGdi(TBitmap& bitmap) {
    ASSERT_EQ(bitmap.Width(), 7);
    ASSERT_EQ(bitmap.Height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x) EXPECT_EQ(bitmap.Canvas().Pixels(x, y), FixtureColour(x, y)) << x << "," << y;
}

std::string Text(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(Bitmap, LoadsEveryKindOfFileIntoTheMatchingFormat) {
    struct Case {
        const std::vector<uint8_t>* bytes;
        TPixelFormat format;
    } cases[] = {
        {&kImageMagickRgb24, pf24bit}, {&kImageMagickPalette4, pf4bit}, {&kImageMagickRle8, pf8bit},
        {&kImageMagickOs2Core, pf4bit}, {&kImageMagickRgb565, pf16bit}, {&kImageMagickRgba32, pf32bit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        TBitmap bitmap;
        bitmap.LoadFromBytes(*c.bytes);
        EXPECT_EQ(bitmap.PixelFormat(), c.format);
        EXPECT_EQ(bitmap.HandleType(), bmDIB);
        DIBSECTION section{};
        ASSERT_EQ(GetObjectW(bitmap.Handle(), sizeof section, &section), int(sizeof section));
        EXPECT_EQ(section.dsBm.bmWidth, 7);
        EXPECT_EQ(section.dsBmih.biBitCount, BitsPerPixel(bitmap.ToPixelImage().layout));
        ExpectFixtureThroughGdi(bitmap);
    }
}

TEST(Bitmap, StreamsAndFilesRoundTrip) {
    // A stream holding a bitmap and more: loading stops right after it.
    std::stringstream stream(Text(kImageMagickRgb24) + "tail");
    TBitmap bitmap;
    bitmap.LoadFromStream(stream);
    ExpectFixtureThroughGdi(bitmap);
    std::string rest;
    stream >> rest;
    EXPECT_EQ(rest, "tail");

    std::stringstream saved;
    bitmap.SaveToStream(saved);
    TBitmap again;
    again.LoadFromStream(saved);
    ExpectFixtureThroughGdi(again);

    wchar_t dir[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, dir), 0u);
    const std::filesystem::path path = std::filesystem::path(dir) / L"relayon_bitmap_test.bmp";
    TBitmap palette;
    palette.LoadFromBytes(kImageMagickPalette4);
    palette.SaveToFile(path);
    TBitmap fromFile;
    fromFile.LoadFromFile(path);
    EXPECT_EQ(fromFile.PixelFormat(), pf4bit);
    EXPECT_EQ(fromFile.Palette(), palette.Palette());
    ExpectFixtureThroughGdi(fromFile);
    std::filesystem::remove(path);

    EXPECT_THROW(fromFile.LoadFromFile(path), EInvalidGraphicOperation);
    ExpectFixtureThroughGdi(fromFile);
    TBitmap empty;
    EXPECT_THROW(empty.SaveToFile(path), std::invalid_argument);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(Bitmap, ABrokenFileLeavesTheBitmapAsItWas) {
    TBitmap bitmap;
    bitmap.LoadFromBytes(kImageMagickRgb24);
    int changes = 0;
    struct Counter : TObject {
        int* count;
        void Changed(TObject*) { ++*count; }
    } counter;
    counter.count = &changes;
    bitmap.OnChange = TNotifyEvent(&counter, &Counter::Changed);

    std::vector<uint8_t> truncated(kImageMagickRgb24.begin(), kImageMagickRgb24.begin() + 60);
    EXPECT_THROW(bitmap.LoadFromBytes(truncated), EInvalidGraphic);
    std::stringstream garbage("BM this is not a bitmap");
    EXPECT_THROW(bitmap.LoadFromStream(garbage), EInvalidGraphic);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
    ExpectFixtureThroughGdi(bitmap);

    bitmap.LoadFromBytes(kImageMagickPalette4);
    EXPECT_EQ(changes, 1);
}

TEST(Bitmap, ScanLinesAreTheRowsGdiDrawsInto) {
    TBitmap bitmap(5, 4, pf24bit);
    auto* row0 = static_cast<uint8_t*>(bitmap.ScanLine(0));
    auto* row1 = static_cast<uint8_t*>(bitmap.ScanLine(1));
    // Bottom row first in memory: the stride between rows is negative.
    EXPECT_EQ(row1 - row0, -static_cast<ptrdiff_t>(bitmap.Stride()));
    EXPECT_EQ(bitmap.Stride(), 16u);

    row1[3 * 2 + 2] = 0xFF;  // pixel (2, 1) red
    row1[3 * 2 + 1] = 0x00;
    row1[3 * 2 + 0] = 0x00;
    EXPECT_EQ(bitmap.Canvas().Pixels(2, 1), clRed);

    bitmap.Canvas().SetPixel(4, 3, clBlue);
    const auto* row3 = static_cast<const uint8_t*>(bitmap.ScanLine(3));
    EXPECT_EQ(row3[12], 0xFF);  // blue byte of pixel 4
    EXPECT_EQ(row3[14], 0x00);

    EXPECT_THROW(bitmap.ScanLine(-1), EInvalidGraphicOperation);
    EXPECT_THROW(bitmap.ScanLine(4), EInvalidGraphicOperation);
    TBitmap empty;
    EXPECT_THROW(empty.ScanLine(0), EInvalidGraphicOperation);
    EXPECT_EQ(empty.Handle(), nullptr);

    // 32-bit rows are 4 bytes per pixel, 1-bit rows are packed.
    TBitmap wide(3, 2, pf32bit);
    EXPECT_EQ(static_cast<uint8_t*>(wide.ScanLine(0)) - static_cast<uint8_t*>(wide.ScanLine(1)), 12);
    TBitmap mono(10, 2, pf1bit);
    static_cast<uint8_t*>(mono.ScanLine(0))[0] = 0x00;  // first 8 pixels black
    EXPECT_EQ(mono.Canvas().Pixels(0, 0), clBlack);
    EXPECT_EQ(mono.Canvas().Pixels(9, 0), clWhite);
}

TEST(Bitmap, PixelFormatChangesConvertThePixels) {
    TBitmap bitmap;
    bitmap.LoadFromBytes(kImageMagickRgb24);
    for (TPixelFormat format : {pf32bit, pf16bit, pf15bit, pf8bit, pf4bit, pf24bit}) {
        SCOPED_TRACE(format);
        bitmap.SetPixelFormat(format);  // every fixture colour is in each palette
        EXPECT_EQ(bitmap.PixelFormat(), format);
        ExpectFixtureThroughGdi(bitmap);
    }
    bitmap.SetPixelFormat(pf1bit);
    EXPECT_EQ(bitmap.Canvas().Pixels(3, 0), clWhite);
    EXPECT_EQ(bitmap.Canvas().Pixels(0, 0), clBlack);  // red is nearer to black
    EXPECT_THROW(bitmap.SetPixelFormat(pfCustom), std::invalid_argument);

    // GDI draws into indexed bitmaps with their palette.
    TBitmap indexed(4, 4, pf8bit);
    indexed.Canvas().Brush().SetColor(clNavy);
    indexed.Canvas().FillRect(RECT{0, 0, 4, 4});
    EXPECT_EQ(indexed.Canvas().Pixels(1, 1), clNavy);
    EXPECT_EQ(indexed.ToPixelImage().Color(1, 1), uint32_t(clNavy));
}

TEST(Bitmap, ResizingKeepsTheTopLeftAndFillsTheRestWithTheBrush) {
    TBitmap bitmap;
    bitmap.LoadFromBytes(kImageMagickRgb24);
    bitmap.SetSize(10, 5);
    EXPECT_EQ(bitmap.Canvas().Pixels(0, 0), kFixtureRed);
    EXPECT_EQ(bitmap.Canvas().Pixels(6, 2), kFixtureBlue);
    EXPECT_EQ(bitmap.Canvas().Pixels(9, 4), clWhite);

    bitmap.Canvas().Brush().SetColor(clYellow);
    bitmap.SetWidth(12);
    EXPECT_EQ(bitmap.Canvas().Pixels(11, 0), clYellow);
    EXPECT_EQ(bitmap.Canvas().Pixels(9, 4), clWhite);

    bitmap.SetHeight(1);
    EXPECT_EQ(bitmap.Height(), 1);
    EXPECT_EQ(bitmap.Canvas().Pixels(0, 0), kFixtureRed);
    bitmap.SetSize(0, 0);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Handle(), nullptr);

    // 4-bit rows are copied pixel by pixel across the nibbles.
    TBitmap nibbles;
    nibbles.LoadFromBytes(kImageMagickPalette4);
    nibbles.SetSize(3, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(nibbles.Canvas().Pixels(x, y), FixtureColour(x, y));
}

TEST(Bitmap, AssignMakesAnIndependentCopy) {
    TBitmap original;
    original.LoadFromBytes(kImageMagickPalette4);
    original.SetTransparentColor(kFixtureLime);
    original.SetTransparent(true);

    TBitmap copy;
    copy.Assign(&original);
    EXPECT_EQ(copy.PixelFormat(), pf4bit);
    EXPECT_EQ(copy.Palette(), original.Palette());
    EXPECT_TRUE(copy.Transparent());
    EXPECT_EQ(copy.TransparentColor(), kFixtureLime);
    EXPECT_NE(copy.Handle(), original.Handle());
    ExpectFixtureThroughGdi(copy);

    copy.Canvas().SetPixel(3, 0, clBlack);
    EXPECT_EQ(original.Canvas().Pixels(3, 0), clWhite);

    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
    copy.Assign(&copy);
    EXPECT_TRUE(copy.Empty());
}

TEST(Bitmap, TransparentColourIsTheBottomLeftPixelUnlessFixed) {
    TBitmap bitmap;
    bitmap.LoadFromBytes(kImageMagickRgb24);
    EXPECT_EQ(bitmap.TransparentMode(), tmAuto);
    EXPECT_EQ(bitmap.TransparentColor(), clWhite);  // (0, 2) is white
    bitmap.Canvas().SetPixel(0, 2, clFuchsia);
    EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);

    bitmap.SetTransparentColor(clRed);
    EXPECT_EQ(bitmap.TransparentMode(), tmFixed);
    EXPECT_EQ(bitmap.TransparentColor(), clRed);
    bitmap.SetTransparentMode(tmAuto);
    EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);

    TBitmap empty;
    EXPECT_EQ(empty.TransparentColor(), clDefault);
}

TEST(Bitmap, LoadsBitmapResourcesOfAModule) {
    // A copy of this program with bitmap resources added, loaded as data.
    wchar_t self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    wchar_t dir[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, dir), 0u);
    const std::filesystem::path module = std::filesystem::path(dir) / L"relayon_bitmap_resources.exe";
    std::filesystem::copy_file(self, module, std::filesystem::copy_options::overwrite_existing);

    // Resources hold packed DIBs: the file without its 14-byte header.
    std::vector<uint8_t> dib(kImageMagickPalette4.begin() + 14, kImageMagickPalette4.end());
    std::vector<uint8_t> broken(dib.begin(), dib.begin() + 30);
    HANDLE update = BeginUpdateResourceW(module.c_str(), FALSE);
    ASSERT_NE(update, nullptr);
    const WORD language = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
    ASSERT_TRUE(UpdateResourceW(update, MAKEINTRESOURCEW(2), L"TRACK", language, dib.data(), DWORD(dib.size())));
    ASSERT_TRUE(UpdateResourceW(update, MAKEINTRESOURCEW(2), MAKEINTRESOURCEW(7), language, dib.data(), DWORD(dib.size())));
    ASSERT_TRUE(UpdateResourceW(update, MAKEINTRESOURCEW(2), L"BROKEN", language, broken.data(), DWORD(broken.size())));
    ASSERT_TRUE(EndUpdateResourceW(update, FALSE));

    HMODULE data = LoadLibraryExW(module.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(data, nullptr);
    TBitmap bitmap;
    bitmap.LoadFromResourceName(data, L"TRACK");
    EXPECT_EQ(bitmap.PixelFormat(), pf4bit);
    ExpectFixtureThroughGdi(bitmap);
    TBitmap byId;
    byId.LoadFromResourceID(data, 7);
    ExpectFixtureThroughGdi(byId);

    EXPECT_THROW(bitmap.LoadFromResourceName(data, L"MISSING"), EInvalidGraphicOperation);
    EXPECT_THROW(bitmap.LoadFromResourceName(data, L"BROKEN"), EInvalidGraphic);
    ExpectFixtureThroughGdi(bitmap);  // unchanged by both failures
    FreeLibrary(data);
    std::filesystem::remove(module);
}

TEST(Bitmap, TakesOverForeignBitmapHandles) {
    // A device bitmap drawn by plain GDI becomes a 32-bit DIB.
    HBITMAP device;
    {
        ScreenDC screen;
        device = CreateCompatibleBitmap(screen, 6, 4);
        MemoryDC dc(screen);
        SelectGuard select(dc, device);
        GdiObject<HBRUSH> red(CreateSolidBrush(RGB(255, 0, 0)));
        const RECT all{0, 0, 6, 4};
        ::FillRect(dc, &all, red.get());
        ::SetPixel(dc, 5, 3, RGB(0, 0, 255));
    }
    TBitmap bitmap;
    bitmap.SetHandle(device);
    EXPECT_EQ(GetObjectType(device), 0u);  // owned and deleted
    EXPECT_EQ(bitmap.PixelFormat(), pf32bit);
    EXPECT_EQ(bitmap.Width(), 6);
    EXPECT_EQ(bitmap.Canvas().Pixels(0, 0), clRed);
    EXPECT_EQ(bitmap.Canvas().Pixels(5, 3), clBlue);
    EXPECT_NE(bitmap.ScanLine(0), nullptr);

    // A monochrome bitmap keeps one bit per pixel; rows are top first.
    const uint8_t rows[4] = {0x00, 0xFF, 0xFF, 0xFF};  // row 0: first 8 pixels black (bit 0)
    HBITMAP mono = CreateBitmap(16, 2, 1, 1, rows);
    bitmap.SetHandle(mono);
    EXPECT_EQ(bitmap.PixelFormat(), pf1bit);
    EXPECT_EQ(bitmap.Canvas().Pixels(0, 0), clBlack);
    EXPECT_EQ(bitmap.Canvas().Pixels(8, 0), clWhite);
    EXPECT_EQ(bitmap.Canvas().Pixels(0, 1), clWhite);

    EXPECT_THROW(bitmap.SetHandle(reinterpret_cast<HBITMAP>(CreateSolidBrush(0))), EInvalidGraphicOperation);
    EXPECT_EQ(bitmap.Canvas().Pixels(0, 0), clBlack);
    bitmap.SetHandle(nullptr);
    EXPECT_TRUE(bitmap.Empty());
}

TEST(Bitmap, PatternBrushesComeFromBitmaps) {
    GdiObject<HBRUSH> dither = CreateDitherBrush(clRed, clBlue);
    ASSERT_TRUE(dither);
    TBitmap target(8, 8, pf24bit);
    ::FillRect(target.Canvas().Handle(), std::data({RECT{0, 0, 8, 8}}), dither.get());
    EXPECT_EQ(target.Canvas().Pixels(0, 0), clRed);
    EXPECT_EQ(target.Canvas().Pixels(1, 0), clBlue);
    EXPECT_EQ(target.Canvas().Pixels(1, 1), clRed);

    TBitmap pattern(2, 2, pf24bit);
    pattern.Canvas().SetPixel(0, 0, clLime);
    TBitmap filled(4, 4, pf24bit);
    filled.Canvas().Brush().SetBitmap(&pattern);
    filled.Canvas().FillRect(RECT{0, 0, 4, 4});
    EXPECT_EQ(filled.Canvas().Pixels(2, 2), clLime);
    EXPECT_EQ(filled.Canvas().Pixels(3, 2), clWhite);
    filled.Canvas().Brush().SetBitmap(nullptr);
}

}  // namespace
