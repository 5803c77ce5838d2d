// Date-time numbers: days since 1899-12-30 with the time of day as fraction.
#include "console/core/DateTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace relayon::console {
namespace {

TEST(DateTime, KnownDays) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1899, 12, 31), 1.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(1900, 3, 1), 61.0);  // 1900 is no leap year
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(EncodeDate(2013, 12, 25), 41633.0);
    EXPECT_EQ(EncodeDate(1, 1, 1), kMinDateTime);
    EXPECT_EQ(EncodeDate(9999, 12, 31), kMaxDateTime - 1);
    EXPECT_EQ(DecodeDate(-1.0), (CalendarDate{1899, 12, 29}));
}

TEST(DateTime, ImpossibleDatesAndTimesAreRefused) {
    EXPECT_FALSE(EncodeDate(2013, 2, 29));
    EXPECT_TRUE(EncodeDate(2012, 2, 29));
    EXPECT_TRUE(EncodeDate(2000, 2, 29));
    EXPECT_FALSE(EncodeDate(1900, 2, 29));
    EXPECT_FALSE(EncodeDate(2013, 4, 31));
    EXPECT_FALSE(EncodeDate(2013, 13, 1));
    EXPECT_FALSE(EncodeDate(2013, 0, 1));
    EXPECT_FALSE(EncodeDate(2013, 1, 0));
    EXPECT_FALSE(EncodeDate(0, 1, 1));
    EXPECT_FALSE(EncodeDate(10000, 1, 1));
    EXPECT_FALSE(EncodeTime(24, 0, 0));
    EXPECT_FALSE(EncodeTime(0, 60, 0));
    EXPECT_FALSE(EncodeTime(0, 0, 60));
    EXPECT_FALSE(EncodeTime(0, 0, 0, 1000));
    EXPECT_FALSE(EncodeTime(-1, 0, 0));
}

// Every day of the calendar survives the trip to a number and back, and
// consecutive days are consecutive numbers.
TEST(DateTime, EveryCalendarDayRoundTrips) {
    double expected = kMinDateTime;
    for (int y = 1; y <= 9999; ++y)
        for (int m = 1; m <= 12; ++m)
            for (int d = 1; d <= 31; ++d) {
                const auto n = EncodeDate(y, m, d);
                if (!n) continue;
                ASSERT_EQ(*n, expected) << y << "-" << m << "-" << d;
                ASSERT_EQ(DecodeDate(*n), (CalendarDate{y, m, d}));
                expected += 1;
            }
    EXPECT_EQ(expected, kMaxDateTime);
}

TEST(DateTime, TimesOfDayRoundTripToTheMillisecond) {
    EXPECT_EQ(*EncodeTime(13, 50, 25), 49825.0 / 86400.0);
    EXPECT_EQ(*EncodeTime(12, 0, 0), 0.5);
    for (int h = 0; h < 24; ++h)
        for (int m = 0; m < 60; m += 7)
            for (int s = 0; s < 60; s += 13)
                for (int ms : {0, 1, 499, 999}) {
                    const double t = *EncodeTime(h, m, s, ms);
                    ASSERT_EQ(DecodeTime(t), (ClockTime{h, m, s, ms}));
                    ASSERT_EQ(DecodeTime(41633.0 + t), (ClockTime{h, m, s, ms}));
                }
}

TEST(DateTime, FractionJustBelowADayStaysInTheDay) {
    EXPECT_EQ(DecodeTime(0.99999999999), (ClockTime{23, 59, 59, 999}));
    EXPECT_EQ(DecodeTime(41633.99999999), (ClockTime{23, 59, 59, 999}));
}

TEST(DateTime, NegativeNumbersCountDaysBackAndKeepTheTime) {
    // -1.25: one day before the epoch, 06:00.
    EXPECT_EQ(DecodeDate(-1.25), (CalendarDate{1899, 12, 29}));
    EXPECT_EQ(DecodeTime(-1.25), (ClockTime{6, 0, 0, 0}));
    EXPECT_EQ(CombineDateAndTime(-1.0, 0.25), -1.25);
    EXPECT_EQ(CombineDateAndTime(2.0, 0.25), 2.25);
    EXPECT_EQ(DatePart(-1.25), -1.0);
    EXPECT_EQ(TimeOfDayPart(-1.25), 0.25);
}

TEST(DateTime, DamagedNumbersHaveNoCalendarValue) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(DecodeDate(nan));
    EXPECT_FALSE(DecodeDate(inf));
    EXPECT_FALSE(DecodeDate(-inf));
    EXPECT_FALSE(DecodeDate(1e300));
    EXPECT_FALSE(DecodeDate(kMaxDateTime));
    EXPECT_FALSE(DecodeDate(kMinDateTime - 1));
    EXPECT_TRUE(DecodeDate(kMaxDateTime - 0.5));
    EXPECT_FALSE(DecodeTime(nan));
    EXPECT_FALSE(DecodeTime(inf));
    EXPECT_TRUE(DecodeTime(1e300));  // any finite number has a fraction (here 0)
}

TEST(DateTime, ApplyingAStoredValueReplacesOnlyItsPart) {
    const double picker = *EncodeDate(2026, 5, 5) + *EncodeTime(8, 0, 0);
    const double stored = *EncodeDate(2013, 12, 25) + *EncodeTime(13, 50, 25);

    const double dateApplied = ReplaceDate(picker, stored);
    EXPECT_EQ(DecodeDate(dateApplied), (CalendarDate{2013, 12, 25}));
    EXPECT_EQ(DecodeTime(dateApplied), (ClockTime{8, 0, 0, 0}));

    const double timeApplied = ReplaceTime(picker, stored);
    EXPECT_EQ(DecodeDate(timeApplied), (CalendarDate{2026, 5, 5}));
    EXPECT_EQ(DecodeTime(timeApplied), (ClockTime{13, 50, 25, 0}));

    // A picker before the epoch keeps its day when its time changes.
    const double early = ReplaceTime(-10.5, *EncodeTime(18, 0, 0));
    EXPECT_EQ(DecodeDate(early), (CalendarDate{1899, 12, 20}));
    EXPECT_EQ(DecodeTime(early), (ClockTime{18, 0, 0, 0}));
}

}  // namespace
}  // namespace relayon::console
