// Loads arbitrary bytes as a settings file. Besides not crashing, every field
// read must be present exactly when it lies wholly inside the bytes, must
// re-encode to the bytes it came from, and the values handed to the controls
// must be usable (alarm days a date picker can show, times of day in [0, 1)).
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include <cmath>

#include "console/core/SettingsLoad.h"
#include "console/core/SettingsWrites.h"
#include "toolkit/core/DateTime.h"

using namespace relayon::console;

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// The bytes of a present field equal those an encoder writes for its value.
void CheckInt(std::span<const uint8_t> in, const std::optional<int32_t>& value, uint32_t offset) {
    Check(value.has_value() == (size_t{offset} + 4 <= in.size()));
    if (!value) return;
    const FieldWrite w = EncodeSetting(offset, *value);
    for (uint32_t i = 0; i < 4; ++i) Check(w.data[i] == in[offset + i]);
}

void CheckRecord(std::span<const uint8_t> in, const std::optional<TimeRecord>& value, uint32_t offset) {
    Check(value.has_value() == (size_t{offset} + 20 <= in.size()));
    if (!value) return;
    std::array<uint8_t, 20> out;
    PutTimeRecord(out, *value);
    for (uint32_t i = 0; i < 16; ++i) Check(out[i] == in[offset + i]);
}

void CheckTime(double t) { Check(std::isfinite(t) && t >= 0 && t < 1); }
void CheckDate(double d) { Check(IsPickerDateTime(d) && DateOf(d) == d); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> in(data, size);
    const StoredSettings s = ReadStoredSettings(in);

    CheckInt(in, s.portNumber, kPortNumberOffset);
    CheckRecord(in, s.onAlarm, kOnAlarmOffset);
    CheckRecord(in, s.offAlarm, kOffAlarmOffset);
    for (int n = 0; n < kDeviceIdSlots; ++n) CheckInt(in, s.deviceIds[n], *DeviceIdOffset(n));
    CheckInt(in, s.langIndex, kLangIndexOffset);
    Check(s.ipAddress.has_value() == (size >= kIpAddressOffset + kIpAddressSize));
    if (s.ipAddress) {
        Check(s.ipAddress->size() <= kIpAddressSize);
        const auto field = EncodeIpField(*s.ipAddress);
        for (size_t i = 0; i < s.ipAddress->size(); ++i) Check(field[i] == in[kIpAddressOffset + i]);
    }
    for (int d = 0; d < kWeekdays; ++d) {
        CheckInt(in, s.weekdayFlags[d], *WeekdayFlagOffset(d));
        for (int t = 0; t < kSlotsPerDay; ++t) {
            CheckInt(in, s.onSlotFlags[d][t], *OnSlotFlagOffset(d, t));
            CheckInt(in, s.offSlotFlags[d][t], *OffSlotFlagOffset(d, t));
            CheckRecord(in, s.onSlotTimes[d][t], *OnSlotTimeOffset(d, t));
            CheckRecord(in, s.offSlotTimes[d][t], *OffSlotTimeOffset(d, t));
        }
    }
    CheckInt(in, s.baudIndex, kBaudIndexOffset);

    const SettingsToApply v = ResolveForApply(s);
    CheckDate(v.onAlarmDate);
    CheckDate(v.offAlarmDate);
    CheckTime(v.onAlarmTime);
    CheckTime(v.offAlarmTime);
    for (int d = 0; d < kWeekdays; ++d)
        for (int t = 0; t < kSlotsPerDay; ++t) {
            CheckTime(v.onSlotTime[d][t]);
            CheckTime(v.offSlotTime[d][t]);
        }
    for (const auto& id : v.deviceIdTexts) Check(id.size() <= 3);
    return 0;
}
