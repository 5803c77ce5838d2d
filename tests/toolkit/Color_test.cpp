// The one colour rule: plain colours, system colours through a resolver,
// and the colours that name no colour.
#include <gtest/gtest.h>

#include <vector>

#include "toolkit/core/Color.h"
#include "toolkit/core/Rtti.h"

TEST(Color, SystemColoursAreResolvedByTheirIndex) {
    std::vector<int> asked;
    const SystemColorResolver resolver = [&asked](int index) {
        asked.push_back(index);
        // A resolver may answer with junk in the top byte; only RGB counts.
        return static_cast<TColor>(0x7F000000 | (index * 0x010101));
    };
    EXPECT_EQ(ColorToRGB(clBtnFace, resolver), RGBColor(15, 15, 15));
    EXPECT_EQ(ColorToRGB(SystemColor(200), resolver), RGBColor(200, 200, 200));
    EXPECT_EQ(asked, (std::vector<int>{15, 200}));

    // Plain colours keep red, green and blue and never reach the resolver.
    EXPECT_EQ(ColorToRGB(RGBColor(1, 2, 3), resolver), RGBColor(1, 2, 3));
    EXPECT_EQ(ColorToRGB(0x0A123456, resolver), 0x123456);
    EXPECT_EQ(ColorToRGB(clNone, resolver), clBlack);
    EXPECT_EQ(ColorToRGB(clDefault, resolver), clBlack);
    EXPECT_EQ(asked.size(), 2u);
}

TEST(Color, WithoutAResolverTheClassicSchemeApplies) {
    EXPECT_EQ(ColorToRGB(clWindow, {}), clWhite);
    EXPECT_EQ(ColorToRGB(clWindowText, {}), clBlack);
    // Not a colour of the scheme: black rather than anything read past its end.
    EXPECT_EQ(ClassicSystemColor(250), clBlack);
    EXPECT_EQ(ClassicSystemColor(-1), clBlack);
}

TEST(Color, ComponentsAndSystemMarks) {
    const TColor orange = RGBColor(255, 128, 0);
    EXPECT_EQ(orange, 0x0080FF);
    EXPECT_EQ(GetRValue8(orange), 255);
    EXPECT_EQ(GetGValue8(orange), 128);
    EXPECT_EQ(GetBValue8(orange), 0);
    EXPECT_TRUE(IsSystemColor(clBtnFace));
    EXPECT_EQ(SystemColorIndex(clBtnFace), 15);
    EXPECT_EQ(static_cast<uint32_t>(clBtnFace), 0xFF00000Fu);
    EXPECT_FALSE(IsSystemColor(clWhite));
    EXPECT_FALSE(IsSystemColor(clNone));
    // Form resources name colours; the name gives the same system colour.
    EXPECT_EQ(rtti::ToColor(L"Color", FormValue::Ident(L"clbtnface")), clBtnFace);
    EXPECT_EQ(rtti::ToColor(L"Color", FormValue::Integer(-16777201)), clBtnFace);
    EXPECT_THROW(rtti::ToColor(L"Color", FormValue::Ident(L"clPlaid")), EPropertyConvertError);
}
