// Tab and header skinners on real windows: tab plates by state and the page
// border come from the skin's own cells wherever the tabs sit, the user still
// switches pages by mouse and keyboard as without the skin, headers track the
// mouse and keep their column sizing, a tab set's click selects what is
// drawn, hostile sizes paint without faults or leaks, and controls given back
// look exactly as before.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "PixelCapture.h"
#include "SkinTestSupport.h"
#include "skin/data/SkinWriter.h"
#include "skin/data/win32/Winskindata.h"
#include "skin/paint/win32/SkinHeader.h"
#include "skin/paint/win32/SkinTab.h"
#include "skin/paint/win32/SkinTab31.h"
#include "skin/paint/win32/SkinTabBtn.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/HeaderControl.h"
#include "toolkit/Button.h"
#include "toolkit/PageControl.h"
#include "toolkit/TabControl.h"
#include "toolkit/TabSet.h"
#include "toolkit/core/BmpCodec.h"
#include "toolkit/testing/GdiObjectCount.h"
#include "toolkit/testing/UiDriver.h"

using namespace relayon::skin;
using HeaderSkinner = relayon::skin::subclass::TSkinHeader;

using skintest::MouseButton;
using skintest::MoveMouseTo;
using skintest::Snapshot;

namespace {

using skintest::ClientPixel;

// `cells` solid cells of w x h side by side, each its own colour.
PixelImage Strip(int cells, int w, int h, uint8_t seed) {
    PixelImage img = MakePixelImage(cells * w, h, PixelLayout::Bgr24);
    for (int c = 0; c < cells; ++c)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) img.SetColor(c * w + x, y, PackRgb(30 + 40 * c, seed, 220 - 35 * c));
    return img;
}

// Tabs and header items of five solid cells, a solid page border. A tab cell
// narrower than the 3-pixel margins is hostile to the slicing.
std::vector<uint8_t> StripSkinFile(int tabCellWidth = 16) {
    std::string ini =
        "[TitlebarSkin]\nSkinName=Strips\n[Tabs]\nImage=tabs.bmp\nBorder=border.bmp\nLeftWidth=3\nRightWidth=3\n"
        "TopHeight=3\nBottomHeight=3\nTrans=0\n[Headerbar]\nImage=header.bmp\nLeftWidth=2\nRightWidth=2\n"
        "TopHeight=2\nBottomHeight=2\n[Buttons]\nBitmap=buttons.bmp\nLeftWidth=3\nRightWidth=3\nTopHeight=3\n"
        "BottomHeight=3\nTrans=0\n[Colours]\nButtonFace=236 233 216\nButtonText=0 0 0\n";
    PixelImage tabs = Strip(5, tabCellWidth, tabCellWidth, 90);
    return BuildSkinFile({{"skin.ini", {ini.begin(), ini.end()}},
                          {"tabs.bmp", EncodeBmpFile(tabs)},
                          {"border.bmp", EncodeBmpFile(Strip(1, 20, 20, 160))},
                          {"header.bmp", EncodeBmpFile(Strip(5, 12, 12, 40))},
                          {"buttons.bmp", EncodeBmpFile(Strip(5, 12, 12, 250))}});
}

// The colour at the middle of cell `cell` (from 1) of a strip of `cells`.
COLORREF CellColour(TBitmap& strip, int cells, int cell) {
    const int w = strip.Width() / cells;
    return GetPixel(strip.Canvas().Handle(), (cell - 1) * w + w / 2, strip.Height() / 2);
}

// Key `vk` pressed and released, with Ctrl held when asked.
void Key(WORD vk, bool ctrl = false) {
    std::vector<INPUT> keys;
    auto add = [&](WORD k, bool up) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = k;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        keys.push_back(in);
    };
    if (ctrl) add(VK_CONTROL, false);
    add(vk, false);
    add(vk, true);
    if (ctrl) add(VK_CONTROL, true);
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
    uitest::Pump(60);
}

