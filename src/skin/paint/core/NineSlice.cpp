#include "NineSlice.h"

#include <algorithm>
#include <cstdint>

namespace relayon::skin::paint {

SliceBox FrameBox(int imageWidth, int imageHeight, int index, int count, bool vertical) {
    if (count < 1 || index < 1 || index > count || imageWidth <= 0 || imageHeight <= 0) return {};
    if (vertical) {
        const int h = imageHeight / count;
        return h > 0 ? SliceBox{0, (index - 1) * h, imageWidth, h} : SliceBox{};
    }
    const int w = imageWidth / count;
    return w > 0 ? SliceBox{(index - 1) * w, 0, w, imageHeight} : SliceBox{};
}

namespace {

// Negative margins mean nothing sensible; treat them as no margin.
int NonNegative(int v) { return std::max(v, 0); }

}  // namespace

std::vector<SlicePiece> NineSlicePlan(const SliceBox& cell, SliceMargins m, int W, int H, bool tile) {
    std::vector<SlicePiece> out;
    if (cell.Empty() || W <= 0 || H <= 0) return out;
    m = {NonNegative(m.left), NonNegative(m.top), NonNegative(m.right), NonNegative(m.bottom)};
    // A destination or a cell too small for both margins of a direction drops
    // them, so nothing is read or written past either edge.
    if (W < m.left + m.right || cell.w < m.left + m.right) m.left = m.right = 0;
    if (H < m.top + m.bottom || cell.h < m.top + m.bottom) m.top = m.bottom = 0;
    const int cx = cell.x, cy = cell.y, cw = cell.w, ch = cell.h;
    const int midSrcW = cw - m.left - m.right, midSrcH = ch - m.top - m.bottom;
    const int midDstW = W - m.left - m.right, midDstH = H - m.top - m.bottom;
    auto add = [&](SliceBox s, SliceBox d, bool tiled = false) {
        if (!s.Empty() && !d.Empty()) out.push_back({s, d, tiled});
    };
    add({cx, cy, m.left, m.top}, {0, 0, m.left, m.top});
    add({cx, cy + ch - m.bottom, m.left, m.bottom}, {0, H - m.bottom, m.left, m.bottom});
    add({cx + cw - m.right, cy, m.right, m.top}, {W - m.right, 0, m.right, m.top});
    add({cx, cy + m.top, m.left, midSrcH}, {0, m.top, m.left, midDstH});
    add({cx + m.left, cy, midSrcW, m.top}, {m.left, 0, midDstW, m.top});
    add({cx + m.left, cy + m.top, midSrcW, midSrcH}, {m.left, m.top, midDstW, midDstH}, tile);
    add({cx + cw - m.right, cy + ch - m.bottom, m.right, m.bottom}, {W - m.right, H - m.bottom, m.right, m.bottom});
    add({cx + cw - m.right, cy + m.top, m.right, midSrcH}, {W - m.right, m.top, m.right, midDstH});
    add({cx + m.left, cy + ch - m.bottom, midSrcW, m.bottom}, {m.left, H - m.bottom, midDstW, m.bottom});
    return out;
}

std::vector<SlicePiece> TileBandPlan(const SliceBox& cell, SliceMargins m, int W, int H, int visibleLeft,
                                     int visibleRight) {
    std::vector<SlicePiece> out;
    if (cell.Empty() || W <= 0 || H <= 0 || visibleRight <= visibleLeft) return out;
    int left = NonNegative(m.left), right = NonNegative(m.right);
    // As with nine slices: caps that do not fit the cell or the band together
    // are dropped, and the whole cell repeats.
    if (int64_t(left) + right > cell.w || int64_t(left) + right > W) left = right = 0;
    auto add = [&](SliceBox s, SliceBox d) {
        if (!s.Empty() && !d.Empty() && d.x < visibleRight && int64_t(d.x) + d.w > visibleLeft)
            out.push_back({s, d, false});
    };
    add({cell.x, cell.y, left, cell.h}, {0, 0, left, H});
    const int mid = cell.w - left - right;
    if (mid > 0) {
        // Start at the first copy that reaches the visible columns.
        int64_t x = left;
        if (visibleLeft > left) x += int64_t(visibleLeft - left) / mid * mid;
        const int64_t end = std::min<int64_t>(int64_t(W) - right, visibleRight);
        for (; x < end; x += mid) add({cell.x + left, cell.y, mid, cell.h}, {int(x), 0, mid, H});
    }
    add({cell.x + cell.w - right, cell.y, right, cell.h}, {W - right, 0, right, H});
    return out;
}

std::vector<SlicePiece> StretchBandPlan(const SliceBox& cell, SliceMargins m, int W, int H) {
    std::vector<SlicePiece> out;
    if (cell.Empty() || W <= 0 || H <= 0) return out;
    if (W < cell.w) {
        out.push_back({cell, {0, 0, W, H}, false});
        return out;
    }
    const int left = std::clamp(m.left, 0, cell.w);
    const int right = std::clamp(m.right, 0, cell.w - left);
    auto add = [&](SliceBox s, SliceBox d) {
        if (!s.Empty() && !d.Empty()) out.push_back({s, d, false});
    };
    add({cell.x, cell.y, left, cell.h}, {0, 0, left, H});
    add({cell.x + left, cell.y, cell.w - left - right, cell.h}, {left, 0, W - left - right, H});
    add({cell.x + cell.w - right, cell.y, right, cell.h}, {W - right, 0, right, H});
    return out;
}

}  // namespace relayon::skin::paint
