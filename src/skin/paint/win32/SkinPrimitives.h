#pragma once
// The skin bitmap drawing primitives on real device contexts: pick one state
// cell of a multi-cell skin image, cut it into nine pieces by the element's
// margins, stretch or tile the pieces into a rectangle, draw the result
// opaque or with magenta (255, 0, 255) left out, and build window regions
// from bitmaps. The piece geometry is skin/paint/core/NineSlice.
//
// Hostile input: pieces never reach outside the source cell or the scratch
// bitmap; an inverted rectangle, a frame count below 1 or a frame index
// outside 1..N draws nothing, and so does a rectangle wider or taller than
// 2^27 pixels (beyond GDI's coordinates) for the stretching primitives. Every GDI object made here is owned and freed
// before the call returns (GetHMap's bitmap and BitmapToRegion's region
// belong to the caller).
#include <windows.h>

#include <memory>

#include "skin/paint/core/NineSlice.h"
#include "toolkit/Bitmap.h"

namespace relayon::skin {

constexpr COLORREF kSkinKeyColour = 0xFF00FF;

// Frame I of N of `bmp` cut by `m` into a new bitmap of the rectangle's size.
std::unique_ptr<TBitmap> GetHMap(const RECT& rc, TBitmap& bmp, const paint::SliceMargins& m, int I, int N, bool tile,
                                 bool vertical);
// GetHMap drawn into `rect` of `dc`, magenta left out when `transparent`.
void DrawRect2(HDC dc, const RECT& rect, TBitmap& bmp, const paint::SliceMargins& m, int I, int N, bool transparent,
               bool tile, bool vertical);
// Frame I of N side by side, stretched to `rect`.
void DrawRect1(HDC dc, const RECT& rect, TBitmap& bmp, int I, int N, bool transparent);
// Frame I of N side by side at its own size, centred in `rect`.
void DrawRect3(HDC dc, const RECT& rect, TBitmap& bmp, int I, int N, bool transparent);
// Frame I of N cut into a left cap (m.left wide), a middle repeated at its
// own width and a right cap (m.right wide), each stretched to the height of
// `rect`; m.top and m.bottom are not used. Only the part of `rect` inside the
// canvas' clip box is composed.
void DrawRectTile(TCanvas& canvas, const RECT& rect, TBitmap& bmp, const paint::SliceMargins& m, int I, int N,
                  bool transparent, bool vertical);
// Frame I of N as a band straight onto `dc`: caps at their width, the middle
// stretched between them; a band narrower than the frame gets the whole frame
// stretched. Opaque, no scratch bitmap.
void DrawRectH(HDC dc, const RECT& rect, TBitmap& bmp, const paint::SliceMargins& m, int I, int N, bool vertical);
// Piece `src` of `bmp` repeated from the top-left of `dest` while a tile's
// origin lies inside `dest`; tiles are not cut at the right and bottom edges.
// `src` is cut to the bitmap; an empty piece draws nothing.
void DrawBGbmp(TCanvas& canvas, const RECT& dest, TBitmap& bmp, const RECT& src);
// DrawParentImage, the parent's background under a control, is declared with
// the control skinners' drawing helpers (Winsubclass.h).
// `bmp` from its origin at the rectangle's size into `rect`; pixels of colour
// `key` leave the destination untouched.
void DrawTranmap(HDC dc, const RECT& rect, TBitmap& bmp, COLORREF key);
// A region of every pixel of `bmp` outside the key's channel ranges
// [key, key + tolerance], offset by (xo, yo). Null for an empty bitmap.
HRGN BitmapToRegion(TBitmap& bmp, int xo, int yo, COLORREF key, int tr, int tg, int tb);

}  // namespace relayon::skin
