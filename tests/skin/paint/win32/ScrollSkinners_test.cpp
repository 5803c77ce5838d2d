// Scroll-bar skinners on real windows: the skin's arrows, track, thumb and
// grip show where the native bar has them (compared with the skin cells' own
// pixels), real mouse input on the skinned bars scrolls exactly as on the
// native ones, the overlays follow their control and never outlive it, odd
// ranges and tiny bars draw safely, and a control given back looks as before.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "PixelCapture.h"
#include "SkinTestSupport.h"
#include "skin/data/SkinWriter.h"
#include "skin/data/win32/Winskindata.h"
#include "skin/paint/win32/SkinCheckList.h"
#include "skin/paint/win32/SkinComboScrollBar.h"
#include "skin/paint/win32/SkinScrollbar.h"
#include "skin/paint/win32/SkinScrollbarH.h"
#include "toolkit/Application.h"
#include "toolkit/CheckListBox.h"
#include "toolkit/Form.h"
#include "toolkit/ListBox.h"
#include "toolkit/Memo.h"
#include "toolkit/Panel.h"
#include "toolkit/ScrollBar.h"
#include "toolkit/core/BmpCodec.h"
#include "toolkit/testing/UiDriver.h"

using namespace relayon::skin;

using skintest::WindowPixels;

namespace {

using skintest::WindowPixel;

const int kCW = GetSystemMetrics(SM_CXHSCROLL);

// `cells` solid cells of w x h side by side, each its own colour (never magenta).
PixelImage Strip(int cells, int w, int h, uint8_t green) {
    PixelImage img = MakePixelImage(cells * w, h, PixelLayout::Bgr24);
    for (int c = 0; c < cells; ++c)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) img.SetColor(c * w + x, y, PackRgb(20 + 10 * c, green, 240 - 10 * c));
    return img;
}

std::vector<uint8_t> StripSkinFile() {
    std::string ini =
        "[TitlebarSkin]\nSkinName=Strips\n"
        "[Scrollbar]\nImage=arrows.bmp\nTrans=0\n"
        "[HorzScroll]\nImage=hbar.bmp\nTrans=0\n[VertScroll]\nImage=vbar.bmp\nTrans=0\n"
        "[HorzScrollThumb]\nImage=hthumb.bmp\nFrameCount=3\nTrans=0\n"
        "[VertScrollThumb]\nImage=vthumb.bmp\nFrameCount=3\nTrans=0\n"
        "[Buttons]\nBitmap=buttons.bmp\nCheckButton=check.bmp\nCheckButtonFrame=4\n"
        "[Colours]\nButtonFace=236 233 216\nButtonShadow=90 90 90\n";
    return BuildSkinFile({{"skin.ini", {ini.begin(), ini.end()}},
                          {"arrows.bmp", EncodeBmpFile(Strip(23, kCW, kCW, 30))},
                          {"hbar.bmp", EncodeBmpFile(Strip(4, 8, kCW, 70))},
                          {"vbar.bmp", EncodeBmpFile(Strip(4, kCW, 8, 110))},
                          {"hthumb.bmp", EncodeBmpFile(Strip(3, 12, kCW, 150))},
                          {"vthumb.bmp", EncodeBmpFile(Strip(3, kCW, 12, 190))},
                          {"buttons.bmp", EncodeBmpFile(Strip(5, 12, 12, 210))},
                          {"check.bmp", EncodeBmpFile(Strip(4, 13, 13, 230))}});
}

COLORREF CellColour(TBitmap& strip, int cells, int cell) {
    const int w = strip.Width() / cells;
    return GetPixel(strip.Canvas().Handle(), (cell - 1) * w + w / 2, strip.Height() / 2);
}

SCROLLBARINFO BarInfo(HWND h, LONG which) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetScrollBarInfo(h, which, &info);
    return info;
}

// Real mouse input from another thread: the system's scroll tracking runs a
// modal loop inside the press, so the thread that owns the windows only
// pumps meanwhile.
void Gesture(const std::vector<std::function<void()>>& steps) {
    std::atomic<bool> finished{false};
    std::thread t([&] {
        for (const auto& step : steps) {
            step();
            Sleep(40);
        }
        finished = true;
    });
    uitest::PumpUntil([&] { return finished.load(); }, 10000);
    t.join();
    uitest::Pump(80);
}
std::function<void()> MoveTo(POINT p) {
    return [p] {
        SetCursorPos(p.x, p.y);
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = MOUSEEVENTF_MOVE;
        SendInput(1, &in, sizeof in);
    };
}
std::function<void()> Button(bool down) {
    return [down] {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
        SendInput(1, &in, sizeof in);
    };
}
std::vector<std::function<void()>> ClickAt(POINT p) { return {MoveTo(p), Button(true), Button(false)}; }

