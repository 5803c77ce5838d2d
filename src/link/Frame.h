// Frame layouts of the sequencer wire protocol and the helpers that build and
// check them. Portable: no transport, no user interface.
//
// Request frame (console -> sequencer), N payload bytes:
//
//   | byte      | content                                             |
//   |-----------|-----------------------------------------------------|
//   | 0         | header: ShortHeader 0x55 if N <= 6, LongHeader 0x56 |
//   | 1 .. N    | payload: device ID, opcode, arguments                |
//   | N + 1     | check: XOR of the N payload bytes                    |
//
// Reply frames (sequencer -> console); header and total length must agree:
//
//   | header | name         | length | layout                                   | check                   |
//   |--------|--------------|--------|------------------------------------------|-------------------------|
//   | 0x54   | AckHeader    | 3      | header, ID, opcode                       | none                    |
//   | 0x55   | ShortHeader  | 6      | header, ID, opcode, d1, d2, check        | XOR of bytes 1..5 == 0  |
//   | 0x57   | StatusHeader | 7      | header, ID, opcode, d1, d2, d3, check    | XOR of bytes 1..6 == 0  |
//   | 0x56   | LongHeader   | 25     | header, ID, opcode, 21 data bytes, check | XOR of bytes 1..24 == 0 |
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace relayon::link {

inline constexpr uint8_t AckHeader = 0x54;
inline constexpr uint8_t ShortHeader = 0x55;
inline constexpr uint8_t LongHeader = 0x56;
inline constexpr uint8_t StatusHeader = 0x57;

// Largest payload that still travels under ShortHeader.
inline constexpr size_t kMaxShortPayload = 6;

inline constexpr size_t kAckReplyLength = 3;
inline constexpr size_t kShortReplyLength = 6;
inline constexpr size_t kStatusReplyLength = 7;
inline constexpr size_t kLongReplyLength = 25;

// XOR of all bytes; 0 for an empty span.
uint8_t XorCheck(std::span<const uint8_t> bytes);

// The header a request payload of `payloadSize` bytes travels under.
constexpr uint8_t RequestHeaderFor(size_t payloadSize)
{
    return payloadSize <= kMaxShortPayload ? ShortHeader : LongHeader;
}

// Header + payload unchanged + XOR check of the payload: payload.size() + 2 bytes.
std::vector<uint8_t> EncodeRequest(std::span<const uint8_t> payload);

// The same frame as text: two uppercase hex digits per byte, no separators,
// e.g. payload 00 AB 00 00 -> "5500AB0000AB".
std::string RequestHexText(std::span<const uint8_t> payload);

// 0..15 for 0-9, A-F, a-f; -1 for any other character.
int HexDigitValue(char c);

// Appends the bytes of a hex text to `out` and returns how many were appended.
// Walks from the start: a space where a pair would begin is skipped; otherwise
// the character and the next form one byte, high digit first. A single digit
// left at the end is ignored. A pair holding anything but hex digits ends the
// conversion there (the send path never produces one; stopping keeps a damaged
// text from turning into bytes nobody meant to send).
size_t HexToBytes(std::string_view text, std::vector<uint8_t>& out);

// Total length of the reply frame that starts with `header`; 0 when `header`
// starts no reply shape.
size_t ReplyLengthForHeader(uint8_t header);

// True when `frame` is exactly one reply frame: a known header, the length
// that header demands and, for all but the acknowledgement, a zero XOR over
// the bytes after the header. Never reads outside `frame`.
bool IsValidReply(std::span<const uint8_t> frame);

// Builds a reply frame: header, ID, opcode, data, and (except for AckHeader)
// the check byte. The caller supplies as many data bytes as the shape holds
// (0, 2, 3 or 21); a wrong count yields an empty vector.
std::vector<uint8_t> EncodeReply(uint8_t header, uint8_t deviceId, uint8_t opcode,
                                 std::span<const uint8_t> data);

// "55 00 AB" style text, for logs.
std::string BytesToSpacedHex(std::span<const uint8_t> bytes);

}  // namespace relayon::link
