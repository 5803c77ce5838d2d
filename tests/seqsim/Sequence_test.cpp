#include <gtest/gtest.h>

#include "seqsim/Unit.h"
#include "support/Frames.h"

using namespace relayon::seqsim;
using namespace relayon::link;
using seqsim_test::Bytes;
using seqsim_test::DelaysPayload;
using seqsim_test::Payload;

namespace {

// Order in which outlets switch, with the time of each step, stepping the
// clock 1 ms at a time up to `untilMs`.
std::vector<std::pair<int, int64_t>> Trace(Unit& unit, int64_t fromMs, int64_t untilMs)
{
    std::vector<std::pair<int, int64_t>> steps;
    std::array<bool, 9> state{};
    for (int c = 0; c < 9; ++c)
        state[c] = unit.OutletOn(c);
    for (int64_t t = fromMs; t <= untilMs; ++t) {
        unit.Advance(t);
        for (int c = 0; c < 9; ++c)
            if (unit.OutletOn(c) != state[c]) {
                state[c] = unit.OutletOn(c);
                steps.emplace_back(c, t);
            }
    }
    return steps;
}

void SetAllDelays(Unit& unit, std::array<uint8_t, 9> on, std::array<uint8_t, 9> off)
{
    ASSERT_EQ(unit.Apply(DelaysPayload(unit.Id(), on, off), 0, 1.0).size(), 3u);
}

}  // namespace

TEST(Sequence, SwitchOnRunsOutletByOutletWithScaledDelays)
{
    Unit unit(1);
    // Delays: LCD 1 s, CH1 0.5 s, CH2 1 min, the rest 2 s (switch-on).
    std::array<uint8_t, 9> on{};
    on.fill(0x04);
    on[0] = 0x02;
    on[1] = 0x01;
    on[2] = 0x82;
    SetAllDelays(unit, on, on);
    const double scale = 0.01;  // 1 s lasts 10 ms
    ASSERT_EQ(unit.Apply(Payload(1, SequenceOn), 1000, scale).size(), 3u);
    EXPECT_TRUE(unit.Running());
    EXPECT_EQ(unit.NextStepMs(), std::optional<int64_t>(1010));

    auto steps = Trace(unit, 1000, 2000);
    ASSERT_EQ(steps.size(), 9u);
    const int64_t expected[9] = {1010, 1015, 1615, 1635, 1655, 1675, 1695, 1715, 1735};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(steps[i].first, i);
        EXPECT_EQ(steps[i].second, expected[i]) << "outlet " << i;
    }
    EXPECT_FALSE(unit.Running());
    EXPECT_TRUE(unit.OutletOn(0));
    EXPECT_EQ(unit.ChannelBitsByte(), 0xFF);
}

TEST(Sequence, ReverseOffUsesSwitchOffDelaysFromCh8ToLcd)
{
    Unit unit(1);
    std::array<uint8_t, 9> on{}, off{};
    on.fill(0x02);
    off.fill(0x01);  // 0.5 s
    off[8] = 0x00;   // CH8 at once
    SetAllDelays(unit, on, off);
    unit.Apply(Payload(1, GroupAllOn), 0, 1.0);
    unit.Apply(Payload(1, ReverseOff), 100, 1.0);
    auto steps = Trace(unit, 100, 5000);
    ASSERT_EQ(steps.size(), 9u);
    EXPECT_EQ(steps[0], std::make_pair(8, int64_t{100}));
    EXPECT_EQ(steps[1], std::make_pair(7, int64_t{600}));
    EXPECT_EQ(steps[8], std::make_pair(0, int64_t{4100}));
    EXPECT_FALSE(unit.OutletOn(0));
}

TEST(Sequence, MaskedChannelsAreSkippedAndAlreadyOnOutletsTakeTheirDelay)
{
    Unit unit(1);
    unit.Apply(Payload(1, SetMask, 2, SwitchSet), 0, 1.0);  // CH3
    unit.Apply(Payload(1, ChannelOn, 0, 1), 0, 1.0);        // CH1 already on
    unit.Apply(Payload(1, SequenceOn), 0, 0.01);            // factory 1 s -> 10 ms each
    auto steps = Trace(unit, 0, 500);
    // LCD at 10, CH1 (no change) at 20, CH2 at 30, CH3 skipped, CH4 at 40 ... CH8 at 80.
    ASSERT_EQ(steps.size(), 7u);
    EXPECT_EQ(steps[0], std::make_pair(0, int64_t{10}));
    EXPECT_EQ(steps[1], std::make_pair(2, int64_t{30}));
    EXPECT_EQ(steps[2], std::make_pair(4, int64_t{40}));
    EXPECT_EQ(steps.back(), std::make_pair(8, int64_t{80}));
    EXPECT_FALSE(unit.OutletOn(3));
}

