#pragma once
// Dates and times as days since 1899-12-30 (the fraction is the time of
// day). Portable arithmetic; Now() (toolkit/DateTime.h) reads the clock.
#include <cstdint>

using TDateTime = double;

struct DateParts {
    int year = 1899, month = 12, day = 30;
};
struct TimeParts {
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Throws std::invalid_argument for a day that does not exist.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
// Values that are not finite or lie beyond year 9999 decode as 1899-12-30.
DateParts DecodeDate(TDateTime value);
TimeParts DecodeTime(TDateTime value);
// Whole days part and time-of-day part (both for dates before 1899 as well).
TDateTime DateOf(TDateTime value);
TDateTime TimeOf(TDateTime value);
// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime value);
bool IsLeapYear(int year);
