#include <gtest/gtest.h>

#include "seqsim/Unit.h"
#include "support/Frames.h"

using namespace relayon::seqsim;
using namespace relayon::link;
using seqsim_test::Bytes;
using seqsim_test::DelaysPayload;
using seqsim_test::Payload;

namespace {

Bytes Apply(Unit& unit, uint8_t opcode, uint8_t arg1 = 0, uint8_t arg2 = 0, int64_t now = 0)
{
    return unit.Apply(Payload(unit.Id(), opcode, arg1, arg2), now, 1.0);
}

Bytes Ack(uint8_t id, uint8_t opcode) { return {0x54, id, opcode}; }

}  // namespace

TEST(Unit, PollStatusReportsOutletsLockAndRunning)
{
    Unit unit(5);
    EXPECT_EQ(Apply(unit, PollStatus), (Bytes{0x55, 0x05, 0xA8, 0x00, 0x00, 0xAD}));
    EXPECT_EQ(Apply(unit, ChannelOn, 0, 0), Ack(5, ChannelOn));
    EXPECT_EQ(Apply(unit, ChannelOn, 0, 1), Ack(5, ChannelOn));
    EXPECT_EQ(Apply(unit, ChannelOn, 0, 8), Ack(5, ChannelOn));
    Bytes status = Apply(unit, PollStatus);
    EXPECT_EQ(status, MakePollStatusReply(5, 0x01, 0x81));
    EXPECT_EQ(status[5], 0x05 ^ 0xA8 ^ 0x01 ^ 0x81);
    EXPECT_EQ(Apply(unit, ChannelOff, 0, 1), Ack(5, ChannelOff));
    EXPECT_EQ(Apply(unit, SetLock, SwitchSet), Ack(5, SetLock));
    EXPECT_EQ(Apply(unit, PollStatus), MakePollStatusReply(5, StatusFlags::LcdOn | StatusFlags::Locked, 0x01));
    EXPECT_EQ(Apply(unit, SequenceOn), Ack(5, SequenceOn));  // refused: locked
    EXPECT_FALSE(unit.Running());
    Apply(unit, SetLock, SwitchClear);
    Apply(unit, SequenceOn);
    EXPECT_EQ(Apply(unit, PollStatus)[3], StatusFlags::LcdOn | StatusFlags::Running);
}

TEST(Unit, GroupOperationsLeaveMaskedOutletsAlone)
{
    Unit unit(9);
    EXPECT_EQ(Apply(unit, SetMask, 1, SwitchSet), Ack(9, SetMask));  // CH2
    EXPECT_EQ(Apply(unit, SetMask, 7, SwitchSet), Ack(9, SetMask));  // CH8
    EXPECT_EQ(unit.EnableBits(), 0xBE);
    EXPECT_TRUE(unit.Masked(2));
    EXPECT_TRUE(unit.Masked(8));
    EXPECT_FALSE(unit.Masked(1));

    EXPECT_EQ(Apply(unit, GroupAllOn), Ack(9, GroupAllOn));
    EXPECT_TRUE(unit.OutletOn(0));
    EXPECT_EQ(unit.ChannelBitsByte(), 0xBE);
    // A single channel may still be switched while masked.
    Apply(unit, ChannelOn, 0, 2);
    EXPECT_TRUE(unit.OutletOn(2));
    EXPECT_EQ(Apply(unit, GroupAllOff), Ack(9, GroupAllOff));
    EXPECT_FALSE(unit.OutletOn(0));
    EXPECT_EQ(unit.ChannelBitsByte(), 0x40);  // only the masked CH2 stays on

    // AllDevicesOn/Off behave like the group operations.
    EXPECT_EQ(unit.Apply(Payload(0, AllDevicesOn), 0, 1.0), Ack(0, AllDevicesOn));
    EXPECT_EQ(unit.ChannelBitsByte(), 0xFE);
    EXPECT_EQ(unit.Apply(Payload(0, AllDevicesOff), 0, 1.0), Ack(0, AllDevicesOff));
    EXPECT_EQ(unit.ChannelBitsByte(), 0x40);

    // Mask all, then unmask one.
    Apply(unit, SetMask, MaskAllChannels, SwitchSet);
    EXPECT_EQ(unit.EnableBits(), 0x00);
    Apply(unit, SetMask, 0, SwitchClear);
    EXPECT_EQ(unit.EnableBits(), 0x80);
    Apply(unit, SetMask, MaskAllChannels, SwitchClear);
    EXPECT_EQ(unit.EnableBits(), 0xFF);
}