class ScrollSkinners : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        skin.LoadFromStream(StripSkinFile());
        ASSERT_FALSE(skin.Empty);
        ASSERT_TRUE(skin.SArrow && skin.VBar && skin.HBar && skin.VSlider && skin.HSlider);
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(40, 40, 460, 340);
        SetCursorPos(2, 2);
    }
    template <class C>
    C* Add(int x, int y, int w, int h, TWinControl* parent = nullptr) {
        auto* c = new C(form.get());
        c->SetParent(parent ? parent : form.get());
        c->SetBounds(x, y, w, h);
        return c;
    }
    TMemo* AddMemo(int x, int y, int w, int h, int lines, TScrollStyle bars = ssVertical) {
        auto* m = Add<TMemo>(x, y, w, h);
        m->SetWordWrap(false);
        m->SetScrollBars(bars);
        for (int i = 0; i < lines; ++i)
            m->Lines().Add(L"line " + std::to_wstring(i) + (i % 7 == 0 ? std::wstring(90, L'x') : L""));
        return m;
    }
    template <class S = TSkinScrollbar>
    S* SkinOf(TWinControl* c) {
        auto* s = new S(c);
        s->InitScrollbar(c, &skin, nullptr, nullptr);
        return s;
    }
    COLORREF Arrow(int cell) { return CellColour(*skin.SArrow->Map, 23, cell); }
    COLORREF Track(bool vertical, int cell) { return CellColour(*(vertical ? skin.VBar : skin.HBar)->Map, 4, cell); }
    COLORREF Thumb(bool vertical, int cell) {
        return CellColour(*(vertical ? skin.VSlider : skin.HSlider)->Map, 3, cell);
    }

    // A window's vertical bar shows the skin's arrows at its ends, the
    // thumb (and its grip) where the system has it, the track elsewhere.
    void ExpectSkinnedVerticalBar(HWND h, const char* what) {
        SCOPED_TRACE(what);
        const SCROLLBARINFO info = BarInfo(h, OBJID_VSCROLL);
        RECT win{};
        GetWindowRect(h, &win);
        const int x = (info.rcScrollBar.left + info.rcScrollBar.right) / 2 - win.left;
        const int top = info.rcScrollBar.top - win.top, bottom = info.rcScrollBar.bottom - win.top;
        EXPECT_EQ(WindowPixel(h, x, top + kCW / 2), Arrow(9));
        EXPECT_EQ(WindowPixel(h, x, bottom - kCW / 2), Arrow(13));
        const int t0 = top + info.xyThumbTop, t1 = top + info.xyThumbBottom;
        EXPECT_EQ(WindowPixel(h, x, t0 + 1), Thumb(true, 1));
        EXPECT_EQ(WindowPixel(h, x, t1 - 2), Thumb(true, 1));
        // The grip shows on a thumb long enough for it.
        EXPECT_EQ(WindowPixel(h, x, (t0 + t1) / 2), t1 - t0 + 2 > kCW ? Arrow(20) : Thumb(true, 1));
        const int trackY = t0 - (top + kCW) > 2 ? t0 - 2 : t1 + 2;
        EXPECT_EQ(WindowPixel(h, x, trackY), Track(true, 1));
    }

    TSkinData skin{nullptr};
    std::unique_ptr<TForm> form;
};

}  // namespace

