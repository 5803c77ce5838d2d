#include "skin/data/SkinDescription.h"

#include <gtest/gtest.h>

#include <map>

#include "toolkit/core/BmpCodec.h"

using namespace relayon::skin;

namespace {

// A package stand-in: entry name -> bytes, looked up in lower case as the reader does.
struct FakePackage {
    std::map<std::string, std::vector<uint8_t>> entries;
    void Bmp(const std::string& name, int w, int h, TColor colour = 0x336699) {
        entries[name] = EncodeBmpFile(SolidImage(w, h, colour));
    }
    SkinLoadEnvironment Env() const {
        SkinLoadEnvironment env;
        env.readEntry = [this](const std::string& name) {
            std::string lower = name;
            for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
            auto it = entries.find(lower);
            return it == entries.end() ? std::vector<uint8_t>{} : it->second;
        };
        return env;
    }
};

SkinDescription Load(const std::string& text, const FakePackage& pkg, std::vector<SkinImageUse>* uses = nullptr) {
    TQuickIni ini;
    ini.LoadFromText(text);
    return LoadSkinDescription(ini, pkg.Env(), uses);
}

int Problems(const std::vector<SkinImageUse>& uses) {
    int n = 0;
    for (const auto& u : uses) n += !u.problem.empty();
    return n;
}

}  // namespace

TEST(SkinDescription, ColourTextForms) {
    EXPECT_EQ(strcolor("236 233 216"), 0x00D8E9EC);
    EXPECT_EQ(strcolor(" 236,233,216 "), 0x00D8E9EC);
    EXPECT_EQ(strcolor("10 20"), 10);               // two numbers: red only
    EXPECT_EQ(strcolor("1 2 3 4"), 0x030201);       // a fourth is ignored
    EXPECT_EQ(strcolor("256 257 511"), 0xFF0100);   // low 8 bits
    EXPECT_EQ(strcolor("red"), 0);
    EXPECT_EQ(strcolor(""), 0);
}

TEST(SkinDescription, ImageNamesAndFileNames) {
    EXPECT_EQ(ImageEntryName("Buttons.bmp"), "Buttons.bmp");
    EXPECT_EQ(ImageEntryName("skins\\x/Buttons.bmp"), "Buttons.bmp");
    EXPECT_EQ(ImageEntryName("Buttons.BMP"), "");
    EXPECT_EQ(ImageEntryName("buttons"), "");
    EXPECT_EQ(GetFileName("buttons.bmp"), "buttons");
    EXPECT_EQ(GetFileName("a.b.c"), "a");
    EXPECT_EQ(GetFileName("nodot"), "");
}

TEST(SkinDescription, EmptyDescriptionGivesDefaultsAndAlwaysPresentObjects) {
    FakePackage pkg;
    const SkinDescription d = Load("", pkg);
    EXPECT_EQ(d.border[0].IDName, "Left");
    EXPECT_EQ(d.border[3].IDName, "Bottom");
    EXPECT_EQ(d.border[2].frame, 1);
    EXPECT_EQ(d.border[2].Tile, 1);
    EXPECT_EQ(d.border[2].trans, 1);
    EXPECT_TRUE(d.Title.Map.Empty());
    EXPECT_EQ(d.Title.FontHeight, 14);
    EXPECT_EQ(d.Title.activetext, clNone);
    EXPECT_EQ(d.Button.frame, 5);
    EXPECT_EQ(d.Button.checkframe, 4);
    EXPECT_EQ(d.Button.radioframe, 4);
    EXPECT_EQ(d.Colors[csButtonFace], SystemColor(15));
    EXPECT_EQ(d.Colors[csMenuBar], SystemColor(15));
    EXPECT_EQ(d.Colors[csText], SystemColor(8));
    EXPECT_FALSE(d.hasColors[csButtonFace]);
    EXPECT_EQ(d.Colors[csCaption], SystemColor(15));
    EXPECT_EQ(d.PresetColors[9], clWhite);
    ASSERT_EQ(d.SysBtn.size(), 3u);  // the three MDI child buttons only
    EXPECT_EQ(d.SysBtn[0].Action, 7);
    EXPECT_EQ(d.SysBtn[2].Action, 9);
    EXPECT_EQ(d.SysBtn[1].frame, 4);
    EXPECT_TRUE(d.SysBtn[0].Map.Empty());
    // Built-in tracks, the synthesised toolbar and the combo arrow always exist.
    ASSERT_TRUE(d.TrackBar && d.TrackBarVert && d.Toolbar && d.comboxarrow);
    EXPECT_EQ(d.TrackBar->Map.width, 16);
    EXPECT_EQ(d.TrackBar->Map.height, 4);
    EXPECT_EQ(d.TrackBar->Map.Color(0, 0), 0xC0C0C0u);
    EXPECT_EQ(d.TrackBar->Map.Color(2, 0), 0x808080u);
    EXPECT_EQ(d.TrackBar->Map.Color(0, 2), 0x808080u);
    EXPECT_EQ(d.TrackBarVert->Map.Color(2, 0), 0x808080u);
    EXPECT_EQ(d.TrackBarVert->Map.Color(0, 5), 0x808080u);
    EXPECT_EQ(d.TrackBarVert->r.Left, 3);
    EXPECT_EQ(d.Toolbar->Map.width, 10);
    EXPECT_EQ(d.Toolbar->Map.height, 40);
    EXPECT_TRUE(d.comboxarrow->Map.Empty());
    for (auto& [name, e] : d.Optionals())
        if (std::string(name) != "TrackBar" && std::string(name) != "TrackBarVert" && std::string(name) != "Toolbar" &&
            std::string(name) != "comboxarrow")
            EXPECT_FALSE(e->has_value()) << name;
}

