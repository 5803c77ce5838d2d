#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <span>

#include "link/Commands.h"
#include "link/Opcodes.h"
#include "link/Requests.h"
#include "link/TypedNumber.h"
#include "relayonctl/core/Channels.h"
#include "relayonctl/core/Invocation.h"

namespace relayon::ctl {

namespace link = relayon::link;

namespace {

struct VerbInfo {
    Verb verb;
    int minArgs;
    int maxArgs;  // -1: any number
};

const std::map<std::string, VerbInfo>& Verbs()
{
    static const std::map<std::string, VerbInfo> verbs = {
        {"info", {Verb::Info, 1, 1}},         {"read-id", {Verb::ReadId, 0, 0}},
        {"write-id", {Verb::WriteId, 2, 2}},  {"status", {Verb::Status, 1, 1}},
        {"on", {Verb::On, 2, 2}},             {"off", {Verb::Off, 2, 2}},
        {"all-on", {Verb::AllOn, 1, 1}},      {"all-off", {Verb::AllOff, 1, 1}},
        {"seq-on", {Verb::SeqOn, 1, 1}},      {"rev-off", {Verb::RevOff, 1, 1}},
        {"every-on", {Verb::EveryOn, 0, 0}},  {"every-off", {Verb::EveryOff, 0, 0}},
        {"delays", {Verb::Delays, 1, 1}},     {"cascade", {Verb::Cascade, 2, 2}},
        {"start", {Verb::Start, 1, 1}},       {"switch-on", {Verb::SwitchOn, 1, 1}},
        {"switch-off", {Verb::SwitchOff, 1, 1}}, {"lock", {Verb::Lock, 2, 2}},
        {"mask", {Verb::Mask, 3, 3}},         {"scan", {Verb::Scan, 0, 0}},
        {"watch", {Verb::Watch, 1, -1}},
    };
    return verbs;
}

// Options that take a value, and the commands they belong to (empty: all).
const std::map<std::string, std::vector<Verb>>& ValueOptions()
{
    static const std::map<std::string, std::vector<Verb>> options = {
        {"--host", {}}, {"--port", {}}, {"--baud", {}}, {"--timeout", {}}, {"--retries", {}},
        {"--on", {Verb::Delays}}, {"--off", {Verb::Delays}},
        {"--start", {Verb::Cascade, Verb::Start, Verb::SwitchOn, Verb::SwitchOff}},
        {"--from", {Verb::Scan}}, {"--to", {Verb::Scan}},
        {"--interval", {Verb::Watch}}, {"--count", {Verb::Watch}},
    };
    return options;
}

// ASCII text as the console's fields hold it; any other byte stays a
// character no number reader accepts.
std::wstring Widen(const std::string& text)
{
    std::wstring wide;
    for (unsigned char c : text)
        wide.push_back(c < 0x80 ? static_cast<wchar_t>(c) : L'\uFFFD');
    return wide;
}

std::optional<long> StrictNumber(const std::string& text, long low, long high)
{
    if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); }))
        return std::nullopt;
    long value = std::stol(text);
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

std::vector<std::string> SplitText(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t begin = 0;
    for (;;) {
        size_t comma = text.find(separator, begin);
        parts.push_back(text.substr(begin, comma - begin));
        if (comma == std::string::npos)
            return parts;
        begin = comma + 1;
    }
}

class Parser {
public:
    Parser(const std::vector<std::string>& args, bool windowsPorts) : args_(args), windowsPorts_(windowsPorts) {}

    ParsedCommandLine Run()
    {
        ParsedCommandLine result;
        if (!Split() || (!inv_.help && !Build()))
            return Fail(result);
        result.ok = true;
        result.invocation = inv_;
        return result;
    }

private:
    ParsedCommandLine Fail(ParsedCommandLine& result)
    {
        result.error = error_;
        return result;
    }

    bool Error(std::string message)
    {
        error_ = std::move(message);
        return false;
    }

