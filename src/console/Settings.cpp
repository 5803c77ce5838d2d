// Saving each setting the moment it changes, and applying the settings file
// at start-up.
#include "console/Form1.h"

#include <algorithm>

#include "console/Controls.h"
#include "console/SettingsFile.h"
#include "console/core/IntText.h"
#include "console/core/SettingsLoad.h"
#include "console/core/SettingsWrites.h"
#include "toolkit/TextConvert.h"

namespace settings = relayon::console;

namespace {

template <class Grid, class T>
bool FindInGrid(const Grid& grid, const T* control, int& row, int& column)
{
    for (row = 0; row < static_cast<int>(grid.size()); ++row)
        for (column = 0; column < static_cast<int>(grid[row].size()); ++column)
            if (grid[row][column] == control)
                return true;
    return false;
}

template <class Row, class T>
int FindInRow(const Row& row, const T* control)
{
    const auto it = std::find(row.begin(), row.end(), control);
    return it == row.end() ? -1 : static_cast<int>(it - row.begin());
}

}  // namespace

void TForm1::Save(const settings::FieldWrite& write)
{
    // Applying the file at start-up sets the same controls; nothing is written back.
    if (SettingsLoading)
        return;
    settings::WriteSettingsField(write);
}

void TForm1::Save_Setting(uint32_t offset, int32_t value)
{
    Save(settings::EncodeSetting(offset, value));
}

void TForm1::Save_DeviceId(int slot, int32_t id)
{
    if (const auto write = settings::EncodeDeviceId(slot, id))
        Save(*write);
}

void TForm1::Save_OnTime(int d, int s)
{
    if (const auto write = settings::EncodeOnSlotTime(d, s, Dt_on_slot[d][s]->DateTime()))
        Save(*write);
}

void TForm1::Save_OffTime(int d, int s)
{
    if (const auto write = settings::EncodeOffSlotTime(d, s, Dt_off_slot[d][s]->DateTime()))
        Save(*write);
}

void TForm1::CB_comChange(TObject* Sender)
{
    Save(settings::EncodePortNumber(CB_com->ItemIndex() + 1));
}

void TForm1::CB_baud_rateChange(TObject* Sender)
{
    Save(settings::EncodeBaudIndex(CB_baud_rate->ItemIndex()));
}

void TForm1::DateTimePicker1Change(TObject* Sender)
{
    Save(settings::EncodeOnAlarm(DateTimePicker1->DateTime(), DateTimePicker2->DateTime()));
}

void TForm1::DateTimePicker2Change(TObject* Sender)
{
    DateTimePicker1Change(Sender);
}

void TForm1::DateTimePicker3Change(TObject* Sender)
{
    Save(settings::EncodeOffAlarm(DateTimePicker3->DateTime(), DateTimePicker4->DateTime()));
}

void TForm1::DateTimePicker4Change(TObject* Sender)
{
    DateTimePicker3Change(Sender);
}

void TForm1::Ed_conn_idExit(TObject* Sender)
{
    Save_DeviceId(0, settings::TextToIntDef(Ed_conn_id->Text(), 0));
}

void TForm1::Ed_grp_idExit(TObject* Sender)
{
    const int g = FindInRow(Ed_grp_id, Sender);
    if (g < 0)
        return;
    Save_DeviceId(g + 1, settings::TextToIntDef(Ed_grp_id[g]->Text(), 0));
}

void TForm1::Ed_ip_addressExit(TObject* Sender)
{
    Save(settings::EncodeIpAddress(WideToAnsi(Ed_ip_address->Text())));
}

void TForm1::CB_weekClick(TObject* Sender)
{
    const int d = FindInRow(CB_week, Sender);
    if (d < 0)
        return;
    const bool checked = CB_week[d]->Checked();
    if (const auto write = settings::EncodeWeekdayFlag(d, checked))
        Save(*write);
    Enable_DayRows(d, checked);
}

void TForm1::Enable_DayRows(int d, bool on)
{
    for (int s = 0; s < kTaskSlots; ++s) {
        CB_on_slot[d][s]->SetEnabled(on);
        CB_off_slot[d][s]->SetEnabled(on);
        Dt_on_slot[d][s]->SetEnabled(on);
        Dt_off_slot[d][s]->SetEnabled(on);
    }
}

