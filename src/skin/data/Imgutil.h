#pragma once
// Pixel and colour routines shared by the skin loader and the painters:
// replacing the transparent colour, mirroring and rotating bitmaps, mixing
// colours, gradient fills and a saturation measure.
//
// This is the portable half. It works on PixelImage (the toolkit's in-memory
// raster, rows top first) and on an abstract band sink for gradients. The
// Win32 half (TBitmap and device-context wrappers, GetSysColor-backed system
// colours, the clip box of a real DC, one brush per band) is built on top of
// these functions.
//
// Colours are TColor values: 0x00BBGGRR; a top byte of 0xFF marks a system
// colour whose index is in the low byte. Magenta (255, 0, 255) is the
// transparent colour of every skin bitmap.
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "toolkit/core/Color.h"
#include "toolkit/core/PixelImage.h"

namespace relayon::skin {

struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
};

constexpr TColor kTransparentMagenta = 0x00FF00FF;

// Routines that resolve system colours take a SystemColorResolver
// (toolkit/core/Color.h): the Win32 side passes one backed by GetSysColor; the
// portable default is the classic Windows scheme, so native tools and tests
// get stable, sensible values.

// A 24-bit image of one plain colour: the form every skin bitmap is drawn in.
PixelImage SolidImage(int width, int height, TColor colour);

// Converts to 24 bits per pixel if needed, then replaces every pixel that is
// exactly (255, 0, 255) by the colour whose red, green, blue are bytes 0, 1, 2
// of `colour` (a system colour is taken as it is, not resolved).
void ChangeTrans(PixelImage& bmp, TColor colour);

// Mirrors and quarter turns move whole pixels at the image's own depth (1-
// and 4-bit images by palette index), keeping layout and palette.
// Pixel x of every row moves to width - 1 - x.
void SpiegelnHorizontal(PixelImage& bmp);
// Row y moves to height - 1 - y.
void SpiegelnVertikal(PixelImage& bmp);
// 90 degrees clockwise: new (x, y) = old (y, oldHeight - 1 - x); width and height swap.
void Drehen90Grad(PixelImage& bmp);
// 90 degrees counter-clockwise: new (x, y) = old (oldWidth - 1 - y, x).
void Drehen270Grad(PixelImage& bmp);

// Mixes c1 and c2 with `w` the weight of c1: in percent below 100, in per
// mille from 100 on (150 means 15 %). Per channel, rounded:
// (c2 * (d - w) + c1 * w + d / 2) / d, low 8 bits kept.
TColor Blend(TColor c1, TColor c2, int w, const SystemColorResolver& resolve = ClassicSystemColor);

// Saturation measure: round-half-even(255 * (max - min) / max) of the colour's
// bytes 0, 1, 2; 0 for black; 200 whenever all three bytes are below 160.
int GetHSV(TColor colour);

// Gradient colour tables, cached. A table of n entries runs from c1 (entry 0)
// to c2 (entry n - 1); n == 1 gives the single mid colour. Sixteen slots are
// filled round-robin; a slot is reused when its table has the same length,
// first entry and last entry (searched from slot 15 down to 0).
class GradientTableCache {
public:
    static constexpr int kSlots = 16;
    const std::vector<TColor>& Get(int n, TColor c1, TColor c2);
    int Hits() const { return hits_; }
    int Misses() const { return misses_; }
    int NextSlot() const { return next_; }
    void Clear();

    // The table itself, uncached (c1 and c2 plain RGB).
    static std::vector<TColor> Build(int n, TColor c1, TColor c2);

private:
    std::array<std::vector<TColor>, kSlots> slots_{};
    int next_ = 0;
    int hits_ = 0;
    int misses_ = 0;
};

// The process-wide cache the painters share.
GradientTableCache& SharedGradientCache();

// Fills `rect` with a gradient from c1 to c2 in one-pixel bands (rows when
// `vertical` is non-zero, else columns). Only bands inside `clipBox` are
// passed to `fillBand`, each with the colour it has in the full gradient;
// nothing at all happens when rect and clipBox do not overlap. Returns the
// number of bands filled.
using BandFiller = std::function<void(const TRect& band, TColor colour)>;
int GradFill(const TRect& rect, TColor c1, int vertical, TColor c2, const TRect& clipBox,
             const BandFiller& fillBand, GradientTableCache& cache = SharedGradientCache(),
             const SystemColorResolver& resolve = ClassicSystemColor);

// Convenience over an image: the clip box is the image bounds (intersected
// with `clip` when given).
int GradFill(PixelImage& target, const TRect& rect, TColor c1, int vertical, TColor c2,
             const TRect* clip = nullptr, GradientTableCache& cache = SharedGradientCache());

} // namespace relayon::skin
