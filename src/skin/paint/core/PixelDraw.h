#pragma once
// The drawing primitives carried out on in-memory images (PixelImage), with
// the same pieces and rules as the screen versions: stretching picks the
// nearest source pixel (as COLORONCOLOR does), tiles repeat from the piece's
// corner, and magenta (255, 0, 255) pixels of the source are skipped when
// drawing transparent. The skin loader synthesises images with them.
//
// Hostile input: nothing is read outside the source image nor written outside
// the destination image, whatever the rectangles, margins or frame numbers.
#include "NineSlice.h"
#include "toolkit/core/PixelImage.h"

namespace relayon::skin::paint {

// Copies source box `s` of `src` stretched onto box `d` of `dst`; pixels of
// `d` outside `dst` are skipped. With `transparent`, magenta source pixels
// leave the destination as it was.
void StretchPixels(const PixelImage& src, SliceBox s, PixelImage& dst, SliceBox d, bool transparent);

// Repeats source box `s` from the corner of `d` in steps of its size; tiles
// are clipped only by the destination image, not by `d`.
void TilePixels(const PixelImage& src, SliceBox s, PixelImage& dst, SliceBox d, bool transparent);

// Cell `index` of `count` of `src`, cut by `m` and drawn into box `d` of `dst`
// (the nine-slice draw of skin elements).
void DrawNineSlice(PixelImage& dst, SliceBox d, const PixelImage& src, SliceMargins m, int index, int count,
                   bool transparent, bool tile, bool vertical);

// Cell `index` of `count` side-by-side cells at its own size, centred in `d`.
void DrawCentred(PixelImage& dst, SliceBox d, const PixelImage& src, int index, int count, bool transparent);

}  // namespace relayon::skin::paint
