#include "link/Schedule.h"

#include "link/Opcodes.h"

namespace relayon::link {

namespace {

constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kMaxCatchUpMs = 60'000;
constexpr int64_t kMsPerSecond = 1000;

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Days since 1970-01-01 of a proleptic Gregorian date (civil-days algorithm:
// years start in March so the leap day ends the year).
int64_t DaysFromCivil(const LocalDate& date)
{
    const int64_t y = int64_t{date.year} - (date.month <= 2);
    const int64_t era = FloorDiv(y, 400);
    const int64_t yearOfEra = y - era * 400;
    const int64_t monthFromMarch = (date.month + 9) % 12;
    const int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + date.day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

LocalDate CivilFromDays(int64_t days)
{
    days += 719468;
    const int64_t era = FloorDiv(days, 146097);
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    const int month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
    return {year, month, day};
}

int64_t SecondOfDay(const TimeOfDay& t) { return int64_t{t.hour} * 3600 + t.minute * 60 + t.second; }

int64_t LocalMilliseconds(const LocalClock& clock)
{
    return (DaysFromCivil(clock.date) * kSecondsPerDay + SecondOfDay(clock.time)) * kMsPerSecond +
           clock.millisecond;
}

std::optional<uint8_t> MatchLocalSecond(const SchedulePlan& plan, int64_t second)
{
    const int64_t sod = second - FloorDiv(second, kSecondsPerDay) * kSecondsPerDay;
    const TimeOfDay time{static_cast<int>(sod / 3600), static_cast<int>(sod / 60 % 60), static_cast<int>(sod % 60)};
    return MatchSecond(plan, CivilFromDays(FloorDiv(second, kSecondsPerDay)), time);
}

bool OneShotIsNow(const OneShotSwitch& shot, const LocalDate& date, const TimeOfDay& time)
{
    return shot.armed && shot.date == date && shot.time == time;
}

}  // namespace

int Weekday(const LocalDate& date)
{
    // 1 January 1970 was a Thursday.
    const int64_t fromSunday = DaysFromCivil(date) + 4;
    return static_cast<int>(fromSunday - FloorDiv(fromSunday, 7) * 7);
}

std::optional<uint8_t> MatchSecond(const SchedulePlan& plan, const LocalDate& date, const TimeOfDay& time)
{
    std::optional<uint8_t> match;
    if (OneShotIsNow(plan.switchOn, date, time))
        match = SwitchOn;
    if (OneShotIsNow(plan.switchOff, date, time))
        match = SwitchOff;
    const WeekdayPlan& today = plan.week[Weekday(date)];
    if (today.enabled)
        for (const WeeklySlot& slot : today.slots) {
            if (slot.onChecked && slot.onTime == time)
                return SwitchOn;
            if (slot.offChecked && slot.offTime == time)
                return SwitchOff;
        }
    return match;
}

std::optional<uint8_t> ScheduleMatcher::Tick(const SchedulePlan& plan, const LocalClock& now)
{
    const int64_t nowMs = LocalMilliseconds(now);
    const int64_t nowSecond = FloorDiv(nowMs, kMsPerSecond);
    std::optional<uint8_t> chosen;

    if (lastTickMs_) {
        const int64_t gap = nowMs - *lastTickMs_;
        if (gap > kMsPerSecond && gap <= kMaxCatchUpMs)
            for (int64_t s = FloorDiv(*lastTickMs_, kMsPerSecond) + 1; s < nowSecond; ++s)
                if (const auto match = MatchLocalSecond(plan, s))
                    chosen = match;
    }
    if (const auto match = MatchLocalSecond(plan, nowSecond))
        chosen = match;
    lastTickMs_ = nowMs;
    return chosen;
}

}  // namespace relayon::link
