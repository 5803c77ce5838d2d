#pragma once
// A minimal PNG encoder: 8-bit RGB, no interlace, the image data in zlib
// "stored" (uncompressed) blocks. Large but valid and dependency-free.
//
//   chunk  content
//   IHDR   width, height, depth 8, colour type 2 (RGB), 0, 0, 0
//   IDAT   zlib: 78 01, stored blocks (BFINAL on the last), Adler-32
//   IEND   empty
// Each chunk: 4-byte big-endian length, type, data, CRC-32 of type + data.
#include <cstdint>
#include <vector>

#include "toolkit/core/PixelImage.h"

namespace skinview {

std::vector<uint8_t> EncodePng(const PixelImage& image);

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0);
uint32_t Adler32(const uint8_t* data, size_t size);

} // namespace skinview
