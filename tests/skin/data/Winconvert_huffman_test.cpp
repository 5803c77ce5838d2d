// Adaptive Huffman model of the LZH codec: rebuild timing, invariants, codes
// longer than 16 bits, and the coder's path updates against the plain ones.

#include "skin/data/Winconvert_huffman.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "skin/data/Winconvert.h"
#include "skin/data/Winconvert_coder.h"

namespace relayon::skin::lzh {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(WinconvertHuffman, FirstRebuildComesWithThe32455thSymbol) {
    AdaptiveHuffman model;
    EXPECT_EQ(model.RootFrequency(), 314u);
    std::mt19937 rng(5);
    for (int n = 1; n <= 32454; ++n) model.update(static_cast<int>(rng() % N_CHAR));
    EXPECT_EQ(model.RootFrequency(), 0x8000u);
    EXPECT_EQ(model.Rebuilds(), 0);
    ASSERT_TRUE(model.IsConsistent());
    model.update(7);
    EXPECT_EQ(model.Rebuilds(), 1);
    EXPECT_LT(model.RootFrequency(), 0x8000u);
    EXPECT_TRUE(model.IsConsistent());
}

TEST(WinconvertHuffman, RebuildHalvesCountsRoundingUp) {
    // Symbol 0 counted 32,454 times: its leaf holds 32,455, the root 32,768.
    AdaptiveHuffman model;
    for (int n = 0; n < 32454; ++n) model.update(0);
    ASSERT_EQ(model.RootFrequency(), 0x8000u);
    EXPECT_EQ(model.CodeLength(0), 1);
    // The next symbol rebuilds first: 32,455 -> 16,228 and 1 -> 1 for the
    // other 313 leaves; then symbol 1 counts once more.
    model.update(1);
    EXPECT_EQ(model.Rebuilds(), 1);
    EXPECT_EQ(model.RootFrequency(), 16228u + 313u + 1u);
    EXPECT_EQ(model.CodeLength(0), 1);
    EXPECT_TRUE(model.IsConsistent());
}

TEST(WinconvertHuffman, InvariantsHoldAcrossManyRebuilds) {
    AdaptiveHuffman model;
    std::mt19937 rng(9);
    for (int n = 0; n < 200000; ++n) {
        // Skewed: a few symbols dominate, the rest stay rare.
        const int c = rng() % 8 == 0 ? static_cast<int>(rng() % N_CHAR) : static_cast<int>(rng() % 5);
        model.update(c);
        if (n % 9973 == 0) {
            ASSERT_TRUE(model.IsConsistent()) << n;
        }
    }
    EXPECT_GE(model.Rebuilds(), 5);
    EXPECT_TRUE(model.IsConsistent());
}

// Symbols whose counts grow like the Fibonacci numbers make a deep tree;
// with these weights the rarest symbols get codes of 17 bits and more.
std::vector<int> FibonacciSymbols() {
    std::vector<int> symbols;
    long a = 320;
    long b = 320;
    for (int s = 0; s < 20 && symbols.size() < 32400; ++s) {
        for (long k = 0; k < a && symbols.size() < 32400; ++k) symbols.push_back(s);
        const long next = a + b;
        a = b;
        b = next;
    }
    return symbols;
}

TEST(WinconvertHuffman, CodesLongerThan16BitsGoOutWhole) {
    const std::vector<int> symbols = FibonacciSymbols();
    Bytes code;
    ByteOutput out([&](const uint8_t* d, size_t n) { code.insert(code.end(), d, d + n); });
    BitWriter bits(out);
    AdaptiveHuffman model;
    int longest = 0;
    for (int s : symbols) {
        longest = std::max(longest, model.CodeLength(s));
        model.EncodeChar(bits, s);
    }
    bits.Flush();
    out.Finish();
    ASSERT_GT(longest, 16) << "the weights no longer make a deep tree";

    // The literals decode back through the real decoder.
    const Bytes plain = LZHUnpack(code, symbols.size());
    ASSERT_EQ(plain.size(), symbols.size());
    for (size_t i = 0; i < symbols.size(); ++i) ASSERT_EQ(plain[i], symbols[i]) << i;
}

TEST(WinconvertHuffman, EncoderAndDecoderStayInStepPastRebuilds) {
    // Random bytes code almost only literals: well over 32,455 symbols.
    std::mt19937 rng(17);
    Bytes plain(150000);
    for (auto& b : plain) b = static_cast<uint8_t>(rng() % 200);
    const Bytes code = LZHPack(plain);
    const auto tokens = DecodeLzhTokens(code, static_cast<int64_t>(plain.size()));
    ASSERT_GT(tokens.size(), 3 * 32455u);
    EXPECT_EQ(LZHUnpack(code, plain.size()), plain);
    // The same across rebuilds on highly skewed text.
    Bytes skewed;
    for (int i = 0; i < 200000; ++i) skewed.push_back(static_cast<uint8_t>("aaaaaaab"[rng() % 8] + (rng() % 97 == 0)));
    EXPECT_EQ(LZHUnpack(LZHPack(skewed), skewed.size()), skewed);
}

TEST(WinconvertHuffman, CoderPathUpdatesMatchParentLinkUpdates) {
    // The coder updates along the path it walked; update() climbs by the
    // parent links. Both must leave the same tree after every symbol, through
    // exchanges at every depth, deep trees and rebuilds.
    std::vector<int> symbols = FibonacciSymbols();
    std::mt19937 rng(31);
    for (int n = 0; n < 70000; ++n) {
        symbols.push_back(rng() % 4 == 0 ? static_cast<int>(rng() % N_CHAR) : static_cast<int>(rng() % 6));
    }
    Bytes code;
    ByteOutput out([&](const uint8_t* d, size_t n) { code.insert(code.end(), d, d + n); });
    BitWriter bitsOut(out);
    AdaptiveHuffman byLinks;
    AdaptiveHuffman byEncoder;
    int longest = 0;
    for (size_t i = 0; i < symbols.size(); ++i) {
        longest = std::max(longest, byLinks.CodeLength(symbols[i]));
        byLinks.update(symbols[i]);
        byEncoder.EncodeChar(bitsOut, symbols[i]);
        ASSERT_TRUE(byEncoder == byLinks) << "symbol " << i;
    }
    bitsOut.Flush();
    out.Finish();
    EXPECT_GE(byLinks.Rebuilds(), 2);
    ASSERT_GT(longest, 16) << "no code deep enough for the coders' long-path fallbacks";

    ByteInput in(code);
    BitReader bitsIn(in);
    AdaptiveHuffman byDecoder;
    AdaptiveHuffman again;
    for (size_t i = 0; i < symbols.size(); ++i) {
        ASSERT_EQ(byDecoder.DecodeChar(bitsIn), symbols[i]) << "symbol " << i;
        again.update(symbols[i]);
        ASSERT_TRUE(byDecoder == again) << "symbol " << i;
    }
}

}  // namespace
}  // namespace relayon::skin::lzh
