#include "skin/paint/core/BarGeometry.h"

#include <algorithm>
#include <cstdint>

namespace relayon::skin::paint {

namespace {

int ClampInt(int64_t v, int lo, int hi) {
    if (hi < lo) return lo;
    return static_cast<int>(std::clamp<int64_t>(v, lo, hi));
}

}  // namespace

int ProgressFilled(int length, int pos, int min, int max) {
    if (length <= 0 || pos <= 0 || max <= 0) return 0;
    // A range of no width, or one the wrong way round, has no filled part.
    if (max <= min) return 0;
    const int64_t span = static_cast<int64_t>(max) - min;
    const int64_t done = std::clamp<int64_t>(static_cast<int64_t>(pos) - min, 0, span);
    return ClampInt(static_cast<int64_t>(length) * done / span, 0, length);
}

ChunkStrip ProgressChunks(int barLength, int filled, int chunkWidth, int leftMargin, int inset) {
    ChunkStrip s;
    if (barLength <= 0 || filled <= 0 || chunkWidth <= 0) return s;
    const int x = ClampInt(static_cast<int64_t>(leftMargin) + inset, 0, barLength);
    const int end = ClampInt(static_cast<int64_t>(x) + filled, x, std::max(x, barLength - std::max(inset, 0)));
    s.x = x;
    // A fill longer than the bar still needs no more copies than the bar holds.
    s.count = ClampInt(static_cast<int64_t>(std::min(filled, barLength)) / chunkWidth + 1, 0, INT32_MAX);
    s.visible = {x, end};
    return s;
}

int CentredOffset(int outer, int inner) {
    if (inner >= outer || inner < 0) return 0;
    return static_cast<int>((static_cast<int64_t>(outer) - inner) / 2);
}

BarRect ClipTo(const BarRect& r, const BarRect& bounds) {
    BarRect c{std::max(r.left, bounds.left), std::max(r.top, bounds.top), std::min(r.right, bounds.right),
              std::min(r.bottom, bounds.bottom)};
    if (c.Empty()) return {bounds.left, bounds.top, bounds.left, bounds.top};
    return c;
}

BarRect StatusPanelRect(const BarRect& part, bool last, int barWidth, int barHeight) {
    BarRect r = part;
    r.right = last ? barWidth : ClampInt(static_cast<int64_t>(part.right) + 2, INT32_MIN, INT32_MAX);
    // An inverted part stays inverted (it is not drawn); only a sound one is cut.
    if (r.right < r.left || r.bottom < r.top) return r;
    return ClipTo(r, {0, 0, std::max(barWidth, 0), std::max(barHeight, 0)});
}

BarRect SizeGripRect(int barWidth, int barHeight, int gripW, int gripH) {
    if (barWidth <= 0 || barHeight <= 0 || gripW <= 0 || gripH <= 0) return {};
    const int64_t right = static_cast<int64_t>(barWidth) - 1, bottom = static_cast<int64_t>(barHeight) - 1;
    BarRect r{ClampInt(right - gripW, INT32_MIN, INT32_MAX), ClampInt(bottom - gripH, INT32_MIN, INT32_MAX),
              static_cast<int>(right), static_cast<int>(bottom)};
    return ClipTo(r, {0, 0, barWidth, barHeight});
}

bool HasCell(int I, int N) { return N >= 1 && I >= 1 && I <= N; }

SpinHalves SplitSpin(const BarRect& r, bool horizontal) {
    if (r.Empty()) return {r, r};
    if (horizontal) {
        const int mid = r.left + r.Width() / 2;
        return {{r.left, r.top, mid, r.bottom}, {mid, r.top, r.right, r.bottom}};
    }
    const int mid = r.top + r.Height() / 2;
    return {{r.left, r.top, r.right, mid}, {r.left, mid, r.right, r.bottom}};
}

SpinStates SpinHalfStates(bool pressed, bool hot, bool disabled, int under) {
    if (disabled) return {3, 3};
    int shown = pressed ? 2 : hot ? 4 : 1;
    SpinStates s;
    if (under == 1) s.first = shown;
    else if (under == 2) s.second = shown;
    return s;
}

BarRect SpinInsideHost(int w, int h, int ox, int oy, int hostW, int hostH, int margin) {
    if (w <= 0 || h <= 0) return {};
    // The host's allowed area in the up-down's own coordinates.
    const int64_t top = static_cast<int64_t>(margin) - oy;
    const int64_t bottom = static_cast<int64_t>(hostH) - margin - oy;
    const int64_t right = static_cast<int64_t>(hostW) - margin - ox;
    BarRect allowed{0, ClampInt(top, 0, h), ClampInt(right, 0, w), ClampInt(bottom, 0, h)};
    return ClipTo(allowed, {0, 0, w, h});
}

int ChannelImageStart(int channelStart, int channelThick, int imageThick) {
    return ClampInt(static_cast<int64_t>(channelStart) + CentredOffset(channelThick, imageThick), INT32_MIN,
                    INT32_MAX);
}

}  // namespace relayon::skin::paint
