#include <gtest/gtest.h>

#include <vector>

#include "link/Opcodes.h"
#include "link/Schedule.h"

using namespace relayon::link;

namespace {

// Wednesday 9 December 2026 and the days around it.
constexpr LocalDate kSunday{2026, 12, 6};
constexpr LocalDate kMonday{2026, 12, 7};
constexpr LocalDate kWednesday{2026, 12, 9};

LocalClock At(LocalDate date, int h, int m, int s, int ms = 0) { return {date, {h, m, s}, ms}; }

// The clock at `msOfDay` milliseconds after midnight of `date`.
LocalClock AtMs(LocalDate date, int msOfDay)
{
    const int s = msOfDay / 1000;
    return {date, {s / 3600, s / 60 % 60, s % 60}, msOfDay % 1000};
}

int Ms(int h, int m, int s, int ms = 0) { return ((h * 60 + m) * 60 + s) * 1000 + ms; }

// Ticks every `stepMs` from `from` up to `to` (inclusive) on `date`; the
// sub-commands returned, in order.
std::vector<uint8_t> TickThrough(ScheduleMatcher& matcher, const SchedulePlan& plan, LocalDate date, int from, int to,
                         int stepMs = 200)
{
    std::vector<uint8_t> sent;
    for (int t = from; t <= to; t += stepMs)
        if (auto match = matcher.Tick(plan, AtMs(date, t)))
            sent.push_back(*match);
    return sent;
}

using Sent = std::vector<uint8_t>;

}  // namespace

TEST(Schedule, OneShotSwitchingMatchesItsOwnSecondOnItsOwnDate)
{
    SchedulePlan plan;
    plan.switchOn = {true, kWednesday, {13, 50, 25}};

    // Five ticks fall into 13:50:25, each sends; none before or after.
    ScheduleMatcher matcher;
    EXPECT_EQ(TickThrough(matcher, plan, kWednesday, Ms(13, 50, 23, 100), Ms(13, 50, 27)), Sent(5, SwitchOn));
    // Another date never matches, nor an unarmed setting.
    ScheduleMatcher otherDay;
    EXPECT_TRUE(TickThrough(otherDay, plan, {2026, 12, 10}, Ms(13, 50, 24), Ms(13, 50, 26)).empty());
    plan.switchOn.armed = false;
    ScheduleMatcher unarmed;
    EXPECT_TRUE(TickThrough(unarmed, plan, kWednesday, Ms(13, 50, 24), Ms(13, 50, 26)).empty());

    // Switch-on and switch-off in the same second: off.
    plan.switchOn.armed = true;
    plan.switchOff = {true, kWednesday, {13, 50, 25}};
    EXPECT_EQ(MatchSecond(plan, kWednesday, {13, 50, 25}), SwitchOff);
    EXPECT_EQ(MatchSecond(plan, kWednesday, {13, 50, 24}), std::nullopt);
}

TEST(Schedule, WeeklySlotsMatchOnTheirCheckedWeekdayInSlotOrder)
{
    SchedulePlan plan;
    WeekdayPlan& monday = plan.week[1];
    monday.enabled = true;
    monday.slots[0] = {true, {7, 0, 0}, true, {18, 30, 0}};
    EXPECT_EQ(MatchSecond(plan, kMonday, {7, 0, 0}), SwitchOn);
    EXPECT_EQ(MatchSecond(plan, {2026, 12, 14}, {7, 0, 0}), SwitchOn);  // every Monday
    EXPECT_EQ(MatchSecond(plan, kMonday, {18, 30, 0}), SwitchOff);
    EXPECT_EQ(MatchSecond(plan, {2026, 12, 8}, {7, 0, 0}), std::nullopt);  // Tuesday
    EXPECT_EQ(MatchSecond(plan, kMonday, {7, 0, 1}), std::nullopt);
    monday.enabled = false;
    EXPECT_EQ(MatchSecond(plan, kMonday, {7, 0, 0}), std::nullopt);
    monday.enabled = true;

    // Equal on and off times in one slot: on. An earlier slot wins over a
    // later one; an unchecked box never matches.
    monday.slots[3] = {true, {9, 0, 0}, true, {9, 0, 0}};
    EXPECT_EQ(MatchSecond(plan, kMonday, {9, 0, 0}), SwitchOn);
    monday.slots[1] = {false, {10, 0, 0}, true, {10, 0, 0}};
    monday.slots[2] = {true, {10, 0, 0}, false, {}};
    EXPECT_EQ(MatchSecond(plan, kMonday, {10, 0, 0}), SwitchOff);
    // A weekly match replaces a one-shot match of the same second.
    plan.switchOff = {true, kMonday, {9, 0, 0}};
    EXPECT_EQ(MatchSecond(plan, kMonday, {9, 0, 0}), SwitchOn);
}

