#pragma once
// The pictures of the console's skins. Every bitmap the skin description
// names is drawn here from a palette, cell by cell, in the cell counts the
// skin loader imposes (see the comments at each picture).
#include <string>
#include <vector>

#include "Painter.h"

namespace skingen {

struct Palette {
    TColor face;          // dialog and button face
    TColor faceTop;       // top of a raised plate's gradient
    TColor faceBottom;    // bottom of a raised plate's gradient
    TColor window;        // edit and list background
    TColor border;        // ordinary 1-pixel outlines
    TColor borderSoft;    // lighter outlines (disabled, separators)
    TColor accent;        // focus, selection, progress
    TColor accentDark;    // accent outlines and pressed text
    TColor accentPale;    // hot and selected backgrounds
    TColor hotTop;        // hot plate gradient
    TColor hotBottom;
    TColor pressedTop;    // pressed plate gradient
    TColor pressedBottom;
    TColor glyph;         // arrows, check marks
    TColor glyphDisabled;
    TColor captionTop;    // active caption gradient
    TColor captionBottom;
    TColor captionIdleTop;     // inactive caption gradient
    TColor captionIdleBottom;
    TColor frameActive;        // window border, active
    TColor frameIdle;          // window border, inactive
    TColor captionGlyph;       // caption button glyphs
    TColor closeHot;           // close button when hot or pressed
};

Palette LightPalette();
Palette DarkPalette();

struct GeneratedBitmap {
    std::string fileName;
    PixelImage image;
};

std::vector<GeneratedBitmap> DrawSkinBitmaps(const Palette& p);

} // namespace skingen