TEST_F(ScrollSkinners, SkinPartsSitWhereTheBarHasThemAndGivenBackControlsLookAsBefore) {
    TMemo* memo = AddMemo(10, 10, 200, 150, 25, ssBoth);
    TListBox* list = Add<TListBox>(230, 10, 120, 150);
    for (int i = 0; i < 25; ++i) list->Items().Add(L"item " + std::to_wstring(i));
    TScrollBar* bar = Add<TScrollBar>(370, 10, kCW + 6, 200);
    bar->SetKind(sbVertical);  // swaps width and height
    bar->SetBounds(370, 10, kCW + 6, 200);
    bar->SetParams(0, 0, 50);
    uitest::ShowAndActivate(*form);
    SendMessageW(memo->Handle(), EM_LINESCROLL, 3, 30);
    SendMessageW(list->Handle(), LB_SETTOPINDEX, 20, 0);
    uitest::Pump(60);
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const std::vector<uint32_t> before = WindowPixels(form->Handle());

    std::vector<TSkinControl*> skinners = {SkinOf(memo), SkinOf(list), SkinOf<TSkinScControl>(bar)};
    uitest::Pump(60);
    ExpectSkinnedVerticalBar(memo->Handle(), "memo");
    ExpectSkinnedVerticalBar(list->Handle(), "list box");

    // The memo's horizontal bar: arrows, and the corner square in the face colour.
    const SCROLLBARINFO hinfo = BarInfo(memo->Handle(), OBJID_HSCROLL);
    RECT win{};
    GetWindowRect(memo->Handle(), &win);
    const int hy = (hinfo.rcScrollBar.top + hinfo.rcScrollBar.bottom) / 2 - win.top;
    EXPECT_EQ(WindowPixel(memo->Handle(), hinfo.rcScrollBar.left - win.left + kCW / 2, hy), Arrow(1));
    EXPECT_EQ(WindowPixel(memo->Handle(), hinfo.rcScrollBar.right - win.left - kCW / 2, hy), Arrow(5));
    EXPECT_EQ(WindowPixel(memo->Handle(), hinfo.rcScrollBar.right - win.left + 2, hy), ColorToRGB(skin.Colors[csButtonFace]));
    // The flat border: shadow outside, face inside.
    EXPECT_EQ(WindowPixel(memo->Handle(), 0, 40), ColorToRGB(skin.Colors[csButtonShadow]));
    EXPECT_EQ(WindowPixel(memo->Handle(), 1, 40), ColorToRGB(skin.Colors[csButtonFace]));

    // The scroll-bar control: its thumb (page 0: one arrow long, all grip)
    // follows the position from the start of the track to its end.
    const int bx = (kCW + 6) / 2;
    EXPECT_EQ(WindowPixel(bar->Handle(), bx, kCW / 2), Arrow(9));
    EXPECT_EQ(WindowPixel(bar->Handle(), bx, 200 - kCW / 2), Arrow(13));
    EXPECT_EQ(WindowPixel(bar->Handle(), bx, kCW + kCW / 2), Arrow(20));
    EXPECT_EQ(WindowPixel(bar->Handle(), bx, 200 - kCW - kCW / 2), Track(true, 1));
    bar->SetPosition(50);
    uitest::Pump(40);
    EXPECT_EQ(WindowPixel(bar->Handle(), bx, 200 - kCW - kCW / 2), Arrow(20));
    EXPECT_EQ(WindowPixel(bar->Handle(), bx, kCW + kCW / 2), Track(true, 1));
    bar->SetEnabled(false);
    uitest::Pump(40);
    EXPECT_EQ(WindowPixel(bar->Handle(), bx, 100), Track(true, 3)) << "a disabled bar shows the disabled track, no thumb";
    bar->SetEnabled(true);
    bar->SetPosition(0);

    for (TSkinControl* s : skinners) {
        s->Unsubclass();
        delete s;
    }
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    uitest::Pump(60);
    const std::vector<uint32_t> after = WindowPixels(form->Handle());
    size_t differing = 0;
    for (size_t i = 0; i < after.size() && i < before.size(); ++i) differing += after[i] != before[i];
    EXPECT_EQ(after.size(), before.size());
    EXPECT_EQ(differing, 0u);
}

