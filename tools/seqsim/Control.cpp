#include "seqsim/Control.h"

#include <sstream>
#include <vector>

#include "seqsim/UnitJson.h"

namespace relayon::seqsim {

namespace {

constexpr const char* kHelp =
    "ok commands: help | units | dump ID | set ID outlet CH on|off | set ID lock on|off | "
    "set ID mask CH on|off | set ID style short|status | set ID notices on|off | set ID silent on|off | "
    "fault NAME VALUE | faults | burst COUNT [ID] | garbage COUNT | scale FACTOR | reset [ID|faults] | quit";

std::vector<std::string> Words(std::string_view line)
{
    std::vector<std::string> words;
    std::istringstream in{std::string(line)};
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

std::optional<bool> OnOff(const std::string& word)
{
    if (word == "on")
        return true;
    if (word == "off")
        return false;
    return std::nullopt;
}

// lcd / ch1..ch8 / 0..8, within [min, 8].
std::optional<int> Channel(const std::string& word, int min)
{
    int channel = -1;
    if (word == "lcd" || word == "LCD")
        channel = 0;
    else if (word.size() == 3 && (word[0] == 'c' || word[0] == 'C') && (word[1] == 'h' || word[1] == 'H'))
        channel = word[2] >= '1' && word[2] <= '8' ? word[2] - '0' : -1;
    else if (auto n = ParseInteger(word))
        channel = *n >= 0 && *n <= 8 ? static_cast<int>(*n) : -1;
    if (channel < min)
        return std::nullopt;
    return channel;
}

std::string Error(const std::string& text) { return "error: " + text; }

struct Context {
    Simulator& sim;
    int64_t nowMs;
};

std::optional<size_t> UnitIndex(Simulator& sim, const std::string& word)
{
    auto id = ParseInteger(word);
    if (!id || *id < 1 || *id > 255)
        return std::nullopt;
    auto& units = sim.GetBus().Units();
    for (size_t i = 0; i < units.size(); ++i)
        if (units[i].Id() == *id)
            return i;
    return std::nullopt;
}

std::string PanelResult(Context& ctx, std::optional<Bytes> notice)
{
    if (notice)
        ctx.sim.Broadcast(*notice, ctx.nowMs, "notice");
    return "ok";
}

std::string RunSet(Context& ctx, const std::vector<std::string>& w)
{
    if (w.size() != 4 && w.size() != 5)
        return Error("usage: set ID outlet|mask CH on|off, set ID lock|notices|silent on|off, set ID style short|status");
    auto index = UnitIndex(ctx.sim, w[1]);
    if (!index)
        return Error("no unit with ID " + w[1]);
    Unit& unit = ctx.sim.GetBus().Units()[*index];
    const std::string& what = w[2];
    if ((what == "outlet" || what == "mask") && w.size() == 5) {
        auto channel = Channel(w[3], what == "mask" ? 1 : 0);
        auto on = OnOff(w[4]);
        if (!channel || !on)
            return Error(what == "mask" ? "mask needs ch1..ch8 and on|off" : "outlet needs lcd|ch1..ch8 and on|off");
        return PanelResult(ctx, what == "outlet" ? unit.PanelSwitch(*channel, *on) : unit.PanelMask(*channel, *on));
    }
    if (w.size() != 4)
        return Error("wrong number of words for set " + what);
    if (what == "style") {
        if (w[3] != "short" && w[3] != "status")
            return Error("style is short or status");
        unit.Settings().style = w[3] == "status" ? ReplyStyle::Status : ReplyStyle::Short;
        return "ok";
    }
    auto on = OnOff(w[3]);
    if (!on)
        return Error(what + " needs on|off");
    if (what == "lock")
        return PanelResult(ctx, unit.PanelLock(*on));
    if (what == "notices") {
        unit.Settings().notices = *on;
        return "ok";
    }
    if (what == "silent") {
        unit.Settings().silent = *on;
        return "ok";
    }
    return Error("unknown setting '" + what + "'");
}

std::string RunReset(Context& ctx, const std::vector<std::string>& w)
{
    if (w.size() == 1) {
        // The IDs go back too, so a test that renumbered a unit and stopped
        // before undoing it leaves the line as the command line made it.
        for (Unit& unit : ctx.sim.GetBus().Units()) {
            unit.SetId(unit.FirstId());
            unit.Reset();
        }
        return "ok";
    }
    if (w.size() == 2 && w[1] == "faults") {
        ctx.sim.Faults() = FaultSettings{};
        return "ok";
    }
    if (w.size() == 2)
        if (auto index = UnitIndex(ctx.sim, w[1])) {
            ctx.sim.GetBus().Units()[*index].Reset();
            return "ok";
        }
    return Error("usage: reset [ID|faults]");
}

std::string RunBurst(Context& ctx, const std::vector<std::string>& w)
{
    auto count = w.size() >= 2 ? ParseInteger(w[1]) : std::nullopt;
    if (!count || *count < 1 || *count > 1000 || w.size() > 3)
        return Error("usage: burst COUNT(1..1000) [ID]");
    size_t index = 0;
    if (w.size() == 3) {
        auto found = UnitIndex(ctx.sim, w[2]);
        if (!found)
            return Error("no unit with ID " + w[2]);
        index = *found;
    }
    if (ctx.sim.GetBus().Units().empty())
        return Error("no units");
    ctx.sim.InjectBurst(static_cast<size_t>(*count), index, ctx.nowMs);
    return "ok";
}

}  // namespace

ControlResult RunControlCommand(Simulator& sim, std::string_view line, int64_t nowMs)
{
    Context ctx{sim, nowMs};
    const auto w = Words(line);
    if (w.empty())
        return {Error("empty command; try help")};
    const std::string& cmd = w[0];
    if (cmd == "help")
        return {kHelp};
    if (cmd == "quit" || cmd == "exit")
        return {"ok bye", true};
    if (cmd == "units") {
        std::string reply = "ok";
        for (const Unit& unit : sim.GetBus().Units())
            reply += " " + std::to_string(unit.Id());
        return {reply};
    }
    if (cmd == "dump") {
        auto index = w.size() == 2 ? UnitIndex(sim, w[1]) : std::nullopt;
        if (!index)
            return {Error("usage: dump ID of an existing unit")};
        return {UnitToJson(sim.GetBus().Units()[*index])};
    }
    if (cmd == "set")
        return {RunSet(ctx, w)};
    if (cmd == "fault") {
        if (w.size() != 3)
            return {Error("usage: fault NAME VALUE")};
        std::string error;
        if (!SetFault(sim.Faults(), w[1], w[2], error))
            return {Error(error)};
        return {"ok " + DescribeFaults(sim.Faults())};
    }
    if (cmd == "faults")
        return {"ok " + DescribeFaults(sim.Faults())};
    if (cmd == "burst")
        return {RunBurst(ctx, w)};
    if (cmd == "garbage") {
        auto count = w.size() == 2 ? ParseInteger(w[1]) : std::nullopt;
        if (!count || *count < 1 || *count > 4096)
            return {Error("usage: garbage COUNT(1..4096)")};
        sim.InjectGarbage(static_cast<size_t>(*count), nowMs);
        return {"ok"};
    }
    if (cmd == "scale") {
        auto factor = w.size() == 2 ? ParseDecimal(w[1]) : std::nullopt;
        if (!factor || *factor <= 0.0 || *factor > 1000.0)
            return {Error("usage: scale FACTOR (0 < FACTOR <= 1000)")};
        sim.GetBus().SetTimeScale(*factor);
        return {"ok"};
    }
    if (cmd == "reset")
        return {RunReset(ctx, w)};
    return {Error("unknown command '" + cmd + "'; try help")};
}

}  // namespace relayon::seqsim
