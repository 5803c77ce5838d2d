#include "skin/data/Winconvert_coder.h"

#include <algorithm>
#include <functional>
#include <cstring>
#include <memory>
#include <new>

#include "skin/data/Winconvert.h"
#include "skin/data/Winconvert_huffman.h"
#include "skin/data/Winconvert_matcher.h"

namespace relayon::skin::lzh {
namespace {

struct EncoderTables {
    MatchTrees trees;
    AdaptiveHuffman huffman;
};

struct DecoderTables {
    uint8_t ring[N];
    AdaptiveHuffman huffman;
};

template <class Tables>
std::unique_ptr<Tables> AllocateTables() {
    try {
        return std::make_unique<Tables>();
    } catch (const std::bad_alloc&) {
        throw ElzhException(kLzhNoMemoryText);
    }
}

void EncodePosition(BitWriter& out, int position) {
    const int u = position >> 6;
    const int length = p_len[u];
    const uint32_t prefix = static_cast<uint32_t>(p_code[u]) >> (8 - length);
    out.Put(length + 6, (prefix << 6) | static_cast<uint32_t>(position & 63));
}

int DecodePosition(BitReader& in) {
    const uint32_t head = in.PeekBits(8);
    const int length = d_len[head];
    // The prefix plus the 6 low bits, read as one number; its low 6 bits are the position's.
    const uint32_t all = in.GetBits(length + 6);
    return (d_code[head] << 6) | static_cast<int>(all & 63);
}

// Ring buffer before the first symbol: spaces count as real history.
void FillDictionary(uint8_t* ring) { std::memset(ring, ' ', kSpaceFill); }

}  // namespace

int64_t EncodeLzh(ByteInput& in, ByteOutput& out) {
    auto tables = AllocateTables<EncoderTables>();
    MatchTrees& t = tables->trees;
    AdaptiveHuffman& huffman = tables->huffman;
    BitWriter bits(out);

    int s = 0;
    int r = kSpaceFill;
    FillDictionary(t.text_buf);
    int len = 0;
    for (int c; len < F && (c = in.Get()) >= 0; ++len) t.text_buf[r + len] = static_cast<uint8_t>(c);
    int64_t textsize = len;
    for (int i = 1; i <= F; ++i) t.InsertNode(r - i);
    t.InsertNode(r);
    // One symbol is coded even for an empty input (a stray literal), as in
    // every coder of this stream.
    do {
        if (t.match_length > len) t.match_length = len;
        if (t.match_length <= THRESHOLD) {
            t.match_length = 1;
            huffman.EncodeChar(bits, t.text_buf[r]);
        } else {
            huffman.EncodeChar(bits, MatchSymbol(t.match_length));
            EncodePosition(bits, t.match_position);
        }
        const int last = t.match_length;
        int i = 0;
        for (int c; i < last && (c = in.Get()) >= 0; ++i) {
            t.DeleteNode(s);
            t.text_buf[s] = static_cast<uint8_t>(c);
            if (s < F - 1) t.text_buf[s + N] = static_cast<uint8_t>(c);
            s = (s + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            // Only the match at the last position of this step is coded.
            if (i + 1 == last) {
                t.InsertNode(r);
            } else {
                t.InsertNodeSkippingMatch(r);
            }
        }
        textsize += i;
        // End of input: the look-ahead drains without new bytes.
        for (; i < last; ++i) {
            t.DeleteNode(s);
            s = (s + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            if (--len == 0) continue;
            if (i + 1 == last) {
                t.InsertNode(r);
            } else {
                t.InsertNodeSkippingMatch(r);
            }
        }
    } while (len > 0);
    bits.Flush();
    return textsize;
}

int64_t DecodeLzh(ByteInput& in, ByteOutput& out, int64_t textSize, bool cutFinalMatch) {
    if (textSize <= 0) return 0;
    auto tables = AllocateTables<DecoderTables>();
    uint8_t* ring = tables->ring;
    AdaptiveHuffman& huffman = tables->huffman;
    BitReader bits(in);

    std::memset(ring, 0, N);
    FillDictionary(ring);
    int r = kSpaceFill;
    int64_t count = 0;
    while (count < textSize) {
        const int c = huffman.DecodeChar(bits);
        if (c < 256) {
            out.Put(static_cast<uint8_t>(c));
            ring[r] = static_cast<uint8_t>(c);
            r = (r + 1) & (N - 1);
            ++count;
            continue;
        }
        // Positions are 12 bits wide, so the copy stays inside the ring
        // whatever the input; it may overlap the bytes it produces.
        int from = (r - DecodePosition(bits) - 1) & (N - 1);
        int length = MatchLengthOf(c);
        if (cutFinalMatch && length > textSize - count) length = static_cast<int>(textSize - count);
        for (int k = 0; k < length; ++k) {
            const uint8_t b = ring[from];
            out.Put(b);
            ring[r] = b;
            from = (from + 1) & (N - 1);
            r = (r + 1) & (N - 1);
        }
        count += length;
    }
    return count;
}

namespace {

// Byte of the starting dictionary that output index m < 0 stands for: the
// ring slot (4036 + m) mod 4096 holds a space below 4036 and zero above.
inline uint8_t InitialByte(int64_t m) { return kSpaceFill + m >= 0 ? ' ' : 0; }

}  // namespace

namespace {

// Decodes the next literal or match to out[pos], cut to `remaining` text
// bytes; `room` bytes may be written from out[pos] (a whole-word copy may
// write up to 7 bytes past the match). `origin` is the text position of
// out[0]: sources before the text's start come from the starting dictionary.
// Returns the new position.
inline size_t DecodeSymbol(AdaptiveHuffman& huffman, BitReader& bits, uint8_t* out, size_t pos, size_t remaining,
                           size_t room, size_t origin) {
    const int c = huffman.DecodeChar(bits);
    if (c < 256) {
        out[pos] = static_cast<uint8_t>(c);
        return pos + 1;
    }
    // Distance 1..4096 by construction, so the source is at most 4096
    // bytes back: in the output, or in the starting dictionary.
    const size_t distance = static_cast<size_t>(DecodePosition(bits)) + 1;
    const size_t length = std::min<size_t>(static_cast<size_t>(MatchLengthOf(c)), remaining);
    uint8_t* dst = out + pos;
    if (distance <= pos) {
        const uint8_t* src = dst - distance;
        if (distance >= 8 && room >= length + 8) {
            // Whole words: each reads bytes already final (distance >= 8).
            for (size_t k = 0; k < length; k += 8) std::memcpy(dst + k, src + k, 8);
        } else {
            for (size_t k = 0; k < length; ++k) dst[k] = src[k];
        }
    } else {
        for (size_t k = 0; k < length; ++k) {
            const int64_t m = static_cast<int64_t>(origin + pos + k) - static_cast<int64_t>(distance);
            dst[k] = m >= 0 ? out[m - static_cast<int64_t>(origin)] : InitialByte(m);
        }
    }
    return pos + length;
}

}  // namespace

void DecodeLzhInto(ByteInput& in, uint8_t* out, size_t size) {
    if (size == 0) return;
    auto huffman = AllocateTables<AdaptiveHuffman>();
    BitReader bits(in);
    size_t pos = 0;
    while (pos < size) pos = DecodeSymbol(*huffman, bits, out, pos, size - pos, size - pos, 0);
}

void DecodeLzhTo(ByteInput& in, size_t size, const std::function<void(const uint8_t*, size_t)>& drain) {
    if (size == 0) return;
    // A window of the last 4096 bytes (the farthest a match reaches back)
    // followed by fresh output; small enough to stay in the cache.
    constexpr size_t kWindow = 4096;
    constexpr size_t kCapacity = size_t{64} << 10;
    constexpr size_t kSlack = 60 + 8;  // the longest match plus a whole-word overrun
    // Every byte is decoded before it is read or drained: no zero fill.
    const auto storage = std::make_unique_for_overwrite<uint8_t[]>(kCapacity);
    uint8_t* const buffer = storage.get();
    auto huffman = AllocateTables<AdaptiveHuffman>();
    BitReader bits(in);
    size_t origin = 0;  // text position of buffer[0]
    size_t pos = 0;     // next byte to decode, in the buffer
    size_t drained = 0; // bytes of the buffer handed on
    while (origin + pos < size) {
        if (pos + kSlack > kCapacity) {
            drain(buffer + drained, pos - drained);
            std::memmove(buffer, buffer + pos - kWindow, kWindow);
            origin += pos - kWindow;
            pos = drained = kWindow;
        }
        pos = DecodeSymbol(*huffman, bits, buffer, pos, size - origin - pos, kCapacity - pos, origin);
    }
    drain(buffer + drained, pos - drained);
}

std::vector<LzhToken> DecodeLzhTokens(std::span<const uint8_t> code, int64_t textSize) {
    std::vector<LzhToken> tokens;
    ByteInput in(code);
    BitReader bits(in);
    auto huffman = std::make_unique<AdaptiveHuffman>();
    for (int64_t count = 0; count < textSize;) {
        const int c = huffman->DecodeChar(bits);
        if (c < 256) {
            tokens.push_back({1, c});
            ++count;
        } else {
            tokens.push_back({MatchLengthOf(c), DecodePosition(bits)});
            count += MatchLengthOf(c);
        }
    }
    return tokens;
}

}  // namespace relayon::skin::lzh
