#pragma once
// Pieces the tab and header skinners share: working copies of skin images in
// 24 bits, one state cell of a skin object drawn by its margins, the text and
// image of a tab or header item read from the control, and an image-and-
// caption block placed inside an item.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "skin/paint/core/TabGeometry.h"
#include "skin/paint/win32/Winsubclass.h"
#include "toolkit/Bitmap.h"

namespace relayon::skin {

inline paint::Box ToBox(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
inline RECT ToRect(const paint::Box& b) { return {b.left, b.top, b.right, b.bottom}; }

// A 24-bit copy of `source`; null when there is no image.
std::unique_ptr<TBitmap> WorkingCopy(TBitmap* source);

// State cell `wanted` of `bmp` (cut into `o`'s frame count) drawn by `o`'s
// margins and tiling into `rc`. An image with fewer cells gives its last one;
// nothing is drawn for an empty image or rectangle.
void DrawObjectCell(HDC dc, const RECT& rc, TBitmap& bmp, const TDataSkinObject& o, int wanted, bool transparent);

// Text (at most `maxChars` characters) and image index of an item.
struct ItemText {
    std::wstring text;
    int image = -1;
    unsigned format = 0;  // header items only
};
// Tab `index` of a tab control window; an ANSI window's text is converted
// from the ANSI code page. False when the control does not answer.
bool ReadTabItem(HWND tabs, int index, bool unicode, ItemText& out);
// Header item `index` (text, format, image).
bool ReadHeaderItem(HWND header, int index, ItemText& out);

// An image-list image followed 2 pixels later by the text, as one block
// placed by `align` inside `rc` and centred vertically; the text in the DC's
// font and colour, transparent, single line, cut at rc's right edge with
// `extraFlags` (DT_END_ELLIPSIS ...). Without a list or with image -1 only
// the text is drawn.
void DrawImageAndCaption(HDC dc, const RECT& rc, HIMAGELIST images, int image, const std::wstring& text,
                        paint::TextAlign align, UINT extraFlags);

// Whether the skin object has a non-empty image.
inline bool HasMap(const TDataSkinObject* o) { return o && o->Map && !o->Map->Empty(); }

}  // namespace relayon::skin
