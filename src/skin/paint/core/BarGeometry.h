#pragma once
// The arithmetic of skinned bars on plain numbers: how much of a progress bar
// is filled, where its chunks go, where a status-bar panel and the size grip
// are drawn, the two halves of an up-down and their states, the up-down's
// drawing area inside an edit, and a track-bar thumb kept inside its bar.
//
// Promises for any input the system may report (max below min, a position
// outside the range, zero or negative sizes, inverted rectangles, huge
// values): nothing divides by zero, nothing overflows, and every rectangle
// answered lies inside the area it was computed for (empty when there is no
// room).
#include "skin/paint/core/ScrollGeometry.h"

namespace relayon::skin::paint {

// ---- Progress bar ---------------------------------------------------------

// The filled length of a bar `length` long at `pos` in min..max. Nothing is
// filled unless pos and max are above 0 (the system's empty bar); a range
// of no width fills nothing, a position beyond max fills the whole bar and
// one below min nothing.
int ProgressFilled(int length, int pos, int min, int max);

// The chunk strip of a chunked bar: `count` copies of a chunk `chunkWidth`
// wide start at `x`; `visible` is the part of the strip that is drawn, cut
// to the filled length and to the bar less `inset` at the far end.
struct ChunkStrip {
    int count = 0;
    int x = 0;
    BarSpan visible;
};
ChunkStrip ProgressChunks(int barLength, int filled, int chunkWidth, int leftMargin, int inset = 2);

// Where something `inner` long goes centred in `outer`: its start offset (0
// when it does not fit).
int CentredOffset(int outer, int inner);

// ---- Status bar -----------------------------------------------------------

// A panel's drawing rectangle from the part rectangle the system reports:
// widened by 2 on the right, the last panel reaching the bar's right edge;
// cut to the bar.
BarRect StatusPanelRect(const BarRect& part, bool last, int barWidth, int barHeight);
// The size grip of a grip image gripW x gripH at its own size in the
// bottom-right corner, ending 1 pixel inside both edges; cut to the bar.
BarRect SizeGripRect(int barWidth, int barHeight, int gripW, int gripH);

// Whether frame I of N exists (1 <= I <= N).
bool HasCell(int I, int N);

// ---- Up-down --------------------------------------------------------------

// The two halves of an up-down: first the up (or left) half, then the down
// (or right) half.
struct SpinHalves {
    BarRect first, second;
};
SpinHalves SplitSpin(const BarRect& r, bool horizontal);

// Cell numbers (1 normal, 2 pressed, 3 disabled, 4 hot) of the two halves.
// `under` is the half under the cursor: 0 none, 1 first, 2 second.
struct SpinStates {
    int first = 1, second = 1;
};
SpinStates SpinHalfStates(bool pressed, bool hot, bool disabled, int under);

// An up-down inside an edit: its own client rectangle (0, 0, w, h) cut so
// that it keeps `margin` pixels from the host's top, bottom and right edges.
// (ox, oy) is the up-down's client origin in the host's window coordinates,
// hostW x hostH the host's window size.
BarRect SpinInsideHost(int w, int h, int ox, int oy, int hostW, int hostH, int margin = 3);

// ---- Track bar ------------------------------------------------------------

// A rectangle cut to `bounds` (empty, at bounds' top-left, when they do not meet).
BarRect ClipTo(const BarRect& r, const BarRect& bounds);

// A channel image `imageThick` thick centred across a channel whose
// thickness is `channelThick` starting at `channelStart`: its start (the
// channel's start when the image is not thinner).
int ChannelImageStart(int channelStart, int channelThick, int imageThick);

}  // namespace relayon::skin::paint
