// One RS-232 port opened through the Win32 communications API, owned for its
// whole lifetime (closed by Close(), a new Open() or the destructor).
//
// Line settings: the given baud rate, 8 data bits, no parity, one stop bit.
// Everything else in the driver's DCB stays as the driver reports it, and no
// time-outs or queue sizes are set: the port behaves as the driver's defaults
// make it. Because those defaults may let ReadFile wait for every requested
// byte, Read() only ever asks for bytes the driver already holds.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class SerialPort {
public:
    enum class OpenResult {
        Ok,            // open and configured
        OpenFailed,    // missing, busy or not a device: CreateFileA failed
        ConfigFailed,  // opened, but the driver refused the line settings; closed again
    };

    SerialPort() = default;
    SerialPort(SerialPort&& other) noexcept;
    SerialPort& operator=(SerialPort&& other) noexcept;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;
    ~SerialPort();

    // Closes a port that is open, then opens "COM<portNumber>" for reading and
    // writing, unshared, existing device only, synchronous I/O, and sets
    // baud/8N1. Port numbers below 1 name no device and give OpenFailed.
    // A port whose current settings cannot be read counts as ConfigFailed too:
    // writing back an unread DCB would configure the line from garbage.
    // After any failure the port is closed and Handle() is invalid.
    OpenResult Open(int portNumber, unsigned baudRate);

    void Close();
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    // INVALID_HANDLE_VALUE while closed.
    HANDLE Handle() const { return handle_; }
    // GetLastError() of the most recent failed Open (0 after a success).
    DWORD LastError() const { return lastError_; }

    // One WriteFile of all bytes. The outcome is not examined (write failures
    // are silent on this link); nothing happens while closed.
    void Write(std::span<const uint8_t> bytes);

    // Bytes in the driver's input queue (ClearCommError); 0 while closed or
    // when the driver cannot tell.
    size_t BytesWaiting();

    // Reads at most `count` bytes, and never more than are waiting right now,
    // so it returns at once even when fewer than `count` bytes have arrived.
    // Returns what was read (possibly nothing).
    std::vector<uint8_t> Read(size_t count);

    // Drops everything in the driver's input queue (PurgeComm PURGE_RXCLEAR).
    void PurgeInput();

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    DWORD lastError_ = 0;
};