RECT TabRect(HWND tabs, int index) {
    RECT r{};
    SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

POINT ScreenPoint(HWND h, int x, int y) {
    POINT p{x, y};
    ClientToScreen(h, &p);
    return p;
}

void Repaint(HWND h) { RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW); }

class TabSkinners : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        skin.LoadFromStream(StripSkinFile());
        ASSERT_FALSE(skin.Empty);
        ASSERT_TRUE(skin.tab && skin.Header);
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(40, 40, 640, 420);
        MoveMouseTo(POINT{2, 2});
    }
    TPageControl* Pages(int x, int y, const std::vector<const wchar_t*>& captions) {
        auto* pages = new TPageControl(form.get());
        pages->SetParent(form.get());
        pages->SetBounds(x, y, 300, 180);
        for (const wchar_t* c : captions) {
            auto* sheet = new TTabSheet(form.get());
            sheet->SetPageControl(pages);
            sheet->SetCaption(c);
        }
        return pages;
    }
    template <class S>
    S* SkinOf(TWinControl* c, int kind = 0) {
        auto* s = new S(c);
        s->kind = kind;
        s->Init(nullptr, &skin, nullptr, false);
        return s;
    }
    COLORREF Tab(int cell) { return CellColour(*skin.tab->Map, 5, cell); }
    COLORREF Border() { return CellColour(*dynamic_cast<TDataSkinBorder&>(*skin.tab).MaskMap, 1, 1); }
    COLORREF HeaderCell(int cell) { return CellColour(*skin.Header->Map, 5, cell); }
    // A pixel of tab `index` of a top or bottom strip clear of its caption.
    COLORREF TabPlate(HWND tabs, int index) {
        RECT r = TabRect(tabs, index);
        return ClientPixel(tabs, r.left + 3, (r.top + r.bottom) / 2);
    }

    TSkinData skin{nullptr};
    std::unique_ptr<TForm> form;
};

}  // namespace

TEST_F(TabSkinners, PlatesAndBorderFromTheSkinAndPagesSwitchByMouseAndKeysAsUnskinned) {
    TPageControl* skinned = Pages(10, 10, {L"One", L"Two", L"Three"});
    TPageControl* plain = Pages(320, 10, {L"One", L"Two", L"Three"});
    SkinOf<TSkinTab>(skinned);
    uitest::ShowAndActivate(*form);
    const HWND h = skinned->Handle();

    EXPECT_EQ(TabPlate(h, 0), Tab(2));
    EXPECT_EQ(TabPlate(h, 1), Tab(1));
    EXPECT_EQ(TabPlate(h, 2), Tab(1));
    RECT display = skinned->DisplayRect();
    EXPECT_EQ(ClientPixel(h, display.left - 2, (display.top + display.bottom) / 2), Border());
    EXPECT_EQ(ClientPixel(h, (display.left + display.right) / 2, display.bottom + 1), Border());

    // A real click on a skinned tab switches the page, and the plates follow.
    RECT second = TabRect(h, 1);
    uitest::ClickAt(ScreenPoint(h, (second.left + second.right) / 2, (second.top + second.bottom) / 2));
    EXPECT_EQ(skinned->ActivePage(), skinned->Pages(1));
    EXPECT_TRUE(IsWindowVisible(skinned->Pages(1)->Handle()));
    EXPECT_FALSE(IsWindowVisible(skinned->Pages(0)->Handle()));
    EXPECT_EQ(TabPlate(h, 1), Tab(2));
    EXPECT_EQ(TabPlate(h, 0), Tab(1));

    // The same keys on the skinned control and on an unskinned twin (both
    // starting on the second page with the focus) end on the same page.
    plain->SetActivePageIndex(1);
    for (TPageControl* pc : {skinned, plain}) {
        pc->SetFocus();
        uitest::Pump(30);
        Key(VK_RIGHT);
        Key(VK_RIGHT);
        Key(VK_LEFT);
        Key(VK_LEFT);
    }
    EXPECT_EQ(skinned->ActivePageIndex(), plain->ActivePageIndex());
    EXPECT_EQ(skinned->TabIndex(), plain->TabIndex());
    const int shown = skinned->ActivePageIndex();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(IsWindowVisible(skinned->Pages(i)->Handle()) != FALSE, i == shown) << i;
    EXPECT_EQ(TabPlate(h, shown), Tab(2));
    skinned->SetFocus();
    Key(VK_RIGHT);
    EXPECT_EQ(skinned->ActivePageIndex(), shown + 1);  // the arrows move through the pages
    EXPECT_EQ(TabPlate(h, shown + 1), Tab(2));
    // Ctrl+Tab from a control on the page turns to the next page, wrapping.
    auto* onPage = new TButton(form.get());
    onPage->SetParent(skinned->ActivePage());
    onPage->SetFocus();
    const int next = (skinned->ActivePageIndex() + 1) % 3;
    Key(VK_TAB, true);
    EXPECT_EQ(skinned->ActivePageIndex(), next);
    EXPECT_EQ(TabPlate(h, next), Tab(2));
}

