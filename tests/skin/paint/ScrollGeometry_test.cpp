#include "skin/paint/core/ScrollGeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <vector>

using namespace relayon::skin::paint;

namespace {

bool Inside(const BarRect& r, const BarRect& in) {
    return r.left >= in.left && r.top >= in.top && r.right <= in.right && r.bottom <= in.bottom &&
           r.left <= r.right && r.top <= r.bottom;
}

bool InTrack(BarSpan t, int len, int cw) {
    BarSpan track = TrackSpan(len, cw);
    return t.start >= track.start && t.end <= track.end && t.start <= t.end;
}

const int kLens[] = {INT_MIN, -5, 0, 1, 7, 16, 33, 34, 35, 120, 2000, INT_MAX};
const ScrollRange kRanges[] = {{0, 100, 10, 0},   {0, 100, 0, 0},    {5, 5, 0, 0},     {10, 0, 3, 0},
                               {0, 100, -4, 0},   {0, 10, 500, 0},   {0, 1000000, 1, 0}, {INT_MIN, INT_MAX, 2, 0},
                               {-50, 50, 25, 0}, {0, 3, 1, 0}};

}  // namespace

TEST(ScrollGeometry, ControlThumbStaysInTrackAndAdvancesWithPosition) {
    for (int len : kLens)
        for (int cw : {0, 17, INT_MAX})
            for (ScrollRange r : kRanges) {
                int lastStart = INT_MIN;
                std::vector<long long> positions{INT_MIN, r.min - 1LL, r.min, r.min + 1LL, (r.min + (long long)r.max) / 2,
                                                 (long long)r.max - r.page + 1, r.max, r.max + 1LL, INT_MAX};
                std::sort(positions.begin(), positions.end());
                for (long long pos : positions) {
                    r.pos = static_cast<int>(std::clamp<long long>(pos, INT_MIN, INT_MAX));
                    BarSpan t = ControlThumb(r, len, cw);
                    ASSERT_TRUE(InTrack(t, len, cw)) << len << " " << cw << " " << r.min << ".." << r.max << " p" << r.page << " @" << r.pos;
                    ASSERT_GE(t.start, lastStart) << "thumb moved back at " << r.pos;
                    lastStart = t.start;
                }
            }
    // What the user sees on a 200-pixel bar with 17-pixel arrows.
    BarSpan noPage = ControlThumb({0, 100, 0, 100}, 200, 17);
    EXPECT_EQ(noPage.Length(), 17);
    EXPECT_EQ(noPage.end, 200 - 17);  // at max the thumb touches the second arrow
    EXPECT_EQ(ControlThumb({0, 1000000, 1, 0}, 200, 17).Length(), 8);  // too small to grab otherwise
    BarSpan half = ControlThumb({0, 100, 51, 50}, 200, 17);
    EXPECT_NEAR(half.Length(), (200 - 34) / 2, 1);
    EXPECT_EQ(half.end, 200 - 17);  // the last page
    // An empty or inverted range keeps the thumb at the start; a page wider
    // than the range fills the track.
    EXPECT_EQ(ControlThumb({5, 5, 0, 5}, 200, 17).start, 17);
    EXPECT_EQ(ControlThumb({10, 0, 3, 7}, 200, 17).start, 17);
    EXPECT_EQ(ControlThumb({0, 10, 500, 3}, 200, 17), (BarSpan{17, 183}));
}

