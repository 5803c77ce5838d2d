#include "skin/paint/core/TabGeometry.h"

#include <gtest/gtest.h>

using namespace relayon::skin::paint;

namespace {
using P = TSkinTabPosition;
constexpr P kAll[] = {P::StTop, P::Stbottom, P::Stleft, P::Stright};

bool Within(const Box& b, const Box& outer) {
    return b.left >= outer.left && b.top >= outer.top && b.right <= outer.right && b.bottom <= outer.bottom &&
           b.right >= b.left && b.bottom >= b.top;
}

// Control 300 x 200 with its display area 26 pixels in from the tab side.
Box DisplayFor(P p) {
    switch (p) {
        case P::StTop: return {4, 26, 296, 196};
        case P::Stbottom: return {4, 4, 296, 174};
        case P::Stleft: return {26, 4, 296, 196};
        case P::Stright: return {4, 4, 274, 196};
    }
    return {};
}
const Box kControl{0, 0, 300, 200};
}  // namespace

TEST(TabGeometry, StyleChoosesSideAndHowImagesTurn) {
    EXPECT_EQ(TabPositionFromStyle(0), P::StTop);
    EXPECT_EQ(TabPositionFromStyle(kTcsBottom), P::Stbottom);
    EXPECT_EQ(TabPositionFromStyle(kTcsVertical), P::Stleft);
    EXPECT_EQ(TabPositionFromStyle(kTcsBottom | kTcsVertical | 0x10000000), P::Stright);
    EXPECT_TRUE(TabOrientationFor(P::Stbottom).mirrored);
    EXPECT_EQ(TabOrientationFor(P::Stright).rotation, 90);
    EXPECT_EQ(TabOrientationFor(P::Stleft).rotation, 270);
    EXPECT_EQ(TabOrientationFor(P::StTop).rotation + TabOrientationFor(P::StTop).mirrored, 0);
}

TEST(TabGeometry, PageAndStripShareTheControlOnTheTabSide) {
    for (P p : kAll) {
        SCOPED_TRACE(int(p));
        Box page = TabPageRect(kControl, DisplayFor(p), p);
        Box strip = TabStripRect(kControl, page, p);
        ASSERT_TRUE(Within(page, kControl));
        ASSERT_TRUE(Within(strip, kControl));
        // The display area starts 26 pixels in; the page grows 4 toward the
        // tabs and gives one back, leaving a 23-pixel strip, drawn lying
        // down: the strip's length is the bitmap's width.
        Size2 bmp = TabStripBitmapSize(strip, p);
        EXPECT_EQ(bmp.cy, 23);
        EXPECT_EQ(bmp.cx, (p == P::Stleft || p == P::Stright) ? 200 : 300);
        EXPECT_EQ(strip.Width() * strip.Height() + page.Width() * page.Height(), 300 * 200);
    }
    // Degenerate controls and display areas never give inverted or outside boxes.
    const Box odd[] = {{0, 0, 0, 0}, {10, 10, 5, 5}, {-0x7FFFFFFF, 3, 0x7FFFFFFF, 4}};
    for (P p : kAll)
        for (const Box& rc : odd)
            for (const Box& d : odd) {
                Box page = TabPageRect(rc, d, p), strip = TabStripRect(rc, page, p);
                Box area{rc.left, rc.top, std::max(rc.left, rc.right), std::max(rc.top, rc.bottom)};
                EXPECT_TRUE(Within(page, area));
                EXPECT_TRUE(Within(strip, area));
                EXPECT_TRUE(Within(ButtonTabStripRect(rc, d), area));
            }
}

