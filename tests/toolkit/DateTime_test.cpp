// Date arithmetic: days since 1899-12-30 with the time of day as fraction.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

#include "toolkit/core/DateTime.h"

namespace {

TEST(DateTime, KnownDaysAndTimes) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(1900, 3, 1), 61.0);  // 1900 is no leap year
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(EncodeDate(2013, 12, 25), 41633.0);
    EXPECT_EQ(EncodeDate(1, 1, 1), kMinDateTime);
    EXPECT_EQ(EncodeDate(9999, 12, 31), kMaxDateTime - 1);
    EXPECT_EQ(EncodeDate(1752, 9, 14), kFirstPickerDate);
    EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_EQ(EncodeTime(13, 50, 25, 0), 49825.0 / 86400.0);
    // 2026-12-09 is a Wednesday (Sunday = 1); the epoch a Saturday.
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 9) + 0.9), 4);
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);
    EXPECT_EQ(DayOfWeek(-1.25), 6) << "1899-12-29 06:00 is a Friday";
    EXPECT_EQ(DayOfWeek(-1e300), 7);
}

TEST(DateTime, ImpossibleDatesAndTimesAreRefused) {
    for (const auto& [y, m, d] : {std::tuple{2013, 2, 29}, {1900, 2, 29}, {2013, 4, 31}, {2013, 13, 1},
                                   {2013, 0, 1}, {2013, 1, 0}, {0, 1, 1}, {10000, 1, 1}}) {
        EXPECT_FALSE(TryEncodeDate(y, m, d)) << y << "-" << m << "-" << d;
        EXPECT_THROW(EncodeDate(y, m, d), std::invalid_argument);
    }
    EXPECT_TRUE(TryEncodeDate(2012, 2, 29));
    EXPECT_TRUE(TryEncodeDate(2000, 2, 29));
    for (const auto& [h, m, s, ms] : {std::tuple{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000},
                                       {-1, 0, 0, 0}}) {
        EXPECT_FALSE(TryEncodeTime(h, m, s, ms));
        EXPECT_THROW(EncodeTime(h, m, s, ms), std::invalid_argument);
    }
}

// Every day of the calendar survives the trip to a number and back (at any
// time of day), and consecutive days are consecutive numbers.
TEST(DateTime, EveryCalendarDayRoundTrips) {
    double expected = kMinDateTime;
    for (int y = 1; y <= 9999; ++y)
        for (int m = 1; m <= 12; ++m)
            for (int d = 1; d <= 31; ++d) {
                const auto n = TryEncodeDate(y, m, d);
                if (!n) continue;
                ASSERT_EQ(*n, expected) << y << "-" << m << "-" << d;
                ASSERT_EQ(DecodeDate(CombineDateTime(*n, 0.75)), (DateParts{y, m, d}));
                expected += 1;
            }
    EXPECT_EQ(expected, kMaxDateTime);
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(2100));
}

TEST(DateTime, TimesOfDayRoundTripToTheMillisecond) {
    for (int h = 0; h < 24; ++h)
        for (int m = 0; m < 60; m += 7)
            for (int s = 0; s < 60; s += 13)
                for (int ms : {0, 1, 499, 999}) {
                    const double t = EncodeTime(h, m, s, ms);
                    ASSERT_EQ(DecodeTime(t), (TimeParts{h, m, s, ms}));
                    ASSERT_EQ(DecodeTime(41633.0 + t), (TimeParts{h, m, s, ms}));
                    ASSERT_EQ(DecodeTime(CombineDateTime(-41633.0, t)), (TimeParts{h, m, s, ms}));
                }
    // A fraction that rounds up to midnight is the next day at 00:00:00.000.
    const TDateTime almostMidnight = EncodeDate(2024, 1, 1) + 86399999.6 / 86400000.0;
    EXPECT_EQ(DecodeDate(almostMidnight), (DateParts{2024, 1, 2}));
    EXPECT_EQ(DecodeTime(almostMidnight), (TimeParts{0, 0, 0, 0}));
}

TEST(DateTime, NegativeNumbersCountDaysBackAndKeepTheTime) {
    EXPECT_EQ(DecodeDate(-1.25), (DateParts{1899, 12, 29}));
    EXPECT_EQ(DecodeTime(-1.25), (TimeParts{6, 0, 0, 0}));
    EXPECT_EQ(CombineDateTime(-1.0, 0.25), -1.25);
    EXPECT_EQ(CombineDateTime(2.0, 0.25), 2.25);
    EXPECT_EQ(DateOf(-1.25), -1.0);
    EXPECT_EQ(TimeOf(-1.25), 0.25);
    // A date replaced while the time of day is kept, before and after the epoch.
    const TDateTime picker = EncodeDate(2026, 5, 5) + EncodeTime(8, 0, 0, 0);
    const TDateTime early = CombineDateTime(DateOf(EncodeDate(1899, 12, 20)), TimeOf(picker));
    EXPECT_EQ(DecodeDate(early), (DateParts{1899, 12, 20}));
    EXPECT_EQ(DecodeTime(early), (TimeParts{8, 0, 0, 0}));
}

// Numbers from a damaged file: no calendar day, and only 1752-09-14..9999
// can be shown by a picker.
TEST(DateTime, DamagedNumbersAndThePickersRange) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double v : {nan, inf, -inf, 1e300, kMaxDateTime, kMinDateTime - 1}) {
        EXPECT_FALSE(IsCalendarDateTime(v)) << v;
        EXPECT_FALSE(IsPickerDateTime(v)) << v;
        EXPECT_EQ(DecodeDate(v), DateParts{}) << v;
    }
    EXPECT_EQ(DecodeTime(nan), TimeParts{});
    EXPECT_TRUE(IsCalendarDateTime(kMaxDateTime - 0.5));
    EXPECT_TRUE(IsCalendarDateTime(EncodeDate(1500, 6, 1)));
    EXPECT_FALSE(IsPickerDateTime(EncodeDate(1601, 1, 1)));
    EXPECT_FALSE(IsPickerDateTime(CombineDateTime(EncodeDate(1752, 9, 13), 0.5)));
    EXPECT_TRUE(IsPickerDateTime(EncodeDate(1752, 9, 14)));
    EXPECT_TRUE(IsPickerDateTime(CombineDateTime(EncodeDate(1752, 9, 14), 0.75)));
    EXPECT_TRUE(IsPickerDateTime(EncodeDate(9999, 12, 31) + 0.99));
}

}  // namespace
