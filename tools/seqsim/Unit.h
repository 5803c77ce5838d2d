// One simulated power sequencer: nine outlets (LCD, CH1..CH8), their switch-on
// and switch-off delays, cascade mode with a start channel, lock, the enable
// (mask) bits of CH1..CH8, and a timed sequence that switches the outlets one
// by one. Portable and clock-free: every call takes the current time in
// milliseconds of whatever clock the caller runs, so tests step time by hand.
//
// Requests the unit answers (payload = ID, opcode, arg1, arg2 [, ...]):
//
//   | opcode          | effect                                           | reply (short style)    |
//   |-----------------|--------------------------------------------------|------------------------|
//   | ChannelOn/Off   | one outlet (0 LCD, 1..8) on/off; stops a sequence| ack 54 ID op           |
//   | GroupAllOn/Off  | LCD and every unmasked CH on/off; stops sequence | ack                    |
//   | AllDevicesOn/Off| same as GroupAllOn/Off (sent with ID 0)          | ack                    |
//   | SequenceOn      | timed switch-on LCD, CH1..CH8 (switch-on delays) | ack                    |
//   | ReverseOff      | timed switch-off CH8..CH1, LCD (switch-off delays)| ack                   |
//   | SequenceControl | 2 cascade on + start, 5 cascade off, 7 start,    | ack                    |
//   |                 | 8 switch on, 9 switch off (see Sequence below)   |                        |
//   | SetDelays       | stores 18 DelayCodes (each <= 120 half units)    | ack                    |
//   | PollStatus      | none                                             | 55 ID A8 flags ch chk  |
//   | ReadInfo        | none                                             | 56 ID A7 ... 25 bytes  |
//   | WriteId         | takes the new ID (1..255)                        | ack (old ID)           |
//   | ReadId          | none                                             | 55 ID AB 00 ID chk     |
//   | SetLock         | AA lock, 55 unlock                               | ack                    |
//   | SetMask         | ch 0..7 or FF all; AA masked, 55 usable          | ack                    |
//
// In the status reply style, PollStatus and every request answered by an ack
// above are answered with the 7-byte StatusReply (57 ID B0 flags ch enable chk)
// showing the state after the request. Acknowledgements echo payload bytes 0
// and 1, so a request sent to ID 0 is acknowledged with ID 0.
// Requests with an unknown opcode or an argument out of range change nothing
// and get no reply. A locked unit refuses (acknowledges but ignores) every
// switching request: channel, group, all-devices, sequence and the
// SequenceControl sub-commands 7, 8 and 9.
//
// Sequence: an ordered list of outlets and a direction. The first outlet
// switches its own delay after the request, each next one its own delay
// after the previous step (delays scaled by the time scale). Masked channels
// are left out; outlets already in the target state still take their delay.
// The running flag is set from the request until the last step.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace relayon::seqsim {

using Bytes = std::vector<uint8_t>;

enum class ReplyStyle { Short, Status };

struct UnitSettings {
    ReplyStyle style = ReplyStyle::Short;
    bool notices = false;  // send StatusNotice frames when a sequence or the front panel changes the state
    bool silent = false;   // acts on requests but never transmits
};

// Factory delay of every outlet: 1 second (two half seconds).
inline constexpr uint8_t kFactoryDelayCode = 0x02;

class Unit {
public:
    explicit Unit(uint8_t id, UnitSettings settings = {});

    // Applies a request that reached this unit (its ID or ID 0) and returns
    // the reply it would send, empty for none. `timeScale` multiplies every
    // delay (1.0 = real seconds, 0.01 = one second lasts 10 ms).
    Bytes Apply(std::span<const uint8_t> payload, int64_t nowMs, double timeScale);

    // Performs the sequence steps due at `nowMs`; returns the StatusNotice
    // frames those steps produce (only with notices enabled).
    std::vector<Bytes> Advance(int64_t nowMs);
    // When the next sequence step is due, if one is pending.
    std::optional<int64_t> NextStepMs() const;

    // Front panel: the same state changes a person makes at the unit, honoured
    // whatever the lock. Each returns a StatusNotice when notices are enabled.
    std::optional<Bytes> PanelSwitch(int channel, bool on);
    std::optional<Bytes> PanelLock(bool locked);
    std::optional<Bytes> PanelMask(int channel, bool masked);

    // Factory state: everything off, factory delays, cascade off from LCD,
    // unlocked, nothing masked, no sequence. ID and settings stay.
    void Reset();

    uint8_t Id() const { return id_; }
    // The ID the unit was made with, whatever WriteId did since.
    uint8_t FirstId() const { return firstId_; }
    void SetId(uint8_t id) { id_ = id; }
    UnitSettings& Settings() { return settings_; }
    const UnitSettings& Settings() const { return settings_; }

    bool OutletOn(int channel) const { return outlets_.at(static_cast<size_t>(channel)); }
    bool Locked() const { return locked_; }
    bool Running() const { return sequence_.has_value(); }
    bool Cascade() const { return cascade_; }
    uint8_t StartChannel() const { return startChannel_; }
    uint8_t OnDelay(int channel) const { return onDelays_.at(static_cast<size_t>(channel)); }
    uint8_t OffDelay(int channel) const { return offDelays_.at(static_cast<size_t>(channel)); }
    uint8_t EnableBits() const { return enable_; }
    bool Masked(int channel) const;  // channel 1..8

    uint8_t StatusFlagsByte() const;
    uint8_t ChannelBitsByte() const;
    Bytes StatusNoticeFrame() const;

private:
    struct Sequence {
        std::vector<int> order;
        bool switchOn = true;
        size_t next = 0;
        int64_t dueMs = 0;
        double timeScale = 1.0;
    };

    // The reply for a request that changed state (or was refused): ack or StatusReply.
    Bytes Acknowledge(std::span<const uint8_t> payload) const;
    bool ApplySwitching(uint8_t opcode, uint8_t arg1, uint8_t arg2, int64_t nowMs, double timeScale);
    bool ApplySequenceControl(uint8_t subCommand, uint8_t startChannel, int64_t nowMs, double timeScale);
    void SwitchGroup(bool on);
    void BeginSequence(bool switchOn, int startChannel, int64_t nowMs, double timeScale);
    int64_t ScaledDelay(int channel, bool switchOn, double timeScale) const;
    std::optional<Bytes> NoticeIfEnabled() const;

    uint8_t id_;
    uint8_t firstId_;
    UnitSettings settings_;
    std::array<bool, 9> outlets_{};
    std::array<uint8_t, 9> onDelays_{};
    std::array<uint8_t, 9> offDelays_{};
    bool cascade_ = false;
    uint8_t startChannel_ = 0;
    bool locked_ = false;
    uint8_t enable_ = 0xFF;
    std::optional<Sequence> sequence_;
};

}  // namespace relayon::seqsim
