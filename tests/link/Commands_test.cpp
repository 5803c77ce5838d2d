#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/Commands.h"
#include "link/DelayText.h"
#include "link/Frame.h"
#include "link/Opcodes.h"
#include "link/Requests.h"
#include "link/TypedNumber.h"

using namespace relayon::link;
using Bytes = std::vector<uint8_t>;

namespace {

template <class P>
Bytes Wire(const P& payload)
{
    return EncodeRequest(Bytes(payload.begin(), payload.end()));
}

Bytes Wire(const BuiltRequest& built)
{
    EXPECT_TRUE(built.Ok());
    return EncodeRequest(built.value);
}

DelayTexts AllFields(const wchar_t* text)
{
    DelayTexts texts;
    for (auto& kind : texts)
        kind.fill(text);
    return texts;
}

}  // namespace

// Frames worked out by hand: header, payload, XOR of the payload.
TEST(Commands, TheSixteenRequestsOnTheWire)
{
    EXPECT_EQ(Wire(ChannelPayload(9, true, 3)), (Bytes{0x55, 0x09, 0xA0, 0x00, 0x03, 0xAA}));
    EXPECT_EQ(Wire(ChannelPayload(9, false, 3)), (Bytes{0x55, 0x09, 0xA1, 0x00, 0x03, 0xAB}));
    EXPECT_EQ(Wire(GroupAllPayload(2, true)), (Bytes{0x55, 0x02, 0xA2, 0x00, 0x00, 0xA0}));
    EXPECT_EQ(Wire(GroupAllPayload(2, false)), (Bytes{0x55, 0x02, 0xA3, 0x00, 0x00, 0xA1}));
    EXPECT_EQ(Wire(SequenceOnPayload(3)), (Bytes{0x55, 0x03, 0xA4, 0x00, 0x00, 0xA7}));
    EXPECT_EQ(Wire(ReverseOffPayload(3)), (Bytes{0x55, 0x03, 0xA5, 0x00, 0x00, 0xA6}));
    EXPECT_EQ(Wire(PollStatusPayload(7)), (Bytes{0x55, 0x07, 0xA8, 0x00, 0x00, 0xAF}));
    EXPECT_EQ(Wire(AllDevicesPayload(true)), (Bytes{0x55, 0x00, 0xAC, 0x00, 0x00, 0xAC}));
    EXPECT_EQ(Wire(AllDevicesPayload(false)), (Bytes{0x55, 0x00, 0xAD, 0x00, 0x00, 0xAD}));
    EXPECT_EQ(Wire(SetMaskPayload(1, 0, true)), (Bytes{0x55, 0x01, 0xAF, 0x00, 0xAA, 0x04}));

    // The device setup page's handlers, from typed texts.
    EXPECT_EQ(Wire(BuildReadInfo(L"5")), (Bytes{0x55, 0x05, 0xA9, 0x00, 0x00, 0xAC}));
    EXPECT_EQ(Wire(BuildReadId()), (Bytes{0x55, 0x00, 0xAB, 0x00, 0x00, 0xAB}));
    EXPECT_EQ(Wire(BuildWriteId(L"0", L"7")), (Bytes{0x55, 0x00, 0xAA, 0x00, 0x07, 0xAD}));
    EXPECT_EQ(Wire(BuildSetLock(L"5", true)), (Bytes{0x55, 0x05, 0xAE, 0xAA, 0x00, 0x01}));
    EXPECT_EQ(Wire(BuildSetLock(L"5", false)), (Bytes{0x55, 0x05, 0xAE, 0x55, 0x00, 0xFE}));
    EXPECT_EQ(Wire(BuildCascade(L"1", true, 4)), (Bytes{0x55, 0x01, 0xA6, 0x02, 0x04, 0xA1}));
    EXPECT_EQ(Wire(BuildCascade(L"1", false, 4)), (Bytes{0x55, 0x01, 0xA6, 0x05, 0x04, 0xA6}));
    EXPECT_EQ(Wire(BuildSequenceControl(L"1", StartSequence, 0)), (Bytes{0x55, 0x01, 0xA6, 0x07, 0x00, 0xA0}));
    // No start channel selected: the item index -1 goes out as 0xFF.
    EXPECT_EQ(Wire(BuildSequenceControl(L"5", SwitchOn, -1)), (Bytes{0x55, 0x05, 0xA6, 0x08, 0xFF, 0x54}));

    // SetDelays: LCD switch-on 60 minutes (0xF8), every other field 1 second
    // (2 half units); 22 bytes under the long header.
    DelayTexts texts = AllFields(L"1");
    texts[0][0] = L"60";
    MinuteBoxes minutes{};
    minutes[0][0] = true;
    Bytes expected{0x56, 0x01, 0xA7, 0xF8};
    expected.insert(expected.end(), 17, 0x02);
    expected.push_back(0x5C);
    EXPECT_EQ(Wire(BuildApplyDelays(L"1", texts, minutes)), expected);
}

