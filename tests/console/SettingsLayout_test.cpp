// Layout of the settings file: offsets, field codecs, flag and ID rules, the
// IP field, and what single-field writes do to a file image.
#include "console/core/SettingsLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "console/core/SettingsWrites.h"

namespace relayon::console {
namespace {

struct Field {
    uint32_t offset;
    uint32_t size;
};

// Every field of the layout, gathered through the public offset functions.
std::vector<Field> AllFields() {
    std::vector<Field> f = {{kPortNumberOffset, 4}, {kOnAlarmOffset, 20}, {kOffAlarmOffset, 20},
                            {kLangIndexOffset, 4},  {kIpAddressOffset, 15}, {kUninterpretedOffset, 4},
                            {kBaudIndexOffset, 4}};
    for (int n = 0; n < kDeviceIdSlots; ++n) f.push_back({*DeviceIdOffset(n), 4});
    for (int d = 0; d < kWeekdays; ++d) {
        f.push_back({*WeekdayFlagOffset(d), 4});
        for (int s = 0; s < kSlotsPerDay; ++s) {
            f.push_back({*OnSlotFlagOffset(d, s), 4});
            f.push_back({*OffSlotFlagOffset(d, s), 4});
            f.push_back({*OnSlotTimeOffset(d, s), 20});
            f.push_back({*OffSlotTimeOffset(d, s), 20});
        }
    }
    return f;
}

TEST(SettingsLayout, FieldsTileTheFileWithoutGapOrOverlap) {
    auto fields = AllFields();
    ASSERT_EQ(fields.size(), 7u + 5u + 7u * (1u + 40u));
    std::sort(fields.begin(), fields.end(), [](const Field& a, const Field& b) { return a.offset < b.offset; });
    uint32_t end = 0;
    for (const Field& f : fields) {
        EXPECT_EQ(f.offset, end) << "field at " << f.offset;
        end = f.offset + f.size;
    }
    EXPECT_EQ(end, kFullFileSize);
    EXPECT_EQ(kNewFileSize, kUninterpretedOffset);
    EXPECT_EQ(kFullFileSize, 3479u);
    EXPECT_EQ(kNewFileSize, 3471u);
}

TEST(SettingsLayout, OffsetsOfNamedPlaces) {
    EXPECT_EQ(kConnIdOffset, 44u);
    EXPECT_EQ(*DeviceIdOffset(0), 44u);
    EXPECT_EQ(*DeviceIdOffset(3), 56u);  // Ed_grp_id[2]
    EXPECT_EQ(*DeviceIdOffset(4), 60u);
    EXPECT_EQ(*WeekdayFlagOffset(0), 83u);
    EXPECT_EQ(*WeekdayFlagOffset(1), 87u);  // Monday
    EXPECT_EQ(*WeekdayFlagOffset(6), 107u);
    EXPECT_EQ(*OnSlotFlagOffset(0, 0), 111u);
    EXPECT_EQ(*OnSlotFlagOffset(3, 2), 239u);  // Wednesday, third slot
    EXPECT_EQ(*OffSlotFlagOffset(0, 0), 391u);
    EXPECT_EQ(*OffSlotFlagOffset(6, 9), 667u);
    EXPECT_EQ(*OnSlotTimeOffset(0, 0), 671u);
    EXPECT_EQ(*OnSlotTimeOffset(6, 9), 2051u);
    EXPECT_EQ(*OffSlotTimeOffset(0, 0), 2071u);
    EXPECT_EQ(*OffSlotTimeOffset(6, 9), 3451u);  // Saturday, last slot
    // Packed fields: from 83 on every field starts at an odd offset.
    for (const Field& f : AllFields())
        if (f.offset >= 83) {
            EXPECT_EQ(f.offset % 2, 1u) << f.offset;
        }
}

TEST(SettingsLayout, IndexesOutsideTheirRangeHaveNoOffset) {
    EXPECT_FALSE(DeviceIdOffset(-1));
    EXPECT_FALSE(DeviceIdOffset(5));
    EXPECT_FALSE(WeekdayFlagOffset(7));
    EXPECT_FALSE(WeekdayFlagOffset(-1));
    EXPECT_FALSE(OnSlotFlagOffset(0, 10));
    EXPECT_FALSE(OffSlotFlagOffset(7, 0));
    EXPECT_FALSE(OnSlotTimeOffset(-1, 0));
    EXPECT_FALSE(OffSlotTimeOffset(0, -1));
    EXPECT_FALSE(EncodeDeviceId(5, 1));
    EXPECT_FALSE(EncodeWeekdayFlag(7, true));
    EXPECT_FALSE(EncodeOnSlotFlag(0, 10, true));
    EXPECT_FALSE(EncodeOffSlotTime(INT_MIN, 0, 0.0));
}

TEST(SettingsLayout, IntegersAndDoublesAreLittleEndian) {
    std::array<uint8_t, 4> b{};
    PutInt32(b, 1);
    EXPECT_EQ(b, (std::array<uint8_t, 4>{0x01, 0x00, 0x00, 0x00}));
    PutInt32(b, -1);
    EXPECT_EQ(b, (std::array<uint8_t, 4>{0xFF, 0xFF, 0xFF, 0xFF}));
    PutInt32(b, 0x12345678);
    EXPECT_EQ(b, (std::array<uint8_t, 4>{0x78, 0x56, 0x34, 0x12}));
    for (int32_t v : {0, 85, 170, 255, -2, INT32_MIN, INT32_MAX}) {
        PutInt32(b, v);
        EXPECT_EQ(GetInt32(b), v);
    }
    std::array<uint8_t, 8> d{};
    PutDouble(d, 1.0);
    EXPECT_EQ(d, (std::array<uint8_t, 8>{0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
    PutDouble(d, -2.0);
    EXPECT_EQ(d, (std::array<uint8_t, 8>{0, 0, 0, 0, 0, 0, 0x00, 0xC0}));
}

TEST(SettingsLayout, TimeRecordRoundTripsBitForBitAndIgnoresUnusedBytes) {
    const double values[] = {0.0, -0.0, 41633.5766782407, -693593.0, 2958465.99999,
                             std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::denorm_min()};
    std::array<uint8_t, 20> raw;
    for (double a : values)
        for (double b : values) {
            raw.fill(0xCC);
            PutTimeRecord(raw, {a, b});
            EXPECT_EQ(raw[16], 0);
            EXPECT_EQ(raw[19], 0);
            raw[16] = 0x5A;  // unused bytes carry anything; readers must not care
            const TimeRecord back = GetTimeRecord(raw);
            uint64_t x, y;
            std::memcpy(&x, &a, 8), std::memcpy(&y, &back.a, 8);
            EXPECT_EQ(x, y);
            std::memcpy(&x, &b, 8), std::memcpy(&y, &back.b, 8);
            EXPECT_EQ(x, y);
        }
}

TEST(SettingsLayout, OnlyEightyFiveIsChecked) {
    EXPECT_TRUE(IsFlagChecked(FlagChecked));
    EXPECT_EQ(FlagChecked, 0x55);
    EXPECT_EQ(FlagUnchecked, 0xAA);
    for (int32_t v : {170, 0, 2, 1, 84, 86, -85, 0x55 << 8, 0x155, INT32_MIN, INT32_MAX})
        EXPECT_FALSE(IsFlagChecked(v)) << v;
    EXPECT_EQ(FlagFor(true), 85);
    EXPECT_EQ(FlagFor(false), 170);
}

TEST(SettingsLayout, IdsOneTo254AreShownEverythingElseIsEmpty) {
    EXPECT_EQ(DeviceIdText(1), L"1");
    EXPECT_EQ(DeviceIdText(12), L"12");
    EXPECT_EQ(DeviceIdText(254), L"254");
    for (int32_t v : {0, 255, 256, -1, -254, 1000, INT32_MIN, INT32_MAX}) EXPECT_EQ(DeviceIdText(v), L"") << v;
}

TEST(SettingsLayout, IpFieldWithAndWithoutTerminator) {
    auto asText = [](const std::array<uint8_t, 15>& f) { return std::string(f.begin(), f.end()); };

    const auto shortIp = EncodeIpField("10.0.0.1");
    EXPECT_EQ(asText(shortIp), std::string("10.0.0.1\0\0\0\0\0\0\0", 15));
    EXPECT_EQ(DecodeIpField(shortIp), "10.0.0.1");

    // Exactly 15 characters: no room and no need for a terminator.
    const auto fullIp = EncodeIpField("192.168.100.200");
    EXPECT_EQ(asText(fullIp), "192.168.100.200");
    EXPECT_EQ(DecodeIpField(fullIp), "192.168.100.200");

    // Longer text is cut to 15 and never spills past the field.
    const auto longIp = EncodeIpField("192.168.100.200:8080");
    EXPECT_EQ(asText(longIp), "192.168.100.200");
    const FieldWrite w = EncodeIpAddress("1234567890123456789");
    EXPECT_EQ(w.offset, 68u);
    EXPECT_EQ(w.size, 15u);
    std::vector<uint8_t> image(100, 0xEE);
    ApplyFieldWrite(image, w);
    EXPECT_EQ(image[83], 0xEE);
    EXPECT_EQ(std::string(image.begin() + 68, image.begin() + 83), "123456789012345");

    EXPECT_EQ(asText(EncodeIpField("")), std::string(15, '\0'));
    EXPECT_EQ(DecodeIpField(EncodeIpField("")), "");
    // A zero byte ends the text on both sides.
    EXPECT_EQ(DecodeIpField(EncodeIpField(std::string_view("1.2\0junk", 8))), "1.2");
    std::array<uint8_t, 15> middleZero{};
    std::memcpy(middleZero.data(), "1.2.3.4\0xxxxxxx", 15);
    EXPECT_EQ(DecodeIpField(middleZero), "1.2.3.4");
}

TEST(SettingsLayout, EachWriterTouchesOnlyItsOwnField) {
    struct Case {
        FieldWrite write;
        uint32_t offset;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {EncodePortNumber(3), 0, {3, 0, 0, 0}},
        {EncodePortNumber(0), 0, {0, 0, 0, 0}},
        {*EncodeDeviceId(0, 255), 44, {255, 0, 0, 0}},
        {*EncodeDeviceId(3, 12), 56, {12, 0, 0, 0}},
        {*EncodeDeviceId(4, -7), 60, {0xF9, 0xFF, 0xFF, 0xFF}},
        {EncodeLangIndex(-1), 64, {0xFF, 0xFF, 0xFF, 0xFF}},
        {EncodeLangIndex(2), 64, {2, 0, 0, 0}},
        {*EncodeWeekdayFlag(1, true), 87, {85, 0, 0, 0}},
        {*EncodeWeekdayFlag(1, false), 87, {170, 0, 0, 0}},
        {*EncodeOnSlotFlag(3, 2, true), 239, {85, 0, 0, 0}},
        {*EncodeOffSlotFlag(6, 9, true), 667, {85, 0, 0, 0}},
        {EncodeSetting(83, 2), 83, {2, 0, 0, 0}},
        {EncodeBaudIndex(1), 3475, {1, 0, 0, 0}},
        {EncodeBaudIndex(-1), 3475, {0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.write.offset, c.offset);
        const auto bytes = c.write.Bytes();
        EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()), c.bytes) << "at " << c.offset;
        std::vector<uint8_t> image(kFullFileSize, 0x11);
        ApplyFieldWrite(image, c.write);
        for (uint32_t i = 0; i < image.size(); ++i)
            if (i < c.offset || i >= c.offset + c.bytes.size()) {
                ASSERT_EQ(image[i], 0x11) << i;
            }
    }
}

TEST(SettingsLayout, TimeWritersStoreThePickerValues) {
    const FieldWrite on = EncodeOnAlarm(41633.25, 0.5);
    EXPECT_EQ(on.offset, 4u);
    EXPECT_EQ(on.size, 20u);
    const TimeRecord r = GetTimeRecord(std::span<const uint8_t, 20>(on.data));
    EXPECT_EQ(r.a, 41633.25);
    EXPECT_EQ(r.b, 0.5);
    EXPECT_EQ(EncodeOffAlarm(1, 2).offset, 24u);

    // Saturday's last off slot: 20 bytes at 3451, the first 8 (A) zero.
    const FieldWrite slot = *EncodeOffSlotTime(6, 9, 45000.75);
    EXPECT_EQ(slot.offset, 3451u);
    EXPECT_EQ(slot.size, 20u);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(slot.data[i], 0);
    EXPECT_EQ(GetTimeRecord(std::span<const uint8_t, 20>(slot.data)).b, 45000.75);
    EXPECT_EQ(EncodeOnSlotTime(0, 0, 0)->offset, 671u);
}

TEST(SettingsLayout, WritingPastTheEndExtendsWithZeros) {
    std::vector<uint8_t> image(kNewFileSize, 0x77);
    ApplyFieldWrite(image, EncodeBaudIndex(1));
    ASSERT_EQ(image.size(), kFullFileSize);
    EXPECT_EQ(std::vector<uint8_t>(image.begin() + 3471, image.end()),
              (std::vector<uint8_t>{0, 0, 0, 0, 1, 0, 0, 0}));

    std::vector<uint8_t> tiny(10, 0x77);
    ApplyFieldWrite(tiny, *EncodeWeekdayFlag(1, true));
    ASSERT_EQ(tiny.size(), 91u);
    EXPECT_TRUE(std::all_of(tiny.begin() + 10, tiny.begin() + 87, [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(tiny[87], 85);

    // A write inside the file leaves its length alone.
    ApplyFieldWrite(image, EncodePortNumber(2));
    EXPECT_EQ(image.size(), kFullFileSize);
}

}  // namespace
}  // namespace relayon::console
