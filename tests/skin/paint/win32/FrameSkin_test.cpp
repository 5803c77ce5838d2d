// The skinned frame on real windows with the light skin: thickness and hit
// tests, caption buttons by state under the real mouse and their actions, the
// system menu, hints, the window region, giving the system frame back, a
// caption in Chinese on an 8-bit dialog, and flat GDI and window counts.
#include <algorithm>
#include <vector>

#include "PixelCapture.h"
#include "SkinTestSupport.h"
#include "toolkit/Menus.h"
#include "toolkit/ModuleInstance.h"
#include "toolkit/testing/GdiObjectCount.h"
#include "toolkit/testing/UiDriver.h"

using namespace relayon::skin;
using namespace skintest;

namespace {

class FrameSkin : public EngineTest {
protected:
    // A form shown and taken over with the frame skinned.
    TWinSkinForm* Skinned(TForm& form) {
        uitest::ShowAndActivate(form);
        HWND h = form.Handle();
        if (!PumpUntil([&] { return mgr()->FindSkinForm(h) && mgr()->FindSkinForm(h)->FActive; })) return nullptr;
        Pump(60);
        return mgr()->FindSkinForm(h);
    }
};

RECT WindowRectOf(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return r;
}

// Both clicks of a double click in one batch: a press on the caption enters
// the system's move loop, which must find the release already queued.
void DoubleClickAt(POINT p) {
    MoveMouseTo(p);
    INPUT in[4]{};
    for (int i = 0; i < 4; ++i) {
        in[i].type = INPUT_MOUSE;
        in[i].mi.dwFlags = i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
    }
    SendInput(4, in, sizeof in[0]);
    Pump(100);
}

std::vector<COLORREF> WholeWindow(HWND h) {
    RECT wr = WindowRectOf(h);
    return WindowColours(h, RECT{0, 0, wr.right - wr.left, wr.bottom - wr.top});
}

TWinSysButton* ButtonFor(TWinSkinForm* sf, int action, int visibility = -1) {
    for (auto& b : sf->SysBtn)
        if (b->data->Action == action && (visibility < 0 || b->data->Visibility == visibility)) return b.get();
    return nullptr;
}

POINT ScreenCentreOf(HWND h, const RECT& bounds) {
    RECT wr = WindowRectOf(h);
    return POINT{wr.left + (bounds.left + bounds.right) / 2, wr.top + (bounds.top + bounds.bottom) / 2};
}

LRESULT HitAt(HWND h, int x, int y) {
    RECT wr = WindowRectOf(h);
    return SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(wr.left + x, wr.top + y));
}

// The system menu opened by a caption click runs its own loop; this timer
// notes it and closes it.
bool gMenuSeen = false;
void CALLBACK CloseOpenMenu(HWND, UINT, UINT_PTR, DWORD) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu && IsWindowVisible(menu)) {
        gMenuSeen = true;
        EndMenu();
    }
}

}  // namespace

