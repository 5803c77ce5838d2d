// The device link's own state, kept by the main window and private to the
// send path, the receive timer, the reply watchdog and the receiver:
//
//   | field          | meaning                                                        |
//   |----------------|----------------------------------------------------------------|
//   | `LastCmd`      | payload of the last request of at most 6 bytes; bytes 0 and 1  |
//   |                | (ID, opcode) are what a 3-byte acknowledgement must name       |
//   | `LinkFlags`    | bit 0 `ActionPending` (a real-time action is queued), bit 1    |
//   |                | `InfoRequested` (the last request read a unit's information)   |
//   | `RxTick`       | receive timer ticks since the line was last read               |
//   | `ReplyWait`    | watchdog ticks since the last request (0 or 1)                 |
//   | `GroupRunning` | per real-time group: the unit reported it runs a sequence      |
//
// Portable: no window, no transport.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace relayon::console {

inline constexpr uint32_t ActionPending = 1u << 0;
inline constexpr uint32_t InfoRequested = 1u << 1;

class LinkState {
public:
    static constexpr int kGroups = 4;
    static constexpr size_t kLastCmdSize = 6;
    // The line is read on every 6th receive tick; over TCP on every 21st
    // while the long information reply is awaited.
    static constexpr uint8_t kReadEvery = 5;
    static constexpr uint8_t kTcpReadEveryWhileInfo = 20;

    // Start-up: nothing sent, nothing queued, the cadence from the beginning.
    void Reset();

    // The send path hands a request to the transport: keeps a short payload
    // in LastCmd, notes whether it reads information, restarts the cadence
    // and the watchdog count.
    void RequestSent(std::span<const uint8_t> payload);

    // One receive tick; true when this tick reads the line. `overTcp`
    // selects the slower cadence while information is awaited.
    bool ReadDue(bool overTcp);

    // One watchdog tick; true on the second tick after a request, when the
    // failure is to be shown (the count starts again).
    bool WatchdogTick();

    // A 3-byte acknowledgement naming this device and opcode answers the
    // last short request.
    bool Acknowledges(uint8_t deviceId, uint8_t opcode) const;

    bool IsActionPending() const { return (LinkFlags & ActionPending) != 0; }
    void SetActionPending(bool pending);
    bool IsInfoRequested() const { return (LinkFlags & InfoRequested) != 0; }

    // Groups outside 0..3 are never running and cannot be set.
    bool IsGroupRunning(int group) const;
    void SetGroupRunning(int group, bool running);

    // Read-only views of the fields, for diagnostics and tests.
    const std::array<uint8_t, kLastCmdSize>& LastCommand() const { return LastCmd; }
    uint32_t Flags() const { return LinkFlags; }
    uint8_t ReceiveTick() const { return RxTick; }
    uint8_t WatchdogCount() const { return ReplyWait; }

private:
    std::array<uint8_t, kLastCmdSize> LastCmd{};
    uint32_t LinkFlags = 0;
    uint8_t RxTick = 0;
    uint8_t ReplyWait = 0;
    std::array<uint8_t, kGroups> GroupRunning{};
};

}  // namespace relayon::console
