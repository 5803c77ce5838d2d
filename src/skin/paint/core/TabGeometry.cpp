#include "skin/paint/core/TabGeometry.h"

#include <algorithm>
#include <cstdint>

namespace relayon::skin::paint {

namespace {
// Rectangles arrive from window messages; keep every sum inside int.
int Clamp(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN / 2, INT32_MAX / 2));
}

// An inverted rectangle is empty at its top-left corner.
Box Normalised(const Box& b) {
    return {b.left, b.top, std::max(b.left, b.right), std::max(b.top, b.bottom)};
}

// `b` cut to `outer` (itself normalised); empty at outer's corner when apart.
Box Inside(const Box& b, const Box& outer) {
    Box r{std::clamp(b.left, outer.left, outer.right), std::clamp(b.top, outer.top, outer.bottom),
          std::clamp(b.right, outer.left, outer.right), std::clamp(b.bottom, outer.top, outer.bottom)};
    if (r.right <= r.left || r.bottom <= r.top) return {outer.left, outer.top, outer.left, outer.top};
    return r;
}

bool IsEmpty(const Box& b) { return b.right <= b.left || b.bottom <= b.top; }

bool Contains(const Box& b, int x, int y) { return x >= b.left && x < b.right && y >= b.top && y < b.bottom; }

bool IsSide(TSkinTabPosition p) { return p == TSkinTabPosition::Stleft || p == TSkinTabPosition::Stright; }
}  // namespace

TSkinTabPosition TabPositionFromStyle(unsigned style) {
    bool bottom = style & kTcsBottom, vertical = style & kTcsVertical;
    if (bottom && vertical) return TSkinTabPosition::Stright;
    if (bottom) return TSkinTabPosition::Stbottom;
    if (vertical) return TSkinTabPosition::Stleft;
    return TSkinTabPosition::StTop;
}

TabOrientation TabOrientationFor(TSkinTabPosition position) {
    switch (position) {
        case TSkinTabPosition::Stbottom: return {true, 0};
        case TSkinTabPosition::Stleft: return {false, 270};
        case TSkinTabPosition::Stright: return {false, 90};
        case TSkinTabPosition::StTop: break;
    }
    return {false, 0};
}

Box TabPageRect(const Box& rc, const Box& display, TSkinTabPosition position) {
    Box p{Clamp(int64_t(display.left) - 4), Clamp(int64_t(display.top) - 4), Clamp(int64_t(display.right) + 4),
          Clamp(int64_t(display.bottom) + 4)};
    switch (position) {
        case TSkinTabPosition::StTop: p.top = Clamp(int64_t(p.top) + 1); break;
        case TSkinTabPosition::Stbottom: p.bottom = Clamp(int64_t(p.bottom) - 1); break;
        case TSkinTabPosition::Stleft: p.left = Clamp(int64_t(p.left) + 1); break;
        case TSkinTabPosition::Stright: p.right = Clamp(int64_t(p.right) - 1); break;
    }
    Box outer = Normalised(rc);
    // A display area that collapsed (a control too small for its tabs) gives
    // an empty page, never an inverted one the border would be drawn into.
    Box np{std::clamp(p.left, outer.left, outer.right), std::clamp(p.top, outer.top, outer.bottom),
           std::clamp(p.right, outer.left, outer.right), std::clamp(p.bottom, outer.top, outer.bottom)};
    np.right = std::max(np.left, np.right);
    np.bottom = std::max(np.top, np.bottom);
    return np;
}

Box TabStripRect(const Box& rc, const Box& page, TSkinTabPosition position) {
    Box s = Normalised(rc);
    int pageLeft = std::clamp(page.left, s.left, s.right), pageRight = std::clamp(page.right, s.left, s.right);
    int pageTop = std::clamp(page.top, s.top, s.bottom), pageBottom = std::clamp(page.bottom, s.top, s.bottom);
    switch (position) {
        case TSkinTabPosition::StTop: s.bottom = pageTop; break;
        case TSkinTabPosition::Stbottom: s.top = pageBottom; break;
        case TSkinTabPosition::Stleft: s.right = pageLeft; break;
        case TSkinTabPosition::Stright: s.left = pageRight; break;
    }
    return s;
}

Size2 TabStripBitmapSize(const Box& strip, TSkinTabPosition position) {
    Box s = Normalised(strip);
    if (IsSide(position)) return {s.Height(), s.Width()};
    return {s.Width(), s.Height()};
}

Box TabRectInStrip(const Box& item, TSkinTabPosition position, const Box& rc, const Box& page, Size2 bitmap) {
    int64_t l = item.left, t = item.top, r = item.right, b = item.bottom;
    int64_t x0 = l, y0 = t, x1 = r, y1 = b;
    switch (position) {
        case TSkinTabPosition::StTop: y0 = t + 1; y1 = b + 1; break;
        case TSkinTabPosition::Stbottom: y0 = t - (int64_t(page.bottom) + 1); y1 = b - (int64_t(page.bottom) + 1); break;
        // Laid down: the tab's run along the side becomes x, its depth y.
        case TSkinTabPosition::Stleft: x0 = bitmap.cx - b; y0 = l; x1 = bitmap.cx - t; y1 = r; break;
        case TSkinTabPosition::Stright:
            x0 = t - 1; y0 = int64_t(rc.right) - r; x1 = b - 1; y1 = int64_t(rc.right) - l; break;
    }
    Box moved{Clamp(x0), Clamp(y0), Clamp(x1), Clamp(y1)};
    Box area{0, 0, std::max(0, bitmap.cx), std::max(0, bitmap.cy)};
    Box cut = Inside(moved, area);
    return IsEmpty(cut) ? Box{0, 0, 0, 0} : cut;
}