    // Separates options from the command and its arguments.
    bool Split()
    {
        for (size_t i = 0; i < args_.size(); ++i) {
            const std::string& arg = args_[i];
            if (arg == "--help" || arg == "-h") {
                inv_.help = true;
            } else if (arg == "--json") {
                inv_.json = true;
            } else if (ValueOptions().count(arg)) {
                if (i + 1 >= args_.size())
                    return Error(arg + " needs a value");
                if (values_.count(arg))
                    return Error(arg + " is given twice");
                values_[arg] = args_[++i];
            } else if (arg.size() > 1 && arg[0] == '-' && !std::isdigit(static_cast<unsigned char>(arg[1]))) {
                return Error("unknown option " + arg);
            } else {
                positional_.push_back(arg);
            }
        }
        return true;
    }

    bool Build()
    {
        if (positional_.empty())
            return Error("no command given (try --help)");
        inv_.verbName = positional_[0];
        auto verb = Verbs().find(inv_.verbName);
        if (verb == Verbs().end())
            return Error("unknown command \"" + inv_.verbName + "\" (try --help)");
        inv_.verb = verb->second.verb;
        const int given = static_cast<int>(positional_.size()) - 1;
        if (given < verb->second.minArgs || (verb->second.maxArgs >= 0 && given > verb->second.maxArgs))
            return Error(inv_.verbName + ": wrong number of arguments (try --help)");
        for (const auto& [name, value] : values_) {
            const auto& owners = ValueOptions().at(name);
            if (!owners.empty() && std::find(owners.begin(), owners.end(), inv_.verb) == owners.end())
                return Error(inv_.verbName + ": option " + name + " does not apply to this command");
        }
        return LinkAndReplyOptions() && Command();
    }

