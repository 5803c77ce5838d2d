#include "skin/paint/core/MenuGeometry.h"

#include <algorithm>
#include <cstdint>

namespace relayon::skin::paint {

namespace {
// Sizes and positions come from windows and skins; keep the sums inside int.
int Clamp(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN / 2, INT32_MAX / 2)); }

// Upper case of the alphabets menu captions mark (Latin, Greek, Cyrillic),
// without depending on the process locale.
wchar_t FoldUpper(wchar_t c) {
    if ((c >= L'a' && c <= L'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) ||
        (c >= 0x430 && c <= 0x44F))
        return static_cast<wchar_t>(c - 0x20);
    if (c >= 0x450 && c <= 0x45F) return static_cast<wchar_t>(c - 0x50);
    return c;
}

Box Intersect(const Box& a, const Box& b) {
    Box r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    if (r.right <= r.left || r.bottom <= r.top) return Box{};
    return r;
}
}  // namespace

int GlyphColumn(int imageListWidth, bool checked) {
    int g = imageListWidth > 0 ? imageListWidth : 16;
    return checked ? std::max(g, 16) : g;
}

MenuItemParts LayoutMenuItem(const Box& item, int indent, int glyph, bool separator, bool rightToLeft) {
    MenuItemParts p;
    indent = std::max(indent, 0);
    glyph = std::max(glyph, 0);
    if (separator) {
        p.text = {Clamp(int64_t(item.left) + 3), item.top, Clamp(int64_t(item.right) - 1), item.bottom};
        if (rightToLeft) p.text = {Clamp(int64_t(item.left) + 1), item.top, Clamp(int64_t(item.right) - 3), item.bottom};
    } else if (!rightToLeft) {
        int left = Clamp(int64_t(item.left) + 1 + indent);
        p.glyph = {left, item.top + 1, Clamp(int64_t(left) + glyph), Clamp(int64_t(item.top) + 1 + glyph)};
        p.text = {Clamp(int64_t(p.glyph.right) + 3), item.top, Clamp(int64_t(item.right) - 1), item.bottom};
    } else {
        int right = Clamp(int64_t(item.right) - 1 - indent);
        p.glyph = {Clamp(int64_t(right) - glyph), item.top + 1, right, Clamp(int64_t(item.top) + 1 + glyph)};
        p.text = {Clamp(int64_t(item.left) + 1), item.top, Clamp(int64_t(p.glyph.left) - 3), item.bottom};
    }
    p.text.right = std::max(p.text.right, p.text.left);
    return p;
}

Box CentreTextVertically(const Box& area, int textHeight) {
    int shift = std::max(0, (area.Height() - textHeight) / 2);
    return {area.left, area.top + shift, area.right, area.bottom + shift};
}

Box ShortcutArea(const Box& item, int captionRight, bool rightToLeft) {
    if (rightToLeft) return {Clamp(int64_t(item.left) + 10), item.top, item.right, item.bottom};
    int right = Clamp(int64_t(item.right) - 11);
    return {std::min(captionRight, right), item.top, right, item.bottom};
}

Point2 CheckMarkOrigin(const Box& item, const Box& glyph, int markW, int markH) {
    return {Clamp(int64_t(glyph.left) + (glyph.Width() - markW) / 2 + 1),
            Clamp(int64_t(item.top) + (item.Height() - markH) / 2 + 1)};
}

int MainMenuItemWidth(int measured, int indent, bool hasImages) {
    return Clamp(int64_t(measured) + std::max(indent, 0) + (hasImages ? 10 : 35));
}

int PopupMenuItemWidth(int measured, int indent, bool hasImages) {
    return Clamp(int64_t(measured) + std::max(indent, 0) + (hasImages ? 12 : 35));
}

Size2 MeasureFromText(int textWidth, int textHeight, int indent, bool hasText, bool unicodePlatform) {
    Size2 s;
    s.cx = Clamp(int64_t(textWidth) + 26 + std::max(indent, 0));
    s.cy = hasText ? Clamp(int64_t(textHeight) + 4) : 8;
    if (!unicodePlatform) s.cy += 4;
    return s;
}

Box ClampToImage(const Box& src, int w, int h) { return Intersect(src, Box{0, 0, std::max(w, 0), std::max(h, 0)}); }

Box ItemBackgroundSource(const Box& item, int bgWidth, int bgHeight) {
    Box moved{Clamp(int64_t(item.left) + kMenuBorder), Clamp(int64_t(item.top) + kMenuBorder),
              Clamp(int64_t(item.right) + kMenuBorder), Clamp(int64_t(item.bottom) + kMenuBorder)};
    return ClampToImage(moved, bgWidth, bgHeight);
}

