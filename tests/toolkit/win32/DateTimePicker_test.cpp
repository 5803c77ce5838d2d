// Date and time pickers.
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
    // The first day the control holds, at any time of day; the day before is
    // refused (the control would keep its old day and show another value).
    picker->SetDateTime(CombineDateTime(EncodeDate(1752, 9, 14), 0.75));
    EXPECT_EQ(WindowTime(*picker).wYear, 1752);
    EXPECT_EQ(WindowTime(*picker).wHour, 18);
    EXPECT_THROW(picker->SetDateTime(EncodeDate(1752, 9, 13)), std::out_of_range);
}

TEST(DateTimePicker, KindIsTheWindowStyleAndUserEditsRunOnChange) {
    Application->Initialize();
    TForm form(nullptr);
    form.SetBounds(50, 50, 300, 200);
    auto* time = new TDateTimePicker(&form);
    time->SetParent(&form);
    time->SetKind(dtkTime);
    time->SetBounds(10, 10, 120, 24);
    // A day before 1899 (a negative number) keeps its day through an edit.
    time->SetDateTime(CombineDateTime(EncodeDate(1800, 5, 6), EncodeTime(10, 30, 0, 0)));
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

namespace {
// Sets the user's long time format for one test and puts the old one back.
class TimeFormatOverride {
public:
    explicit TimeFormatOverride(const wchar_t* format) {
        GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, saved_, 80);
        SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, format);
    }
    ~TimeFormatOverride() { SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, saved_); }

private:
    wchar_t saved_[80] = {};
};

std::wstring SystemTimeText(int hour) {
    SYSTEMTIME st{2000, 1, 6, 1, static_cast<WORD>(hour), 58, 58, 0};
    wchar_t text[80] = {};
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, text, 80);
    return text;
}
}  // namespace

TEST(DateTimePicker, NarrowFormatStandsInOnlyWhereTheSystemTimeDoesNotFit) {
    Application->Initialize();
    TimeFormatOverride amPm(L"h:mm:ss tt");
    ASSERT_NE(SystemTimeText(22).find(L"PM"), std::wstring::npos) << "the user's time format cannot be set";
    TForm form(nullptr);
    form.SetBounds(50, 50, 400, 200);
    auto makePicker = [&](int width) {
        auto* picker = new TDateTimePicker(&form);
        picker->SetKind(dtkTime);
        picker->SetBounds(10, 10, width, 18);
        picker->SetNarrowFormat(L"H:mm:ss");
        picker->SetParent(&form);
        picker->SetDateTime(EncodeDate(2024, 5, 6) + EncodeTime(13, 50, 25, 0));
        return picker;
    };
    auto* narrow = makePicker(60);
    auto* wide = makePicker(200);
    uitest::ShowAndActivate(form);
    EXPECT_TRUE(narrow->ShowsNarrowFormat());
    EXPECT_FALSE(wide->ShowsNarrowFormat());
    // The value is the same whatever is shown.
    EXPECT_EQ(WindowTime(*narrow).wHour, 13);
    EXPECT_EQ(DecodeTime(narrow->Time()).second, 25);

    // Widened, the narrow one goes back to the system's format; narrowed, the other leaves it.
    narrow->SetWidth(200);
    wide->SetWidth(60);
    EXPECT_FALSE(narrow->ShowsNarrowFormat());
    EXPECT_TRUE(wide->ShowsNarrowFormat());
    // A picker made again (a new kind) decides afresh.
    wide->SetKind(dtkDate);
    wide->SetKind(dtkTime);
    EXPECT_TRUE(wide->ShowsNarrowFormat());
}

TEST(DateTimePicker, TwentyFourHourSystemFormatFitsAndIsKept) {
    Application->Initialize();
    TimeFormatOverride hours24(L"H:mm:ss");
    TForm form(nullptr);
    form.SetBounds(50, 50, 300, 200);
    auto* picker = new TDateTimePicker(&form);
    picker->SetKind(dtkTime);
    picker->SetBounds(10, 10, 75, 24);
    picker->SetNarrowFormat(L"HH:mm:ss");
    picker->SetParent(&form);
    uitest::ShowAndActivate(form);
    EXPECT_FALSE(picker->ShowsNarrowFormat());
    // Without a narrow format the system's is shown however narrow the picker.
    picker->SetNarrowFormat(L"");
    picker->SetWidth(20);
    EXPECT_FALSE(picker->ShowsNarrowFormat());
}