Box ButtonTabStripRect(const Box& rc, const Box& display) {
    Box s = Normalised(rc);
    s.bottom = std::clamp(Clamp(int64_t(display.top) - 4 + 1), s.top, s.bottom);
    return s;
}

int StateCell(int wanted, int frameCount) { return std::clamp(wanted, 1, std::max(1, frameCount)); }

SliceBox StateCellBox(int imageWidth, int imageHeight, int wanted, int frameCount) {
    int count = std::max(1, frameCount);
    return FrameBox(imageWidth, imageHeight, StateCell(wanted, count), count, false);
}

Box CloseCrossRect(const Box& tab) {
    Box c{Clamp(int64_t(tab.right) - 8), Clamp(int64_t(tab.top) + 2), Clamp(int64_t(tab.right) - 2),
          Clamp(int64_t(tab.top) + 8)};
    if (c.left < tab.left || c.bottom > tab.bottom || IsEmpty(c)) return {0, 0, 0, 0};
    return c;
}

int HitIndex(const std::vector<Box>& rects, int x, int y) {
    for (size_t i = 0; i < rects.size(); ++i)
        if (!IsEmpty(rects[i]) && Contains(rects[i], x, y)) return static_cast<int>(i);
    return -1;
}

std::vector<TabSetTab> LayoutTabSet(int width, int height, int startMargin, int endMargin, int firstShown,
                                    const std::vector<int>& captionWidths, int selected, bool scrollerVisible) {
    std::vector<TabSetTab> tabs;
    if (width <= 0 || height <= 0 || firstShown < 0) return tabs;
    int64_t x = std::clamp(startMargin, 0, width);
    int64_t limit = int64_t(width) - std::max(0, endMargin) - (scrollerVisible ? 12 : 0);
    for (size_t i = static_cast<size_t>(firstShown); i < captionWidths.size(); ++i) {
        int64_t end = x + std::max(0, captionWidths[i]) + 9;
        if (end > limit) {
            // Only the first tab is cut to fit; the others wait for the scroller.
            if (!tabs.empty() || limit <= x) break;
            end = limit;
        }
        tabs.push_back({static_cast<int>(i), Box{int(x), 0, int(end), height}, static_cast<int64_t>(i) == selected});
        x = end;
    }
    return tabs;
}

Box HeaderHotRect(const Box& item) {
    Box n = Normalised(item);
    int64_t l = int64_t(n.left) + 3, r = int64_t(n.right) - 3;
    if (r <= l) return {n.left, n.top, n.left, n.top};
    return {Clamp(l), n.top, Clamp(r), n.bottom};
}

HotChange HeaderHotItem(const std::vector<Box>& hotRects, int x, int y, int current) {
    for (size_t i = 0; i < hotRects.size(); ++i) {
        int index = static_cast<int>(i);
        if (index != current && !IsEmpty(hotRects[i]) && Contains(hotRects[i], x, y)) return {index, true};
    }
    return {current, false};
}

Box HeaderFillerRect(const Box& rc, const std::vector<Box>& items) {
    Box s = Normalised(rc);
    int rightmost = s.left;
    for (const Box& b : items)
        if (!IsEmpty(b)) rightmost = std::max(rightmost, b.right);
    s.left = std::min(rightmost, s.right);
    return s;
}

TextAlign HeaderTextAlign(unsigned format) {
    switch (format & kHdfJustifyMask) {
        case kHdfRight: return TextAlign::Right;
        case kHdfCenter: return TextAlign::Centre;
        default: return TextAlign::Left;
    }
}

bool HeaderShowsImage(unsigned format) { return (format & (kHdfImage | kHdfOwnerDraw)) != 0; }

ImgCaptionPlacement PlaceImgCaption(const Box& rc, Size2 image, int textWidth, TextAlign align) {
    Box area = Normalised(rc);
    bool withImage = image.cx > 0 && image.cy > 0 && image.cx < area.Width();
    int64_t iw = withImage ? image.cx : 0;
    int64_t block = iw + (withImage ? 2 : 0) + std::max(0, textWidth);
    int64_t x = int64_t(area.left) + 3;
    if (align == TextAlign::Centre) x = area.left + (area.Width() - block) / 2;
    if (align == TextAlign::Right) x = int64_t(area.right) - 2 - block;
    x = std::max<int64_t>(x, int64_t(area.left) + 1);

    ImgCaptionPlacement out;
    if (withImage) {
        int64_t y = area.top + (int64_t(area.Height()) - image.cy) / 2;
        Box img{Clamp(x), Clamp(y), Clamp(x + image.cx), Clamp(y + image.cy)};
        out.image = Inside(img, area);
        x += iw + 2;
    }
    out.text = {Clamp(std::min<int64_t>(x, area.right)), area.top, area.right, area.bottom};
    return out;
}

}  // namespace relayon::skin::paint
