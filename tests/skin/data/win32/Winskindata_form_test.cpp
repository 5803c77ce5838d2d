// The console's SkinData1 as the form resource carries it: the light skin
// embedded by the build, read back with every element the skin has.
#include "skin/data/win32/Winskindata.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "toolkit/FormReader.h"

using namespace relayon::skin;

TEST(WinskindataForm, ConsoleSkinData1LoadsTheLightSkin) {
    std::ifstream in(RELAYON_FORM_TEXT, std::ios::binary);
    ASSERT_TRUE(in) << RELAYON_FORM_TEXT;
    const std::string form(std::istreambuf_iterator<char>(in), {});
    const size_t start = form.find("  object SkinData1: TSkinData");
    ASSERT_NE(start, std::string::npos);
    const size_t end = form.find("\n  end\n", start);
    ASSERT_NE(end, std::string::npos);
    RegisterSkinDataClasses();
    TComponent root(nullptr);
    ReadFormText(root, "object Root: TComponent\n" + form.substr(start, end + 7 - start) + "end\n");
    auto* d = dynamic_cast<TSkinData*>(root.FindComponent(L"SkinData1"));
    ASSERT_NE(d, nullptr);
    ASSERT_FALSE(d->Empty) << "the form carries no skin: build the native tree's relayon_skins first";
    EXPECT_TRUE(d->Active());
    EXPECT_EQ(d->SkinName, L"Relayon Light");
    EXPECT_EQ(d->SkinFormtype(), sfMainform);
    EXPECT_EQ(d->Skin3rd().Count(), 118);
    // Stored without xcMainMenu: loading drops xcSystemMenu.
    EXPECT_FALSE(d->SkinControls().Contains(xcSystemMenu));
    EXPECT_FALSE(d->SkinControls().Contains(xcSpeedButton));
    EXPECT_TRUE(d->Options().Contains(xoToolbarButton));
    for (auto& [name, object] : d->SkinObjects()) {
        if (std::string(name) == "MinCaption") {
            EXPECT_FALSE(*object);
            continue;
        }
        ASSERT_TRUE(*object) << name;
        EXPECT_FALSE((*object)->Map->Empty()) << name;
    }
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(d->border[i]->Map->Empty()) << i;
    EXPECT_FALSE(d->Button->Map->Empty());
    EXPECT_FALSE(d->Button->CheckMap->Empty());
    EXPECT_FALSE(d->Button->RadioMap->Empty());
    EXPECT_EQ(d->Button->checkframe, 12);
    EXPECT_EQ(d->SysBtn.size(), 5u + 3u);
    EXPECT_FALSE(d->SysBtn[5]->Map->Empty());  // MDI child buttons from MDICONTROLS
    EXPECT_TRUE(d->hasColors[csButtonFace]);
}
