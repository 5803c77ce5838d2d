#include "skin/paint/core/MenuGeometry.h"

#include <gtest/gtest.h>

using namespace relayon::skin::paint;

namespace {
bool Inside(const Box& inner, const Box& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}
}  // namespace

TEST(MenuGeometry, ItemContentIsPlacedAndMirrored) {
    const Box item{0, 20, 200, 42};
    // Glyph column: 16 by default, the image width, at least 16 for a checked item.
    EXPECT_EQ(GlyphColumn(0, false), 16);
    EXPECT_EQ(GlyphColumn(24, false), 24);
    EXPECT_EQ(GlyphColumn(12, true), 16);

    MenuItemParts ltr = LayoutMenuItem(item, 3, 16, false, false);
    EXPECT_EQ(ltr.glyph.left - item.left, 1 + 3);  // indented by the skin's margin
    EXPECT_EQ(ltr.glyph.top - item.top, 1);
    EXPECT_EQ(ltr.glyph.Width(), 16);
    EXPECT_EQ(ltr.glyph.Height(), 16);
    EXPECT_EQ(ltr.text.left - ltr.glyph.right, 3);
    EXPECT_EQ(item.right - ltr.text.right, 1);

    // Right to left: the same distances measured from the other side.
    MenuItemParts rtl = LayoutMenuItem(item, 3, 16, false, true);
    EXPECT_EQ(item.right - rtl.glyph.right, ltr.glyph.left - item.left);
    EXPECT_EQ(rtl.glyph.left - rtl.text.right, 3);
    EXPECT_EQ(rtl.text.left - item.left, 1);

    // A separator has no glyph; its line area starts 3 pixels in.
    MenuItemParts sep = LayoutMenuItem(item, 3, 16, true, false);
    EXPECT_EQ(sep.glyph.Width(), 0);
    EXPECT_EQ(sep.text.left - item.left, 3);

    // An item narrower than its glyph never gets an inverted caption area.
    MenuItemParts narrow = LayoutMenuItem({0, 0, 10, 20}, 3, 16, false, false);
    EXPECT_GE(narrow.text.Width(), 0);

    // Text lowered by half the space left; shortcut from the caption's end to 11 inside.
    Box centred = CentreTextVertically(ltr.text, 14);
    EXPECT_EQ(centred.top - ltr.text.top, (22 - 14) / 2);
    Box sc = ShortcutArea(item, 90, false);
    EXPECT_EQ(sc.left, 90);
    EXPECT_EQ(item.right - sc.right, 11);
    EXPECT_EQ(ShortcutArea(item, 90, true).left - item.left, 10);
    // A caption running past the shortcut's end never inverts the area.
    EXPECT_GE(ShortcutArea(item, 500, false).Width(), 0);

    // The check mark sits centred in the glyph column and the item, one pixel further in.
    Point2 mark = CheckMarkOrigin(item, ltr.glyph, 12, 12);
    EXPECT_EQ(mark.x - ltr.glyph.left, (16 - 12) / 2 + 1);
    EXPECT_EQ(mark.y - item.top, (22 - 12) / 2 + 1);
}

TEST(MenuGeometry, SkinWidensItemsAndMeasuresFromText) {
    // Main menu items: + margin, + 10 with images, + 35 without.
    EXPECT_EQ(MainMenuItemWidth(100, 3, true) - 100, 13);
    EXPECT_EQ(MainMenuItemWidth(100, 3, false) - 100, 38);
    // Popup items: + 12 with images; without a skin plate no margin is added.
    EXPECT_EQ(PopupMenuItemWidth(100, 3, true) - 100, 15);
    EXPECT_EQ(PopupMenuItemWidth(100, -1, false) - 100, 35);

    Size2 text = MeasureFromText(60, 13, 3, true, true);
    EXPECT_EQ(text.cx, 60 + 26 + 3);
    EXPECT_EQ(text.cy, 13 + 4);
    EXPECT_EQ(MeasureFromText(0, 13, 0, false, true).cy, 8);
    EXPECT_EQ(MeasureFromText(60, 13, 3, true, false).cy, 13 + 4 + 4);
}

