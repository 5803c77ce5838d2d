// Date and time pickers, and the date arithmetic behind them.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cmath>

#include "toolkit/Application.h"
#include "toolkit/DateTimePicker.h"
#include "toolkit/Form.h"
#include "toolkit/testing/UiDriver.h"

namespace {
class Changes : public TObject {
public:
    void Change(TObject*) { ++count; }
    int count = 0;
};

SYSTEMTIME WindowTime(TDateTimePicker& picker) {
    SYSTEMTIME st{};
    SendMessageW(picker.Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    return st;
}
}  // namespace

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

TEST(DateTimePicker, SettingDateKeepsTimeAndViceVersaWithoutOnChange) {
    Application->Initialize();
    TForm form(nullptr);
    auto* picker = new TDateTimePicker(&form);
    picker->SetParent(&form);
    Changes changes;
    picker->OnChange = TNotifyEvent(&changes, &Changes::Change);
    picker->SetDateTime(EncodeDate(2024, 5, 6) + EncodeTime(7, 8, 9, 0));
    picker->SetDate(EncodeDate(2025, 1, 2) + EncodeTime(22, 0, 0, 0));
    EXPECT_EQ(DecodeDate(picker->DateTime()).year, 2025);
    EXPECT_EQ(DecodeTime(picker->DateTime()).hour, 7);
    EXPECT_EQ(DecodeTime(picker->DateTime()).second, 9);
    picker->SetTime(EncodeDate(1999, 9, 9) + EncodeTime(13, 14, 15, 0));
    EXPECT_EQ(DecodeDate(picker->DateTime()).day, 2);
    EXPECT_EQ(DecodeTime(picker->DateTime()).hour, 13);
    SYSTEMTIME st = WindowTime(*picker);
    EXPECT_EQ(st.wYear, 2025);
    EXPECT_EQ(st.wHour, 13);
    EXPECT_EQ(st.wMinute, 14);
    uitest::Pump(20);
    EXPECT_EQ(changes.count, 0);
    // Values the system control cannot show are refused and change nothing.
    TDateTime kept = picker->DateTime();
    EXPECT_THROW(picker->SetDateTime(EncodeDate(1500, 1, 1)), std::out_of_range);
    EXPECT_THROW(picker->SetDateTime(INFINITY), std::out_of_range);
    EXPECT_EQ(picker->DateTime(), kept);
}

TEST(DateTimePicker, KindIsTheWindowStyleAndUserEditsRunOnChange) {
    Application->Initialize();
    TForm form(nullptr);
    form.SetBounds(50, 50, 300, 200);
    auto* time = new TDateTimePicker(&form);
    time->SetParent(&form);
    time->SetKind(dtkTime);
    time->SetBounds(10, 10, 120, 24);
    time->SetDateTime(EncodeDate(2024, 5, 6) + EncodeTime(10, 30, 0, 0));
    EXPECT_TRUE(GetWindowLongPtrW(time->Handle(), GWL_STYLE) & DTS_TIMEFORMAT);
    // A time picker carries the system up-down child.
    EXPECT_NE(FindWindowExW(time->Handle(), nullptr, L"msctls_updown32", nullptr), nullptr);
    Changes changes;
    time->OnChange = TNotifyEvent(&changes, &Changes::Change);
    uitest::ShowAndActivate(form);
    // Click the hour field (left part of the box), then step it up.
    POINT hour{10, time->Height() / 2};
    hour = time->ClientToScreen(hour);
    uitest::ClickAt(hour);
    uitest::PressKey(VK_UP);
    EXPECT_GE(changes.count, 1);
    // The hour moved on screen and in DateTime; the date stayed.
    EXPECT_EQ(WindowTime(*time).wHour, 11);
    EXPECT_EQ(DecodeTime(time->DateTime()).hour, 11);
    EXPECT_EQ(DecodeTime(time->DateTime()).minute, 30);
    EXPECT_EQ(DecodeDate(time->DateTime()).day, 6);
}
