// Reading the settings file at start-up and the new-file image.
#include "console/core/SettingsLoad.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "console/core/SettingsWrites.h"
#include "toolkit/core/DateTime.h"

namespace relayon::console {
namespace {

int32_t Int32At(const std::vector<uint8_t>& image, uint32_t offset) {
    return GetInt32(std::span<const uint8_t>(image).subspan(offset).first<4>());
}

TimeRecord RecordAt(const std::vector<uint8_t>& image, uint32_t offset) {
    return GetTimeRecord(std::span<const uint8_t>(image).subspan(offset).first<20>());
}

// A distinct picker value per slot, so misplaced records show.
NewFileInputs DistinctPickers() {
    NewFileInputs in;
    for (int d = 0; d < kWeekdays; ++d)
        for (int s = 0; s < kSlotsPerDay; ++s) {
            in.onSlotPickers[d][s] = 46000.0 + (d * 10 + s) / 1000.0;
            in.offSlotPickers[d][s] = 47000.0 + (d * 10 + s) / 1000.0;
        }
    return in;
}

TEST(SettingsNewFile, BytesOfANewFile) {
    const NewFileInputs in = DistinctPickers();
    const auto image = BuildNewFile(in);
    ASSERT_EQ(image.size(), 3471u);

    EXPECT_EQ(Int32At(image, 0), 1);
    for (uint32_t offset : {4u, 24u}) {
        const TimeRecord r = RecordAt(image, offset);
        EXPECT_EQ(r.a, 41633.0);  // 25 December 2013
        EXPECT_EQ(r.b, (13 * 3600 + 50 * 60 + 25) / 86400.0);
        EXPECT_EQ(DecodeDate(r.a), (DateParts{2013, 12, 25}));
        EXPECT_EQ(DecodeTime(r.b), (TimeParts{13, 50, 25, 0}));
        for (uint32_t i = offset + 16; i < offset + 20; ++i) EXPECT_EQ(image[i], 0);
    }
    for (uint32_t offset = 44; offset < 64; offset += 4) EXPECT_EQ(Int32At(image, offset), 0) << offset;
    EXPECT_EQ(Int32At(image, 64), 1);
    EXPECT_EQ(std::string(image.begin() + 68, image.begin() + 83), std::string("192.168.0.178\0\0", 15));
    for (uint32_t offset = 83; offset < 671; offset += 4) {
        EXPECT_EQ(image[offset], 0xAA) << offset;
        EXPECT_EQ(Int32At(image, offset), FlagUnchecked) << offset;
    }
    for (int d = 0; d < kWeekdays; ++d)
        for (int s = 0; s < kSlotsPerDay; ++s) {
            const uint32_t on = 671 + 20 * (10 * d + s), off = 2071 + 20 * (10 * d + s);
            EXPECT_EQ(RecordAt(image, on).a, 0.0);
            EXPECT_EQ(RecordAt(image, on).b, in.onSlotPickers[d][s]);
            EXPECT_EQ(RecordAt(image, off).a, 0.0);
            EXPECT_EQ(RecordAt(image, off).b, in.offSlotPickers[d][s]);
        }
}

TEST(SettingsNewFile, PortNumberComesFromTheCombo) {
    const auto image = BuildNewFile(NewFileInputsAt(45000.5, 4));
    EXPECT_EQ(Int32At(image, 0), 4);
    EXPECT_EQ(RecordAt(image, 671).b, 45000.5);
    EXPECT_EQ(RecordAt(image, 3451).b, 45000.5);
}

TEST(SettingsLoad, NewFileShowsItsValues) {
    const double creation = EncodeDate(2026, 12, 9) + *TryEncodeTime(8, 30, 15);
    const auto v = ResolveForApply(ReadStoredSettings(BuildNewFile(NewFileInputsAt(creation))));
    EXPECT_EQ(v.comItemIndex, 0);  // "COM1"
    EXPECT_EQ(DecodeDate(v.onAlarmDate), (DateParts{2013, 12, 25}));
    EXPECT_EQ(DecodeTime(v.onAlarmTime), (TimeParts{13, 50, 25, 0}));
    EXPECT_EQ(DecodeDate(v.offAlarmDate), (DateParts{2013, 12, 25}));
    EXPECT_EQ(DecodeTime(v.offAlarmTime), (TimeParts{13, 50, 25, 0}));
    for (const auto& id : v.deviceIdTexts) EXPECT_EQ(id, L"");
    EXPECT_EQ(v.langIndex, 1);
    EXPECT_EQ(v.ipAddress, "192.168.0.178");
    EXPECT_NE(v.ipAddress, "192.168.1.100");  // the address the window is designed with
    for (int d = 0; d < kWeekdays; ++d) {
        EXPECT_FALSE(v.weekdayChecked[d]);
        for (int s = 0; s < kSlotsPerDay; ++s) {
            EXPECT_FALSE(v.onSlotChecked[d][s]);
            EXPECT_FALSE(v.offSlotChecked[d][s]);
            EXPECT_EQ(DecodeTime(v.onSlotTime[d][s]), (TimeParts{8, 30, 15, 0}));
            EXPECT_EQ(DecodeTime(v.offSlotTime[d][s]), (TimeParts{8, 30, 15, 0}));
        }
    }
    EXPECT_EQ(v.baudItemIndex, -1);
}

TEST(SettingsLoad, SavedValuesComeBack) {
    auto image = BuildNewFile(NewFileInputsAt(0.0));
    ApplyFieldWrite(image, EncodePortNumber(3));
    ApplyFieldWrite(image, EncodeOnAlarm(EncodeDate(2030, 1, 2) + 0.75, EncodeDate(1999, 5, 5) + 0.25));
    ApplyFieldWrite(image, EncodeOffAlarm(EncodeDate(2031, 2, 3), *TryEncodeTime(23, 59, 59)));
    ApplyFieldWrite(image, *EncodeDeviceId(0, 255));
    ApplyFieldWrite(image, *EncodeDeviceId(1, 7));
    ApplyFieldWrite(image, *EncodeDeviceId(3, 12));
    ApplyFieldWrite(image, *EncodeDeviceId(4, 254));
    ApplyFieldWrite(image, EncodeLangIndex(-1));
    ApplyFieldWrite(image, EncodeIpAddress("123.123.123.123"));
    ApplyFieldWrite(image, *EncodeWeekdayFlag(1, true));
    ApplyFieldWrite(image, *EncodeOnSlotFlag(3, 2, true));
    ApplyFieldWrite(image, *EncodeOffSlotFlag(6, 9, true));
    ApplyFieldWrite(image, *EncodeOnSlotTime(1, 0, EncodeDate(2026, 1, 1) + *TryEncodeTime(7, 0, 0)));
    ApplyFieldWrite(image, *EncodeOffSlotTime(6, 9, *TryEncodeTime(22, 15, 30)));
    ApplyFieldWrite(image, EncodeBaudIndex(1));
    ASSERT_EQ(image.size(), 3479u);

    const auto v = ResolveForApply(ReadStoredSettings(image));
    EXPECT_EQ(v.comItemIndex, 2);
    EXPECT_EQ(DecodeDate(v.onAlarmDate), (DateParts{2030, 1, 2}));
    EXPECT_EQ(DecodeTime(v.onAlarmTime), (TimeParts{6, 0, 0, 0}));  // only B's time of day
    EXPECT_EQ(DecodeDate(v.offAlarmDate), (DateParts{2031, 2, 3}));
    EXPECT_EQ(DecodeTime(v.offAlarmTime), (TimeParts{23, 59, 59, 0}));
    EXPECT_EQ(v.deviceIdTexts[0], L"");  // 255 is saved but shown empty
    EXPECT_EQ(v.deviceIdTexts[1], L"7");
    EXPECT_EQ(v.deviceIdTexts[2], L"");
    EXPECT_EQ(v.deviceIdTexts[3], L"12");
    EXPECT_EQ(v.deviceIdTexts[4], L"254");
    EXPECT_EQ(v.langIndex, -1);
    EXPECT_EQ(v.ipAddress, "123.123.123.123");
    EXPECT_TRUE(v.weekdayChecked[1]);
    EXPECT_FALSE(v.weekdayChecked[0]);
    EXPECT_TRUE(v.onSlotChecked[3][2]);
    EXPECT_FALSE(v.onSlotChecked[2][3]);
    EXPECT_TRUE(v.offSlotChecked[6][9]);
    EXPECT_FALSE(v.onSlotChecked[6][9]);
    EXPECT_EQ(DecodeTime(v.onSlotTime[1][0]), (TimeParts{7, 0, 0, 0}));
    EXPECT_EQ(DecodeTime(v.offSlotTime[6][9]), (TimeParts{22, 15, 30, 0}));
    EXPECT_EQ(DecodeTime(v.offSlotTime[6][8]), (TimeParts{0, 0, 0, 0}));
    EXPECT_EQ(v.baudItemIndex, 1);
}

TEST(SettingsLoad, FlagsOtherThanEightyFiveReadUnchecked) {
    auto image = BuildNewFile(NewFileInputsAt(0.0));
    ApplyFieldWrite(image, EncodeSetting(*WeekdayFlagOffset(0), 2));
    ApplyFieldWrite(image, EncodeSetting(*WeekdayFlagOffset(1), 0));
    ApplyFieldWrite(image, EncodeSetting(*WeekdayFlagOffset(2), FlagChecked));
    ApplyFieldWrite(image, EncodeSetting(*OnSlotFlagOffset(0, 0), 0x155));
    ApplyFieldWrite(image, EncodeSetting(*OffSlotFlagOffset(0, 0), FlagChecked));
    const auto v = ResolveForApply(ReadStoredSettings(image));
    EXPECT_FALSE(v.weekdayChecked[0]);
    EXPECT_FALSE(v.weekdayChecked[1]);
    EXPECT_TRUE(v.weekdayChecked[2]);
    EXPECT_FALSE(v.onSlotChecked[0][0]);
    EXPECT_TRUE(v.offSlotChecked[0][0]);
}

TEST(SettingsLoad, FileCutTo87BytesLoadsWhatItHolds) {
    auto image = BuildNewFile(NewFileInputsAt(45000.5));
    ApplyFieldWrite(image, EncodePortNumber(2));
    ApplyFieldWrite(image, *EncodeDeviceId(0, 9));
    ApplyFieldWrite(image, EncodeLangIndex(0));
    ApplyFieldWrite(image, EncodeIpAddress("10.1.2.3"));
    ApplyFieldWrite(image, *EncodeWeekdayFlag(0, true));
    ApplyFieldWrite(image, *EncodeWeekdayFlag(1, true));
    ApplyFieldWrite(image, *EncodeOnSlotFlag(0, 0, true));
    image.resize(87);

    const StoredSettings stored = ReadStoredSettings(image);
    EXPECT_TRUE(stored.weekdayFlags[0]);
    EXPECT_FALSE(stored.weekdayFlags[1]);
    EXPECT_FALSE(stored.onSlotFlags[0][0]);
    EXPECT_FALSE(stored.onSlotTimes[0][0]);
    EXPECT_FALSE(stored.baudIndex);

    const auto v = ResolveForApply(stored);
    EXPECT_EQ(v.comItemIndex, 1);
    EXPECT_EQ(v.deviceIdTexts[0], L"9");
    EXPECT_EQ(v.langIndex, 0);
    EXPECT_EQ(v.ipAddress, "10.1.2.3");
    EXPECT_TRUE(v.weekdayChecked[0]);  // Sunday follows its flag
    for (int d = 1; d < kWeekdays; ++d) EXPECT_FALSE(v.weekdayChecked[d]) << d;
    for (int d = 0; d < kWeekdays; ++d)
        for (int s = 0; s < kSlotsPerDay; ++s) {
            EXPECT_FALSE(v.onSlotChecked[d][s]);
            EXPECT_FALSE(v.offSlotChecked[d][s]);
            EXPECT_EQ(v.onSlotTime[d][s], 0.0);  // 00:00:00
            EXPECT_EQ(v.offSlotTime[d][s], 0.0);
        }
    EXPECT_EQ(v.baudItemIndex, -1);
}

TEST(SettingsLoad, FieldsCutByTheEndTakeTheirFallbacks) {
    auto image = BuildNewFile(NewFileInputsAt(45000.5));
    ApplyFieldWrite(image, EncodePortNumber(5));
    ApplyFieldWrite(image, EncodeOnAlarm(EncodeDate(2020, 2, 29), 0.5));
    ApplyFieldWrite(image, *EncodeDeviceId(0, 9));
    ApplyFieldWrite(image, EncodeLangIndex(2));
    ApplyFieldWrite(image, EncodeIpAddress("10.1.2.3"));

    // The IP field needs 83 bytes; at 82 it takes the new-file address.
    image.resize(82);
    auto v = ResolveForApply(ReadStoredSettings(image));
    EXPECT_EQ(v.langIndex, 2);
    EXPECT_EQ(v.ipAddress, kNewFileIpAddress);

    // Three bytes of the language: new-file language, English.
    image.resize(67);
    v = ResolveForApply(ReadStoredSettings(image));
    EXPECT_EQ(v.langIndex, 1);
    EXPECT_EQ(v.deviceIdTexts[0], L"9");

    // The switch-on record cut in its middle: new-file date and time.
    image.resize(20);
    v = ResolveForApply(ReadStoredSettings(image));
    EXPECT_EQ(v.comItemIndex, 4);
    EXPECT_EQ(DecodeDate(v.onAlarmDate), (DateParts{2013, 12, 25}));
    EXPECT_EQ(DecodeTime(v.onAlarmTime), (TimeParts{13, 50, 25, 0}));
    EXPECT_EQ(v.deviceIdTexts[0], L"");

    // An empty file: every field falls back.
    v = ResolveForApply(ReadStoredSettings({}));
    EXPECT_EQ(v.comItemIndex, 0);
    EXPECT_EQ(v.langIndex, 1);
    EXPECT_EQ(v.ipAddress, kNewFileIpAddress);
    EXPECT_EQ(v.baudItemIndex, -1);
}

// At every length from empty to the full file, a field is read exactly when
// it lies wholly inside the bytes.
TEST(SettingsLoad, EveryLengthReadsExactlyTheWholeFields) {
    auto image = BuildNewFile(NewFileInputsAt(45000.5));
    ApplyFieldWrite(image, EncodeBaudIndex(3));
    struct Probe {
        uint32_t offset, size;
        std::function<bool(const StoredSettings&)> present;
    };
    std::vector<Probe> probes = {
        {0, 4, [](auto& s) { return s.portNumber.has_value(); }},
        {4, 20, [](auto& s) { return s.onAlarm.has_value(); }},
        {24, 20, [](auto& s) { return s.offAlarm.has_value(); }},
        {64, 4, [](auto& s) { return s.langIndex.has_value(); }},
        {68, 15, [](auto& s) { return s.ipAddress.has_value(); }},
        {3475, 4, [](auto& s) { return s.baudIndex.has_value(); }},
    };
    for (int n = 0; n < kDeviceIdSlots; ++n)
        probes.push_back({*DeviceIdOffset(n), 4, [n](auto& s) { return s.deviceIds[n].has_value(); }});
    for (int d = 0; d < kWeekdays; ++d) {
        probes.push_back({*WeekdayFlagOffset(d), 4, [d](auto& s) { return s.weekdayFlags[d].has_value(); }});
        for (int t = 0; t < kSlotsPerDay; ++t) {
            probes.push_back({*OnSlotFlagOffset(d, t), 4, [d, t](auto& s) { return s.onSlotFlags[d][t].has_value(); }});
            probes.push_back({*OffSlotFlagOffset(d, t), 4, [d, t](auto& s) { return s.offSlotFlags[d][t].has_value(); }});
            probes.push_back({*OnSlotTimeOffset(d, t), 20, [d, t](auto& s) { return s.onSlotTimes[d][t].has_value(); }});
            probes.push_back({*OffSlotTimeOffset(d, t), 20, [d, t](auto& s) { return s.offSlotTimes[d][t].has_value(); }});
        }
    }
    for (size_t length = 0; length <= image.size(); ++length) {
        const auto stored = ReadStoredSettings(std::span<const uint8_t>(image).first(length));
        for (const Probe& p : probes)
            ASSERT_EQ(p.present(stored), p.offset + p.size <= length) << "field " << p.offset << " length " << length;
    }
}

TEST(SettingsLoad, NewFileGrowsTo3479WhenABaudRateIsChosen) {
    auto image = BuildNewFile(NewFileInputsAt(0.0));
    EXPECT_EQ(ResolveForApply(ReadStoredSettings(image)).baudItemIndex, -1);
    ApplyFieldWrite(image, EncodeBaudIndex(1));  // "9600"
    ASSERT_EQ(image.size(), 3479u);
    EXPECT_EQ(Int32At(image, 3471), 0);
    EXPECT_EQ(Int32At(image, 3475), 1);
    EXPECT_EQ(ResolveForApply(ReadStoredSettings(image)).baudItemIndex, 1);
    // A longer file is fine; bytes after the layout are not read.
    image.resize(5000, 0xFF);
    EXPECT_EQ(ResolveForApply(ReadStoredSettings(image)).baudItemIndex, 1);
}

TEST(SettingsLoad, OutOfRangeNumbersPassThroughUnchecked) {
    auto image = BuildNewFile(NewFileInputsAt(0.0));
    ApplyFieldWrite(image, EncodePortNumber(9));
    ApplyFieldWrite(image, EncodeLangIndex(7));
    ApplyFieldWrite(image, EncodeBaudIndex(4));
    auto v = ResolveForApply(ReadStoredSettings(image));
    EXPECT_EQ(v.comItemIndex, 8);  // no such item: the combo shows no selection
    EXPECT_EQ(v.langIndex, 7);
    EXPECT_EQ(v.baudItemIndex, 4);

    ApplyFieldWrite(image, EncodePortNumber(INT32_MIN));  // must not overflow
    ApplyFieldWrite(image, EncodeBaudIndex(INT32_MIN));
    v = ResolveForApply(ReadStoredSettings(image));
    EXPECT_LT(v.comItemIndex, 0);
    EXPECT_EQ(v.baudItemIndex, INT32_MIN);
}

TEST(SettingsLoad, DateTimesNoPickerCanShowAreTreatedAsMissing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    auto image = BuildNewFile(NewFileInputsAt(0.0));
    ApplyFieldWrite(image, EncodeOnAlarm(nan, inf));
    ApplyFieldWrite(image, EncodeOffAlarm(1e300, -inf));
    ApplyFieldWrite(image, *EncodeOnSlotTime(0, 0, nan));
    ApplyFieldWrite(image, *EncodeOffSlotTime(0, 0, -inf));
    // Only the fraction of a slot time matters, so a far date still yields a time.
    ApplyFieldWrite(image, *EncodeOnSlotTime(0, 1, -1.25));
    const auto v = ResolveForApply(ReadStoredSettings(image));
    EXPECT_EQ(v.onAlarmDate, NewFileAlarmDate());
    EXPECT_EQ(v.onAlarmTime, NewFileAlarmTime());
    EXPECT_EQ(v.offAlarmDate, NewFileAlarmDate());
    EXPECT_EQ(v.offAlarmTime, NewFileAlarmTime());
    EXPECT_EQ(v.onSlotTime[0][0], 0.0);
    EXPECT_EQ(v.offSlotTime[0][0], 0.0);
    EXPECT_EQ(DecodeTime(v.onSlotTime[0][1]), (TimeParts{6, 0, 0, 0}));

    // Days before 1752-09-14 are calendar days, yet no date picker holds them.
    auto early = BuildNewFile(NewFileInputsAt(0.0));
    ApplyFieldWrite(early, EncodeOnAlarm(CombineDateTime(EncodeDate(1752, 9, 13), 0.75), 0.5));
    ApplyFieldWrite(early, EncodeOffAlarm(EncodeDate(1752, 9, 14), 0.5));
    const auto w = ResolveForApply(ReadStoredSettings(early));
    EXPECT_EQ(w.onAlarmDate, NewFileAlarmDate());
    EXPECT_EQ(DecodeTime(w.onAlarmTime), (TimeParts{12, 0, 0, 0})) << "the time beside it is good";
    EXPECT_EQ(DecodeDate(w.offAlarmDate), (DateParts{1752, 9, 14}));
}

}  // namespace
}  // namespace relayon::console
