// The real-time timer (Timer3Timer): sends the action the operator queued on
// the real-time page, otherwise polls the four device groups in turn, and
// says how the page changes after each send. Portable: the console feeds it
// the page state it needs and applies what it returns.
//
// Per tick, only while the real-time page is the selected page:
//   - an action queued: the countdown (5 at queueing) drops by one; the action
//     goes out when it is below 2, so on the fourth and fifth tick after
//     queueing, each time followed by its page update. The interval is 10 ms
//     while queued and back to 100 ms on the tick that empties the queue.
//   - otherwise up to three attempts: advance PollGroup (3 wraps to 0); a
//     group whose ID field holds 1..255 is sent PollStatus and the tick ends;
//     any other group has its display reset and the next group is tried.
// While the page is not shown nothing happens: the queue and polling freeze.
//
// A unit that stops answering would go unnoticed, because every poll restarts
// the console's reply watchdog. So each group counts its polls since the last
// accepted reply from its device; when a group comes up for polling after
// three unanswered polls, the tick names it in `silentGroup` (the console
// shows TxtSentFailed in panel 2). The poll is still sent, and the next
// accepted reply from that device clears the count.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/Requests.h"

namespace relayon::link {

inline constexpr int kRealTimeGroups = 4;

// An action queued by a real-time page handler. DeviceId, Opcode, Param1 and
// Param2 are the payload; Group and Button locate the page update.
struct RealTimeAction {
    uint8_t DeviceId = 0;
    uint8_t Opcode = 0;
    uint8_t Param1 = 0;
    uint8_t Param2 = 0;
    int Group = 0;
    int Button = 0;

    bool operator==(const RealTimeAction&) const = default;
};

// One change the console makes to the real-time page after a send.
struct PageUpdate {
    enum class Kind : uint8_t {
        // Shape_ch[group][channel] and Bn_ch[group][channel]: on = red lamp
        // and caption TxtOff; off = white lamp and caption TxtOn.
        Channel,
        // Bn_grp_all[group] caption "CLEAR" (on) or "ALL" (off); the LCD and
        // every CH1..CH8 whose CB_mask box is unchecked as for Channel.
        GroupAll,
        // Every CB_mask[group][k] takes the state of CB_mask_all[group]
        // without running its click action; Bn_ch[group][k+1] is enabled
        // when that state is unchecked.
        CopyMaskAll,
        // Bn_ch[group][channel] (1..8) enabled when `on`, disabled otherwise.
        ChannelEnabled,
    };
    Kind kind = Kind::Channel;
    int group = 0;
    int channel = 0;
    bool on = false;

    bool operator==(const PageUpdate&) const = default;
};

// What one tick asks of the console, in the order to apply it.
struct RealTimeTick {
    std::vector<int> resetGroups;      // lamps white and Bn_ch captions TxtOn, first
    std::optional<ShortPayload> send;  // then SendRequest with this payload
    std::vector<PageUpdate> updates;   // then these, after the send
    std::optional<int> silentGroup;    // show TxtSentFailed: this group's unit is silent
};

// The texts of Ed_grp_id[0..3] at the moment of the tick.
using GroupIdTexts = std::array<std::wstring, kRealTimeGroups>;

class RealTimeTimer {
public:
    static constexpr unsigned kIdleIntervalMs = 100;
    static constexpr unsigned kQueuedIntervalMs = 10;
    static constexpr int kCountdownStart = 5;
    static constexpr int kSilentAfterPolls = 3;

    // Queues `action`, replacing one not yet completed; the countdown restarts.
    void Queue(const RealTimeAction& action);

    // One tick of Timer3. `pageShown`: the real-time page is the selected page.
    RealTimeTick Tick(bool pageShown, const GroupIdTexts& groupIds);

    // An accepted reply (its check byte intact) came from `deviceId`.
    void ReplyAccepted(uint8_t deviceId);

    // LinkFlags' ActionPending: the receiver ignores 7-byte status frames while set.
    bool ActionPending() const { return actionPending_; }
    // The interval Timer3 should run at now.
    unsigned IntervalMs() const { return intervalMs_; }
    // The group polled last (0..3).
    int PollGroup() const { return pollGroup_; }

private:
    RealTimeTick SendQueued(const GroupIdTexts& groupIds);
    RealTimeTick Poll(const GroupIdTexts& groupIds);

    struct PollWatch {
        uint8_t deviceId = 0;  // 0: nothing polled since the group was last usable
        int unanswered = 0;
    };

    RealTimeAction pendingAction_;
    bool actionPending_ = false;
    int actionCountdown_ = 0;
    int pollGroup_ = 0;
    unsigned intervalMs_ = kIdleIntervalMs;
    std::array<PollWatch, kRealTimeGroups> watch_{};
};

// The page update that follows sending `action` (none for SequenceOn,
// ReverseOff and anything unknown). AllDevicesOn/Off update every group whose
// ID field holds 1..255 now.
std::vector<PageUpdate> PageUpdatesAfter(const RealTimeAction& action, const GroupIdTexts& groupIds);

}  // namespace relayon::link
