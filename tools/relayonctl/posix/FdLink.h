// A Transport over one POSIX file descriptor (a TCP socket or a tty), owned
// for its lifetime. Reads wait with poll(); a signal (Ctrl-C) ends a wait early.
#pragma once

#include <string>

#include "relayonctl/core/Transport.h"

namespace relayon::ctl {

class FdLink : public Transport {
public:
    // `socket`: sends with MSG_NOSIGNAL so a closed peer is an error, not SIGPIPE.
    FdLink(int fd, bool socket) : fd_(fd), socket_(socket) {}
    FdLink(const FdLink&) = delete;
    FdLink& operator=(const FdLink&) = delete;
    ~FdLink() override;

    bool Write(std::span<const uint8_t> bytes) override;
    std::vector<uint8_t> Read(int timeoutMs) override;
    std::string Failure() const override { return failure_; }

private:
    void Fail(const std::string& why);

    int fd_;
    bool socket_;
    std::string failure_;
};

// tty at `baud`, raw 8N1, no flow control. nullptr and `error` on failure.
std::unique_ptr<Transport> OpenSerialLink(const std::string& path, unsigned baud, std::string& error);
// TCP to an IPv4 address within `timeoutMs`. nullptr and `error` on failure.
std::unique_ptr<Transport> OpenTcpLink(const std::string& address, uint16_t port, int timeoutMs, std::string& error);
// Sets input and output speed to any rate (14400 has no B constant);
// false with errno when the driver refuses.
bool SetLineSpeed(int fd, unsigned baud);

}  // namespace relayon::ctl