    bool LinkAndReplyOptions()
    {
        const bool host = values_.count("--host") != 0;
        const bool port = values_.count("--port") != 0;
        if (host == port)
            return Error("give either --host ADDRESS[:PORT] or --port DEVICE");
        if (host) {
            inv_.link.tcp = true;
            std::string text = values_["--host"];
            if (auto colon = text.rfind(':'); colon != std::string::npos) {
                auto tcpPort = StrictNumber(text.substr(colon + 1), 1, 65535);
                if (!tcpPort)
                    return Error("--host: the port after ':' must be 1 to 65535");
                inv_.link.tcpPort = static_cast<uint16_t>(*tcpPort);
                text = text.substr(0, colon);
            }
            if (!IsIpv4(text))
                return Error("--host needs an IPv4 address such as 192.168.0.178");
            inv_.link.host = text;
        } else {
            inv_.link.serialPort = values_["--port"];
            if (!SerialPortNameOk(inv_.link.serialPort))
                return Error(windowsPorts_ ? "--port needs COM1 to COM255" : "--port needs a device path such as /dev/ttyUSB0");
            if (values_.count("--baud")) {
                auto baud = StrictNumber(values_["--baud"], 0, 1'000'000);
                if (!baud || (*baud != 4800 && *baud != 9600 && *baud != 14400 && *baud != 19200))
                    return Error("--baud must be 4800, 9600, 14400 or 19200");
                inv_.link.baud = static_cast<unsigned>(*baud);
            }
        }
        if (host && values_.count("--baud"))
            return Error("--baud applies to a serial port only");
        if (values_.count("--timeout")) {
            auto ms = StrictNumber(values_["--timeout"], 1, 600'000);
            if (!ms)
                return Error("--timeout needs milliseconds from 1 to 600000");
            inv_.timeoutMs = static_cast<int>(*ms);
        } else if (inv_.verb == Verb::Scan) {
            inv_.timeoutMs = kDefaultScanWaitMs;
        }
        if (values_.count("--retries")) {
            auto n = StrictNumber(values_["--retries"], 0, 100);
            if (!n)
                return Error("--retries needs a count from 0 to 100");
            inv_.retries = static_cast<int>(*n);
        }
        return true;
    }

    bool SerialPortNameOk(const std::string& name) const
    {
        if (!windowsPorts_)
            return !name.empty() && name[0] == '/';
        std::string upper = name;
        std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
        return upper.rfind("COM", 0) == 0 && StrictNumber(upper.substr(3), 1, 255) && upper[3] != '0';
    }

    static bool IsIpv4(const std::string& text)
    {
        auto parts = SplitText(text, '.');
        return parts.size() == 4 &&
               std::all_of(parts.begin(), parts.end(), [](const std::string& p) { return p.size() <= 3 && StrictNumber(p, 0, 255); });
    }

    // The unit ID of argument `index`: 1..255 as the console reads ID fields.
    std::optional<uint8_t> Id(size_t index)
    {
        auto id = link::TypedDeviceId(Widen(positional_[index]));
        if (!id)
            Error(inv_.verbName + ": \"" + positional_[index] + "\" is not a unit ID (1 to 255)");
        return id;
    }

    std::optional<bool> OnOff(size_t index)
    {
        const std::string& word = positional_[index];
        if (word == "on")
            return true;
        if (word == "off")
            return false;
        Error(inv_.verbName + ": expected on or off, not \"" + word + "\"");
        return std::nullopt;
    }

    void SetPayload(std::span<const uint8_t> payload) { inv_.payload.assign(payload.begin(), payload.end()); }

    bool FromBuilt(const link::BuiltRequest& built, const std::string& refusalText)
    {
        if (!built.Ok())
            return Error(inv_.verbName + ": " + refusalText);
        inv_.payload = built.value;
        return true;
    }

    // --start CHANNEL as the start-channel list's item index; -1 (sent as
    // 0xFF, the unit keeps its stored start) when not given.
    std::optional<int> StartItem()
    {
        if (!values_.count("--start"))
            return -1;
        auto channel = ParseChannel(values_["--start"]);
        if (!channel) {
            Error(inv_.verbName + ": --start needs LCD or CH1 to CH8");
            return std::nullopt;
        }
        return *channel;
    }

    bool Command();
    bool DelaysCommand();
    bool ScanCommand();
    bool WatchCommand();

    const std::vector<std::string>& args_;
    bool windowsPorts_;
    Invocation inv_;
    std::map<std::string, std::string> values_;
    std::vector<std::string> positional_;
    std::string error_;
};

bool Parser::Command()
{
    const Verb verb = inv_.verb;
    switch (verb) {
    case Verb::ReadId: return FromBuilt(link::BuildReadId(), "");
    case Verb::EveryOn:
    case Verb::EveryOff: SetPayload(link::AllDevicesPayload(verb == Verb::EveryOn)); return true;
    case Verb::WriteId: {
        const auto built = link::BuildWriteId(Widen(positional_[1]), Widen(positional_[2]));
        return FromBuilt(built, "the old ID must be 0 to 255 and the new ID 1 to 255");
    }
    case Verb::Scan: return ScanCommand();
    case Verb::Watch: return WatchCommand();
    default: break;
    }
    auto id = Id(1);
    if (!id)
        return false;
    switch (verb) {
    case Verb::Info: SetPayload(link::ReadInfoPayload(*id)); return true;
    case Verb::Status: SetPayload(link::PollStatusPayload(*id)); return true;
    case Verb::On:
    case Verb::Off: {
        auto channel = ParseChannel(positional_[2]);
        if (!channel)
            return Error(inv_.verbName + ": \"" + positional_[2] + "\" is not a channel (LCD, CH1 to CH8)");
        SetPayload(link::ChannelPayload(*id, verb == Verb::On, static_cast<uint8_t>(*channel)));
        return true;
    }
    case Verb::AllOn:
    case Verb::AllOff: SetPayload(link::GroupAllPayload(*id, verb == Verb::AllOn)); return true;
    case Verb::SeqOn: SetPayload(link::SequenceOnPayload(*id)); return true;
    case Verb::RevOff: SetPayload(link::ReverseOffPayload(*id)); return true;
    case Verb::Delays: return DelaysCommand();
    case Verb::Cascade: {
        auto on = OnOff(2);
        auto start = on ? StartItem() : std::nullopt;
        if (!start)
            return false;
        return FromBuilt(link::BuildCascade(Widen(positional_[1]), *on, *start), "");
    }
    case Verb::Start:
    case Verb::SwitchOn:
    case Verb::SwitchOff: {
        auto start = StartItem();
        if (!start)
            return false;
        const uint8_t sub = verb == Verb::Start ? link::StartSequence : verb == Verb::SwitchOn ? link::SwitchOn : link::SwitchOff;
        return FromBuilt(link::BuildSequenceControl(Widen(positional_[1]), sub, *start), "");
    }
    case Verb::Lock: {
        auto on = OnOff(2);
        return on && FromBuilt(link::BuildSetLock(Widen(positional_[1]), *on), "");
    }
    case Verb::Mask: {
        std::optional<uint8_t> maskChannel;
        if (positional_[2] == "all" || positional_[2] == "ALL") {
            maskChannel = link::MaskAllChannels;
        } else if (auto channel = ParseChannel(positional_[2]); channel && *channel >= 1) {
            maskChannel = static_cast<uint8_t>(*channel - 1);  // SetMask counts CH1 as 0
        }
        if (!maskChannel)
            return Error(inv_.verbName + ": \"" + positional_[2] + "\" is not a maskable channel (CH1 to CH8 or all)");
        auto on = OnOff(3);
        if (!on)
            return false;
        SetPayload(link::SetMaskPayload(*id, *maskChannel, *on));
        return true;
    }
    default: return Error("internal: command without a request");
    }
}

// LIST is nine comma-separated values for LCD, CH1..CH8; a value ending in
// "m" is in minutes, any other in seconds. The values themselves go through
// the console's own delay reading, so exactly what its apply button refuses
// is refused here.
bool Parser::DelaysCommand()
{
    if (!values_.count("--on") || !values_.count("--off"))
        return Error("delays: needs both --on LIST and --off LIST (nine values each)");
    link::DelayTexts texts;
    link::MinuteBoxes minutes{};
    const char* names[2] = {"--on", "--off"};
    for (int h = 0; h < 2; ++h) {
        auto values = SplitText(values_[names[h]], ',');
        if (values.size() != 9)
            return Error(std::string("delays: ") + names[h] + " needs nine comma-separated values (LCD, CH1 to CH8)");
        for (size_t c = 0; c < 9; ++c) {
            std::string text = values[c];
            if (!text.empty() && text.back() == 'm') {
                minutes[h][c] = true;
                text.pop_back();
            }
            texts[h][c] = Widen(text);
        }
    }
    const auto built = link::BuildApplyDelays(Widen(positional_[1]), texts, minutes);
    if (!built.Ok())
        return Error("delays: every value must be 0 to 60 in steps of 0.5, digits and one point only, "
                     "with an optional m for minutes");
    inv_.payload = built.value;
    return true;
}

bool Parser::ScanCommand()
{
    for (const char* name : {"--from", "--to"}) {
        if (!values_.count(name))
            continue;
        auto id = link::TypedDeviceId(Widen(values_[name]));
        if (!id)
            return Error(std::string("scan: ") + name + " needs a unit ID (1 to 255)");
        (std::string(name) == "--from" ? inv_.scanFrom : inv_.scanTo) = *id;
    }
    if (inv_.scanFrom > inv_.scanTo)
        return Error("scan: --from must not be above --to");
    return true;
}

bool Parser::WatchCommand()
{
    for (size_t i = 1; i < positional_.size(); ++i) {
        auto id = Id(i);
        if (!id)
            return false;
        inv_.watchIds.push_back(*id);
    }
    if (values_.count("--interval")) {
        auto ms = StrictNumber(values_["--interval"], 10, 3'600'000);
        if (!ms)
            return Error("watch: --interval needs milliseconds from 10 to 3600000");
        inv_.intervalMs = static_cast<int>(*ms);
    }
    if (values_.count("--count")) {
        auto n = StrictNumber(values_["--count"], 1, 1'000'000);
        if (!n)
            return Error("watch: --count needs a number of cycles from 1");
        inv_.count = static_cast<int>(*n);
    }
    return true;
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args, bool windowsPorts)
{
    return Parser(args, windowsPorts).Run();
}

}  // namespace relayon::ctl
