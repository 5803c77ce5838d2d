// Arbitrary bytes as a BMP file: decoding either fails with a reason or gives
// an image whose buffer matches its size.
#include <cstdint>
#include <cstdlib>

#include "skin/data/BmpFile.h"

using namespace relayon::skin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const BmpDecodeResult r = DecodeBmp(std::span<const uint8_t>(data, size));
    if (r.ok) {
        if (r.image.pixels.size() != static_cast<size_t>(r.image.width) * r.image.height * 3) std::abort();
    } else if (r.error.empty()) {
        std::abort();
    }
    return 0;
}
