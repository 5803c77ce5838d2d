// scan: one PollStatus per ID with a short wait, the units that answered, and
// a warning for every reply from a unit that was not being asked. Two units
// sharing an ID both answer; the second reply comes while the next ID is
// asked (or in the last listen), and shows up here as such a warning.
#include <set>

#include "link/Replies.h"
#include "link/Requests.h"
#include "relayonctl/core/Delivery.h"
#include "relayonctl/core/Run.h"

namespace relayon::ctl {

namespace link = relayon::link;

int RunScan(const Invocation& inv, RunContext& ctx)
{
    std::vector<int> found;
    std::set<int> suspects;
    auto noteForeign = [&](const std::vector<Frame>& frames, int asked) {
        WarnForeign(inv, ctx, frames, asked);
        for (const Frame& frame : frames)
            suspects.insert(FrameDeviceId(frame));
    };
    auto noteStrays = [&](const ExchangeResult& result, int asked) {
        WarnStrays(inv, ctx, result, asked);
        for (const auto* frames : {&result.foreign, &result.repeated})
            for (const Frame& frame : *frames)
                suspects.insert(FrameDeviceId(frame));
    };
    for (int id = inv.scanFrom; id <= inv.scanTo && !ctx.Stopped(); ++id) {
        const auto payload = link::PollStatusPayload(static_cast<uint8_t>(id));
        const auto result = Exchange(ctx.link, ctx.clock, payload, {inv.timeoutMs, inv.retries});
        noteStrays(result, id);
        if (result.outcome == ExchangeResult::Outcome::LinkFailed)
            return ReportFailure(inv, ctx, payload, result);
        if (result.outcome != ExchangeResult::Outcome::Answered)
            continue;
        found.push_back(id);
        const auto status = link::DecodeStatus(result.answer);
        const UnitState state = status ? UnitState::From(*status) : UnitState{};
        if (inv.json) {
            JsonObject event;
            event.Add("event", "found").Add("id", id);
            AddState(event, state);
            ctx.out << event.Text() << "\n";
        } else {
            ctx.out << "unit " << id << ": " << StateText(state) << "\n";
        }
    }
    // A second answer to the last poll, or anything else still on its way.
    noteForeign(Listen(ctx.link, ctx.clock, inv.timeoutMs), 0);

    std::string list;
    std::string jsonList;
    for (int id : found) {
        list += " " + std::to_string(id);
        jsonList += (jsonList.empty() ? "" : ",") + std::to_string(id);
    }
    std::string jsonSuspects;
    for (int id : suspects)
        jsonSuspects += (jsonSuspects.empty() ? "" : ",") + std::to_string(id);
    if (inv.json) {
        JsonObject summary;
        summary.Add("event", "summary").AddRaw("found", "[" + jsonList + "]").AddRaw("suspect", "[" + jsonSuspects + "]");
        ctx.out << summary.Text() << "\n";
    } else {
        ctx.out << "found " << found.size() << (found.size() == 1 ? " unit" : " units") << (found.empty() ? "" : ":")
                << list;
        if (!suspects.empty()) {
            ctx.out << "; replies from units not asked:";
            for (int id : suspects)
                ctx.out << " " << id;
        }
        ctx.out << "\n";
    }
    if (found.empty()) {
        ctx.err << "relayonctl: IDs " << inv.scanFrom << " to " << inv.scanTo << ": PollStatus (scan): no unit answered\n";
        return kExitNoAnswer;
    }
    return kExitOk;
}

}  // namespace relayon::ctl
