// The link as relayonctl uses it: write a frame, wait a bounded time for
// bytes. Implemented over POSIX sockets and termios (posix/) and over the
// console's own Win32 transports (win32/).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "relayonctl/core/Invocation.h"

namespace relayon::ctl {

class Transport {
public:
    virtual ~Transport() = default;
    // Sends every byte; false once the link has failed (see Failure()).
    virtual bool Write(std::span<const uint8_t> bytes) = 0;
    // Waits at most `timeoutMs` (0: not at all) for bytes and returns what
    // has arrived, possibly nothing. Returns early when interrupted.
    virtual std::vector<uint8_t> Read(int timeoutMs) = 0;
    // Why the link is no longer usable (peer closed, hang-up); empty while fine.
    virtual std::string Failure() const = 0;
};

// Opens the link the options describe; on failure returns nullptr and says
// why in `error`. One definition per platform.
std::unique_ptr<Transport> OpenTransport(const LinkOptions& options, std::string& error);

// Milliseconds on a monotonic clock.
using Clock = std::function<int64_t()>;
Clock SteadyClock();

}  // namespace relayon::ctl
