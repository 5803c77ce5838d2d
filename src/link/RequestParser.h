// Incremental parser of request frames, for the receiving side of the link
// (the simulator): bytes arrive in any split, frames come out whole.
//
//   | header           | frame length | payload                          |
//   |------------------|--------------|----------------------------------|
//   | 0x55 ShortHeader | 6            | 4 bytes: ID, opcode, arg, arg    |
//   | 0x56 LongHeader  | 22           | 20 bytes: ID, SetDelays, 18 codes|
//   | check            | last byte    | XOR of the payload               |
//
// The console sends only these two sizes, so the header fixes the length.
// Resynchronisation: bytes that cannot start a frame are discarded one by one;
// a complete frame with a wrong check byte loses only its first byte, and the
// search for a header goes on from the byte after it, so a good frame that
// follows garbage (or hides inside a broken frame) is still found. Idle()
// gives up a partial frame the same way, for a line that went quiet.
// Memory is bounded by the longest frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace relayon::link {

inline constexpr size_t kShortRequestPayload = 4;
inline constexpr size_t kLongRequestPayload = 20;

class RequestParser {
public:
    // Feeds bytes in arrival order; returns the payloads of every frame they
    // complete (none, one, or several when one chunk carries several frames).
    std::vector<std::vector<uint8_t>> Feed(std::span<const uint8_t> bytes);

    // The line went quiet: drop the head of a pending partial frame and look
    // for complete frames in what remains. Returns the payloads found.
    std::vector<std::vector<uint8_t>> Idle();

    // Forget everything pending.
    void Reset() { pending_.clear(); }

    size_t PendingBytes() const { return pending_.size(); }
    // Bytes thrown away since construction (garbage and broken frames).
    size_t DiscardedBytes() const { return discarded_; }
    // Complete frames whose check byte was wrong.
    size_t BadCheckFrames() const { return badChecks_; }

private:
    void Drain(std::vector<std::vector<uint8_t>>& out);
    void DropFront(size_t count);

    std::vector<uint8_t> pending_;
    size_t discarded_ = 0;
    size_t badChecks_ = 0;
};

// Frame length for a request header, 0 for a byte that starts no request.
size_t RequestFrameLength(uint8_t header);

}  // namespace relayon::link