TEST_F(ScrollSkinners, CheckListEntriesShowTheSkinsCheckGlyphs) {
    auto* list = Add<TCheckListBox>(10, 10, 160, 120);
    for (int i = 0; i < 12; ++i) list->Items().Add(L"entry " + std::to_wstring(i));
    list->SetChecked(1, true);
    uitest::ShowAndActivate(*form);
    TSkinCheckList* s = SkinOf<TSkinCheckList>(list);
    uitest::Pump(40);
    RECT item{};
    SendMessageW(list->Handle(), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    const int h = item.bottom - item.top;
    HDC dc = GetDC(list->Handle());
    const COLORREF unchecked = GetPixel(dc, 2 + 6, item.top + h / 2), checked = GetPixel(dc, 2 + 6, item.top + h + h / 2);
    ReleaseDC(list->Handle(), dc);
    EXPECT_EQ(unchecked, CellColour(*skin.Button->CheckMap, 4, 1));
    EXPECT_EQ(checked, CellColour(*skin.Button->CheckMap, 4, 2));
    ExpectSkinnedVerticalBar(list->Handle(), "check list");
    s->Unsubclass();
    delete s;
}

// The same gestures on a plain memo and on a skinned one leave the same
// line at the top: the overlay hands every press to the system's own bar.
TEST_F(ScrollSkinners, RealMouseOnSkinnedBarsScrollsLikeTheNativeBars) {
    auto operate = [&](bool skinned) {
        TMemo* memo = AddMemo(20, 20, 220, 200, 200);
        TScrollBar* bar = Add<TScrollBar>(270, 20, 160, kCW);
        bar->SetParams(10, 0, 100);
        uitest::ShowAndActivate(*form);
        TSkinControl* s = skinned ? SkinOf(memo) : nullptr;
        TSkinControl* sb = skinned ? SkinOf<TSkinScControl>(bar) : nullptr;
        uitest::Pump(60);
        HWND h = memo->Handle();
        auto topLine = [&] { return static_cast<int>(SendMessageW(h, EM_GETFIRSTVISIBLELINE, 0, 0)); };
        std::vector<int> seen;

        const SCROLLBARINFO info = BarInfo(h, OBJID_VSCROLL);
        const RECT& b = info.rcScrollBar;
        const int x = (b.left + b.right) / 2;
        POINT thumb{x, b.top + (info.xyThumbTop + info.xyThumbBottom) / 2};
        HWND under = WindowFromPoint(thumb);
        EXPECT_EQ(under != h, skinned) << "the overlay lies over the skinned bar only";
        Gesture({MoveTo(thumb), Button(true), MoveTo({x, thumb.y + 10}), MoveTo({x, thumb.y + 25}),
                 MoveTo({x, thumb.y + 40}), Button(false)});
        seen.push_back(topLine());
        for (int i = 0; i < 3; ++i) Gesture(ClickAt({x, b.bottom - kCW / 2}));
        seen.push_back(topLine());
        Gesture(ClickAt({x, b.top + kCW / 2}));
        seen.push_back(topLine());
        Gesture(ClickAt({x, b.bottom - kCW - 3}));
        seen.push_back(topLine());
        SetFocus(h);
        uitest::PressKey(VK_NEXT);
        uitest::Pump(60);
        seen.push_back(topLine());
        if (skinned) ExpectSkinnedVerticalBar(h, "after scrolling by mouse and keyboard");

        // The scroll-bar control: its right arrow and the track before the thumb.
        RECT br{};
        GetWindowRect(bar->Handle(), &br);
        Gesture(ClickAt({br.right - kCW / 2, (br.top + br.bottom) / 2}));
        seen.push_back(bar->Position());
        Gesture(ClickAt({br.left + kCW + 2, (br.top + br.bottom) / 2}));
        seen.push_back(bar->Position());

        if (s) {
            s->Unsubclass();
            delete s;
            sb->Unsubclass();
            delete sb;
        }
        delete memo;
        delete bar;
        return seen;
    };
    const std::vector<int> plain = operate(false);
    const std::vector<int> skinned = operate(true);
    EXPECT_EQ(skinned, plain);
    ASSERT_EQ(plain.size(), 7u);
    EXPECT_GT(plain[0], 0) << "the thumb drag scrolled";
    EXPECT_EQ(plain[1], plain[0] + 3) << "three clicks on the down arrow";
    EXPECT_EQ(plain[2], plain[1] - 1);
    EXPECT_GT(plain[3], plain[2]) << "a click on the track pages down";
    EXPECT_NE(plain[4], plain[3]) << "Page Down moved the caret a page and the view with it";
    EXPECT_EQ(plain[5], 11);
    EXPECT_LT(plain[6], plain[5]);
}

// A drop-down list's bar is painted into the list window itself, and its
// thumb, dragged by the skinner past the end, shows the last page.
TEST_F(ScrollSkinners, DropDownListBarPaintsInPlaceAndItsThumbDragsToTheEnd) {
    uitest::ShowAndActivate(*form);
    HWND list = CreateWindowExW(WS_EX_TOOLWINDOW, L"LISTBOX", L"",
                                WS_POPUP | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 120, 120, 150,
                                200, form->Handle(), nullptr, nullptr, nullptr);
    const int count = 40;
    for (int i = 0; i < count; ++i) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"entry"));
    auto* s = new TComboxScrollBar(nullptr);
    s->Inithwnd(list, &skin, nullptr, nullptr);
    RedrawWindow(list, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    uitest::Pump(40);
    const SCROLLBARINFO info = BarInfo(list, OBJID_VSCROLL);
    const RECT& b = info.rcScrollBar;
    RECT win{};
    GetWindowRect(list, &win);
    const int x = (b.left + b.right) / 2 - win.left;
    EXPECT_EQ(WindowPixel(list, x, b.top - win.top + kCW / 2), Arrow(9));
    EXPECT_EQ(WindowPixel(list, x, b.bottom - win.top - kCW / 2), Arrow(13));
    EXPECT_EQ(WindowPixel(list, x, b.top - win.top + info.xyThumbTop + 1), Thumb(true, 1));

    const POINT thumb{(b.left + b.right) / 2, b.top + (info.xyThumbTop + info.xyThumbBottom) / 2};
    Gesture({MoveTo(thumb), Button(true), MoveTo({thumb.x, thumb.y + 60}), MoveTo({thumb.x, thumb.y + 400}),
             Button(false)});
    RECT client{};
    GetClientRect(list, &client);
    const int itemHeight = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), count - client.bottom / itemHeight);
    DestroyWindow(list);
    delete s;
}