void TForm1::CB_on_slotClick(TObject* Sender)
{
    int d = 0, s = 0;
    if (!FindInGrid(CB_on_slot, Sender, d, s))
        return;
    if (const auto write = settings::EncodeOnSlotFlag(d, s, CB_on_slot[d][s]->Checked()))
        Save(*write);
}

void TForm1::CB_off_slotClick(TObject* Sender)
{
    int d = 0, s = 0;
    if (!FindInGrid(CB_off_slot, Sender, d, s))
        return;
    if (const auto write = settings::EncodeOffSlotFlag(d, s, CB_off_slot[d][s]->Checked()))
        Save(*write);
}

void TForm1::Dt_on_slotChange(TObject* Sender)
{
    int d = 0, s = 0;
    if (FindInGrid(Dt_on_slot, Sender, d, s))
        Save_OnTime(d, s);
}

void TForm1::Dt_off_slotChange(TObject* Sender)
{
    int d = 0, s = 0;
    if (FindInGrid(Dt_off_slot, Sender, d, s))
        Save_OffTime(d, s);
}

namespace {

// Raised while the settings file is applied; lowered however the load ends.
class LoadingFlag {
public:
    explicit LoadingFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~LoadingFlag() { flag_ = false; }
    LoadingFlag(const LoadingFlag&) = delete;
    LoadingFlag& operator=(const LoadingFlag&) = delete;

private:
    bool& flag_;
};

}  // namespace

// Opens the settings file, or creates it with its new-file values, and puts
// every stored value into its control. Values no control can take are kept
// out by ResolveForApply; should a control still refuse one, the load stops
// there and the window starts with what it has, rather than not at all.
void TForm1::LoadSettings()
{
    const LoadingFlag loading(SettingsLoading);
    try {
        ApplySettingsFile();
    } catch (...) {
    }
}

void TForm1::ApplySettingsFile()
{
    auto bytes = settings::ReadSettingsFile();
    if (!bytes) {
        const auto fresh = settings::BuildNewFile(
            settings::NewFileInputsAt(Dt_on_slot[0][0]->DateTime(), CB_com->ItemIndex() + 1));
        // A location that cannot take the file leaves the window on the new-file values.
        settings::CreateSettingsFile(fresh);
        bytes = fresh;
    }
    const auto values = settings::ResolveForApply(settings::ReadStoredSettings(*bytes));
    StoredPortNumber = values.comItemIndex + 1;

    Ed_conn_id->SetText(values.deviceIdTexts[0]);
    for (int g = 0; g < kRealTimeGroups; ++g)
        Ed_grp_id[g]->SetText(values.deviceIdTexts[g + 1]);
    LangIndex = values.langIndex;
    Ed_ip_address->SetText(AnsiToWide(values.ipAddress));
    for (int d = 0; d < kWeekdays; ++d) {
        CB_week[d]->SetCheckedSilently(values.weekdayChecked[d]);
        Enable_DayRows(d, values.weekdayChecked[d]);
    }
    for (int d = 0; d < kWeekdays; ++d)
        for (int s = 0; s < kTaskSlots; ++s)
            CB_on_slot[d][s]->SetCheckedSilently(values.onSlotChecked[d][s]);
    for (int d = 0; d < kWeekdays; ++d)
        for (int s = 0; s < kTaskSlots; ++s)
            CB_off_slot[d][s]->SetCheckedSilently(values.offSlotChecked[d][s]);
    for (int d = 0; d < kWeekdays; ++d)
        for (int s = 0; s < kTaskSlots; ++s)
            Dt_on_slot[d][s]->SetTime(values.onSlotTime[d][s]);
    for (int d = 0; d < kWeekdays; ++d)
        for (int s = 0; s < kTaskSlots; ++s)
            Dt_off_slot[d][s]->SetTime(values.offSlotTime[d][s]);
    CB_baud_rate->SetItemIndex(values.baudItemIndex);

    DateTimePicker1->SetDate(values.onAlarmDate);
    DateTimePicker3->SetDate(values.offAlarmDate);
    DateTimePicker2->SetTime(values.onAlarmTime);
    DateTimePicker4->SetTime(values.offAlarmTime);
}