TEST(ScrollGeometry, DraggedThumbStaysBetweenArrowsAndItsPositionNeverFallsBack) {
    for (ScrollRange r : kRanges)
        for (int len : kLens)
            for (BarSpan thumb : {BarSpan{17, 40}, BarSpan{17, 17}, BarSpan{0, 5000}, BarSpan{60, 20}}) {
                int last = INT_MIN;
                for (int travel : {INT_MIN, -20, 0, 1, 5, 40, 100, 1000, INT_MAX}) {
                    ASSERT_TRUE(InTrack(FollowCursor(thumb, travel, len, 17), len, 17)) << len << " " << travel;
                    int pos = DraggedPosition(r, len, 17, thumb, travel);
                    ASSERT_GE(pos, std::max(r.min, last)) << len << " " << travel << " " << r.min << ".." << r.max;
                    last = pos;
                }
            }
    const BarSpan pressed{40, 70};
    EXPECT_EQ(FollowCursor(pressed, 25, 200, 17), (BarSpan{65, 95}));
    EXPECT_EQ(FollowCursor(pressed, -1000, 200, 17), (BarSpan{17, 47}));
    EXPECT_EQ(FollowCursor(pressed, INT_MAX, 200, 17), (BarSpan{153, 183}));
    EXPECT_TRUE(OnThumb(40, pressed) && OnThumb(70, pressed) && !OnThumb(39, pressed) && !OnThumb(71, pressed));
    // A 200-pixel list bar: dragging to the top gives min, past the end the
    // last page (page 10) or max (no page).
    const BarSpan thumb{17, 37};
    EXPECT_EQ(DraggedPosition({0, 100, 10, 0}, 200, 17, thumb, -50), 0);
    EXPECT_EQ(DraggedPosition({0, 100, 10, 0}, 200, 17, thumb, 1000), 91);
    EXPECT_EQ(DraggedPosition({0, 100, 0, 0}, 200, 17, thumb, 1000), 100);
    EXPECT_NEAR(DraggedPosition({0, 100, 10, 0}, 200, 17, thumb, (200 - 34 - 20) / 2), 45, 1);
}

TEST(ScrollGeometry, PartsLieInTheBarAndHitTestAgreesWithThem) {
    for (bool vertical : {false, true})
        for (bool stretched : {false, true})
            for (int len : {0, 1, 9, 33, 34, 35, 150})
                for (int thick : {0, 3, 17, 40})
                    for (int image : {0, 15, 17, 19, 20, 60})
                        for (BarSpan thumb : {BarSpan{17, 60}, BarSpan{0, 150}, BarSpan{40, 41}, BarSpan{30, 20}}) {
                            BarLayout l = LayoutBar(len, thick, vertical, stretched, 17, image, thumb);
                            for (const BarRect* r : {&l.firstArrow, &l.secondArrow, &l.track, &l.thumb, &l.grip})
                                ASSERT_TRUE(Inside(*r, l.picture)) << len << "x" << thick << " img " << image;
                            if (l.thumbShown) {
                                ASSERT_TRUE(Inside(l.thumb, l.track));
                            }
                            const int thumbStart = vertical ? l.thumb.top : l.thumb.left;
                            for (int p = -1; p <= len; ++p) {
                                auto covers = [&](const BarRect& r) {
                                    return vertical ? p >= r.top && p < r.bottom : p >= r.left && p < r.right;
                                };
                                int part = PartAt(l, vertical ? BarPoint{0, p} : BarPoint{p, 0});
                                int want = kPartNone;
                                if (thick == 0 || p < 0 || p >= len) want = kPartNone;
                                else if (covers(l.firstArrow)) want = kPartFirstArrow;
                                else if (covers(l.secondArrow)) want = kPartSecondArrow;
                                else if (!covers(l.track)) want = kPartNone;
                                else if (l.thumbShown && covers(l.thumb)) want = kPartThumb;
                                else if (l.thumbShown) want = p < thumbStart ? kPartTrackBefore : kPartTrackAfter;
                                else if (part == kPartTrackBefore || part == kPartTrackAfter) want = part;
                                ASSERT_EQ(part, want) << len << "x" << thick << " at " << p << " thumb "
                                                      << thumb.start << ".." << thumb.end;
                            }
                        }
    // A bar shorter than two arrows: each arrow takes half, no track.
    BarLayout shortBar = LayoutBar(30, 17, false, false, 17, 17, {17, 20});
    EXPECT_EQ(shortBar.firstArrow.Width(), 15);
    EXPECT_EQ(shortBar.secondArrow, (BarRect{15, 0, 30, 17}));
    EXPECT_TRUE(shortBar.track.Empty() && !shortBar.thumbShown);
    // The arrow image sets the thickness when within 2 pixels of the arrows.
    EXPECT_EQ(LayoutBar(100, 30, false, false, 17, 19, {}).firstArrow.Height(), 19);
    EXPECT_EQ(LayoutBar(100, 30, false, false, 17, 20, {}).firstArrow.Height(), 17);
    EXPECT_EQ(LayoutBar(100, 18, true, false, 17, 19, {}).firstArrow.Width(), 18);  // cut off at the bar
    EXPECT_EQ(LayoutBar(100, 60, true, true, 17, 19, {}).picture, (BarRect{0, 0, 19, 100}));
    // The grip shows on a thumb no shorter than the grip less 1, centred.
    BarLayout gripped = LayoutBar(200, 17, false, false, 17, 17, {50, 90});
    EXPECT_TRUE(gripped.gripShown && gripped.grip.Width() == 17);
    EXPECT_LE(std::abs((gripped.grip.left - 50) - (90 - gripped.grip.right)), 1);
    EXPECT_FALSE(LayoutBar(200, 17, false, false, 17, 17, {50, 65}).gripShown);
    EXPECT_EQ(PartAt(gripped, {70, 30}), kPartNone);  // below the bar
}

