#include "skin/paint/core/TabGeometry.h"

#include <gtest/gtest.h>

using namespace relayon::skin::paint;

namespace {
using P = TSkinTabPosition;
constexpr P kAll[] = {P::StTop, P::Stbottom, P::Stleft, P::Stright};
const Box kControl{0, 0, 300, 200};
const Box kHuge{-0x7FFFFFFF, -0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF};

bool Within(const Box& b, const Box& outer) {
    return b.left >= outer.left && b.top >= outer.top && b.right <= outer.right && b.bottom <= outer.bottom &&
           b.right >= b.left && b.bottom >= b.top;
}
bool Side(P p) { return p == P::Stleft || p == P::Stright; }

// The control's display area, 26 pixels in from the tab side, 4 elsewhere.
Box DisplayFor(P p) {
    Box d{4, 4, 296, 196};
    if (p == P::StTop) d.top = 26;
    if (p == P::Stbottom) d.bottom = 174;
    if (p == P::Stleft) d.left = 26;
    if (p == P::Stright) d.right = 274;
    return d;
}
}  // namespace

TEST(TabGeometry, StyleChoosesSideAndHowImagesTurn) {
    EXPECT_EQ(TabPositionFromStyle(0x10000000), P::StTop);
    EXPECT_EQ(TabPositionFromStyle(kTcsBottom), P::Stbottom);
    EXPECT_EQ(TabPositionFromStyle(kTcsVertical), P::Stleft);
    EXPECT_EQ(TabPositionFromStyle(kTcsBottom | kTcsVertical), P::Stright);
    EXPECT_TRUE(TabOrientationFor(P::Stbottom).mirrored);
    EXPECT_EQ(TabOrientationFor(P::Stright).rotation, 90);  // clockwise
    EXPECT_EQ(TabOrientationFor(P::Stleft).rotation, 270);
}

TEST(TabGeometry, PageAndStripShareTheControlAndTabsComeBackWhereTheyWere) {
    for (P p : kAll) {
        SCOPED_TRACE(int(p));
        Box page = TabPageRect(kControl, DisplayFor(p), p), strip = TabStripRect(kControl, page, p);
        ASSERT_TRUE(Within(page, kControl) && Within(strip, kControl));
        EXPECT_EQ(strip.Width() * strip.Height() + page.Width() * page.Height(), 300 * 200);
        // The page grows 4 toward the tabs and gives one back: a 23-pixel
        // strip, drawn lying down (its length is the bitmap's width).
        Size2 bmp = TabStripBitmapSize(strip, p);
        EXPECT_EQ(bmp.cy, 23);
        EXPECT_EQ(bmp.cx, Side(p) ? 200 : 300);
        const Box bmpArea{0, 0, bmp.cx, bmp.cy};

        // A tab's centre, drawn in the bitmap and turned with the finished
        // strip, lands on the tab again (within the one-pixel nudge).
        Box item = Side(p) ? Box{strip.left + 2, 70, strip.right - 2, 130} : Box{70, strip.top + 2, 130, strip.bottom - 2};
        Box in = TabRectInStrip(item, p, kControl, page, bmp);
        ASSERT_TRUE(Within(in, bmpArea));
        EXPECT_TRUE(in.Width() == 60 && in.Height() == 19);  // the tab's size, laid down
        int bx = (in.left + in.right) / 2, by = (in.top + in.bottom) / 2, wx = bx, wy = by;
        if (p == P::Stright) wx = bmp.cy - 1 - by, wy = bx;
        if (p == P::Stleft) wx = by, wy = bmp.cx - 1 - bx;
        EXPECT_NEAR(wx + strip.left, (item.left + item.right) / 2, 1);
        EXPECT_NEAR(wy + strip.top, (item.top + item.bottom) / 2, 1);
        // A tab scrolled half out is cut to the bitmap; one far away vanishes.
        Box half = Side(p) ? Box{item.left, 170, item.right, 230} : Box{270, item.top, 330, item.bottom};
        EXPECT_NEAR(TabRectInStrip(half, p, kControl, page, bmp).Width(), 30, 1);
        Box far = Side(p) ? Box{item.left, 5000, item.right, 5060} : Box{5000, item.top, 5060, item.bottom};
        EXPECT_EQ(TabRectInStrip(far, p, kControl, page, bmp).Width(), 0);
        EXPECT_TRUE(Within(TabRectInStrip(kHuge, p, kControl, page, bmp), bmpArea));
    }
    // Degenerate controls and display areas never give inverted or outside boxes.
    for (P p : kAll)
        for (const Box& rc : {Box{}, Box{250, 150, 10, 10}, kHuge})
            for (const Box& d : {Box{}, Box{250, 150, 10, 10}, kHuge}) {
                Box area{rc.left, rc.top, std::max(rc.left, rc.right), std::max(rc.top, rc.bottom)};
                Box page = TabPageRect(rc, d, p);
                EXPECT_TRUE(Within(page, area) && Within(TabStripRect(rc, page, p), area));
                EXPECT_TRUE(Within(ButtonTabStripRect(rc, d), area));
            }
}

TEST(TabGeometry, StateCellsExistInTheImageWhateverItsSize) {
    EXPECT_EQ(StateCell(2, 1), 1);  // a one-picture skin uses it for the current tab too
    EXPECT_NE(StateCell(2, 2), StateCell(1, 2));
    for (int w : {0, 1, 3, 100, 0x7FFFFFFF})
        for (int count : {-1, 0, 1, 2, 7, 0x7FFFFFFF})
            for (int wanted : {0, 2, 99}) {
                SliceBox c = StateCellBox(w, 21, wanted, count);
                EXPECT_TRUE(c.Empty() || (c.x >= 0 && c.y >= 0 && int64_t(c.x) + c.w <= w && c.h <= 21));
            }
}

