#pragma once
// Dates and times as one number: a double counting days since 1899-12-30,
// the fraction being the time of day. Portable arithmetic, independent of
// locale and clock; Now() (toolkit/DateTime.h) reads the clock.
//
// Values before the epoch are negative: the whole part counts days back and
// the magnitude of the fraction is still the time of day, so -1.25 is
// 1899-12-29 06:00. Numbers that are not finite or lie outside years
// 1..9999 name no calendar day (they come from damaged files).
#include <cstdint>
#include <optional>

using TDateTime = double;

struct DateParts {
    int year = 1899, month = 12, day = 30;
    bool operator==(const DateParts&) const = default;
};
struct TimeParts {
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    bool operator==(const TimeParts&) const = default;
};

// 0001-01-01 and 10000-01-01: calendar days lie in [kMinDateTime, kMaxDateTime).
inline constexpr TDateTime kMinDateTime = -693593.0;
inline constexpr TDateTime kMaxDateTime = 2958466.0;
// 1752-09-14, the first day the system's date and time pickers hold (their
// calendar is the Gregorian one from its adoption on; the date structures
// themselves reach back to 1601, but a picker keeps its old day when given
// an earlier one).
inline constexpr TDateTime kFirstPickerDate = -53797.0;

bool IsLeapYear(int year);
bool IsValidDate(int year, int month, int day);

// Throw std::invalid_argument for a day or time that does not exist.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
// The same without exceptions: nullopt for a day outside years 1..9999 or a
// time outside 00:00:00.000..23:59:59.999.
std::optional<TDateTime> TryEncodeDate(int year, int month, int day);
std::optional<TDateTime> TryEncodeTime(int hour, int minute, int second, int millisecond = 0);

// True when the number names a day of years 1..9999.
bool IsCalendarDateTime(TDateTime value);
// True when its day lies from 1752-09-14 to 9999-12-31: what a date picker
// can show.
bool IsPickerDateTime(TDateTime value);

// Values that name no calendar day decode as 1899-12-30; a time that rounds
// up to midnight belongs to the next day.
DateParts DecodeDate(TDateTime value);
// Rounded to the millisecond; not finite: 00:00:00.
TimeParts DecodeTime(TDateTime value);

// Whole-day part (towards zero) and time-of-day part (magnitude of the fraction).
TDateTime DateOf(TDateTime value);
TDateTime TimeOf(TDateTime value);
// Joins a whole-day number and a time of day the way negative numbers expect.
TDateTime CombineDateTime(TDateTime date, TDateTime timeOfDay);

// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime value);