TEST_F(FrameSkin, ThicknessClientAreaAndHitTestsFollowTheBorderImages) {
    TSkinData* d = MakeSkinData(root_.get());
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 420, 300);
    auto* bar = new TMainMenu(form.get());
    auto* file = new TMenuItem(bar);
    file->SetCaption(L"&File");
    auto* open = new TMenuItem(bar);
    open->SetCaption(L"&Open");
    file->Add(open);
    bar->Items()->Add(file);
    form->SetMenu(bar);
    TWinSkinForm* sf = Skinned(*form);
    ASSERT_NE(sf, nullptr);
    HWND h = form->Handle();
    auto cell = [](TDataSkinBorder& b, bool width) { return (width ? b.Map->Width() : b.Map->Height()) / b.frame; };
    EXPECT_EQ(sf->bw.left, cell(*d->border[0], true));
    EXPECT_EQ(sf->bw.right, cell(*d->border[1], true));
    EXPECT_EQ(sf->bw.top, cell(*d->border[2], false));
    EXPECT_EQ(sf->bw.bottom, cell(*d->border[3], false));
    EXPECT_GT(sf->MenuHeight, 0);
    RECT wr = WindowRectOf(h);
    const int w = wr.right - wr.left, ht = wr.bottom - wr.top;
    POINT origin{0, 0};
    ClientToScreen(h, &origin);
    EXPECT_EQ(origin.x - wr.left, sf->bw.left);
    EXPECT_EQ(origin.y - wr.top, sf->bw.top + sf->MenuHeight);
    RECT cr{};
    GetClientRect(h, &cr);
    EXPECT_EQ(cr.right, w - sf->bw.left - sf->bw.right);
    EXPECT_EQ(cr.bottom, ht - sf->bw.top - sf->bw.bottom - sf->MenuHeight);

    EXPECT_EQ(HitAt(h, w / 2, sf->bw.top / 2), HTCAPTION);
    EXPECT_EQ(HitAt(h, w / 2, sf->bw.top + sf->MenuHeight / 2), HTMENU);
    EXPECT_EQ(HitAt(h, 1, ht / 2), HTLEFT);
    EXPECT_EQ(HitAt(h, w - 2, ht / 2), HTRIGHT);
    EXPECT_EQ(HitAt(h, w / 2, ht - 2), HTBOTTOM);
    EXPECT_EQ(HitAt(h, w / 2, ht / 2), HTCLIENT);
    // Every visible caption button lies in the caption bar and is found where it is drawn.
    int visible = 0;
    for (auto& b : sf->SysBtn) {
        if (!b->visible) continue;
        ++visible;
        EXPECT_TRUE(b->bounds.left >= 0 && b->bounds.right <= w && b->bounds.bottom <= sf->bw.top);
        POINT c{(b->bounds.left + b->bounds.right) / 2, (b->bounds.top + b->bounds.bottom) / 2};
        EXPECT_EQ(sf->FindBtn(c), b.get());
        EXPECT_EQ(HitAt(h, c.x, c.y), HTCAPTION);
    }
    EXPECT_EQ(visible, 4);  // close, maximise, minimise, icon; restore waits for a maximised window

    // A click on the menu band opens the bar's drop-down.
    gMenuSeen = false;
    UINT_PTR watch = SetTimer(nullptr, 0, 100, CloseOpenMenu);
    uitest::ClickAt(POINT{wr.left + sf->bw.left + 12, wr.top + sf->bw.top + sf->MenuHeight / 2});
    Pump(300);
    KillTimer(nullptr, watch);
    EXPECT_TRUE(gMenuSeen);

    // The borders show the skin's active cells: the left border's caption part is copied as drawn.
    TBitmap& left = *d->border[0]->Map;
    std::vector<COLORREF> shown = WindowColours(h, RECT{0, 0, sf->bw.left, 30});
    int compared = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < sf->bw.left; ++x) {
            COLORREF c = GetPixel(left.Canvas().Handle(), x, y);
            if (c == RGB(255, 0, 255)) continue;
            ++compared;
            EXPECT_EQ(shown[static_cast<size_t>(y) * sf->bw.left + x], c) << x << "," << y;
        }
    EXPECT_GT(compared, 0);
}

TEST_F(FrameSkin, CaptionButtonsShowTheirStateAndActUnderTheRealMouse) {
    MakeSkinData(root_.get());
    MoveMouseTo(POINT{2, 2});
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 420, 300);
    TWinSkinForm* sf = Skinned(*form);
    ASSERT_NE(sf, nullptr);
    HWND h = form->Handle();
    TWinSysButton* close = ButtonFor(sf, 0);
    TWinSysButton* max = ButtonFor(sf, 1, 2);
    ASSERT_TRUE(close && max);
    TBitmap& closeMap = *close->data->Map;

    EXPECT_EQ(CellMismatches(h, close->bounds, closeMap, 4, 1), 0);
    MoveMouseTo(ScreenCentreOf(h, close->bounds));
    EXPECT_EQ(CellMismatches(h, close->bounds, closeMap, 4, 3), 0);
    EXPECT_GT(CellMismatches(h, close->bounds, closeMap, 4, 1), 0);
    MouseButton(true);
    EXPECT_EQ(CellMismatches(h, close->bounds, closeMap, 4, 2), 0);
    // Released elsewhere: no close, and the button cools down.
    MoveMouseTo(ScreenCentreOf(h, RECT{150, 5, 160, 15}));
    MouseButton(false);
    Pump(300);
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_EQ(CellMismatches(h, close->bounds, closeMap, 4, 1), 0);

    // Maximise, then the restore button in its place restores.
    uitest::ClickAt(ScreenCentreOf(h, max->bounds));
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(h) != FALSE; }));
    Pump(100);
    TWinSysButton* restore = ButtonFor(sf, 1, 1);
    ASSERT_TRUE(restore && restore->visible);
    EXPECT_FALSE(max->visible);
    EXPECT_EQ(CellMismatches(h, restore->bounds, *restore->data->Map, 4, 1), 0);
    uitest::ClickAt(ScreenCentreOf(h, restore->bounds));
    ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(h); }));

    // A double click on the caption maximises too.
    Pump(600);
    RECT wr = WindowRectOf(h);
    POINT caption{wr.left + (wr.right - wr.left) / 2, wr.top + sf->bw.top / 2};
    DoubleClickAt(caption);
    EXPECT_TRUE(PumpUntil([&] { return IsZoomed(h) != FALSE; }));
    ShowWindow(h, SW_RESTORE);
    Pump(100);

    // The system icon opens the system menu.
    TWinSysButton* icon = ButtonFor(sf, 3);
    ASSERT_TRUE(icon && icon->visible);
    gMenuSeen = false;
    UINT_PTR watch = SetTimer(nullptr, 0, 100, CloseOpenMenu);
    Pump(600);  // past the double-click time of the clicks before
    uitest::ClickAt(ScreenCentreOf(h, icon->bounds));
    Pump(300);
    KillTimer(nullptr, watch);
    EXPECT_TRUE(gMenuSeen);

    // Inactive: the buttons show their inactive cell.
    auto other = std::make_unique<TForm>(nullptr);
    other->SetBounds(560, 100, 200, 150);
    uitest::ShowAndActivate(*other);
    Pump(100);
    EXPECT_EQ(CellMismatches(h, close->bounds, closeMap, 4, 4), 0);
    other.reset();
    uitest::ShowAndActivate(*form);

    // Minimise, and close closes.
    Pump(600);
    uitest::ClickAt(ScreenCentreOf(h, ButtonFor(sf, 2)->bounds));
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(h) != FALSE; }));
    ShowWindow(h, SW_RESTORE);
    uitest::ShowAndActivate(*form);
    Pump(100);
    uitest::ClickAt(ScreenCentreOf(h, close->bounds));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(h); }));
}

