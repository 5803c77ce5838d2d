#include <gtest/gtest.h>

#include <vector>

#include "link/Frame.h"
#include "link/Opcodes.h"
#include "link/Replies.h"

using namespace relayon::link;
using Bytes = std::vector<uint8_t>;

namespace {

std::vector<Bytes> SampleReplies()
{
    InfoReport info;
    info.deviceId = 0x21;
    for (int c = 0; c < 9; ++c) {
        info.onCodes[c] = static_cast<uint8_t>(c * 3 + 1);
        info.offCodes[c] = static_cast<uint8_t>(0x80 | (c * 5));
    }
    info.cascade = 2;
    info.startChannel = 4;
    info.lock = 0xAA;
    return {MakeAck(7, SetLock), MakePollStatusReply(5, 0x05, 0x81),
            MakeStatusFrame(200, StatusNotice, 0x04, 0x3C, 0x7F), MakeReadIdReply(42), MakeInfoReply(info)};
}

}  // namespace

TEST(ReplyFrames, ShapesHaveTheirLengthsAndChecks)
{
    EXPECT_EQ(ReplyLengthForHeader(0x54), 3u);
    EXPECT_EQ(ReplyLengthForHeader(0x55), 6u);
    EXPECT_EQ(ReplyLengthForHeader(0x57), 7u);
    EXPECT_EQ(ReplyLengthForHeader(0x56), 25u);
    for (int h = 0; h < 256; ++h)
        if (h < 0x54 || h > 0x57) {
            EXPECT_EQ(ReplyLengthForHeader(static_cast<uint8_t>(h)), 0u);
        }

    EXPECT_EQ(MakePollStatusReply(5, 0x05, 0x81), (Bytes{0x55, 0x05, 0xA8, 0x05, 0x81, 0x05 ^ 0xA8 ^ 0x05 ^ 0x81}));
    EXPECT_EQ(MakeAck(3, 0xA0), (Bytes{0x54, 0x03, 0xA0}));
    EXPECT_EQ(MakeReadIdReply(42), (Bytes{0x55, 42, 0xAB, 0, 42, 0xAB}));
    // A data count that does not fit the shape builds nothing.
    const uint8_t two[] = {1, 2};
    EXPECT_TRUE(EncodeReply(StatusHeader, 1, StatusReply, two).empty());
    EXPECT_TRUE(EncodeReply(0x99, 1, 1, {}).empty());
}

TEST(ReplyFrames, ValidationInEverySplitTruncationAndCorruption)
{
    for (const Bytes& reply : SampleReplies()) {
        ASSERT_TRUE(IsValidReply(reply)) << BytesToSpacedHex(reply);
        // Any proper split gives two pieces, neither of which is a valid reply
        // of this shape, and the two pieces rejoined are valid again.
        for (size_t cut = 1; cut < reply.size(); ++cut) {
            std::span<const uint8_t> all(reply);
            auto head = all.first(cut);
            auto tail = all.subspan(cut);
            EXPECT_FALSE(IsValidReply(head) && head.size() == reply.size());
            if (IsValidReply(head)) {  // only a 3-byte ack prefix can look valid
                EXPECT_EQ(head.size(), 3u);
            }
            if (IsValidReply(tail)) {
                EXPECT_EQ(tail.size(), ReplyLengthForHeader(tail[0]));
            }
            Bytes joined(head.begin(), head.end());
            joined.insert(joined.end(), tail.begin(), tail.end());
            EXPECT_TRUE(IsValidReply(joined));
        }
        // Truncated or extended by one byte: wrong length for the header.
        Bytes shorter(reply.begin(), reply.end() - 1);
        EXPECT_FALSE(IsValidReply(shorter));
        Bytes longer = reply;
        longer.push_back(0);
        EXPECT_FALSE(IsValidReply(longer));
        // Any single flipped bit after the header breaks a checked frame.
        if (reply[0] != AckHeader) {
            for (size_t i = 1; i < reply.size(); ++i)
                for (int bit = 0; bit < 8; ++bit) {
                    Bytes bad = reply;
                    bad[i] ^= static_cast<uint8_t>(1 << bit);
                    EXPECT_FALSE(IsValidReply(bad)) << "byte " << i << " bit " << bit;
                }
        }
    }
    EXPECT_FALSE(IsValidReply({}));
}

