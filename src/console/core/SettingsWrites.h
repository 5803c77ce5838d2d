// One write of one settings field: where it goes and its bytes. Each handler
// of the console that saves a setting builds one FieldWrite here and hands it
// to the file access (open the existing file, seek to offset, write, close).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "console/core/SettingsLayout.h"

namespace relayon::console {

struct FieldWrite {
    uint32_t offset = 0;
    uint32_t size = 0;
    std::array<uint8_t, kTimeRecordSize> data{};  // large enough for every field

    std::span<const uint8_t> Bytes() const { return {data.data(), size}; }
};

// Save_Setting: any 32-bit value at any offset (used for the flags).
FieldWrite EncodeSetting(uint32_t offset, int32_t value);

// CB_comChange: the port number (CB_com item index + 1; 0 with no selection).
FieldWrite EncodePortNumber(int32_t portNumber);

// DateTimePicker1/2Change and DateTimePicker3/4Change: the pickers' values as
// they stand (readers use only the date of the first and the time of the second).
FieldWrite EncodeOnAlarm(double datePickerValue, double timePickerValue);
FieldWrite EncodeOffAlarm(double datePickerValue, double timePickerValue);

// Save_DeviceId: slot 0 Ed_conn_id, 1 .. 4 Ed_grp_id[slot - 1]; the ID as typed.
std::optional<FieldWrite> EncodeDeviceId(int slot, int32_t id);

// CB_languageChange.
FieldWrite EncodeLangIndex(int32_t langIndex);

// Ed_ip_addressExit: the text already in the ANSI code page; longer than 15
// bytes it is cut to 15, never written past the field.
FieldWrite EncodeIpAddress(std::string_view ansiText);

// CB_weekClick, CB_on_slotClick, CB_off_slotClick.
std::optional<FieldWrite> EncodeWeekdayFlag(int day, bool checked);
std::optional<FieldWrite> EncodeOnSlotFlag(int day, int slot, bool checked);
std::optional<FieldWrite> EncodeOffSlotFlag(int day, int slot, bool checked);

// Save_OnTime / Save_OffTime: A = 0, B = the slot picker's value.
std::optional<FieldWrite> EncodeOnSlotTime(int day, int slot, double pickerValue);
std::optional<FieldWrite> EncodeOffSlotTime(int day, int slot, double pickerValue);

// CB_baud_rateChange: the item index (-1 with no selection).
FieldWrite EncodeBaudIndex(int32_t itemIndex);

// What the write does to a file image: bytes past the end extend it, and a
// gap between the old end and the offset is filled with zeros.
void ApplyFieldWrite(std::vector<uint8_t>& image, const FieldWrite& write);

}  // namespace relayon::console
