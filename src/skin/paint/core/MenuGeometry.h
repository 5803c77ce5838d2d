#pragma once
// The arithmetic of skinned menus on plain numbers: where an owner-drawn
// item's glyph, caption and shortcut go, how much wider the skin makes an
// item, which part of the menu window's background lies under an item, how
// the separator picture is cut, and the menu bar's button layout, hit test,
// accelerators and keyboard moves.
#include <string>
#include <vector>

#include "skin/paint/core/FrameGeometry.h"

namespace relayon::skin::paint {

// Thickness of a popup menu window's border: item rectangles are relative to
// the client area, the composed background covers the whole window.
constexpr int kMenuBorder = 3;

// ---- owner-drawn items ----

// Width of the glyph column: 16, or the image list's width (0: none); at
// least 16 when the item is checked.
int GlyphColumn(int imageListWidth, bool checked);

struct MenuItemParts {
    Box glyph;     // square of the image or check mark (empty for a separator)
    Box text;      // caption area
};
// The glyph square and caption area of an item: the glyph indented by the
// skin's item margin (MenuItem r.Left), one pixel inside the item; the
// caption from 3 pixels right of the glyph to 1 pixel inside the item's right.
// Right-to-left items mirror this. A separator has no glyph column.
MenuItemParts LayoutMenuItem(const Box& item, int indent, int glyph, bool separator, bool rightToLeft);

// `area` lowered by half of what a line of textHeight leaves over.
Box CentreTextVertically(const Box& area, int textHeight);

// Where a shortcut's text goes: from the caption's measured right end to 11
// pixels inside the item (right-aligned there); right-to-left, from 10
// pixels inside the item's left edge.
Box ShortcutArea(const Box& item, int captionRight, bool rightToLeft);

// Top-left of a check-mark picture of markW x markH: centred in the glyph
// column and in the item, one pixel further right and down.
struct Point2 {
    int x = 0, y = 0;
    bool operator==(const Point2&) const = default;
};
Point2 CheckMarkOrigin(const Box& item, const Box& glyph, int markW, int markH);

// Widths the skin adds to an item the toolkit measured. indent < 0: the
// skin has no item plate.
int MainMenuItemWidth(int measured, int indent, bool hasImages);
int PopupMenuItemWidth(int measured, int indent, bool hasImages);
// An item known only from its menu handle, measured from its text.
Size2 MeasureFromText(int textWidth, int textHeight, int indent, bool hasText, bool unicodePlatform);

// The part of the menu window's background bitmap under an item (item
// coordinates are client coordinates, the bitmap covers the whole window),
// cut to the bitmap; empty when nothing of it lies inside.
Box ItemBackgroundSource(const Box& item, int bgWidth, int bgHeight);

// A source rectangle cut to a bitmap of w x h (empty when nothing is left).
Box ClampToImage(const Box& src, int w, int h);

// The separator picture: frame `frameIndex` (0-based) of `frames` side by
// side in an image of imageW x imageH, three slices (left cap capL wide,
// right cap capR wide, the middle stretched) over the item; the source rows
// are the image's bottom item-height rows, or all of them when the image is
// not taller than the item. Caps are narrowed to fit the cell and the item;
// every source lies inside the image.
struct Slice {
    Box src, dst;
};
std::vector<Slice> SeparatorSlices(const Box& item, int imageW, int imageH, int frames, int frameIndex, int capL,
                                   int capR);

// ---- the menu bar ----

struct BarButtonInfo {
    int captionWidth = 0;  // measured caption width in the menu font
    bool visible = true;
    bool hasCaption = true;
};
struct BarSkin {
    bool hasMenubar = false;  // the skin has a menu-bar object
    int left = 0, right = 0;  // its margins r.Left, r.Right
};
// Button rectangles for a bar at `bar`: from the first button's start (the
// skin's left margin + 4, right-to-left its right margin + 8 from the right;
// 12 when the bar is narrower than that start; 6 without a menu-bar object),
// each caption width + 10 wide (0 without caption), top to bottom - 1,
// without gaps; invisible buttons get an empty box. Right-to-left buttons go
// leftwards from `rightLimit` (the start, or less when MDI buttons stand at
// the right of the bar).
std::vector<Box> LayoutBarButtons(const Box& bar, const std::vector<BarButtonInfo>& buttons, const BarSkin& skin,
                                  bool rightToLeft, int rightReserve = 0);

// The first button containing the point (x, y) that has a caption; -1 none.
int FindBarButton(const std::vector<Box>& bounds, const std::vector<BarButtonInfo>& buttons, int x, int y);

// The character a caption marks with "&" (upper case), 0 when none ("&&" is
// a literal ampersand).
wchar_t AcceleratorOf(const std::wstring& caption);
// The caption without its accelerator marks ("&&" becomes "&").
std::wstring StripAccelerator(const std::wstring& caption);
// Whether `key` (a character or virtual-key code) is that accelerator.
bool MatchesAccelerator(const std::wstring& caption, wchar_t key);

// The next usable button from `from` in direction `step` (+1 / -1), wrapping
// at the ends; `from` itself when no other is usable, -1 when none is.
int NeighbourButton(const std::vector<bool>& usable, int from, int step);

}  // namespace relayon::skin::paint
