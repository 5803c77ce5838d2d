#include "link/win32/TcpClient.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <chrono>

namespace {

// Host text to an IPv4 socket address. The host is a dotted IPv4 address,
// parsed numerically: a name lookup can block the caller far beyond the
// connect time-out, so a text that is not an address is refused at once.
sockaddr_in AddressOf(const std::string& host, int port)
{
    if (port < 1 || port > 65535)
        throw TcpError("Invalid port " + std::to_string(port));
    if (host.empty())
        throw TcpError("No host given");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    if (inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1)
        throw TcpError("Not an IPv4 address: " + host, WSAEINVAL);
    return address;
}

int SocketError(SOCKET s)
{
    int error = 0;
    int size = sizeof error;
    if (getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0)
        return WSAGetLastError();
    return error;
}

// Milliseconds left until `deadline`, or -1 (no limit) when there is none.
int RemainingMs(bool limited, std::chrono::steady_clock::time_point deadline)
{
    if (!limited)
        return -1;
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::max<long long>(0, left.count()));
}

}  // namespace

void TcpClient::Connect()
{
    EnsureWinsock();
    if (Live())
        throw TcpError("Already connected");
    Disconnect();
    const sockaddr_in address = AddressOf(Host, Port);

    Socket s(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!s.Valid())
        throw TcpError("Cannot create socket", WSAGetLastError());
    if (!SetNonBlocking(s.Get(), true))
        throw TcpError("Cannot make socket non-blocking", WSAGetLastError());

    if (connect(s.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        int error = WSAGetLastError();
        if (error != WSAEWOULDBLOCK)
            throw TcpError("Connect to " + Host + " failed", error);

        // Winsock reports a failed attempt in the exception set, a completed
        // one in the write set; SO_ERROR tells which it was in either case.
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(s.Get(), &writable);
        FD_SET(s.Get(), &failed);
        timeval limit{ConnectTimeoutMs / 1000, (ConnectTimeoutMs % 1000) * 1000};
        int ready = select(0, nullptr, &writable, &failed, ConnectTimeoutMs < 0 ? nullptr : &limit);
        if (ready == 0)
            throw TcpError("Connect to " + Host + " timed out", WSAETIMEDOUT);
        if (ready < 0)
            throw TcpError("Connect to " + Host + " failed", WSAGetLastError());
        error = SocketError(s.Get());
        if (error == 0 && FD_ISSET(s.Get(), &failed))
            error = WSAECONNREFUSED;
        if (error != 0)
            throw TcpError("Connect to " + Host + " failed", error);
    }

    BOOL noDelay = TRUE;
    setsockopt(s.Get(), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
    socket_ = std::move(s);
}

bool TcpClient::Connected()
{
    if (!broken_ && socket_.Valid())
        PullAvailable(kMaxBuffered);
    if (broken_)
        throw TcpError(brokenWhy_, brokenCode_);
    return socket_.Valid();
}

void TcpClient::Disconnect()
{
    if (socket_.Valid()) {
        shutdown(socket_.Get(), SD_BOTH);
        socket_.Reset();
    }
    buffer_.clear();
    buffer_.shrink_to_fit();
    broken_ = false;
    brokenWhy_.clear();
    brokenCode_ = 0;
}

void TcpClient::CheckForDataOnSource(int timeoutMs)
{
    if (!Live() || buffer_.size() >= kMaxBuffered)
        return;
    if (WaitReadable(socket_.Get(), std::max(0, timeoutMs)))
        PullAvailable(kMaxBuffered);
}

std::vector<uint8_t> TcpClient::ReadBytes(size_t count)
{
    const bool limited = ReadTimeoutMs >= 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(0, ReadTimeoutMs));
    while (buffer_.size() < count) {
        if (broken_)
            throw TcpError(brokenWhy_, brokenCode_);
        if (!socket_.Valid())
            throw TcpError("Not connected");
        PullAvailable(std::max(count, kMaxBuffered));
        if (buffer_.size() >= count || broken_)
            continue;
        if (!WaitReadable(socket_.Get(), RemainingMs(limited, deadline)))
            throw TcpError("Read timed out", WSAETIMEDOUT);
    }
    std::vector<uint8_t> taken(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(count));
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(count));
    return taken;
}

void TcpClient::WriteBytes(std::span<const uint8_t> bytes)
{
    size_t sent = 0;
    while (Live() && sent < bytes.size()) {
        const int chunk = static_cast<int>(std::min<size_t>(bytes.size() - sent, 1 << 20));
        int n = send(socket_.Get(), reinterpret_cast<const char*>(bytes.data() + sent), chunk, 0);
        if (n > 0) {
            sent += static_cast<size_t>(n);
            continue;
        }
        int error = WSAGetLastError();
        if (error != WSAEWOULDBLOCK) {
            MarkBroken("Send failed", error);
        } else if (!WaitWritable(socket_.Get(), kWriteStallMs)) {
            MarkBroken("Send stalled: peer does not read", WSAETIMEDOUT);
        }
    }
}

void TcpClient::PullAvailable(size_t limit)
{
    char chunk[4096];
    while (buffer_.size() < limit) {
        const int want = static_cast<int>(std::min(sizeof chunk, limit - buffer_.size()));
        int n = recv(socket_.Get(), chunk, want, 0);
        if (n > 0) {
            buffer_.insert(buffer_.end(), chunk, chunk + n);
            continue;
        }
        if (n == 0) {
            MarkBroken("Connection closed by peer", 0);
            return;
        }
        int error = WSAGetLastError();
        if (error != WSAEWOULDBLOCK)
            MarkBroken("Connection broken", error);
        return;
    }
}

void TcpClient::MarkBroken(const std::string& why, int code)
{
    broken_ = true;
    brokenWhy_ = why;
    brokenCode_ = code;
    socket_.Reset();
}
