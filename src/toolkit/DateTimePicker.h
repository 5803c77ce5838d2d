#pragma once
// Date or time picker over the system SysDateTimePick32. Setting DateTime,
// Date or Time in code does not run OnChange; a user edit does. Setting the
// date keeps the time of day and setting the time keeps the date.
#include "toolkit/DateTime.h"
#include "toolkit/WinControl.h"

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };
enum TDTDateFormat { dfShort, dfLong };

class TDateTimePicker : public TWinControl {
public:
    explicit TDateTimePicker(TComponent* AOwner);

    TDateTime DateTime() const { return dateTime_; }
    // Throws std::out_of_range outside 1601-01-01 .. 9999-12-31.
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

    TNotifyEvent OnChange;

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override;
    bool ClicksOnMouseUp() const override { return false; }
    virtual void Change();

private:
    void PushToWindow();

    TDateTime dateTime_;
    TDateTimeKind kind_ = dtkDate;
    TDTDateMode dateMode_ = dmComboBox;
    TDTDateFormat dateFormat_ = dfShort;
    bool pushing_ = false;
};
