#include "LoopbackPeer.h"

#include <ws2tcpip.h>

#include <thread>

namespace {

sockaddr_in Loopback(uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

int Ms(Millis m)
{
    return static_cast<int>(m.count());
}

}  // namespace

LoopbackPeer::LoopbackPeer(uint16_t port, int backlog, Millis retryFor)
{
    EnsureWinsock();
    const auto giveUp = std::chrono::steady_clock::now() + retryFor;
    for (;;) {
        Socket s(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
        sockaddr_in address = Loopback(port);
        if (bind(s.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && listen(s.Get(), backlog) == 0) {
            int size = sizeof address;
            getsockname(s.Get(), reinterpret_cast<sockaddr*>(&address), &size);
            port_ = ntohs(address.sin_port);
            listener_ = std::move(s);
            return;
        }
        listenError_ = WSAGetLastError();
        if (std::chrono::steady_clock::now() >= giveUp)
            return;
        std::this_thread::sleep_for(Millis(100));
    }
}

bool LoopbackPeer::Accept(Millis timeout)
{
    if (!listener_.Valid() || !WaitReadable(listener_.Get(), Ms(timeout)))
        return false;
    connection_.Reset(accept(listener_.Get(), nullptr, nullptr));
    return connection_.Valid();
}

std::vector<uint8_t> LoopbackPeer::Receive(size_t count, Millis timeout)
{
    std::vector<uint8_t> got;
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (connection_.Valid() && got.size() < count) {
        auto left = std::chrono::duration_cast<Millis>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !WaitReadable(connection_.Get(), Ms(left)))
            break;
        char chunk[4096];
        int want = static_cast<int>(std::min(sizeof chunk, count - got.size()));
        int n = recv(connection_.Get(), chunk, want, 0);
        if (n <= 0)
            break;
        got.insert(got.end(), chunk, chunk + n);
    }
    return got;
}

bool LoopbackPeer::SeesEndOfStream(Millis timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (connection_.Valid()) {
        auto left = std::chrono::duration_cast<Millis>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !WaitReadable(connection_.Get(), Ms(left)))
            return false;
        char chunk[4096];
        int n = recv(connection_.Get(), chunk, sizeof chunk, 0);
        if (n == 0)
            return true;
        if (n < 0)
            return WSAGetLastError() == WSAECONNRESET;
    }
    return false;
}

bool LoopbackPeer::Send(std::span<const uint8_t> bytes)
{
    size_t sent = 0;
    while (connection_.Valid() && sent < bytes.size()) {
        int n = send(connection_.Get(), reinterpret_cast<const char*>(bytes.data() + sent),
                     static_cast<int>(bytes.size() - sent), 0);
        if (n <= 0)
            return false;
        sent += static_cast<size_t>(n);
    }
    return sent == bytes.size();
}

void LoopbackPeer::Close()
{
    if (connection_.Valid())
        shutdown(connection_.Get(), SD_SEND);
    connection_.Reset();
}

void LoopbackPeer::Reset()
{
    if (!connection_.Valid())
        return;
    linger abortive{1, 0};
    setsockopt(connection_.Get(), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abortive), sizeof abortive);
    connection_.Reset();
}

std::vector<Socket> FillBacklog(const LoopbackPeer& peer)
{
    std::vector<Socket> queued;
    for (int attempt = 0; attempt < 32; ++attempt) {
        Socket s(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
        SetNonBlocking(s.Get(), true);
        sockaddr_in address = Loopback(peer.Port());
        connect(s.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address);
        const bool completed = WaitWritable(s.Get(), 300);
        queued.push_back(std::move(s));
        if (!completed)
            return queued;
    }
    return {};
}