TEST(ScrollGeometry, OverlayCoversTheBarInsideTheControl) {
    // A vertical bar at screen x 300..317, y 100..250 of a window at
    // (100, 80)-(320, 260) whose client starts at (102, 82); parent client at (50, 40).
    OverlayPlacement p =
        PlaceWindowBarOverlay({300, 100, 317, 250}, {100, 80, 320, 260}, {102, 82}, {50, 40}, true, true, false);
    ASSERT_TRUE(p.visible);
    EXPECT_EQ(p.inClient, (BarRect{198, 18, 215, 168}));
    EXPECT_EQ(p.inParent, (BarRect{250, 60, 267, 210}));
    EXPECT_EQ(p.screenOrigin, (BarPoint{300, 100}));
    EXPECT_EQ(p.len, 150);
    // A bar reaching past the window (or inverted) is cut to it.
    p = PlaceWindowBarOverlay({330, 270, 300, 100}, {100, 80, 320, 260}, {102, 82}, {50, 40}, false, true, false);
    EXPECT_EQ(p.inParent, (BarRect{250, 60, 270, 220}));
    const BarRect bar{0, 0, 10, 10};
    EXPECT_FALSE(PlaceWindowBarOverlay(bar, bar, {}, {}, true, false, false).visible ||
                 PlaceWindowBarOverlay(bar, bar, {}, {}, true, true, true).visible ||
                 PlaceWindowBarOverlay(bar, {20, 20, 20, 20}, {}, {}, true, true, false).visible);
    // Huge coordinates: the overlay keeps a measurable, non-inverted size.
    p = PlaceWindowBarOverlay({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {INT_MIN, 0, INT_MAX, 10}, {INT_MAX, 0},
                              {INT_MIN, 0}, false, true, false);
    EXPECT_TRUE(p.visible && p.len > 0 && p.inClient.Width() >= 0 && p.inParent.Width() >= 0);

    OverlayPlacement c = PlaceControlOverlay({10, 20, 210, 37}, false, true);
    EXPECT_TRUE(c.inParent == (BarRect{10, 20, 210, 37}) && c.inClient == (BarRect{0, 0, 200, 17}) && c.len == 200);
    EXPECT_FALSE(PlaceControlOverlay({10, 20, 10, 40}, true, true).visible);
    EXPECT_GT(PlaceControlOverlay({INT_MIN, 0, INT_MAX, 5}, false, true).len, 0);

    // The square between the bars, shifted by the sunken edge, never inverted.
    EXPECT_EQ(CornerSquare({0, 150, 180, 167}, {180, 0, 197, 150}, 2, 2), (BarRect{182, 152, 199, 169}));
    EXPECT_FALSE(CornerSquare({0, 150, 180, 140}, {180, 0, 170, 150}, 0, 2).Width() < 0);
}