std::vector<Slice> SeparatorSlices(const Box& item, int imageW, int imageH, int frames, int frameIndex, int capL,
                                   int capR) {
    std::vector<Slice> out;
    if (frames < 1 || frameIndex < 0 || frameIndex >= frames || imageW < frames || imageH < 1) return out;
    if (item.Width() <= 0 || item.Height() <= 0) return out;
    int cellW = imageW / frames;
    int cellLeft = cellW * frameIndex;
    int top = imageH > item.Height() ? imageH - item.Height() : 0;
    int rows = imageH - top;
    // Caps never overlap inside the cell or the item.
    capL = std::clamp(capL, 0, cellW);
    capR = std::clamp(capR, 0, cellW - capL);
    int room = item.Width();
    if (capL + capR > room) {
        capL = std::min(capL, room / 2);
        capR = std::min(capR, room - capL);
    }
    auto add = [&](int sx, int sw, int dx, int dw) {
        if (sw <= 0 || dw <= 0) return;
        out.push_back({{sx, top, sx + sw, top + rows}, {dx, item.top, dx + dw, item.bottom}});
    };
    add(cellLeft, capL, item.left, capL);
    add(cellLeft + capL, cellW - capL - capR, item.left + capL, room - capL - capR);
    add(cellLeft + cellW - capR, capR, item.right - capR, capR);
    return out;
}

std::vector<Box> LayoutBarButtons(const Box& bar, const std::vector<BarButtonInfo>& buttons, const BarSkin& skin,
                                  bool rightToLeft, int rightReserve) {
    std::vector<Box> out(buttons.size());
    int start = skin.hasMenubar ? (rightToLeft ? skin.right + 8 : skin.left + 4) : 6;
    if (skin.hasMenubar && bar.Width() < start) start = 12;
    int x = rightToLeft ? Clamp(int64_t(bar.right) - start - std::max(rightReserve, 0)) : Clamp(int64_t(bar.left) + start);
    int bottom = std::max(bar.top, bar.bottom - 1);
    for (size_t i = 0; i < buttons.size(); ++i) {
        const BarButtonInfo& b = buttons[i];
        if (!b.visible) continue;
        int w = b.hasCaption ? Clamp(int64_t(std::max(b.captionWidth, 0)) + 10) : 0;
        if (rightToLeft) {
            out[i] = {Clamp(int64_t(x) - w), bar.top, x, bottom};
            x = out[i].left;
        } else {
            out[i] = {x, bar.top, Clamp(int64_t(x) + w), bottom};
            x = out[i].right;
        }
    }
    return out;
}

int FindBarButton(const std::vector<Box>& bounds, const std::vector<BarButtonInfo>& buttons, int x, int y) {
    size_t n = std::min(bounds.size(), buttons.size());
    for (size_t i = 0; i < n; ++i) {
        const Box& b = bounds[i];
        if (buttons[i].hasCaption && x >= b.left && x < b.right && y >= b.top && y < b.bottom) return static_cast<int>(i);
    }
    return -1;
}

wchar_t AcceleratorOf(const std::wstring& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        return static_cast<wchar_t>(FoldUpper(caption[i + 1]));
    }
    return 0;
}

std::wstring StripAccelerator(const std::wstring& caption) {
    std::wstring out;
    for (size_t i = 0; i < caption.size(); ++i) {
        // "&x" shows x underlined, "&&" a plain ampersand; a lone trailing "&" nothing.
        if (caption[i] == L'&') {
            if (++i < caption.size()) out += caption[i];
            continue;
        }
        out += caption[i];
    }
    return out;
}

bool MatchesAccelerator(const std::wstring& caption, wchar_t key) {
    wchar_t a = AcceleratorOf(caption);
    return a != 0 && key != 0 && a == static_cast<wchar_t>(FoldUpper(key));
}

int NeighbourButton(const std::vector<bool>& usable, int from, int step) {
    int n = static_cast<int>(usable.size());
    if (n == 0) return -1;
    step = step < 0 ? -1 : 1;
    int i = from < 0 || from >= n ? (step > 0 ? -1 : n) : from;
    for (int k = 0; k < n; ++k) {
        i = ((i + step) % n + n) % n;
        if (usable[static_cast<size_t>(i)]) return i;
    }
    return from >= 0 && from < n && usable[static_cast<size_t>(from)] ? from : -1;
}

}  // namespace relayon::skin::paint
