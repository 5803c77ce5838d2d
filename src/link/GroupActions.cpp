#include "link/GroupActions.h"

#include "link/Opcodes.h"
#include "link/TypedNumber.h"

namespace relayon::link {

namespace {

// Index in RealTimeAction::Button of a channel button: the channel plus the
// three buttons that precede the channels in a group's keyboard order.
constexpr int kChannelButtonOffset = 3;

QueuedAction Refused(Refusal why) { return {why, {}}; }

// The ID, lock and running checks of the switching buttons, in that order.
Refusal SwitchingRefusal(const GroupState& state)
{
    if (!TypedDeviceId(state.idText))
        return Refusal::BadId;
    if (state.lockChecked)
        return Refusal::Locked;
    if (state.running)
        return Refusal::Running;
    return Refusal::None;
}

QueuedAction Switching(int group, const GroupState& state, uint8_t opcode, uint8_t param2, int button)
{
    const Refusal refusal = SwitchingRefusal(state);
    if (refusal != Refusal::None)
        return Refused(refusal);
    return {Refusal::None, {*TypedDeviceId(state.idText), opcode, 0, param2, group, button}};
}

QueuedAction Mask(int group, std::wstring_view idText, uint8_t maskChannel, bool checkedNow, int button)
{
    const auto id = TypedDeviceId(idText);
    if (!id)
        return Refused(Refusal::BadId);
    return {Refusal::None,
            {*id, SetMask, maskChannel, checkedNow ? SwitchSet : SwitchClear, group, button}};
}

}  // namespace

QueuedAction SequenceOnClick(int group, const GroupState& state)
{
    return Switching(group, state, SequenceOn, 0, 0);
}

QueuedAction ReverseOffClick(int group, const GroupState& state)
{
    return Switching(group, state, ReverseOff, 0, 0);
}

QueuedAction ChannelClick(int group, int channel, const GroupState& state, bool captionIsOnWord)
{
    return Switching(group, state, captionIsOnWord ? ChannelOn : ChannelOff, static_cast<uint8_t>(channel),
                     channel + kChannelButtonOffset);
}

QueuedAction GroupAllClick(int group, const GroupState& state, bool captionIsAll)
{
    return Switching(group, state, captionIsAll ? GroupAllOn : GroupAllOff, 0, 0);
}

QueuedAction MaskClick(int group, int maskIndex, std::wstring_view idText, bool checkedNow)
{
    return Mask(group, idText, static_cast<uint8_t>(maskIndex), checkedNow, maskIndex);
}

QueuedAction MaskAllClick(int group, std::wstring_view idText, bool checkedNow)
{
    return Mask(group, idText, MaskAllChannels, checkedNow, 0);
}

RealTimeAction AllDevicesClick(bool on)
{
    return {0, on ? AllDevicesOn : AllDevicesOff, 0, 0, 0, 0};
}

}  // namespace relayon::link