TEST_F(FrameSkin, DisabledButtonsAndHintsComeFromTheSkin) {
    TSkinData* d = MakeSkinData(root_.get());
    d->SetOptions(d->Options().Include(xoCaptionButtonHint));
    MoveMouseTo(POINT{2, 2});
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 420, 300);
    form->SetBorderIcons({biSystemMenu, biMinimize});
    TWinSkinForm* sf = Skinned(*form);
    ASSERT_NE(sf, nullptr);
    HWND h = form->Handle();
    TWinSysButton* max = ButtonFor(sf, 1, 2);
    ASSERT_TRUE(max && max->visible);
    EXPECT_FALSE(max->enabled);
    EXPECT_EQ(CellMismatches(h, max->bounds, *max->data->Map, 4, 4), 0);
    uitest::ClickAt(ScreenCentreOf(h, max->bounds));
    Pump(200);
    EXPECT_FALSE(IsZoomed(h));

    // Resting on the close button shows its hint after the delay; it goes again.
    TWinSysButton* close = ButtonFor(sf, 0);
    MoveMouseTo(ScreenCentreOf(h, close->bounds));
    Pump(500);
    EXPECT_FALSE(d->IsHint());
    ASSERT_TRUE(PumpUntil([&] { return d->IsHint(); }, 1500));
    HWND hint = d->fhintwindow->Handle();
    EXPECT_TRUE(IsWindowVisible(hint));
    EXPECT_EQ(uitest::WindowText(hint), L"Close");
    EXPECT_TRUE(PumpUntil([&] { return !d->IsHint(); }, 4000));
    // Leaving the button takes a shown hint away at once.
    MoveMouseTo(POINT{2, 2});
    Pump(300);
    EXPECT_FALSE(d->IsHint());
}

TEST_F(FrameSkin, RegionFollowsOpaqueBorderPixelsAndNeverHidesTheWindow) {
    TSkinData* d = MakeSkinData(root_.get());
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 420, 300);
    TWinSkinForm* sf = Skinned(*form);
    ASSERT_NE(sf, nullptr);
    HWND h = form->Handle();
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(h, rgn), ERROR);
    RECT wr = WindowRectOf(h);
    const int w = wr.right - wr.left, ht = wr.bottom - wr.top;
    // The left border's caption part, as drawn: in the region exactly where opaque.
    HDC src = d->border[0]->Map->Canvas().Handle();
    int holes = 0;
    for (int x = 0; x < sf->bw.left; ++x)
        for (int y = 0; y < 30; ++y) {
            bool opaque = GetPixel(src, x, y) != RGB(255, 0, 255);
            holes += !opaque;
            EXPECT_EQ(PtInRegion(rgn, x, y) != FALSE, opaque) << x << "," << y;
        }
    EXPECT_GT(holes, 0);  // the light skin rounds its top corners
    // The top border is not transparent: all of it is in; so is the client area.
    EXPECT_TRUE(PtInRegion(rgn, w / 2, 0));
    EXPECT_TRUE(PtInRegion(rgn, w / 2, ht / 2));
    DeleteObject(rgn);

    // A window smaller than its own frame keeps no region and stays visible.
    SetWindowPos(h, nullptr, 0, 0, 200, 20, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump(100);
    ASSERT_LE(WindowRectOf(h).bottom - WindowRectOf(h).top, sf->bw.top + sf->bw.bottom);
    rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(h, rgn), ERROR);
    DeleteObject(rgn);
    EXPECT_TRUE(IsWindowVisible(h));
    SetWindowPos(h, nullptr, 0, 0, 420, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump(100);
    rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(h, rgn), ERROR);
    DeleteObject(rgn);
}

