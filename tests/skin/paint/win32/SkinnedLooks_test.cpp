// What a user sees of skinned containers and bars, in the light and the dark
// skin: labels and track bars inside skinned group boxes and panels sit on
// the skin's face with readable text while edits keep their own text colour,
// and everything looks as before once given back; a media player's buttons
// show glyphs that read on the skin's faces; hot and pressed tool-bar buttons
// show the skin's plates and disabled ones read as disabled; labels on a
// skinned form, a frame or a scroll box, and a grid's fixed cells, read on
// the skin's face.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "PixelCapture.h"
#include "SkinTestSupport.h"
#include "skin/data/win32/Winskindata.h"
#include "skin/paint/win32/SkinMP.h"
#include "skin/paint/win32/SkinToolbarPainters.h"
#include "skin/paint/win32/SkinnerButtons.h"
#include "skin/paint/win32/SkinnerFamilies.h"
#include "skin/paint/win32/Winskinform.h"
#include "skin/paint/win32/Winsubclass.h"
#include "toolkit/Application.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Frame.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Label.h"
#include "toolkit/MediaPlayer.h"
#include "toolkit/Panel.h"
#include "toolkit/ScrollBox.h"
#include "toolkit/StringGrid.h"
#include "toolkit/ToolBar.h"
#include "toolkit/TrackBar.h"
#include "toolkit/testing/UiDriver.h"

using namespace relayon::skin;

namespace {

using skintest::ClientPixel;

// The dark skin lies beside the light one in the native tree.
std::vector<uint8_t> DarkSkin() {
    std::string path = std::string("Z:") + RELAYON_TEST_SKIN;
    path.replace(path.find("relayon-light"), 13, "relayon-dark");
    for (char& c : path)
        if (c == '/') c = '\\';
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Every look is checked in both skins: the light one and the dark one.
std::vector<std::pair<const char*, std::vector<uint8_t>>> BothSkins() {
    return {{"light", skintest::LightSkin()}, {"dark", DarkSkin()}};
}

int Distance(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
           std::abs(GetBValue(a) - GetBValue(b));
}

// Pixels of `h` inside `r` within `within` of `colour`.
int CountNear(HWND h, const RECT& r, COLORREF colour, int within) {
    int n = 0;
    HDC dc = GetDC(h);
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += Distance(GetPixel(dc, x, y), colour) <= within;
    ReleaseDC(h, dc);
    return n;
}

void Repaint(HWND h) { RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW); }

RECT BoundsOf(TControl* c) { return RECT{c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()}; }

class SkinnedLooks : public ::testing::Test {
protected:
    void SetUp() override { Application->Initialize(); }
    void Use(const std::vector<uint8_t>& bytes) {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(40, 40, 520, 360);
        skin.LoadFromStream(bytes);
        ASSERT_FALSE(skin.Empty);
        sf = std::make_unique<TWinSkinForm>(nullptr);
        sf->fsd = &skin;
        sf->Skinstate = 1;
    }
    template <class C>
    C* Add(TWinControl* parent, int x, int y, int w, int h) {
        auto* c = new C(form.get());
        c->SetParent(parent);
        c->SetBounds(x, y, w, h);
        return c;
    }
    TLabel* AddLabel(TWinControl* parent, int x, int y) {
        auto* l = Add<TLabel>(parent, x, y, 160, 18);
        l->SetAutoSize(false);
        l->SetCaption(L"Delay HHHH");
        return l;
    }
    COLORREF Scheme(TShemeColor which) { return static_cast<COLORREF>(skin.Colors[which]); }

    TSkinData skin{nullptr};
    std::unique_ptr<TWinSkinForm> sf;
    std::unique_ptr<TForm> form;
};

}  // namespace

