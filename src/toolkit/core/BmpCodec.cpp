#include "toolkit/core/BmpCodec.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <stdexcept>
#include <string>

#include "base/ByteIo.h"

namespace {

using relayon::ByteReader;
using relayon::ByteWriter;

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;
constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kOs2InfoHeaderSize = 64;
constexpr size_t kLargestHeaderSize = 4096;

enum Compression : uint32_t {
    kRgb = 0,
    kRle8 = 1,
    kRle4 = 2,
    kBitfields = 3,
    kJpeg = 4,
    kPng = 5,
    kAlphaBitfields = 6,
};

[[noreturn]] void Fail(const std::string& reason) { throw EInvalidGraphic(reason); }

// A reader that ran out of bytes names the part that is missing.
void Expect(const ByteReader& in, const char* what) {
    if (!in.Ok()) Fail(std::string("truncated ") + what);
}

// `count` bytes at `offset` of `bytes`, or the image error naming `what`.
std::span<const uint8_t> Part(std::span<const uint8_t> bytes, size_t offset, size_t count, const char* what) {
    ByteReader in(bytes);
    in.Seek(offset);
    const std::span<const uint8_t> part = in.Take(count);
    Expect(in, what);
    return part;
}

struct DibHeader {
    size_t headerSize = 0;
    bool core = false;  // 12-byte header, 3-byte palette entries
    bool os2 = false;   // OS/2 2.x header: compression 3 and 4 mean other things
    int64_t width = 0;
    int64_t height = 0;  // absolute value
    bool topDown = false;
    unsigned bits = 0;
    uint32_t compression = kRgb;
    uint32_t sizeImage = 0;
    uint32_t clrUsed = 0;
    uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
    bool masksInHeader = false;
};

DibHeader ReadDibHeader(std::span<const uint8_t> bytes, size_t start) {
    DibHeader h;
    const uint32_t size = ByteReader(Part(bytes, start, 4, "bitmap info header")).U32();
    if (size < kCoreHeaderSize || (size > kCoreHeaderSize && size < 16) || size > kLargestHeaderSize)
        Fail("unknown bitmap info header size " + std::to_string(size));
    ByteReader in(Part(bytes, start, size, "bitmap info header"));
    in.Skip(4);
    h.headerSize = size;
    if (size == kCoreHeaderSize) {
        h.core = true;
        h.width = in.U16();
        h.height = in.U16();
        in.Skip(2);  // planes
        h.bits = in.U16();
        return h;
    }
    h.os2 = size < kInfoHeaderSize || size == kOs2InfoHeaderSize;
    // A short OS/2 2.x header simply omits the trailing fields: the reader is
    // bounded by the header, so they read as 0.
    h.width = in.I32();
    const int32_t height = in.I32();
    in.Skip(2);  // planes
    h.bits = in.U16();
    h.compression = in.U32();
    h.sizeImage = in.U32();
    in.Skip(8);  // resolution
    h.clrUsed = in.U32();
    in.Skip(4);  // important colours
    if (height == INT32_MIN) Fail("image height out of range");
    h.topDown = height < 0;
    h.height = height < 0 ? -int64_t(height) : int64_t(height);
    if (!h.os2 && size >= 52) {
        h.masksInHeader = true;
        for (uint32_t& mask : h.masks) mask = in.U32();  // alpha only from 56 bytes on
    }
    return h;
}

void CheckDimensions(const DibHeader& h, const BmpLimits& limits) {
    if (h.width <= 0) Fail("image width " + std::to_string(h.width) + " is not positive");
    if (h.height == 0) Fail("image height is zero");
    if (h.width > limits.maxWidth || h.height > limits.maxHeight ||
        uint64_t(h.width) * uint64_t(h.height) > limits.maxPixels)
        Fail("image of " + std::to_string(h.width) + " x " + std::to_string(h.height) + " pixels is too large");
}

// Which kind of pixel data follows, decided from depth and compression.
enum class PixelEncoding { Plain, Masked, Rle8, Rle4 };

PixelEncoding ClassifyEncoding(const DibHeader& h) {
    const std::string depth = std::to_string(h.bits) + "-bit";
    if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 16 && h.bits != 24 && h.bits != 32)
        Fail("unsupported bit depth " + std::to_string(h.bits));
    if (h.os2 && (h.compression == 3 || h.compression == 4))
        Fail("OS/2 Huffman and RLE24 compression are not supported");
    switch (h.compression) {
        case kRgb: return PixelEncoding::Plain;
        case kRle8:
            if (h.bits != 8) Fail("RLE8 compression on a " + depth + " image");
            if (h.topDown) Fail("compressed image stored top row first");
            return PixelEncoding::Rle8;
        case kRle4:
            if (h.bits != 4) Fail("RLE4 compression on a " + depth + " image");
            if (h.topDown) Fail("compressed image stored top row first");
            return PixelEncoding::Rle4;
        case kBitfields:
        case kAlphaBitfields:
            if (h.bits != 16 && h.bits != 32) Fail("bit-field masks on a " + depth + " image");
            return PixelEncoding::Masked;
        case kJpeg:
        case kPng: Fail("embedded JPEG or PNG data is not supported");
        default: Fail("unknown compression " + std::to_string(h.compression));
    }
}

