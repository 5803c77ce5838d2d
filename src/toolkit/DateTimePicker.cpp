#include "toolkit/DateTimePicker.h"

#include <commctrl.h>

#include <cmath>
#include <stdexcept>

namespace {
SYSTEMTIME ToSystemTime(TDateTime value) {
    DateParts d = DecodeDate(value);
    TimeParts t = DecodeTime(value);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(d.year);
    st.wMonth = static_cast<WORD>(d.month);
    st.wDay = static_cast<WORD>(d.day);
    st.wDayOfWeek = static_cast<WORD>(DayOfWeek(value) - 1);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    st.wMilliseconds = static_cast<WORD>(t.millisecond);
    return st;
}

TDateTime FromSystemTime(const SYSTEMTIME& st) {
    // Days before 1899 are negative and their time counts away from zero.
    return CombineDateTime(EncodeDate(st.wYear, st.wMonth, st.wDay),
                           EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds));
}

// Moments whose texts are about the widest a format gives: two-digit hours,
// months and days, both AM/PM designators, a long month name.
constexpr SYSTEMTIME kWideSamples[] = {
    {2000, 12, 3, 28, 10, 58, 58, 0},
    {2000, 9, 3, 27, 22, 58, 58, 0},
};

// Room for text left of the up-down or drop-down button, inside the edges.
constexpr int kTextMargins = 6;

// Joins a date part and a time part (the time always counts forward in the day).
TDateTime Combine(TDateTime date, TDateTime time) {
    return date < 0 ? date - time : date + time;
}
}  // namespace

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner), dateTime_(Now()) {
    tabStop_ = true;
    color_ = clWindow;
    width_ = 186;
    height_ = 21;
}

void TDateTimePicker::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = DATETIMEPICK_CLASSW;
    if (kind_ == dtkTime)
        params.Style |= DTS_TIMEFORMAT;
    else
        params.Style |= dateFormat_ == dfLong ? DTS_LONGDATEFORMAT : DTS_SHORTDATEFORMAT;
    if (dateMode_ == dmUpDown && kind_ == dtkDate) params.Style |= DTS_UPDOWN;
}

void TDateTimePicker::CreateWindowHandleDone() {
    showsNarrow_ = false;  // a new window starts with the system's format
    ApplyFormat();
    PushToWindow();
}

void TDateTimePicker::SetNarrowFormat(const std::wstring& format) {
    narrowFormat_ = format;
    ApplyFormat();
}

// The system's text of the sample moments, measured with the picker's font.
bool TDateTimePicker::SystemTextFits() const {
    RECT client{};
    GetClientRect(handle_, &client);
    const int room = client.right - client.left - GetSystemMetrics(SM_CXVSCROLL) - kTextMargins;
    HDC dc = GetDC(handle_);
    if (!dc) return true;
    // No font set: the control draws with the system font the DC starts with.
    const auto font = reinterpret_cast<HFONT>(SendMessageW(handle_, WM_GETFONT, 0, 0));
    HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    int widest = 0;
    for (const SYSTEMTIME& sample : kWideSamples) {
        wchar_t text[128] = {};
        const int length = kind_ == dtkTime
            ? GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &sample, nullptr, text, 128)
            : GetDateFormatW(LOCALE_USER_DEFAULT, dateFormat_ == dfLong ? DATE_LONGDATE : DATE_SHORTDATE, &sample,
                             nullptr, text, 128);
        SIZE extent{};
        if (length > 1 && GetTextExtentPoint32W(dc, text, length - 1, &extent) && extent.cx > widest)
            widest = extent.cx;
    }
    if (previous) SelectObject(dc, previous);
    ReleaseDC(handle_, dc);
    return widest <= room;
}

// Chooses between the system's format and the narrow one; a picker without a
// window decides when it gets one, with the width and font it has then.
void TDateTimePicker::ApplyFormat() {
    if (!HandleAllocated()) return;
    const bool narrow = !narrowFormat_.empty() && !SystemTextFits();
    if (!narrow && !showsNarrow_) return;
    showsNarrow_ = narrow;
    SendMessageW(handle_, DTM_SETFORMATW, 0, narrow ? reinterpret_cast<LPARAM>(narrowFormat_.c_str()) : 0);
}

void TDateTimePicker::PushToWindow() {
    if (!HandleAllocated()) return;
    SYSTEMTIME st = ToSystemTime(dateTime_);
    pushing_ = true;
    SendMessageW(handle_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    pushing_ = false;
}

void TDateTimePicker::SetDateTime(TDateTime value) {
    // The system control covers 1752-09-14 to 9999-12-31. Days before 1899
    // are negative numbers with the time counted away from zero, so the first
    // day's afternoon lies below the day's own number: the range is checked
    // on the day.
    if (!IsPickerDateTime(value))
        throw std::out_of_range("Date is outside the range a date/time picker can show");
    dateTime_ = value;
    PushToWindow();
}

void TDateTimePicker::SetDate(TDateTime value) { SetDateTime(Combine(DateOf(value), TimeOf(dateTime_))); }

void TDateTimePicker::SetTime(TDateTime value) { SetDateTime(Combine(DateOf(dateTime_), TimeOf(value))); }

void TDateTimePicker::SetKind(TDateTimeKind kind) {
    if (kind == kind_) return;
    kind_ = kind;
    RecreateWnd();
}

void TDateTimePicker::SetDateMode(TDTDateMode mode) {
    if (mode == dateMode_) return;
    dateMode_ = mode;
    RecreateWnd();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat format) {
    if (format == dateFormat_) return;
    dateFormat_ = format;
    RecreateWnd();
}

void TDateTimePicker::Change() {
    if (OnChange && !IsLoading()) OnChange(this);
}

void TDateTimePicker::WndProc(TMessage& message) {
    if (message.Msg == CN_NOTIFY && message.LParam) {
        auto* header = reinterpret_cast<NMHDR*>(message.LParam);
        if (header->code == DTN_DATETIMECHANGE) {
            auto* change = reinterpret_cast<NMDATETIMECHANGE*>(message.LParam);
            TDateTime picked = 0;
            bool valid = change->dwFlags == GDT_VALID;
            if (valid) {
                // A malformed time from the control is ignored rather than trusted.
                try {
                    picked = FromSystemTime(change->st);
                } catch (const std::invalid_argument&) {
                    valid = false;
                }
            }
            if (valid) {
                // A date picker changes the date only, a time picker the time only.
                dateTime_ = kind_ == dtkDate ? Combine(DateOf(picked), TimeOf(dateTime_))
                                             : Combine(DateOf(dateTime_), TimeOf(picked));
            }
            if (!pushing_) Change();
            message.Result = 0;
            return;
        }
    }
    TWinControl::WndProc(message);
    // A new width or font may change which format fits.
    if (message.Msg == WM_SIZE || message.Msg == WM_SETFONT) ApplyFormat();
}
