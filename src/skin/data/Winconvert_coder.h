#pragma once
// The LZH encoder and decoder over buffered byte I/O. Each call owns a fresh
// state: an all-space dictionary (bytes 0..4035; the rest zero) and a fresh
// Huffman tree, so no state survives between calls.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "skin/data/Winconvert_bits.h"

namespace relayon::skin::lzh {

// Compresses everything `in` delivers into `out` (call out.Finish() after).
// Returns the number of input bytes consumed.
int64_t EncodeLzh(ByteInput& in, ByteOutput& out);

// Decodes until `textSize` bytes were produced (nothing for textSize <= 0).
// With `cutFinalMatch` a match running past textSize is cut there; without,
// it is written whole, as the classic decoder does (at most F - 1 extra).
// Returns the number of bytes written.
int64_t DecodeLzh(ByteInput& in, ByteOutput& out, int64_t textSize, bool cutFinalMatch);

// Decodes exactly `size` bytes into `out` (a final match running past the
// end is cut). Faster than DecodeLzh: matches copy from the output itself.
void DecodeLzhInto(ByteInput& in, uint8_t* out, size_t size);

// The same decode, handing the output on in blocks of up to 64 KiB through a
// small reused buffer instead of needing all `size` bytes in memory.
void DecodeLzhTo(ByteInput& in, size_t size, const std::function<void(const uint8_t*, size_t)>& drain);

// One coded symbol, for inspection of a code stream.
struct LzhToken {
    int length;    // 1 for a literal, else the match length 3..60
    int value;     // the literal byte, or the position value (distance - 1)
    bool operator==(const LzhToken&) const = default;
};

// Decodes `code` into its symbols until `textSize` bytes are covered.
std::vector<LzhToken> DecodeLzhTokens(std::span<const uint8_t> code, int64_t textSize);

}  // namespace relayon::skin::lzh
