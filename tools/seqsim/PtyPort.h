// The serial side of the simulator: a Linux pseudo-terminal in raw mode. The
// console (or Wine's COM port) opens the slave path; we read and write the
// master. Output leaves at the pace of a real line: each byte is handed over
// once its 10 bit times (start, 8 data, stop) at the configured baud rate
// have passed since the previous one. We keep the slave open ourselves so
// that a program closing and reopening the port does not hang up the master.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>

#include "seqsim/UniqueFd.h"

namespace relayon::seqsim {

class PtyPort {
public:
    PtyPort(int baud, std::string linkPath) : byteNs_(10'000'000'000LL / baud), linkPath_(std::move(linkPath)) {}
    ~PtyPort();
    PtyPort(const PtyPort&) = delete;
    PtyPort& operator=(const PtyPort&) = delete;

    // Creates the pseudo-terminal (and the symlink); false with a reason otherwise.
    bool Open(std::string& error);
    // Closes this pseudo-terminal (whoever holds the slave sees a hang-up) and
    // opens a fresh one behind the same link.
    bool Replace(std::string& error);

    int MasterFd() const { return master_.Get(); }
    const std::string& Path() const { return path_; }
    const std::string& LinkPath() const { return linkPath_; }

    // Reads what the console wrote; empty when nothing is waiting.
    size_t Read(uint8_t* buffer, size_t size);
    void Queue(std::span<const uint8_t> bytes, int64_t nowNs);
    // Writes the bytes whose time has come.
    void Flush(int64_t nowNs);
    // When the next queued byte is due.
    std::optional<int64_t> NextByteNs() const;

private:
    void Close();

    int64_t byteNs_;
    std::string linkPath_;
    std::string path_;
    UniqueFd master_;
    UniqueFd slave_;
    std::deque<uint8_t> out_;
    int64_t nextByteNs_ = 0;
};

}  // namespace relayon::seqsim
