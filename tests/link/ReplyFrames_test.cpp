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

// The head of a chunk is read from length and header alone: a damaged check
// byte still tells the shape, a length that fits no header tells nothing.
TEST(ReplyFrames, HeadIsReadWithoutTheCheckByte)
{
    Bytes damaged = MakePollStatusReply(9, 0x01, 0x00);
    damaged.back() ^= 0xFF;
    ASSERT_FALSE(IsValidReply(damaged));
    const auto head = ReadReplyHead(damaged);
    ASSERT_TRUE(head);
    EXPECT_EQ(head->shape, ReplyShape::Short);
    EXPECT_EQ(head->deviceId, 9);
    EXPECT_EQ(head->opcode, PollStatus);

    EXPECT_EQ(ReadReplyHead(MakeAck(3, 0xA0))->shape, ReplyShape::Ack);
    EXPECT_EQ(ReadReplyHead(MakeStatusFrame(3, StatusNotice, 0, 0, 0))->shape, ReplyShape::Status);
    EXPECT_EQ(ReadReplyHead(SampleReplies().back())->shape, ReplyShape::Long);

    EXPECT_FALSE(ReadReplyHead(Bytes{}));
    EXPECT_FALSE(ReadReplyHead(Bytes{0x57, 1, 0xB0, 0, 0, 0}));  // a status frame one byte short
    EXPECT_FALSE(ReadReplyHead(Bytes{0x55, 1, 0xA8}));             // short header, ack length
    EXPECT_FALSE(ReadReplyHead(Bytes(25, 0x55)));
    Bytes twoAcks = MakeAck(1, 0xA0);
    twoAcks.insert(twoAcks.end(), twoAcks.begin(), twoAcks.end());
    EXPECT_FALSE(ReadReplyHead(twoAcks));
}

TEST(ReplyFrames, StatusReadsLampsLockRunningAndMasks)
{
    // Unit 5: LCD on, CH1 and CH8 on, running, not locked.
    const auto poll = DecodeStatus(MakePollStatusReply(5, 0x05, 0x81));
    ASSERT_TRUE(poll);
    EXPECT_TRUE(poll->LcdOn());
    EXPECT_TRUE(poll->Running());
    EXPECT_FALSE(poll->Locked());
    EXPECT_TRUE(poll->ChannelOn(1));
    EXPECT_TRUE(poll->ChannelOn(8));
    for (int k = 2; k <= 7; ++k)
        EXPECT_FALSE(poll->ChannelOn(k)) << k;
    EXPECT_FALSE(poll->ChannelUsable(1)) << "a 6-byte reply carries no enable bits";

    // Locked, CH2 on, CH1 masked.
    const auto status = DecodeStatus(MakeStatusFrame(7, StatusReply, 0x02, 0x40, 0x7F));
    ASSERT_TRUE(status);
    EXPECT_TRUE(status->Locked());
    EXPECT_FALSE(status->LcdOn());
    EXPECT_FALSE(status->Running());
    EXPECT_TRUE(status->ChannelOn(2));
    EXPECT_FALSE(status->ChannelOn(1));
    EXPECT_EQ(status->ChannelUsable(1), std::optional<bool>(false));
    for (int k = 2; k <= 8; ++k)
        EXPECT_EQ(status->ChannelUsable(k), std::optional<bool>(true)) << k;
    EXPECT_FALSE(status->ChannelOn(0));
    EXPECT_FALSE(status->ChannelUsable(9));
}

TEST(ReplyFrames, InformationReadsDelaysCascadeStartAndLock)
{
    InfoReport sent;
    sent.deviceId = 3;
    sent.onCodes = {0x83, 0x80, 0x14, 0x01, 0, 0, 0, 0, 0x11};
    sent.offCodes = {0x22, 0, 0, 0, 0, 0, 0, 0, 0xF8};
    sent.cascade = InfoCascadeOn;
    sent.startChannel = 9;
    sent.lock = 0x00;
    const auto info = DecodeInfo(MakeInfoReply(sent));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->DelayCodeOf(0, 0), 0x83);
    EXPECT_EQ(info->DelayCodeOf(0, 8), 0x11);
    EXPECT_EQ(info->DelayCodeOf(1, 0), 0x22);
    EXPECT_EQ(info->DelayCodeOf(1, 8), 0xF8);
    EXPECT_EQ(info->DelayCodeOf(2, 0), 0);
    EXPECT_EQ(info->DelayCodeOf(0, 9), 0);
    EXPECT_TRUE(info->CascadeIsOn());
    EXPECT_EQ(info->StartPosition(), 0) << "start byte 9 names no position: LCD";
    EXPECT_TRUE(info->IsLocked()) << "anything but 0x55 is locked";

    sent.startChannel = 8;
    sent.cascade = 1;
    sent.lock = 0x55;
    const auto other = DecodeInfo(MakeInfoReply(sent));
    ASSERT_TRUE(other);
    EXPECT_EQ(other->StartPosition(), 8);
    EXPECT_FALSE(other->CascadeIsOn());
    EXPECT_FALSE(other->IsLocked());
}
