// Timer task page: one column per weekday with ten switching slots, built at
// run time in Panel_Time_Task.
#include "console/Form1.h"

#include "console/PageLayout.h"
#include "console/core/CaptionPlan.h"
#include "console/Controls.h"

using relayon::console::TextKey;
using relayon::console::WeekdayCaptionKey;

void TForm1::Build_TaskPage()
{
    const double now = Now();
    for (int d = 0; d < kWeekdays; ++d) {
        auto* day = new TPanel(this);
        day->SetParent(Panel_Time_Task);
        SetFontSize(day, 10);
        day->SetBounds(105 * d, 0, 105, 538);
        Panel_day[d] = day;

        auto* week = new TCheckBox(this);
        week->SetParent(day);
        week->SetBounds(6, 5, 100, 17);
        week->OnClick = TNotifyEvent(this, &TForm1::CB_weekClick);
        CB_week[d] = week;

        for (int s = 0; s < kTaskSlots; ++s) {
            auto* slot = new TGroupBox(this);
            slot->SetParent(day);
            SetFontSize(slot, 7);
            slot->SetBounds(0, 20 + 51 * s, 105, 51);
            slot->SetCaption(L"");
            GroupBox_slot[d][s] = slot;

            auto* on = new TCheckBox(this);
            on->SetParent(slot);
            SetFontSize(on, 9);
            on->SetBounds(5, 7, 30, 18);
            on->OnClick = TNotifyEvent(this, &TForm1::CB_on_slotClick);
            CB_on_slot[d][s] = on;

            auto* off = new TCheckBox(this);
            off->SetParent(slot);
            SetFontSize(off, 9);
            off->SetBounds(5, 28, 30, 18);
            off->OnClick = TNotifyEvent(this, &TForm1::CB_off_slotClick);
            CB_off_slot[d][s] = off;

            auto* onTime = new TDateTimePicker(this);
            onTime->SetParent(slot);
            onTime->SetKind(dtkTime);
            onTime->SetBounds(39, 7, 60, 18);
            onTime->SetDateTime(now);
            onTime->OnChange = TNotifyEvent(this, &TForm1::Dt_on_slotChange);
            Dt_on_slot[d][s] = onTime;

            auto* offTime = new TDateTimePicker(this);
            offTime->SetParent(slot);
            offTime->SetKind(dtkTime);
            offTime->SetBounds(39, 28, 60, 18);
            offTime->SetDateTime(now);
            offTime->OnChange = TNotifyEvent(this, &TForm1::Dt_off_slotChange);
            Dt_off_slot[d][s] = offTime;
        }
    }
    Set_TaskCaptions();
}

void TForm1::Set_TaskCaptions()
{
    for (int d = 0; d < kWeekdays; ++d) {
        CB_week[d]->SetCaption(Txt(*WeekdayCaptionKey(d)));
        for (int s = 0; s < kTaskSlots; ++s)
            CB_on_slot[d][s]->SetCaption(Txt(relayon::console::kOnSlotCaptionKey));
        for (int s = 0; s < kTaskSlots; ++s)
            CB_off_slot[d][s]->SetCaption(Txt(relayon::console::kOffSlotCaptionKey));
    }
}