TEST_F(ScrollSkinners, OverlaysFollowTheirControlAndNeverOutliveIt) {
    uitest::ShowAndActivate(*form);
    const size_t baseWindows = skintest::WindowCount();
    TMemo* memo = AddMemo(10, 10, 200, 150, 25);
    auto* panel = Add<TPanel>(220, 10, 220, 260);
    uitest::Pump(40);
    auto* s = SkinOf(memo);
    HWND overlay = s->vb->Window();
    ASSERT_TRUE(overlay);
    auto covers = [&](HWND ov, HWND h, LONG which) {
        RECT r{};
        GetWindowRect(ov, &r);
        if (!IsWindow(ov) || !IsWindowVisible(ov) || GetParent(ov) != GetParent(h)) return false;
        const SCROLLBARINFO info = BarInfo(h, which);
        return EqualRect(&r, &info.rcScrollBar) != FALSE;
    };
    EXPECT_TRUE(covers(overlay, memo->Handle(), OBJID_VSCROLL));
    EXPECT_FALSE(s->hb->Window() && IsWindowVisible(s->hb->Window())) << "no horizontal bar to cover";

    memo->SetBounds(30, 60, 170, 120);
    uitest::Pump(30);
    EXPECT_TRUE(covers(overlay, memo->Handle(), OBJID_VSCROLL)) << "moved and resized";
    memo->SetVisible(false);
    uitest::Pump(30);
    EXPECT_FALSE(IsWindowVisible(overlay)) << "hidden";
    memo->SetVisible(true);
    uitest::Pump(30);
    EXPECT_TRUE(covers(overlay, memo->Handle(), OBJID_VSCROLL)) << "shown again";
    memo->SetParent(panel);
    memo->SetBounds(5, 5, 180, 140);
    uitest::Pump(30);
    EXPECT_TRUE(covers(overlay, memo->Handle(), OBJID_VSCROLL)) << "re-parented";

    const HWND oldWindow = memo->Handle();
    memo->SetScrollBars(ssBoth);  // a new window
    uitest::Pump(40);
    ASSERT_NE(memo->Handle(), oldWindow);
    EXPECT_TRUE(covers(s->vb->Window(), memo->Handle(), OBJID_VSCROLL)) << "recreated";
    EXPECT_TRUE(covers(s->hb->Window(), memo->Handle(), OBJID_HSCROLL)) << "recreated with both bars";
    ExpectSkinnedVerticalBar(memo->Handle(), "recreated memo");

    const HWND vOverlay = s->vb->Window(), hOverlay = s->hb->Window();
    delete memo;  // its skinner and overlays with it
    uitest::Pump(30);
    EXPECT_FALSE(IsWindow(vOverlay));
    EXPECT_FALSE(IsWindow(hOverlay));

    // A window skinned by handle whose window goes first: the overlays go with it.
    HWND raw = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 10, 10,
                               150, 100, panel->Handle(), nullptr, nullptr, nullptr);
    for (int i = 0; i < 40; ++i) SendMessageW(raw, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"raw"));
    auto* h = new TSkinScrollbarH(nullptr);
    h->Inithwnd(raw, &skin, nullptr, nullptr);
    uitest::Pump(30);
    const HWND rawOverlay = h->vb->Window();
    EXPECT_TRUE(covers(rawOverlay, raw, OBJID_VSCROLL));
    ShowWindow(raw, SW_HIDE);
    uitest::Pump(30);
    EXPECT_FALSE(IsWindowVisible(rawOverlay));
    DestroyWindow(raw);
    EXPECT_FALSE(IsWindow(rawOverlay));
    delete h;

    // Skin on and off a hundred times: no overlay window is left behind.
    TMemo* again = AddMemo(10, 10, 200, 150, 80, ssBoth);
    auto* bar = Add<TScrollBar>(10, 200, 200, kCW);
    uitest::Pump(30);
    const size_t withControls = skintest::WindowCount();
    for (int i = 0; i < 100; ++i) {
        std::vector<TSkinControl*> on = {SkinOf(again), SkinOf<TSkinScControl>(bar)};
        for (TSkinControl* c : on) {
            c->Unsubclass();
            delete c;
        }
    }
    EXPECT_EQ(skintest::WindowCount(), withControls);
    delete again;
    delete bar;
    delete panel;
    EXPECT_EQ(skintest::WindowCount(), baseWindows);
}

