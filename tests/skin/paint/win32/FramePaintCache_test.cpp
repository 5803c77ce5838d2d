// The skinned frame keeps its composed pictures between paints: after each
// change that alters the frame (size, activation, caption text, a hot menu-bar
// button, a skin reloaded into the same bitmaps) a frame painted from the
// kept pictures must show exactly what a frame composed from nothing shows.
#include <vector>

#include "PixelCapture.h"
#include "SkinTestSupport.h"
#include "skin/paint/win32/SkinMenuBar.h"
#include "toolkit/Menus.h"
#include "toolkit/testing/UiDriver.h"

using namespace relayon::skin;
using namespace skintest;

namespace {

// The whole window's pixels (window DC, top row first).
std::vector<uint32_t> WholeWindow(HWND h) {
    std::vector<uint32_t> px = WindowPixels(h);
    for (auto& p : px) p &= 0xFFFFFF;
    return px;
}

class FramePaintCache : public EngineTest {
protected:
    TWinSkinForm* sf(HWND h) { return mgr()->FindSkinForm(h); }
    // The frame painted twice, the second time from what the first kept.
    std::vector<uint32_t> KeptFrame(HWND h) {
        sf(h)->UpdateNc(nullptr);
        sf(h)->UpdateNc(nullptr);
        return WholeWindow(h);
    }
    // The frame composed with nothing kept.
    std::vector<uint32_t> FreshFrame(HWND h) {
        sf(h)->FrameCache.reset();
        sf(h)->UpdateNc(nullptr);
        return WholeWindow(h);
    }
};

TEST_F(FramePaintCache, KeptFrameShowsWhatComposingShowsAfterEveryChange) {
    TSkinData* d = MakeSkinData(root_.get());
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 420, 300);
    form->SetCaption(L"Kept frame");
    auto* bar = new TMainMenu(form.get());
    for (const wchar_t* caption : {L"&File", L"&Edit"}) {
        auto* item = new TMenuItem(bar);
        item->SetCaption(caption);
        bar->Items()->Add(item);
    }
    form->SetMenu(bar);
    uitest::ShowAndActivate(*form);
    const HWND h = form->Handle();
    ASSERT_TRUE(PumpUntil([&] { return sf(h) && sf(h)->FActive && sf(h)->menu; }));
    Pump(60);

    const std::vector<uint32_t> active = KeptFrame(h);
    EXPECT_EQ(active, FreshFrame(h));

    form->SetCaption(L"Another caption");
    Pump(30);
    const std::vector<uint32_t> retitled = KeptFrame(h);
    EXPECT_NE(retitled, active);
    EXPECT_EQ(retitled, FreshFrame(h));

    // A hot menu-bar button is framed by the bar; a paint shows it so.
    sf(h)->menu->Buttons[0]->state = 3;
    const std::vector<uint32_t> hot = KeptFrame(h);
    EXPECT_NE(hot, retitled);
    EXPECT_EQ(hot, FreshFrame(h));
    sf(h)->menu->Buttons[0]->state = 1;

    // Another window active: the inactive cells.
    auto other = ShowForm(200, 150);
    ASSERT_TRUE(PumpUntil([&] { return !sf(h)->FWindowActive; }));
    const std::vector<uint32_t> inactive = KeptFrame(h);
    EXPECT_NE(inactive, retitled);
    EXPECT_EQ(inactive, FreshFrame(h));
    other.reset();
    uitest::ShowAndActivate(*form);
    ASSERT_TRUE(PumpUntil([&] { return sf(h)->FWindowActive; }));

    SetWindowPos(h, nullptr, 0, 0, 460, 320, SWP_NOMOVE | SWP_NOZORDER);
    Pump(60);
    const std::vector<uint32_t> wider = KeptFrame(h);
    EXPECT_EQ(wider, FreshFrame(h));

    // The skin loaded again and its border and menu-bar pictures changed
    // before the frame is repainted: the same bitmaps, new pixels.
    d->LoadFromStream(LightSkin());
    const COLORREF green = RGB(20, 200, 40);
    HBRUSH brush = CreateSolidBrush(green);
    for (TBitmap* map : {d->border[0]->Map.get(), d->border[2]->Map.get(), d->Menubar->Map.get()}) {
        RECT all{0, 0, map->Width(), map->Height()};
        FillRect(map->Canvas().Handle(), &all, brush);
    }
    DeleteObject(brush);
    // Painted before the engine applies the reload (a window uncovered in
    // between) and after it has.
    for (int applied : {0, 1}) {
        if (applied) Pump(600);
        ASSERT_NE(sf(h), nullptr);
        const std::vector<uint32_t> reskinned = KeptFrame(h);
        RECT wr{};
        GetWindowRect(h, &wr);
        const int w = wr.right - wr.left;
        const size_t leftBorder = static_cast<size_t>((wr.bottom - wr.top) / 2) * w;
        const size_t menuBand = static_cast<size_t>(sf(h)->bw.top + sf(h)->MenuHeight / 2) * w + w - sf(h)->bw.right - 3;
        EXPECT_EQ(reskinned[leftBorder], (uint32_t{GetRValue(green)} << 16) | (GetGValue(green) << 8) | GetBValue(green))
            << applied;
        EXPECT_EQ(reskinned[menuBand], reskinned[leftBorder]) << applied;
        EXPECT_EQ(reskinned, FreshFrame(h)) << applied;
    }
}

}  // namespace
