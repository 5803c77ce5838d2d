#include "relayonctl/core/Delivery.h"

#include "link/Frame.h"
#include "link/Opcodes.h"

namespace relayon::ctl {

namespace link = relayon::link;

uint8_t FrameDeviceId(std::span<const uint8_t> frame)
{
    return frame.size() > 1 ? frame[1] : 0;
}

FrameRole Classify(std::span<const uint8_t> payload, std::span<const uint8_t> frame)
{
    if (payload.size() < 2 || frame.size() < 3)
        return FrameRole::Other;
    const uint8_t asked = payload[0];
    const uint8_t opcode = payload[1];
    const uint8_t header = frame[0];
    const uint8_t replyOp = frame[2];
    // A WriteId's status-style answer carries the unit's new ID.
    const bool fromAsked = asked == 0 || frame[1] == asked ||
                           (opcode == link::WriteId && payload.size() > 3 && frame[1] == payload[3]);
    if (!fromAsked)
        return FrameRole::Foreign;

    const bool ack = header == link::AckHeader;
    const bool shortStatus = header == link::ShortHeader && replyOp == link::PollStatus;
    const bool readId = header == link::ShortHeader && replyOp == link::ReadId;
    const bool statusReply = header == link::StatusHeader && replyOp == link::StatusReply;
    const bool info = header == link::LongHeader && replyOp == link::InfoReply;
    bool answers = false;
    switch (opcode) {
    case link::ReadInfo: answers = info; break;
    case link::PollStatus: answers = shortStatus || statusReply; break;
    case link::ReadId: answers = readId; break;
    default:
        answers = (ack && frame[1] == asked && replyOp == opcode) || statusReply || shortStatus || readId || info;
        break;
    }
    return answers ? FrameRole::Answer : FrameRole::Other;
}

}  // namespace relayon::ctl
