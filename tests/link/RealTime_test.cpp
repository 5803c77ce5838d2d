#include <gtest/gtest.h>

#include <vector>

#include "link/Frame.h"
#include "link/GroupActions.h"
#include "link/Opcodes.h"
#include "link/RealTime.h"

using namespace relayon::link;
using Bytes = std::vector<uint8_t>;
using Kind = PageUpdate::Kind;

namespace {

const GroupIdTexts kNoIds{L"", L"", L"", L""};

Bytes WireOf(const RealTimeTick& tick)
{
    if (!tick.send)
        return {};
    return EncodeRequest(*tick.send);
}

RealTimeAction Queued(const QueuedAction& click)
{
    EXPECT_TRUE(click.Ok());
    return click.value;
}

}  // namespace

TEST(RealTime, QueuedActionGoesOutOnTheFourthAndFifthTickWithItsPageUpdate)
{
    RealTimeTimer timer;
    const GroupIdTexts ids{L"9", L"", L"", L""};
    EXPECT_EQ(timer.IntervalMs(), 100u);
    timer.Queue(Queued(ChannelClick(0, 3, {L"9"}, true)));
    EXPECT_TRUE(timer.ActionPending());
    EXPECT_EQ(timer.IntervalMs(), 10u);

    const Bytes channel3On{0x55, 0x09, 0xA0, 0x00, 0x03, 0xAA};
    for (int tick = 1; tick <= 5; ++tick) {
        const RealTimeTick t = timer.Tick(true, ids);
        if (tick < 4) {
            EXPECT_FALSE(t.send) << "tick " << tick;
            EXPECT_TRUE(t.updates.empty());
        } else {
            EXPECT_EQ(WireOf(t), channel3On) << "tick " << tick;
            EXPECT_EQ(t.updates, (std::vector<PageUpdate>{{Kind::Channel, 0, 3, true}}));
        }
        EXPECT_TRUE(t.resetGroups.empty());
        EXPECT_EQ(timer.ActionPending(), tick < 5);
        EXPECT_EQ(timer.IntervalMs(), tick < 5 ? 10u : 100u);
    }
    // Idle again: polling resumes after group 0, so the empty groups 1 to 3
    // use up one tick and group 0 is polled on the next.
    const RealTimeTick empty = timer.Tick(true, ids);
    EXPECT_FALSE(empty.send);
    EXPECT_EQ(empty.resetGroups, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(WireOf(timer.Tick(true, ids)), (Bytes{0x55, 0x09, 0xA8, 0x00, 0x00, 0xA1}));
}

TEST(RealTime, SecondActionReplacesTheFirstAndAHiddenPageFreezesTheQueue)
{
    RealTimeTimer timer;
    const GroupIdTexts ids{L"4", L"4", L"", L""};
    timer.Queue(Queued(SequenceOnClick(0, {L"4"})));
    timer.Tick(true, ids);
    timer.Tick(true, ids);
    timer.Queue(Queued(GroupAllClick(1, {L"4"}, true)));
    std::vector<Bytes> sent;
    for (int i = 0; i < 5; ++i)
        if (auto t = timer.Tick(true, ids); t.send)
            sent.push_back(WireOf(t));
    const Bytes groupAllOn{0x55, 0x04, 0xA2, 0x00, 0x00, 0xA6};
    EXPECT_EQ(sent, (std::vector<Bytes>{groupAllOn, groupAllOn}));

    // Queued, two ticks, then the page is left: nothing moves until it is shown again.
    timer.Queue(Queued(ReverseOffClick(0, {L"4"})));
    timer.Tick(true, ids);
    timer.Tick(true, ids);
    for (int i = 0; i < 20; ++i) {
        const RealTimeTick hidden = timer.Tick(false, ids);
        EXPECT_FALSE(hidden.send);
        EXPECT_TRUE(hidden.resetGroups.empty());
    }
    EXPECT_TRUE(timer.ActionPending());
    EXPECT_FALSE(timer.Tick(true, ids).send);
    EXPECT_EQ(WireOf(timer.Tick(true, ids)), (Bytes{0x55, 0x04, 0xA5, 0x00, 0x00, 0xA1}));
    EXPECT_EQ(WireOf(timer.Tick(true, ids)), (Bytes{0x55, 0x04, 0xA5, 0x00, 0x00, 0xA1}));
    EXPECT_FALSE(timer.ActionPending());
}

TEST(RealTime, PollingTakesUpToThreeAttemptsAndResetsUnusableGroups)
{
    // Every group usable: the first poll goes to group 1, then in turn.
    RealTimeTimer all;
    const GroupIdTexts four{L"1", L"2", L"3", L"4"};
    std::vector<uint8_t> polled;
    for (int i = 0; i < 5; ++i)
        polled.push_back((*all.Tick(true, four).send)[0]);
    EXPECT_EQ(polled, (std::vector<uint8_t>{2, 3, 4, 1, 2}));

    // One usable group (the third): polled on every second tick, the three
    // others using up the ticks in between.
    RealTimeTimer one;
    const GroupIdTexts third{L"", L"abc", L"7", L"300"};
    for (int tick = 1; tick <= 8; ++tick) {
        const RealTimeTick t = one.Tick(true, third);
        if (tick % 2 == 1) {
            EXPECT_EQ(WireOf(t), (Bytes{0x55, 0x07, 0xA8, 0x00, 0x00, 0xAF})) << "tick " << tick;
            EXPECT_EQ(t.resetGroups, tick == 1 ? std::vector<int>{1} : std::vector<int>{}) << "tick " << tick;
        } else {
            EXPECT_FALSE(t.send) << "tick " << tick;
            EXPECT_EQ(t.resetGroups, (std::vector<int>{3, 0, 1})) << "tick " << tick;
        }
    }

    // None usable: three resets per tick and no request; the fourth group is
    // reached on the next tick.
    RealTimeTimer none;
    EXPECT_EQ(none.Tick(true, kNoIds).resetGroups, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(none.Tick(true, kNoIds).resetGroups, (std::vector<int>{0, 1, 2}));
    EXPECT_FALSE(none.Tick(true, kNoIds).send);
    EXPECT_EQ(none.PollGroup(), 1);
    EXPECT_TRUE(none.Tick(false, kNoIds).resetGroups.empty());
    EXPECT_EQ(none.PollGroup(), 1);
}

TEST(RealTime, ASilentUnitIsReportedAfterThreeUnansweredPolls)
{
    RealTimeTimer timer;
    GroupIdTexts ids{L"5", L"6", L"", L""};
    // Runs `ticks` ticks in which unit 6 answers every poll and unit 5 answers
    // when `fiveAnswers`; returns the reports on unit 5's polls.
    auto run = [&](int ticks, bool fiveAnswers) {
        std::vector<std::optional<int>> reports;
        for (int i = 0; i < ticks; ++i) {
            const RealTimeTick t = timer.Tick(true, ids);
            if (!t.send)
                continue;
            const uint8_t id = (*t.send)[0];
            if (id == 6)
                EXPECT_FALSE(t.silentGroup);
            else
                reports.push_back(t.silentGroup);
            if (id == 6 || fiveAnswers)
                timer.ReplyAccepted(id);
        }
        return reports;
    };
    using Reports = std::vector<std::optional<int>>;
    const auto none = std::nullopt;
    // Polls alternate between the two groups; unit 5's fourth and fifth polls
    // follow three unanswered ones.
    EXPECT_EQ(run(10, false), (Reports{none, none, none, 0, 0}));
    // One reply from unit 5 clears the count.
    timer.ReplyAccepted(5);
    EXPECT_EQ(run(6, false), (Reports{none, none, none}));
    EXPECT_EQ(run(2, false), (Reports{0}));
    EXPECT_EQ(run(8, true), (Reports{0, none, none, none}));

    // Another ID in the field, or an emptied field, starts counting afresh.
    run(8, false);
    ids[0] = L"8";
    EXPECT_EQ(run(6, false), (Reports{none, none, none}));
    ids[0] = L"";
    run(2, false);
    ids[0] = L"8";
    EXPECT_EQ(run(6, false), (Reports{none, none, none}));
}

TEST(RealTime, PageUpdatesAfterEachKindOfAction)
{
    const GroupIdTexts ids{L"1", L"", L"3", L"0"};
    auto after = [&](const RealTimeAction& a) { return PageUpdatesAfter(a, ids); };

    EXPECT_EQ(after(Queued(ChannelClick(2, 0, {L"3"}, false))),
              (std::vector<PageUpdate>{{Kind::Channel, 2, 0, false}}));
    EXPECT_EQ(after(Queued(GroupAllClick(2, {L"3"}, false))),
              (std::vector<PageUpdate>{{Kind::GroupAll, 2, 0, false}}));
    // The all-device buttons update only the groups that hold a usable ID.
    EXPECT_EQ(after(AllDevicesClick(false)),
              (std::vector<PageUpdate>{{Kind::GroupAll, 0, 0, false}, {Kind::GroupAll, 2, 0, false}}));
    EXPECT_EQ(after(Queued(MaskAllClick(1, L"2", true))),
              (std::vector<PageUpdate>{{Kind::CopyMaskAll, 1, 0, false}}));
    // Masking CH1 (mask index 0) greys the CH1 button; unmasking enables it.
    EXPECT_EQ(after(Queued(MaskClick(1, 0, L"2", true))),
              (std::vector<PageUpdate>{{Kind::ChannelEnabled, 1, 1, false}}));
    EXPECT_EQ(after(Queued(MaskClick(1, 7, L"2", false))),
              (std::vector<PageUpdate>{{Kind::ChannelEnabled, 1, 8, true}}));
    EXPECT_TRUE(after(Queued(ReverseOffClick(0, {L"1"}))).empty());
}

TEST(RealTime, GroupClicksCheckIdThenLockThenRunning)
{
    EXPECT_EQ(SequenceOnClick(0, {L"", true, true}).refusal, Refusal::BadId);
    EXPECT_EQ(SequenceOnClick(0, {L"5", true, true}).refusal, Refusal::Locked);
    EXPECT_EQ(ReverseOffClick(0, {L"5", false, true}).refusal, Refusal::Running);
    EXPECT_EQ(ChannelClick(0, 1, {L"256"}, true).refusal, Refusal::BadId);
    EXPECT_EQ(GroupAllClick(0, {L"5", true}, true).refusal, Refusal::Locked);
    // Mask boxes check the ID only; a locked, running unit still gets them.
    EXPECT_EQ(MaskClick(0, 0, L"", true).refusal, Refusal::BadId);
    EXPECT_TRUE(MaskClick(0, 0, L"5", true).Ok());
    EXPECT_TRUE(MaskAllClick(0, L"5", false).Ok());

    const RealTimeAction off = Queued(ChannelClick(3, 8, {L"12"}, false));
    EXPECT_EQ(off, (RealTimeAction{12, ChannelOff, 0, 8, 3, 11}));
    EXPECT_EQ(Queued(MaskClick(2, 0, L"12", true)), (RealTimeAction{12, SetMask, 0, SwitchSet, 2, 0}));
    EXPECT_EQ(Queued(MaskAllClick(2, L"12", false)), (RealTimeAction{12, SetMask, 0xFF, SwitchClear, 2, 0}));
    EXPECT_EQ(AllDevicesClick(true), (RealTimeAction{0, AllDevicesOn, 0, 0, 0, 0}));
}
