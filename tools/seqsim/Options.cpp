#include "seqsim/Options.h"

#include <algorithm>
#include <sstream>

namespace relayon::seqsim {

namespace {

bool IsIpv4Literal(const std::string& text)
{
    std::istringstream in(text);
    std::string part;
    int parts = 0;
    while (std::getline(in, part, '.')) {
        auto value = ParseInteger(part);
        if (!value || *value < 0 || *value > 255 || part.size() > 3)
            return false;
        ++parts;
    }
    return parts == 4 && text.back() != '.';
}

bool ParseAddressPort(const std::string& text, const char* option, std::string& addressOut, uint16_t& portOut,
                      std::string& error)
{
    std::string address = addressOut;
    std::string port = text;
    if (auto colon = text.rfind(':'); colon != std::string::npos) {
        address = text.substr(0, colon);
        port = text.substr(colon + 1);
    }
    auto number = ParseInteger(port);
    if (!IsIpv4Literal(address) || !number || *number < 0 || *number > 65535) {
        error = std::string(option) + " needs [IPv4-ADDRESS:]PORT, e.g. 127.0.0.1:8080";
        return false;
    }
    addressOut = address;
    portOut = static_cast<uint16_t>(*number);
    return true;
}

bool ParseListen(const std::string& text, Config& config, std::string& error)
{
    return ParseAddressPort(text, "--listen", config.listenAddress, config.port, error);
}

bool ParseIdList(const std::string& text, std::vector<uint8_t>& ids, std::string& error)
{
    std::vector<uint8_t> parsed;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, ',');) {
        auto id = ParseInteger(part);
        if (!id || *id < 1 || *id > 255) {
            error = "unit IDs are 1 to 255, separated by commas";
            return false;
        }
        parsed.push_back(static_cast<uint8_t>(*id));
    }
    if (parsed.empty()) {
        error = "--units needs at least one ID";
        return false;
    }
    ids = parsed;
    return true;
}

}  // namespace

bool ParseOptions(const std::vector<std::string>& args, Config& config, std::string& error)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& opt = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = opt + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string v;
        if (opt == "--help" || opt == "-h") {
            config.help = true;
        } else if (opt == "--listen") {
            if (!value(v) || !ParseListen(v, config, error))
                return false;
        } else if (opt == "--no-tcp") {
            config.tcp = false;
        } else if (opt == "--serial") {
            config.serial = true;
        } else if (opt == "--pty-link") {
            if (!value(config.ptyLink))
                return false;
            config.serial = true;
        } else if (opt == "--baud") {
            if (!value(v))
                return false;
            auto baud = ParseInteger(v);
            if (!baud || *baud < 50 || *baud > 1'000'000) {
                error = "--baud needs a rate from 50 to 1000000";
                return false;
            }
            config.baud = static_cast<int>(*baud);
        } else if (opt == "--units") {
            if (!value(v) || !ParseIdList(v, config.unitIds, error))
                return false;
        } else if (opt == "--time-scale") {
            if (!value(v))
                return false;
            auto scale = ParseDecimal(v);
            if (!scale || *scale <= 0.0 || *scale > 1000.0) {
                error = "--time-scale needs a factor above 0 and at most 1000";
                return false;
            }
            config.timeScale = *scale;
        } else if (opt == "--latency" || opt == "--drop" || opt == "--split" || opt == "--garbage" ||
                   opt == "--close-after" || opt == "--burst") {
            if (!value(v) || !SetFault(config.faults, opt.substr(2), v, error))
                return false;
        } else if (opt == "--silent") {
            std::vector<uint8_t> ids;
            if (!value(v) || !ParseIdList(v, ids, error))
                return false;
            config.silentIds.insert(config.silentIds.end(), ids.begin(), ids.end());
        } else if (opt == "--status-replies") {
            config.statusReplies = true;
        } else if (opt == "--shared-answers") {
            config.sharedAnswers = true;
        } else if (opt == "--notices") {
            config.notices = true;
        } else if (opt == "--log") {
            if (!value(config.logPath))
                return false;
        } else if (opt == "--control-socket") {
            if (!value(config.controlSocket))
                return false;
        } else if (opt == "--control-listen") {
            if (!value(v) || !ParseAddressPort(v, "--control-listen", config.controlAddress, config.controlPort, error))
                return false;
            if (config.controlPort == 0) {
                error = "--control-listen needs a port other than 0";
                return false;
            }
        } else if (opt == "--no-stdin") {
            config.controlStdin = false;
        } else if (opt == "--seed") {
            if (!value(v))
                return false;
            auto seed = ParseInteger(v);
            if (!seed || *seed < 0 || *seed > 0xFFFFFFFF) {
                error = "--seed needs a number from 0 to 4294967295";
                return false;
            }
            config.seed = static_cast<uint32_t>(*seed);
        } else if (opt == "--idle-gap") {
            if (!value(v))
                return false;
            auto ms = ParseInteger(v);
            if (!ms || *ms < 1 || *ms > 60000) {
                error = "--idle-gap needs milliseconds from 1 to 60000";
                return false;
            }
            config.idleGapMs = *ms;
        } else {
            error = "unknown option '" + opt + "' (see --help)";
            return false;
        }
    }
    if (!config.tcp && !config.serial && !config.help) {
        error = "nothing to serve: --no-tcp without --serial";
        return false;
    }
    for (uint8_t id : config.silentIds)
        if (std::find(config.unitIds.begin(), config.unitIds.end(), id) == config.unitIds.end()) {
            error = "--silent names ID " + std::to_string(id) + ", which is not in --units";
            return false;
        }
    return true;
}

