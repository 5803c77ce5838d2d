// Reading the settings file at start-up and building a new one.
//
// ReadStoredSettings takes whatever bytes the file holds (any length, any
// content) and yields every field that lies wholly inside them; a field cut
// by the end of the file is "not in the file". ResolveForApply then turns that
// into what the controls show: missing flags unchecked, missing slot times
// 00:00:00, missing IDs empty, a missing baud index no selection, and every
// other missing field its new-file value. Layout: SettingsLayout.h.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "console/core/SettingsLayout.h"

namespace relayon::console {

template <class T>
using DayArray = std::array<T, kWeekdays>;
template <class T>
using SlotGrid = std::array<std::array<T, kSlotsPerDay>, kWeekdays>;  // [day][slot]

// Raw field values; nullopt = not wholly inside the file.
struct StoredSettings {
    std::optional<int32_t> portNumber;
    std::optional<TimeRecord> onAlarm;
    std::optional<TimeRecord> offAlarm;
    std::array<std::optional<int32_t>, kDeviceIdSlots> deviceIds;  // 0 Ed_conn_id, 1 .. 4 Ed_grp_id
    std::optional<int32_t> langIndex;
    std::optional<std::string> ipAddress;  // ANSI bytes, at most 15
    DayArray<std::optional<int32_t>> weekdayFlags;
    SlotGrid<std::optional<int32_t>> onSlotFlags;
    SlotGrid<std::optional<int32_t>> offSlotFlags;
    SlotGrid<std::optional<TimeRecord>> onSlotTimes;
    SlotGrid<std::optional<TimeRecord>> offSlotTimes;
    std::optional<int32_t> baudIndex;
};

StoredSettings ReadStoredSettings(std::span<const uint8_t> fileBytes);

// Values ready to put into the controls. Out-of-range numbers are passed on as
// they are (a combo then shows no selection, a language other than 0 and 2
// shows English); only date-time numbers that cannot be a calendar value are
// replaced, see below.
struct SettingsToApply {
    int32_t comItemIndex = 0;      // stored port number - 1
    double onAlarmDate = 0;        // whole-day number for DateTimePicker1 (ReplaceDate)
    double onAlarmTime = 0;        // fraction for DateTimePicker2 (ReplaceTime)
    double offAlarmDate = 0;       // DateTimePicker3
    double offAlarmTime = 0;       // DateTimePicker4
    std::array<std::wstring, kDeviceIdSlots> deviceIdTexts;
    int32_t langIndex = 1;
    std::string ipAddress;         // ANSI bytes for Ed_ip_address
    DayArray<bool> weekdayChecked{};
    SlotGrid<bool> onSlotChecked{};
    SlotGrid<bool> offSlotChecked{};
    SlotGrid<double> onSlotTime{};   // fractions for Dt_on_slot (ReplaceTime)
    SlotGrid<double> offSlotTime{};  // fractions for Dt_off_slot
    int32_t baudItemIndex = -1;
};

// A damaged file (or one written by another tool) can hold NaN, infinities,
// days before 1752-09-14 or beyond 9999 where a date or time belongs; no picker can
// show those, so such a value is treated like a field missing from the file
// (alarm: new-file value, slot: 00:00:00).
SettingsToApply ResolveForApply(const StoredSettings& stored);

// What a new file is made from: the port number (CB_com index + 1, normally 1)
// and the value of every slot picker at the moment of creation.
struct NewFileInputs {
    int32_t portNumber = 1;
    SlotGrid<double> onSlotPickers{};
    SlotGrid<double> offSlotPickers{};
};

// Every slot picker at the same value.
NewFileInputs NewFileInputsAt(double pickerValue, int32_t portNumber = 1);

// The 3471 bytes of a new file.
std::vector<uint8_t> BuildNewFile(const NewFileInputs& inputs);

}  // namespace relayon::console
