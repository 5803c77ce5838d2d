// The schedule timer's matching (Timer2Timer, every 200 ms on every page):
// which switching request, if any, the programmed moments call for now. The
// console reads the plan from the device setup and timer task pages and the
// local clock, and sends SequenceControl with the returned sub-command to the
// device in Ed_conn_id with the start channel of Cb_ch (BuildSequenceControl).
//
// Matching within one local second, checked in this order, a later match
// replacing an earlier one:
//   1. the one-shot switch-on, when armed and its date and time are now: SwitchOn;
//   2. the one-shot switch-off likewise: SwitchOff;
//   3. today's weekly plan, when that weekday is checked: the first slot (in
//      slot order) whose checked on time or checked off time is now, the on
//      time before the off time of the same slot.
// A matching second sends on every tick that falls in it.
//
// Moments not seen: the timer can miss a second (a busy message loop, a
// suspended virtual machine). When more than one second and at most 60 seconds
// passed since the previous tick, the seconds in between are matched as well
// and the latest of their matches is sent once, at this tick (a match of the
// current second takes precedence). A longer gap (sleep, the clock set forward)
// sends nothing for the time skipped. A clock set backwards is not a gap:
// the seconds it goes through again match again, as on their first pass.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace relayon::link {

struct LocalDate {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    bool operator==(const LocalDate&) const = default;
};

// Time of day to the second; finer parts of a picker's value do not count.
struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const TimeOfDay&) const = default;
};

// The local clock at a tick.
struct LocalClock {
    LocalDate date;
    TimeOfDay time;
    int millisecond = 0;
};

// CB_Opentime with DateTimePicker1/2, or CB_Closetime with DateTimePicker3/4.
struct OneShotSwitch {
    bool armed = false;
    LocalDate date;
    TimeOfDay time;
};

// CB_on_slot/Dt_on_slot and CB_off_slot/Dt_off_slot of one weekday slot.
struct WeeklySlot {
    bool onChecked = false;
    TimeOfDay onTime;
    bool offChecked = false;
    TimeOfDay offTime;
};

inline constexpr int kWeekdays = 7;
inline constexpr int kSlotsPerDay = 10;

// CB_week[d] and its ten slots.
struct WeekdayPlan {
    bool enabled = false;
    std::array<WeeklySlot, kSlotsPerDay> slots{};
};

struct SchedulePlan {
    OneShotSwitch switchOn;
    OneShotSwitch switchOff;
    std::array<WeekdayPlan, kWeekdays> week{};  // 0 = Sunday .. 6 = Saturday
};

// Day of the week of a proleptic Gregorian date, 0 = Sunday .. 6 = Saturday.
int Weekday(const LocalDate& date);

// The sub-command (SwitchOn or SwitchOff) the plan calls for in the second
// `time` of `date`, by the order above; nullopt when nothing matches.
std::optional<uint8_t> MatchSecond(const SchedulePlan& plan, const LocalDate& date, const TimeOfDay& time);

class ScheduleMatcher {
public:
    // One tick of Timer2: the sub-command to send now, if any.
    std::optional<uint8_t> Tick(const SchedulePlan& plan, const LocalClock& now);

private:
    // Local milliseconds of the previous tick: the only memory, used to find
    // the seconds a late tick skipped.
    std::optional<int64_t> lastTickMs_;
};

}  // namespace relayon::link