std::string HelpText()
{
    return R"(seqsim - plays one or more power sequencers on one link, for trying the
console without hardware.

Usage: seqsim [options]

Links (TCP is on unless --no-tcp; both may run at once, sharing the units):
  --listen [ADDR:]PORT   TCP address and port to listen on (default 127.0.0.1:8080;
                         port 0 picks a free port). Only the address given is
                         bound; without this option only loopback is used.
  --no-tcp               no TCP listener
  --serial               serve a pseudo-terminal; its path is printed at start
  --pty-link PATH        also make PATH a symlink to the pseudo-terminal (implies
                         --serial), e.g. the file a Wine COM port is mapped to
  --baud N               serial pacing: each byte takes 10 bit times (default 19200)

Units:
  --units ID[,ID...]     IDs of the units on the link, in link order (default 1)
  --time-scale F         delays last F times as long (default 1; 0.01 makes one
                         second of delay last 10 ms)
  --status-replies       units answer PollStatus and acknowledged requests with
                         the 7-byte StatusReply (0xB0) frame
  --notices              units send StatusNotice (0xB1) frames when a sequence or
                         the front panel changes their state
  --silent ID[,ID...]    these units act on requests but never answer
  --shared-answers       units that share an ID all answer a request to it, one
                         reply after the other (default: only the first answers)

Faults (all may also be changed at run time with the control command "fault"):
  --latency MS           every reply sent MS milliseconds late
  --drop RATE            drop replies with probability RATE (0..1)
  --split GAP            send every reply in two parts, GAP ms apart
  --garbage RATE         with probability RATE put 1..8 random bytes before a reply
  --close-after N        close a connection when its Nth request frame arrives
                         (serial: the pseudo-terminal is replaced by a new one)
  --burst N              follow every reply with N unprompted StatusNotice frames
  --seed N               random seed for drop and garbage (default 1)

Inspection and control:
  --log PATH             traffic log file ("-" for stdout, "none" for no log;
                         default stderr): one line per frame, time, direction, hex
  --control-socket PATH  also accept control commands on a Unix socket at PATH
  --control-listen [ADDR:]PORT
                         also accept control commands over TCP (default address
                         127.0.0.1), for test programs that cannot reach a Unix
                         socket (Windows programs under Wine)
  --no-stdin             do not read control commands from stdin
  --idle-gap MS          a partial request frame is given up after MS quiet
                         milliseconds (default 50)
  -h, --help             this text

Control commands (one per line; every command answers one line):
  help | units | dump ID | set ID outlet CH on|off | set ID lock on|off |
  set ID mask CH on|off | set ID style short|status | set ID notices on|off |
  set ID silent on|off | fault NAME VALUE | faults | burst COUNT [ID] |
  garbage COUNT | scale FACTOR | reset [ID|faults] | quit
)";
}

}  // namespace relayon::seqsim
