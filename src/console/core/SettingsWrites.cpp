#include "console/core/SettingsWrites.h"

#include <algorithm>

namespace relayon::console {
namespace {

FieldWrite Int32Write(uint32_t offset, int32_t value) {
    FieldWrite w;
    w.offset = offset;
    w.size = kInt32Size;
    PutInt32(std::span<uint8_t, kInt32Size>(w.data.data(), kInt32Size), value);
    return w;
}

FieldWrite TimeRecordWrite(uint32_t offset, const TimeRecord& record) {
    FieldWrite w;
    w.offset = offset;
    w.size = kTimeRecordSize;
    PutTimeRecord(std::span<uint8_t, kTimeRecordSize>(w.data), record);
    return w;
}

std::optional<FieldWrite> FlagWrite(std::optional<uint32_t> offset, bool checked) {
    if (!offset) return std::nullopt;
    return Int32Write(*offset, FlagFor(checked));
}

std::optional<FieldWrite> SlotTimeWrite(std::optional<uint32_t> offset, double pickerValue) {
    if (!offset) return std::nullopt;
    return TimeRecordWrite(*offset, TimeRecord{0.0, pickerValue});
}

}  // namespace

FieldWrite EncodeSetting(uint32_t offset, int32_t value) { return Int32Write(offset, value); }

FieldWrite EncodePortNumber(int32_t portNumber) { return Int32Write(kPortNumberOffset, portNumber); }

FieldWrite EncodeOnAlarm(double datePickerValue, double timePickerValue) {
    return TimeRecordWrite(kOnAlarmOffset, TimeRecord{datePickerValue, timePickerValue});
}

FieldWrite EncodeOffAlarm(double datePickerValue, double timePickerValue) {
    return TimeRecordWrite(kOffAlarmOffset, TimeRecord{datePickerValue, timePickerValue});
}

std::optional<FieldWrite> EncodeDeviceId(int slot, int32_t id) {
    const auto offset = DeviceIdOffset(slot);
    if (!offset) return std::nullopt;
    return Int32Write(*offset, id);
}

FieldWrite EncodeLangIndex(int32_t langIndex) { return Int32Write(kLangIndexOffset, langIndex); }

FieldWrite EncodeIpAddress(std::string_view ansiText) {
    FieldWrite w;
    w.offset = kIpAddressOffset;
    w.size = kIpAddressSize;
    const auto field = EncodeIpField(ansiText);
    std::copy(field.begin(), field.end(), w.data.begin());
    return w;
}

std::optional<FieldWrite> EncodeWeekdayFlag(int day, bool checked) {
    return FlagWrite(WeekdayFlagOffset(day), checked);
}

std::optional<FieldWrite> EncodeOnSlotFlag(int day, int slot, bool checked) {
    return FlagWrite(OnSlotFlagOffset(day, slot), checked);
}

std::optional<FieldWrite> EncodeOffSlotFlag(int day, int slot, bool checked) {
    return FlagWrite(OffSlotFlagOffset(day, slot), checked);
}

std::optional<FieldWrite> EncodeOnSlotTime(int day, int slot, double pickerValue) {
    return SlotTimeWrite(OnSlotTimeOffset(day, slot), pickerValue);
}

std::optional<FieldWrite> EncodeOffSlotTime(int day, int slot, double pickerValue) {
    return SlotTimeWrite(OffSlotTimeOffset(day, slot), pickerValue);
}

FieldWrite EncodeBaudIndex(int32_t itemIndex) { return Int32Write(kBaudIndexOffset, itemIndex); }

void ApplyFieldWrite(std::vector<uint8_t>& image, const FieldWrite& write) {
    const size_t end = size_t{write.offset} + write.size;
    if (image.size() < end) image.resize(end, 0);
    const auto bytes = write.Bytes();
    std::copy(bytes.begin(), bytes.end(), image.begin() + write.offset);
}

}  // namespace relayon::console
