// watch: polls the given units in turn, cycle after cycle, and prints a line
// only when something changed: the first reading of each unit, an outlet or
// flag that changed, a unit that stopped answering and one that came back.
#include <map>
#include <optional>

#include "link/Replies.h"
#include "link/Requests.h"
#include "relayonctl/core/Run.h"

namespace relayon::ctl {

namespace link = relayon::link;

namespace {

struct Watched {
    std::optional<UnitState> state;
    bool answering = true;
};

class Watcher {
public:
    Watcher(const Invocation& inv, RunContext& ctx) : inv_(inv), ctx_(ctx) {}

    // Polls every unit once; false when the link failed.
    bool Cycle()
    {
        for (uint8_t id : inv_.watchIds) {
            if (ctx_.Stopped())
                return true;
            const auto payload = link::PollStatusPayload(id);
            const auto result = Exchange(ctx_.link, ctx_.clock, payload, {inv_.timeoutMs, inv_.retries});
            WarnStrays(inv_, ctx_, result, id);
            if (result.outcome == ExchangeResult::Outcome::LinkFailed) {
                ReportFailure(inv_, ctx_, payload, result);
                return false;
            }
            Watched& unit = units_[id];
            if (result.outcome == ExchangeResult::Outcome::NoAnswer) {
                if (unit.answering)
                    Event(id, "silent", "not answering", {});
                unit.answering = false;
                continue;
            }
            const auto status = link::DecodeStatus(result.answer);
            if (!status)
                continue;
            UnitState state = UnitState::From(*status);
            // A 6-byte reply has no mask bits: keep the last ones known.
            if (!state.masked && unit.state)
                state.masked = unit.state->masked;
            if (!unit.answering)
                Event(id, "answering", "answering again", {});
            unit.answering = true;
            if (!unit.state)
                Event(id, "state", StateText(state), state);
            else if (auto changes = StateChanges(*unit.state, state); !changes.empty())
                Changes(id, changes, state);
            unit.state = state;
        }
        return true;
    }

    bool AllAnswering() const
    {
        for (const auto& [id, unit] : units_)
            if (!unit.answering)
                return false;
        return true;
    }

private:
    void Event(uint8_t id, const char* kind, const std::string& text, std::optional<UnitState> state)
    {
        const std::string time = ctx_.timeOfDay ? ctx_.timeOfDay() : "";
        if (inv_.json) {
            JsonObject event;
            event.Add("event", kind).Add("time", time).Add("id", static_cast<int>(id));
            if (state)
                AddState(event, *state);
            ctx_.out << event.Text() << std::endl;
        } else {
            ctx_.out << time << " unit " << static_cast<int>(id) << ": " << text << std::endl;
        }
    }

    void Changes(uint8_t id, const std::vector<std::string>& changes, const UnitState& state)
    {
        std::string text;
        std::string list;
        for (const std::string& change : changes) {
            text += (text.empty() ? "" : ", ") + change;
            list += (list.empty() ? "" : ",") + JsonString(change);
        }
        if (!inv_.json)
            return Event(id, "change", text, {});
        JsonObject event;
        event.Add("event", "change").Add("time", ctx_.timeOfDay ? ctx_.timeOfDay() : "").Add("id", static_cast<int>(id));
        event.AddRaw("changes", "[" + list + "]");
        AddState(event, state);
        ctx_.out << event.Text() << std::endl;
    }

    const Invocation& inv_;
    RunContext& ctx_;
    std::map<uint8_t, Watched> units_;
};

}  // namespace

int RunWatch(const Invocation& inv, RunContext& ctx)
{
    Watcher watcher(inv, ctx);
    for (int cycle = 0; inv.count == 0 || cycle < inv.count; ++cycle) {
        if (ctx.Stopped() || !watcher.Cycle())
            return ctx.Stopped() ? kExitOk : kExitNoAnswer;
        if (inv.count != 0 && cycle + 1 == inv.count)
            break;
        // Pause in short slices so that Ctrl-C ends the run promptly.
        const int64_t until = ctx.clock() + inv.intervalMs;
        for (int64_t now = ctx.clock(); now < until && !ctx.Stopped(); now = ctx.clock())
            Listen(ctx.link, ctx.clock, static_cast<int>(std::min<int64_t>(until - now, 100)));
    }
    return watcher.AllAnswering() ? kExitOk : kExitNoAnswer;
}

}  // namespace relayon::ctl
