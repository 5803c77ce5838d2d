#include "console/core/DateTime.h"

#include <cmath>

namespace relayon::console {
namespace {

// Days from 1970-01-01 to a proleptic Gregorian date (era-based, exact for
// every year of the range used here).
int64_t DaysFromCivil(int64_t year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<int64_t>(dayOfEra) - 719468;
}

CalendarDate CivilFromDays(int64_t days) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned mp = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    const int64_t year = static_cast<int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
    return {static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

// 1899-12-30 counted from 1970-01-01.
const int64_t kEpochOffsetDays = DaysFromCivil(1899, 12, 30);

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

}  // namespace

bool IsValidCalendarDate(int year, int month, int day) {
    static constexpr int kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    const int last = kDaysInMonth[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
    return day <= last;
}

std::optional<double> EncodeDate(int year, int month, int day) {
    if (!IsValidCalendarDate(year, month, day)) return std::nullopt;
    return static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                               kEpochOffsetDays);
}

std::optional<double> EncodeDate(const CalendarDate& date) {
    return EncodeDate(date.year, date.month, date.day);
}

std::optional<double> EncodeTime(int hour, int minute, int second, int millisecond) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999)
        return std::nullopt;
    const int64_t ms = ((int64_t{hour} * 60 + minute) * 60 + second) * 1000 + millisecond;
    return static_cast<double>(ms) / static_cast<double>(kMillisecondsPerDay);
}

std::optional<double> EncodeTime(const ClockTime& time) {
    return EncodeTime(time.hour, time.minute, time.second, time.millisecond);
}

bool IsCalendarDateTime(double value) {
    return std::isfinite(value) && value >= kMinDateTime && value < kMaxDateTime;
}

std::optional<CalendarDate> DecodeDate(double value) {
    if (!IsCalendarDateTime(value)) return std::nullopt;
    return CivilFromDays(static_cast<int64_t>(DatePart(value)) + kEpochOffsetDays);
}

std::optional<ClockTime> DecodeTime(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    int64_t ms = std::llround(TimeOfDayPart(value) * static_cast<double>(kMillisecondsPerDay));
    // A fraction a hair below 1 rounds up to a whole day; keep it in the same day.
    if (ms >= kMillisecondsPerDay) ms = kMillisecondsPerDay - 1;
    ClockTime t;
    t.millisecond = static_cast<int>(ms % 1000);
    ms /= 1000;
    t.second = static_cast<int>(ms % 60);
    ms /= 60;
    t.minute = static_cast<int>(ms % 60);
    t.hour = static_cast<int>(ms / 60);
    return t;
}

double DatePart(double value) {
    return std::trunc(value);
}

double TimeOfDayPart(double value) {
    return std::fabs(value - std::trunc(value));
}

double CombineDateAndTime(double date, double timeOfDay) {
    return date >= 0 ? date + timeOfDay : date - timeOfDay;
}

double ReplaceDate(double pickerValue, double storedValue) {
    return CombineDateAndTime(DatePart(storedValue), TimeOfDayPart(pickerValue));
}

double ReplaceTime(double pickerValue, double storedValue) {
    return CombineDateAndTime(DatePart(pickerValue), TimeOfDayPart(storedValue));
}

}  // namespace relayon::console
