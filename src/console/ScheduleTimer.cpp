// The schedule timer (Timer2, every 200 ms on every page): reads the one-shot
// switching moments of the device setup page and the weekly plan of the timer
// task page, matches them against the local clock and sends SequenceControl
// to the device in Ed_conn_id with the start channel of Cb_ch.
#include <windows.h>

#include "console/Form1.h"

#include "console/Controls.h"
#include "link/Commands.h"

using relayon::console::TextKey;
namespace link = relayon::link;

namespace {

// The 24-hour form with seconds the pickers' designed widths were made for;
// shown where the system's time format does not fit.
constexpr wchar_t kNarrowTimeFormat[] = L"H:mm:ss";

link::LocalDate DateOfPicker(TDateTimePicker& picker)
{
    const DateParts d = DecodeDate(picker.Date());
    return {d.year, d.month, d.day};
}

link::TimeOfDay TimeOfPicker(TDateTimePicker& picker)
{
    const TimeParts t = DecodeTime(picker.Time());
    return {t.hour, t.minute, t.second};
}

link::OneShotSwitch OneShot(TCheckBox& armed, TDateTimePicker& date, TDateTimePicker& time)
{
    return {armed.Checked(), DateOfPicker(date), TimeOfPicker(time)};
}

link::LocalClock LocalNow()
{
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return {{st.wYear, st.wMonth, st.wDay}, {st.wHour, st.wMinute, st.wSecond}, st.wMilliseconds};
}

}  // namespace

// The controls are the plan: read afresh on every tick, so an edit counts at
// the next tick.
link::SchedulePlan TForm1::ReadSchedulePlan()
{
    link::SchedulePlan plan;
    plan.switchOn = OneShot(*CB_Opentime, *DateTimePicker1, *DateTimePicker2);
    plan.switchOff = OneShot(*CB_Closetime, *DateTimePicker3, *DateTimePicker4);
    for (int d = 0; d < kWeekdays; ++d) {
        auto& day = plan.week[d];
        day.enabled = CB_week[d]->Checked();
        for (int s = 0; s < kTaskSlots; ++s) {
            day.slots[s] = {CB_on_slot[d][s]->Checked(), TimeOfPicker(*Dt_on_slot[d][s]),
                            CB_off_slot[d][s]->Checked(), TimeOfPicker(*Dt_off_slot[d][s])};
        }
    }
    return plan;
}

void TForm1::Timer2Timer(TObject* Sender)
{
    const auto subCommand = scheduleMatcher_.Tick(ReadSchedulePlan(), LocalNow());
    if (!subCommand)
        return;
    const auto request = link::BuildSequenceControl(Ed_conn_id->Text(), *subCommand, Cb_ch->ItemIndex());
    if (request.Ok())
        SendRequest(request.value);
    else
        ShowMessage(TextKey::MsgBadId);
}

void TForm1::FitScheduleTimes()
{
    DateTimePicker2->SetNarrowFormat(kNarrowTimeFormat);
    DateTimePicker4->SetNarrowFormat(kNarrowTimeFormat);
    for (int d = 0; d < kWeekdays; ++d) {
        for (int s = 0; s < kTaskSlots; ++s) {
            Dt_on_slot[d][s]->SetNarrowFormat(kNarrowTimeFormat);
            Dt_off_slot[d][s]->SetNarrowFormat(kNarrowTimeFormat);
        }
    }
}
