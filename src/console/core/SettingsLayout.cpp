#include "console/core/SettingsLayout.h"

#include <algorithm>
#include <cstring>

#include "base/ByteIo.h"
#include "toolkit/core/DateTime.h"

namespace relayon::console {
namespace {

bool IsDay(int day) { return day >= 0 && day < kWeekdays; }
bool IsDaySlot(int day, int slot) { return IsDay(day) && slot >= 0 && slot < kSlotsPerDay; }

uint32_t FlagOffset(uint32_t base, int day, int slot) {
    return base + 40u * static_cast<uint32_t>(day) + 4u * static_cast<uint32_t>(slot);
}

uint32_t SlotRecordOffset(uint32_t base, int day, int slot) {
    return base + kTimeRecordSize * static_cast<uint32_t>(kSlotsPerDay * day + slot);
}

}  // namespace

double NewFileAlarmDate() {
    return ::EncodeDate(kNewFileAlarmYear, kNewFileAlarmMonth, kNewFileAlarmDay);
}

double NewFileAlarmTime() {
    return ::EncodeTime(kNewFileAlarmHour, kNewFileAlarmMinute, kNewFileAlarmSecond, 0);
}

std::optional<uint32_t> DeviceIdOffset(int slot) {
    if (slot < 0 || slot >= kDeviceIdSlots) return std::nullopt;
    return kDeviceIdOffset + kInt32Size * static_cast<uint32_t>(slot);
}

std::optional<uint32_t> WeekdayFlagOffset(int day) {
    if (!IsDay(day)) return std::nullopt;
    return kWeekdayFlagOffset + kInt32Size * static_cast<uint32_t>(day);
}

std::optional<uint32_t> OnSlotFlagOffset(int day, int slot) {
    if (!IsDaySlot(day, slot)) return std::nullopt;
    return FlagOffset(kOnSlotFlagOffset, day, slot);
}

std::optional<uint32_t> OffSlotFlagOffset(int day, int slot) {
    if (!IsDaySlot(day, slot)) return std::nullopt;
    return FlagOffset(kOffSlotFlagOffset, day, slot);
}

std::optional<uint32_t> OnSlotTimeOffset(int day, int slot) {
    if (!IsDaySlot(day, slot)) return std::nullopt;
    return SlotRecordOffset(kOnSlotTimeOffset, day, slot);
}

std::optional<uint32_t> OffSlotTimeOffset(int day, int slot) {
    if (!IsDaySlot(day, slot)) return std::nullopt;
    return SlotRecordOffset(kOffSlotTimeOffset, day, slot);
}

// The writer appends, the fields live at fixed offsets: encode, then copy in place.
void PutInt32(std::span<uint8_t, kInt32Size> out, int32_t value) {
    std::vector<uint8_t> bytes;
    ByteWriter(bytes).I32(value);
    std::copy(bytes.begin(), bytes.end(), out.begin());
}

int32_t GetInt32(std::span<const uint8_t, kInt32Size> in) { return ByteReader(in).I32(); }

void PutDouble(std::span<uint8_t, 8> out, double value) {
    std::vector<uint8_t> bytes;
    ByteWriter(bytes).F64(value);
    std::copy(bytes.begin(), bytes.end(), out.begin());
}

double GetDouble(std::span<const uint8_t, 8> in) { return ByteReader(in).F64(); }

void PutTimeRecord(std::span<uint8_t, kTimeRecordSize> out, const TimeRecord& record) {
    PutDouble(out.subspan<0, 8>(), record.a);
    PutDouble(out.subspan<8, 8>(), record.b);
    std::fill(out.begin() + 16, out.end(), uint8_t{0});
}

TimeRecord GetTimeRecord(std::span<const uint8_t, kTimeRecordSize> in) {
    return {GetDouble(in.subspan<0, 8>()), GetDouble(in.subspan<8, 8>())};
}

std::array<uint8_t, kIpAddressSize> EncodeIpField(std::string_view ansiText) {
    std::array<uint8_t, kIpAddressSize> field{};
    const size_t end = std::min<size_t>(ansiText.find('\0'), ansiText.size());
    const size_t count = std::min<size_t>(end, kIpAddressSize);
    if (count != 0) std::memcpy(field.data(), ansiText.data(), count);
    return field;
}

std::string DecodeIpField(std::span<const uint8_t, kIpAddressSize> field) {
    const auto end = std::find(field.begin(), field.end(), uint8_t{0});
    return std::string(field.begin(), end);
}

std::wstring DeviceIdText(int32_t storedId) {
    if (storedId < 1 || storedId > 254) return {};
    return std::to_wstring(storedId);
}

}  // namespace relayon::console
