#pragma once
// A mock of the console window composed from a skin's pictures: frame,
// caption buttons, tabs, buttons in every state, check boxes, radio buttons,
// combo, edit with up-down, progress, track bar, scroll bars, list header,
// status bar and a popup menu. It follows the painters' rules only roughly
// (nine-slice with stretched edges, frame numbers per state) and exists so a
// person can judge the skin as a whole before any painter runs.
#include "skin/data/Imgutil.h"
#include "skin/data/Skinread.h"
#include "skin/data/Winskinini.h"

namespace skinview {

// 765 x 653, the console window's size.
PixelImage RenderPreview(const relayon::skin::TSkinReader& reader, const relayon::skin::TQuickIni& ini);

} // namespace skinview
