// The sequencer simulator as end-to-end tests reach it. The test script starts
// seqsim on 127.0.0.1:8080 (the console's port) with its control interface on
// 127.0.0.1:8081; RELAYON_SIM_ADDRESS and RELAYON_SIM_CONTROL_PORT point a run
// elsewhere (another loopback address, so that several runs can share the
// machine). SimControl sends one command line and returns the answer line.
// Every wait is bounded.
#pragma once

#include <string>

#include "link/win32/Socket.h"

// The simulator's address, as typed into the IP field.
std::wstring SimAddress();

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
