// The tuned LZH coder against its earlier, straightforward form on arbitrary
// bytes: read as plain text both encoders must write the same code stream,
// and read as a code stream both decoders must produce the same bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "skin/data/Winconvert.h"

// Fuzz targets link only the codec library, not the test support files, so
// the earlier coder is compiled into this target directly.
#include "../support/Winconvert_reference.cpp"

using namespace relayon::skin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    // First two bytes: how many bytes to decode (up to 64 KiB); the rest is
    // the plain text for the encoders and the code for the decoders.
    const size_t outputSize = static_cast<size_t>(data[0]) | static_cast<size_t>(data[1]) << 8;
    const std::span<const uint8_t> body(data + 2, size - 2);

    if (LZHPack(body) != lzh_reference::Pack(body)) std::abort();
    if (LZHUnpack(body, outputSize) != lzh_reference::Unpack(body, outputSize)) std::abort();
    return 0;
}