TEST(Unit, LockRefusesSwitchingButNotSettings)
{
    Unit unit(3);
    Apply(unit, ChannelOn, 0, 4);
    Apply(unit, SetLock, SwitchSet);
    ASSERT_TRUE(unit.Locked());
    const uint8_t before = unit.ChannelBitsByte();
    for (uint8_t op : {ChannelOn, ChannelOff, GroupAllOn, GroupAllOff, SequenceOn, ReverseOff}) {
        EXPECT_EQ(Apply(unit, op, 0, 4), Ack(3, op)) << int(op);
        EXPECT_EQ(unit.ChannelBitsByte(), before) << int(op);
        EXPECT_FALSE(unit.OutletOn(0));
        EXPECT_FALSE(unit.Running());
    }
    for (uint8_t sub : {StartSequence, SwitchOn, SwitchOff}) {
        Apply(unit, SequenceControl, CascadeOn, 0);
        EXPECT_EQ(Apply(unit, SequenceControl, sub, 0), Ack(3, SequenceControl));
        EXPECT_FALSE(unit.Running()) << int(sub);
    }
    // Settings still change while locked.
    Apply(unit, SetMask, 0, SwitchSet);
    EXPECT_TRUE(unit.Masked(1));
    std::array<uint8_t, 9> on{}, off{};
    on.fill(0x05);
    off.fill(0x85);
    EXPECT_EQ(unit.Apply(DelaysPayload(3, on, off), 0, 1.0), Ack(3, SetDelays));
    EXPECT_EQ(unit.OnDelay(8), 0x05);
    // The front panel works whatever the lock.
    unit.PanelSwitch(0, true);
    EXPECT_TRUE(unit.OutletOn(0));
    Apply(unit, SetLock, SwitchClear);
    Apply(unit, ChannelOff, 0, 4);
    EXPECT_FALSE(unit.OutletOn(4));
}

TEST(Unit, ReadInfoCarriesDelaysCascadeStartAndLock)
{
    Unit unit(0x21);
    std::array<uint8_t, 9> on{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x78};
    std::array<uint8_t, 9> off{0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0xF8};
    ASSERT_EQ(unit.Apply(DelaysPayload(0x21, on, off), 0, 1.0), Ack(0x21, SetDelays));
    Apply(unit, SequenceControl, CascadeOn, 6);
    Apply(unit, SetLock, SwitchSet);
    Bytes info = Apply(unit, ReadInfo);
    ASSERT_EQ(info.size(), 25u);
    EXPECT_TRUE(IsValidReply(info));
    EXPECT_EQ(info[0], 0x56);
    EXPECT_EQ(info[1], 0x21);
    EXPECT_EQ(info[2], 0xA7);
    EXPECT_TRUE(std::equal(on.begin(), on.end(), info.begin() + 3));
    EXPECT_TRUE(std::equal(off.begin(), off.end(), info.begin() + 12));
    EXPECT_EQ(info[21], 2);
    EXPECT_EQ(info[22], 6);
    EXPECT_NE(info[23], 0x55);

    Apply(unit, SequenceControl, CascadeOff, 0);
    Apply(unit, SetLock, SwitchClear);
    info = Apply(unit, ReadInfo);
    EXPECT_NE(info[21], 2);
    EXPECT_EQ(info[22], 6);  // the start channel is kept with cascade off
    EXPECT_EQ(info[23], 0x55);
    // A start channel out of range (no item selected) keeps the stored one.
    Apply(unit, SequenceControl, CascadeOn, NoStartChannel);
    EXPECT_EQ(Apply(unit, ReadInfo)[22], 6);
}