PixelLayout LayoutForDepth(unsigned bits) {
    switch (bits) {
        case 1: return PixelLayout::Indexed1;
        case 4: return PixelLayout::Indexed4;
        case 8: return PixelLayout::Indexed8;
        case 16: return PixelLayout::Rgb555;
        case 24: return PixelLayout::Bgr24;
        default: return PixelLayout::Bgra32;
    }
}

// One colour channel of a masked pixel: extracted, then scaled to 0..255.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t maxValue = 0;

    explicit Channel(uint32_t m) : mask(m) {
        if (!m) return;
        while (!((m >> shift) & 1u)) ++shift;
        maxValue = m >> shift;
    }
    uint8_t Extract(uint32_t pixel) const {
        if (!maxValue) return 0;
        const uint64_t v = (pixel & mask) >> shift;
        return uint8_t((v * 255 + maxValue / 2) / maxValue);
    }
};

// Rows in file order are `stride` bytes apart; image row y comes from file
// row (topDown ? y : height - 1 - y).
size_t FileRowOffset(const DibHeader& h, int y, size_t stride) {
    const int64_t fileRow = h.topDown ? y : h.height - 1 - y;
    return size_t(fileRow) * stride;
}

// `data` holds exactly the stored rows.
void DecodePlain(std::span<const uint8_t> data, const DibHeader& h, PixelImage& image) {
    const size_t stride = image.Stride();
    for (int y = 0; y < image.height; ++y)
        std::memcpy(image.Row(y), data.data() + FileRowOffset(h, y, stride), stride);
}

// `data` holds exactly the stored rows of 16- or 32-bit masked pixels.
void DecodeMasked(std::span<const uint8_t> data, const DibHeader& h, PixelImage& image) {
    const size_t bytesPerPixel = h.bits / 8;
    const size_t fileStride = RowStride(int(h.width), h.bits == 16 ? PixelLayout::Rgb555 : PixelLayout::Bgra32);
    const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]), alpha(h.masks[3]);
    const bool hasAlpha = image.layout == PixelLayout::Bgra32;
    for (int y = 0; y < image.height; ++y) {
        ByteReader row(data.subspan(FileRowOffset(h, y, fileStride), fileStride));
        uint8_t* dst = image.Row(y);
        for (int x = 0; x < image.width; ++x) {
            const uint32_t v = bytesPerPixel == 2 ? row.U16() : row.U32();
            image.SetColor(x, y, PackRgb(red.Extract(v), green.Extract(v), blue.Extract(v)));
            if (hasAlpha) dst[4 * x + 3] = alpha.Extract(v);
        }
    }
}

// Run-length data, `encoded` running to the end of what may be read.
// Returns how many bytes were read.
size_t DecodeRle(std::span<const uint8_t> encoded, bool fourBit, PixelImage& image) {
    const int width = image.width, height = image.height;
    int x = 0, y = 0;  // y counts from the bottom row
    auto put = [&](unsigned index) {
        if (x < width && y < height) image.SetIndex(x, height - 1 - y, index);
        if (x < width) ++x;
    };
    ByteReader in(encoded);
    for (;;) {
        if (in.Remaining() < 2) {
            if (y >= height) return in.Pos();
            Fail("truncated compressed pixel data");
        }
        const uint8_t count = in.U8(), value = in.U8();
        if (count > 0) {
            for (unsigned i = 0; i < count && x < width; ++i)
                put(fourBit ? (i % 2 ? value & 0xF : value >> 4) : value);
            continue;
        }
        if (value == 0) {  // end of row
            x = 0;
            y = std::min(y + 1, height);
        } else if (value == 1) {  // end of image
            return in.Pos();
        } else if (value == 2) {  // move the pen right and up
            const uint8_t dx = in.U8(), dy = in.U8();
            Expect(in, "compressed pixel data");
            x = std::min(x + dx, width);
            y = std::min(y + dy, height);
        } else {  // literal pixels, padded to a 16-bit boundary
            const size_t literalBytes = fourBit ? (value + 1u) / 2 : value;
            const std::span<const uint8_t> literal = in.Take(literalBytes + (literalBytes & 1u));
            Expect(in, "compressed pixel data");
            for (unsigned i = 0; i < value && x < width; ++i) {
                const uint8_t b = literal[fourBit ? i / 2 : i];
                put(fourBit ? (i % 2 ? b & 0xF : b >> 4) : b);
            }
        }
    }
}