TEST_F(SkinnedLooks, ChildrenOfContainersShowTheSkinsGroundAndText) {
    for (const auto& [name, bytes] : BothSkins()) {
        SCOPED_TRACE(name);
        Use(bytes);
        auto* group = Add<TGroupBox>(form.get(), 10, 10, 240, 140);
        group->SetCaption(L"Group");
        auto* inGroup = AddLabel(group, 10, 24);
        auto* edit = Add<TEdit>(group, 10, 60, 200, 24);
        edit->SetText(L"HHHHHHHH");
        auto* panel = Add<TPanel>(form.get(), 260, 10, 240, 140);
        panel->SetCaption(L"");
        auto* inPanel = AddLabel(panel, 10, 24);
        auto* track = Add<TTrackBar>(form.get(), 10, 170, 240, 40);
        uitest::ShowAndActivate(*form);
        Repaint(form->Handle());
        auto shots = [&] {
            std::vector<std::vector<uint32_t>> all;
            for (TWinControl* c : std::initializer_list<TWinControl*>{group, panel, track, edit})
                all.push_back(skintest::Snapshot(c->Handle()));
            return all;
        };
        const auto before = shots();

        // As the form skinner does with the form, then the containers' children first.
        form->SetColor(static_cast<TColor>(Scheme(csButtonFace)));
        ASSERT_TRUE(StartSkinner(sf.get(), L"TSkinTrackBar", track, nullptr, {}));
        ASSERT_TRUE(StartSkinner(sf.get(), L"TSkinGroupBox", group, nullptr, {}));
        ASSERT_TRUE(StartSkinner(sf.get(), L"TSkinBox", panel, nullptr, {.acolor = true}));
        Repaint(form->Handle());

        for (auto [box, label] : {std::pair<TWinControl*, TLabel*>{group, inGroup}, {panel, inPanel}}) {
            const RECT r = BoundsOf(label);
            EXPECT_EQ(ClientPixel(box->Handle(), r.right - 3, r.top + 1), Scheme(csButtonFace));
            EXPECT_GT(CountNear(box->Handle(), r, Scheme(csButtonText), 40), 10);
        }
        // The edit's text keeps its dark colour on its white ground.
        RECT inside{};
        GetClientRect(edit->Handle(), &inside);
        EXPECT_GT(CountNear(edit->Handle(), inside, RGB(0, 0, 0), 40), 10);
        EXPECT_EQ(ClientPixel(track->Handle(), 1, 1), Scheme(csButtonFace));
        EXPECT_EQ(ClientPixel(track->Handle(), track->Width() - 2, track->Height() - 2), Scheme(csButtonFace));

        sf->DeleteControls();
        form->SetColor(clBtnFace);
        Repaint(form->Handle());
        uitest::Pump(50);
        EXPECT_TRUE(shots() == before);
        EXPECT_TRUE(edit->ParentFont() && inGroup->ParentFont() && inPanel->ParentFont());
        sf.reset();
    }
}

TEST_F(SkinnedLooks, MediaPlayerButtonsShowGlyphsInTheSkinsColours) {
    for (const auto& [name, bytes] : BothSkins()) {
        SCOPED_TRACE(name);
        Use(bytes);
        skin.SetSkinControls(TSkinControlTypes{xcButton});
        auto* player = Add<TMediaPlayer>(form.get(), 10, 10, 300, 30);
        player->SetVisibleButtons(TButtonSet{::TMPBtnType::btPlay, ::TMPBtnType::btNext, ::TMPBtnType::btEject});
        player->SetEnabledButtons(TButtonSet{::TMPBtnType::btPlay, ::TMPBtnType::btNext});
        player->SetColoredButtons(TButtonSet{::TMPBtnType::btPlay});
        ASSERT_TRUE(AddButtonSkinner(sf.get(), player, L"TMEDIAPLAYER"));
        auto* skinner = dynamic_cast<TSkinMP*>(sf->FindSkinComp(player));
        ASSERT_TRUE(skinner && skinner->mp);
        uitest::ShowAndActivate(*form);
        HWND overlay = skinner->mp->Handle();
        Repaint(overlay);

        // The middle of each 100-pixel button: the glyph in the colour of a
        // normal button's caption, a signal colour, or the disabled text.
        TDataSkinButton& b = *skin.Button;
        const COLORREF caption = b.newnormal ? static_cast<COLORREF>(b.Normalcolor2) : Scheme(csButtonText);
        auto middle = [](int slot) { return RECT{slot * 100 + 38, 3, slot * 100 + 62, 27}; };
        EXPECT_GT(CountNear(overlay, middle(1), caption, 20), 12);
        EXPECT_EQ(CountNear(overlay, middle(0), caption, 20), 0);
        EXPECT_GT(CountNear(overlay, middle(0), RGB(0, 170, 60), 60), 12);
        EXPECT_GT(CountNear(overlay, middle(2), GetSysColor(COLOR_BTNSHADOW), 20), 12);
        EXPECT_EQ(CountNear(overlay, middle(2), caption, 20), 0);
        sf.reset();
        form.reset();
    }
}

