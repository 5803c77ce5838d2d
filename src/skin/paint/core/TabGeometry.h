#pragma once
// The arithmetic of skinned tab controls, tab sets and headers, on plain
// rectangles: which side the tabs are on and how the images are turned for
// it, the page area and the tab strip of a tab control, where each tab lands
// in the strip bitmap (which is always drawn lying horizontally and turned as
// a whole for the side positions), the close cross of a tab, a tab set's row
// of tabs, a header's hot-tracking rectangles and the space right of its
// items, and where an image and a caption go inside a tab or header item.
//
// Rectangles are half-open (right and bottom are outside), as the system's.
//
// Hostile input: whatever the sizes (zero, inverted, near the int limits),
// every rectangle answered lies inside the control or bitmap it belongs to
// and is never inverted; a state cell index is always one the image has.
#include <vector>

#include "skin/paint/core/ButtonLayout.h"
#include "skin/paint/core/FrameGeometry.h"
#include "skin/paint/core/NineSlice.h"

namespace relayon::skin::paint {

enum class TSkinTabPosition { StTop, Stbottom, Stleft, Stright };

// Tab control style bits that choose the side (the system's values).
constexpr unsigned kTcsBottom = 0x2;
constexpr unsigned kTcsVertical = 0x80;

// Bottom with vertical is the right side; either alone is bottom or left.
TSkinTabPosition TabPositionFromStyle(unsigned style);

// How the working copies of the images are turned for a position: mirrored
// top to bottom (both images, tabs below the page), and the clockwise turn in
// degrees (0, 90 or 270) of the page-border image and of the finished strip.
struct TabOrientation {
    bool mirrored = false;
    int rotation = 0;
};
TabOrientation TabOrientationFor(TSkinTabPosition position);

// The page area: the display rectangle grown by 4 on every side, its edge on
// the tab side moved one pixel inward, kept inside the control `rc`.
Box TabPageRect(const Box& rc, const Box& display, TSkinTabPosition position);

// The tab strip: the part of `rc` outside `page` on the tab side, full length.
Box TabStripRect(const Box& rc, const Box& page, TSkinTabPosition position);

// The strip bitmap's size: the strip's, width and height exchanged for the
// side positions (the strip is drawn lying down, then turned).
Size2 TabStripBitmapSize(const Box& strip, TSkinTabPosition position);

// A tab's item rectangle (control coordinates) moved into the strip bitmap
// of size `bitmap`: one pixel down at the top, up to the page's bottom edge
// at the bottom, and laid down for the sides. The answer is cut to the
// bitmap; a tab wholly outside it gives an empty box.
Box TabRectInStrip(const Box& item, TSkinTabPosition position, const Box& rc, const Box& page, Size2 bitmap);

// The strip of a button-style page control: from rc's top to one pixel below
// the top of the display area grown by 4.
Box ButtonTabStripRect(const Box& rc, const Box& display);

// The state cell to draw: `wanted` (1 normal, 2 current/hot) when the image
// has that many cells, else the last one it has (at least 1).
int StateCell(int wanted, int frameCount);
// That cell of `frameCount` side by side in an image (see FrameBox).
SliceBox StateCellBox(int imageWidth, int imageHeight, int wanted, int frameCount);

// The 6 x 6 close cross near a tab's top-right corner: (right-8, top+2) to
// (right-2, top+8). Empty when the tab is too small to hold it.
Box CloseCrossRect(const Box& tab);

// Index of the first non-empty rectangle containing (x, y), -1 for none.
int HitIndex(const std::vector<Box>& rects, int x, int y);

// One tab of a tab set, in the tab set's own bitmap.
struct TabSetTab {
    int index = 0;  // into the tab list
    Box rect;
    bool selected = false;
};

// A tab set's row of tabs, starting at `startMargin` with tab `firstShown`:
// each is its caption width + 9 wide and full height, laid out while it ends
// before `endMargin` from the right (12 more pixels when the scroller shows).
// The first shown tab is always laid out, cut to the room there is, so a very
// long caption still shows a tab.
std::vector<TabSetTab> LayoutTabSet(int width, int height, int startMargin, int endMargin, int firstShown,
                                    const std::vector<int>& captionWidths, int selected, bool scrollerVisible);

// A header item's hot-tracking rectangle: narrowed by 3 pixels on both sides.
Box HeaderHotRect(const Box& item);

// Hot tracking of a header for a mouse move to (x, y): the first hot
// rectangle that contains the point and is not the hot item already becomes
// hot; elsewhere the hot item stays.
struct HotChange {
    int index = -1;
    bool changed = false;
};
HotChange HeaderHotItem(const std::vector<Box>& hotRects, int x, int y, int current);

// The part of the header `rc` right of its rightmost item, filled with the
// normal item picture; empty when the items reach the edge.
Box HeaderFillerRect(const Box& rc, const std::vector<Box>& items);

// Header format bits (the system's values).
constexpr unsigned kHdfJustifyMask = 0x3;
constexpr unsigned kHdfRight = 0x1;
constexpr unsigned kHdfCenter = 0x2;
constexpr unsigned kHdfImage = 0x800;
constexpr unsigned kHdfOwnerDraw = 0x8000;

TextAlign HeaderTextAlign(unsigned format);
bool HeaderShowsImage(unsigned format);

// An image followed 2 pixels later by a caption, as one block inside `rc`:
// left with a 3-pixel indent, centred, or right with a 2-pixel margin, never
// closer than 1 pixel to the left edge; the image centred vertically and only
// used when it is narrower than `rc`. The text box runs from the block's text
// start to rc's right edge (the caption is cut or ellipsed there).
struct ImgCaptionPlacement {
    Box image;  // empty without an image
    Box text;
};
ImgCaptionPlacement PlaceImgCaption(const Box& rc, Size2 image, int textWidth, TextAlign align);

}  // namespace relayon::skin::paint
