#include "skin/data/BmpFile.h"

#include <bit>

namespace relayon::skin {

namespace {

uint32_t Le32(std::span<const uint8_t> b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint16_t Le16(std::span<const uint8_t> b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

BmpDecodeResult Fail(std::string why) {
    BmpDecodeResult r;
    r.error = std::move(why);
    return r;
}

// Scales a masked channel value to 0..255.
uint8_t ExtractChannel(uint32_t pixel, uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const uint32_t maxValue = mask >> shift;
    const uint32_t v = (pixel & mask) >> shift;
    return static_cast<uint8_t>((v * 255 + maxValue / 2) / maxValue);
}

} // namespace

BmpDecodeResult DecodeBmp(std::span<const uint8_t> bytes) {
    if (bytes.size() < 26) return Fail("BMP: file shorter than its headers");
    if (bytes[0] != 'B' || bytes[1] != 'M') return Fail("BMP: no \"BM\" signature");
    const uint32_t dataOffset = Le32(bytes, 10);
    const uint32_t headerSize = Le32(bytes, 14);
    const bool core = headerSize == 12;
    if (!core && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 && headerSize != 124)
        return Fail("BMP: unknown info header size " + std::to_string(headerSize));
    if (14 + static_cast<uint64_t>(headerSize) > bytes.size()) return Fail("BMP: info header past the end");

    int64_t width, height;
    uint16_t bits;
    uint32_t compression = 0, coloursUsed = 0;
    if (core) {
        width = Le16(bytes, 18);
        height = Le16(bytes, 20);
        bits = Le16(bytes, 24);
    } else {
        width = static_cast<int32_t>(Le32(bytes, 18));
        height = static_cast<int32_t>(Le32(bytes, 22));
        bits = Le16(bytes, 28);
        compression = Le32(bytes, 30);
        coloursUsed = Le32(bytes, 46);
    }
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height <= 0) return Fail("BMP: empty or negative size");
    if (width * height > kMaxBmpPixels) return Fail("BMP: image too large");
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return Fail("BMP: unsupported bit depth " + std::to_string(bits));
    if (compression != 0 && !(compression == 3 && (bits == 16 || bits == 32)))
        return Fail("BMP: unsupported compression " + std::to_string(compression));

    // Channel masks for 16/32-bit images.
    uint32_t rMask = bits == 16 ? 0x7C00 : 0xFF0000, gMask = bits == 16 ? 0x03E0 : 0xFF00,
             bMask = bits == 16 ? 0x001F : 0xFF;
    if (compression == 3) {
        const size_t at = 14 + 40;  // right after a 40-byte header, or inside a larger one
        if (at + 12 > bytes.size()) return Fail("BMP: colour masks past the end");
        rMask = Le32(bytes, at);
        gMask = Le32(bytes, at + 4);
        bMask = Le32(bytes, at + 8);
    }

    std::vector<TColor> palette;
    if (bits <= 8) {
        const uint32_t maxEntries = 1u << bits;
        const uint32_t entries = coloursUsed == 0 || coloursUsed > maxEntries ? maxEntries : coloursUsed;
        const size_t entrySize = core ? 3 : 4;
        const size_t at = 14 + headerSize;
        if (at + entries * entrySize > bytes.size()) return Fail("BMP: palette past the end");
        for (uint32_t i = 0; i < entries; ++i) {
            const size_t e = at + i * entrySize;
            palette.push_back(bytes[e + 2] | (bytes[e + 1] << 8) | (bytes[e] << 16));
        }
    }

    const uint64_t rowBytes = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
    if (dataOffset > bytes.size() || rowBytes * static_cast<uint64_t>(height) > bytes.size() - dataOffset)
        return Fail("BMP: pixel data past the end");

    BmpDecodeResult result;
    result.bitsPerPixel = bits;
    result.image = ImageBuffer(static_cast<int>(width), static_cast<int>(height), PixelFormat::Bgr24);
    for (int64_t row = 0; row < height; ++row) {
        const size_t src = dataOffset + static_cast<size_t>(row * rowBytes);
        const int y = static_cast<int>(topDown ? row : height - 1 - row);
        for (int64_t x = 0; x < width; ++x) {
            uint8_t* dst = result.image.Pixel(static_cast<int>(x), y);
            if (bits <= 8) {
                const uint64_t bitPos = static_cast<uint64_t>(x) * bits;
                const uint8_t byte = bytes[src + bitPos / 8];
                const int shift = 8 - bits - static_cast<int>(bitPos % 8);
                const uint32_t index = (byte >> shift) & ((1u << bits) - 1);
                const TColor c = index < palette.size() ? palette[index] : 0;
                dst[0] = static_cast<uint8_t>(c >> 16);
                dst[1] = static_cast<uint8_t>(c >> 8);
                dst[2] = static_cast<uint8_t>(c);
            } else if (bits == 24) {
                const size_t p = src + static_cast<size_t>(x) * 3;
                dst[0] = bytes[p];
                dst[1] = bytes[p + 1];
                dst[2] = bytes[p + 2];
            } else {
                const size_t p = src + static_cast<size_t>(x) * (bits / 8);
                const uint32_t v = bits == 16 ? Le16(bytes, p) : Le32(bytes, p);
                dst[0] = ExtractChannel(v, bMask);
                dst[1] = ExtractChannel(v, gMask);
                dst[2] = ExtractChannel(v, rMask);
            }
        }
    }
    result.ok = true;
    return result;
}

std::vector<uint8_t> EncodeBmp24(const ImageBuffer& image) {
    ImageBuffer src = image;
    ConvertTo24(src);
    const uint32_t rowBytes = ((static_cast<uint32_t>(src.width) * 24 + 31) / 32) * 4;
    const uint32_t dataSize = rowBytes * static_cast<uint32_t>(src.height);
    std::vector<uint8_t> out;
    out.reserve(54 + dataSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, 54 + dataSize);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(src.width));
    Put32(out, static_cast<uint32_t>(src.height));
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, dataSize);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = src.height - 1; y >= 0; --y) {
        const uint8_t* row = src.Pixel(0, y);
        out.insert(out.end(), row, row + src.RowBytes());
        out.insert(out.end(), rowBytes - src.RowBytes(), 0);
    }
    return out;
}

} // namespace relayon::skin
