#pragma once
// Fixed parameters of the LZH code stream and the position code tables.
//
// Position coding: a match position p (distance - 1, 0..4095) is sent as a
// prefix code for its upper 6 bits u = p >> 6 followed by its low 6 bits
// verbatim. The prefix code is canonical, codes assigned in increasing u:
//
//   u        count  code length  first code (left-aligned in a byte)
//   0          1        3        0x00
//   1..3       3        4        0x20
//   4..11      8        5        0x50
//   12..23    12        6        0x90
//   24..47    24        7        0xC0
//   48..63    16        8        0xF0
//
// p_len/p_code give length and left-aligned code per u; d_code/d_len are the
// inverse, indexed by the next 8 bits of the stream.

#include <array>
#include <cstdint>

namespace relayon::skin::lzh {

inline constexpr int N = 4096;                         // ring buffer size; positions are 12 bits
inline constexpr int F = 60;                           // look-ahead = longest match
inline constexpr int THRESHOLD = 2;                    // a match must be longer than this
inline constexpr int NIL = N;                          // no node in the search trees
inline constexpr int N_CHAR = 256 - THRESHOLD + F;     // 314 symbols: bytes, then lengths 3..60
inline constexpr int T = 2 * N_CHAR - 1;               // Huffman tree size
inline constexpr int R = T - 1;                        // root node
inline constexpr unsigned MAX_FREQ = 0x8000;           // root frequency that triggers a rebuild
inline constexpr int kSpaceFill = N - F;               // ring bytes pre-filled with spaces (4036)

// Symbol of a match of `length` bytes and back.
constexpr int MatchSymbol(int length) { return 255 - THRESHOLD + length; }
constexpr int MatchLengthOf(int symbol) { return symbol - (255 - THRESHOLD); }

namespace detail {

constexpr int PositionCodeLength(int u) {
    return u < 1 ? 3 : u < 4 ? 4 : u < 12 ? 5 : u < 24 ? 6 : u < 48 ? 7 : 8;
}

struct PositionTables {
    std::array<uint8_t, 64> len{};
    std::array<uint8_t, 64> code{};
    std::array<uint8_t, 256> dcode{};
    std::array<uint8_t, 256> dlen{};
};

constexpr PositionTables MakePositionTables() {
    PositionTables t{};
    unsigned next = 0;
    int previousLength = PositionCodeLength(0);
    for (int u = 0; u < 64; ++u) {
        const int length = PositionCodeLength(u);
        next <<= (length - previousLength);
        previousLength = length;
        t.len[u] = static_cast<uint8_t>(length);
        t.code[u] = static_cast<uint8_t>(next << (8 - length));
        for (int tail = 0; tail < (1 << (8 - length)); ++tail) {
            t.dcode[t.code[u] + tail] = static_cast<uint8_t>(u);
            t.dlen[t.code[u] + tail] = static_cast<uint8_t>(length);
        }
        ++next;
    }
    return t;
}

inline constexpr PositionTables kPositionTables = MakePositionTables();

}  // namespace detail

inline constexpr const std::array<uint8_t, 64>& p_len = detail::kPositionTables.len;
inline constexpr const std::array<uint8_t, 64>& p_code = detail::kPositionTables.code;
inline constexpr const std::array<uint8_t, 256>& d_code = detail::kPositionTables.dcode;
inline constexpr const std::array<uint8_t, 256>& d_len = detail::kPositionTables.dlen;

}  // namespace relayon::skin::lzh