TEST(TabGeometry, TabDrawnInStripComesBackWhereItWasOnceTheStripIsTurned) {
    for (P p : kAll) {
        SCOPED_TRACE(int(p));
        Box page = TabPageRect(kControl, DisplayFor(p), p);
        Box strip = TabStripRect(kControl, page, p);
        Size2 bmp = TabStripBitmapSize(strip, p);
        bool side = p == P::Stleft || p == P::Stright;
        // The second tab of the strip, as the control reports it.
        Box item = side ? Box{strip.left + 2, 70, strip.right - 2, 130} : Box{70, strip.top + 2, 130, strip.bottom - 2};
        Box in = TabRectInStrip(item, p, kControl, page, bmp);
        ASSERT_TRUE(Within(in, {0, 0, bmp.cx, bmp.cy}));
        EXPECT_EQ(in.Width(), 60);
        // Turn the bitmap's centre pixel of the tab as the finished strip is
        // turned and place it at the strip: it lands on the tab (within the
        // one-pixel nudge toward or away from the page).
        int bx = (in.left + in.right) / 2, by = (in.top + in.bottom) / 2, wx = bx, wy = by;
        if (p == P::Stright) wx = bmp.cy - 1 - by, wy = bx;
        if (p == P::Stleft) wx = by, wy = bmp.cx - 1 - bx;
        wx += strip.left, wy += strip.top;
        EXPECT_NEAR(wx, (item.left + item.right) / 2, 1);
        EXPECT_NEAR(wy, (item.top + item.bottom) / 2, 1);
        // A tab scrolled half out is cut to the bitmap, one far away vanishes.
        Box far = side ? Box{item.left, 5000, item.right, 5060} : Box{5000, item.top, 5060, item.bottom};
        EXPECT_EQ(TabRectInStrip(far, p, kControl, page, bmp).Width(), 0);
        Box half = side ? Box{item.left, 170, item.right, 230} : Box{270, item.top, 330, item.bottom};
        EXPECT_NEAR(TabRectInStrip(half, p, kControl, page, bmp).Width(), 30, 1);
        Box huge{-0x7FFFFFFF, -0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF};
        EXPECT_TRUE(Within(TabRectInStrip(huge, p, kControl, page, bmp), {0, 0, bmp.cx, bmp.cy}));
    }
}

TEST(TabGeometry, StateCellsExistInTheImageWhateverItsSize) {
    EXPECT_EQ(StateCell(2, 1), 1);  // a skin with one tab picture uses it for the current tab too
    EXPECT_EQ(StateCell(2, 0), 1);
    EXPECT_NE(StateCell(2, 2), StateCell(1, 2));
    for (int w : {0, 1, 3, 100, 0x7FFFFFFF})
        for (int count : {-1, 0, 1, 2, 7, 0x7FFFFFFF})
            for (int wanted : {0, 1, 2, 99}) {
                SliceBox c = StateCellBox(w, 21, wanted, count);
                EXPECT_TRUE(c.Empty() || (c.x >= 0 && c.y >= 0 && int64_t(c.x) + c.w <= w && c.h <= 21));
            }
}

TEST(TabGeometry, CloseCrossSitsInItsTabAndAClickFindsThatTab) {
    std::vector<Box> tabs{{2, 2, 80, 22}, {80, 0, 150, 22}, {150, 2, 155, 6}};
    std::vector<Box> crosses;
    for (const Box& t : tabs) crosses.push_back(CloseCrossRect(t));
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(Within(crosses[i], tabs[i]));
        EXPECT_EQ(crosses[i].Width(), 6);
        EXPECT_EQ(crosses[i].Height(), 6);
        EXPECT_EQ(HitIndex(crosses, (crosses[i].left + crosses[i].right) / 2, crosses[i].top + 3), i);
    }
    EXPECT_EQ(crosses[2].Width(), 0);  // too small a tab carries no cross
    EXPECT_EQ(HitIndex(crosses, 40, 12), -1);
    EXPECT_EQ(HitIndex({}, 0, 0), -1);
}

TEST(TabGeometry, TabSetRowStaysBeforeItsEndMarginAndScroller) {
    std::vector<int> widths{40, 60, 50, 30};
    auto row = LayoutTabSet(200, 20, 5, 10, 0, widths, 1, false);
    ASSERT_EQ(row.size(), 3u);  // 5+49+69+59 = 182 fits before 190; the fourth does not
    for (size_t i = 0; i < row.size(); ++i) {
        EXPECT_EQ(row[i].rect.Width(), widths[i] + 9);
        EXPECT_EQ(row[i].rect.Height(), 20);
        EXPECT_EQ(row[i].selected, i == 1);
        if (i) {
            EXPECT_EQ(row[i].rect.left, row[i - 1].rect.right);
        }
    }
    // The scroller takes room; hits agree with the tabs drawn.
    auto scrolled = LayoutTabSet(200, 20, 5, 10, 0, widths, 7, true);
    ASSERT_EQ(scrolled.size(), 2u);
    EXPECT_FALSE(scrolled[0].selected || scrolled[1].selected);
    auto later = LayoutTabSet(200, 20, 5, 10, 2, widths, 3, true);
    ASSERT_EQ(later.size(), 2u);
    EXPECT_EQ(later[0].index, 2);
    EXPECT_EQ(later[0].rect.left, 5);
    EXPECT_TRUE(later[1].selected);
    std::vector<Box> rects{scrolled[0].rect, scrolled[1].rect};
    EXPECT_EQ(HitIndex(rects, rects[1].left, 10), 1);
    EXPECT_EQ(HitIndex(rects, rects[1].right, 10), -1);
    // No tabs, a first tab past the end, no room: nothing; a huge caption: one cut tab.
    EXPECT_TRUE(LayoutTabSet(200, 20, 5, 10, 0, {}, 0, false).empty());
    EXPECT_TRUE(LayoutTabSet(200, 20, 5, 10, 9, widths, 0, false).empty());
    EXPECT_TRUE(LayoutTabSet(0, 0, 5, 10, 0, widths, 0, true).empty());
    auto longOne = LayoutTabSet(200, 20, 5, 10, 0, {0x7FFFFFFF, 30}, 0, false);
    ASSERT_EQ(longOne.size(), 1u);
    EXPECT_TRUE(Within(longOne[0].rect, {5, 0, 190, 20}));
}

