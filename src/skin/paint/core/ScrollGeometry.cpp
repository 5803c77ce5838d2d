#include "skin/paint/core/ScrollGeometry.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace relayon::skin::paint {

namespace {

// A range with max = min would divide by zero; the bar treats it as this many
// units, which keeps the thumb at the start.
constexpr int64_t kEmptyRange = 9999999;
// Below this the thumb of a paged control would be too small to grab.
constexpr int64_t kMinThumb = 8;

int ToInt(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// a * b / c rounded half away from zero, as the system's MulDiv does. Callers
// keep one factor within 2^31 and the other below 2^32 so the product fits in
// 64 bits; c must be positive.
int64_t MulDiv(int64_t a, int64_t b, int64_t c) {
    int64_t p = a * b;
    return p >= 0 ? (p + c / 2) / c : -((-p + c / 2) / c);
}

BarRect Normalised(const BarRect& r) {
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
            std::max(r.top, r.bottom)};
}

// Width and height of a rectangle spanning most of the int range do not fit
// in an int; such a rectangle is cut to what can be measured.
BarRect Measurable(BarRect r) {
    r.right = ToInt(std::min<int64_t>(r.right, int64_t(r.left) + std::numeric_limits<int>::max()));
    r.bottom = ToInt(std::min<int64_t>(r.bottom, int64_t(r.top) + std::numeric_limits<int>::max()));
    return r;
}

BarRect Moved(const BarRect& r, int64_t dx, int64_t dy) {
    return {ToInt(r.left + dx), ToInt(r.top + dy), ToInt(r.right + dx), ToInt(r.bottom + dy)};
}

// A rectangle from a span along the bar and an extent across it from 0.
BarRect Oriented(bool vertical, BarSpan along, int across) {
    return vertical ? BarRect{0, along.start, across, along.end} : BarRect{along.start, 0, along.end, across};
}

}  // namespace

OverlayPlacement PlaceWindowBarOverlay(const BarRect& barScreen, const BarRect& windowScreen, BarPoint clientOrigin,
                                       BarPoint parentClientOrigin, bool vertical, bool windowShown,
                                       bool barInvisible) {
    OverlayPlacement p;
    if (!windowShown || barInvisible) return p;
    BarRect bar = Normalised(barScreen), win = Normalised(windowScreen);
    bar = Measurable({std::max(bar.left, win.left), std::max(bar.top, win.top), std::min(bar.right, win.right),
                      std::min(bar.bottom, win.bottom)});
    if (bar.Empty()) return p;
    p.visible = true;
    p.inClient = Moved(bar, -int64_t(clientOrigin.x), -int64_t(clientOrigin.y));
    p.inParent = Moved(bar, -int64_t(parentClientOrigin.x), -int64_t(parentClientOrigin.y));
    p.screenOrigin = {bar.left, bar.top};
    p.len = vertical ? bar.Height() : bar.Width();
    return p;
}

OverlayPlacement PlaceControlOverlay(const BarRect& boundsInParent, bool vertical, bool shown) {
    OverlayPlacement p;
    const BarRect b = Measurable(Normalised(boundsInParent));
    if (!shown || b.Empty()) return p;
    p.visible = true;
    p.inParent = b;
    p.inClient = {0, 0, b.Width(), b.Height()};
    p.len = vertical ? b.Height() : b.Width();
    return p;
}

BarRect CornerSquare(const BarRect& hBar, const BarRect& vBar, int nearShift, int farShift) {
    BarRect r{ToInt(int64_t(vBar.left) + nearShift), ToInt(int64_t(hBar.top) + nearShift),
              ToInt(int64_t(vBar.right) + farShift), ToInt(int64_t(hBar.bottom) + farShift)};
    r.right = std::max(r.left, r.right);
    r.bottom = std::max(r.top, r.bottom);
    return r;
}

int ArrowLength(int len, int cw) {
    len = std::max(len, 0);
    cw = std::max(cw, 0);
    return int64_t(len) < 2 * int64_t(cw) ? len / 2 : cw;
}

BarSpan TrackSpan(int len, int cw) {
    len = std::max(len, 0);
    cw = std::max(cw, 0);
    int start = std::min(cw, len);
    return {start, std::max(start, len - cw)};
}

BarSpan ControlThumb(const ScrollRange& r, int len, int cw) {
    len = std::max(len, 0);
    cw = std::max(cw, 0);
    const BarSpan track = TrackSpan(len, cw);
    const int64_t room = track.Length();
    if (room <= 0) return {track.start, track.start};

    int64_t range = int64_t(r.max) - r.min;
    if (range <= 0) range = kEmptyRange;
    // How far the position is into the range; outside positions count as
    // its ends.
    const int64_t into = std::clamp<int64_t>(int64_t(r.pos) - r.min, 0, range);

    int64_t thumbLen, start;
    if (r.page > 0) {
        thumbLen = MulDiv(room, std::min<int64_t>(int64_t(r.page) - 1, range), range);
        if (thumbLen > 7) {
            start = track.start + MulDiv(room, into, range);
        } else {
            thumbLen = kMinThumb;
            start = track.start + MulDiv(std::max<int64_t>(room - kMinThumb, 0), into, range);
        }
    } else {
        thumbLen = cw;
        start = track.start + MulDiv(std::max<int64_t>(int64_t(len) - 3 * int64_t(cw), 0), into, range);
    }
    // A page larger than the range, or a bar too short for the smallest
    // thumb, gives a thumb that fills the track.
    thumbLen = std::min(thumbLen, room);
    start = std::clamp<int64_t>(start, track.start, track.end - thumbLen);
    return {ToInt(start), ToInt(start + thumbLen)};
}

