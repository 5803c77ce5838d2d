#pragma once
// The arithmetic of drawing one state cell of a skin image into a rectangle:
// where cell I of N lies, and how four margins cut it into up to nine pieces
// that are copied (corners at their size, edges stretched along their length,
// the centre stretched or tiled) into the destination.
//
// Margins are widths, not coordinates: left piece width, top piece height,
// right piece width, bottom piece height.
//
// Hostile input: every piece this returns lies inside the cell, and the cell
// inside the image, whatever the margins, frame index, frame count or sizes;
// a frame count below 1 or an index outside 1..N yields no cell at all. When
// the destination or the cell is smaller than two opposite margins together,
// both of those margins count as 0, so the centre covers that direction.
#include <vector>

namespace relayon::skin::paint {

struct SliceBox {
    int x = 0, y = 0, w = 0, h = 0;
    bool Empty() const { return w <= 0 || h <= 0; }
    bool operator==(const SliceBox&) const = default;
};

struct SliceMargins {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Cell `index` (from 1) of `count` equal cells side by side, or stacked top
// to bottom when `vertical`; empty when the cell does not exist or has no area.
SliceBox FrameBox(int imageWidth, int imageHeight, int index, int count, bool vertical);

struct SlicePiece {
    SliceBox src;  // inside the cell
    SliceBox dst;  // relative to the destination's top-left corner
    bool tiled = false;  // repeat src from dst's corner instead of stretching
};

// The pieces in drawing order: top-left, bottom-left, top-right, left edge,
// top edge, centre, bottom-right, right edge, bottom edge. Pieces without area
// are left out. The centre is drawn before the right and bottom pieces, so
// tiles overrunning it are covered by them.
std::vector<SlicePiece> NineSlicePlan(const SliceBox& cell, SliceMargins m, int width, int height, bool tile);

// The pieces of a three-slice band (left cap, middle repeated at its own
// width from m.left while x < width - m.right, right cap), each at full
// height; a middle without width is not repeated. Caps wider together than
// the cell or the band are both dropped. Only pieces reaching into
// the columns [visibleLeft, visibleRight) are returned, so a huge band costs
// no more than the part that can be seen.
std::vector<SlicePiece> TileBandPlan(const SliceBox& cell, SliceMargins m, int width, int height, int visibleLeft = 0,
                                     int visibleRight = 0x7FFFFFFF);

// The pieces of a band with a stretched middle (DrawRectH): narrower than the
// cell, the whole cell is stretched over the band; otherwise the two caps keep
// their width and the middle stretches between them, each at full height.
std::vector<SlicePiece> StretchBandPlan(const SliceBox& cell, SliceMargins m, int width, int height);

}  // namespace relayon::skin::paint
