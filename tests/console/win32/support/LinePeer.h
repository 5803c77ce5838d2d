// The sequencer's end of the null-modem line: COM2 of the test prefix, whose
// other end is the console's COM1. Reads never wait for bytes not yet there.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

class LinePeer {
public:
    LinePeer();
    ~LinePeer();
    LinePeer(const LinePeer&) = delete;
    LinePeer& operator=(const LinePeer&) = delete;
    bool Ok() const { return handle_ != INVALID_HANDLE_VALUE; }

    // Collects up to `count` bytes for up to `ms`, pumping the console meanwhile.
    std::vector<uint8_t> Receive(size_t count, int ms = 1000);
    void Send(const std::vector<uint8_t>& bytes);

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};