TEST(TabGeometry, ClicksFindTheCrossOrTabSetTabThatWasDrawn) {
    std::vector<Box> tabs{{2, 2, 80, 22}, {80, 0, 150, 22}, {150, 2, 155, 6}}, crosses;
    for (const Box& t : tabs) crosses.push_back(CloseCrossRect(t));
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(Within(crosses[i], tabs[i]) && crosses[i].Width() == 6 && crosses[i].Height() == 6);
        EXPECT_EQ(HitIndex(crosses, crosses[i].left + 3, crosses[i].top + 3), i);
    }
    EXPECT_EQ(crosses[2].Width(), 0);  // too small a tab carries no cross
    EXPECT_EQ(HitIndex(crosses, 40, 12), -1);

    std::vector<int> widths{40, 60, 50, 30};
    auto row = LayoutTabSet(200, 20, 5, 10, 0, widths, 1, false);
    ASSERT_EQ(row.size(), 3u);  // the fourth would end past 190
    std::vector<Box> rects;
    for (size_t i = 0; i < row.size(); ++i) {
        EXPECT_EQ(row[i].rect.Width(), widths[i] + 9);
        EXPECT_EQ(row[i].rect.left, i ? row[i - 1].rect.right : 5);
        EXPECT_EQ(row[i].selected, i == 1);
        rects.push_back(row[i].rect);
        EXPECT_EQ(HitIndex(rects, row[i].rect.right - 1, 19), int(i));
    }
    EXPECT_EQ(LayoutTabSet(200, 20, 5, 10, 0, widths, 7, true).size(), 2u);  // the scroller takes 12
    auto later = LayoutTabSet(200, 20, 5, 10, 2, widths, 3, true);
    ASSERT_EQ(later.size(), 2u);
    EXPECT_TRUE(later[0].index == 2 && later[0].rect.left == 5 && later[1].selected);
    EXPECT_TRUE(LayoutTabSet(200, 20, 5, 10, 0, {}, 0, false).empty());
    EXPECT_TRUE(LayoutTabSet(200, 20, 5, 10, 9, widths, 0, false).empty());
    EXPECT_TRUE(LayoutTabSet(0, 0, 5, 10, 0, widths, 0, true).empty());
    auto longOne = LayoutTabSet(200, 20, 5, 10, 0, {0x7FFFFFFF, 30}, 0, false);
    ASSERT_EQ(longOne.size(), 1u);
    EXPECT_TRUE(Within(longOne[0].rect, {5, 0, 190, 20}));
}

TEST(TabGeometry, HeaderHotTrackingAndFillerFollowTheItems) {
    std::vector<Box> items{{0, 0, 100, 20}, {100, 0, 160, 20}, {160, 0, 164, 20}}, hot;
    for (const Box& b : items) hot.push_back(HeaderHotRect(b));
    EXPECT_TRUE(Within(hot[0], items[0]) && hot[0].Width() == 94);
    HotChange h = HeaderHotItem(hot, 130, 10, -1);
    EXPECT_TRUE(h.index == 1 && h.changed);
    EXPECT_FALSE(HeaderHotItem(hot, 131, 10, 1).changed);  // no repaint for the same item
    EXPECT_EQ(HeaderHotItem(hot, 101, 10, 1).index, 1);    // on the divider the hot item stays
    EXPECT_FALSE(HeaderHotItem(hot, 162, 10, 0).changed);  // a 4-pixel item is never hot
    EXPECT_EQ(HeaderFillerRect({0, 0, 300, 20}, items), (Box{164, 0, 300, 20}));
    EXPECT_EQ(HeaderFillerRect({0, 0, 300, 20}, {{0, 0, 400, 20}}).Width(), 0);
    EXPECT_EQ(HeaderTextAlign(kHdfCenter | kHdfImage), TextAlign::Centre);
    EXPECT_EQ(HeaderTextAlign(kHdfRight), TextAlign::Right);
    EXPECT_TRUE(HeaderShowsImage(kHdfOwnerDraw) && !HeaderShowsImage(kHdfCenter));
}

TEST(TabGeometry, ImageAndCaptionShareTheItemWithoutOverlap) {
    const Box item{10, 0, 110, 20};
    for (TextAlign a : {TextAlign::Left, TextAlign::Centre, TextAlign::Right})
        for (int tw : {0, 30, 0x7FFFFFFF}) {
            ImgCaptionPlacement pl = PlaceImgCaption(item, {16, 16}, tw, a);
            EXPECT_TRUE(Within(pl.image, item) && Within(pl.text, item));
            EXPECT_TRUE(pl.image.Width() == 16 && pl.image.left > item.left && pl.text.left >= pl.image.right + 2);
        }
    ImgCaptionPlacement c = PlaceImgCaption(item, {16, 16}, 30, TextAlign::Centre);
    EXPECT_NEAR(c.image.left - item.left, item.right - (c.text.left + 30), 1);  // equal room either side
    EXPECT_EQ(c.image.top, 2);
    EXPECT_EQ(PlaceImgCaption(item, {0, 0}, 30, TextAlign::Right).text.left + 30, item.right - 2);
    EXPECT_EQ(PlaceImgCaption(item, {100, 16}, 30, TextAlign::Left).image.Width(), 0);  // too wide: left out
    EXPECT_TRUE(Within(PlaceImgCaption({}, {16, 16}, 30, TextAlign::Centre).text, {}));
}
