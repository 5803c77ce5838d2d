// Fixed binary layout of the settings file qarn.dat and the codecs of its
// single fields. Portable: the console does the file access (open the existing
// file, seek, write one field, close) with the bytes built here.
//
// All integers are 32-bit signed little-endian; a date-time is a 64-bit IEEE
// double (days since 1899-12-30, see toolkit/core/DateTime.h). Fields are packed, so from
// offset 83 on every field starts at an odd offset. d = weekday 0 Sunday ..
// 6 Saturday, s = slot 0 .. 9, g = real-time group 0 .. 3.
//
//   | offset              | size | field                                            | new file          |
//   |---------------------|------|--------------------------------------------------|-------------------|
//   | 0                   | 4    | serial port number: CB_com index + 1 (0 = none)  | 1                 |
//   | 4                   | 20   | TimeRecord timed switch-on: A date, B time       | 2013-12-25 13:50:25 |
//   | 24                  | 20   | TimeRecord timed switch-off: A date, B time      | as at 4           |
//   | 44                  | 4    | device ID of Ed_conn_id                          | 0                 |
//   | 48 + 4g             | 4    | device ID of Ed_grp_id[g]                        | 0                 |
//   | 64                  | 4    | LangIndex (0 Simplified, 1 English, 2 Trad.)     | 1                 |
//   | 68                  | 15   | IP address, ANSI, zero-ended unless 15 long      | kNewFileIpAddress |
//   | 83 + 4d             | 4    | weekday flag CB_week[d]                          | FlagUnchecked     |
//   | 111 + 40d + 4s      | 4    | switch-on flag CB_on_slot[d][s]                  | FlagUnchecked     |
//   | 391 + 40d + 4s      | 4    | switch-off flag CB_off_slot[d][s]                | FlagUnchecked     |
//   | 671 + 20(10d + s)   | 20   | TimeRecord switch-on time: A 0, B Dt_on_slot     | B = picker value  |
//   | 2071 + 20(10d + s)  | 20   | TimeRecord switch-off time: A 0, B Dt_off_slot   | B = picker value  |
//   | 3471                | 4    | not interpreted                                  | absent            |
//   | 3475                | 4    | CB_baud_rate item index (-1 = none)              | absent            |
//
// A new file is 3471 bytes long; it grows to 3479 when a baud rate is first
// chosen (writing past the end extends the file, the gap reads as zeros).
//
// TimeRecord (20 bytes): date-time A (8), date-time B (8), 4 unused bytes
// whose content readers ignore (written as zeros here).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace relayon::console {

inline constexpr int kWeekdays = 7;
inline constexpr int kSlotsPerDay = 10;
inline constexpr int kRealTimeGroups = 4;
// Ed_conn_id and the four Ed_grp_id fields.
inline constexpr int kDeviceIdSlots = 1 + kRealTimeGroups;

inline constexpr uint32_t kPortNumberOffset = 0;
inline constexpr uint32_t kOnAlarmOffset = 4;
inline constexpr uint32_t kOffAlarmOffset = 24;
inline constexpr uint32_t kDeviceIdOffset = 44;      // slot n at 44 + 4n
inline constexpr uint32_t kConnIdOffset = 44;        // Ed_conn_id
inline constexpr uint32_t kGroupIdOffset = 48;       // Ed_grp_id[g] at 48 + 4g
inline constexpr uint32_t kLangIndexOffset = 64;
inline constexpr uint32_t kIpAddressOffset = 68;
inline constexpr uint32_t kWeekdayFlagOffset = 83;   // + 4d
inline constexpr uint32_t kOnSlotFlagOffset = 111;   // + 40d + 4s
inline constexpr uint32_t kOffSlotFlagOffset = 391;  // + 40d + 4s
inline constexpr uint32_t kOnSlotTimeOffset = 671;   // + 20(10d + s)
inline constexpr uint32_t kOffSlotTimeOffset = 2071; // + 20(10d + s)
inline constexpr uint32_t kUninterpretedOffset = 3471;
inline constexpr uint32_t kBaudIndexOffset = 3475;

inline constexpr uint32_t kInt32Size = 4;
inline constexpr uint32_t kTimeRecordSize = 20;
inline constexpr uint32_t kIpAddressSize = 15;

inline constexpr uint32_t kNewFileSize = 3471;
inline constexpr uint32_t kFullFileSize = 3479;

// Check-box states in the file. Only 85 reads as checked; 170, 0 and every
// other value read as unchecked.
inline constexpr int32_t FlagChecked = 85;
inline constexpr int32_t FlagUnchecked = 170;

inline constexpr bool IsFlagChecked(int32_t stored) { return stored == FlagChecked; }
inline constexpr int32_t FlagFor(bool checked) { return checked ? FlagChecked : FlagUnchecked; }

// Private address a new file stores for Ed_ip_address; deliberately not the
// address the window is designed with, so a fresh start shows it is from the file.
inline constexpr std::string_view kNewFileIpAddress = "192.168.0.178";

// New-file values of the timed switch-on and switch-off records.
inline constexpr int kNewFileAlarmYear = 2013, kNewFileAlarmMonth = 12, kNewFileAlarmDay = 25;
inline constexpr int kNewFileAlarmHour = 13, kNewFileAlarmMinute = 50, kNewFileAlarmSecond = 25;
double NewFileAlarmDate();  // 25 December 2013 as a whole-day number
double NewFileAlarmTime();  // 13:50:25 as a fraction of a day

struct TimeRecord {
    double a = 0;  // date, or 0 in slot records
    double b = 0;  // time of day (only its fraction is used)
};

// Offsets of the indexed fields; nullopt for an index outside its range.
std::optional<uint32_t> DeviceIdOffset(int slot);  // 0 Ed_conn_id, 1 .. 4 Ed_grp_id[slot - 1]
std::optional<uint32_t> WeekdayFlagOffset(int day);
std::optional<uint32_t> OnSlotFlagOffset(int day, int slot);
std::optional<uint32_t> OffSlotFlagOffset(int day, int slot);
std::optional<uint32_t> OnSlotTimeOffset(int day, int slot);
std::optional<uint32_t> OffSlotTimeOffset(int day, int slot);

// Little-endian codecs of the field types. The decoders read exactly their
// size from the span's start; the caller guarantees the span is long enough.
void PutInt32(std::span<uint8_t, kInt32Size> out, int32_t value);
int32_t GetInt32(std::span<const uint8_t, kInt32Size> in);
void PutDouble(std::span<uint8_t, 8> out, double value);
double GetDouble(std::span<const uint8_t, 8> in);
void PutTimeRecord(std::span<uint8_t, kTimeRecordSize> out, const TimeRecord& record);
TimeRecord GetTimeRecord(std::span<const uint8_t, kTimeRecordSize> in);

// The 15 bytes of the IP field: the text's bytes up to its first zero byte,
// cut to 15, zero-filled. A text of exactly 15 bytes has no terminator.
std::array<uint8_t, kIpAddressSize> EncodeIpField(std::string_view ansiText);
// Text of the 15 bytes: up to the first zero, or all 15 when there is none.
std::string DecodeIpField(std::span<const uint8_t, kIpAddressSize> field);

// Text shown for a stored device ID: decimal for 1 .. 254, empty for anything
// else (0, 255, negative, larger).
std::wstring DeviceIdText(int32_t storedId);

}  // namespace relayon::console