TEST(ReplyFrames, DecodersReadTheDocumentedFields)
{
    auto status = DecodeStatus(MakePollStatusReply(5, 0x05, 0x81));
    ASSERT_TRUE(status);
    EXPECT_EQ(status->deviceId, 5);
    EXPECT_EQ(status->flags & StatusFlags::LcdOn, StatusFlags::LcdOn);
    EXPECT_EQ(status->flags & StatusFlags::Locked, 0);
    EXPECT_EQ(status->flags & StatusFlags::Running, StatusFlags::Running);
    EXPECT_EQ(status->channels & ChannelBit(1), ChannelBit(1));
    EXPECT_EQ(status->channels & ChannelBit(8), ChannelBit(8));
    EXPECT_EQ(status->channels & ChannelBit(2), 0);
    EXPECT_FALSE(status->enable);

    auto notice = DecodeStatus(MakeStatusFrame(9, StatusNotice, 2, 0x10, 0x7F));
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->opcode, StatusNotice);
    ASSERT_TRUE(notice->enable);
    EXPECT_EQ(*notice->enable, 0x7F);
    // A 7-byte frame with another opcode is no status.
    EXPECT_FALSE(DecodeStatus(MakeStatusFrame(9, 0xB2, 2, 0x10, 0x7F)));
    EXPECT_FALSE(DecodeStatus(MakeReadIdReply(9)));

    EXPECT_EQ(DecodeReadId(MakeReadIdReply(77)), std::optional<uint8_t>(77));
    EXPECT_FALSE(DecodeReadId(MakePollStatusReply(77, 0, 0)));

    auto replies = SampleReplies();
    auto info = DecodeInfo(replies.back());
    ASSERT_TRUE(info);
    EXPECT_EQ(info->deviceId, 0x21);
    EXPECT_EQ(info->onCodes[8], 25);
    EXPECT_EQ(info->offCodes[2], 0x8A);
    EXPECT_TRUE(info->CascadeIsOn());
    EXPECT_EQ(info->startChannel, 4);
    EXPECT_TRUE(info->IsLocked());
    info->lock = InfoUnlocked;
    info->cascade = 3;
    auto again = DecodeInfo(MakeInfoReply(*info));
    ASSERT_TRUE(again);
    EXPECT_FALSE(again->IsLocked());
    EXPECT_FALSE(again->CascadeIsOn());

    auto ack = DecodeAck(replies.front());
    ASSERT_TRUE(ack);
    EXPECT_EQ(ack->deviceId, 7);
    EXPECT_EQ(ack->opcode, SetLock);
}

TEST(ReplyFrames, DelayCodeAndChannelBits)
{
    EXPECT_EQ(DelayCode::Encode(120, true), 0xF8);
    EXPECT_EQ(DelayCode::Encode(1, false), 0x01);
    EXPECT_TRUE(DelayCode::IsMinutes(0x83));
    EXPECT_EQ(DelayCode::HalfUnits(0x83), 3);
    EXPECT_EQ(DelayCode::Milliseconds(0x83), 90000);  // 1.5 minutes
    EXPECT_EQ(DelayCode::Milliseconds(0x14), 10000);  // 10 seconds
    EXPECT_EQ(DelayCode::Milliseconds(0x80), 0);
    EXPECT_EQ(ChannelBit(1), 0x80);
    EXPECT_EQ(ChannelBit(8), 0x01);
    EXPECT_EQ(ChannelBit(0), 0);
    EXPECT_EQ(ChannelBit(9), 0);
}
