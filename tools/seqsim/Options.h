// Command line of seqsim. HelpText() is what `seqsim --help` prints; every
// option parsed here is listed there.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "seqsim/Faults.h"

namespace relayon::seqsim {

struct Config {
    bool tcp = true;
    std::string listenAddress = "127.0.0.1";
    uint16_t port = 8080;
    bool serial = false;
    std::string ptyLink;
    int baud = 19200;
    std::vector<uint8_t> unitIds{1};
    double timeScale = 1.0;
    FaultSettings faults;
    std::vector<uint8_t> silentIds;
    bool statusReplies = false;
    bool sharedAnswers = false;
    bool notices = false;
    std::string logPath;  // empty: stderr; "none": no log
    std::string controlSocket;
    // Control commands over TCP as well (Windows test programs cannot reach a
    // Unix socket): port 0 means none.
    std::string controlAddress = "127.0.0.1";
    uint16_t controlPort = 0;
    bool controlStdin = true;
    uint32_t seed = 1;
    int64_t idleGapMs = 50;
    bool help = false;
};

// Fills `config` from the arguments (without the program name). On a mistake
// returns false with a one-line reason in `error`.
bool ParseOptions(const std::vector<std::string>& args, Config& config, std::string& error);

std::string HelpText();

}  // namespace relayon::seqsim
