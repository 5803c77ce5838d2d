// LZH codec: hand-derived code streams, parse decisions, round trips, the
// container, the callback form and hostile input.

#include "skin/data/Winconvert.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "skin/data/Winconvert_coder.h"
#include "skin/data/Winconvert_tables.h"

namespace relayon::skin {
namespace {

using Bytes = std::vector<uint8_t>;
using lzh::LzhToken;

Bytes B(std::string_view s) { return Bytes(s.begin(), s.end()); }

Bytes RandomBytes(size_t n, uint32_t seed, int alphabet = 256) {
    std::mt19937 rng(seed);
    Bytes out(n);
    for (auto& b : out) b = static_cast<uint8_t>(rng() % alphabet);
    return out;
}

// Text-like data with repeats at many distances, including > 4096.
Bytes WordSoup(size_t n, uint32_t seed) {
    static const char* words[] = {"skin", "button", "[Form]", "Bitmap=", "caption", " ", "\r\n",
                                  "0x1A", "Trans=1", "border", "TopHeight", "=", "frame"};
    std::mt19937 rng(seed);
    Bytes out;
    while (out.size() < n) {
        const char* w = words[rng() % std::size(words)];
        out.insert(out.end(), w, w + std::strlen(w));
        if (rng() % 50 == 0) out.push_back(static_cast<uint8_t>(rng()));
    }
    out.resize(n);
    return out;
}

std::vector<LzhToken> Tokens(const Bytes& plain) {
    return lzh::DecodeLzhTokens(LZHPack(plain), static_cast<int64_t>(plain.size()));
}

// Code streams worked out by hand from the initial tree (leaf of symbol s at
// node s, node j >= 314 the parent of nodes 2(j-314) and 2(j-314)+1, one bit
// per level, 1 for an odd node) and the updates between the symbols.
TEST(Winconvert, HandDerivedStreamsEncodeAndDecode) {
    struct Case {
        Bytes plain;
        Bytes code;
    };
    Bytes spacesThenX(100, ' ');
    spacesThenX.push_back('x');
    const Case cases[] = {
        // One stray literal (byte 0 past the look-ahead): 9 bits 110001100, then the flush.
        {{}, {0xC6, 0x00}},
        // a = 111101101; b after a's update = 111101110; c = 111101111.
        {B("abc"), {0xF6, 0xFB, 0xBD, 0xE0}},
        // c moves to node 311 under 469 (3 < 4: no exchange there); a again
        // from node 313 under 470: 11000101. An exchange of equal counts
        // (470 and 471 both at 4 after b) would change this code.
        {B("abca"), {0xF6, 0xFB, 0xBD, 0xF8, 0xA0}},
        // match 60 (11000101), position 59 (000 111011); match 40 (10110001),
        // position 0 (000 000000); literal x (00000100).
        {spacesThenX, {0xC5, 0x1D, 0xD8, 0x80, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LZHPack(c.plain), c.code) << "plain size " << c.plain.size();
        EXPECT_EQ(LZHUnpack(c.code, c.plain.size()), c.plain);
    }
    Bytes container = {0, 0, 0, 0, 0xC6, 0x00};
    EXPECT_EQ(PutBlockStream({}), container);
    EXPECT_TRUE(GetBlockStream(container, 100).empty());
}

TEST(Winconvert, ParseDecisionsFollowTheSearchRules) {
    // No match shorter than 3 bytes.
    EXPECT_EQ(Tokens(B("abc")), (std::vector<LzhToken>{{1, 'a'}, {1, 'b'}, {1, 'c'}}));
    // A run codes as one literal, then distance-1 matches of the longest length.
    std::vector<LzhToken> run = {{1, 'a'}};
    for (int i = 0; i < 16; ++i) run.push_back({60, 0});
    run.push_back({39, 0});
    EXPECT_EQ(Tokens(Bytes(1000, 'a')), run);
    // The pre-filled spaces are history from the first symbol on.
    Bytes spaces(100, ' ');
    spaces.push_back('x');
    EXPECT_EQ(Tokens(spaces), (std::vector<LzhToken>{{60, 59}, {40, 0}, {1, 'x'}}));
    // Equal lengths: the nearest occurrence met on the search path wins...
    EXPECT_EQ(Tokens(B("wxyz5678wxyz1234wxyz")).back(), (LzhToken{4, 7}));
    // ...and only those: here the nearer "wxyz5678" lies in the other
    // subtree of "wxyz1234" (the bytes after the input are zero), so the
    // farther occurrence is coded, as every coder of this stream does.
    EXPECT_EQ(Tokens(B("wxyz1234wxyz5678wxyz")).back(), (LzhToken{4, 15}));
    // A match never runs past the end of the input.
    const Bytes periodic = B("0123456789012345678901");
    const auto ptokens = Tokens(periodic);
    int covered = 0;
    for (const auto& t : ptokens) covered += t.length;
    EXPECT_EQ(covered, static_cast<int>(periodic.size()));
    EXPECT_EQ(ptokens.back(), (LzhToken{12, 9}));
}

TEST(Winconvert, PositionTablesFollowTheCanonicalCode) {
    using namespace lzh;
    const uint8_t firstCodes[] = {0x00, 0x20, 0x30, 0x40, 0x50, 0x58};
    for (int u = 0; u < 6; ++u) EXPECT_EQ(p_code[u], firstCodes[u]) << u;
    EXPECT_EQ(p_code[62], 0xFE);
    EXPECT_EQ(p_code[63], 0xFF);
    int counts[9] = {};
    double kraft = 0;
    for (int u = 0; u < 64; ++u) {
        ++counts[p_len[u]];
        kraft += 1.0 / (1 << p_len[u]);
        if (u > 0) {
            EXPECT_GT(p_code[u], p_code[u - 1]);
        }
    }
    EXPECT_EQ(counts[3], 1);
    EXPECT_EQ(counts[4], 3);
    EXPECT_EQ(counts[5], 8);
    EXPECT_EQ(counts[6], 12);
    EXPECT_EQ(counts[7], 24);
    EXPECT_EQ(counts[8], 16);
    EXPECT_DOUBLE_EQ(kraft, 1.0);
    // Every byte starts with exactly one code, and the inverse tables name it.
    for (int byte = 0; byte < 256; ++byte) {
        int matches = 0;
        for (int u = 0; u < 64; ++u) {
            const int shift = 8 - p_len[u];
            if ((byte >> shift) == (p_code[u] >> shift)) {
                ++matches;
                EXPECT_EQ(d_code[byte], u);
                EXPECT_EQ(d_len[byte], p_len[u]);
            }
        }
        EXPECT_EQ(matches, 1) << byte;
    }
}

TEST(Winconvert, RoundTripsManySizesAndShapes) {
    std::vector<Bytes> inputs;
    for (size_t n : {1u, 2u, 3u, 4u, 17u, 59u, 60u, 61u, 62u, 119u, 120u, 121u, 255u, 4035u, 4036u, 4095u,
                     4096u, 4097u, 4155u, 8192u, 20000u}) {
        inputs.push_back(RandomBytes(n, static_cast<uint32_t>(n)));
        inputs.push_back(RandomBytes(n, static_cast<uint32_t>(n) + 1, 3));
        inputs.push_back(WordSoup(n, static_cast<uint32_t>(n)));
        inputs.push_back(Bytes(n, 0));
        inputs.push_back(Bytes(n, ' '));
    }
    // Periods just below, at and above the look-ahead and the dictionary.
    for (size_t period : {59u, 60u, 61u, 4095u, 4096u, 4097u}) {
        const Bytes unit = RandomBytes(period, static_cast<uint32_t>(period));
        Bytes p;
        while (p.size() < 3 * period + 100) p.insert(p.end(), unit.begin(), unit.end());
        inputs.push_back(p);
    }
    for (size_t n = 0; n < 200; ++n) inputs.push_back(WordSoup(n, 7));
    for (const Bytes& plain : inputs) {
        const Bytes code = LZHPack(plain);
        ASSERT_EQ(LZHUnpack(code, plain.size()), plain) << "size " << plain.size();
        // Decoding and coding again reproduces the stream byte for byte.
        EXPECT_EQ(LZHPack(LZHUnpack(code, plain.size())), code);
        EXPECT_EQ(GetBlockStream(PutBlockStream(plain), plain.size()), plain);
    }
}

// Copies of earlier stretches at random distances (up to past the
// dictionary) with a little noise: long matches start and end everywhere,
// including across the wrap of the ring and its mirrored tail.
Bytes CopySoup(size_t n, uint32_t seed) {
    std::mt19937 rng(seed);
    Bytes out = RandomBytes(64, seed);
    while (out.size() < n) {
        if (rng() % 4 == 0) {
            out.push_back(static_cast<uint8_t>(rng() % 4));
            continue;
        }
        const size_t distance = 1 + rng() % std::min<size_t>(out.size(), 5000);
        const size_t length = 3 + rng() % 90;
        for (size_t k = 0; k < length; ++k) out.push_back(out[out.size() - distance]);
    }
    out.resize(n);
    return out;
}

TEST(Winconvert, RoundTripsCopyHeavyData) {
    for (uint32_t seed = 0; seed < 40; ++seed) {
        const Bytes plain = CopySoup(20000 + seed * 997, seed);
        const Bytes code = LZHPack(plain);
        ASSERT_EQ(LZHUnpack(code, plain.size()), plain) << "seed " << seed;
    }
}

TEST(Winconvert, CompressesRedundantInputAndBoundsRandomInput) {
    const Bytes text = WordSoup(100000, 3);
    EXPECT_LT(LZHPack(text).size(), text.size() / 3);
    const Bytes noise = RandomBytes(100000, 4);
    // Literals of random bytes cost about 8 bits each.
    EXPECT_LT(LZHPack(noise).size(), noise.size() + noise.size() / 16);
}

TEST(Winconvert, ContainerHeaderAndLimits) {
    const Bytes plain = WordSoup(5000, 9);
    const Bytes container = PutBlockStream(plain);
    ASSERT_GE(container.size(), 4u);
    EXPECT_EQ(BlockStreamDeclaredSize(container), 5000);
    EXPECT_EQ(container[0], 5000 & 0xFF);
    EXPECT_EQ(container[1], 5000 >> 8);
    EXPECT_EQ(Bytes(container.begin() + 4, container.end()), LZHPack(plain));

    // Exactly at the limit decodes; one byte under the declared size refuses.
    EXPECT_EQ(GetBlockStream(container, 5000), plain);
    try {
        GetBlockStream(container, 4999);
        FAIL() << "a declared size above the limit must throw";
    } catch (const ElzhException& e) {
        EXPECT_NE(std::string(e.what()).find("5000"), std::string::npos) << e.what();
    }
    // A corrupt 2 GiB header is refused before any allocation.
    Bytes huge = container;
    huge[3] = 0x7F;
    EXPECT_THROW(GetBlockStream(huge, 64u << 20), ElzhException);

    // Negative sizes decode to nothing, whatever follows.
    Bytes negative = container;
    negative[3] = 0x80;
    EXPECT_TRUE(GetBlockStream(negative, 1000).empty());
    EXPECT_TRUE(GetBlockStream(Bytes{0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3}, 0).empty());
    // A header cut short reads its missing bytes as zero.
    EXPECT_TRUE(GetBlockStream({}, 0).empty());
    EXPECT_EQ(BlockStreamDeclaredSize(Bytes{0x05, 0x01}), 0x105);
}

TEST(Winconvert, HostileCodeStreamsStayInBounds) {
    // Truncated codes: the output still has the declared length; the part
    // before the cut is intact.
    const Bytes plain = WordSoup(3000, 11);
    const Bytes code = LZHPack(plain);
    for (size_t cut : {size_t{0}, size_t{1}, code.size() / 2, code.size() - 1}) {
        const Bytes out = LZHUnpack(Bytes(code.begin(), code.begin() + cut), plain.size());
        ASSERT_EQ(out.size(), plain.size());
    }
    const Bytes half = LZHUnpack(Bytes(code.begin(), code.begin() + code.size() / 2), plain.size());
    EXPECT_TRUE(std::equal(plain.begin(), plain.begin() + 100, half.begin()));
    // Garbage of every shape decodes to exactly the requested size.
    for (uint32_t seed = 0; seed < 200; ++seed) {
        const Bytes junk = RandomBytes(seed % 64, seed);
        EXPECT_EQ(LZHUnpack(junk, 1 + seed * 37).size(), 1 + seed * 37);
        const Bytes allOnes(seed % 16, 0xFF);
        EXPECT_EQ(LZHUnpack(allOnes, 300).size(), 300u);
    }
    // A first symbol "match 60 at position value 4095" (11000101, 11111111,
    // 111111) reaches back to ring byte 4036: the zeroed tail of the ring.
    EXPECT_EQ(LZHUnpack(Bytes{0xC5, 0xFF, 0xFC}, 60), Bytes(60, 0));
    // Position value 59 (000 111011) reaches the pre-filled spaces.
    EXPECT_EQ(LZHUnpack(Bytes{0xC5, 0x1D, 0x80}, 60), Bytes(60, ' '));
    // Sizes of zero read nothing at all.
    EXPECT_TRUE(LZHUnpack(Bytes{0xC5}, 0).empty());
}

// The span form decodes straight into the output; the callback and stream
// forms keep a ring buffer. Both must agree on any input, including matches
// that reach back into the starting dictionary.
Bytes UnpackThroughCallbacks(const Bytes& code, int32_t size) {
    Bytes written;
    size_t readPos = 0;
    TLZH lzh;
    lzh.LZHUnpack(
        size,
        [&](void* dta, uint16_t n, uint16_t& got) {
            got = static_cast<uint16_t>(std::min<size_t>(n, code.size() - readPos));
            std::memcpy(dta, code.data() + readPos, got);
            readPos += got;
        },
        [&](const void* dta, uint16_t n, uint16_t& put) {
            written.insert(written.end(), static_cast<const uint8_t*>(dta), static_cast<const uint8_t*>(dta) + n);
            put = n;
        });
    return written;
}

TEST(Winconvert, RingAndDirectDecodersAgreeOnAnyInput) {
    for (uint32_t seed = 0; seed < 300; ++seed) {
        const Bytes junk = RandomBytes(8 + seed % 200, seed + 1000);
        const int32_t size = static_cast<int32_t>(1 + (seed * 97) % 9000);
        Bytes viaRing = UnpackThroughCallbacks(junk, size);
        ASSERT_GE(viaRing.size(), static_cast<size_t>(size));
        ASSERT_LE(viaRing.size(), static_cast<size_t>(size) + lzh::F - 1);
        viaRing.resize(static_cast<size_t>(size));
        ASSERT_EQ(LZHUnpack(junk, static_cast<size_t>(size)), viaRing) << "seed " << seed;
    }
    const Bytes plain = WordSoup(30000, 77);
    EXPECT_EQ(UnpackThroughCallbacks(LZHPack(plain), 30000), plain);
}

// The command-line tool decodes through a 64 KiB buffer that slides over the
// text: matches reaching back across a slide, and the starting dictionary of
// the first bytes, must read what the whole-buffer decoder reads.
TEST(Winconvert, BlockwiseEncodeGivesTheContainer) {
    Bytes plain = WordSoup(100000, 6);
    const Bytes noise = RandomBytes(150000, 7);  // codes of more than one block
    plain.insert(plain.end(), noise.begin(), noise.end());
    Bytes container;
    size_t blocks = 0;
    PutBlockStreamTo(plain, [&](const uint8_t* data, size_t n) {
        EXPECT_LE(n, size_t{64} << 10);
        container.insert(container.end(), data, data + n);
        ++blocks;
    });
    EXPECT_GT(blocks, 1u);
    ASSERT_GE(container.size(), 4u);
    EXPECT_EQ(BlockStreamDeclaredSize(container), 250000);
    EXPECT_EQ(Bytes(container.begin() + 4, container.end()), LZHPack(plain));
    EXPECT_EQ(GetBlockStream(container, plain.size()), plain);
}

TEST(Winconvert, BlockwiseDecodeMatchesTheWholeBuffer) {
    const auto blockwise = [](const Bytes& container, size_t size) {
        Bytes out;
        GetBlockStreamTo(container, size, [&](const uint8_t* data, size_t n) {
            EXPECT_LE(n, size_t{64} << 10);
            out.insert(out.end(), data, data + n);
        });
        return out;
    };
    const Bytes plain = WordSoup(300000, 5);
    const Bytes container = PutBlockStream(plain);
    EXPECT_EQ(blockwise(container, plain.size()), plain);
    for (uint32_t seed = 0; seed < 20; ++seed) {
        Bytes junk = RandomBytes(4 + 400 * seed, seed + 77);
        const size_t size = 1 + (seed * 40009) % 200000;
        for (int i = 0; i < 4; ++i) junk[i] = static_cast<uint8_t>(size >> (8 * i));
        ASSERT_EQ(blockwise(junk, size), GetBlockStream(junk, size)) << "seed " << seed;
    }
}

TEST(Winconvert, FinalMatchPastTheSize) {
    // "a" then a match of 60: asked for 2 bytes, the span form cuts the
    // match, the callback form writes it whole like the classic decoder.
    const Bytes code = LZHPack(Bytes(61, 'a'));
    ASSERT_EQ(lzh::DecodeLzhTokens(code, 61), (std::vector<LzhToken>{{1, 'a'}, {60, 0}}));
    EXPECT_EQ(LZHUnpack(code, 2), Bytes(2, 'a'));

    Bytes written;
    size_t readPos = 0;
    TLZH lzh;
    lzh.LZHUnpack(
        2,
        [&](void* dta, uint16_t n, uint16_t& got) {
            got = static_cast<uint16_t>(std::min<size_t>(n, code.size() - readPos));
            std::memcpy(dta, code.data() + readPos, got);
            readPos += got;
        },
        [&](const void* dta, uint16_t n, uint16_t& put) {
            written.insert(written.end(), static_cast<const uint8_t*>(dta), static_cast<const uint8_t*>(dta) + n);
            put = n;
        });
    EXPECT_EQ(written, Bytes(61, 'a'));
}

TEST(Winconvert, CallbackFormMatchesSpanFormInEveryBlockSize) {
    const Bytes plain = WordSoup(70000, 13);  // more than one 64 KiB block
    const Bytes expected = LZHPack(plain);
    for (uint16_t block : {uint16_t{1}, uint16_t{7}, uint16_t{4096}, uint16_t{0xFFFF}}) {
        size_t readPos = 0;
        Bytes code;
        int32_t written = -1;
        TLZH lzh;
        lzh.LZHPack(
            written,
            [&](void* dta, uint16_t n, uint16_t& got) {
                got = static_cast<uint16_t>(std::min<size_t>({n, block, plain.size() - readPos}));
                std::memcpy(dta, plain.data() + readPos, got);
                readPos += got;
            },
            [&](const void* dta, uint16_t n, uint16_t& put) {
                code.insert(code.end(), static_cast<const uint8_t*>(dta), static_cast<const uint8_t*>(dta) + n);
                put = n;
            });
        EXPECT_EQ(written, 70000);
        ASSERT_EQ(code, expected) << "block " << block;

        Bytes out;
        readPos = 0;
        lzh.LZHUnpack(
            static_cast<int32_t>(plain.size()),
            [&](void* dta, uint16_t n, uint16_t& got) {
                got = static_cast<uint16_t>(std::min<size_t>({n, block, code.size() - readPos}));
                std::memcpy(dta, code.data() + readPos, got);
                readPos += got;
            },
            [&](const void* dta, uint16_t n, uint16_t& put) {
                out.insert(out.end(), static_cast<const uint8_t*>(dta), static_cast<const uint8_t*>(dta) + n);
                put = n;
            });
        EXPECT_EQ(out, plain) << "block " << block;
    }
}

TEST(Winconvert, CallbackFailuresAreNotSwallowed) {
    TLZH lzh;
    int32_t written = 0;
    const Bytes plain = WordSoup(1000, 1);
    size_t pos = 0;
    auto reader = [&](void* dta, uint16_t n, uint16_t& got) {
        got = static_cast<uint16_t>(std::min<size_t>(n, plain.size() - pos));
        std::memcpy(dta, plain.data() + pos, got);
        pos += got;
    };
    // A sink that accepts less than it was given.
    EXPECT_THROW(lzh.LZHPack(written, reader, [](const void*, uint16_t n, uint16_t& put) { put = n / 2; }),
                 ElzhException);
    // Errors raised by a callback pass through.
    pos = 0;
    EXPECT_THROW(lzh.LZHPack(written, reader,
                             [](const void*, uint16_t, uint16_t&) { throw std::runtime_error("disk full"); }),
                 std::runtime_error);
    // A source claiming more than it was asked for is not believed.
    Bytes code;
    lzh.LZHPack(
        written, [&, calls = 0](void* dta, uint16_t n, uint16_t& got) mutable {
            std::memset(dta, 'q', n);
            got = calls++ == 0 ? 0xFFFF : 0;
            if (n < got) got = static_cast<uint16_t>(n + 100);
        },
        [&](const void* dta, uint16_t n, uint16_t& put) {
            code.insert(code.end(), static_cast<const uint8_t*>(dta), static_cast<const uint8_t*>(dta) + n);
            put = n;
        });
    EXPECT_EQ(LZHUnpack(code, static_cast<size_t>(written)), Bytes(static_cast<size_t>(written), 'q'));
}

TEST(Winconvert, StreamContainerMatchesTheSpanContainer) {
    const Bytes plain = WordSoup(9000, 21);
    std::stringstream source(std::string(plain.begin(), plain.end()));
    source.seekg(100);  // both streams are used from position 0
    std::stringstream packed;
    packed << "leftover text that is overwritten";
    CompressStream(source, packed);
    const std::string packedText = packed.str();
    const Bytes expected = PutBlockStream(plain);
    ASSERT_GE(packedText.size(), expected.size());
    EXPECT_EQ(Bytes(packedText.begin(), packedText.begin() + expected.size()), expected);

    std::stringstream exact(std::string(expected.begin(), expected.end()));
    std::stringstream unpacked;
    DecompressStream(exact, unpacked, plain.size());
    EXPECT_EQ(unpacked.str(), std::string(plain.begin(), plain.end()));

    std::stringstream again(std::string(expected.begin(), expected.end()));
    std::stringstream sink;
    EXPECT_THROW(DecompressStream(again, sink, plain.size() - 1), ElzhException);
}

}  // namespace
}  // namespace relayon::skin
