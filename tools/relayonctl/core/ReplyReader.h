// Cuts the byte stream from a link into reply frames.
//
//   | header | length | accepted when                                          |
//   |--------|--------|--------------------------------------------------------|
//   | 0x54   | 3      | byte 2 is a request opcode (0xA0..0xAF); no check byte |
//   | 0x55   | 6      | XOR of bytes 1..5 is zero                              |
//   | 0x57   | 7      | XOR of bytes 1..6 is zero                              |
//   | 0x56   | 25     | XOR of bytes 1..24 is zero                             |
//
// Unlike the console, which takes each reading of the line as one frame or
// nothing, the reader reassembles: a reply split over several reads is found
// whole, and several replies in one read come out one by one. Bytes that
// cannot start a frame are skipped; a candidate whose check fails loses only
// its first byte, so a good frame right behind noise is still found. A
// candidate still incomplete gives way to a complete, valid frame found later
// in the buffer, so a stray 0x56 cannot hold a real reply hostage.
//
// Contract for hostile input: never reads outside what it was fed, never
// keeps more than one incomplete frame's worth of bytes between calls, and
// every frame it returns passes the table above.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace relayon::ctl {

using Frame = std::vector<uint8_t>;

class ReplyReader {
public:
    void Feed(std::span<const uint8_t> bytes);
    // The next complete frame, or nullopt until more bytes arrive.
    std::optional<Frame> Next();
    // Forgets an incomplete frame (after a wait ran out).
    void Reset();

    size_t Pending() const { return buffer_.size(); }
    // Bytes skipped as noise so far.
    size_t Discarded() const { return discarded_; }

private:
    void Drop(size_t count);

    std::vector<uint8_t> buffer_;
    size_t discarded_ = 0;
};

}  // namespace relayon::ctl
