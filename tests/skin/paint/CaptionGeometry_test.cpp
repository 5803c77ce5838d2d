#include "skin/paint/core/CaptionGeometry.h"

#include <gtest/gtest.h>

using namespace relayon::skin::paint;

namespace {
CaptionWindowState Sizeable() {
    CaptionWindowState s;
    s.hasMin = s.hasMax = s.hasSystem = true;
    return s;
}
}  // namespace

TEST(CaptionGeometry, VisibilityCodesFollowTheWindow) {
    CaptionWindowState s = Sizeable();
    // A maximise button (not maximised, has a box) and its restore twin swap on maximising.
    EXPECT_TRUE(ButtonVisible(2, 6, s));
    EXPECT_FALSE(ButtonVisible(1, 6, s));
    s.maximized = true;
    EXPECT_FALSE(ButtonVisible(2, 6, s));
    EXPECT_TRUE(ButtonVisible(1, 6, s));
    // Without minimise and maximise boxes neither shows; a help button takes their place.
    CaptionWindowState tool;
    tool.hasSystem = tool.hasHelp = true;
    EXPECT_FALSE(ButtonVisible(6, 0, tool));
    EXPECT_TRUE(ButtonVisible(10, 10, tool));
    EXPECT_FALSE(ButtonVisible(10, 0, s));
    // Dialog-only buttons skip message boxes.
    CaptionWindowState dlg;
    dlg.dialogBorder = true;
    EXPECT_TRUE(ButtonVisible(200, 0, dlg));
    dlg.messageBox = true;
    EXPECT_FALSE(ButtonVisible(200, 0, dlg));
    // Codes that ask the window follow its answer; -1 and unknown codes never show.
    EXPECT_TRUE(ButtonVisible(1500, 0, s, 1));
    EXPECT_FALSE(ButtonVisible(1500, 0, s, 0));
    EXPECT_TRUE(ButtonVisible(0, 1500, s, 0));
    EXPECT_FALSE(ButtonVisible(-1, 0, s));
    EXPECT_FALSE(ButtonVisible(2001, 0, s));
    s.active = false;
    EXPECT_FALSE(ButtonVisible(3, 0, s));
    // Action rules: close needs a system menu, the icon never sits on a dialog border.
    EXPECT_FALSE(ApplyActionRules(0, true, true, CaptionWindowState{}).visible);
    EXPECT_FALSE(ApplyActionRules(11, true, true, dlg).visible);
    EXPECT_FALSE(ApplyActionRules(2, true, true, tool).enabled);
}

TEST(CaptionGeometry, ButtonsSitByAlignAndStayInTheBar) {
    CaptionLayout l;
    l.windowWidth = 400;
    l.text = Box{30, 8, 180, 22};
    l.bw = FrameThickness{4, 30, 4, 4};
    l.menuHeight = 20;
    l.menuBarLeftMargin = 2;
    Box fromRight = PlaceButton(1, 28, 6, 21, 18, l);
    EXPECT_EQ(fromRight.Width(), 21);
    EXPECT_LE(fromRight.right, l.windowWidth);
    Box beforeText = PlaceButton(2, 3, 6, 16, 16, l);
    EXPECT_EQ(beforeText.right + 3, l.text.left);
    Box afterText = PlaceButton(9, 3, 6, 16, 16, l);
    EXPECT_EQ(afterText.left - 3, l.text.right);
    // Menu-bar buttons are centred in the menu bar, inside the right border.
    Box inMenu = PlaceButton(100, 20, 0, 16, 14, l);
    EXPECT_EQ(inMenu.top - l.bw.top, l.bw.top + l.menuHeight - inMenu.bottom);
    EXPECT_LT(inMenu.right, l.windowWidth - l.bw.right);
    EXPECT_EQ(PlaceButton(7, 50, 50, 10, 10, l), (Box{0, 0, 10, 10}));
}

TEST(CaptionGeometry, StateCellsNeverLeaveTheImage) {
    EXPECT_EQ(PaintCell(4, false, true), 4);
    EXPECT_EQ(PaintCell(3, false, false), 1);
    EXPECT_EQ(StateCell(2, 3, false, 0), 1);
    EXPECT_EQ(StateCell(3, 4, true, 100), 4);
    for (int frames = 1; frames <= 5; ++frames)
        for (int state = 0; state <= 5; ++state) {
            int cell = StateCell(state, frames, state % 2 == 0, state == 3 ? 100 : 0);
            EXPECT_GE(cell, 1);
            EXPECT_LE(cell, frames);
        }
}

