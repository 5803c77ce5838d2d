#include "toolkit/core/BmpCodec.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

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

// Bounds-checked little-endian reads: every read names what it was after so
// that a truncated file says which part is missing.
class Bytes {
public:
    explicit Bytes(std::span<const uint8_t> data) : data_(data) {}
    size_t Size() const { return data_.size(); }
    bool Has(size_t offset, size_t count) const {
        return offset <= data_.size() && count <= data_.size() - offset;
    }
    void Require(size_t offset, size_t count, const char* what) const {
        if (!Has(offset, count)) Fail(std::string("truncated ") + what);
    }
    uint16_t U16(size_t offset, const char* what) const {
        Require(offset, 2, what);
        return uint16_t(data_[offset] | (data_[offset + 1] << 8));
    }
    uint32_t U32(size_t offset, const char* what) const {
        Require(offset, 4, what);
        return uint32_t(data_[offset]) | (uint32_t(data_[offset + 1]) << 8) |
               (uint32_t(data_[offset + 2]) << 16) | (uint32_t(data_[offset + 3]) << 24);
    }
    const uint8_t* At(size_t offset) const { return data_.data() + offset; }

private:
    std::span<const uint8_t> data_;
};

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

DibHeader ReadDibHeader(const Bytes& in, size_t start) {
    DibHeader h;
    const uint32_t size = in.U32(start, "bitmap info header");
    if (size < kCoreHeaderSize || (size > kCoreHeaderSize && size < 16) || size > kLargestHeaderSize)
        Fail("unknown bitmap info header size " + std::to_string(size));
    in.Require(start, size, "bitmap info header");
    h.headerSize = size;
    if (size == kCoreHeaderSize) {
        h.core = true;
        h.width = in.U16(start + 4, "bitmap info header");
        h.height = in.U16(start + 6, "bitmap info header");
        h.bits = in.U16(start + 10, "bitmap info header");
        return h;
    }
    h.os2 = size < kInfoHeaderSize || size == kOs2InfoHeaderSize;
    // A short OS/2 2.x header simply omits the trailing fields, which then read as 0.
    auto field = [&](size_t offset) -> uint32_t { return offset + 4 <= size ? in.U32(start + offset, "bitmap info header") : 0; };
    h.width = int32_t(field(4));
    const int32_t height = int32_t(field(8));
    h.bits = size >= 16 ? in.U16(start + 14, "bitmap info header") : 0;
    h.compression = field(16);
    h.sizeImage = field(20);
    h.clrUsed = field(32);
    if (height == INT32_MIN) Fail("image height out of range");
    h.topDown = height < 0;
    h.height = height < 0 ? -int64_t(height) : int64_t(height);
    if (!h.os2 && size >= 52) {
        h.masksInHeader = true;
        h.masks[0] = field(40);
        h.masks[1] = field(44);
        h.masks[2] = field(48);
        h.masks[3] = size >= 56 ? field(52) : 0;
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

size_t DecodePlain(const Bytes& in, size_t offset, const DibHeader& h, PixelImage& image) {
    const size_t stride = image.Stride();
    const size_t total = stride * size_t(image.height);
    in.Require(offset, total, "pixel data");
    for (int y = 0; y < image.height; ++y)
        std::memcpy(image.Row(y), in.At(offset + FileRowOffset(h, y, stride)), stride);
    return offset + total;
}

size_t DecodeMasked(const Bytes& in, size_t offset, const DibHeader& h, PixelImage& image) {
    const unsigned bytesPerPixel = h.bits / 8;
    const size_t fileStride = RowStride(int(h.width), h.bits == 16 ? PixelLayout::Rgb555 : PixelLayout::Bgra32);
    const size_t total = fileStride * size_t(h.height);
    in.Require(offset, total, "pixel data");
    const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]), alpha(h.masks[3]);
    const bool hasAlpha = image.layout == PixelLayout::Bgra32;
    for (int y = 0; y < image.height; ++y) {
        const uint8_t* src = in.At(offset + FileRowOffset(h, y, fileStride));
        uint8_t* dst = image.Row(y);
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = src + size_t(x) * bytesPerPixel;
            uint32_t v = p[0] | (p[1] << 8);
            if (bytesPerPixel == 4) v |= (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
            image.SetColor(x, y, PackRgb(red.Extract(v), green.Extract(v), blue.Extract(v)));
            if (hasAlpha) dst[4 * x + 3] = alpha.Extract(v);
        }
    }
    return offset + total;
}

// Run-length data; `end` bounds the encoded bytes. Returns where reading stopped.
size_t DecodeRle(const Bytes& in, size_t offset, size_t end, bool fourBit, PixelImage& image) {
    const int width = image.width, height = image.height;
    int x = 0, y = 0;  // y counts from the bottom row
    auto put = [&](unsigned index) {
        if (x < width && y < height) image.SetIndex(x, height - 1 - y, index);
        if (x < width) ++x;
    };
    size_t pos = offset;
    for (;;) {
        if (end - pos < 2) {
            if (y >= height) return pos;
            Fail("truncated compressed pixel data");
        }
        const uint8_t count = *in.At(pos), value = *in.At(pos + 1);
        pos += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count && x < width; ++i)
                put(fourBit ? (i % 2 ? value & 0xF : value >> 4) : value);
            continue;
        }
        if (value == 0) {  // end of row
            x = 0;
            y = std::min(y + 1, height);
        } else if (value == 1) {  // end of image
            return pos;
        } else if (value == 2) {  // move the pen right and up
            if (end - pos < 2) Fail("truncated compressed pixel data");
            x = std::min(x + *in.At(pos), width);
            y = std::min(y + *in.At(pos + 1), height);
            pos += 2;
        } else {  // literal pixels, padded to a 16-bit boundary
            const size_t literalBytes = fourBit ? (value + 1u) / 2 : value;
            const size_t padded = literalBytes + (literalBytes & 1u);
            if (end - pos < padded) Fail("truncated compressed pixel data");
            for (unsigned i = 0; i < value && x < width; ++i) {
                const uint8_t b = *in.At(pos + (fourBit ? i / 2 : i));
                put(fourBit ? (i % 2 ? b & 0xF : b >> 4) : b);
            }
            pos += padded;
        }
    }
}

