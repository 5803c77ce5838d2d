#include "seqsim/Unit.h"

#include <algorithm>
#include <cmath>

#include "link/Opcodes.h"
#include "link/Replies.h"

namespace relayon::seqsim {

using namespace relayon::link;

namespace {

// Switch-on order starting at `start`: start..CH8, then LCD..start-1.
std::vector<int> SwitchOnOrder(int start)
{
    std::vector<int> order;
    for (int i = 0; i < kOutletCount; ++i)
        order.push_back((start + i) % kOutletCount);
    return order;
}

bool IsValidChannel(uint8_t channel) { return channel < kOutletCount; }

}  // namespace

Unit::Unit(uint8_t id, UnitSettings settings) : id_(id), firstId_(id), settings_(settings) { Reset(); }

void Unit::Reset()
{
    outlets_.fill(false);
    onDelays_.fill(kFactoryDelayCode);
    offDelays_.fill(kFactoryDelayCode);
    cascade_ = false;
    startChannel_ = 0;
    locked_ = false;
    enable_ = 0xFF;
    sequence_.reset();
}

bool Unit::Masked(int channel) const
{
    return channel >= 1 && channel <= 8 && (enable_ & ChannelBit(channel)) == 0;
}

uint8_t Unit::StatusFlagsByte() const
{
    uint8_t flags = 0;
    if (outlets_[kLcdChannel])
        flags |= StatusFlags::LcdOn;
    if (locked_)
        flags |= StatusFlags::Locked;
    if (Running())
        flags |= StatusFlags::Running;
    return flags;
}

uint8_t Unit::ChannelBitsByte() const
{
    uint8_t bits = 0;
    for (int ch = 1; ch <= 8; ++ch)
        if (outlets_[static_cast<size_t>(ch)])
            bits |= ChannelBit(ch);
    return bits;
}

Bytes Unit::StatusNoticeFrame() const
{
    return MakeStatusFrame(id_, StatusNotice, StatusFlagsByte(), ChannelBitsByte(), enable_);
}

std::optional<Bytes> Unit::NoticeIfEnabled() const
{
    if (!settings_.notices)
        return std::nullopt;
    return StatusNoticeFrame();
}

Bytes Unit::Acknowledge(std::span<const uint8_t> payload) const
{
    if (settings_.style == ReplyStyle::Status)
        return MakeStatusFrame(id_, StatusReply, StatusFlagsByte(), ChannelBitsByte(), enable_);
    return MakeAck(payload[0], payload[1]);
}

Bytes Unit::Apply(std::span<const uint8_t> payload, int64_t nowMs, double timeScale)
{
    if (payload.size() < 2)
        return {};
    const uint8_t opcode = payload[1];
    if (opcode == SetDelays) {
        if (payload.size() != 20)
            return {};
        for (size_t i = 2; i < 20; ++i)
            if (DelayCode::HalfUnits(payload[i]) > DelayCode::kMaxHalfUnits)
                return {};
        for (size_t c = 0; c < 9; ++c) {
            onDelays_[c] = payload[2 + c];
            offDelays_[c] = payload[11 + c];
        }
        return Acknowledge(payload);
    }
    if (payload.size() != 4)
        return {};
    const uint8_t arg1 = payload[2];
    const uint8_t arg2 = payload[3];
    switch (opcode) {
    case PollStatus:
        if (settings_.style == ReplyStyle::Status)
            return MakeStatusFrame(id_, StatusReply, StatusFlagsByte(), ChannelBitsByte(), enable_);
        return MakePollStatusReply(id_, StatusFlagsByte(), ChannelBitsByte());
    case ReadInfo: {
        InfoReport info;
        info.deviceId = id_;
        info.onCodes = onDelays_;
        info.offCodes = offDelays_;
        info.cascade = cascade_ ? InfoCascadeOn : 0;
        info.startChannel = startChannel_;
        info.lock = locked_ ? SwitchSet : InfoUnlocked;
        return MakeInfoReply(info);
    }
    case ReadId:
        return MakeReadIdReply(id_);
    case WriteId:
        if (arg2 == 0)
            return {};
        id_ = arg2;
        return Acknowledge(payload);
    case SetLock:
        if (arg1 != SwitchSet && arg1 != SwitchClear)
            return {};
        locked_ = arg1 == SwitchSet;
        return Acknowledge(payload);
    case SetMask: {
        if (arg2 != SwitchSet && arg2 != SwitchClear)
            return {};
        uint8_t bits;
        if (arg1 == MaskAllChannels)
            bits = 0xFF;
        else if (arg1 < 8)
            bits = ChannelBit(arg1 + 1);
        else
            return {};
        if (arg2 == SwitchSet)
            enable_ &= static_cast<uint8_t>(~bits);
        else
            enable_ |= bits;
        return Acknowledge(payload);
    }
    case SequenceControl:
        if (!ApplySequenceControl(arg1, arg2, nowMs, timeScale))
            return {};
        return Acknowledge(payload);
    case ChannelOn:
    case ChannelOff:
    case GroupAllOn:
    case GroupAllOff:
    case AllDevicesOn:
    case AllDevicesOff:
    case SequenceOn:
    case ReverseOff:
        if (!ApplySwitching(opcode, arg1, arg2, nowMs, timeScale))
            return {};
        return Acknowledge(payload);
    default:
        return {};
    }
}

bool Unit::ApplySwitching(uint8_t opcode, uint8_t arg1, uint8_t arg2, int64_t nowMs, double timeScale)
{
    if ((opcode == ChannelOn || opcode == ChannelOff) && !IsValidChannel(arg2))
        return false;
    if (locked_)
        return true;  // received and refused
    switch (opcode) {
    case ChannelOn:
    case ChannelOff:
        sequence_.reset();
        outlets_[arg2] = opcode == ChannelOn;
        break;
    case GroupAllOn:
    case AllDevicesOn:
        sequence_.reset();
        SwitchGroup(true);
        break;
    case GroupAllOff:
    case AllDevicesOff:
        sequence_.reset();
        SwitchGroup(false);
        break;
    case SequenceOn:
        BeginSequence(true, kLcdChannel, nowMs, timeScale);
        break;
    case ReverseOff:
        BeginSequence(false, kLcdChannel, nowMs, timeScale);
        break;
    default:
        break;
    }
    return true;
}

bool Unit::ApplySequenceControl(uint8_t subCommand, uint8_t startChannel, int64_t nowMs, double timeScale)
{
    const int start = IsValidChannel(startChannel) ? startChannel : startChannel_;
    switch (subCommand) {
    case CascadeOn:
        cascade_ = true;
        if (IsValidChannel(startChannel))
            startChannel_ = startChannel;
        return true;
    case CascadeOff:
        cascade_ = false;
        return true;
    case StartSequence: {
        if (locked_ || !cascade_)
            return true;
        bool anyOn = false;
        for (int ch = 0; ch < kOutletCount; ++ch)
            anyOn = anyOn || (outlets_[static_cast<size_t>(ch)] && !Masked(ch));
        BeginSequence(!anyOn, startChannel_, nowMs, timeScale);
        return true;
    }
    case SwitchOn:
    case SwitchOff:
        if (!locked_)
            BeginSequence(subCommand == SwitchOn, start, nowMs, timeScale);
        return true;
    default:
        return false;
    }
}

void Unit::SwitchGroup(bool on)
{
    for (int ch = 0; ch < kOutletCount; ++ch)
        if (!Masked(ch))
            outlets_[static_cast<size_t>(ch)] = on;
}

int64_t Unit::ScaledDelay(int channel, bool switchOn, double timeScale) const
{
    uint8_t code = switchOn ? onDelays_[static_cast<size_t>(channel)] : offDelays_[static_cast<size_t>(channel)];
    return static_cast<int64_t>(std::llround(static_cast<double>(DelayCode::Milliseconds(code)) * timeScale));
}

void Unit::BeginSequence(bool switchOn, int startChannel, int64_t nowMs, double timeScale)
{
    Sequence seq;
    seq.switchOn = switchOn;
    seq.timeScale = timeScale;
    std::vector<int> order = SwitchOnOrder(startChannel);
    if (!switchOn)
        std::reverse(order.begin(), order.end());
    for (int ch : order)
        if (!Masked(ch))
            seq.order.push_back(ch);
    if (seq.order.empty()) {
        sequence_.reset();
        return;
    }
    seq.dueMs = nowMs + ScaledDelay(seq.order[0], switchOn, timeScale);
    sequence_ = std::move(seq);
}

std::optional<int64_t> Unit::NextStepMs() const
{
    if (!sequence_)
        return std::nullopt;
    return sequence_->dueMs;
}

std::vector<Bytes> Unit::Advance(int64_t nowMs)
{
    std::vector<Bytes> notices;
    while (sequence_ && nowMs >= sequence_->dueMs) {
        Sequence& seq = *sequence_;
        const size_t channel = static_cast<size_t>(seq.order[seq.next]);
        const bool changed = outlets_[channel] != seq.switchOn;
        outlets_[channel] = seq.switchOn;
        ++seq.next;
        const bool finished = seq.next >= seq.order.size();
        if (finished)
            sequence_.reset();
        else
            seq.dueMs += ScaledDelay(seq.order[seq.next], seq.switchOn, seq.timeScale);
        if (changed || finished)
            if (auto notice = NoticeIfEnabled())
                notices.push_back(std::move(*notice));
    }
    return notices;
}

std::optional<Bytes> Unit::PanelSwitch(int channel, bool on)
{
    if (channel < 0 || channel >= kOutletCount)
        return std::nullopt;
    sequence_.reset();
    outlets_[static_cast<size_t>(channel)] = on;
    return NoticeIfEnabled();
}

std::optional<Bytes> Unit::PanelLock(bool locked)
{
    locked_ = locked;
    return NoticeIfEnabled();
}

std::optional<Bytes> Unit::PanelMask(int channel, bool masked)
{
    if (channel < 1 || channel > 8)
        return std::nullopt;
    if (masked)
        enable_ &= static_cast<uint8_t>(~ChannelBit(channel));
    else
        enable_ |= ChannelBit(channel);
    return NoticeIfEnabled();
}

}  // namespace relayon::seqsim
