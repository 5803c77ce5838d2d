// The tuned LZH coder against its earlier, straightforward form on arbitrary
// bytes: read as plain text both encoders must write the same code stream,
// which must decode back to the text; read as a code stream both decoders
// must produce the same bytes.

#include <algorithm>
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

namespace {

// The output asked of the decoders is bounded by what the code bytes can
// describe (a 60-byte match costs about ten bits), so the work per input
// follows its length; past that both decoders would only read zero padding.
constexpr size_t kOutputPerCodeByte = 64;
constexpr size_t kOutputFloor = 256;

}  // namespace

// Every input allocates fresh coder tables and I/O blocks (about 100 KB).
// Under the default 256 MB quarantine of freed memory each run lands on pages
// never touched before, and the page faults cost more than the coding; 16 MB
// still holds the frees of well over a hundred runs for use-after-free checks.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    // First two bytes: bit 0 picks the pair under test (encoders or
    // decoders: coding costs far more than decoding, so the cheap half is
    // not held back by the other), the other 15 bits how many bytes to
    // decode (at most what the body can describe). The rest is the plain
    // text for the encoders or the code for the decoders.
    const bool encoders = (data[0] & 1) != 0;
    const size_t asked = static_cast<size_t>(data[0] >> 1) | static_cast<size_t>(data[1]) << 7;
    const std::span<const uint8_t> body(data + 2, size - 2);

    if (encoders) {
        const std::vector<uint8_t> code = LZHPack(body);
        if (code != lzh_reference::Pack(body)) std::abort();
        const std::vector<uint8_t> again = LZHUnpack(code, body.size());
        if (!std::equal(again.begin(), again.end(), body.begin(), body.end())) std::abort();
    } else {
        const size_t outputSize = std::min(asked, kOutputFloor + kOutputPerCodeByte * body.size());
        if (LZHUnpack(body, outputSize) != lzh_reference::Unpack(body, outputSize)) std::abort();
    }
    return 0;
}