TEST_F(ScrollSkinners, DegenerateRangesAndTinyBarsDrawSafely) {
    uitest::ShowAndActivate(*form);
    // Shorter than two arrows: each arrow takes half, nothing else shows.
    auto* tiny = Add<TScrollBar>(10, 10, kCW, kCW + 6);
    tiny->SetKind(sbVertical);
    tiny->SetBounds(10, 10, kCW, kCW + 6);
    auto* s = SkinOf<TSkinScControl>(tiny);
    uitest::Pump(30);
    const int half = (kCW + 6) / 2;
    EXPECT_EQ(WindowPixel(tiny->Handle(), kCW / 2, 1), Arrow(9));
    EXPECT_EQ(WindowPixel(tiny->Handle(), kCW / 2, half - 1), Arrow(9));
    EXPECT_EQ(WindowPixel(tiny->Handle(), kCW / 2, half + 1), Arrow(13));

    // Odd ranges straight to the system bar: the picture stays whole.
    auto* bar = Add<TScrollBar>(40, 10, 200, kCW);
    auto* sb = SkinOf<TSkinScControl>(bar);
    struct Case { int min, max, page, pos; };
    for (Case c : {Case{5, 5, 0, 5}, Case{10, 2, 0, 7}, Case{0, 10, 500, 3}, Case{0, 100000000, 1, 99999999},
                   Case{-50, -60, 3, -55}}) {
        SCROLLINFO si{sizeof si, SIF_ALL | SIF_DISABLENOSCROLL, c.min, c.max, static_cast<UINT>(c.page), c.pos, 0};
        SendMessageW(bar->Handle(), SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&si));
        uitest::Pump(20);
        SCOPED_TRACE(c.max);
        EXPECT_EQ(WindowPixel(bar->Handle(), kCW / 2, kCW / 2), Arrow(1));
        EXPECT_EQ(WindowPixel(bar->Handle(), 200 - kCW / 2, kCW / 2), Arrow(5));
    }
    // A memo too low for its arrows, and one squeezed to nothing.
    TMemo* low = AddMemo(10, 60, 150, kCW + 8, 20);
    auto* m = SkinOf(low);
    uitest::Pump(30);
    low->SetBounds(10, 60, 1, 1);
    uitest::Pump(30);
    low->SetBounds(10, 60, 150, 160);
    uitest::Pump(30);
    ExpectSkinnedVerticalBar(low->Handle(), "grown again");
    for (TSkinControl* c : std::vector<TSkinControl*>{s, sb, m}) {
        c->Unsubclass();
        delete c;
    }
}