TEST(CaptionGeometry, CaptionTextFollowsAlignmentAndClipsBeforeButtons) {
    CaptionTextInput in;
    in.barWidth = 300;
    in.barHeight = 30;
    in.textWidth = 100;
    in.textHeight = 14;
    in.marginLeft = 28;
    in.marginRight = 90;
    Box left = PlaceCaptionText(in);
    EXPECT_EQ(left.left, 28);
    EXPECT_EQ(left.Width(), 100);
    EXPECT_EQ(left.top - 0, 30 - left.bottom);  // centred vertically
    in.alignment = 1;
    Box centre = PlaceCaptionText(in);
    EXPECT_EQ(centre.left, 300 - centre.right);
    // A long text ends before the right margin, never inverted.
    in.alignment = 0;
    in.textWidth = 400;
    Box clipped = PlaceCaptionText(in);
    EXPECT_EQ(clipped.right, 300 - 90);
    in.barWidth = 20;
    Box tiny = PlaceCaptionText(in);
    EXPECT_GE(tiny.right, tiny.left);
    // Right-to-left: the text goes right, before the buttons, 10 pixels in.
    in.barWidth = 300;
    in.textWidth = 100;
    in.rightToLeft = true;
    in.rightButtons = 80;
    Box rtl = PlaceCaptionText(in);
    EXPECT_EQ(rtl.right, 300 - 80 + 10);
    // A dialog without an icon starts its text further left.
    in.rightToLeft = false;
    in.dialogBorder = true;
    EXPECT_EQ(PlaceCaptionText(in).left, left.left - 16);
}

TEST(CaptionGeometry, HitsHintsAndTiming) {
    std::vector<ButtonHit> b = {
        {Box{10, 5, 30, 25}, false, 0},  // hidden
        {Box{10, 5, 30, 25}, true, -1},  // no action
        {Box{10, 5, 30, 25}, true, 1},
        {Box{10, 5, 30, 25}, true, 2},
    };
    EXPECT_EQ(FindButton(b, 10, 5), 2);
    EXPECT_EQ(FindButton(b, 29, 24), 2);
    EXPECT_EQ(FindButton(b, 30, 10), -1);
    EXPECT_EQ(FindButton(b, 9, 10), -1);
    EXPECT_STREQ(ButtonHint(61), L"Restore");
    EXPECT_STREQ(ButtonHint(3), L"");
    EXPECT_EQ(HintPhaseAt(499, 250, 2500), HintPhase::Waiting);
    EXPECT_EQ(HintPhaseAt(500, 250, 2500), HintPhase::Showing);
    EXPECT_EQ(HintPhaseAt(3000, 250, 2500), HintPhase::Over);
}

TEST(CaptionGeometry, RegionPlanCoversTheWindowOrIsLeftOff) {
    FrameThickness bw{4, 30, 4, 4};
    int sidesOnly[4] = {1, 1, 0, 0};
    RegionPlan p = PlanRegion(200, 100, bw, sidesOnly);
    ASSERT_TRUE(p.usable);
    EXPECT_FALSE(p.plainWindow);
    EXPECT_TRUE(p.parts[0].fromImage);
    EXPECT_TRUE(p.parts[1].fromImage);
    EXPECT_FALSE(p.parts[2].fromImage);
    EXPECT_FALSE(p.parts[3].fromImage);
    // The parts and the client tile the window exactly.
    long area = p.client.Width() * p.client.Height();
    for (const RegionPart& part : p.parts) area += part.at.Width() * part.at.Height();
    EXPECT_EQ(area, 200L * 100L);
    int none[4] = {0, 0, 0, 0};
    EXPECT_TRUE(PlanRegion(200, 100, bw, none).plainWindow);
    // Nothing to cut, or a frame thicker than the window: no region at all.
    EXPECT_FALSE(PlanRegion(0, 100, bw, sidesOnly).usable);
    EXPECT_FALSE(PlanRegion(200, 34, bw, sidesOnly).usable);
    EXPECT_FALSE(PlanRegion(8, 100, bw, sidesOnly).usable);
    int all[4] = {1, 1, 1, 1};
    RegionPlan thin = PlanRegion(200, 100, FrameThickness{4, 1, 4, 1}, all);
    EXPECT_FALSE(thin.parts[2].fromImage);
    EXPECT_FALSE(thin.parts[3].fromImage);
}

TEST(CaptionGeometry, FrameHitsFollowTheSkinnedFrameNotTheSystems) {
    FrameThickness bw{6, 30, 6, 6};
    const int w = 300, h = 200, menu = 20;
    // The client area's own answers stand.
    EXPECT_EQ(FrameHit(1, 150, 100, w, h, bw, menu, true), 1);
    EXPECT_EQ(FrameHit(7, 290, 100, w, h, bw, menu, true), 7);
    // A sizeable window sizes on the whole skinned border, wider than the system's.
    EXPECT_EQ(FrameHit(0, 5, 100, w, h, bw, menu, true), 10);
    EXPECT_EQ(FrameHit(0, 294, 100, w, h, bw, menu, true), 11);
    EXPECT_EQ(FrameHit(0, 1, 198, w, h, bw, menu, true), 16);
    EXPECT_EQ(FrameHit(2, 298, 2, w, h, bw, menu, true), 14);
    // The system's own caption buttons do not exist on a skinned caption.
    for (int sys : {3, 8, 9, 20, 21}) EXPECT_EQ(FrameHit(sys, 280, 10, w, h, bw, menu, true), 2);
    EXPECT_EQ(FrameHit(0, 150, 40, w, h, bw, menu, true), 5);
    EXPECT_EQ(FrameHit(5, 150, 20, w, h, bw, menu, true), 2);
    // A fixed frame answers border on its edges and is never sized.
    EXPECT_EQ(FrameHit(0, 5, 100, w, h, bw, menu, false), 18);
    EXPECT_EQ(FrameHit(12, 150, 1, w, h, bw, 0, false), 2);
}