// `pixelOffset` is the absolute pixel-data offset named by a file header;
// a packed DIB's pixels follow its palette directly.
DecodedBmp DecodeDib(std::span<const uint8_t> bytes, size_t dibStart, bool isFile, size_t pixelOffset,
                     const BmpLimits& limits) {
    DibHeader h = ReadDibHeader(bytes, dibStart);
    const PixelEncoding encoding = ClassifyEncoding(h);
    CheckDimensions(h, limits);

    size_t cursor = dibStart + h.headerSize;
    if (encoding == PixelEncoding::Masked && !h.masksInHeader) {
        const size_t maskCount = h.compression == kAlphaBitfields ? 4 : 3;
        ByteReader masks(Part(bytes, cursor, 4 * maskCount, "bit-field masks"));
        for (size_t i = 0; i < maskCount; ++i) h.masks[i] = masks.U32();
        cursor += 4 * maskCount;
    }

    const size_t entrySize = h.core ? 3 : 4;
    const size_t paletteStart = cursor;
    size_t paletteCount = 0;
    if (h.bits <= 8) {
        const size_t full = size_t(1) << h.bits;
        paletteCount = (h.clrUsed == 0 || h.clrUsed > full) ? full : h.clrUsed;
    } else if (!isFile) {
        // Deep packed DIBs may carry an advisory palette that must be skipped.
        paletteCount = h.clrUsed;
    }
    if (isFile) {
        if (pixelOffset < paletteStart) Fail("pixel data offset points into the header");
        // Many files, OS/2 ones above all, store fewer entries than declared.
        paletteCount = std::min(paletteCount, (pixelOffset - paletteStart) / entrySize);
    } else {
        if (paletteCount > (bytes.size() - paletteStart) / entrySize) Fail("truncated palette");
        pixelOffset = paletteStart + paletteCount * entrySize;
    }
    if (h.bits > 8) paletteCount = 0;
    const std::span<const uint8_t> paletteBytes = Part(bytes, paletteStart, paletteCount * entrySize, "palette");

    PixelLayout layout = LayoutForDepth(h.bits);
    if (encoding == PixelEncoding::Masked) {
        const uint32_t* m = h.masks;
        if (h.bits == 16 && m[0] == 0x7C00 && m[1] == 0x03E0 && m[2] == 0x001F && m[3] == 0)
            layout = PixelLayout::Rgb555;
        else if (h.bits == 16 && m[0] == 0xF800 && m[1] == 0x07E0 && m[2] == 0x001F && m[3] == 0)
            layout = PixelLayout::Rgb565;
        else
            layout = (h.bits == 16 && m[3] == 0) ? PixelLayout::Bgr24 : PixelLayout::Bgra32;
    }

    DecodedBmp result;
    PixelImage& image = result.image;
    image.width = int(h.width);
    image.height = int(h.height);
    image.layout = layout;
    for (size_t i = 0; i < paletteCount; ++i) {
        const uint8_t* e = paletteBytes.data() + i * entrySize;
        image.palette.push_back(PaletteEntry{e[0], e[1], e[2], 0});
    }

    const bool plain32 = encoding == PixelEncoding::Masked && layout == PixelLayout::Bgra32 && h.bits == 32 &&
                         h.masks[0] == 0xFF0000 && h.masks[1] == 0xFF00 && h.masks[2] == 0xFF &&
                         (h.masks[3] == 0 || h.masks[3] == 0xFF000000u);
    const bool plain16 = encoding == PixelEncoding::Masked &&
                         (layout == PixelLayout::Rgb555 || layout == PixelLayout::Rgb565);
    const size_t stride = image.Stride();
    // Every branch makes sure the data is there before allocating for it.
    if (encoding == PixelEncoding::Plain || plain16 || plain32) {
        const std::span<const uint8_t> data = Part(bytes, pixelOffset, stride * size_t(image.height), "pixel data");
        image.pixels.resize(data.size());
        DecodePlain(data, h, image);
        result.length = pixelOffset + data.size();
    } else if (encoding == PixelEncoding::Masked) {
        const size_t fileStride = RowStride(image.width, h.bits == 16 ? PixelLayout::Rgb555 : PixelLayout::Bgra32);
        const std::span<const uint8_t> data = Part(bytes, pixelOffset, fileStride * size_t(image.height), "pixel data");
        image.pixels.assign(stride * size_t(image.height), 0);
        DecodeMasked(data, h, image);
        result.length = pixelOffset + data.size();
    } else {
        if (pixelOffset > bytes.size()) Fail("truncated compressed pixel data");
        size_t available = bytes.size() - pixelOffset;
        if (h.sizeImage != 0 && h.sizeImage < available) available = h.sizeImage;
        image.pixels.assign(stride * size_t(image.height), 0);
        result.length = pixelOffset + DecodeRle(bytes.subspan(pixelOffset, available),
                                                encoding == PixelEncoding::Rle4, image);
    }
    return result;
}

}  // namespace

