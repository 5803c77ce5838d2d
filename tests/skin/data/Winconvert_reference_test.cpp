// The tuned LZH coder against its earlier, straightforward form: the code
// streams must agree bit for bit, and both decoders must produce the same
// bytes from any code, well-formed or not.

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "skin/data/Winconvert.h"
#include "support/Winconvert_reference.h"

namespace relayon::skin {
namespace {

using Bytes = std::vector<uint8_t>;

struct Sample {
    std::string name;
    Bytes plain;
};

Bytes Random(size_t n, uint32_t seed, unsigned alphabet) {
    std::mt19937 rng(seed);
    Bytes out(n);
    for (auto& b : out) b = static_cast<uint8_t>(rng() % alphabet);
    return out;
}

// Repeats of a random block of `period` bytes with a sprinkling of changed
// bytes: many strings share 9..59 bytes, so tree nodes are told apart past
// their first eight bytes, and full-length matches replace older nodes.
Bytes NearlyPeriodic(size_t n, size_t period, unsigned changeEvery, uint32_t seed) {
    std::mt19937 rng(seed);
    Bytes block = Random(period, seed + 1, 256);
    Bytes out(n);
    for (size_t i = 0; i < n; ++i) {
        out[i] = block[i % period];
        if (changeEvery != 0 && rng() % changeEvery == 0) out[i] = static_cast<uint8_t>(rng());
    }
    return out;
}

// Words, INI lines, 3-byte pixel rows and 16-byte records mixed in chunks,
// like the contents of a skin package.
Bytes SkinLike(size_t n, uint32_t seed) {
    static const char* words[] = {"[Form]\r\n", "Bitmap=", "caption", " ", "Trans=1\r\n", "border", "=", "0x1A"};
    std::mt19937 rng(seed);
    Bytes out;
    while (out.size() < n) {
        const size_t chunkEnd = out.size() + 500 + rng() % 6000;
        const unsigned kind = rng() % 4;
        uint32_t counter = rng();
        while (out.size() < chunkEnd) {
            if (kind == 0) {
                const char* w = words[rng() % std::size(words)];
                out.insert(out.end(), w, w + std::strlen(w));
            } else if (kind == 1) {
                const uint8_t shade = static_cast<uint8_t>(rng() % 4 == 0 ? rng() : 0xC0);
                for (int x = 0; x < 64; ++x) out.insert(out.end(), {shade, 0, static_cast<uint8_t>(x)});
            } else if (kind == 2) {
                const uint32_t fields[4] = {counter++, static_cast<uint32_t>(rng() % 9), counter * 7, 0xAA55};
                for (uint32_t f : fields)
                    for (int s = 0; s < 32; s += 8) out.push_back(static_cast<uint8_t>(f >> s));
            } else {
                out.push_back(static_cast<uint8_t>(rng()));
            }
        }
    }
    out.resize(n);
    return out;
}

Bytes Container(const Bytes& code, size_t size) {
    Bytes out;
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(size >> shift));
    out.insert(out.end(), code.begin(), code.end());
    return out;
}

// The stream form decodes through the ring-buffer decoder.
Bytes DecodeThroughStreams(const Bytes& container, size_t maxOutput) {
    std::stringstream source(std::string(container.begin(), container.end()));
    std::stringstream dest;
    DecompressStream(source, dest, maxOutput);
    const std::string plain = dest.str();
    return Bytes(plain.begin(), plain.end());
}

std::vector<Sample> Samples() {
    std::vector<Sample> samples;
    // Sizes around the look-ahead, the ring and the I/O block.
    for (size_t n : {0, 1, 2, 3, 7, 8, 9, 59, 60, 61, 62, 4035, 4036, 4096, 4097, 8191, 65535, 65536, 70001}) {
        samples.push_back({"random256/" + std::to_string(n), Random(n, 11 + static_cast<uint32_t>(n), 256)});
        samples.push_back({"random3/" + std::to_string(n), Random(n, 23 + static_cast<uint32_t>(n), 3)});
    }
    samples.push_back({"spaces", Bytes(20000, ' ')});
    samples.push_back({"zeros", Bytes(20000, 0)});
    samples.push_back({"ff", Bytes(9000, 0xFF)});
    for (size_t period : {1, 2, 3, 7, 8, 9, 16, 59, 60, 61, 100, 4095, 4096, 4097}) {
        samples.push_back({"periodic/" + std::to_string(period), NearlyPeriodic(30000, period, 0, 5)});
        samples.push_back({"nearly/" + std::to_string(period), NearlyPeriodic(30000, period, 97, 6)});
    }
    // Enough symbols for several tree rebuilds, with skewed and flat counts.
    samples.push_back({"skin-like", SkinLike(400000, 7)});
    samples.push_back({"random16-long", Random(150000, 8, 16)});
    samples.push_back({"random256-long", Random(100000, 9, 256)});
    return samples;
}

TEST(WinconvertReference, EncoderWritesTheEarlierCodeStreams) {
    for (const Sample& s : Samples()) {
        const Bytes code = LZHPack(s.plain);
        ASSERT_EQ(code, lzh_reference::Pack(s.plain)) << s.name;
        ASSERT_EQ(LZHUnpack(code, s.plain.size()), s.plain) << s.name;
    }
}

TEST(WinconvertReference, EncoderAgreesOnManyRandomShapes) {
    std::mt19937 rng(2026);
    for (int round = 0; round < 60; ++round) {
        const size_t n = rng() % 20000;
        const unsigned shape = rng() % 3;
        const Bytes plain = shape == 0   ? Random(n, rng(), 1 + rng() % 256)
                            : shape == 1 ? NearlyPeriodic(n, 1 + rng() % 200, 1 + rng() % 300, rng())
                                         : SkinLike(n, rng());
        ASSERT_EQ(LZHPack(plain), lzh_reference::Pack(plain)) << "round " << round << " size " << n;
    }
}

TEST(WinconvertReference, DecodersAgreeOnArbitraryCode) {
    // Garbage code reaches deep Huffman codes, far positions and matches
    // that run past the requested size.
    std::mt19937 rng(77);
    for (int round = 0; round < 200; ++round) {
        const Bytes code = Random(rng() % 3000, rng(), round % 2 == 0 ? 256 : 2);
        const size_t size = rng() % 12000;
        const Bytes expected = lzh_reference::Unpack(code, size);
        ASSERT_EQ(expected.size(), size);
        ASSERT_EQ(LZHUnpack(code, size), expected) << "round " << round;
        ASSERT_EQ(DecodeThroughStreams(Container(code, size), size), expected) << "round " << round;
    }
}

}  // namespace
}  // namespace relayon::skin