TEST(SkinDescription, ColourSchemeAndPresets) {
    FakePackage pkg;
    const SkinDescription d = Load(
        "[Colours]\nButtonFace=236 233 216\nHilight=49 106 197\n"
        "[Colour1]\ncolor=1 2 3\n[COLOURS2]\n[Customcolors]\nColor3=9 9 9\n",
        pkg);
    EXPECT_EQ(d.Colors[csButtonFace], 0x00D8E9EC);
    EXPECT_TRUE(d.hasColors[csButtonFace]);
    EXPECT_EQ(d.Colors[csMenuBar], 0x00D8E9EC);
    EXPECT_FALSE(d.hasColors[csMenuBar]);
    EXPECT_EQ(d.Colors[csHilight], 0x00C56A31);
    EXPECT_EQ(d.Colors[csCaption], 0x00D8E9EC);
    ASSERT_EQ(d.ColorPreset.size(), 2u);
    EXPECT_EQ(d.ColorPreset[0], 0x030201);
    EXPECT_EQ(d.ColorPreset[1], SystemColor(8));
    EXPECT_EQ(d.PresetColors[3], 0x090909);
    EXPECT_EQ(d.PresetColors[0], clWhite);
}

TEST(SkinDescription, GenericElementsVariantsAndCellCounts) {
    FakePackage pkg;
    pkg.Bmp("tabs.bmp", 50, 20);
    pkg.Bmp("border.bmp", 8, 8);
    pkg.Bmp("pane.bmp", 30, 30);
    pkg.Bmp("arrow.bmp", 23 * 16, 16);
    pkg.Bmp("thumb.bmp", 30, 16);
    pkg.Bmp("group.bmp", 20, 20);
    pkg.Bmp("progress.bmp", 20, 10);
    pkg.Bmp("head.bmp", 40, 10);
    const SkinDescription d = Load(
        "[Tabs]\nImage=tabs.bmp\nBorder=border.bmp\nLeftWidth=3\nTile=2\nFrame=9\nNormalColour=255\n"
        "[Tab.Pane]\nImage=pane.bmp\nLeftWidth=10\nTopHeight=4\nRightWidth=2\n"
        "[Scrollbar]\nImage=arrow.bmp\n[HorzScrollThumb]\nImage=thumb.bmp\nFrameCount=2\n"
        "[GroupBox]\nImage=group.bmp\nBackgroundLeftShift=7\n"
        "[Progress]\nBitmap=progress.bmp\nTile=2\nStyle=1\n"
        "[Headerbar]\nImage=head.bmp\nFrame=2\n",
        pkg);
    ASSERT_TRUE(d.tab);
    EXPECT_EQ(d.tab->kind, SkinElementKind::Border);
    EXPECT_EQ(d.tab->IDName, "Tabs");
    EXPECT_EQ(d.tab->frame, 5);
    EXPECT_EQ(d.tab->Tile, 0);
    EXPECT_EQ(d.tab->r.Left, 3);
    EXPECT_EQ(d.tab->Normalcolor, 255);
    EXPECT_EQ(d.tab->Overcolor, -1);
    EXPECT_EQ(d.tab->Normalcolor2, SystemColor(18));
    EXPECT_EQ(d.tab->MaskMap.width, 8);
    ASSERT_TRUE(d.TabSheet);
    EXPECT_EQ(d.TabSheet->r, (TRect{4, 4, 2, 0}));
    EXPECT_EQ(d.TabSheet->frame, 1);
    ASSERT_TRUE(d.SArrow && d.HSlider && d.boxlabel && d.progress && d.Header);
    EXPECT_EQ(d.SArrow->frame, 23);
    EXPECT_EQ(d.HSlider->frame, 2);
    EXPECT_EQ(d.boxlabel->kind, SkinElementKind::BoxLabel);
    EXPECT_EQ(d.boxlabel->LeftShift, 7);
    EXPECT_EQ(d.progress->Tile, 1);
    EXPECT_EQ(d.progress->frame, 1);
    EXPECT_EQ(d.Header->frame, 2);
}