TEST(Sequence, SequenceControlUsesCascadeAndStartChannel)
{
    Unit unit(2);
    // SwitchOn from the request's start channel 5: CH5..CH8, LCD, CH1..CH4.
    unit.Apply(Payload(2, SequenceControl, SwitchOn, 5), 0, 0.01);
    auto steps = Trace(unit, 0, 200);
    ASSERT_EQ(steps.size(), 9u);
    const int order[9] = {5, 6, 7, 8, 0, 1, 2, 3, 4};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(steps[i].first, order[i]);
    // SwitchOff runs the reverse order.
    unit.Apply(Payload(2, SequenceControl, SwitchOff, 5), 1000, 0.01);
    steps = Trace(unit, 1000, 1200);
    ASSERT_EQ(steps.size(), 9u);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(steps[i].first, order[8 - i]);

    // StartSequence needs cascade on; then it toggles from the stored start channel.
    unit.Apply(Payload(2, SequenceControl, StartSequence, 0), 2000, 0.01);
    EXPECT_FALSE(unit.Running());
    unit.Apply(Payload(2, SequenceControl, CascadeOn, 7), 2000, 0.01);
    EXPECT_TRUE(unit.Cascade());
    unit.Apply(Payload(2, SequenceControl, StartSequence, 0), 2000, 0.01);
    steps = Trace(unit, 2000, 2200);
    ASSERT_EQ(steps.size(), 9u);
    EXPECT_EQ(steps.front().first, 7);
    EXPECT_TRUE(unit.OutletOn(6));
    unit.Apply(Payload(2, SequenceControl, StartSequence, 0), 3000, 0.01);
    steps = Trace(unit, 3000, 3200);
    ASSERT_EQ(steps.size(), 9u);
    EXPECT_EQ(steps.front().first, 6);  // reverse of 7,8,0..6
    EXPECT_EQ(steps.back().first, 7);
    EXPECT_FALSE(unit.OutletOn(0));
}

TEST(Sequence, SwitchingStopsARunningSequence)
{
    Unit unit(1);
    unit.Apply(Payload(1, SequenceOn), 0, 1.0);
    unit.Advance(1500);  // LCD at 1000 ms
    EXPECT_TRUE(unit.OutletOn(0));
    unit.Apply(Payload(1, ChannelOff, 0, 0), 1500, 1.0);
    EXPECT_FALSE(unit.Running());
    EXPECT_FALSE(unit.NextStepMs());
    unit.Advance(100000);
    EXPECT_EQ(unit.ChannelBitsByte(), 0);
    // A new sequence replaces a running one.
    unit.Apply(Payload(1, SequenceOn), 0, 1.0);
    unit.Apply(Payload(1, ReverseOff), 10, 1.0);
    unit.Advance(100000);
    EXPECT_FALSE(unit.OutletOn(0));
    EXPECT_FALSE(unit.Running());
}

TEST(Sequence, NoticesFollowEveryChangeWhenEnabled)
{
    Unit quiet(1);
    quiet.Apply(Payload(1, SequenceOn), 0, 0.01);
    EXPECT_TRUE(quiet.Advance(1000).empty());

    Unit unit(1, UnitSettings{ReplyStyle::Short, true, false});
    unit.Apply(Payload(1, SetMask, 7, SwitchSet), 0, 1.0);  // CH8 masked
    unit.Apply(Payload(1, SequenceOn), 0, 0.01);
    std::vector<Bytes> notices;
    for (int64_t t = 0; t <= 200; ++t)
        for (Bytes& n : unit.Advance(t))
            notices.push_back(n);
    ASSERT_EQ(notices.size(), 8u);  // LCD, CH1..CH7
    EXPECT_EQ(notices[0], MakeStatusFrame(1, StatusNotice, StatusFlags::LcdOn | StatusFlags::Running, 0x00, 0xFE));
    EXPECT_EQ(notices[1], MakeStatusFrame(1, StatusNotice, StatusFlags::LcdOn | StatusFlags::Running, 0x80, 0xFE));
    // The last one reports the sequence finished.
    EXPECT_EQ(notices.back(), MakeStatusFrame(1, StatusNotice, StatusFlags::LcdOn, 0xFE, 0xFE));
    // Front-panel changes notify too.
    auto panel = unit.PanelLock(true);
    ASSERT_TRUE(panel);
    EXPECT_EQ((*panel)[3], StatusFlags::LcdOn | StatusFlags::Locked);
}
