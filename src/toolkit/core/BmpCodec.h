#pragma once
// Reading and writing Windows bitmap files (.bmp) and packed DIBs (the form
// of bitmap resources: the same data without the file header).
//
// File header, 14 bytes, little-endian:
//
//   | offset | size | field     | use here                                   |
//   |--------|------|-----------|--------------------------------------------|
//   | 0      | 2    | type      | "BM"                                       |
//   | 2      | 4    | size      | ignored (often wrong in the wild)          |
//   | 6      | 4    | reserved  | ignored                                    |
//   | 10     | 4    | offBits   | start of the pixel data from the file start |
//
// Info header (offsets from its start). The first field is its own size:
// 12 = OS/2 core header, 16..64 = OS/2 2.x or truncated variants, 40 = INFO,
// 52/56 = INFO with masks, 108 = V4, 124 = V5.
//
//   | offset | core (12)      | INFO and later (>= 16)                      |
//   |--------|----------------|---------------------------------------------|
//   | 0      | u32 size       | u32 size                                    |
//   | 4      | u16 width      | i32 width (> 0)                             |
//   | 6      | u16 height     |                                             |
//   | 8      | u16 planes     | i32 height (< 0: rows stored top row first) |
//   | 10     | u16 bitCount   |                                             |
//   | 12     |                | u16 planes, u16 bitCount                    |
//   | 16     |                | u32 compression 0 RGB, 1 RLE8, 2 RLE4,      |
//   |        |                |     3 BITFIELDS, 6 ALPHABITFIELDS           |
//   | 20     |                | u32 sizeImage (RLE: bytes of encoded data)  |
//   | 32     |                | u32 clrUsed (0: 2^bitCount for <= 8 bits)    |
//   | 40..55 |                | u32 masks red, green, blue, alpha (>= 52/56) |
//
// After an INFO header of exactly 40 bytes, BITFIELDS stores three masks
// (ALPHABITFIELDS four) before the palette. The palette follows: clrUsed
// entries of 4 bytes (blue, green, red, 0), or of 3 bytes for the core header.
// Rows are padded to 4 bytes and stored bottom row first unless the height is
// negative.
//
// RLE8/RLE4 data is a stream of byte pairs: (n > 0, v) repeats v n times (RLE4:
// alternating the two nibbles of v); (0, 0) ends a row, (0, 1) ends the image,
// (0, 2, dx, dy) moves the pen, (0, n >= 3) is followed by n literal pixels
// padded to an even byte count. Pixels the data never reaches are index 0.
//
// Hostile input: decoding never reads outside the given bytes, checks every
// length and offset before use, and refuses images wider/higher/larger than
// the limits before allocating anything. Every refusal is an EInvalidGraphic
// with the reason; nothing else is thrown for bad bytes.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "toolkit/core/InvalidGraphic.h"
#include "toolkit/core/PixelImage.h"

struct BmpLimits {
    int maxWidth = 32768;
    int maxHeight = 32768;
    uint64_t maxPixels = uint64_t(1) << 25;  // 32 Mpixel: 128 MB at 32 bits
};

struct DecodedBmp {
    PixelImage image;
    // Bytes from the start of the input up to the end of what was read; a
    // stream holding more than the bitmap continues there.
    size_t length = 0;
};

// A whole .bmp file (starting with "BM"); trailing bytes are ignored.
// Result layouts: indexed images keep their depth and palette; 16-bit images
// with 5-5-5 or 5-6-5 masks stay 16-bit, other 16-bit masks become Bgr24 (or
// Bgra32 with an alpha mask); 24-bit stays Bgr24; 32-bit becomes Bgra32.
DecodedBmp DecodeBmpFile(std::span<const uint8_t> bytes, const BmpLimits& limits = {});

// A packed DIB: info header, masks, palette, pixels (no file header).
DecodedBmp DecodePackedDib(std::span<const uint8_t> bytes, const BmpLimits& limits = {});

// A .bmp file with a 40-byte INFO header, bottom row first, uncompressed:
// BI_RGB for every layout except Rgb565 (BITFIELDS with its three masks).
// Indexed images write their palette (clrUsed = its size); an empty palette,
// under which every pixel reads black, is written as one black entry. Throws std::invalid_argument for an empty
// image or one whose pixel buffer does not match its size.
std::vector<uint8_t> EncodeBmpFile(const PixelImage& image);