TEST_F(TabSkinners, StripsBelowAndBesideThePageUseTheSameCells) {
    auto* bottom = new TTabControl(form.get());
    auto* right = new TTabControl(form.get());
    bottom->SetTabPosition(tpBottom);
    right->SetTabPosition(tpRight);
    right->SetMultiLine(true);
    int x = 10;
    for (TTabControl* t : {bottom, right}) {
        t->SetParent(form.get());
        t->SetBounds(x, 10, 280, 200);
        t->Tabs().Add(L"Alpha");
        t->Tabs().Add(L"Beta");
        t->SetTabIndex(1);
        x += 300;
        SkinOf<TSkinTab>(t, 2);
    }
    uitest::ShowAndActivate(*form);

    EXPECT_EQ(TabPlate(bottom->Handle(), 1), Tab(2));
    EXPECT_EQ(TabPlate(bottom->Handle(), 0), Tab(1));
    RECT display = bottom->DisplayRect();
    EXPECT_EQ(ClientPixel(bottom->Handle(), (display.left + display.right) / 2, display.top - 2), Border());
    // Side tabs lie along the page: probe near a tab's end, clear of the caption.
    for (int i = 0; i < 2; ++i) {
        RECT r = TabRect(right->Handle(), i);
        EXPECT_EQ(ClientPixel(right->Handle(), (r.left + r.right) / 2, r.top + 3), Tab(i == 1 ? 2 : 1)) << i;
    }
    display = right->DisplayRect();
    EXPECT_EQ(ClientPixel(right->Handle(), (display.left + display.right) / 2, display.top - 2), Border());
}

