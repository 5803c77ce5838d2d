#pragma once
// Where the parts of a skinned button go inside its client area: a bit or
// speed button's glyph and caption for the four layouts, a push button's
// caption block, a drop-down button's arrow, and a check or radio box's
// glyph and caption. Coordinates are relative to the client's top-left.
//
// Promises, whatever the sizes, margins and spacings: the glyph and the text
// rectangle never overlap, and both lie inside the client (a glyph larger
// than the client is clipped to it, a caption that does not fit is cut).
#include <functional>
#include <string>
#include <string_view>

namespace relayon::skin::paint {

struct BtnRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool operator==(const BtnRect&) const = default;
};

struct BtnSize {
    int cx = 0, cy = 0;
};

enum class GlyphLayout { Left, Right, Top, Bottom };

// Names of the published Layout values ("blGlyphLeft", ...), any case;
// anything else is Left.
GlyphLayout GlyphLayoutFromName(std::wstring_view name);

enum class TextAlign { Left, Centre, Right };

struct GlyphTextPlacement {
    BtnRect glyph;        // empty when there is no glyph
    BtnRect text;         // empty when there is no caption
    TextAlign align = TextAlign::Left;
};

// Measures the caption word-wrapped into at most `maxWidth` pixels.
using MeasureText = std::function<BtnSize(int maxWidth)>;

// Glyph and caption of a bit or speed button. Margin -1 (or `centred`, the
// published Alignment taCenter) centres glyph and caption together, with
// Spacing -1 sharing the free room equally between the two edges and the
// gap; otherwise Margin is the distance from the glyph's edge and Spacing -1
// puts the caption halfway into the room left after it.
GlyphTextPlacement PlaceGlyphAndText(int width, int height, BtnSize glyph, GlyphLayout layout, int margin,
                                     int spacing, bool centred, const MeasureText& measure);

// Every "||" becomes a line break (CR LF).
std::wstring ExpandLineBreaks(std::wstring_view caption);

// A push button's caption block of size `text` inside the client shrunk by 2:
// centred across when `centre`, else spanning the area; vertically at
// (height - text height) / 2 - 1, never above the area's top.
BtnRect CaptionRect(int width, int height, BtnSize text, bool centre);
// The width the caption is wrapped into.
int CaptionWrapWidth(int width);

// A drop-down button: glyph at Margin, caption after Spacing, and the arrow
// (a filled triangle pointing down, apex `apexX`,`apexY`, base three pixels
// either side one row above the middle) after the caption.
struct MenuButtonPlacement {
    BtnRect glyph;
    BtnRect text;
    int apexX = 0, apexY = 0;  // the triangle spans apexX-3..apexX+3, apexY-3..apexY
};
// The caption area leaves room for the glyph and the arrow.
int MenuButtonTextWidth(int width, int glyphWidth);
MenuButtonPlacement PlaceMenuButton(int width, int height, BtnSize glyph, BtnSize text, int margin, int spacing);

// A check or radio box: the glyph vertically centred at the left edge, or at
// the right edge (moved `rightInset` pixels in) for left-text boxes; the
// caption takes the rest after a 2-pixel gap.
struct CheckPlacement {
    BtnRect glyph;
    BtnRect text;
};
CheckPlacement PlaceCheckGlyph(int width, int height, BtnSize glyph, bool leftText, int rightInset);

}  // namespace relayon::skin::paint