TEST(TabGeometry, HeaderHotTrackingAndFillerFollowTheItems) {
    std::vector<Box> items{{0, 0, 100, 20}, {100, 0, 160, 20}, {160, 0, 164, 20}};
    std::vector<Box> hot;
    for (const Box& b : items) hot.push_back(HeaderHotRect(b));
    EXPECT_TRUE(Within(hot[0], items[0]) && hot[0].Width() == 94);
    HotChange h = HeaderHotItem(hot, 130, 10, -1);
    EXPECT_EQ(h.index, 1);
    EXPECT_TRUE(h.changed);
    EXPECT_FALSE(HeaderHotItem(hot, 131, 10, 1).changed);  // no repaint for the same item
    EXPECT_EQ(HeaderHotItem(hot, 101, 10, 1).index, 1);    // on the divider the hot item stays
    EXPECT_FALSE(HeaderHotItem(hot, 162, 10, 0).changed);  // a 4-pixel item is never hot
    EXPECT_EQ(HeaderFillerRect({0, 0, 300, 20}, items), (Box{164, 0, 300, 20}));
    EXPECT_EQ(HeaderFillerRect({0, 0, 300, 20}, {{0, 0, 400, 20}}).Width(), 0);
    EXPECT_EQ(HeaderFillerRect({0, 0, 300, 20}, {}).Width(), 300);
    EXPECT_EQ(HeaderTextAlign(kHdfCenter | kHdfImage), TextAlign::Centre);
    EXPECT_EQ(HeaderTextAlign(kHdfRight), TextAlign::Right);
    EXPECT_EQ(HeaderTextAlign(0), TextAlign::Left);
    EXPECT_TRUE(HeaderShowsImage(kHdfOwnerDraw));
    EXPECT_FALSE(HeaderShowsImage(kHdfCenter));
}

TEST(TabGeometry, ImageAndCaptionShareTheItemWithoutOverlap) {
    const Box item{10, 0, 110, 20};
    for (TextAlign a : {TextAlign::Left, TextAlign::Centre, TextAlign::Right})
        for (int tw : {0, 30, 5000, 0x7FFFFFFF}) {
            ImgCaptionPlacement pl = PlaceImgCaption(item, {16, 16}, tw, a);
            EXPECT_TRUE(Within(pl.image, item));
            EXPECT_TRUE(Within(pl.text, item));
            EXPECT_EQ(pl.image.Width(), 16);
            EXPECT_GE(pl.text.left, pl.image.right + 2);
            EXPECT_GE(pl.image.left, item.left + 1);
        }
    // A centred block has equal room either side; a right one ends 2 pixels in.
    ImgCaptionPlacement c = PlaceImgCaption(item, {16, 16}, 30, TextAlign::Centre);
    EXPECT_NEAR(c.image.left - item.left, item.right - (c.text.left + 30), 1);
    EXPECT_EQ(c.image.top, 2);
    ImgCaptionPlacement r = PlaceImgCaption(item, {0, 0}, 30, TextAlign::Right);
    EXPECT_EQ(r.text.left + 30, item.right - 2);
    EXPECT_EQ(r.image.Width(), 0);
    // An image as wide as the item is left out; the caption gets the item.
    EXPECT_EQ(PlaceImgCaption(item, {100, 16}, 30, TextAlign::Left).image.Width(), 0);
    EXPECT_TRUE(Within(PlaceImgCaption({0, 0, 0, 0}, {16, 16}, 30, TextAlign::Centre).text, {0, 0, 0, 0}));
}