DecodedBmp DecodeBmpFile(std::span<const uint8_t> bytes, const BmpLimits& limits) {
    ByteReader in(bytes);
    const std::span<const uint8_t> signature = in.Take(2);
    in.Skip(8);  // file size and reserved words: often wrong in the wild
    const uint32_t offBits = in.U32();
    Expect(in, "file header");
    if (signature[0] != 'B' || signature[1] != 'M') Fail("not a bitmap file (no \"BM\" signature)");
    return DecodeDib(bytes, kFileHeaderSize, true, offBits, limits);
}

DecodedBmp DecodePackedDib(std::span<const uint8_t> bytes, const BmpLimits& limits) {
    return DecodeDib(bytes, 0, false, 0, limits);
}

std::vector<uint8_t> EncodeBmpFile(const PixelImage& image) {
    if (image.Empty()) throw std::invalid_argument("cannot write an empty bitmap");
    const size_t stride = image.Stride();
    if (image.pixels.size() != stride * size_t(image.height))
        throw std::invalid_argument("pixel buffer does not match the image size");

    std::vector<PaletteEntry> palette;
    if (IsIndexed(image.layout)) {
        // An empty palette reads as all black; one black entry says the same
        // (clrUsed 0 would mean a full table instead).
        palette = image.palette.empty() ? std::vector<PaletteEntry>(1) : image.palette;
        const size_t full = size_t(1) << BitsPerPixel(image.layout);
        if (palette.size() > full) palette.resize(full);
    }
    const bool masked = image.layout == PixelLayout::Rgb565;
    const size_t headerBytes = kFileHeaderSize + kInfoHeaderSize + (masked ? 12 : 0) + palette.size() * 4;
    const size_t pixelBytes = stride * size_t(image.height);
    const size_t fileSize = headerBytes + pixelBytes;
    if (fileSize > UINT32_MAX) throw std::invalid_argument("bitmap too large for a .bmp file");

    std::vector<uint8_t> out;
    out.reserve(fileSize);
    ByteWriter w(out);
    w.U8('B');
    w.U8('M');
    w.U32(uint32_t(fileSize));
    w.U32(0);
    w.U32(uint32_t(headerBytes));

    w.U32(kInfoHeaderSize);
    w.I32(image.width);
    w.I32(image.height);  // positive: bottom row first
    w.U16(1);
    w.U16(uint16_t(BitsPerPixel(image.layout)));
    w.U32(masked ? kBitfields : kRgb);
    w.U32(uint32_t(pixelBytes));
    w.U32(2835);  // 72 dpi
    w.U32(2835);
    w.U32(uint32_t(palette.size()));
    w.U32(0);
    if (masked) {
        w.U32(0xF800);
        w.U32(0x07E0);
        w.U32(0x001F);
    }
    for (const PaletteEntry& e : palette) {
        w.U8(e.blue);
        w.U8(e.green);
        w.U8(e.red);
        w.U8(0);
    }
    for (int y = image.height - 1; y >= 0; --y) out.insert(out.end(), image.Row(y), image.Row(y) + stride);
    return out;
}
