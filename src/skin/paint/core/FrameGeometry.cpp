#include "skin/paint/core/FrameGeometry.h"

#include <algorithm>
#include <cstdint>

namespace relayon::skin::paint {

namespace {
// Window rectangles arrive from outside; keep the sums inside int.
int Clamp(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN / 2, INT32_MAX / 2));
}
}  // namespace

Box SkinnedClientRect(int x, int y, int cx, int cy, const FrameThickness& bw, int menuHeight) {
    Box b;
    b.left = Clamp(int64_t(x) + bw.left);
    b.top = Clamp(int64_t(y) + bw.top + menuHeight);
    b.right = std::max(b.left, Clamp(int64_t(x) + cx - bw.right));
    b.bottom = std::max(b.top, Clamp(int64_t(y) + cy - bw.bottom));
    return b;
}

int ClassifyFrameHit(int systemAnswer, int yInWindow, const FrameThickness& bw, int menuHeight) {
    if (systemAnswer != kHitNowhere && systemAnswer != kHitCaption) return systemAnswer;
    if (yInWindow >= bw.top && menuHeight > 0 && yInWindow < bw.top + menuHeight) return kHitMenu;
    if (yInWindow > 3) return kHitCaption;
    return systemAnswer;
}

Size2 SkinnedWindowSize(int clientWidth, int clientHeight, const FrameThickness& bw, int menuHeight) {
    return {Clamp(int64_t(clientWidth) + bw.left + bw.right),
            Clamp(int64_t(clientHeight) + bw.top + bw.bottom + menuHeight)};
}

CaptionFit FitCaption(int width, int titleMarginLeft, int textWidth, int titleMarginRight) {
    int64_t need = int64_t(titleMarginLeft) + textWidth + titleMarginRight;
    if (need <= width) return {width, 0};
    int grown = Clamp(need);
    return {grown, (grown - width) / 2};
}

Size2 UnskinnedWindowSize(int width, int height, Size2 systemFrame, const FrameThickness& bw) {
    return {Clamp(int64_t(width) + systemFrame.cx - bw.left - bw.right),
            Clamp(int64_t(height) + systemFrame.cy - bw.top - bw.bottom)};
}

}  // namespace relayon::skin::paint
