#pragma once
// The glyphs of the MDI menu-bar buttons (a maximised child's restore,
// maximise, minimise and close boxes drawn on the main form's menu bar):
// four 16 x 16 images of the built-in 1-bit bitmap resource "QUILLOMENU",
// white transparent. The picture is kept as text (QuilloMenu.txt) and turned
// into the resource by the build (QuilloMenu.cmake).
#include "toolkit/ImageList.h"

namespace relayon::skin {

// Indexes of the glyphs, in the order of the picture.
enum TMenuGlyph { mgRestore, mgMaximize, mgMinimize, mgClose };

// Makes `list` 16 x 16 and masked, and appends the four glyphs of
// "QUILLOMENU" from the program's resources; nothing is added when the
// resource is missing.
void LoadMenuGlyphs(TImageList& list);

}  // namespace relayon::skin
