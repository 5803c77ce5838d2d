// Container decoding of arbitrary bytes under a size cap: must never read or
// write out of bounds, must honour the cap, and must reproduce the stream
// when the decoded bytes are coded again (for streams our coder accepts).

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "skin/data/Winconvert.h"

using namespace relayon::skin;

namespace {
constexpr size_t kCap = 128 * 1024;  // small enough for many runs per second
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> container(data, size);
    std::vector<uint8_t> plain;
    try {
        plain = GetBlockStream(container, kCap);
    } catch (const ElzhException&) {
        const int32_t declared = BlockStreamDeclaredSize(container);
        if (declared <= 0 || static_cast<size_t>(declared) <= kCap) std::abort();  // refused without cause
        return 0;
    }
    const int32_t declared = BlockStreamDeclaredSize(container);
    if (plain.size() != (declared > 0 ? static_cast<size_t>(declared) : 0)) std::abort();

    // Whatever came out must survive our own round trip.
    if (plain.size() <= 16 * 1024) {
        const std::vector<uint8_t> again = GetBlockStream(PutBlockStream(plain), kCap);
        if (again != plain) std::abort();
    }
    return 0;
}
