#include "skin/paint/core/ButtonLayout.h"

#include <algorithm>
#include <cwctype>

namespace relayon::skin::paint {

namespace {

BtnRect Clip(BtnRect r, const BtnRect& to) {
    r.left = std::clamp(r.left, to.left, to.right);
    r.right = std::clamp(r.right, r.left, to.right);
    r.top = std::clamp(r.top, to.top, to.bottom);
    r.bottom = std::clamp(r.bottom, r.top, to.bottom);
    return r;
}

// One span along an axis: start and length.
struct Span {
    int at = 0, len = 0;
};

BtnRect FromSpans(bool horizontal, Span along, Span across) {
    return horizontal ? BtnRect{along.at, across.at, along.at + along.len, across.at + across.len}
                      : BtnRect{across.at, along.at, across.at + across.len, along.at + along.len};
}

}  // namespace

GlyphLayout GlyphLayoutFromName(std::wstring_view name) {
    std::wstring lower(name);
    for (auto& c : lower) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    if (lower == L"blglyphright") return GlyphLayout::Right;
    if (lower == L"blglyphtop") return GlyphLayout::Top;
    if (lower == L"blglyphbottom") return GlyphLayout::Bottom;
    return GlyphLayout::Left;
}

GlyphTextPlacement PlaceGlyphAndText(int width, int height, BtnSize glyph, GlyphLayout layout, int margin,
                                     int spacing, bool centred, const MeasureText& measure) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    glyph.cx = std::max(glyph.cx, 0);
    glyph.cy = std::max(glyph.cy, 0);
    const bool horizontal = layout == GlyphLayout::Left || layout == GlyphLayout::Right;
    const bool fromFar = layout == GlyphLayout::Right || layout == GlyphLayout::Bottom;
    const int along = horizontal ? width : height, across = horizontal ? height : width;

    // The caption is wrapped into the client shrunk by 2, less the glyph and
    // its 2-pixel gap when they sit beside it.
    const int wrap = std::max(0, width - 4 - (horizontal ? glyph.cx + 2 : 0));
    BtnSize text = measure ? measure(wrap) : BtnSize{};
    text.cx = std::max(text.cx, 0);
    text.cy = std::max(text.cy, 0);

    const int g = horizontal ? glyph.cx : glyph.cy, gAcross = horizontal ? glyph.cy : glyph.cx;
    const int t = horizontal ? text.cx : text.cy, tAcross = horizontal ? text.cy : text.cx;
    if (t == 0 || g == 0) spacing = 0;
    if (margin == -1 || centred) {
        if (spacing == -1) margin = spacing = (along - g - t) / 3;
        else margin = (along - g - spacing - t) / 2;
    } else if (spacing == -1) {
        spacing = (along - margin - g - t) / 2;
    }
    margin = std::max(margin, 0);
    spacing = std::max(spacing, 0);

    // The glyph stays whole inside the client when it fits at all; the
    // caption gives way to it.
    Span glyphAlong{fromFar ? along - margin - g : margin, g};
    glyphAlong.at = std::clamp(glyphAlong.at, 0, std::max(0, along - g));
    Span textAlong;
    if (fromFar) {
        int end = std::min(glyphAlong.at - spacing, along);
        textAlong = {std::max(0, end - t), 0};
        textAlong.len = std::max(0, std::min(end, glyphAlong.at) - textAlong.at);
    } else {
        int start = std::max(glyphAlong.at + g + spacing, 0);
        textAlong = {std::min(start, along), std::max(0, std::min(t, along - start))};
    }
    const Span glyphAcross{(across - gAcross + 1) / 2, gAcross};
    const Span textAcross{(across - tAcross + 1) / 2, tAcross};

    const BtnRect client{0, 0, width, height};
    GlyphTextPlacement out;
    out.glyph = Clip(FromSpans(horizontal, glyphAlong, glyphAcross), client);
    out.text = Clip(FromSpans(horizontal, textAlong, textAcross), client);
    out.align = layout == GlyphLayout::Left ? TextAlign::Left
              : layout == GlyphLayout::Right ? TextAlign::Right
                                             : TextAlign::Centre;
    return out;
}

std::wstring ExpandLineBreaks(std::wstring_view caption) {
    std::wstring out;
    out.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'|' && i + 1 < caption.size() && caption[i + 1] == L'|') {
            out += L"\r\n";
            ++i;
        } else {
            out += caption[i];
        }
    }
    return out;
}

int CaptionWrapWidth(int width) { return std::max(0, width - 4); }

BtnRect CaptionRect(int width, int height, BtnSize text, bool centre) {
    const BtnRect area{2, 2, std::max(2, width - 2), std::max(2, height - 2)};
    BtnRect r = area;
    if (centre) {
        r.left = area.left + std::max(0, (area.Width() - text.cx) / 2);
        r.right = r.left + std::max(0, text.cx);
    }
    // One pixel above the middle, as captions of native buttons sit.
    r.top = area.top + (area.Height() - text.cy) / 2 - 1;
    r.bottom = r.top + std::max(0, text.cy);
    return Clip(r, BtnRect{0, 0, std::max(0, width), std::max(0, height)});
}

int MenuButtonTextWidth(int width, int glyphWidth) { return std::max(0, width - 4 - std::max(glyphWidth, 0) - 8); }

MenuButtonPlacement PlaceMenuButton(int width, int height, BtnSize glyph, BtnSize text, int margin, int spacing) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    const int g = std::max(glyph.cx, 0), t = std::max(text.cx, 0);
    if (spacing < 0) spacing = 4;
    // Margin -1 centres glyph, caption and arrow as one block.
    if (margin < 0) margin = std::max(0, (width - (g + t + 3 * spacing + 3)) / 2);
    const BtnRect client{0, 0, width, height};

    MenuButtonPlacement out;
    int apexX = margin + g + t + 3 * spacing;
    out.apexX = std::clamp(apexX, std::min(3, width / 2), std::max(0, width - 4));
    out.apexY = std::max(0, (height - 3) / 2) + 2;
    out.glyph = Clip(BtnRect{margin, (height - glyph.cy) / 2, margin + g, (height - glyph.cy) / 2 + glyph.cy}, client);
    // The caption never runs under the arrow.
    int textLeft = margin + g + spacing;
    int textRight = std::min(textLeft + t, out.apexX - 4);
    out.text = Clip(BtnRect{textLeft, (height - text.cy) / 2, textRight, (height - text.cy) / 2 + text.cy}, client);
    if (out.text.left < out.glyph.right) out.text.left = std::min(out.glyph.right, out.text.right);
    return out;
}

CheckPlacement PlaceCheckGlyph(int width, int height, BtnSize glyph, bool leftText, int rightInset) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    const BtnRect client{0, 0, width, height};
    const int gx = leftText ? width - glyph.cx - rightInset : 0;
    const int gy = (height - glyph.cy) / 2;
    CheckPlacement out;
    out.glyph = Clip(BtnRect{std::max(gx, 0), gy, std::max(gx, 0) + glyph.cx, gy + glyph.cy}, client);
    out.text = leftText ? Clip(BtnRect{0, 0, out.glyph.left - 2, height}, client)
                        : Clip(BtnRect{out.glyph.right + 2, 0, width, height}, client);
    return out;
}

}  // namespace relayon::skin::paint
