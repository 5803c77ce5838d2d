#pragma once
// Windows BMP files as stored in skin packages, read into and written from
// ImageBuffer. Used by the native skin tools (generator, viewer) and by tests;
// the Win32 painters load bitmaps through the toolkit instead.
//
// File layout read here (all integers little-endian):
//
//   offset  size  field
//   0       2     "BM"
//   2       4     file size (not trusted)
//   10      4     offset of the pixel data from the start of the file
//   14      4     info header size: 12 (core), 40, 52, 56, 108 or 124
//   18      4/2   width  (signed 32; 16-bit unsigned in a core header)
//   22      4/2   height (signed 32, negative = rows top-down; 16-bit in core)
//   26      2     planes (1)
//   28      2     bits per pixel: 1, 4, 8, 16, 24, 32
//   30      4     compression: 0 BI_RGB, 3 BI_BITFIELDS (16 and 32 bits only)
//   46      4     colours used (0 = 2^bits for palette images)
//   54      ...   for BI_BITFIELDS with a 40-byte header: red, green, blue masks
//   14+hdr  ...   palette: 4 bytes per entry (blue, green, red, 0); 3 in core
//
// Rows are padded to a multiple of 4 bytes and stored bottom-up unless the
// height is negative. RLE-compressed files are refused.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "skin/data/Imgutil.h"

namespace relayon::skin {

struct BmpDecodeResult {
    bool ok = false;
    std::string error;       // why decoding failed (empty when ok)
    int bitsPerPixel = 0;    // of the file
    ImageBuffer image;       // 24 bits per pixel, top row first
};

// Never reads outside `bytes`, whatever the header fields say; images larger
// than kMaxBmpPixels are refused.
constexpr int64_t kMaxBmpPixels = 64LL * 1024 * 1024;
BmpDecodeResult DecodeBmp(std::span<const uint8_t> bytes);

// A 24-bit bottom-up BI_RGB file (the format every skin bitmap of ours uses).
std::vector<uint8_t> EncodeBmp24(const ImageBuffer& image);

} // namespace relayon::skin