TEST(Unit, IdRequests)
{
    Unit unit(12);
    EXPECT_EQ(unit.Apply(Payload(0, ReadId), 0, 1.0), (Bytes{0x55, 12, 0xAB, 0x00, 12, 0xAB}));
    // WriteId acknowledges with the ID the request named, then answers to the new one.
    EXPECT_EQ(unit.Apply(Payload(12, WriteId, 0, 200), 0, 1.0), Ack(12, WriteId));
    EXPECT_EQ(unit.Id(), 200);
    EXPECT_EQ(unit.Apply(Payload(0, ReadId), 0, 1.0)[4], 200);
    EXPECT_EQ(Apply(unit, PollStatus)[1], 200);
}

TEST(Unit, MalformedRequestsChangeNothingAndGetNoReply)
{
    Unit unit(4);
    unit.PanelSwitch(3, true);
    const std::string before = std::to_string(unit.ChannelBitsByte()) + std::to_string(unit.EnableBits());
    const std::vector<Bytes> bad = {
        Payload(4, ChannelOn, 0, 9),          Payload(4, ChannelOff, 0, 0xFF),
        Payload(4, SetMask, 8, SwitchSet),    Payload(4, SetMask, 0, 0x12),
        Payload(4, SetLock, 0x00, 0),         Payload(4, WriteId, 0, 0),
        Payload(4, SequenceControl, 3, 0),    Payload(4, 0xB5),
        Payload(4, 0x00),                     Bytes{4, PollStatus, 0},
        Bytes{4, SetDelays, 0, 0},
    };
    for (const Bytes& p : bad) {
        EXPECT_TRUE(unit.Apply(p, 0, 1.0).empty()) << BytesToSpacedHex(p);
    }
    std::array<uint8_t, 9> on{}, off{};
    on[3] = 121;  // more than 60 units
    EXPECT_TRUE(unit.Apply(DelaysPayload(4, on, off), 0, 1.0).empty());
    EXPECT_EQ(unit.OnDelay(0), kFactoryDelayCode);
    EXPECT_EQ(std::to_string(unit.ChannelBitsByte()) + std::to_string(unit.EnableBits()), before);
    EXPECT_EQ(unit.Id(), 4);
    EXPECT_FALSE(unit.Locked());
}

TEST(Unit, StatusReplyStyleAnswersWithSevenByteFrames)
{
    Unit unit(6, UnitSettings{ReplyStyle::Status, false, false});
    Apply(unit, SetMask, 0, SwitchSet);
    Bytes status = Apply(unit, PollStatus);
    EXPECT_EQ(status, MakeStatusFrame(6, StatusReply, 0x00, 0x00, 0x7F));
    Bytes reply = Apply(unit, ChannelOn, 0, 2);
    ASSERT_EQ(reply.size(), 7u);
    EXPECT_EQ(reply[0], 0x57);
    EXPECT_EQ(reply[2], 0xB0);
    EXPECT_EQ(reply[4], 0x40);  // the state after the request
    EXPECT_EQ(reply[5], 0x7F);
    EXPECT_TRUE(IsValidReply(reply));
    // Reads keep their own shapes.
    EXPECT_EQ(Apply(unit, ReadInfo).size(), 25u);
    EXPECT_EQ(Apply(unit, ReadId).size(), 6u);
}

TEST(Unit, ResetRestoresFactoryStateButKeepsIdAndSettings)
{
    Unit unit(8, UnitSettings{ReplyStyle::Status, true, false});
    Apply(unit, GroupAllOn);
    Apply(unit, SetLock, SwitchSet);
    Apply(unit, SetMask, 3, SwitchSet);
    Apply(unit, SequenceControl, CascadeOn, 4);
    unit.Reset();
    EXPECT_EQ(unit.Id(), 8);
    EXPECT_EQ(unit.Settings().style, ReplyStyle::Status);
    EXPECT_EQ(unit.ChannelBitsByte(), 0);
    EXPECT_FALSE(unit.OutletOn(0));
    EXPECT_FALSE(unit.Locked());
    EXPECT_EQ(unit.EnableBits(), 0xFF);
    EXPECT_FALSE(unit.Cascade());
    EXPECT_EQ(unit.StartChannel(), 0);
    EXPECT_EQ(unit.OffDelay(5), kFactoryDelayCode);
}
