#include "link/win32/HostAddress.h"

#include <ws2tcpip.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "link/win32/Socket.h"
#include "link/win32/TcpError.h"

namespace {

// What the lookup thread hands back. Shared, because a caller that stopped
// waiting must not pull the result out from under a thread still running.
struct Lookup {
    std::mutex lock;
    std::condition_variable finished;
    bool done = false;
    int error = 0;
    in_addr address{};
};

void RunLookup(const std::shared_ptr<Lookup>& lookup, const std::string& host)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    const int error = getaddrinfo(host.c_str(), nullptr, &hints, &found);
    std::lock_guard<std::mutex> hold(lookup->lock);
    lookup->error = error;
    if (error == 0 && found && found->ai_addr && found->ai_addrlen >= static_cast<int>(sizeof(sockaddr_in)))
        lookup->address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
    else if (error == 0)
        lookup->error = WSAHOST_NOT_FOUND;
    if (found)
        freeaddrinfo(found);
    lookup->done = true;
    lookup->finished.notify_all();
}

in_addr LookUpName(const std::string& host, int timeoutMs)
{
    EnsureWinsock();
    auto lookup = std::make_shared<Lookup>();
    try {
        std::thread(RunLookup, lookup, host).detach();
    } catch (const std::system_error&) {
        throw TcpError("Cannot look up " + host);
    }
    std::unique_lock<std::mutex> hold(lookup->lock);
    const auto isDone = [&] { return lookup->done; };
    if (timeoutMs < 0)
        lookup->finished.wait(hold, isDone);
    else if (!lookup->finished.wait_for(hold, std::chrono::milliseconds(timeoutMs), isDone))
        throw TcpError("Looking up " + host + " timed out", WSAETIMEDOUT);
    if (lookup->error != 0)
        throw TcpError("Cannot resolve " + host, lookup->error);
    return lookup->address;
}

}  // namespace

sockaddr_in HostAddress(const std::string& host, int port, int timeoutMs)
{
    if (port < 1 || port > 65535)
        throw TcpError("Invalid port " + std::to_string(port));
    if (host.empty())
        throw TcpError("No host given");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    if (inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1)
        address.sin_addr = LookUpName(host, timeoutMs);
    return address;
}
