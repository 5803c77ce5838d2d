#pragma once
// A 5 x 7 pixel font for the sheet's labels: digits, letters and common
// punctuation; g, p, q and y hang two rows below the line. Unknown characters
// show as a hollow box.
#include <string_view>

#include "skin/data/Imgutil.h"

namespace skinview {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = 6;
constexpr int kLineHeight = 10;

// Draws `text` with its top-left at (x, y), each font pixel `scale` pixels
// wide; returns the x after the last character.
int DrawText(PixelImage& img, int x, int y, std::string_view text, TColor colour, int scale = 1);
int TextWidth(std::string_view text, int scale = 1);

} // namespace skinview