// `pixelOffset` is the absolute pixel-data offset named by a file header;
// a packed DIB's pixels follow its palette directly.
DecodedBmp DecodeDib(const Bytes& in, size_t dibStart, bool isFile, size_t pixelOffset, const BmpLimits& limits) {
    DibHeader h = ReadDibHeader(in, dibStart);
    const PixelEncoding encoding = ClassifyEncoding(h);
    CheckDimensions(h, limits);

    size_t cursor = dibStart + h.headerSize;
    if (encoding == PixelEncoding::Masked && !h.masksInHeader) {
        const size_t maskCount = h.compression == kAlphaBitfields ? 4 : 3;
        in.Require(cursor, 4 * maskCount, "bit-field masks");
        for (size_t i = 0; i < maskCount; ++i) h.masks[i] = in.U32(cursor + 4 * i, "bit-field masks");
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
        if (paletteCount > (in.Size() - paletteStart) / entrySize) Fail("truncated palette");
        pixelOffset = paletteStart + paletteCount * entrySize;
    }
    if (h.bits > 8) paletteCount = 0;
    in.Require(paletteStart, paletteCount * entrySize, "palette");

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
        const uint8_t* e = in.At(paletteStart + i * entrySize);
        image.palette.push_back(PaletteEntry{e[0], e[1], e[2], 0});
    }

    const bool plain32 = encoding == PixelEncoding::Masked && layout == PixelLayout::Bgra32 && h.bits == 32 &&
                         h.masks[0] == 0xFF0000 && h.masks[1] == 0xFF00 && h.masks[2] == 0xFF &&
                         (h.masks[3] == 0 || h.masks[3] == 0xFF000000u);
    const bool plain16 = encoding == PixelEncoding::Masked &&
                         (layout == PixelLayout::Rgb555 || layout == PixelLayout::Rgb565);
    const size_t stride = image.Stride();
    if (encoding == PixelEncoding::Plain || plain16 || plain32) {
        // Check that the data is there before allocating for it.
        in.Require(pixelOffset, stride * size_t(image.height), "pixel data");
        image.pixels.resize(stride * size_t(image.height));
        result.length = DecodePlain(in, pixelOffset, h, image);
    } else if (encoding == PixelEncoding::Masked) {
        in.Require(pixelOffset, RowStride(image.width, h.bits == 16 ? PixelLayout::Rgb555 : PixelLayout::Bgra32) *
                                    size_t(image.height), "pixel data");
        image.pixels.assign(stride * size_t(image.height), 0);
        result.length = DecodeMasked(in, pixelOffset, h, image);
    } else {
        if (pixelOffset > in.Size()) Fail("truncated compressed pixel data");
        size_t end = in.Size();
        if (h.sizeImage != 0 && h.sizeImage < end - pixelOffset) end = pixelOffset + h.sizeImage;
        image.pixels.assign(stride * size_t(image.height), 0);
        result.length = DecodeRle(in, pixelOffset, end, encoding == PixelEncoding::Rle4, image);
    }
    return result;
}

void PutU16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

}  // namespace

DecodedBmp DecodeBmpFile(std::span<const uint8_t> bytes, const BmpLimits& limits) {
    const Bytes in(bytes);
    in.Require(0, kFileHeaderSize, "file header");
    if (bytes[0] != 'B' || bytes[1] != 'M') Fail("not a bitmap file (no \"BM\" signature)");
    const uint32_t offBits = in.U32(10, "file header");
    return DecodeDib(in, kFileHeaderSize, true, offBits, limits);
}

DecodedBmp DecodePackedDib(std::span<const uint8_t> bytes, const BmpLimits& limits) {
    const Bytes in(bytes);
    return DecodeDib(in, 0, false, 0, limits);
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
    out.push_back('B');
    out.push_back('M');
    PutU32(out, uint32_t(fileSize));
    PutU32(out, 0);
    PutU32(out, uint32_t(headerBytes));

    PutU32(out, kInfoHeaderSize);
    PutU32(out, uint32_t(image.width));
    PutU32(out, uint32_t(image.height));  // positive: bottom row first
    PutU16(out, 1);
    PutU16(out, uint32_t(BitsPerPixel(image.layout)));
    PutU32(out, masked ? kBitfields : kRgb);
    PutU32(out, uint32_t(pixelBytes));
    PutU32(out, 2835);  // 72 dpi
    PutU32(out, 2835);
    PutU32(out, uint32_t(palette.size()));
    PutU32(out, 0);
    if (masked) {
        PutU32(out, 0xF800);
        PutU32(out, 0x07E0);
        PutU32(out, 0x001F);
    }
    for (const PaletteEntry& e : palette) {
        out.push_back(e.blue);
        out.push_back(e.green);
        out.push_back(e.red);
        out.push_back(0);
    }
    for (int y = image.height - 1; y >= 0; --y) out.insert(out.end(), image.Row(y), image.Row(y) + stride);
    return out;
}
