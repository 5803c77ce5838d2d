// Date-time numbers as the console stores them: a 64-bit double counting days
// since 30 December 1899, the fraction being the time of day. Portable
// conversions to and from calendar values, independent of locale and clock.
//
// Values before the epoch are negative; their whole part counts days back and
// the magnitude of the fraction is still the time of day, so -1.25 is
// 29 December 1899 06:00.
#pragma once

#include <cstdint>
#include <optional>

namespace relayon::console {

struct CalendarDate {
    int year = 0;
    int month = 0;  // 1 .. 12
    int day = 0;    // 1 .. 31
    bool operator==(const CalendarDate&) const = default;
};

struct ClockTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    bool operator==(const ClockTime&) const = default;
};

// 1 January of year 1 and 1 January of year 10000: the date-time numbers that
// name a calendar day lie in [kMinDateTime, kMaxDateTime).
inline constexpr double kMinDateTime = -693593.0;
inline constexpr double kMaxDateTime = 2958466.0;
inline constexpr int64_t kMillisecondsPerDay = 86'400'000;

bool IsValidCalendarDate(int year, int month, int day);

// Whole-day number of a proleptic Gregorian date; nullopt for an impossible
// date or a year outside 1 .. 9999.
std::optional<double> EncodeDate(int year, int month, int day);
std::optional<double> EncodeDate(const CalendarDate& date);

// Fraction of a day; nullopt unless 0 <= h < 24, 0 <= m, s < 60, 0 <= ms < 1000.
std::optional<double> EncodeTime(int hour, int minute, int second, int millisecond = 0);
std::optional<double> EncodeTime(const ClockTime& time);

// True when the number names a day of years 1 .. 9999 (finite, in range).
bool IsCalendarDateTime(double value);

// Calendar day of a number; nullopt when IsCalendarDateTime is false
// (NaN, infinities and numbers far outside the calendar come from damaged files).
std::optional<CalendarDate> DecodeDate(double value);

// Time of day of a number, rounded to the millisecond; nullopt for NaN and
// infinities. Only the fraction matters, so any finite number has one.
std::optional<ClockTime> DecodeTime(double value);

// Whole-day part (towards zero) and time-of-day part (magnitude of the fraction).
double DatePart(double value);
double TimeOfDayPart(double value);

// Joins a whole-day number and a time of day the way negative numbers expect.
double CombineDateAndTime(double date, double timeOfDay);

// What a date picker shows after a stored date is applied: the stored day with
// the picker's own time of day kept; and the converse for a time picker.
double ReplaceDate(double pickerValue, double storedValue);
double ReplaceTime(double pickerValue, double storedValue);

}  // namespace relayon::console
