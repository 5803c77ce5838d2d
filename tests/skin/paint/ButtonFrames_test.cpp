#include "skin/paint/core/ButtonFrames.h"

#include <gtest/gtest.h>

using namespace relayon::skin::paint;

namespace {
constexpr int kFaces = 5;
}

TEST(ButtonFrames, PushButtonFacesByPriority) {
    // Disabled wins over everything, including being the default button.
    EXPECT_EQ(PushButtonFace({.isDefault = true, .enabled = false}, kFaces), 3);
    EXPECT_EQ(PushButtonFace({.pressed = true, .mouseIn = true, .focused = true, .enabled = false}, kFaces), 3);
    EXPECT_EQ(PushButtonFace({.isDefault = true}, kFaces), 5);
    EXPECT_EQ(PushButtonFace({.focused = true}, kFaces), 5);
    EXPECT_EQ(PushButtonFace({.mouseIn = true, .focused = true}, kFaces), 4);
    EXPECT_EQ(PushButtonFace({.pressed = true, .mouseIn = true, .isDefault = true}, kFaces), 2);
    EXPECT_EQ(PushButtonFace({}, kFaces), 1);

    EXPECT_EQ(MenuButtonFace(false, false, true, kFaces), 4);
    EXPECT_EQ(MenuButtonFace(true, true, true, kFaces), 2);
    EXPECT_EQ(MenuButtonFace(false, false, false, kFaces), 1);
}

TEST(ButtonFrames, SpeedButtonLatchesDownAndFlatHidesIdleFace) {
    EXPECT_EQ(SpeedButtonFace({.down = true, .enabled = false}, kFaces), 2);
    EXPECT_EQ(SpeedButtonFace({.pressed = true, .mouseIn = true, .enabled = false}, kFaces), 3);
    EXPECT_EQ(SpeedButtonFace({.pressed = true, .mouseIn = true}, kFaces), 2);
    EXPECT_EQ(SpeedButtonFace({.mouseIn = true}, kFaces), 4);
    EXPECT_EQ(SpeedButtonFace({}, kFaces), 1);
    EXPECT_FALSE(SpeedButtonShowsFace(true, SpeedButtonFace({}, kFaces)));
    EXPECT_TRUE(SpeedButtonShowsFace(true, SpeedButtonFace({.mouseIn = true}, kFaces)));
    EXPECT_TRUE(SpeedButtonShowsFace(false, 1));

    EXPECT_EQ(GlyphCell(true, true, false, 4), 3);
    EXPECT_EQ(GlyphCell(false, false, false, 4), 2);
    EXPECT_EQ(GlyphCell(false, true, true, 4), 4);
    // A single glyph serves every state.
    EXPECT_EQ(GlyphCell(true, false, true, 1), 1);
}

TEST(ButtonFrames, CheckBoxValues) {
    EXPECT_EQ(CheckBoxCell({}, 4), 1);
    EXPECT_EQ(CheckBoxCell({.windowChecked = true}, 4), 2);
    EXPECT_EQ(CheckBoxCell({.windowChecked = true, .enabled = false}, 4), 4);
    EXPECT_EQ(CheckBoxCell({.enabled = false}, 4), 3);
    // A component's State wins over the window, and "cbUnchecked" is not checked.
    EXPECT_EQ(CheckBoxCell({.windowChecked = true, .stateProp = L"cbUnchecked"}, 4), 1);
    EXPECT_EQ(CheckBoxCell({.stateProp = L"cbChecked"}, 4), 2);
    EXPECT_EQ(CheckBoxCell({.stateProp = L"cbGrayed"}, 4), 4);
    EXPECT_EQ(CheckBoxCell({.stateProp = L"cbGrayed"}, 12), 8);
    EXPECT_EQ(CheckBoxCell({.checkedProp = L"True"}, 4), 2);
    EXPECT_EQ(CheckBoxCell({.windowChecked = true, .checkedProp = L"false"}, 4), 1);
    // Data-aware boxes show the last value set on the window; a mixed one as grey.
    EXPECT_EQ(CheckBoxCell({.checkedProp = L"false", .hasDataField = true, .recordedCheck = 3}, 4), 4);
    EXPECT_EQ(CheckBoxCell({.checkedProp = L"true", .hasDataField = true, .recordedCheck = 0}, 4), 2);
    EXPECT_EQ(CheckBoxCell({.windowChecked = true, .hasDataBinding = true}, 4), 1);

    // Twelve cells: four per value, mixed last.
    EXPECT_EQ(CheckBoxCell({.windowIndeterminate = true}, 12), 9);
    EXPECT_EQ(CheckBoxCell({.windowIndeterminate = true, .enabled = false}, 12), 12);
    EXPECT_EQ(CheckBoxCell({.windowChecked = true}, 12), 5);
    EXPECT_EQ(CheckBoxCell({.windowChecked = true, .enabled = false}, 12), 8);
    EXPECT_EQ(CheckBoxCell({.enabled = false}, 12), 4);
    EXPECT_EQ(CheckBoxCell({.windowIndeterminate = true}, 4), 4);
}

TEST(ButtonFrames, RadioValues) {
    EXPECT_EQ(RadioButtonCell({}, 4), 1);
    EXPECT_EQ(RadioButtonCell({.checkedProp = L"TRUE"}, 4), 2);
    EXPECT_EQ(RadioButtonCell({.windowChecked = true, .enabled = false}, 4), 4);
    EXPECT_EQ(RadioButtonCell({.windowChecked = true}, 8), 5);
    EXPECT_EQ(RadioButtonCell({.enabled = false}, 8), 4);
    EXPECT_EQ(RadioButtonCell({.windowChecked = true, .enabled = false}, 8), 8);
}

TEST(ButtonFrames, EveryAnswerIsACellOfTheImage) {
    for (int n = 0; n <= 12; ++n)
        for (int bits = 0; bits < 64; ++bits) {
            auto on = [&](int b) { return (bits >> b & 1) != 0; };
            const int lo = n < 1 ? 0 : 1, hi = n;
            auto inside = [&](int cell) { return cell >= lo && cell <= hi; };
            ASSERT_TRUE(inside(PushButtonFace({on(0), on(1), on(2), on(3), on(4)}, n))) << n << " " << bits;
            ASSERT_TRUE(inside(SpeedButtonFace({on(0), on(1), on(2), on(3)}, n)));
            ASSERT_TRUE(inside(MenuButtonFace(on(0), on(1), on(2), n)));
            ASSERT_TRUE(inside(GlyphCell(on(0), on(1), on(2), n)));
            CheckBoxInputs box{.windowChecked = on(0), .windowIndeterminate = on(1), .hasDataField = on(3),
                               .recordedCheck = on(4) ? 3 : 0, .enabled = on(5)};
            if (on(2)) box.stateProp = L"cbGrayed";
            ASSERT_TRUE(inside(CheckBoxCell(box, n))) << n << " " << bits;
            ASSERT_TRUE(inside(RadioButtonCell({on(0), std::nullopt, on(1)}, n)));
        }
}
