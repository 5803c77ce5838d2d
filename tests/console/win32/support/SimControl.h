// The control interface of the sequencer simulator as end-to-end tests use it:
// one TCP connection to 127.0.0.1:8081 (the test script starts seqsim with
// --control-listen 127.0.0.1:8081), one command line out, one answer line
// back. Every wait is bounded.
#pragma once

#include <string>

#include "link/win32/Socket.h"

inline constexpr unsigned short kSimControlPort = 8081;

class SimControl {
public:
    SimControl();

    bool Connected() const { return socket_.Valid(); }
    // Sends `command` (without newline) and returns the answer line, or an
    // empty string when none came within `timeoutMs`.
    std::string Command(const std::string& command, int timeoutMs = 2000);

private:
    Socket socket_;
    std::string pending_;
};