TEST_F(SkinnedLooks, ToolBarPlatesOfHotAndPressedButtonsAreTheSkins) {
    for (const auto& [name, bytes] : BothSkins()) {
        SCOPED_TRACE(name);
        Use(bytes);
        auto* bar = Add<TToolBar>(form.get(), 0, 0, 500, 30);
        bar->SetShowCaptions(true);
        bar->SetFlat(true);  // as the form skinner sets it
        bar->SetButtonWidth(150);
        auto* first = new TToolButton(form.get());
        first->SetCaption(L"Connect");
        first->SetParent(bar);
        auto* second = new TToolButton(form.get());
        second->SetCaption(L"Read");
        second->SetParent(bar);
        auto* off = new TToolButton(form.get());
        off->SetCaption(L"Disabled");
        off->SetParent(bar);
        off->SetEnabled(false);
        uitest::ShowAndActivate(*form);
        HookToolBarPainters(sf.get(), bar);
        ASSERT_TRUE(StartSkinner(sf.get(), L"TSkinBox", bar, nullptr, {}));
        Repaint(bar->Handle());
        RECT r{};
        SendMessageW(bar->Handle(), TB_GETRECT, second->CommandId(), reinterpret_cast<LPARAM>(&r));

        // A column of the plate left of the caption, inside the stretched
        // middle: every pixel one of the cell's middle column.
        TBitmap& map = *skin.Button->Map;
        const int cw = map.Width() / 5, top = skin.Button->r.Top, bottom = skin.Button->r.Bottom;
        auto strays = [&](int cell) {
            std::vector<COLORREF> allowed;
            for (int y = top; y < map.Height() - bottom; ++y)
                allowed.push_back(GetPixel(map.Canvas().Handle(), (cell - 1) * cw + cw / 2, y));
            int n = 0;
            for (int y = r.top + 1 + top; y < r.bottom - 1 - bottom; ++y)
                n += std::find(allowed.begin(), allowed.end(), ClientPixel(bar->Handle(), r.left + 8, y)) == allowed.end();
            return n;
        };
        EXPECT_EQ(strays(1), 0);
        // A disabled caption has no etched copy in the system's white.
        RECT offRect{};
        SendMessageW(bar->Handle(), TB_GETRECT, off->CommandId(), reinterpret_cast<LPARAM>(&offRect));
        EXPECT_EQ(CountNear(bar->Handle(), offRect, GetSysColor(COLOR_BTNHIGHLIGHT), 0), 0);
        POINT at{(r.left + r.right) / 2, r.bottom - 4};
        ClientToScreen(bar->Handle(), &at);
        skintest::MoveMouseTo(at);
        skintest::MoveMouseTo(POINT{at.x + 1, at.y});
        uitest::Pump(60);
        EXPECT_EQ(strays(4), 0);
        skintest::MouseButton(true);
        uitest::Pump(60);
        EXPECT_EQ(strays(2), 0);
        skintest::MoveMouseTo(POINT{2, 2});
        skintest::MouseButton(false);
        sf.reset();
        form.reset();
    }
}

