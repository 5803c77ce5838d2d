// What one run of relayonctl is asked to do, as read from its command line.
// Everything the run sends is decided here: the single-request commands carry
// their payload, built by the link core's builders, so a command line that
// the console would refuse never reaches a transport.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace relayon::ctl {

enum class Verb {
    Info, ReadId, WriteId, Status, On, Off, AllOn, AllOff, SeqOn, RevOff, EveryOn, EveryOff,
    Delays, Cascade, Start, SwitchOn, SwitchOff, Lock, Mask, Scan, Watch,
};

// The console's connect time-out and port.
inline constexpr int kConnectTimeoutMs = 2000;
inline constexpr uint16_t kDefaultTcpPort = 8080;
// The console's reply watchdog reports a failure 2000 ms after a request.
inline constexpr int kDefaultTimeoutMs = 2000;
// Per-ID wait of `scan` unless --timeout says otherwise.
inline constexpr int kDefaultScanWaitMs = 150;
inline constexpr int kDefaultWatchIntervalMs = 1000;

struct LinkOptions {
    bool tcp = false;
    std::string host;        // IPv4 address (TCP)
    uint16_t tcpPort = kDefaultTcpPort;
    std::string serialPort;  // tty path (Linux) or COM1..COM255 (Windows)
    unsigned baud = 19200;
};

struct Invocation {
    bool help = false;
    LinkOptions link;
    bool json = false;
    int timeoutMs = kDefaultTimeoutMs;
    int retries = 0;

    Verb verb = Verb::Info;
    std::string verbName;
    // Single-request commands: the request payload and the unit it is for
    // (0 for requests meant for every unit on the line).
    std::vector<uint8_t> payload;

    // scan
    int scanFrom = 1;
    int scanTo = 255;
    // watch
    std::vector<uint8_t> watchIds;
    int intervalMs = kDefaultWatchIntervalMs;
    int count = 0;  // cycles; 0 = until interrupted
};

struct ParsedCommandLine {
    bool ok = false;
    Invocation invocation;
    std::string error;  // usage error, when !ok
};

// Reads the arguments after the program name. Options may stand before or
// after the command. Any refusal (unknown command or option, ID or channel out
// of range, a delay text the console refuses) is a usage error.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args, bool windowsPorts);

std::string UsageText();

}  // namespace relayon::ctl