TEST(SkinDescription, ButtonsFramesBordersAndTitle) {
    FakePackage pkg;
    pkg.Bmp("buttons.bmp", 50, 20);
    pkg.Bmp("check.bmp", 156, 13);
    pkg.Bmp("radio.bmp", 104, 13);
    pkg.Bmp("top.bmp", 30, 60, 0x112233);
    const SkinDescription d = Load(
        "[Buttons]\nBitmap=Buttons.bmp\nCheckButton=check.bmp\nRadioButton=radio.bmp\nPressedColour2=1 2 3\n"
        "[Personality]\nTop=x\\top.bmp\nTopTopHeight=7\nTopBotHeight=9\nTopFrame=2\nTopStretch=5\nLeft=Buttons.BMP\n"
        "TextShift=16\nActiveTextR=1\nActiveTextG=2\nActiveTextB=3\nInActiveTextR=1\n"
        "menuBar=top.bmp\nTileMenu=2\n",
        pkg);
    EXPECT_EQ(d.Button.Map.width, 50);
    EXPECT_EQ(d.Button.checkframe, 12);
    EXPECT_EQ(d.Button.radioframe, 8);
    EXPECT_TRUE(d.Button.newdown);
    EXPECT_FALSE(d.Button.newnormal);
    EXPECT_EQ(d.Button.Downcolor2, 0x030201);
    EXPECT_EQ(d.border[2].r, (TRect{7, 0, 9, 0}));
    EXPECT_EQ(d.border[2].Tile, 1);
    EXPECT_EQ(d.border[2].Map.height, 60);
    EXPECT_TRUE(d.border[0].Map.Empty());  // upper-case extension refused
    EXPECT_EQ(d.Title.r.Left, 16);
    EXPECT_EQ(d.Title.activetext, 0x030201);
    EXPECT_EQ(d.Title.inactivetext, clNone);
    ASSERT_TRUE(d.Menubar);
    EXPECT_EQ(d.Menubar->Tile, 1);
    EXPECT_EQ(d.Menubar->r.Left, 1);
    EXPECT_EQ(d.Menubar->frame, 2);
    // The caption colour is read from the Top border's picture.
    EXPECT_EQ(d.Colors[csCaption], 0x112233);
}

TEST(SkinDescription, CaptionButtons) {
    FakePackage pkg;
    pkg.Bmp("wide.bmp", 126, 21);
    pkg.Bmp("narrow.bmp", 63, 21);
    pkg.Bmp("mdi.bmp", 120, 10);
    const SkinDescription d = Load(
        "[Button0]\nButtonImage=wide.bmp\n[BUTTONS]\nImage=wide.bmp\n[BUTTON.RADIO]\nX=1\n"
        "[Button1]\nAction=1\nVisibility=2\nXcoord=40\nYcoord=5\nButtonImage=narrow.bmp\n"
        "[Button2]\nAction=-1\n[Button3]\nAction=-1\nVisibility=0\n"
        "[Button4]\nAction=4\n[Button5]\nAction=3\nButtonImage=narrow.bmp\n"
        "[MDICONTROLS]\nImage=mdi.bmp\n",
        pkg);
    ASSERT_EQ(d.SysBtn.size(), 5u + 3u);
    EXPECT_EQ(d.SysBtn[0].IDName, "BUTTON0");
    EXPECT_EQ(d.SysBtn[0].frame, 6);
    EXPECT_EQ(d.SysBtn[0].CombineOp, -1);
    EXPECT_EQ(d.SysBtn[1].frame, 3);
    EXPECT_EQ(d.SysBtn[2].IDName, "BUTTON3");
    EXPECT_EQ(d.SysBtn[2].Visibility1, -1);
    EXPECT_EQ(d.SysBtn[3].XCoord, 40);
    EXPECT_EQ(d.SysBtn[3].YCoord, 5);
    EXPECT_TRUE(d.SysBtn[4].Map.Empty());  // shows the window icon
    const SkinElement& restore = d.SysBtn[5];
    EXPECT_EQ(restore.Action, 7);
    EXPECT_EQ(restore.Map.width, 40);
    EXPECT_EQ(restore.XCoord, (10 + 4) * 3);
    EXPECT_EQ(d.SysBtn[7].XCoord, 14);
}