TEST_F(SkinnedLooks, LabelsOnFormsFramesAndScrollBoxesReadOnTheSkinsFace) {
    for (const auto& [name, bytes] : BothSkins()) {
        SCOPED_TRACE(name);
        Use(bytes);
        auto* onForm = AddLabel(form.get(), 10, 10);
        auto* frame = Add<TFrame>(form.get(), 10, 40, 240, 100);
        auto* inFrame = AddLabel(frame, 10, 10);
        auto* box = Add<TScrollBox>(form.get(), 260, 40, 240, 100);
        auto* inBox = AddLabel(box, 10, 10);
        auto* edit = Add<TEdit>(frame, 10, 40, 200, 24);
        edit->SetText(L"HHHHHHHH");
        uitest::ShowAndActivate(*form);
        Repaint(form->Handle());
        auto shots = [&] {
            std::vector<std::vector<uint32_t>> all;
            for (TWinControl* c : std::initializer_list<TWinControl*>{form.get(), frame, box, edit})
                all.push_back(skintest::Snapshot(c->Handle()));
            return all;
        };
        const auto before = shots();

        sf->InitTform(&skin, form.get());
        sf->InitControls(form.get());
        Repaint(form->Handle());
        for (auto [parent, label] :
             {std::pair<TWinControl*, TLabel*>{form.get(), onForm}, {frame, inFrame}, {box, inBox}}) {
            SCOPED_TRACE(parent->ClassName());
            const RECT r = BoundsOf(label);
            EXPECT_EQ(ClientPixel(parent->Handle(), r.right - 3, r.top + 1), Scheme(csButtonFace));
            EXPECT_GT(CountNear(parent->Handle(), r, Scheme(csButtonText), 40), 10);
        }
        RECT inside{};
        GetClientRect(edit->Handle(), &inside);
        EXPECT_GT(CountNear(edit->Handle(), inside, RGB(0, 0, 0), 40), 10);

        sf->UnSubclass2();
        Repaint(form->Handle());
        uitest::Pump(50);
        EXPECT_TRUE(shots() == before);
        EXPECT_TRUE(onForm->ParentFont() && inFrame->ParentFont() && inBox->ParentFont() && edit->ParentFont());
        sf.reset();
        form.reset();
    }
}

TEST_F(SkinnedLooks, GridFixedCellsReadOnTheSkinsFace) {
    for (const auto& [name, bytes] : BothSkins()) {
        SCOPED_TRACE(name);
        Use(bytes);
        auto* grid = Add<TStringGrid>(form.get(), 10, 10, 300, 150);
        grid->SetColCount(3);
        grid->SetRowCount(4);
        grid->SetDefaultColWidth(90);
        grid->SetCells(0, 2, L"HHHHHHHH");
        grid->SetCells(2, 3, L"HHHHHHHH");
        uitest::ShowAndActivate(*form);
        Repaint(grid->Handle());
        const auto before = skintest::Snapshot(grid->Handle());

        ASSERT_TRUE(StartSkinner(sf.get(), L"TSkinScrollbar", grid, nullptr, {}));
        Repaint(grid->Handle());
        RECT fixed = grid->CellRect(0, 2), cell = grid->CellRect(2, 3);
        InflateRect(&fixed, -2, -2);
        EXPECT_EQ(ClientPixel(grid->Handle(), fixed.right - 3, fixed.top + 1), Scheme(csButtonFace));
        EXPECT_GT(CountNear(grid->Handle(), fixed, Scheme(csButtonText), 40), 10);
        // Cells on the grid's own ground keep the font's dark text.
        EXPECT_GT(CountNear(grid->Handle(), cell, RGB(0, 0, 0), 40), 10);

        sf->DeleteControls();
        Repaint(grid->Handle());
        uitest::Pump(50);
        EXPECT_TRUE(skintest::Snapshot(grid->Handle()) == before);
        EXPECT_EQ(grid->FixedFontColor(), clNone);
        sf.reset();
        form.reset();
    }
}