BarSpan FollowCursor(BarSpan thumbAtPress, int cursorTravel, int len, int cw) {
    const BarSpan track = TrackSpan(len, cw);
    const int64_t thumbLen = std::clamp<int64_t>(int64_t(thumbAtPress.end) - thumbAtPress.start, 0, track.Length());
    const int64_t start =
        std::clamp<int64_t>(int64_t(thumbAtPress.start) + cursorTravel, track.start, track.end - thumbLen);
    return {ToInt(start), ToInt(start + thumbLen)};
}

bool OnThumb(int p, BarSpan thumb) { return p >= thumb.start && p <= thumb.end; }

int DraggedPosition(const ScrollRange& r, int len, int cw, BarSpan thumbAtPress, int cursorTravel) {
    len = std::max(len, 0);
    cw = std::max(cw, 0);
    const int64_t track = int64_t(len) - 2 * int64_t(cw);
    const int64_t thumbLen = std::max<int64_t>(int64_t(thumbAtPress.end) - thumbAtPress.start, 0);
    const int64_t room = track - thumbLen;
    const int64_t offset = int64_t(thumbAtPress.start) - cw;
    // How far the thumb's start is into the track after the drag, kept to
    // what the track can hold so the products below stay small.
    const int64_t n = std::clamp<int64_t>(offset + cursorTravel, 0, std::max<int64_t>(room, 0) + 1);
    const int64_t lo = r.min;
    const int64_t span = std::max<int64_t>(int64_t(r.max) - r.min, 0);

    int64_t pos = lo;
    // A thumb with no room to move stands for the start.
    if (r.page > 0) {
        if (room > 0) {
            pos = lo + MulDiv(std::min(n, room + 1), span - r.page, room);
            if (pos >= int64_t(r.max) - r.page) pos = int64_t(r.max) - r.page + 1;
        }
    } else if (room > 0) {
        // Shared over the room the thumb can travel, so the thumb at the end
        // of the track stands for max.
        pos = std::min<int64_t>(lo + MulDiv(std::min(n, room), span, room), lo + span);
    }
    return ToInt(std::max(pos, lo));
}

int PartThickness(int arrowImageHeight, int cw) {
    int64_t diff = int64_t(arrowImageHeight) - cw;
    return std::max(0, diff >= -2 && diff <= 2 ? arrowImageHeight : cw);
}

BarLayout LayoutBar(int len, int thickness, bool vertical, bool stretched, int cw, int arrowImageHeight,
                    BarSpan thumb) {
    BarLayout l;
    l.vertical = vertical;
    l.len = len = std::max(len, 0);
    l.thickness = thickness = std::max(thickness, 0);
    cw = std::max(cw, 0);
    const int s = PartThickness(arrowImageHeight, cw);
    const int pictureAcross = stretched ? s : thickness;
    const int across = std::min(s, pictureAcross);
    l.picture = Oriented(vertical, {0, len}, pictureAcross);

    const int a = ArrowLength(len, cw);
    l.firstArrow = Oriented(vertical, {0, a}, across);
    l.secondArrow = Oriented(vertical, {len - a, len}, across);
    const BarSpan track = TrackSpan(len, cw);
    l.track = Oriented(vertical, track, across);

    l.thumbSpan = thumb;
    l.thumbShown = thumb.start < thumb.end && thumb.start >= track.start && thumb.end <= track.end && across > 0;
    if (!l.thumbShown) return l;
    l.thumb = Oriented(vertical, thumb, across);

    // The grip is centred on the thumb when the thumb is long enough for it.
    const int64_t g = arrowImageHeight, t = thumb.Length();
    if (g <= 0 || g >= t + 2) return l;
    const int64_t gripStart = thumb.start + (t - g) / 2;
    if (gripStart < 0 || gripStart + g > len) return l;
    l.gripShown = true;
    l.grip = Oriented(vertical, {ToInt(gripStart), ToInt(gripStart + g)}, across);
    return l;
}

int PartAt(const BarLayout& l, BarPoint point) {
    const int p = l.vertical ? point.y : point.x, q = l.vertical ? point.x : point.y;
    if (p < 0 || p >= l.len || q < 0 || q >= l.thickness) return kPartNone;
    const int firstEnd = l.vertical ? l.firstArrow.bottom : l.firstArrow.right;
    const int secondStart = l.vertical ? l.secondArrow.top : l.secondArrow.left;
    const int trackStart = l.vertical ? l.track.top : l.track.left;
    const int trackEnd = l.vertical ? l.track.bottom : l.track.right;
    if (p < firstEnd) return kPartFirstArrow;
    if (p >= secondStart) return kPartSecondArrow;
    // The odd pixel between the two halves of a bar too short for a track.
    if (p < trackStart || p >= trackEnd) return kPartNone;
    if (p < l.thumbSpan.start) return kPartTrackBefore;
    if (l.thumbShown && p < l.thumbSpan.end) return kPartThumb;
    return kPartTrackAfter;
}

}  // namespace relayon::skin::paint
