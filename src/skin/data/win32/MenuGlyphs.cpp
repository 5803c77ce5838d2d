#include "skin/data/win32/MenuGlyphs.h"

#include "toolkit/Bitmap.h"
#include "toolkit/ModuleInstance.h"

namespace relayon::skin {

void LoadMenuGlyphs(TImageList& list) {
    list.SetWidth(16);
    list.SetHeight(16);
    list.SetMasked(true);
    TBitmap strip;
    try {
        strip.LoadFromResourceName(ModuleInstance(), L"QUILLOMENU");
    } catch (const EInvalidGraphicOperation&) {
        return;  // a program built without the resource has no glyphs
    }
    // White is the mask colour: only the black strokes are drawn.
    list.AddMasked(&strip, clWhite);
}

}  // namespace relayon::skin
