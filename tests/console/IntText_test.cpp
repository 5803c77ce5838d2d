// Reading typed numbers with a fallback.
#include "console/core/IntText.h"

#include <gtest/gtest.h>

#include <climits>

namespace relayon::console {
namespace {

TEST(IntText, NumbersAreReadAsTheyStand) {
    EXPECT_EQ(TextToIntDef(L"255", 0), 255);
    EXPECT_EQ(TextToIntDef(L"0", 999), 0);
    EXPECT_EQ(TextToIntDef(L"007", 0), 7);
    EXPECT_EQ(TextToIntDef(L"-5", 0), -5);
    EXPECT_EQ(TextToIntDef(L"+12", 0), 12);
    EXPECT_EQ(TextToIntDef(L"  12", 0), 12);
    EXPECT_EQ(TextToIntDef(L"2147483647", 0), INT32_MAX);
    EXPECT_EQ(TextToIntDef(L"-2147483648", 0), INT32_MIN);
}

TEST(IntText, AnythingElseGivesTheFallback) {
    for (const wchar_t* text : {L"", L" ", L"-", L"+", L"abc", L"12a", L"12 ", L"1.5", L"1,5", L"--1",
                                L"\xFF11\xFF12" /* full-width digits */, L"2147483648", L"-2147483649",
                                L"99999999999999999999999"}) {
        EXPECT_EQ(TextToIntDef(text, 0), 0) << "fallback 0";
        EXPECT_EQ(TextToIntDef(text, 999), 999) << "fallback 999";
    }
}

}  // namespace
}  // namespace relayon::console
