#include "console/core/SettingsLoad.h"

#include <cmath>
#include <cstdint>

#include "console/core/SettingsWrites.h"
#include "toolkit/core/DateTime.h"

namespace relayon::console {
namespace {

// Reads fields from a file image of any length; every read checks that the
// whole field lies inside the bytes first.
class FieldReader {
public:
    explicit FieldReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    std::optional<int32_t> Int32At(std::optional<uint32_t> offset) const {
        if (!offset || !Holds(*offset, kInt32Size)) return std::nullopt;
        return GetInt32(bytes_.subspan(*offset).first<kInt32Size>());
    }

    std::optional<TimeRecord> TimeRecordAt(std::optional<uint32_t> offset) const {
        if (!offset || !Holds(*offset, kTimeRecordSize)) return std::nullopt;
        return GetTimeRecord(bytes_.subspan(*offset).first<kTimeRecordSize>());
    }

    std::optional<std::string> IpAt(uint32_t offset) const {
        if (!Holds(offset, kIpAddressSize)) return std::nullopt;
        return DecodeIpField(bytes_.subspan(offset).first<kIpAddressSize>());
    }

private:
    bool Holds(uint32_t offset, uint32_t size) const {
        return offset <= bytes_.size() && bytes_.size() - offset >= size;
    }

    std::span<const uint8_t> bytes_;
};

// A stored day a date picker cannot show (before 1752-09-14, beyond 9999, not a
// number at all) is treated like a day missing from the file.
double DateOrDefault(const std::optional<TimeRecord>& record, double fallback) {
    if (!record || !IsPickerDateTime(record->a)) return fallback;
    return DateOf(record->a);
}

double TimeOrDefault(const std::optional<TimeRecord>& record, double fallback) {
    if (!record || !std::isfinite(record->b)) return fallback;
    return TimeOf(record->b);
}

}  // namespace

StoredSettings ReadStoredSettings(std::span<const uint8_t> fileBytes) {
    const FieldReader file(fileBytes);
    StoredSettings s;
    s.portNumber = file.Int32At(kPortNumberOffset);
    s.onAlarm = file.TimeRecordAt(kOnAlarmOffset);
    s.offAlarm = file.TimeRecordAt(kOffAlarmOffset);
    for (int n = 0; n < kDeviceIdSlots; ++n) s.deviceIds[n] = file.Int32At(DeviceIdOffset(n));
    s.langIndex = file.Int32At(kLangIndexOffset);
    s.ipAddress = file.IpAt(kIpAddressOffset);
    for (int d = 0; d < kWeekdays; ++d) {
        s.weekdayFlags[d] = file.Int32At(WeekdayFlagOffset(d));
        for (int slot = 0; slot < kSlotsPerDay; ++slot) {
            s.onSlotFlags[d][slot] = file.Int32At(OnSlotFlagOffset(d, slot));
            s.offSlotFlags[d][slot] = file.Int32At(OffSlotFlagOffset(d, slot));
            s.onSlotTimes[d][slot] = file.TimeRecordAt(OnSlotTimeOffset(d, slot));
            s.offSlotTimes[d][slot] = file.TimeRecordAt(OffSlotTimeOffset(d, slot));
        }
    }
    s.baudIndex = file.Int32At(kBaudIndexOffset);
    return s;
}

SettingsToApply ResolveForApply(const StoredSettings& stored) {
    SettingsToApply v;
    // Port number - 1 computed in 64 bits: INT32_MIN in a file must not overflow.
    const int64_t port = stored.portNumber.value_or(1);
    v.comItemIndex = port - 1 < INT32_MIN ? -1 : static_cast<int32_t>(port - 1);
    v.onAlarmDate = DateOrDefault(stored.onAlarm, NewFileAlarmDate());
    v.onAlarmTime = TimeOrDefault(stored.onAlarm, NewFileAlarmTime());
    v.offAlarmDate = DateOrDefault(stored.offAlarm, NewFileAlarmDate());
    v.offAlarmTime = TimeOrDefault(stored.offAlarm, NewFileAlarmTime());
    for (int n = 0; n < kDeviceIdSlots; ++n)
        v.deviceIdTexts[n] = DeviceIdText(stored.deviceIds[n].value_or(0));
    v.langIndex = stored.langIndex.value_or(1);
    v.ipAddress = stored.ipAddress.value_or(std::string(kNewFileIpAddress));
    for (int d = 0; d < kWeekdays; ++d) {
        v.weekdayChecked[d] = IsFlagChecked(stored.weekdayFlags[d].value_or(FlagUnchecked));
        for (int slot = 0; slot < kSlotsPerDay; ++slot) {
            v.onSlotChecked[d][slot] = IsFlagChecked(stored.onSlotFlags[d][slot].value_or(FlagUnchecked));
            v.offSlotChecked[d][slot] = IsFlagChecked(stored.offSlotFlags[d][slot].value_or(FlagUnchecked));
            v.onSlotTime[d][slot] = TimeOrDefault(stored.onSlotTimes[d][slot], 0.0);
            v.offSlotTime[d][slot] = TimeOrDefault(stored.offSlotTimes[d][slot], 0.0);
        }
    }
    v.baudItemIndex = stored.baudIndex.value_or(-1);
    return v;
}

NewFileInputs NewFileInputsAt(double pickerValue, int32_t portNumber) {
    NewFileInputs in;
    in.portNumber = portNumber;
    for (auto& day : in.onSlotPickers) day.fill(pickerValue);
    for (auto& day : in.offSlotPickers) day.fill(pickerValue);
    return in;
}

std::vector<uint8_t> BuildNewFile(const NewFileInputs& inputs) {
    std::vector<uint8_t> image;
    image.reserve(kNewFileSize);
    const TimeRecord alarm{NewFileAlarmDate(), NewFileAlarmTime()};
    // Written in the file's order, as the console creates it.
    ApplyFieldWrite(image, EncodePortNumber(inputs.portNumber));
    ApplyFieldWrite(image, EncodeOnAlarm(alarm.a, alarm.b));
    ApplyFieldWrite(image, EncodeOffAlarm(alarm.a, alarm.b));
    for (int n = 0; n < kDeviceIdSlots; ++n) ApplyFieldWrite(image, *EncodeDeviceId(n, 0));
    ApplyFieldWrite(image, EncodeLangIndex(1));
    ApplyFieldWrite(image, EncodeIpAddress(kNewFileIpAddress));
    for (int d = 0; d < kWeekdays; ++d) ApplyFieldWrite(image, *EncodeWeekdayFlag(d, false));
    for (int d = 0; d < kWeekdays; ++d)
        for (int s = 0; s < kSlotsPerDay; ++s) ApplyFieldWrite(image, *EncodeOnSlotFlag(d, s, false));
    for (int d = 0; d < kWeekdays; ++d)
        for (int s = 0; s < kSlotsPerDay; ++s) ApplyFieldWrite(image, *EncodeOffSlotFlag(d, s, false));
    for (int d = 0; d < kWeekdays; ++d)
        for (int s = 0; s < kSlotsPerDay; ++s)
            ApplyFieldWrite(image, *EncodeOnSlotTime(d, s, inputs.onSlotPickers[d][s]));
    for (int d = 0; d < kWeekdays; ++d)
        for (int s = 0; s < kSlotsPerDay; ++s)
            ApplyFieldWrite(image, *EncodeOffSlotTime(d, s, inputs.offSlotPickers[d][s]));
    return image;
}

}  // namespace relayon::console