TEST(SkinDescription, UnusableImagesLeaveElementsAbsent) {
    FakePackage pkg;
    pkg.entries["broken.bmp"] = {'B', 'M', 1, 2, 3};
    pkg.Bmp("tiny.bmp", 3, 3);
    pkg.Bmp("ok.bmp", 40, 8);
    std::vector<SkinImageUse> uses;
    const SkinDescription d = Load(
        "[StatusBarEdges]\nImage=broken.bmp\n[MenuItem]\nImage=missing.bmp\n[Scrollbar]\nImage=tiny.bmp\n"
        "[HorzScroll]\nImage=ok.BMP\n[VertScroll]\nImage=ok.bmp\n"
        "[Buttons]\nBitmap=tiny.bmp\nCheckButton=tiny.bmp\nCheckButtonFrame=12\n"
        "[Personality]\nTop=tiny.bmp\nTopFrame=9\n[Track]\nImage=missing.bmp\n",
        pkg, &uses);
    EXPECT_FALSE(d.StatusBar);
    EXPECT_FALSE(d.MenuItem);
    EXPECT_FALSE(d.SArrow);
    EXPECT_FALSE(d.HBar);
    ASSERT_TRUE(d.VBar);
    EXPECT_TRUE(d.Button.Map.Empty());
    EXPECT_TRUE(d.Button.CheckMap.Empty());
    EXPECT_TRUE(d.border[2].Map.Empty());
    ASSERT_TRUE(d.TrackBar);  // the built-in channel instead
    EXPECT_EQ(d.TrackBar->Map.width, 16);
    EXPECT_EQ(Problems(uses), 8);
}

TEST(SkinDescription, ComboBoxRebuild) {
    FakePackage pkg;
    pkg.Bmp("sunk.bmp", 4 * 10, 10, 0x00FF00);
    pkg.Bmp("combo.bmp", 4 * 12, 12, 0x0000FF);
    const SkinDescription d = Load(
        "[SunkEdge]\nImage=sunk.bmp\nLeftWidth=3\nRightWidth=3\nTopHeight=3\nBottomHeight=3\n"
        "[ComboButton]\nImage=combo.bmp\n",
        pkg);
    ASSERT_TRUE(d.combox && d.Comboxborder && d.comboxarrow);
    const int bw = 16 + 2;
    EXPECT_EQ(d.combox->style, 2);
    EXPECT_EQ(d.combox->Map.width, 200);
    EXPECT_EQ(d.combox->Map.height, 21);
    EXPECT_EQ(d.combox->r, (TRect{2, 3, bw + 2, 3}));
    EXPECT_EQ(d.Comboxborder->r, (TRect{bw + 2, 3, 2, 3}));
    // Cell 2: border outside, button on the right, transparent edit area.
    EXPECT_EQ(d.combox->Map.Color(50 + 0, 0), 0x00FF00u);
    EXPECT_EQ(d.combox->Map.Color(50 + 49, 10), 0x0000FFu);
    EXPECT_EQ(d.combox->Map.Color(50 + 10, 10), 0xFF00FFu);
    // The mirror for right-to-left layout.
    EXPECT_EQ(d.Comboxborder->Map.Color(50 + 0, 10), 0x0000FFu);
    EXPECT_EQ(d.comboxarrow->Map.width, 4 * 17);
    EXPECT_EQ(d.comboxarrow->frame, 4);
    EXPECT_EQ(d.comboxarrow->Map.Color(8, 8), 0x0000FFu);
}

TEST(SkinDescription, MdiButtonsShowTheirOwnFourCellsOfTheStripInAnyDepth) {
    // Every column of the 12-cell strip has its own colour, so a button that
    // took a neighbour's cells, or shifted columns, reads differently.
    PixelImage wide = MakePixelImage(36, 5, PixelLayout::Bgr24);
    PixelImage indexed = MakePixelImage(36, 5, PixelLayout::Indexed8);
    indexed.palette.resize(36);
    for (int x = 0; x < 36; ++x) {
        indexed.palette[x] = {uint8_t(7 * x), uint8_t(255 - x), uint8_t(x), 0};
        for (int y = 0; y < 5; ++y) {
            wide.SetColor(x, y, RGBColor(x, 10 * y, 200));
            indexed.SetIndex(x, y, unsigned(x));
        }
    }
    for (const PixelImage* strip : {&wide, &indexed}) {
        FakePackage pkg;
        pkg.entries["mdi.bmp"] = EncodeBmpFile(*strip);
        const SkinDescription d = Load("[MDICONTROLS]\nImage=mdi.bmp\n", pkg);
        ASSERT_EQ(d.SysBtn.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            const PixelImage& map = d.SysBtn[i].Map;
            ASSERT_EQ(map.width, 12);
            ASSERT_EQ(map.height, 5);
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 12; ++x) ASSERT_EQ(map.Color(x, y), strip->Color(12 * i + x, y)) << i << ":" << x;
        }
    }
}
