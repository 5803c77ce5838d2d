#include "skin/paint/core/BarGeometry.h"

#include <gtest/gtest.h>

#include <climits>

using namespace relayon::skin::paint;

namespace {

bool Inside(const BarRect& r, const BarRect& in) {
    return r.left >= in.left && r.top >= in.top && r.right <= in.right && r.bottom <= in.bottom &&
           r.left <= r.right && r.top <= r.bottom;
}

const int kValues[] = {INT_MIN, -100, -1, 0, 1, 50, 75, 100, 150, INT_MAX};

}  // namespace

TEST(BarGeometry, ProgressFillFollowsPositionAndSurvivesBadRanges) {
    // Half way through 50..100 fills half; the start of the range nothing; the end all.
    EXPECT_EQ(ProgressFilled(200, 75, 50, 100), 100);
    EXPECT_EQ(ProgressFilled(200, 50, 50, 100), 0);
    EXPECT_EQ(ProgressFilled(200, 100, 50, 100), 200);
    // Growing position never shrinks the fill.
    int last = 0;
    for (int p = 0; p <= 100; ++p) {
        int f = ProgressFilled(317, p, 0, 100);
        EXPECT_GE(f, last);
        last = f;
    }
    // Every combination stays inside the bar, without trapping.
    for (int len : kValues)
        for (int pos : kValues)
            for (int mn : kValues)
                for (int mx : kValues) {
                    int f = ProgressFilled(len, pos, mn, mx);
                    EXPECT_GE(f, 0);
                    EXPECT_LE(f, len < 0 ? 0 : len);
                    if (mx <= mn) { EXPECT_EQ(f, 0) << mn << ".." << mx; }
                }
}

TEST(BarGeometry, ChunksCoverTheFilledPartInsideTheBar) {
    ChunkStrip s = ProgressChunks(100, 40, 8, 1);
    EXPECT_EQ(s.x, 3);
    EXPECT_EQ(s.visible.start, 3);
    EXPECT_EQ(s.visible.end, 43);
    EXPECT_GE(s.count * 8, 40);  // the copies reach the end of the fill
    // A full bar stops short of the far edge; nothing filled shows nothing.
    EXPECT_EQ(ProgressChunks(100, 100, 8, 1).visible.end, 98);
    EXPECT_EQ(ProgressChunks(100, 0, 8, 1).visible.Length(), 0);
    for (int len : kValues)
        for (int filled : kValues)
            for (int cw : kValues) {
                ChunkStrip c = ProgressChunks(len, filled, cw, 1);
                EXPECT_GE(c.visible.Length(), 0);
                EXPECT_GE(c.visible.start, 0);
                if (len > 0) { EXPECT_LE(c.visible.end, len); }
                EXPECT_GE(c.count, 0);
            }
}

TEST(BarGeometry, StatusPanelsAndGripStayInTheBar) {
    // A middle panel overlaps its neighbour by two pixels; the last reaches the edge.
    EXPECT_EQ(StatusPanelRect({0, 2, 60, 20}, false, 300, 22), (BarRect{0, 2, 62, 20}));
    EXPECT_EQ(StatusPanelRect({120, 2, 200, 20}, true, 300, 22), (BarRect{120, 2, 300, 20}));
    // An inverted part stays inverted, so it is not drawn.
    BarRect inv = StatusPanelRect({80, 2, 40, 20}, false, 300, 22);
    EXPECT_LT(inv.right, inv.left);
    // The grip ends one pixel inside the bottom-right corner.
    BarRect g = SizeGripRect(300, 22, 12, 12);
    EXPECT_EQ(g.right, 299);
    EXPECT_EQ(g.bottom, 21);
    EXPECT_EQ(g.Width(), 12);
    for (int w : kValues)
        for (int h : kValues)
            for (int gw : kValues) {
                BarRect r = SizeGripRect(w, h, gw, 12);
                if (!r.Empty()) { EXPECT_TRUE(Inside(r, {0, 0, w, h})); }
                BarRect p = StatusPanelRect({w, 0, gw, h}, gw > 0, 300, 22);
                if (p.right >= p.left && p.bottom >= p.top) { EXPECT_TRUE(Inside(p, {0, 0, 300, 22})); }
            }
}

TEST(BarGeometry, UpDownHalvesStatesAndTheEditBorder) {
    SpinHalves v = SplitSpin({0, 0, 17, 30}, false);
    EXPECT_EQ(v.first.bottom, v.second.top);
    EXPECT_EQ(v.first.top, 0);
    EXPECT_EQ(v.second.bottom, 30);
    SpinHalves hz = SplitSpin({0, 0, 30, 17}, true);
    EXPECT_EQ(hz.first.right, hz.second.left);
    EXPECT_EQ(hz.second.right, 30);
    // Only the half under the cursor shows pressed or hot; disabled shows on both.
    EXPECT_EQ(SpinHalfStates(true, true, false, 2).second, 2);
    EXPECT_EQ(SpinHalfStates(true, true, false, 2).first, 1);
    EXPECT_EQ(SpinHalfStates(false, true, false, 1).first, 4);
    EXPECT_EQ(SpinHalfStates(false, false, true, 1).second, 3);
    // A 17 x 21 up-down at (80, 0) of an 100 x 21 edit keeps 3 pixels from its edges.
    BarRect in = SpinInsideHost(17, 21, 80, 0, 100, 21);
    EXPECT_EQ(in, (BarRect{0, 3, 17, 18}));
    BarRect near = SpinInsideHost(17, 21, 83, 0, 100, 21);
    EXPECT_EQ(near.right, 14);
    for (int a : kValues)
        for (int b : kValues) {
            BarRect r = SpinInsideHost(17, 21, a, b, 100, 21);
            EXPECT_TRUE(Inside(r, {0, 0, 17, 21}));
            BarRect c = ClipTo({a, b, 40, 40}, {0, 0, 30, 30});
            EXPECT_TRUE(Inside(c, {0, 0, 30, 30}));
        }
    // A narrow channel image is centred across the channel.
    EXPECT_EQ(ChannelImageStart(10, 20, 4), 18);
    EXPECT_EQ(ChannelImageStart(10, 4, 20), 10);
}
