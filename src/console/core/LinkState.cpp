#include "console/core/LinkState.h"

#include <algorithm>

#include "link/Opcodes.h"

namespace relayon::console {

void LinkState::Reset()
{
    LinkFlags = 0;
    RxTick = 0;
    ReplyWait = 0;
}

void LinkState::RequestSent(std::span<const uint8_t> payload)
{
    // Bytes beyond a shorter request keep their earlier values; a long
    // request leaves LastCmd alone, so a later acknowledgement still names
    // the last short one.
    if (payload.size() <= kLastCmdSize)
        std::copy(payload.begin(), payload.end(), LastCmd.begin());
    if (payload.size() > 1 && payload[1] == link::ReadInfo)
        LinkFlags |= InfoRequested;
    else
        LinkFlags &= ~InfoRequested;
    RxTick = 0;
    ReplyWait = 0;
}

bool LinkState::ReadDue(bool overTcp)
{
    const uint8_t every = overTcp && IsInfoRequested() ? kTcpReadEveryWhileInfo : kReadEvery;
    if (RxTick < every) {
        ++RxTick;
        return false;
    }
    RxTick = 0;
    return true;
}

bool LinkState::WatchdogTick()
{
    if (ReplyWait != 0) {
        ReplyWait = 0;
        return true;
    }
    ReplyWait = 1;
    return false;
}

bool LinkState::Acknowledges(uint8_t deviceId, uint8_t opcode) const
{
    return LastCmd[0] == deviceId && LastCmd[1] == opcode;
}

void LinkState::SetActionPending(bool pending)
{
    if (pending)
        LinkFlags |= ActionPending;
    else
        LinkFlags &= ~ActionPending;
}

bool LinkState::IsGroupRunning(int group) const
{
    return group >= 0 && group < kGroups && GroupRunning[static_cast<size_t>(group)] != 0;
}

void LinkState::SetGroupRunning(int group, bool running)
{
    if (group >= 0 && group < kGroups)
        GroupRunning[static_cast<size_t>(group)] = running ? 1 : 0;
}

}  // namespace relayon::console
