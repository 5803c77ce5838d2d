#pragma once
// The glyphs of the MDI menu-bar buttons (a maximised child's restore,
// maximise, minimise and close boxes drawn on the main form's menu bar):
// four 16 x 16 images of the built-in 1-bit bitmap resource "QUILLOMENU",
// white transparent. The picture is kept as text (QuilloMenu.txt) and turned
// into the resource by the build (QuilloMenu.cmake).
#include <windows.h>
#include <commctrl.h>

namespace relayon::skin {

// Indexes of the glyphs, in the order of the picture.
enum TMenuGlyph { mgRestore, mgMaximize, mgMinimize, mgClose };

// An owned system image list: destroyed once, moved, never copied.
class TGlyphList {
public:
    TGlyphList() = default;
    explicit TGlyphList(HIMAGELIST list) : list_(list) {}
    TGlyphList(TGlyphList&& other) noexcept : list_(other.list_) { other.list_ = nullptr; }
    TGlyphList& operator=(TGlyphList&& other) noexcept;
    TGlyphList(const TGlyphList&) = delete;
    TGlyphList& operator=(const TGlyphList&) = delete;
    ~TGlyphList();

    HIMAGELIST Handle() const { return list_; }
    int Count() const;
    // Image `index` with its top-left at (x, y), transparent parts left as
    // they were; an index out of range draws nothing.
    void Draw(HDC dc, int x, int y, int index) const;

private:
    HIMAGELIST list_ = nullptr;
};

// The four glyphs of "QUILLOMENU" from the program's resources; an empty list
// when the resource is missing.
TGlyphList LoadMenuGlyphs();

}  // namespace relayon::skin
