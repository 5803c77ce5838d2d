#include "skin/paint/core/FrameGeometry.h"

#include <gtest/gtest.h>

using namespace relayon::skin::paint;

namespace {
const FrameThickness kFrame{4, 30, 5, 6};
}

TEST(FrameGeometry, ClientAreaSitsInsideFrameAndBelowMenuBar) {
    Box c = SkinnedClientRect(100, 50, 400, 300, kFrame, 19);
    // What must hold: inside the window, the frame's thickness on every side.
    EXPECT_EQ(c.left - 100, 4);
    EXPECT_EQ(c.top - 50, 30 + 19);
    EXPECT_EQ(100 + 400 - c.right, 5);
    EXPECT_EQ(50 + 300 - c.bottom, 6);
    // The window size for that client area gives back the same window.
    EXPECT_EQ(SkinnedWindowSize(c.Width(), c.Height(), kFrame, 19), (Size2{400, 300}));
    // A window smaller than its frame gets an empty, never inverted, client area.
    Box tiny = SkinnedClientRect(0, 0, 6, 10, kFrame, 19);
    EXPECT_EQ(tiny.Width(), 0);
    EXPECT_EQ(tiny.Height(), 0);
    // Hostile sizes stay inside int.
    Box huge = SkinnedClientRect(0x7FFFFFF0, 0x7FFFFFF0, 0x7FFFFFFF, 0x7FFFFFFF, kFrame, 0x7FFFFFFF);
    EXPECT_GE(huge.right, huge.left);
    EXPECT_GE(huge.bottom, huge.top);
}

TEST(FrameGeometry, HitTestKeepsSystemAnswersAndSplitsCaptionFromMenuBar) {
    EXPECT_EQ(ClassifyFrameHit(17 /* bottom-right grip */, 200, kFrame, 19), 17);
    EXPECT_EQ(ClassifyFrameHit(1 /* client */, 40, kFrame, 19), 1);
    EXPECT_EQ(ClassifyFrameHit(kHitNowhere, 10, kFrame, 19), kHitCaption);
    EXPECT_EQ(ClassifyFrameHit(kHitNowhere, 35, kFrame, 19), kHitMenu);
    EXPECT_EQ(ClassifyFrameHit(kHitCaption, 35, kFrame, 0), kHitCaption);  // no menu bar
    // The top three pixels are the sizing edge the system answered for.
    EXPECT_EQ(ClassifyFrameHit(kHitNowhere, 2, kFrame, 19), kHitNowhere);
}

TEST(FrameGeometry, DialogGrowsToItsCaptionAndUnskinningRestoresSystemFrame) {
    CaptionFit fits = FitCaption(300, 20, 200, 60);
    EXPECT_EQ(fits.width, 300);
    EXPECT_EQ(fits.childShift, 0);
    CaptionFit grown = FitCaption(300, 20, 250, 61);
    EXPECT_EQ(grown.width, 331);
    EXPECT_EQ(grown.childShift, 15);  // half of 31, toward zero

    // Take over (system frame 16 x 39) then give back: the client size survives.
    Size2 systemFrame{16, 39};
    int clientW = 500, clientH = 400;
    Size2 skinned = SkinnedWindowSize(clientW, clientH, kFrame, 0);
    Size2 back = UnskinnedWindowSize(skinned.cx, skinned.cy, systemFrame, kFrame);
    EXPECT_EQ(back, (Size2{clientW + 16, clientH + 39}));
}
