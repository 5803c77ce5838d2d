#include "toolkit/core/DateTime.h"

#include <cmath>
#include <stdexcept>

namespace {
// Zero-based day number (from 0001-01-01, proleptic Gregorian) of 1899-12-30.
constexpr int64_t kDelta = 693593;
constexpr double kMillisecondsPerDay = 86400000.0;

int64_t DaysBeforeYear(int year) {
    int64_t y = year - 1;
    return y * 365 + y / 4 - y / 100 + y / 400;
}

int DaysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidTime(int hour, int minute, int second, int millisecond) {
    return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59 &&
           millisecond >= 0 && millisecond <= 999;
}
}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

std::optional<TDateTime> TryEncodeDate(int year, int month, int day) {
    if (!IsValidDate(year, month, day)) return std::nullopt;
    int64_t days = DaysBeforeYear(year);
    for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
    days += day - 1;
    return static_cast<TDateTime>(days - kDelta);
}

std::optional<TDateTime> TryEncodeTime(int hour, int minute, int second, int millisecond) {
    if (!IsValidTime(hour, minute, second, millisecond)) return std::nullopt;
    return (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + millisecond) / kMillisecondsPerDay;
}

TDateTime EncodeDate(int year, int month, int day) {
    const auto date = TryEncodeDate(year, month, day);
    if (!date) throw std::invalid_argument("Invalid argument to date encode");
    return *date;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    const auto time = TryEncodeTime(hour, minute, second, millisecond);
    if (!time) throw std::invalid_argument("Invalid argument to time encode");
    return *time;
}

// The day of a negative number is its whole part towards zero, so the range
// is checked on that part.
bool IsCalendarDateTime(TDateTime value) {
    return std::isfinite(value) && DateOf(value) >= kMinDateTime && value < kMaxDateTime;
}

bool IsPickerDateTime(TDateTime value) {
    return std::isfinite(value) && DateOf(value) >= kFirstPickerDate && value < kMaxDateTime;
}

TDateTime DateOf(TDateTime value) { return std::trunc(value); }

TDateTime TimeOf(TDateTime value) { return std::fabs(value - std::trunc(value)); }

TDateTime CombineDateTime(TDateTime date, TDateTime timeOfDay) {
    return date < 0 ? date - timeOfDay : date + timeOfDay;
}

DateParts DecodeDate(TDateTime value) {
    if (!IsCalendarDateTime(value)) return DateParts{};
    int64_t days = static_cast<int64_t>(std::trunc(value));
    // A time part that rounds up to midnight belongs to the next day.
    if (std::llround(TimeOf(value) * kMillisecondsPerDay) >= 86400000) days += value < 0 ? -1 : 1;
    int64_t n = days + kDelta;  // zero-based day number
    if (n < 0 || n >= DaysBeforeYear(10000)) return DateParts{};
    int year = static_cast<int>(n / 366) + 1;
    while (DaysBeforeYear(year + 1) <= n) ++year;
    int64_t dayOfYear = n - DaysBeforeYear(year);
    int month = 1;
    while (month < 12 && dayOfYear >= DaysInMonth(year, month)) {
        dayOfYear -= DaysInMonth(year, month);
        ++month;
    }
    return DateParts{year, month, static_cast<int>(dayOfYear) + 1};
}

TimeParts DecodeTime(TDateTime value) {
    if (!std::isfinite(value)) return TimeParts{};
    int64_t ms = std::llround(TimeOf(value) * kMillisecondsPerDay);
    if (ms >= 86400000) ms = 0;
    TimeParts t;
    t.hour = static_cast<int>(ms / 3600000);
    t.minute = static_cast<int>(ms / 60000 % 60);
    t.second = static_cast<int>(ms / 1000 % 60);
    t.millisecond = static_cast<int>(ms % 1000);
    return t;
}

int DayOfWeek(TDateTime value) {
    // 1899-12-30 was a Saturday.
    if (!IsCalendarDateTime(value)) return 7;
    // The day is the whole part towards zero, as everywhere else.
    int64_t days = static_cast<int64_t>(DateOf(value));
    int64_t w = ((days + 6) % 7 + 7) % 7;  // 0 = Sunday
    return static_cast<int>(w) + 1;
}
