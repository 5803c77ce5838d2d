#include "skin/paint/core/ComboGeometry.h"

#include <gtest/gtest.h>

using namespace relayon::skin::paint;

namespace {

bool Inside(const Box& b, int w, int h) {
    return b.left >= 0 && b.top >= 0 && b.right <= w && b.bottom <= h && b.left <= b.right && b.top <= b.bottom;
}

}  // namespace

TEST(ComboGeometry, FrameByStateAndMissingCells) {
    EXPECT_EQ(ComboFrame({}, 4), 1);
    EXPECT_EQ(ComboFrame({.pressed = true, .hot = true, .focused = true}, 4), 2);
    EXPECT_EQ(ComboFrame({.focused = true}, 4), 4);
    EXPECT_EQ(ComboFrame({.hot = true}, 4), 4);
    EXPECT_EQ(ComboFrame({.pressed = true, .enabled = false}, 4), 3);
    // A skin with fewer cells shows the normal one, never a cell past its image.
    EXPECT_EQ(ComboFrame({.hot = true}, 3), 1);
    EXPECT_EQ(ComboFrame({.enabled = false}, 2), 1);
    EXPECT_EQ(ComboFrame({.pressed = true}, 0), 0);
    // The mirrored strip: the normal cell is the last one.
    EXPECT_EQ(MirroredFrame(1, 4), 4);
    EXPECT_EQ(MirroredFrame(3, 4), 2);
    EXPECT_EQ(MirroredFrame(5, 4), 0);
}

TEST(ComboGeometry, ButtonStripHoleAndGlyphFollowTheButtonSide) {
    // A 120 x 22 combo with a 17-pixel button.
    EXPECT_EQ(ComboButtonStrip(120, 22, 17, false), (Box{101, 0, 120, 22}));
    EXPECT_EQ(ComboButtonStrip(120, 22, 17, true), (Box{0, 0, 19, 22}));
    EXPECT_EQ(ComboTextHole(120, 22, 17, false), (Box{2, 2, 99, 20}));
    // The hole starts after a left-hand button.
    EXPECT_EQ(ComboTextHole(120, 22, 17, true), (Box{21, 2, 118, 20}));
    EXPECT_EQ(ComboGlyphArea({101, 0, 120, 22}, false), (Box{101, 0, 118, 22}));
    EXPECT_EQ(ComboGlyphArea({0, 0, 19, 22}, true), (Box{2, 0, 19, 22}));
    EXPECT_EQ(CentredIn({101, 0, 118, 22}, 7, 4), (Box{106, 9, 113, 13}));
    // A glyph larger than its area is cut down to it.
    EXPECT_EQ(CentredIn({101, 0, 118, 22}, 40, 40), (Box{101, 0, 118, 22}));
}

TEST(ComboGeometry, FlatButtonAndArrowBox) {
    EXPECT_EQ(FlatButtonColumn(120, 22, 16, false), (Box{102, 2, 118, 20}));
    EXPECT_EQ(FlatButtonColumn(120, 22, 16, true), (Box{2, 2, 18, 20}));
    // One 15-pixel cell; as high as the inner area, or as the picture when lower than the thumb.
    EXPECT_EQ(FlatButton(120, 22, 16, 15, 30, false), (Box{103, 2, 118, 20}));
    EXPECT_EQ(FlatButton(120, 22, 16, 15, 12, true), (Box{2, 2, 17, 14}));
    EXPECT_EQ(ArrowButtonBox(96, 19, 17, false), (Box{79, 0, 96, 19}));
    EXPECT_EQ(ArrowButtonBox(96, 19, 17, true), (Box{0, 0, 17, 19}));
}

TEST(ComboGeometry, BordersNeedASmallerClientBothWays) {
    EXPECT_TRUE(HasBorder(100, 22, 96, 18));
    EXPECT_FALSE(HasBorder(100, 22, 100, 18));
    EXPECT_FALSE(HasBorder(100, 22, 96, 22));
    EXPECT_TRUE(HasWideBorder(100, 22, 96, 18));
    EXPECT_FALSE(HasWideBorder(100, 22, 98, 20));  // a one-pixel border
}

TEST(ComboGeometry, TinyAndHugeControlsStayInside) {
    const int sizes[][2] = {{0, 0}, {1, 1}, {5, 3}, {18, 22}, {19, 2}, {-4, -9}, {1 << 27, 1 << 27}};
    for (const auto& s : sizes) {
        const int w = s[0], h = s[1];
        SCOPED_TRACE(testing::Message() << w << " x " << h);
        for (bool left : {false, true}) {
            const int cw = w > 0 ? w : 0, ch = h > 0 ? h : 0;
            EXPECT_TRUE(Inside(ComboButtonStrip(w, h, 17, left), cw, ch));
            EXPECT_TRUE(Inside(ComboTextHole(w, h, 17, left), cw, ch));
            EXPECT_TRUE(Inside(FlatButtonColumn(w, h, 16, left), cw, ch));
            EXPECT_TRUE(Inside(FlatButton(w, h, 16, 300, 12, left), cw, ch));
            EXPECT_TRUE(Inside(ArrowButtonBox(w, h, 17, left), cw, ch));
            const Box strip = ComboButtonStrip(w, h, -5, left);
            EXPECT_TRUE(Inside(CentredIn(ComboGlyphArea(strip, left), 9, 9), cw, ch));
        }
    }
}
