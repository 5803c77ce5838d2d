#include "link/Commands.h"

#include <optional>

#include "link/DelayText.h"
#include "link/Opcodes.h"
#include "link/Requests.h"
#include "link/TypedNumber.h"

namespace relayon::link {

namespace {

template <size_t N>
BuiltRequest Sendable(const std::array<uint8_t, N>& payload)
{
    return {Refusal::None, Payload(payload.begin(), payload.end())};
}

BuiltRequest Refused(Refusal why) { return {why, {}}; }

// The start-channel byte: the item index taken as a byte, so -1 becomes 0xFF.
uint8_t StartChannelByte(int itemIndex) { return static_cast<uint8_t>(itemIndex); }

}  // namespace

BuiltRequest BuildReadInfo(std::wstring_view connIdText)
{
    const auto id = TypedDeviceId(connIdText);
    if (!id)
        return Refused(Refusal::BadId);
    return Sendable(ReadInfoPayload(*id));
}

BuiltRequest BuildReadId() { return Sendable(ReadIdPayload()); }

BuiltRequest BuildWriteId(std::wstring_view oldIdText, std::wstring_view newIdText)
{
    const auto oldId = TypedDeviceIdOrZero(oldIdText);
    if (!oldId)
        return Refused(Refusal::BadId);
    const auto newId = TypedDeviceId(newIdText);
    if (!newId)
        return Refused(Refusal::BadId);
    return Sendable(WriteIdPayload(*oldId, *newId));
}

BuiltRequest BuildApplyDelays(std::wstring_view connIdText, const DelayTexts& texts,
                              const MinuteBoxes& minutes)
{
    const auto id = TypedDeviceId(connIdText);
    if (!id)
        return Refused(Refusal::BadId);
    std::array<std::array<uint8_t, 9>, 2> codes{};
    for (size_t h = 0; h < 2; ++h)
        for (size_t c = 0; c < 9; ++c) {
            const auto code = DelayCodeFromText(texts[h][c], minutes[h][c]);
            if (!code)
                return Refused(Refusal::BadDelay);
            codes[h][c] = *code;
        }
    return Sendable(SetDelaysPayload(*id, codes[0], codes[1]));
}

BuiltRequest BuildSequenceControl(std::wstring_view connIdText, uint8_t subCommand, int startItemIndex)
{
    const auto id = TypedDeviceId(connIdText);
    if (!id)
        return Refused(Refusal::BadId);
    return Sendable(SequenceControlPayload(*id, subCommand, StartChannelByte(startItemIndex)));
}

BuiltRequest BuildCascade(std::wstring_view connIdText, bool checkedNow, int startItemIndex)
{
    return BuildSequenceControl(connIdText, checkedNow ? CascadeOn : CascadeOff, startItemIndex);
}

BuiltRequest BuildSetLock(std::wstring_view connIdText, bool checkedNow)
{
    const auto id = TypedDeviceId(connIdText);
    if (!id)
        return Refused(Refusal::BadId);
    return Sendable(SetLockPayload(*id, checkedNow));
}

}  // namespace relayon::link
