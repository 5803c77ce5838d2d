#pragma once
// The Win32 side of the image utilities: the same routines as Imgutil.h over
// the toolkit's TBitmap and over real device contexts, with system colours
// taken from the running system (GetSysColor).
//
// The bitmap routines work on whole pixels of the bitmap's own depth. 24- and
// 32-bit bitmaps keep their depth (32-bit pixels move with their alpha byte);
// any other depth is first converted to 24 bits, since mirrored or rotated
// palette indices of 1 and 4 bits cannot be moved as bytes.
#include <windows.h>

#include "skin/data/Imgutil.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Color.h"

namespace relayon::skin {

// Blend (see Imgutil.h) with system colours resolved by the running system.
TColor BlendSystem(TColor c1, TColor c2, int w);

// Makes `bmp` 24 bits per pixel, then paints every exactly magenta pixel in
// the colour made of bytes 0, 1 and 2 of `colour` (a system colour is not
// resolved first).
void ChangeTrans(TBitmap& bmp, TColor colour);

void SpiegelnHorizontal(TBitmap& bmp);
void SpiegelnVertikal(TBitmap& bmp);
// 90 degrees clockwise; width and height swap.
void Drehen90Grad(TBitmap& bmp);
// 90 degrees counter-clockwise; width and height swap.
void Drehen270Grad(TBitmap& bmp);

// Fills `rect` of `dc` with a gradient from c1 to c2 in one-pixel bands (rows
// when `vertical` is non-zero, else columns), system colours resolved first.
// Only the bands inside the DC's clip box are painted, each with the colour it
// has in the whole gradient; nothing is painted when no part of `rect` is
// visible. One solid brush per band, deleted after its band. Returns the
// number of bands painted.
int GradFill(HDC dc, const RECT& rect, TColor c1, int vertical, TColor c2,
             GradientTableCache& cache = SharedGradientCache());

}  // namespace relayon::skin
