#include "link/RealTime.h"

#include "link/Opcodes.h"
#include "link/TypedNumber.h"

namespace relayon::link {

namespace {

bool ValidGroup(int g) { return g >= 0 && g < kRealTimeGroups; }

PageUpdate GroupAll(int g, bool on) { return {PageUpdate::Kind::GroupAll, g, 0, on}; }

}  // namespace

std::vector<PageUpdate> PageUpdatesAfter(const RealTimeAction& action, const GroupIdTexts& groupIds)
{
    const int g = action.Group;
    std::vector<PageUpdate> updates;
    switch (action.Opcode) {
    case ChannelOn:
    case ChannelOff:
        if (ValidGroup(g) && action.Param2 < kOutletCount)
            updates.push_back({PageUpdate::Kind::Channel, g, action.Param2, action.Opcode == ChannelOn});
        break;
    case GroupAllOn:
    case GroupAllOff:
        if (ValidGroup(g))
            updates.push_back(GroupAll(g, action.Opcode == GroupAllOn));
        break;
    case AllDevicesOn:
    case AllDevicesOff:
        for (int each = 0; each < kRealTimeGroups; ++each)
            if (TypedDeviceId(groupIds[each]))
                updates.push_back(GroupAll(each, action.Opcode == AllDevicesOn));
        break;
    case SetMask:
        if (!ValidGroup(g))
            break;
        if (action.Param1 == MaskAllChannels)
            updates.push_back({PageUpdate::Kind::CopyMaskAll, g, 0, false});
        else if (action.Param1 < kSwitchedChannelCount)
            updates.push_back(
                {PageUpdate::Kind::ChannelEnabled, g, action.Param1 + 1, action.Param2 != SwitchSet});
        break;
    default:
        break;
    }
    return updates;
}

void RealTimeTimer::Queue(const RealTimeAction& action)
{
    pendingAction_ = action;
    actionCountdown_ = kCountdownStart;
    intervalMs_ = kQueuedIntervalMs;
    actionPending_ = true;
}

RealTimeTick RealTimeTimer::Tick(bool pageShown, const GroupIdTexts& groupIds)
{
    if (!pageShown)
        return {};
    return actionPending_ ? SendQueued(groupIds) : Poll(groupIds);
}

RealTimeTick RealTimeTimer::SendQueued(const GroupIdTexts& groupIds)
{
    RealTimeTick tick;
    --actionCountdown_;
    if (actionCountdown_ == 0) {
        actionPending_ = false;
        intervalMs_ = kIdleIntervalMs;
    } else {
        intervalMs_ = kQueuedIntervalMs;
    }
    // Sent twice, on the last two ticks of the countdown: a unit that missed
    // the first frame still gets the second.
    if (actionCountdown_ < 2) {
        const RealTimeAction& a = pendingAction_;
        tick.send = MakeShortPayload(a.DeviceId, a.Opcode, a.Param1, a.Param2);
        tick.updates = PageUpdatesAfter(a, groupIds);
    }
    return tick;
}

RealTimeTick RealTimeTimer::Poll(const GroupIdTexts& groupIds)
{
    RealTimeTick tick;
    for (int attempt = 0; attempt < 3; ++attempt) {
        pollGroup_ = (pollGroup_ + 1) % kRealTimeGroups;
        PollWatch& watch = watch_[pollGroup_];
        const auto id = TypedDeviceId(groupIds[pollGroup_]);
        if (!id) {
            tick.resetGroups.push_back(pollGroup_);
            watch = {};
            continue;
        }
        // A group given another ID starts counting afresh.
        if (watch.deviceId != *id)
            watch = {*id, 0};
        if (watch.unanswered >= kSilentAfterPolls)
            tick.silentGroup = pollGroup_;
        ++watch.unanswered;
        tick.send = PollStatusPayload(*id);
        break;
    }
    return tick;
}

void RealTimeTimer::ReplyAccepted(uint8_t deviceId)
{
    for (PollWatch& watch : watch_)
        if (watch.deviceId != 0 && watch.deviceId == deviceId)
            watch.unanswered = 0;
}

}  // namespace relayon::link
