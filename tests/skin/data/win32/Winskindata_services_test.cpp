// TSkinData's services on real windows and bitmaps: the caption-button hint,
// the application icon, the menu-bar glyphs, the control of a window,
// scroll-bar information, mouse-leave tracking, text helpers and the
// property and debug helpers.
#include "skin/data/win32/Winskindata.h"

#include <gtest/gtest.h>

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/core/Rtti.h"
#include "toolkit/testing/UiDriver.h"

using namespace relayon::skin;
using uitest::Pump;
using uitest::PumpUntil;

namespace {

constexpr COLORREF kGrey = RGB(9, 9, 9);

std::unique_ptr<TBitmap> Grey(int w, int h) {
    auto b = std::make_unique<TBitmap>(w, h);
    GdiObject<HBRUSH> grey(CreateSolidBrush(kGrey));
    RECT all{0, 0, w, h};
    FillRect(b->Canvas().Handle(), &all, grey.get());
    return b;
}

// A small icon of one colour, with its top-left quarter transparent.
HICON SolidIcon(COLORREF c) {
    const int w = GetSystemMetrics(SM_CXSMICON), h = GetSystemMetrics(SM_CYSMICON);
    TBitmap colour(w, h), mask(w, h);
    GdiObject<HBRUSH> red(CreateSolidBrush(c));
    RECT all{0, 0, w, h}, corner{0, 0, w / 2, h / 2};
    FillRect(colour.Canvas().Handle(), &all, red.get());
    FillRect(colour.Canvas().Handle(), &corner, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    FillRect(mask.Canvas().Handle(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    FillRect(mask.Canvas().Handle(), &corner, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    GdiObject<HBITMAP> monoMask(CreateBitmap(w, h, 1, 1, nullptr));
    {
        MemoryDC dc;
        SelectGuard select(dc.get(), monoMask.get());
        BitBlt(dc.get(), 0, 0, w, h, mask.Canvas().Handle(), 0, 0, SRCCOPY);
    }
    ICONINFO info{TRUE, 0, 0, monoMask.get(), colour.Handle()};
    return CreateIconIndirect(&info);
}

HICON RedIcon() { return SolidIcon(RGB(255, 0, 0)); }

}  // namespace

TEST(WinskindataServices, CaptionButtonHintShowsOnceAndOnlyWithItsOption) {
    TSkinData d(nullptr);
    EXPECT_FALSE(d.IsHint());
    d.ActivateHint(RECT{100, 120, 110, 130}, L"Close");
    ASSERT_TRUE(d.IsHint());
    HWND hint = d.fhintwindow->Handle();
    ASSERT_TRUE(IsWindowVisible(hint));
    wchar_t name[32] = {};
    GetClassNameW(hint, name, 32);
    EXPECT_STREQ(name, L"THintWindow");
    EXPECT_TRUE(GetWindowLongPtrW(hint, GWL_STYLE) & WS_BORDER);
    RECT r{};
    GetWindowRect(hint, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 120);
    const LONG oneLine = r.bottom - r.top;
    EXPECT_GT(r.right - r.left, 10);
    // Painted in the info-tip colour, clear of the text along the right margin.
    {
        WindowDC dc(hint);
        RECT client{};
        GetClientRect(hint, &client);
        EXPECT_EQ(GetPixel(dc.get(), client.right - 1, client.bottom / 2), GetSysColor(COLOR_INFOBK));
    }
    // A second hint while one shows is ignored.
    d.ActivateHint(RECT{300, 300, 310, 310}, L"Minimise");
    EXPECT_EQ(d.fhintwindow->Caption(), L"Close");
    d.HideHint();
    EXPECT_FALSE(d.IsHint());
    EXPECT_FALSE(IsWindow(hint) && IsWindowVisible(hint));

    // Long text wraps within 500 pixels.
    std::wstring words;
    for (int i = 0; i < 100; ++i) words += L"caption ";
    d.ActivateHint(RECT{0, 0, 0, 0}, words);
    GetWindowRect(d.fhintwindow->Handle(), &r);
    EXPECT_LE(r.right - r.left, 500 + 8);
    EXPECT_GT(r.bottom - r.top, 3 * oneLine / 2);
    d.HideHint();

    TSkinData quiet(nullptr);
    quiet.SetOptions({xoPreview});
    quiet.ActivateHint(RECT{100, 120, 110, 130}, L"Close");
    EXPECT_FALSE(quiet.IsHint());
    EXPECT_EQ(quiet.fhintwindow->Handle(), nullptr);
}

TEST(WinskindataServices, SysIconTakesTheApplicationIconOnMagenta) {
    Application->Initialize();
    HWND app = Application->Handle();
    ASSERT_NE(app, nullptr);
    HICON icon = RedIcon();
    const LRESULT oldBig = SendMessageW(app, WM_GETICON, ICON_BIG, 0);
    const LRESULT oldSmall = SendMessageW(app, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    TSkinData d(nullptr);
    d.GetAppIcon();
    const int w = GetSystemMetrics(SM_CXSMICON), h = GetSystemMetrics(SM_CYSMICON);
    TBitmap& sys = *d.SysIcon;
    ASSERT_EQ(sys.Width(), w);
    ASSERT_EQ(sys.Height(), h);
    EXPECT_EQ(GetPixel(sys.Canvas().Handle(), w - 1, h - 1), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(sys.Canvas().Handle(), 0, 0), RGB(255, 0, 255));
    EXPECT_TRUE(sys.Transparent());
    EXPECT_EQ(sys.TransparentColor(), clFuchsia);

    // Without any icon the previous one stays.
    SendMessageW(app, WM_SETICON, ICON_SMALL, 0);
    SendMessageW(app, WM_SETICON, ICON_BIG, 0);
    d.GetAppIcon();
    EXPECT_EQ(d.SysIcon.get(), &sys);
    EXPECT_EQ(GetPixel(sys.Canvas().Handle(), w - 1, h - 1), RGB(255, 0, 0));
    SendMessageW(app, WM_SETICON, ICON_BIG, oldBig);
    SendMessageW(app, WM_SETICON, ICON_SMALL, oldSmall);
    DestroyIcon(icon);
}

// A load without a skin manager runs Loaded again, which refreshes SysIcon:
// it must follow a changed application icon and win over a picture a
// painter put into it, also when the icon itself stayed.
TEST(WinskindataServices, EveryLoadLeavesSysIconWithTheCurrentApplicationIcon) {
    Application->Initialize();
    HWND app = Application->Handle();
    ASSERT_NE(app, nullptr);
    HICON red = RedIcon(), blue = SolidIcon(RGB(0, 0, 255));
    const LRESULT oldSmall = SendMessageW(app, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(red));
    const int w = GetSystemMetrics(SM_CXSMICON), h = GetSystemMetrics(SM_CYSMICON);
    TSkinData d(nullptr);
    auto corner = [&] { return GetPixel(d.SysIcon->Canvas().Handle(), w - 1, h - 1); };
    const std::vector<uint8_t> noSkin;
    d.LoadFromStream(noSkin);
    EXPECT_EQ(corner(), RGB(255, 0, 0));

    SendMessageW(app, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(blue));
    d.LoadFromStream(noSkin);
    EXPECT_EQ(corner(), RGB(0, 0, 255));

    // As the form skinner does with the form's icon: magenta-keyed too.
    auto other = Grey(w, h);
    other->SetTransparentColor(clFuchsia);
    other->SetTransparent(true);
    d.SysIcon->Assign(other.get());
    d.LoadFromStream(noSkin);
    EXPECT_EQ(corner(), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(d.SysIcon->Canvas().Handle(), 0, 0), RGB(255, 0, 255));
    EXPECT_TRUE(d.SysIcon->Transparent());
    EXPECT_EQ(d.SysIcon->TransparentColor(), clFuchsia);

    SendMessageW(app, WM_SETICON, ICON_SMALL, oldSmall);
    DestroyIcon(red);
    DestroyIcon(blue);
}

TEST(WinskindataServices, MenuGlyphsFromTheBuiltInBitmap) {
    TSkinData d(nullptr);
    ASSERT_EQ(d.bmpmenu.Count(), 4);
    // One stroke pixel each glyph must have, and one it must not.
    struct Spot {
        TMenuGlyph glyph;
        POINT stroke, clear;
    };
    const Spot spots[] = {{mgRestore, {3, 6}, {12, 12}},   // front window's title bar; hidden back corner
                          {mgMaximize, {2, 7}, {7, 7}},    // frame side; inside the window
                          {mgMinimize, {7, 11}, {7, 5}},   // the bar; above it
                          {mgClose, {7, 7}, {7, 4}}};      // the crossing; between the arms
    for (const Spot& s : spots) {
        auto dst = Grey(16, 16);
        d.bmpmenu.Draw(dst->Canvas().Handle(), 0, 0, s.glyph);
        HDC dc = dst->Canvas().Handle();
        EXPECT_EQ(GetPixel(dc, s.stroke.x, s.stroke.y), RGB(0, 0, 0)) << s.glyph;
        EXPECT_EQ(GetPixel(dc, s.clear.x, s.clear.y), kGrey) << s.glyph;
        EXPECT_EQ(GetPixel(dc, 0, 0), kGrey) << s.glyph;  // white is transparent
    }
    auto untouched = Grey(16, 16);
    d.bmpmenu.Draw(untouched->Canvas().Handle(), 0, 0, 4);
    EXPECT_EQ(GetPixel(untouched->Canvas().Handle(), 7, 7), kGrey);
}

TEST(WinskindataServices, WindowsTheirControlsScrollBarsAndMouseLeave) {
    Application->Initialize();
    TForm form(nullptr);
    form.SetBounds(40, 40, 200, 150);
    auto* button = new TButton(&form);
    button->SetParent(&form);
    button->SetBounds(10, 10, 80, 25);
    EXPECT_EQ(FindControlx(nullptr), nullptr);
    EXPECT_EQ(FindControlx(button->Handle()), button);
    EXPECT_EQ(FindControlx(form.Handle()), &form);
    HWND plain = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(FindControlx(plain), nullptr);
    DestroyWindow(plain);

    TSkinData d(nullptr);
    HWND scrolled = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE, 300, 300, 100,
                                    80, nullptr, nullptr, nullptr, nullptr);
    SCROLLBARINFO sbi{};
    sbi.cbSize = sizeof sbi;
    ASSERT_TRUE(d.GetScrollBarInfo(scrolled, OBJID_VSCROLL, sbi));
    EXPECT_EQ(sbi.rcScrollBar.right - sbi.rcScrollBar.left, GetSystemMetrics(SM_CXVSCROLL));

    // Leave tracking: the window hears WM_MOUSELEAVE once the pointer is gone.
    static bool left = false;
    left = false;
    auto proc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_MOUSELEAVE) left = true;
        return DefWindowProcW(w, m, wp, lp);
    };
    SetWindowLongPtrW(scrolled, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+proc));
    SetCursorPos(340, 340);
    Pump(50);
    DoTrackMouse(scrolled);
    SetCursorPos(600, 20);
    EXPECT_TRUE(PumpUntil([] { return left; }, 2000));
    DestroyWindow(scrolled);
}

TEST(WinskindataServices, TextHelpersAndBothWaysOfDrawingText) {
    EXPECT_EQ(StrToWideStr("Relay 1"), L"Relay 1");
    EXPECT_EQ(WideStringToStringEx(L"Relay 1"), "Relay 1");
    DefaultUserCodePage = 1252;
    EXPECT_EQ(StrToWideStr("caf\xE9"), L"caf\u00E9");
    EXPECT_EQ(WideStringToStringEx(L"caf\u00E9"), "caf\xE9");
    DefaultUserCodePage = 936;
    EXPECT_EQ(StrToWideStr("\xD6\xD0"), L"\u4E2D");
    DefaultUserCodePage = 0;
    EXPECT_EQ(_WStr(L"outlet", -1), L"outlet");
    EXPECT_EQ(_WStr(L"outlet", 3), L"out");
    EXPECT_EQ(_WStr(nullptr, -1), L"");

    // The wide call and the 8-bit fallback draw the same pixels.
    auto draw = [](bool unicode) {
        const bool saved = Win32PlatformIsUnicode;
        Win32PlatformIsUnicode = unicode;
        auto b = Grey(80, 20);
        RECT r{2, 2, 78, 18};
        const int height = Tnt_DrawTextW(b->Canvas().Handle(), L"Outlet 8", r, DT_SINGLELINE | DT_LEFT);
        Win32PlatformIsUnicode = saved;
        EXPECT_GT(height, 0);
        return b->ToPixelImage().pixels;
    };
    const auto wide = draw(true);
    EXPECT_EQ(draw(false), wide);
    EXPECT_NE(Grey(80, 20)->ToPixelImage().pixels, wide);  // something was drawn
}

TEST(WinskindataServices, ChangePropertyByMemberNameAndDebugLines) {
    TSkinData d(nullptr), target(nullptr);
    d.ChangeProperty(&target, L"SkinFormtype", L"sfDialog");
    EXPECT_EQ(target.SkinFormtype(), sfDialog);
    d.ChangeProperty(nullptr, L"SkinFormtype", L"sfDLL");
    d.ChangeProperty(&target, L"NoSuchProperty", L"sfDLL");
    d.ChangeProperty(&target, L"DisableTag", L"5");  // not an enumeration
    d.ChangeProperty(&target, L"Version", L"sfDLL");
    EXPECT_EQ(target.SkinFormtype(), sfDialog);
    EXPECT_EQ(target.DisableTag(), 99);
    EXPECT_EQ(target.Version(), L"5.60.03.29");
    EXPECT_THROW(d.ChangeProperty(&target, L"SkinFormtype", L"sfEverywhere"), EPropertyConvertError);
    EXPECT_EQ(target.SkinFormtype(), sfDialog);

    d.DoDebug(L"nobody listens");
    TStrings lines;
    d.DebugList = &lines;
    d.DoDebug(L"first");
    d.DoDebug(L"second");
    ASSERT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines[0], L"first");
    EXPECT_EQ(lines[1], L"second");
}
