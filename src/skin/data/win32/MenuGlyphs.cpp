#include "skin/data/win32/MenuGlyphs.h"

#include "toolkit/ModuleInstance.h"

namespace relayon::skin {

TGlyphList& TGlyphList::operator=(TGlyphList&& other) noexcept {
    if (this != &other) {
        if (list_) ImageList_Destroy(list_);
        list_ = other.list_;
        other.list_ = nullptr;
    }
    return *this;
}

TGlyphList::~TGlyphList() {
    if (list_) ImageList_Destroy(list_);
}

int TGlyphList::Count() const { return list_ ? ImageList_GetImageCount(list_) : 0; }

void TGlyphList::Draw(HDC dc, int x, int y, int index) const {
    if (index < 0 || index >= Count()) return;
    ImageList_Draw(list_, index, dc, x, y, ILD_TRANSPARENT);
}

TGlyphList LoadMenuGlyphs() {
    // White is the mask colour: the list keeps a mask and draws only the
    // black strokes.
    return TGlyphList(ImageList_LoadImageW(ModuleInstance(), L"QUILLOMENU", 16, 0, RGB(255, 255, 255), IMAGE_BITMAP,
                                           LR_CREATEDIBSECTION));
}

}  // namespace relayon::skin
