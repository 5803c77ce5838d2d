// Arbitrary bytes as a .bmp file and as a packed DIB: the only acceptable
// outcomes are a consistent image or EInvalidGraphic. A decoded image is
// written back and read again, which must give the same pixels.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "toolkit/core/BmpCodec.h"

namespace {

void CheckConsistent(const DecodedBmp& decoded, size_t inputSize) {
    const PixelImage& image = decoded.image;
    if (decoded.length > inputSize) std::abort();
    if (image.width <= 0 || image.height <= 0) std::abort();
    if (image.pixels.size() != image.Stride() * size_t(image.height)) std::abort();
    if (image.palette.size() > 256) std::abort();
    // Reading every pixel must stay inside the buffers (ASan watches).
    uint32_t sink = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) sink ^= image.Color(x, y);
    (void)sink;

    if (uint64_t(image.width) * uint64_t(image.height) > 4096) return;  // keep the round trip cheap
    const std::vector<uint8_t> file = EncodeBmpFile(image);
    const DecodedBmp again = DecodeBmpFile(file);
    if (again.image.layout != image.layout) std::abort();
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (again.image.Color(x, y) != image.Color(x, y)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    BmpLimits limits;
    limits.maxPixels = uint64_t(1) << 22;  // keeps each run fast; the checks are the same
    try {
        CheckConsistent(DecodeBmpFile(bytes, limits), size);
    } catch (const EInvalidGraphic&) {
    }
    try {
        CheckConsistent(DecodePackedDib(bytes, limits), size);
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
