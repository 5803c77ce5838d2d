#include "link/Replies.h"

#include <algorithm>

#include "link/Frame.h"
#include "link/Opcodes.h"

namespace relayon::link {

bool InfoReport::CascadeIsOn() const { return cascade == InfoCascadeOn; }
bool InfoReport::IsLocked() const { return lock != InfoUnlocked; }

uint8_t InfoReport::DelayCodeOf(int kind, int channel) const
{
    if (channel < 0 || channel >= kOutletCount)
        return 0;
    if (kind == 0)
        return onCodes[static_cast<size_t>(channel)];
    if (kind == 1)
        return offCodes[static_cast<size_t>(channel)];
    return 0;
}

int InfoReport::StartPosition() const
{
    return startChannel < kOutletCount ? startChannel : kLcdChannel;
}

bool StatusReport::LcdOn() const { return (flags & StatusFlags::LcdOn) != 0; }
bool StatusReport::Locked() const { return (flags & StatusFlags::Locked) != 0; }
bool StatusReport::Running() const { return (flags & StatusFlags::Running) != 0; }

bool StatusReport::ChannelOn(int channel) const
{
    return (channels & ChannelBit(channel)) != 0;
}

std::optional<bool> StatusReport::ChannelUsable(int channel) const
{
    if (!enable || ChannelBit(channel) == 0)
        return std::nullopt;
    return (*enable & ChannelBit(channel)) != 0;
}

std::optional<ReplyHead> ReadReplyHead(std::span<const uint8_t> chunk)
{
    if (chunk.empty() || chunk.size() != ReplyLengthForHeader(chunk[0]))
        return std::nullopt;
    ReplyHead head;
    switch (chunk[0]) {
    case AckHeader: head.shape = ReplyShape::Ack; break;
    case ShortHeader: head.shape = ReplyShape::Short; break;
    case StatusHeader: head.shape = ReplyShape::Status; break;
    default: head.shape = ReplyShape::Long; break;
    }
    head.deviceId = chunk[1];
    head.opcode = chunk[2];
    return head;
}

std::optional<StatusReport> DecodeStatus(std::span<const uint8_t> frame)
{
    if (!IsValidReply(frame))
        return std::nullopt;
    StatusReport report;
    report.deviceId = frame[1];
    report.opcode = frame[2];
    if (frame[0] == ShortHeader && frame[2] == PollStatus) {
        report.flags = frame[3];
        report.channels = frame[4];
        return report;
    }
    if (frame[0] == StatusHeader && (frame[2] == StatusReply || frame[2] == StatusNotice)) {
        report.flags = frame[3];
        report.channels = frame[4];
        report.enable = frame[5];
        return report;
    }
    return std::nullopt;
}

std::optional<InfoReport> DecodeInfo(std::span<const uint8_t> frame)
{
    if (!IsValidReply(frame) || frame[0] != LongHeader || frame[2] != InfoReply)
        return std::nullopt;
    InfoReport info;
    info.deviceId = frame[1];
    std::copy_n(frame.begin() + 3, 9, info.onCodes.begin());
    std::copy_n(frame.begin() + 12, 9, info.offCodes.begin());
    info.cascade = frame[21];
    info.startChannel = frame[22];
    info.lock = frame[23];
    return info;
}

std::optional<uint8_t> DecodeReadId(std::span<const uint8_t> frame)
{
    if (!IsValidReply(frame) || frame[0] != ShortHeader || frame[2] != ReadId)
        return std::nullopt;
    return frame[4];
}

std::optional<Acknowledgement> DecodeAck(std::span<const uint8_t> frame)
{
    if (!IsValidReply(frame) || frame[0] != AckHeader)
        return std::nullopt;
    return Acknowledgement{frame[1], frame[2]};
}

std::vector<uint8_t> MakeAck(uint8_t deviceId, uint8_t opcode)
{
    return EncodeReply(AckHeader, deviceId, opcode, {});
}

std::vector<uint8_t> MakePollStatusReply(uint8_t deviceId, uint8_t flags, uint8_t channels)
{
    const uint8_t data[] = {flags, channels};
    return EncodeReply(ShortHeader, deviceId, PollStatus, data);
}

std::vector<uint8_t> MakeStatusFrame(uint8_t deviceId, uint8_t opcode, uint8_t flags,
                                     uint8_t channels, uint8_t enable)
{
    const uint8_t data[] = {flags, channels, enable};
    return EncodeReply(StatusHeader, deviceId, opcode, data);
}

std::vector<uint8_t> MakeReadIdReply(uint8_t deviceId)
{
    const uint8_t data[] = {0, deviceId};
    return EncodeReply(ShortHeader, deviceId, ReadId, data);
}

std::vector<uint8_t> MakeInfoReply(const InfoReport& info)
{
    std::array<uint8_t, 21> data{};
    std::copy(info.onCodes.begin(), info.onCodes.end(), data.begin());
    std::copy(info.offCodes.begin(), info.offCodes.end(), data.begin() + 9);
    data[18] = info.cascade;
    data[19] = info.startChannel;
    data[20] = info.lock;
    return EncodeReply(LongHeader, info.deviceId, InfoReply, data);
}

}  // namespace relayon::link
