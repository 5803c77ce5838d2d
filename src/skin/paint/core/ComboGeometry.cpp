#include "skin/paint/core/ComboGeometry.h"

#include <algorithm>

namespace relayon::skin::paint {

namespace {

// A box with its edges pulled inside [0, w] x [0, h] and never inverted.
Box Clamp(Box b, int w, int h) {
    w = std::max(w, 0);
    h = std::max(h, 0);
    b.left = std::clamp(b.left, 0, w);
    b.right = std::clamp(b.right, b.left, w);
    b.top = std::clamp(b.top, 0, h);
    b.bottom = std::clamp(b.bottom, b.top, h);
    return b;
}

// The same inside an area that need not start at the origin.
Box ClampTo(Box b, const Box& area) {
    Box local{b.left - area.left, b.top - area.top, b.right - area.left, b.bottom - area.top};
    local = Clamp(local, area.Width(), area.Height());
    return {local.left + area.left, local.top + area.top, local.right + area.left, local.bottom + area.top};
}

}  // namespace

int ComboFrame(const ComboState& s, int frameCount) {
    if (frameCount < 1) return 0;
    int d = 1;
    if (!s.enabled) d = 3;
    else if (s.pressed) d = 2;
    else if (s.hot || s.focused) d = 4;
    return d <= frameCount ? d : 1;
}

int MirroredFrame(int d, int frameCount) {
    if (d < 1 || d > frameCount) return 0;
    return frameCount + 1 - d;
}

Box ComboButtonStrip(int w, int h, int buttonWidth, bool leftButton) {
    const int strip = std::max(buttonWidth, 0) + 2;
    Box b = leftButton ? Box{0, 0, strip, h} : Box{w - strip, 0, w, h};
    return Clamp(b, w, h);
}

Box ComboTextHole(int w, int h, int buttonWidth, bool leftButton) {
    const int c = std::max(buttonWidth, 0);
    Box b = leftButton ? Box{c + 4, 2, w - 2, h - 2} : Box{2, 2, w - c - 4, h - 2};
    return Clamp(b, w, h);
}

Box ComboGlyphArea(const Box& strip, bool leftButton) {
    Box b = strip;
    if (leftButton) b.left += 2;
    else b.right -= 2;
    return ClampTo(b, strip);
}

Box CentredIn(const Box& area, int imageW, int imageH) {
    if (area.Empty() || imageW <= 0 || imageH <= 0) return {area.left, area.top, area.left, area.top};
    const int w = std::min(imageW, area.Width()), h = std::min(imageH, area.Height());
    const int x = area.left + (area.Width() - w) / 2, y = area.top + (area.Height() - h) / 2;
    return {x, y, x + w, y + h};
}

Box FlatButtonColumn(int w, int h, int thumbWidth, bool leftButton) {
    const Box inner = Clamp({2, 2, w - 2, h - 2}, w, h);
    const int t = std::max(thumbWidth, 0);
    Box b = leftButton ? Box{inner.left, inner.top, inner.left + t, inner.bottom}
                       : Box{inner.right - t, inner.top, inner.right, inner.bottom};
    return ClampTo(b, inner);
}

Box FlatButton(int w, int h, int thumbWidth, int cellW, int imageH, bool leftButton) {
    const Box inner = Clamp({2, 2, w - 2, h - 2}, w, h);
    const int cw = std::max(cellW, 0);
    const int height = imageH > 0 && imageH < thumbWidth ? imageH : inner.Height();
    Box b = leftButton ? Box{inner.left, inner.top, inner.left + cw, inner.top + height}
                       : Box{inner.right - cw, inner.top, inner.right, inner.top + height};
    return ClampTo(b, inner);
}

bool HasBorder(int windowW, int windowH, int clientW, int clientH) {
    return windowW != clientW && windowH != clientH;
}

bool HasWideBorder(int windowW, int windowH, int clientW, int clientH) {
    return clientW + 2 < windowW && clientH + 2 < windowH;
}

Box ArrowButtonBox(int clientW, int clientH, int buttonWidth, bool leftButton) {
    const int bw = std::max(buttonWidth, 0);
    Box b = leftButton ? Box{0, 0, bw, clientH} : Box{clientW - bw, 0, clientW, clientH};
    return Clamp(b, clientW, clientH);
}

}  // namespace relayon::skin::paint
