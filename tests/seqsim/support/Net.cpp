#include "Net.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace seqsim_test {

using relayon::seqsim::UniqueFd;

int64_t NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

UniqueFd ConnectTcp(uint16_t port)
{
    UniqueFd fd(socket(AF_INET, SOCK_STREAM, 0));
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd.Get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0)
        fd.Reset();
    return fd;
}

UniqueFd ConnectUnix(const std::string& path)
{
    UniqueFd fd(socket(AF_UNIX, SOCK_STREAM, 0));
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, path.c_str(), sizeof addr.sun_path - 1);
    if (connect(fd.Get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0)
        fd.Reset();
    return fd;
}

bool WriteAll(int fd, const std::vector<uint8_t>& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

std::vector<uint8_t> ReadBytes(int fd, size_t count, int timeoutMs)
{
    std::vector<uint8_t> bytes;
    const int64_t deadline = NowMs() + timeoutMs;
    while (bytes.size() < count) {
        const int64_t left = deadline - NowMs();
        if (left <= 0)
            break;
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left)) <= 0)
            break;
        uint8_t buffer[256];
        ssize_t n = read(fd, buffer, std::min(sizeof buffer, count - bytes.size()));
        if (n <= 0)
            break;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    return bytes;
}

std::string ReadLine(int fd, int timeoutMs)
{
    std::string line;
    const int64_t deadline = NowMs() + timeoutMs;
    for (;;) {
        const int64_t left = deadline - NowMs();
        if (left <= 0)
            return line;
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left)) <= 0)
            return line;
        char c;
        if (read(fd, &c, 1) != 1 || c == '\n')
            return line;
        line.push_back(c);
    }
}

bool WaitForClose(int fd, int timeoutMs)
{
    const int64_t deadline = NowMs() + timeoutMs;
    for (;;) {
        const int64_t left = deadline - NowMs();
        if (left <= 0)
            return false;
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left)) <= 0)
            return false;
        uint8_t buffer[64];
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR))
            return true;
    }
}

}  // namespace seqsim_test