TEST(MenuGeometry, BackgroundAndSeparatorSourcesStayInsideTheImage) {
    // The item's background lies 3 pixels further in the window's background.
    Box src = ItemBackgroundSource({0, 10, 100, 30}, 200, 300);
    EXPECT_EQ(src, (Box{3, 13, 103, 33}));
    // An item reaching past the background is cut to it; one wholly outside is empty.
    EXPECT_EQ(ItemBackgroundSource({150, 280, 260, 320}, 200, 300), (Box{153, 283, 200, 300}));
    EXPECT_EQ(ItemBackgroundSource({400, 400, 500, 420}, 200, 300).Width(), 0);

    // Separator from cell 2 of 5 in a 100 x 30 image over a 10-row item: the bottom 10 rows.
    const Box item{0, 40, 150, 50};
    auto slices = SeparatorSlices(item, 100, 30, 5, 1, 3, 4);
    ASSERT_EQ(slices.size(), 3u);
    EXPECT_EQ(slices[0].src, (Box{20, 20, 23, 30}));
    EXPECT_EQ(slices[2].src, (Box{36, 20, 40, 30}));
    EXPECT_EQ(slices[1].dst, (Box{3, 40, 146, 50}));
    // An image not taller than the item gives all its rows, stretched to the item.
    auto shortImage = SeparatorSlices({0, 0, 80, 20}, 50, 6, 5, 1, 2, 2);
    ASSERT_FALSE(shortImage.empty());
    EXPECT_EQ(shortImage[0].src.top, 0);
    EXPECT_EQ(shortImage[0].src.bottom, 6);
    EXPECT_EQ(shortImage[0].dst.Height(), 20);

    // Hostile margins, tiny items and bad cells never read outside the image.
    for (auto [capL, capR, w, frames] : {std::tuple{500, 500, 150, 5}, {-4, 90, 3, 5}, {2, 2, 1, 1}, {7, 7, 150, 50}}) {
        for (const Slice& s : SeparatorSlices({0, 0, w, 12}, 40, 9, frames, frames - 1, capL, capR)) {
            EXPECT_TRUE(Inside(s.src, {0, 0, 40, 9}));
            EXPECT_GT(s.src.Width(), 0);
            EXPECT_TRUE(Inside(s.dst, {0, 0, w, 12}));
        }
    }
    EXPECT_TRUE(SeparatorSlices(item, 100, 30, 5, 5, 3, 3).empty());
    EXPECT_TRUE(SeparatorSlices(item, 3, 30, 5, 0, 3, 3).empty());
}

TEST(MenuGeometry, BarButtonsLayOutFollowEachOtherAndHitTest) {
    const Box bar{4, 30, 404, 50};
    std::vector<BarButtonInfo> infos{{30, true, true}, {50, false, true}, {40, true, true}, {0, true, false}, {20, true, true}};
    auto b = LayoutBarButtons(bar, infos, BarSkin{true, 2, 5}, false);
    EXPECT_EQ(b[0].left - bar.left, 2 + 4);
    EXPECT_EQ(b[0].Width(), 30 + 10);
    EXPECT_EQ(b[0].top, bar.top);
    EXPECT_EQ(b[0].bottom, bar.bottom - 1);
    EXPECT_EQ(b[1].Width(), 0);            // invisible
    EXPECT_EQ(b[2].left, b[0].right);      // no gaps, the invisible one takes no room
    EXPECT_EQ(b[3].Width(), 0);            // empty caption
    EXPECT_EQ(b[4].left, b[2].right);
    // Without a menu-bar object the buttons start 6 in; in a bar narrower than the start, at 12.
    EXPECT_EQ(LayoutBarButtons(bar, infos, BarSkin{}, false)[0].left - bar.left, 6);
    EXPECT_EQ(LayoutBarButtons({0, 0, 10, 20}, infos, BarSkin{true, 40, 0}, false)[0].left, 12);

    // Right to left: from the right margin + 8, leftwards, before the reserved MDI buttons.
    auto r = LayoutBarButtons(bar, infos, BarSkin{true, 2, 5}, true, 30);
    EXPECT_EQ(bar.right - r[0].right, 5 + 8 + 30);
    EXPECT_EQ(r[2].right, r[0].left);

    // Hit test: the first captioned button containing the point.
    EXPECT_EQ(FindBarButton(b, infos, b[2].left, 35), 2);
    EXPECT_EQ(FindBarButton(b, infos, b[0].right - 1, 30), 0);
    EXPECT_EQ(FindBarButton(b, infos, b[0].left, bar.bottom - 1), -1);  // the bar's last row is not a button's
    EXPECT_EQ(FindBarButton(b, infos, b[4].right + 5, 35), -1);
}

TEST(MenuGeometry, AcceleratorsAndKeyboardMoves) {
    EXPECT_EQ(AcceleratorOf(L"&File"), L'F');
    EXPECT_EQ(AcceleratorOf(L"Sa&ve as"), L'V');
    EXPECT_EQ(AcceleratorOf(L"Fish && &Chips"), L'C');
    EXPECT_EQ(AcceleratorOf(L"Tom && Jerry"), 0);
    EXPECT_EQ(AcceleratorOf(L"Trailing&"), 0);
    EXPECT_EQ(AcceleratorOf(L"\x6587\x4EF6(&\x0444)"), L'\x0424');  // a Cyrillic mark, upper-cased
    EXPECT_TRUE(MatchesAccelerator(L"&edit", L'E'));
    EXPECT_TRUE(MatchesAccelerator(L"&Edit", L'e'));
    EXPECT_FALSE(MatchesAccelerator(L"Edit", L'E'));
    EXPECT_EQ(StripAccelerator(L"&File && more&"), L"File & more");

    std::vector<bool> usable{true, false, true, true};
    EXPECT_EQ(NeighbourButton(usable, 0, -1), 3);  // left of the first: the last
    EXPECT_EQ(NeighbourButton(usable, 3, +1), 0);  // right of the last: the first
    EXPECT_EQ(NeighbourButton(usable, 0, +1), 2);  // skipping an unusable one
    EXPECT_EQ(NeighbourButton(usable, -1, +1), 0);
    EXPECT_EQ(NeighbourButton({false, true, false}, 1, +1), 1);
    EXPECT_EQ(NeighbourButton({false, false}, 0, +1), -1);
    EXPECT_EQ(NeighbourButton({}, 0, +1), -1);
}
