#include "console/core/SettingsLayout.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "console/core/DateTime.h"

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
    return *EncodeDate(kNewFileAlarmYear, kNewFileAlarmMonth, kNewFileAlarmDay);
}

double NewFileAlarmTime() {
    return *EncodeTime(kNewFileAlarmHour, kNewFileAlarmMinute, kNewFileAlarmSecond);
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

void PutInt32(std::span<uint8_t, kInt32Size> out, int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (uint32_t i = 0; i < kInt32Size; ++i) out[i] = static_cast<uint8_t>(bits >> (8 * i));
}

int32_t GetInt32(std::span<const uint8_t, kInt32Size> in) {
    uint32_t bits = 0;
    for (uint32_t i = 0; i < kInt32Size; ++i) bits |= uint32_t{in[i]} << (8 * i);
    return static_cast<int32_t>(bits);
}

void PutDouble(std::span<uint8_t, 8> out, double value) {
    const auto bits = std::bit_cast<uint64_t>(value);
    for (int i = 0; i < 8; ++i) out[i] = static_cast<uint8_t>(bits >> (8 * i));
}

double GetDouble(std::span<const uint8_t, 8> in) {
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits |= uint64_t{in[i]} << (8 * i);
    return std::bit_cast<double>(bits);
}

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
