// TCP client over POSIX sockets: non-blocking connect bounded by the
// console's 2000 ms, Nagle off so each request leaves at once.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "FdLink.h"

namespace relayon::ctl {

std::unique_ptr<Transport> OpenTcpLink(const std::string& address, uint16_t port, int timeoutMs, std::string& error)
{
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(port);
    if (inet_pton(AF_INET, address.c_str(), &peer.sin_addr) != 1) {
        error = "not an IPv4 address";
        return nullptr;
    }
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = std::strerror(errno);
        return nullptr;
    }
    auto link = std::make_unique<FdLink>(fd, true);  // closes fd on every path
    if (connect(fd, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) != 0) {
        if (errno != EINPROGRESS) {
            error = std::string("connect failed: ") + std::strerror(errno);
            return nullptr;
        }
        pollfd p{fd, POLLOUT, 0};
        int ready;
        do
            ready = poll(&p, 1, timeoutMs);
        while (ready < 0 && errno == EINTR);
        if (ready == 0) {
            error = "no connection within " + std::to_string(timeoutMs) + " ms";
            return nullptr;
        }
        int code = 0;
        socklen_t size = sizeof code;
        getsockopt(fd, SOL_SOCKET, SO_ERROR, &code, &size);
        if (ready < 0 || code != 0) {
            error = std::string("connect failed: ") + std::strerror(ready < 0 ? errno : code);
            return nullptr;
        }
    }
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return link;
}

}  // namespace relayon::ctl
