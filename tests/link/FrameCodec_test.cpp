#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/Frame.h"
#include "link/Requests.h"

using namespace relayon::link;
using Bytes = std::vector<uint8_t>;

TEST(FrameCodec, HeaderBoundaryLiesBetweenSixAndSevenPayloadBytes)
{
    for (size_t n = 1; n <= 30; ++n) {
        Bytes payload(n);
        for (size_t i = 0; i < n; ++i)
            payload[i] = static_cast<uint8_t>(0x11 * i + 3);
        Bytes frame = EncodeRequest(payload);
        ASSERT_EQ(frame.size(), n + 2);
        EXPECT_EQ(frame[0], n <= 6 ? 0x55 : 0x56) << "payload size " << n;
        EXPECT_TRUE(std::equal(payload.begin(), payload.end(), frame.begin() + 1));
        uint8_t check = 0;
        for (uint8_t b : payload)
            check ^= b;
        EXPECT_EQ(frame.back(), check);
    }
}

TEST(FrameCodec, ReadIdAndWriteIdFramesAndTheirText)
{
    EXPECT_EQ(EncodeRequest(ReadIdPayload()), (Bytes{0x55, 0x00, 0xAB, 0x00, 0x00, 0xAB}));
    EXPECT_EQ(RequestHexText(ReadIdPayload()), "5500AB0000AB");
    EXPECT_EQ(EncodeRequest(WriteIdPayload(0, 7)), (Bytes{0x55, 0x00, 0xAA, 0x00, 0x07, 0xAD}));
    EXPECT_EQ(EncodeRequest(ReadInfoPayload(5)), (Bytes{0x55, 0x05, 0xA9, 0x00, 0x00, 0xAC}));
    // The text form turns back into exactly the encoded bytes.
    Bytes back;
    auto payload = ChannelPayload(0xFE, true, 3);
    EXPECT_EQ(HexToBytes(RequestHexText(payload), back), 6u);
    EXPECT_EQ(back, EncodeRequest(payload));
}

TEST(FrameCodec, DelayRequestIsTwentyTwoBytesUnderLongHeader)
{
    std::array<uint8_t, 9> on{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0xF8};
    std::array<uint8_t, 9> off{0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x00};
    auto payload = SetDelaysPayload(9, on, off);
    Bytes frame = EncodeRequest(payload);
    ASSERT_EQ(frame.size(), 22u);
    EXPECT_EQ(frame[0], 0x56);
    EXPECT_EQ(frame[1], 9);
    EXPECT_EQ(frame[2], 0xA7);
    EXPECT_EQ(frame[3], 0x01);
    EXPECT_EQ(frame[11], 0xF8);
    EXPECT_EQ(frame[12], 0x80);
    EXPECT_EQ(frame[20], 0x00);
    EXPECT_EQ(XorCheck(std::span<const uint8_t>(frame).subspan(1, 20)), frame[21]);
    std::string text = RequestHexText(payload);
    EXPECT_EQ(text.size(), 44u);
    EXPECT_EQ(text.substr(0, 6), "5609A7");
}

TEST(FrameCodec, HexDigitValueAcceptsBothCasesOnly)
{
    const std::string digits = "0123456789abcdef";
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(HexDigitValue(digits[i]), i);
        EXPECT_EQ(HexDigitValue(static_cast<char>(std::toupper(digits[i]))), i);
    }
    for (char c : std::string("gG /:@`xZ\0\xff", 12))
        EXPECT_EQ(HexDigitValue(c), -1) << int(c);
}

TEST(FrameCodec, HexToBytesRules)
{
    Bytes out;
    EXPECT_EQ(HexToBytes("55 0A", out), 2u);
    EXPECT_EQ(out, (Bytes{0x55, 0x0A}));

    out.clear();
    EXPECT_EQ(HexToBytes("550", out), 1u);
    EXPECT_EQ(out, (Bytes{0x55}));

    out.clear();
    EXPECT_EQ(HexToBytes("  aB  cd ", out), 2u);
    EXPECT_EQ(out, (Bytes{0xAB, 0xCD}));

    // A space inside a pair is not where a pair begins: the pair is broken.
    out.clear();
    EXPECT_EQ(HexToBytes("5 5", out), 0u);
    EXPECT_TRUE(out.empty());

    // Stops at the first pair holding a non-digit, keeps what came before.
    out.clear();
    EXPECT_EQ(HexToBytes("0102ZZ03", out), 2u);
    EXPECT_EQ(out, (Bytes{0x01, 0x02}));

    // Appends to what the buffer already holds.
    out = {0x99};
    EXPECT_EQ(HexToBytes("00", out), 1u);
    EXPECT_EQ(out, (Bytes{0x99, 0x00}));

    out.clear();
    EXPECT_EQ(HexToBytes("", out), 0u);
    EXPECT_EQ(HexToBytes("7", out), 0u);
    EXPECT_TRUE(out.empty());
}

TEST(FrameCodec, BytesToSpacedHexForLogs)
{
    const Bytes bytes{0x55, 0x00, 0xAB, 0x0F};
    EXPECT_EQ(BytesToSpacedHex(bytes), "55 00 AB 0F");
    EXPECT_EQ(BytesToSpacedHex({}), "");
}
