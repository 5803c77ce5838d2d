// Container decoding of arbitrary bytes under a size cap: must never read or
// write out of bounds, must honour the cap and must produce exactly the
// declared size. Coding costs many times more than decoding, so the coder's
// checks (round trip, agreement with the earlier coder) live in
// Winconvert_reference_fuzz and this target stays fast.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "skin/data/Winconvert.h"

using namespace relayon::skin;

namespace {

// The cap grows with the input, so the work per input does too and a run
// tries thousands of inputs a second. The cheapest code is a 60-byte match
// in about ten bits, so n code bytes describe at most about 50 n output
// bytes; beyond that the decoder only reads the zero padding past the end,
// which a fixed large cap would make every 4-byte input pay for.
constexpr size_t kOutputPerCodeByte = 64;
constexpr size_t kCapFloor = 256;
constexpr size_t kCapCeiling = size_t{1} << 20;

}  // namespace

// Every input allocates fresh decoder tables and its output. Under the
// default 256 MB quarantine of freed memory each run lands on pages never
// touched before, and the page faults cost more than the decoding; 16 MB
// still holds the frees of well over a hundred runs for use-after-free checks.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> container(data, size);
    const size_t cap = std::min(kCapCeiling, kCapFloor + kOutputPerCodeByte * size);
    const int32_t declared = BlockStreamDeclaredSize(container);
    std::vector<uint8_t> plain;
    try {
        plain = GetBlockStream(container, cap);
    } catch (const ElzhException&) {
        if (declared <= 0 || static_cast<size_t>(declared) <= cap) std::abort();  // refused without cause
        return 0;
    }
    if (declared > 0 && static_cast<size_t>(declared) > cap) std::abort();  // cap not honoured
    if (plain.size() != (declared > 0 ? static_cast<size_t>(declared) : 0)) std::abort();
    return 0;
}
