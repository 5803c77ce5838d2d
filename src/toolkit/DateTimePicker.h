#pragma once
// Date or time picker over the system SysDateTimePick32. Setting DateTime,
// Date or Time in code does not run OnChange; a user edit does. Setting the
// date keeps the time of day and setting the time keeps the date.
//
// A picker shows the system's date or time format. A narrow format, when set,
// takes its place whenever the system's text would not fit the picker's width
// with its font (a time with an AM/PM designator in a narrow slot, say); the
// value and OnChange are the same under either format.
#include <string>

#include "toolkit/DateTime.h"
#include "toolkit/WinControl.h"

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };
enum TDTDateFormat { dfShort, dfLong };

class TDateTimePicker : public TWinControl {
public:
    explicit TDateTimePicker(TComponent* AOwner);

    TDateTime DateTime() const { return dateTime_; }
    // Throws std::out_of_range outside 1752-09-14 .. 9999-12-31.
    void SetDateTime(TDateTime value);
    TDateTime Date() const { return DateOf(dateTime_); }
    void SetDate(TDateTime value);
    TDateTime Time() const { return TimeOf(dateTime_); }
    void SetTime(TDateTime value);
    TDateTimeKind Kind() const { return kind_; }
    void SetKind(TDateTimeKind kind);
    TDTDateMode DateMode() const { return dateMode_; }
    void SetDateMode(TDTDateMode mode);
    TDTDateFormat DateFormat() const { return dateFormat_; }
    void SetDateFormat(TDTDateFormat format);
    // Format string of the system control (e.g. L"H:mm:ss"); empty: none.
    const std::wstring& NarrowFormat() const { return narrowFormat_; }
    void SetNarrowFormat(const std::wstring& format);
    // True while the narrow format is shown instead of the system's.
    bool ShowsNarrowFormat() const { return showsNarrow_; }

    TNotifyEvent OnChange;

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override;
    bool ClicksOnMouseUp() const override { return false; }
    virtual void Change();

private:
    void PushToWindow();
    void ApplyFormat();
    bool SystemTextFits() const;

    TDateTime dateTime_;
    TDateTimeKind kind_ = dtkDate;
    TDTDateMode dateMode_ = dmComboBox;
    TDTDateFormat dateFormat_ = dfShort;
    bool pushing_ = false;
    std::wstring narrowFormat_;
    bool showsNarrow_ = false;
};
