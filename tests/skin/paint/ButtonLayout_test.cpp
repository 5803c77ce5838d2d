#include "skin/paint/core/ButtonLayout.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace relayon::skin::paint;

namespace {

bool Inside(const BtnRect& r, int w, int h) { return r.left >= 0 && r.top >= 0 && r.right <= w && r.bottom <= h; }
bool Overlap(const BtnRect& a, const BtnRect& b) {
    return !a.Empty() && !b.Empty() && a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
// A caption of `chars` 7-pixel characters on 13-pixel lines, wrapped like DrawText.
MeasureText Words(int chars) {
    return [chars](int maxWidth) {
        if (chars == 0) return BtnSize{};
        int perLine = std::max(1, maxWidth / 7), lines = (chars + perLine - 1) / perLine;
        return BtnSize{std::min(chars, perLine) * 7, lines * 13};
    };
}

}  // namespace

TEST(ButtonLayout, GlyphAndTextNeverOverlapAndStayInside) {
    const GlyphLayout layouts[] = {GlyphLayout::Left, GlyphLayout::Right, GlyphLayout::Top, GlyphLayout::Bottom};
    for (GlyphLayout layout : layouts)
        for (int w : {0, 10, 30, 75, 200})
            for (int h : {0, 12, 25, 60})
                for (int margin : {-1, 0, 4, 90})
                    for (int spacing : {-1, 0, 4, 90})
                        for (int chars : {0, 3, 40})
                            for (BtnSize glyph : {BtnSize{0, 0}, BtnSize{16, 16}, BtnSize{300, 300}}) {
                                auto p = PlaceGlyphAndText(w, h, glyph, layout, margin, spacing, false, Words(chars));
                                ASSERT_TRUE(Inside(p.glyph, w, h) && Inside(p.text, w, h))
                                    << int(layout) << " " << w << "x" << h << " m" << margin << " s" << spacing;
                                ASSERT_FALSE(Overlap(p.glyph, p.text))
                                    << int(layout) << " " << w << "x" << h << " m" << margin << " s" << spacing;
                            }
}

TEST(ButtonLayout, GlyphSitsOnItsSideAtTheMargin) {
    const BtnSize glyph{16, 16};
    auto left = PlaceGlyphAndText(100, 30, glyph, GlyphLayoutFromName(L"blGlyphLeft"), 5, 4, false, Words(4));
    EXPECT_EQ(left.glyph.left, 5);
    EXPECT_EQ(left.text.left, left.glyph.right + 4);
    auto right = PlaceGlyphAndText(100, 30, glyph, GlyphLayoutFromName(L"BLGLYPHRIGHT"), 5, 4, false, Words(4));
    EXPECT_EQ(100 - right.glyph.right, 5);
    EXPECT_EQ(right.text.right + 4, right.glyph.left);
    EXPECT_EQ(right.align, TextAlign::Right);
    auto top = PlaceGlyphAndText(100, 60, glyph, GlyphLayoutFromName(L"blGlyphTop"), 5, 4, false, Words(4));
    EXPECT_EQ(top.glyph.top, 5);
    EXPECT_EQ(top.text.top, top.glyph.bottom + 4);
    auto bottom = PlaceGlyphAndText(100, 60, glyph, GlyphLayoutFromName(L"blGlyphBottom"), 5, 4, false, Words(4));
    EXPECT_EQ(60 - bottom.glyph.bottom, 5);
    EXPECT_EQ(bottom.text.bottom + 4, bottom.glyph.top);
    // Across the layout both are centred.
    EXPECT_LE(std::abs(left.glyph.top - (30 - left.glyph.bottom)), 1);
    EXPECT_LE(std::abs(top.text.left - (100 - top.text.right)), 1);
    // The caption is wrapped beside the glyph, not under it.
    int offered = 0;
    PlaceGlyphAndText(100, 30, glyph, GlyphLayout::Left, 0, 0, false, [&](int w) {
        offered = w;
        return BtnSize{};
    });
    EXPECT_LE(offered + glyph.cx, 100);
}

TEST(ButtonLayout, CentredBlockSharesTheFreeRoom) {
    const BtnSize glyph{16, 16};
    // Margin and Spacing -1: both edges and the gap get the same share.
    auto even = PlaceGlyphAndText(120, 30, glyph, GlyphLayout::Left, -1, -1, false, Words(4));
    const int before = even.glyph.left, gap = even.text.left - even.glyph.right, after = 120 - even.text.right;
    EXPECT_GT(gap, 0);
    EXPECT_LE(std::abs(before - gap), 1);
    EXPECT_LE(std::abs(after - gap), 2);
    // taCenter with a fixed gap centres the block; a missing caption drops the gap.
    auto fixed = PlaceGlyphAndText(120, 30, glyph, GlyphLayout::Right, 9, 6, true, Words(4));
    EXPECT_EQ(fixed.glyph.left - fixed.text.right, 6);
    EXPECT_LE(std::abs(fixed.text.left - (120 - fixed.glyph.right)), 1);
    auto alone = PlaceGlyphAndText(120, 30, glyph, GlyphLayout::Left, -1, 6, false, Words(0));
    EXPECT_TRUE(alone.text.Empty());
    EXPECT_LE(std::abs(alone.glyph.left - (120 - alone.glyph.right)), 1);
    // Spacing -1 after a fixed margin puts the caption halfway into the rest.
    auto half = PlaceGlyphAndText(120, 30, glyph, GlyphLayout::Left, 4, -1, false, Words(4));
    EXPECT_LE(std::abs((half.text.left - half.glyph.right) - (120 - half.text.right)), 1);
}

TEST(ButtonLayout, CaptionLinesAndPlacement) {
    EXPECT_EQ(ExpandLineBreaks(L"On||Off"), L"On\r\nOff");
    EXPECT_EQ(ExpandLineBreaks(L"a|b||"), L"a|b\r\n");
    EXPECT_EQ(ExpandLineBreaks(L"|||x"), L"\r\n|x");

    auto r = CaptionRect(80, 24, BtnSize{30, 13}, true);
    EXPECT_EQ(r.Width(), 30);
    EXPECT_LE(std::abs(r.left - (80 - r.right)), 1);
    EXPECT_LE(r.top, 24 - r.bottom);  // never below the middle
    auto spans = CaptionRect(80, 24, BtnSize{30, 13}, false);
    EXPECT_EQ(spans.left, 2);
    EXPECT_EQ(spans.right, 78);
    for (int h : {0, 5, 13, 40}) EXPECT_TRUE(Inside(CaptionRect(20, h, BtnSize{60, 26}, true), 20, h)) << h;
    EXPECT_EQ(CaptionWrapWidth(80), 76);
}

TEST(ButtonLayout, MenuButtonArrowFollowsTheCaption) {
    auto p = PlaceMenuButton(120, 25, BtnSize{16, 16}, BtnSize{40, 13}, 4, 4);
    EXPECT_GT(p.apexX - 3, p.text.right);
    EXPECT_GE(p.text.left, p.glyph.right);
    EXPECT_EQ(p.apexY, 11 + 2);
    EXPECT_LE(MenuButtonTextWidth(120, 16) + 16 + 8, 120);
    // A caption too long for the button is cut before the arrow, which stays inside.
    auto narrow = PlaceMenuButton(50, 25, BtnSize{16, 16}, BtnSize{200, 13}, 4, 4);
    EXPECT_LE(narrow.apexX + 3, 50);
    EXPECT_LT(narrow.text.right, narrow.apexX - 3);
}

TEST(ButtonLayout, CheckGlyphSides) {
    auto right = PlaceCheckGlyph(100, 20, BtnSize{13, 13}, false, 0);
    EXPECT_EQ(right.glyph.left, 0);
    EXPECT_EQ(right.text.left, right.glyph.right + 2);
    EXPECT_EQ(right.text.right, 100);
    EXPECT_LE(std::abs(right.glyph.top - (20 - right.glyph.bottom)), 1);
    auto left = PlaceCheckGlyph(100, 20, BtnSize{13, 13}, true, 1);
    EXPECT_EQ(left.glyph.right, 99);
    EXPECT_EQ(left.text.right + 2, left.glyph.left);
    auto tiny = PlaceCheckGlyph(8, 6, BtnSize{13, 13}, true, 1);
    EXPECT_TRUE(Inside(tiny.glyph, 8, 6) && Inside(tiny.text, 8, 6));
}
