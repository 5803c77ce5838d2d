// Winsock plumbing shared by the TCP client and its tests: the process-wide
// WSAStartup and an owning socket handle.
#pragma once

#include <winsock2.h>

#include <utility>

// Starts Winsock 2.2 for the process on first use and cleans it up at exit.
// Throws TcpError when Winsock cannot start.
void EnsureWinsock();

// Owns one socket: closes it once, moves, never copies.
class Socket {
public:
    explicit Socket(SOCKET s = INVALID_SOCKET) : s_(s) {}
    Socket(Socket&& other) noexcept : s_(std::exchange(other.s_, INVALID_SOCKET)) {}
    Socket& operator=(Socket&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.s_, INVALID_SOCKET));
        return *this;
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    ~Socket() { Reset(); }

    SOCKET Get() const { return s_; }
    bool Valid() const { return s_ != INVALID_SOCKET; }
    void Reset(SOCKET s = INVALID_SOCKET)
    {
        if (s_ != INVALID_SOCKET)
            closesocket(s_);
        s_ = s;
    }

private:
    SOCKET s_;
};

// Switches blocking mode; false when Winsock refuses.
bool SetNonBlocking(SOCKET s, bool nonBlocking);

// Waits until `s` is readable (data, end of stream or error) or writable.
// timeoutMs < 0 waits without limit. True when the socket became ready.
bool WaitReadable(SOCKET s, int timeoutMs);
bool WaitWritable(SOCKET s, int timeoutMs);
