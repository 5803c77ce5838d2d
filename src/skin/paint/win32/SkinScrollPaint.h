#pragma once
// Composing a skinned scroll bar: the bar's background in the scheme's face
// colour, the track, the two arrows, the thumb and its grip, all from the
// skin's SArrow, HBar/VBar and HSlider/VSlider images, laid out by
// skin/paint/core/ScrollGeometry. Used by the overlays that cover native bars
// and by the painter of a drop-down list's bar.
//
// SArrow holds 23 frames side by side:
//   1-4 left arrow, 5-8 right, 9-12 up, 13-16 down (normal, pressed, -, hot)
//   17-19 grip of a horizontal thumb, 20-22 of a vertical one (normal, pressed, hot)
// HBar/VBar: 4 frames, 1 enabled and 3 disabled. HSlider/VSlider: `frame`
// frames, 1 normal, 2 pressed, 3 hot.
#include <windows.h>

#include <memory>

#include "skin/data/win32/Winskindata.h"
#include "skin/paint/core/ScrollGeometry.h"
#include "toolkit/Bitmap.h"

namespace relayon::skin {

// Which part shows hot or pressed.
struct BarLook {
    bool enabled = true;
    int hotPart = paint::kPartNone;  // the part under the mouse, or being operated
    bool down = false;               // the left button is down on it
    bool operator==(const BarLook&) const = default;
};

// The skin's arrow image when it has one with pixels, else null: without it
// no bar is painted.
TBitmap* ArrowImage(TSkinData* sd);

// A window's own bar (OBJID_VSCROLL or OBJID_HSCROLL) as the system reports it.
bool WindowBarInfo(TSkinData* sd, HWND h, bool vertical, SCROLLBARINFO& info);

// The bar composed into a bitmap of the layout's picture size; null without
// an arrow image or for an empty picture. Every skin cell is cut from inside
// its image whatever the sizes.
std::unique_ptr<TBitmap> ComposeBar(TSkinData* sd, const paint::BarLayout& layout, const BarLook& look);

}  // namespace relayon::skin
