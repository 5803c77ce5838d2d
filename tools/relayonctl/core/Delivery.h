// Which reply answers a request.
//
// The console takes any reply it can read as delivery of its last request:
// an acknowledgement repeating the request's ID and opcode, or a status,
// read-ID or information reply. relayonctl takes the same shapes, with two
// differences that keep a wrong answer from reading as success: the frame must
// be intact (ReplyReader drops a frame whose check fails, which the console
// counts as delivered), and it must come from the unit that was asked (the
// console accepts a status reply from any ID). A request for data waits for
// its data frame:
//
//   | request    | answered by (from the asked unit)                         |
//   |------------|-----------------------------------------------------------|
//   | ReadInfo   | 25-byte information reply                                 |
//   | PollStatus | 6-byte status (0xA8) or 7-byte StatusReply (0xB0)         |
//   | ReadId     | 6-byte read-ID reply, from whatever unit is on the line   |
//   | any other  | acknowledgement (ID, opcode), StatusReply, or a 6-byte or |
//   |            | 25-byte data reply                                        |
//
// Requests to ID 0 are answered by any unit. A StatusNotice (0xB1) is sent
// unprompted and answers nothing.
#pragma once

#include <cstdint>
#include <span>

namespace relayon::ctl {

enum class FrameRole {
    Answer,   // delivery of the request
    Foreign,  // an intact frame from a unit that was not asked
    Other,    // from the asked unit but not an answer (a notice, a stale reply)
};

// `payload` is the request as sent; `frame` one frame from ReplyReader.
FrameRole Classify(std::span<const uint8_t> payload, std::span<const uint8_t> frame);

// The unit a frame names (byte 1).
uint8_t FrameDeviceId(std::span<const uint8_t> frame);

}  // namespace relayon::ctl
