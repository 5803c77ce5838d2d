// Date arithmetic: days since 1899-12-30 with the time of day as fraction.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "toolkit/core/DateTime.h"

TEST(DateTime, EncodesAndDecodesDaysSince18991230) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(EncodeDate(2024, 2, 29) - EncodeDate(2024, 2, 28), 1.0);
    EXPECT_THROW(EncodeDate(2023, 2, 29), std::invalid_argument);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), std::invalid_argument);
    EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    TDateTime v = EncodeDate(2026, 12, 9) + EncodeTime(23, 59, 59, 999);
    DateParts d = DecodeDate(v);
    TimeParts t = DecodeTime(v);
    EXPECT_EQ(d.year, 2026);
    EXPECT_EQ(d.month, 12);
    EXPECT_EQ(d.day, 9);
    EXPECT_EQ(t.hour, 23);
    EXPECT_EQ(t.minute, 59);
    EXPECT_EQ(t.second, 59);
    EXPECT_EQ(t.millisecond, 999);
    // 2026-12-09 is a Wednesday (Sunday = 1).
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 9)), 4);
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);
    // Dates before the epoch: the time part still counts forward in the day.
    TDateTime before = -1.25;  // 1899-12-29 06:00
    EXPECT_EQ(DecodeDate(before).day, 29);
    EXPECT_EQ(DecodeTime(before).hour, 6);
    for (int y : {1, 1600, 1900, 1970, 2099, 9999}) {
        DateParts back = DecodeDate(EncodeDate(y, 3, 1));
        EXPECT_EQ(back.year, y);
        EXPECT_EQ(back.month, 3);
        EXPECT_EQ(back.day, 1);
    }
    EXPECT_EQ(DecodeDate(NAN).year, 1899);
    EXPECT_EQ(DecodeDate(1e300).year, 1899);
    EXPECT_EQ(DayOfWeek(-1e300), 7);
}

TEST(DateTime, EveryDayOfFourHundredYearsRoundTrips) {
    // One full Gregorian cycle: every date decodes back to itself and days are consecutive.
    TDateTime previous = EncodeDate(1999, 12, 31);
    for (int y = 2000; y < 2400; ++y)
        for (int m = 1; m <= 12; ++m)
            for (int d = 1; d <= 31; ++d) {
                TDateTime v;
                try {
                    v = EncodeDate(y, m, d);
                } catch (const std::invalid_argument&) {
                    continue;
                }
                ASSERT_EQ(v, previous + 1) << y << "-" << m << "-" << d;
                DateParts back = DecodeDate(v + 0.75);
                ASSERT_EQ(back.year, y);
                ASSERT_EQ(back.month, m);
                ASSERT_EQ(back.day, d);
                previous = v;
            }
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(2100));
}

TEST(DateTime, TimeRoundsToMillisecondsWithoutSpillingIntoTheNextDay) {
    TDateTime almostMidnight = EncodeDate(2024, 1, 1) + 86399999.6 / 86400000.0;
    // Rounds up to midnight: the next day at 00:00:00.000.
    EXPECT_EQ(DecodeDate(almostMidnight).day, 2);
    EXPECT_EQ(DecodeTime(almostMidnight).hour, 0);
    TDateTime noon = EncodeDate(2024, 1, 1) + EncodeTime(12, 0, 0, 1);
    EXPECT_EQ(DecodeTime(noon).millisecond, 1);
    EXPECT_NEAR(TimeOf(noon), EncodeTime(12, 0, 0, 1), 1e-9);
    EXPECT_EQ(DateOf(noon), EncodeDate(2024, 1, 1));
}