TEST(Schedule, WeekdaysCountFromSunday)
{
    EXPECT_EQ(Weekday({1970, 1, 1}), 4);
    EXPECT_EQ(Weekday({2000, 1, 1}), 6);
    EXPECT_EQ(Weekday({2024, 2, 29}), 4);
    EXPECT_EQ(Weekday({1899, 12, 30}), 6);
    // One day enabled at a time: its slot fires on that date of the week of
    // Sunday 6 December 2026 and on no other.
    for (int d = 0; d < kWeekdays; ++d) {
        SchedulePlan plan;
        plan.week[d].enabled = true;
        plan.week[d].slots[9] = {true, {12, 0, 0}, false, {}};
        for (int offset = 0; offset < 7; ++offset) {
            const LocalDate date{2026, 12, kSunday.day + offset};
            EXPECT_EQ(MatchSecond(plan, date, {12, 0, 0}).has_value(), offset == d) << d << " " << offset;
        }
    }
}

TEST(Schedule, SecondsMissedInAGapUpToAMinuteAreSentOnce)
{
    SchedulePlan plan;
    plan.week[3].enabled = true;
    plan.week[3].slots[0] = {true, {8, 0, 0}, true, {8, 0, 10}};

    // 1.5 s between two ticks, 08:00:00 never seen: sent at the late tick, once.
    ScheduleMatcher matcher;
    EXPECT_FALSE(matcher.Tick(plan, At(kWednesday, 7, 59, 59, 900)));
    EXPECT_EQ(matcher.Tick(plan, At(kWednesday, 8, 0, 1, 400)), SwitchOn);
    EXPECT_FALSE(matcher.Tick(plan, At(kWednesday, 8, 0, 1, 600)));
    EXPECT_FALSE(matcher.Tick(plan, At(kWednesday, 8, 0, 2, 600)));

    // 59 s holding both moments: the later one (off) is sent.
    ScheduleMatcher both;
    EXPECT_FALSE(both.Tick(plan, At(kWednesday, 7, 59, 30)));
    EXPECT_EQ(both.Tick(plan, At(kWednesday, 8, 0, 29)), SwitchOff);
    EXPECT_FALSE(both.Tick(plan, At(kWednesday, 8, 0, 29, 200)));

    // Exactly 60 s still counts; 61 s is a jump and sends nothing.
    ScheduleMatcher sixty;
    sixty.Tick(plan, At(kWednesday, 7, 59, 30));
    EXPECT_EQ(sixty.Tick(plan, At(kWednesday, 8, 0, 30)), SwitchOff);
    ScheduleMatcher jump;
    jump.Tick(plan, At(kWednesday, 7, 59, 30));
    EXPECT_FALSE(jump.Tick(plan, At(kWednesday, 8, 0, 31)));

    // A gap that ends inside a matching second: that second is sent as usual.
    ScheduleMatcher into;
    into.Tick(plan, At(kWednesday, 7, 58, 0));
    EXPECT_EQ(into.Tick(plan, At(kWednesday, 8, 0, 0, 500)), SwitchOn);
    EXPECT_EQ(into.Tick(plan, At(kWednesday, 8, 0, 0, 700)), SwitchOn);

    // The gap is counted across midnight: Tuesday 23:59:59.5 to Wednesday 00:00:01.
    SchedulePlan midnight;
    midnight.week[3].enabled = true;
    midnight.week[3].slots[4] = {false, {}, true, {0, 0, 0}};
    ScheduleMatcher night;
    night.Tick(midnight, At({2026, 12, 8}, 23, 59, 59, 500));
    EXPECT_EQ(night.Tick(midnight, At(kWednesday, 0, 0, 1)), SwitchOff);
}

TEST(Schedule, AClockSetBackMatchesTheSecondsItGoesThroughAgain)
{
    SchedulePlan plan;
    plan.switchOn = {true, kWednesday, {13, 50, 25}};
    ScheduleMatcher matcher;
    EXPECT_EQ(TickThrough(matcher, plan, kWednesday, Ms(13, 50, 24), Ms(13, 50, 26)), Sent(5, SwitchOn));
    // Back by ten seconds: the moment is met again on every tick in it.
    EXPECT_EQ(TickThrough(matcher, plan, kWednesday, Ms(13, 50, 16), Ms(13, 50, 30)), Sent(5, SwitchOn));
    // The jump back itself skips nothing: from after the moment to just
    // before it, no catching up.
    EXPECT_FALSE(matcher.Tick(plan, At(kWednesday, 13, 50, 24, 500)));
}
