// Payload builders for the sixteen requests of the command set (see Opcodes.h
// for the byte layout); each result goes through EncodeRequest or SendRequest.
// These take values already checked; Commands.h and GroupActions.h apply the
// operator-facing checks to typed texts first.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "link/Opcodes.h"

namespace relayon::link {

using ShortPayload = std::array<uint8_t, 4>;
using DelayPayload = std::array<uint8_t, 20>;

constexpr ShortPayload MakeShortPayload(uint8_t deviceId, uint8_t opcode, uint8_t arg1, uint8_t arg2)
{
    return {deviceId, opcode, arg1, arg2};
}

constexpr ShortPayload ReadIdPayload() { return MakeShortPayload(0, ReadId, 0, 0); }
constexpr ShortPayload PollStatusPayload(uint8_t id) { return MakeShortPayload(id, PollStatus, 0, 0); }
constexpr ShortPayload ReadInfoPayload(uint8_t id) { return MakeShortPayload(id, ReadInfo, 0, 0); }
constexpr ShortPayload WriteIdPayload(uint8_t oldId, uint8_t newId) { return MakeShortPayload(oldId, WriteId, 0, newId); }
constexpr ShortPayload ChannelPayload(uint8_t id, bool on, uint8_t channel)
{
    return MakeShortPayload(id, on ? ChannelOn : ChannelOff, 0, channel);
}
constexpr ShortPayload GroupAllPayload(uint8_t id, bool on)
{
    return MakeShortPayload(id, on ? GroupAllOn : GroupAllOff, 0, 0);
}
constexpr ShortPayload SequenceOnPayload(uint8_t id) { return MakeShortPayload(id, SequenceOn, 0, 0); }
constexpr ShortPayload ReverseOffPayload(uint8_t id) { return MakeShortPayload(id, ReverseOff, 0, 0); }
// Meant for every unit on the line, so the ID byte is 0.
constexpr ShortPayload AllDevicesPayload(bool on)
{
    return MakeShortPayload(0, on ? AllDevicesOn : AllDevicesOff, 0, 0);
}
constexpr ShortPayload SequenceControlPayload(uint8_t id, uint8_t subCommand, uint8_t startChannel)
{
    return MakeShortPayload(id, SequenceControl, subCommand, startChannel);
}
constexpr ShortPayload SetLockPayload(uint8_t id, bool locked)
{
    return MakeShortPayload(id, SetLock, locked ? SwitchSet : SwitchClear, 0);
}
constexpr ShortPayload SetMaskPayload(uint8_t id, uint8_t maskChannel, bool masked)
{
    return MakeShortPayload(id, SetMask, maskChannel, masked ? SwitchSet : SwitchClear);
}

// ID, SetDelays, the nine switch-on codes (LCD..CH8), the nine switch-off codes.
DelayPayload SetDelaysPayload(uint8_t id, std::span<const uint8_t, 9> onCodes,
                              std::span<const uint8_t, 9> offCodes);

}  // namespace relayon::link