TEST_F(TabSkinners, HeaderItemsTrackTheMouseAndKeepColumnSizing) {
    auto* header = new THeaderControl(form.get());
    header->SetParent(form.get());
    header->SetBounds(10, 10, 400, 24);
    for (const wchar_t* text : {L"Port", L"State", L"Load"}) {
        THeaderSection* s = header->Sections().Add();
        s->SetText(text);
        s->SetWidth(90);
    }
    SkinOf<HeaderSkinner>(header);
    uitest::ShowAndActivate(*form);
    const HWND h = header->Handle();
    auto itemPixel = [&](int i) {
        RECT r{};
        SendMessageW(h, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        return ClientPixel(h, r.left + 4, r.top + 3);
    };

    for (int i = 0; i < 3; ++i) EXPECT_EQ(itemPixel(i), HeaderCell(1)) << i;
    EXPECT_EQ(ClientPixel(h, 350, 12), HeaderCell(1));  // the space right of the items

    MoveMouseTo(ScreenPoint(h, 135, 12));
    EXPECT_EQ(itemPixel(1), HeaderCell(2));
    EXPECT_EQ(itemPixel(0), HeaderCell(1));
    MoveMouseTo(ScreenPoint(h, 200, 200));
    uitest::PumpUntil([&] { return itemPixel(1) == HeaderCell(1); }, 500);
    EXPECT_EQ(itemPixel(1), HeaderCell(1));

    // Dragging the first divider still sizes the column.
    MoveMouseTo(ScreenPoint(h, 89, 12));
    MouseButton(true);
    MoveMouseTo(ScreenPoint(h, 110, 12));
    MoveMouseTo(ScreenPoint(h, 129, 12));
    MouseButton(false);
    EXPECT_NEAR(header->Sections().Items(0)->Width(), 130, 2);
    EXPECT_EQ(itemPixel(0), HeaderCell(1));
}

TEST_F(TabSkinners, TabSetClickSelectsTheDrawnTab) {
    auto* set = new TTabSet(form.get());
    set->SetParent(form.get());
    set->SetBounds(10, 10, 400, 24);
    for (const wchar_t* text : {L"Live", L"Timers", L"Setup"}) set->Tabs().Add(text);
    set->SetTabIndex(0);
    SkinOf<TSkinTab31>(set);
    uitest::ShowAndActivate(*form);
    const HWND h = set->Handle();
    auto plate = [&](int i) {
        RECT r = set->ItemRect(i);
        return ClientPixel(h, r.left + 2, (r.top + r.bottom) / 2);
    };
    EXPECT_EQ(plate(0), Tab(2));
    EXPECT_EQ(plate(2), Tab(1));
    RECT third = set->ItemRect(2);
    uitest::ClickAt(ScreenPoint(h, (third.left + third.right) / 2, (third.top + third.bottom) / 2));
    EXPECT_EQ(set->TabIndex(), 2);
    EXPECT_EQ(plate(2), Tab(2));
    EXPECT_EQ(plate(0), Tab(1));
}

TEST_F(TabSkinners, HostileSizesAndThinImagesPaintWithoutFaultsOrLeaks) {
    skin.LoadFromStream(StripSkinFile(1));  // five cells of one pixel, margins of three
    ASSERT_TRUE(skin.tab && skin.tab->Map && !skin.tab->Map->Empty());
    TPageControl* many = Pages(10, 10, {});
    for (int i = 0; i < 150; ++i) {
        auto* sheet = new TTabSheet(form.get());
        sheet->SetPageControl(many);
        sheet->SetCaption(std::wstring(i % 7 == 0 ? 120 : 3, L'W'));  // longer than a tab's text is read
    }
    auto* tiny = new TTabControl(form.get());
    auto* huge = new TTabControl(form.get());
    auto* side = new TTabControl(form.get());
    side->SetTabPosition(tpLeft);
    side->SetMultiLine(true);
    std::vector<std::pair<TTabControl*, RECT>> sizes = {
        {tiny, {320, 10, 1, 1}}, {huge, {0, 0, 2400, 1800}}, {side, {320, 20, 30, 12}}};
    for (auto& [t, b] : sizes) {
        t->SetParent(form.get());
        t->SetBounds(b.left, b.top, b.right, b.bottom);
        for (int i = 0; i < 12; ++i) t->Tabs().Add(L"Tab");
        t->SetTabIndex(3);
    }
    auto* header = new THeaderControl(form.get());
    header->SetParent(form.get());
    header->SetBounds(320, 60, 0, 0);
    header->Sections().Add()->SetWidth(40);
    uitest::ShowAndActivate(*form);
    std::vector<TSkinControl*> skinners = {SkinOf<TSkinTab>(many), SkinOf<TSkinTab>(tiny, 2), SkinOf<TSkinTab>(huge, 2),
                                           SkinOf<TSkinTab>(side, 2), SkinOf<HeaderSkinner>(header)};
    for (TSkinControl* s : skinners) s->Invalidate();
    const DWORD gdi = GdiObjectCount();
    for (int round = 0; round < 3; ++round)
        for (TSkinControl* s : skinners) {
            s->Invalidate();
            s->SkinChange();
        }
    EXPECT_LE(GdiObjectCount(), gdi);
    for (TSkinControl* s : skinners) EXPECT_TRUE(s->skinned);  // no painting fault turned a skinner off
}

TEST_F(TabSkinners, GivenBackControlsLookAsBefore) {
    TPageControl* pages = Pages(10, 10, {L"One", L"Two"});
    auto* tabs = new TTabControl(form.get());
    tabs->SetParent(form.get());
    tabs->SetBounds(320, 10, 280, 120);
    tabs->Tabs().Add(L"Bottom");
    tabs->SetTabPosition(tpBottom);
    auto* header = new THeaderControl(form.get());
    header->SetParent(form.get());
    header->SetBounds(10, 220, 400, 24);
    header->Sections().Add()->SetText(L"Column");
    auto* set = new TTabSet(form.get());
    set->SetParent(form.get());
    set->SetBounds(10, 260, 400, 24);
    set->Tabs().Add(L"Tab");
    set->SetTabIndex(0);
    uitest::ShowAndActivate(*form);
    uitest::Pump(100);
    Repaint(form->Handle());
    const std::vector<uint32_t> before = Snapshot(form->Handle());

    std::vector<TSkinControl*> skinners = {SkinOf<TSkinTab>(pages), SkinOf<TSkinTab>(tabs, 2), SkinOf<HeaderSkinner>(header),
                                           SkinOf<TSkinTab31>(set)};
    uitest::Pump(50);
    EXPECT_NE(Snapshot(form->Handle()), before);
    for (TSkinControl* s : skinners) {
        s->Unsubclass();
        delete s;
    }
    Repaint(form->Handle());
    uitest::Pump(100);
    const std::vector<uint32_t> after = Snapshot(form->Handle());
    size_t differing = 0;
    for (size_t i = 0; i < after.size() && i < before.size(); ++i) differing += after[i] != before[i];
    EXPECT_EQ(after.size(), before.size());
    EXPECT_EQ(differing, 0u);
}

TEST_F(TabSkinners, CloseCrossOfAClosablePageControlFreesThatPageOnly) {
    TPageControl* pages = Pages(10, 10, {L"First page", L"Second page", L"Third page"});
    pages->SetTag(kClosableTabsTag);
    SkinOf<TSkinTab>(pages);
    uitest::ShowAndActivate(*form);
    const HWND h = pages->Handle();
    TTabSheet* third = pages->Pages(2);
    // The cross sits near the tab's top-right corner, drawn one pixel lower.
    RECT second = TabRect(h, 1);
    uitest::ClickAt(ScreenPoint(h, second.right - 5, second.top + 6));
    ASSERT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->Pages(1), third);
    EXPECT_EQ(SendMessageW(h, TCM_GETITEMCOUNT, 0, 0), 2);
    // Elsewhere on a tab a click only switches pages.
    RECT last = TabRect(h, 1);
    uitest::ClickAt(ScreenPoint(h, last.left + 6, (last.top + last.bottom) / 2));
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->ActivePage(), third);
}

TEST_F(TabSkinners, ButtonStylePagesUseTheButtonFaces) {
    TPageControl* pages = Pages(10, 10, {L"One", L"Two"});
    pages->SetStyle(tsButtons);
    SkinOf<TSkinTabBtn>(pages);
    uitest::ShowAndActivate(*form);
    const HWND h = pages->Handle();
    EXPECT_EQ(TabPlate(h, 0), CellColour(*skin.Button->Map, 5, 2));
    EXPECT_EQ(TabPlate(h, 1), CellColour(*skin.Button->Map, 5, 1));
    RECT second = TabRect(h, 1);
    uitest::ClickAt(ScreenPoint(h, (second.left + second.right) / 2, (second.top + second.bottom) / 2));
    EXPECT_EQ(pages->ActivePage(), pages->Pages(1));
    EXPECT_EQ(TabPlate(h, 1), CellColour(*skin.Button->Map, 5, 2));
}
