#include "FdLink.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "relayonctl/core/Exchange.h"

namespace relayon::ctl {

FdLink::~FdLink()
{
    if (fd_ >= 0)
        close(fd_);
}

void FdLink::Fail(const std::string& why)
{
    if (failure_.empty())
        failure_ = why;
}

bool FdLink::Write(std::span<const uint8_t> bytes)
{
    size_t done = 0;
    while (done < bytes.size() && failure_.empty()) {
        const ssize_t n = socket_ ? send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL)
                                  : write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd p{fd_, POLLOUT, 0};
            if (poll(&p, 1, 2000) == 0)
                Fail("the link accepts no more bytes");
        } else {
            Fail(std::string("write failed: ") + std::strerror(errno));
        }
    }
    return failure_.empty();
}

std::vector<uint8_t> FdLink::Read(int timeoutMs)
{
    std::vector<uint8_t> bytes;
    if (!failure_.empty())
        return bytes;
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, timeoutMs) <= 0)
        return bytes;  // nothing yet, or interrupted
    uint8_t buffer[512];
    const ssize_t n = read(fd_, buffer, sizeof buffer);
    if (n > 0)
        bytes.assign(buffer, buffer + n);
    else if (n == 0)
        Fail(socket_ ? "the peer closed the connection" : "the line hung up");
    else if (errno != EAGAIN && errno != EINTR)
        Fail(std::string("read failed: ") + std::strerror(errno));
    return bytes;
}

std::unique_ptr<Transport> OpenTransport(const LinkOptions& options, std::string& error)
{
    if (options.tcp)
        return OpenTcpLink(options.host, options.tcpPort, kConnectTimeoutMs, error);
    return OpenSerialLink(options.serialPort, options.baud, error);
}

}  // namespace relayon::ctl