TEST_F(FrameSkin, UnskinningGivesTheSystemFrameMenuAndSizeBack) {
    TSkinData* d = MakeSkinData(root_.get(), sfMainform, false);
    MoveMouseTo(POINT{2, 2});
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 420, 300);
    auto* bar = new TMainMenu(form.get());
    auto* file = new TMenuItem(bar);
    file->SetCaption(L"&File");
    bar->Items()->Add(file);
    form->SetMenu(bar);
    uitest::ShowAndActivate(*form);
    HWND h = form->Handle();
    Pump(100);
    HMENU menuBefore = GetMenu(h);
    RECT before = WindowRectOf(h);
    std::vector<COLORREF> pictureBefore = WholeWindow(h);

    d->SetActive(true);
    SetForegroundWindow(h);
    uitest::ShowAndActivate(*form);
    ASSERT_TRUE(PumpUntil([&] { return mgr()->FindSkinForm(h) && mgr()->FindSkinForm(h)->FActive; }));
    Pump(100);
    EXPECT_NE(WholeWindow(h), pictureBefore);
    EXPECT_EQ(GetMenu(h), nullptr);  // the skinned bar stands in for it

    d->SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return mgr()->FindSkinForm(h) == nullptr; }));
    uitest::ShowAndActivate(*form);
    Pump(150);
    EXPECT_EQ(GetMenu(h), menuBefore);
    RECT after = WindowRectOf(h);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(h, rgn), ERROR);
    DeleteObject(rgn);
    std::vector<COLORREF> pictureAfter = WholeWindow(h);
    ASSERT_EQ(pictureAfter.size(), pictureBefore.size());
    size_t differing = 0;
    for (size_t i = 0; i < pictureAfter.size(); ++i) differing += pictureAfter[i] != pictureBefore[i];
    EXPECT_EQ(differing, 0u);
}

TEST_F(FrameSkin, ChineseCaptionIsDrawnAsWrittenWhateverTheWindowsCharacterSet) {
    MakeSkinData(root_.get());
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(120, 120, 320, 160);
    TWinSkinForm* sf = Skinned(*form);
    ASSERT_NE(sf, nullptr);
    HWND h = form->Handle();
    // Told the window is an 8-bit one, the caption must still come out whole:
    // an 8-bit reading on this Western system would give question marks.
    sf->isunicode = false;
    RECT wr = WindowRectOf(h);
    RECT bar{0, 0, wr.right - wr.left, sf->bw.top};
    auto captionWith = [&](const wchar_t* text) {
        SetWindowTextW(h, text);
        RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        Pump(50);
        return WindowColours(h, bar);
    };
    std::vector<COLORREF> chinese = captionWith(L"中文标题");
    EXPECT_NE(captionWith(L"????"), chinese);
    EXPECT_EQ(captionWith(L"中文标题"), chinese);
}

TEST_F(FrameSkin, FrameRepaintsAndHoversLeaveGdiAndWindowCountsFlat) {
    MakeSkinData(root_.get());
    MoveMouseTo(POINT{2, 2});
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 420, 300);
    TWinSkinForm* sf = Skinned(*form);
    ASSERT_NE(sf, nullptr);
    HWND h = form->Handle();
    TWinSysButton* close = ButtonFor(sf, 0);
    auto round = [&] {
        for (int i = 0; i < 100; ++i) RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        MoveMouseTo(ScreenCentreOf(h, close->bounds));
        MoveMouseTo(POINT{2, 2});
        SetWindowPos(h, nullptr, 0, 0, 430, 310, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(h, nullptr, 0, 0, 420, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    round();  // what the system makes once is in the baseline
    Pump(100);
    const DWORD gdi = GdiObjectCount();
    const size_t windows = WindowCount();
    for (int i = 0; i < 3; ++i) round();
    Pump(100);
    EXPECT_LE(GdiObjectCount(), gdi);
    EXPECT_EQ(WindowCount(), windows);
}
