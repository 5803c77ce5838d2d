#pragma once
// The arithmetic of a skinned scroll bar, on plain numbers: where the overlay
// covering a native bar goes, the thumb of a scroll-bar control from its
// range, page and position, the thumb following a dragged cursor, the
// position a dragged drop-down list thumb stands for, the rectangles of the
// arrows, track, thumb and grip, and which part a point is on.
//
// Promises for any input the system may report (inverted rectangles, zero,
// negative or huge sizes, max below min, zero or negative page, a page larger
// than the range, a position outside it): nothing divides by zero, nothing
// overflows, every rectangle lies inside the bar it was computed for, and the
// thumb lies inside the track (empty when the track has no room).
namespace relayon::skin::paint {

struct BarRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool operator==(const BarRect&) const = default;
};

struct BarPoint {
    int x = 0, y = 0;
    bool operator==(const BarPoint&) const = default;
};

// A stretch along the bar, from `start` up to (not including) `end`.
struct BarSpan {
    int start = 0, end = 0;
    int Length() const { return end - start; }
    bool operator==(const BarSpan&) const = default;
};

// Part codes: the system's scroll request codes, so a code received with a
// scroll notification names the part being operated.
constexpr int kPartNone = -1;
constexpr int kPartFirstArrow = 0;   // left or up
constexpr int kPartSecondArrow = 1;  // right or down
constexpr int kPartTrackBefore = 2;
constexpr int kPartTrackAfter = 3;
constexpr int kPartThumb = 5;

// What the system reports about a scroll range.
struct ScrollRange {
    int min = 0, max = 0, page = 0, pos = 0;
};

// ---- Overlay placement ---------------------------------------------------

struct OverlayPlacement {
    bool visible = false;
    BarRect inClient;       // the bar in the control's client coordinates
    BarRect inParent;       // the overlay window in its parent's client coordinates
    BarPoint screenOrigin;  // the bar's top-left on the screen (added to forwarded points)
    int len = 0;            // bar length along its direction
};

// The overlay over a window's native bar. The bar's screen rectangle is cut
// to the control's window rectangle; a hidden window, a bar the system marks
// invisible or a bar with no area leaves the overlay hidden.
OverlayPlacement PlaceWindowBarOverlay(const BarRect& barScreen, const BarRect& windowScreen, BarPoint clientOrigin,
                                       BarPoint parentClientOrigin, bool vertical, bool windowShown, bool barInvisible);

// The overlay covering a scroll-bar control exactly (its bounds, in parent
// coordinates). Such an overlay hands on its own points, so screenOrigin
// stays (0, 0).
OverlayPlacement PlaceControlOverlay(const BarRect& boundsInParent, bool vertical, bool shown);

// The square where a horizontal and a vertical bar meet: across the vertical
// bar and along the horizontal one; `nearShift` moves its left and top,
// `farShift` its right and bottom (the control's sunken edge). Never inverted.
BarRect CornerSquare(const BarRect& hBar, const BarRect& vBar, int nearShift, int farShift);

// ---- Thumb ---------------------------------------------------------------

// The arrows' length: `cw`, or half the bar when it is shorter than two.
int ArrowLength(int len, int cw);

// The track between the arrows: from cw to len - cw, empty for a bar shorter
// than two arrows.
BarSpan TrackSpan(int len, int cw);

// The thumb of a scroll-bar control along a bar `len` long with arrows `cw`
// long. Without a page the thumb is one arrow long; with one it is as long as
// the page's share of the track, at least 8 pixels, and at most the track.
// A range with max not above min counts as huge, so the thumb stays at the
// start. Never moves backwards as the position grows.
BarSpan ControlThumb(const ScrollRange& range, int len, int cw);

// The thumb following the cursor: the thumb as it was when the button went
// down, moved by how far the cursor went along the bar, kept in the track.
BarSpan FollowCursor(BarSpan thumbAtPress, int cursorTravel, int len, int cw);

// True when a press `p` along the bar lies on the thumb (ends included).
bool OnThumb(int p, BarSpan thumb);

// The scroll position a drop-down list's thumb stands for after being
// dragged `cursorTravel` pixels from where it was pressed. Dragging past the
// end gives max - page + 1 with a page, max without one; the answer is never
// below min and does not fall as the cursor moves further.
int DraggedPosition(const ScrollRange& range, int len, int cw, BarSpan thumbAtPress, int cursorTravel);

// ---- Picture and hit test ------------------------------------------------

// The thickness the skin's parts are laid out for: the arrow image's height
// when it is within 2 pixels of the arrow length, else the arrow length.
int PartThickness(int arrowImageHeight, int cw);

// Where the parts of a bar go in the picture composed for it. `thickness` is
// the overlay's extent across the bar. A stretched picture (a scroll-bar
// control) is composed `PartThickness` thick and stretched over the overlay;
// otherwise it has the overlay's size and the parts are cut off at it.
struct BarLayout {
    bool vertical = false;
    int len = 0, thickness = 0;  // the overlay
    BarRect picture;             // the composed picture, at (0, 0)
    BarRect firstArrow, secondArrow, track;
    bool thumbShown = false, gripShown = false;
    BarRect thumb, grip;
    BarSpan thumbSpan;            // along the bar
    bool operator==(const BarLayout&) const = default;
};

BarLayout LayoutBar(int len, int thickness, bool vertical, bool stretched, int cw, int arrowImageHeight,
                    BarSpan thumb);

// The part under a point in overlay coordinates; kPartNone outside the bar.
int PartAt(const BarLayout& layout, BarPoint point);

}  // namespace relayon::skin::paint
