#include <gtest/gtest.h>

#include "seqsim/Bus.h"
#include "support/Frames.h"

using namespace relayon::seqsim;
using namespace relayon::link;
using seqsim_test::Bytes;
using seqsim_test::Payload;

TEST(Bus, AddressedRequestsReachOnlyTheirUnit)
{
    Bus bus;
    bus.AddUnit(3);
    bus.AddUnit(9);
    auto reply = bus.Dispatch(Payload(9, ChannelOn, 0, 1), 0);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->unitIndex, 1u);
    EXPECT_EQ(reply->frame, (Bytes{0x54, 9, ChannelOn}));
    EXPECT_TRUE(bus.Units()[1].OutletOn(1));
    EXPECT_FALSE(bus.Units()[0].OutletOn(1));
    // Nobody with ID 4: no reply, nothing changes.
    EXPECT_FALSE(bus.Dispatch(Payload(4, GroupAllOn), 0));
    EXPECT_FALSE(bus.Units()[0].OutletOn(0));
    EXPECT_FALSE(bus.Units()[1].OutletOn(0));
    EXPECT_FALSE(bus.Dispatch({}, 0));
}

TEST(Bus, IdZeroReachesEveryUnitAndTheFirstAnswering)
{
    Bus bus;
    bus.AddUnit(3);
    bus.AddUnit(9);
    auto reply = bus.Dispatch(Payload(0, ReadId), 0);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->frame, MakeReadIdReply(3));

    // A silent first unit leaves the answer to the next one.
    bus.Units()[0].Settings().silent = true;
    reply = bus.Dispatch(Payload(0, ReadId), 0);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->frame, MakeReadIdReply(9));
    bus.Units()[0].Settings().silent = false;

    // All devices on: both switch (a locked one refuses), ack with ID 0.
    bus.Units()[1].PanelLock(true);
    reply = bus.Dispatch(Payload(0, AllDevicesOn), 0);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->frame, (Bytes{0x54, 0x00, AllDevicesOn}));
    EXPECT_TRUE(bus.Units()[0].OutletOn(0));
    EXPECT_EQ(bus.Units()[0].ChannelBitsByte(), 0xFF);
    EXPECT_FALSE(bus.Units()[1].OutletOn(0));
    bus.Units()[1].PanelLock(false);
    bus.Dispatch(Payload(0, AllDevicesOn), 0);
    EXPECT_TRUE(bus.Units()[1].OutletOn(0));
    bus.Dispatch(Payload(0, AllDevicesOff), 0);
    EXPECT_EQ(bus.Units()[0].ChannelBitsByte() | bus.Units()[1].ChannelBitsByte(), 0);

    // WriteId to ID 0 renames every unit on the line; hence "one device only".
    reply = bus.Dispatch(Payload(0, WriteId, 0, 77), 0);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->frame, (Bytes{0x54, 0x00, WriteId}));
    EXPECT_EQ(bus.Units()[0].Id(), 77);
    EXPECT_EQ(bus.Units()[1].Id(), 77);
}

TEST(Bus, DuplicateIdsAllActAndOneAnswers)
{
    Bus bus;
    bus.AddUnit(3);
    bus.AddUnit(9);
    // Renaming 3 to 9 is decided before anyone acts, so only unit 3 renames.
    auto reply = bus.Dispatch(Payload(3, WriteId, 0, 9), 0);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->frame, (Bytes{0x54, 3, WriteId}));
    EXPECT_EQ(bus.Units()[0].Id(), 9);
    EXPECT_EQ(bus.Units()[1].Id(), 9);
    reply = bus.Dispatch(Payload(9, GroupAllOn), 0);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->unitIndex, 0u);
    EXPECT_TRUE(bus.Units()[0].OutletOn(0));
    EXPECT_TRUE(bus.Units()[1].OutletOn(0));
    EXPECT_EQ(bus.FindUnit(9), &bus.Units()[0]);
    EXPECT_EQ(bus.FindUnit(3), nullptr);
}

TEST(Bus, SilentUnitsActButSendNothing)
{
    Bus bus(0.01);
    bus.AddUnit(5, UnitSettings{ReplyStyle::Short, true, true});
    bus.AddUnit(6, UnitSettings{ReplyStyle::Short, true, false});
    EXPECT_FALSE(bus.Dispatch(Payload(5, SequenceOn), 0));
    EXPECT_TRUE(bus.Units()[0].Running());
    ASSERT_TRUE(bus.Dispatch(Payload(6, SequenceOn), 0));
    EXPECT_EQ(bus.NextStepMs(), std::optional<int64_t>(10));
    size_t fromFive = 0, fromSix = 0;
    for (int64_t t = 0; t <= 200; ++t)
        for (const UnitFrame& f : bus.Advance(t))
            (f.unitIndex == 0 ? fromFive : fromSix)++;
    EXPECT_EQ(fromFive, 0u);
    EXPECT_EQ(fromSix, 9u);
    EXPECT_EQ(bus.Units()[0].ChannelBitsByte(), 0xFF);
    EXPECT_FALSE(bus.NextStepMs());
}

TEST(Bus, SharedAnswersLetEveryUnitOfAnIdAnswer)
{
    Bus bus;
    bus.AddUnit(2);
    bus.AddUnit(5);
    bus.AddUnit(2);
    auto reply = bus.Dispatch(Payload(2, PollStatus), 0);
    ASSERT_TRUE(reply);
    EXPECT_TRUE(bus.TakeSharedAnswers().empty()) << "off by default: only the first answers";

    bus.SetSharedAnswers(true);
    bus.Units()[2].PanelSwitch(3, true);
    reply = bus.Dispatch(Payload(2, PollStatus), 0);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->unitIndex, 0u);
    auto shared = bus.TakeSharedAnswers();
    ASSERT_EQ(shared.size(), 1u);
    EXPECT_EQ(shared[0].unitIndex, 2u);
    EXPECT_EQ(shared[0].frame, MakePollStatusReply(2, 0, ChannelBit(3)));
    EXPECT_TRUE(bus.TakeSharedAnswers().empty());
    // ID 0 still gets one answer: "whatever unit is on the line".
    EXPECT_TRUE(bus.Dispatch(Payload(0, ReadId), 0));
    EXPECT_TRUE(bus.TakeSharedAnswers().empty());
}
