#include "SimControl.h"

#include <ws2tcpip.h>

#include <chrono>
#include <cstdlib>

namespace {

std::string Environment(const char* name, const char* fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

}  // namespace

std::wstring SimAddress()
{
    const std::string address = Environment("RELAYON_SIM_ADDRESS", "127.0.0.1");
    return std::wstring(address.begin(), address.end());
}

SimControl::SimControl()
{
    EnsureWinsock();
    Socket s(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(std::atoi(Environment("RELAYON_SIM_CONTROL_PORT", "8081").c_str())));
    const std::string host = Environment("RELAYON_SIM_ADDRESS", "127.0.0.1");
    if (inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1)
        return;
    if (s.Valid() && connect(s.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
        socket_ = std::move(s);
}

std::string SimControl::Command(const std::string& command, int timeoutMs)
{
    if (!Connected())
        return {};
    const std::string line = command + "\n";
    if (send(socket_.Get(), line.data(), static_cast<int>(line.size()), 0) != static_cast<int>(line.size()))
        return {};
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (const auto newline = pending_.find('\n'); newline != std::string::npos) {
            std::string answer = pending_.substr(0, newline);
            pending_.erase(0, newline + 1);
            return answer;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(giveUp - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !WaitReadable(socket_.Get(), static_cast<int>(left.count())))
            return {};
        char buffer[512];
        const int n = recv(socket_.Get(), buffer, sizeof buffer, 0);
        if (n <= 0)
            return {};
        pending_.append(buffer, static_cast<size_t>(n));
    }
}
