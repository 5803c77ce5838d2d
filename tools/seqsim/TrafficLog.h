// Traffic log: one line per frame, with a wall-clock time stamp, the
// direction and the connection, the bytes in hex and an optional note.
//
//   12:00:01.250 <- tcp1 55 05 A8 00 00 AD
//   12:00:01.251 -> tcp1 55 05 A8 01 80 2C
//   12:00:01.300 -> tcp1 54 05 A0 (dropped)
//
// "<-" is a frame the simulator received, "->" one it sent (or meant to send).
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace relayon::seqsim {

enum class Direction { In, Out };

class TrafficLog {
public:
    // Writes to `out`, which must outlive the log; nullptr logs nothing.
    explicit TrafficLog(std::ostream* out) : out_(out) {}

    void Frame(Direction direction, std::string_view connection, std::span<const uint8_t> bytes,
               std::string_view note = {});
    void Note(std::string_view connection, std::string_view text);

    // Replaces the time stamp source (tests).
    void SetClock(std::function<std::string()> clock) { clock_ = std::move(clock); }

private:
    std::string Stamp() const;

    std::ostream* out_;
    std::function<std::string()> clock_;
};

}  // namespace relayon::seqsim