TEST(Commands, IdFieldsAreCheckedBeforeAnythingIsBuilt)
{
    // Not a number counts as 999; IDs are 1..255; 0 only as the old ID.
    EXPECT_EQ(TypedNumber(L" 12"), 12);
    EXPECT_EQ(TypedNumber(L"+5"), 5);
    for (const wchar_t* bad : {L"", L"abc", L"12 ", L"1.5", L"0x10", L"99999999999"})
        EXPECT_EQ(TypedNumber(bad), kNotANumber) << bad;
    for (const wchar_t* bad : {L"", L"0", L"256", L"-1", L"x"}) {
        EXPECT_EQ(BuildReadInfo(bad).refusal, Refusal::BadId);
        EXPECT_EQ(BuildSetLock(bad, true).refusal, Refusal::BadId);
        EXPECT_EQ(BuildSequenceControl(bad, SwitchOff, 0).refusal, Refusal::BadId);
        EXPECT_TRUE(BuildReadInfo(bad).value.empty());
    }
    EXPECT_TRUE(BuildReadInfo(L"255").Ok());
    EXPECT_TRUE(BuildWriteId(L"255", L"1").Ok());
    EXPECT_EQ(BuildWriteId(L"256", L"7").refusal, Refusal::BadId);
    EXPECT_EQ(BuildWriteId(L"0", L"").refusal, Refusal::BadId);
    EXPECT_EQ(BuildWriteId(L"0", L"0").refusal, Refusal::BadId);

    // Apply: the ID is checked first, so a bad ID wins over bad delays.
    const MinuteBoxes seconds{};
    EXPECT_EQ(BuildApplyDelays(L"", AllFields(L"zz"), seconds).refusal, Refusal::BadId);
    DelayTexts lastBad = AllFields(L"2");
    lastBad[1][8] = L"61";
    EXPECT_EQ(BuildApplyDelays(L"3", lastBad, seconds).refusal, Refusal::BadDelay);
    EXPECT_TRUE(BuildApplyDelays(L"3", lastBad, seconds).value.empty());
}

TEST(Commands, DelayFieldsRoundDownToTheHalfUnitAndRefuseWhatIsNoNumber)
{
    struct Case {
        const wchar_t* text;
        bool minutes;
        int code;  // -1: refused
    };
    const Case cases[] = {
        {L"60", true, 0xF8},  {L"60", false, 120}, {L"60.4", false, 120}, {L"60.5", false, -1},
        {L"61", false, -1},   {L"0.5", false, 1},  {L"1.25", false, 2},   {L"1.3", false, 2},
        {L"59.5", false, 119}, {L"0", false, 0},   {L"0", true, 0x80},    {L".5", false, 1},
        {L"5.", false, 10},   {L"0.4999", false, 0}, {L"0.99999", false, 2},
        {L"0000000060", false, 120},
        {L"1,5", false, -1},  {L"-1", false, -1},  {L"", false, -1},      {L".", false, -1},
        {L"..", false, -1},   {L"1.5.", false, -1}, {L" 1", false, -1},   {L"1e1", false, -1},
        {L"\xFF11", false, -1},  // a full-width digit is not a digit
        {L"99999999999999999999999", false, -1},
    };
    for (const Case& c : cases) {
        const auto code = DelayCodeFromText(c.text, c.minutes);
        if (c.code < 0)
            EXPECT_FALSE(code) << c.text;
        else
            EXPECT_EQ(code, std::optional<uint8_t>(c.code)) << c.text;
    }
    EXPECT_EQ(FilterNumberText(L"a1.2.3b"), L"1.23");

    // A field holding only a point refuses the whole request like any other.
    DelayTexts texts = AllFields(L"1");
    texts[0][4] = L".";
    EXPECT_EQ(BuildApplyDelays(L"1", texts, MinuteBoxes{}).refusal, Refusal::BadDelay);

    // What a field shows for a code read back, and that it reads as the same code.
    EXPECT_EQ(DelayCodeText(0x83), L"1.5");
    EXPECT_EQ(DelayCodeText(0x80), L"0");
    EXPECT_EQ(DelayCodeText(0x14), L"10");
    EXPECT_EQ(DelayCodeText(0x01), L"0.5");
    for (int halves = 0; halves <= 120; ++halves)
        for (bool minutes : {false, true}) {
            const uint8_t code = DelayCode::Encode(halves, minutes);
            EXPECT_EQ(DelayCodeFromText(DelayCodeText(code), minutes), std::optional<uint8_t>(code));
        }
}
