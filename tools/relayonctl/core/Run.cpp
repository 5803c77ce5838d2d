#include "relayonctl/core/Run.h"

#include "link/Opcodes.h"
#include "link/Replies.h"
#include "relayonctl/core/Channels.h"
#include "relayonctl/core/Delivery.h"

namespace relayon::ctl {

namespace link = relayon::link;

namespace {

std::string UnitLabel(uint8_t id)
{
    return id == 0 ? "all units" : "unit " + std::to_string(id);
}

JsonObject ResultObject(const Invocation& inv, std::span<const uint8_t> payload)
{
    JsonObject object;
    object.Add("command", inv.verbName).Add("id", static_cast<int>(payload[0])).Add("request", RequestName(payload));
    if (const std::string detail = RequestDetail(payload); !detail.empty())
        object.Add("detail", detail);
    return object;
}

void PrintInfo(const Invocation& inv, RunContext& ctx, std::span<const uint8_t> payload, const link::InfoReport& info)
{
    std::string lists[2];
    std::string json[2];
    for (int kind = 0; kind < 2; ++kind)
        for (int channel = 0; channel <= 8; ++channel) {
            const std::string value = DelayValueText((kind == 0 ? info.onCodes : info.offCodes)[static_cast<size_t>(channel)]);
            lists[kind] += (channel ? ", " : "") + ChannelName(channel) + " " + value;
            json[kind] += (channel ? "," : "") + JsonString(value);
        }
    const std::string start = ChannelName(info.startChannel <= 8 ? info.startChannel : 0);
    if (inv.json) {
        auto object = ResultObject(inv, payload);
        object.Add("ok", true).AddRaw("on", "[" + json[0] + "]").AddRaw("off", "[" + json[1] + "]");
        object.Add("cascade", info.CascadeIsOn()).Add("start", start).Add("locked", info.IsLocked());
        ctx.out << object.Text() << "\n";
        return;
    }
    ctx.out << UnitLabel(info.deviceId) << ": cascade " << (info.CascadeIsOn() ? "on" : "off") << ", start channel "
            << start << ", " << (info.IsLocked() ? "locked" : "unlocked") << "\n"
            << "  switch-on delays:  " << lists[0] << "\n"
            << "  switch-off delays: " << lists[1] << "\n";
}

void PrintAnswer(const Invocation& inv, RunContext& ctx, std::span<const uint8_t> payload, const Frame& answer)
{
    if (auto info = link::DecodeInfo(answer); info && payload[1] == link::ReadInfo)
        return PrintInfo(inv, ctx, payload, *info);
    if (auto status = link::DecodeStatus(answer); status && payload[1] == link::PollStatus) {
        const UnitState state = UnitState::From(*status);
        if (inv.json) {
            auto object = ResultObject(inv, payload);
            object.Add("ok", true);
            AddState(object, state);
            ctx.out << object.Text() << "\n";
        } else {
            ctx.out << UnitLabel(status->deviceId) << ": " << StateText(state) << "\n";
        }
        return;
    }
    if (auto id = link::DecodeReadId(answer); id && payload[1] == link::ReadId) {
        if (inv.json)
            ctx.out << JsonObject().Add("command", inv.verbName).Add("ok", true).Add("id", static_cast<int>(*id)).Text() << "\n";
        else
            ctx.out << "unit ID " << static_cast<int>(*id) << "\n";
        return;
    }
    const int by = FrameDeviceId(answer);
    if (inv.json) {
        auto object = ResultObject(inv, payload);
        object.Add("ok", true).Add("answeredBy", by);
        ctx.out << object.Text() << "\n";
    } else {
        const std::string detail = RequestDetail(payload);
        ctx.out << UnitLabel(payload[0]) << ": " << RequestName(payload) << (detail.empty() ? "" : " " + detail)
                << " delivered";
        if (payload[0] == 0 && by != 0)
            ctx.out << " (answered by unit " << by << ")";
        ctx.out << "\n";
    }
}

}  // namespace

void RunContext::Warn(bool json, JsonObject event, const std::string& text)
{
    if (json)
        out << event.Add("text", text).Text() << "\n";
    else
        err << "relayonctl: warning: " << text << "\n";
}

void WarnForeign(const Invocation& inv, RunContext& ctx, const std::vector<Frame>& frames, int asked)
{
    for (const Frame& frame : frames) {
        const int from = FrameDeviceId(frame);
        std::string text = "a reply from unit " + std::to_string(from) + " arrived";
        if (asked)
            text += " while asking unit " + std::to_string(asked);
        text += ": two units may share ID " + std::to_string(from) + ", or the line is noisy";
        JsonObject event;
        event.Add("event", "warning").Add("from", from).Add("asked", asked);
        ctx.Warn(inv.json, event, text);
    }
}

void WarnStrays(const Invocation& inv, RunContext& ctx, const ExchangeResult& result, int asked)
{
    WarnForeign(inv, ctx, result.foreign, asked);
    for (const Frame& frame : result.repeated) {
        const int from = FrameDeviceId(frame);
        JsonObject event;
        event.Add("event", "warning").Add("from", from).Add("asked", asked);
        ctx.Warn(inv.json, event, "unit " + std::to_string(from) + " answered twice: two units may share this ID");
    }
}

int ReportFailure(const Invocation& inv, RunContext& ctx, std::span<const uint8_t> payload, const ExchangeResult& result)
{
    std::string what;
    if (result.outcome == ExchangeResult::Outcome::LinkFailed)
        what = "the link failed: " + result.linkError;
    else
        what = "no answer within " + std::to_string(inv.timeoutMs) + " ms (" + std::to_string(result.attempts) +
               (result.attempts == 1 ? " attempt)" : " attempts)");
    ctx.err << "relayonctl: " << UnitLabel(payload[0]) << ": " << RequestName(payload) << " (" << inv.verbName
            << "): " << what << "\n";
    if (inv.json) {
        auto object = ResultObject(inv, payload);
        object.Add("ok", false).Add("error", what);
        ctx.out << object.Text() << "\n";
    }
    return kExitNoAnswer;
}

int Run(const Invocation& inv, RunContext& ctx)
{
    if (inv.verb == Verb::Scan)
        return RunScan(inv, ctx);
    if (inv.verb == Verb::Watch)
        return RunWatch(inv, ctx);
    const auto result = Exchange(ctx.link, ctx.clock, inv.payload, {inv.timeoutMs, inv.retries});
    WarnStrays(inv, ctx, result, inv.payload[0]);
    if (result.outcome != ExchangeResult::Outcome::Answered)
        return ReportFailure(inv, ctx, inv.payload, result);
    PrintAnswer(inv, ctx, inv.payload, result.answer);
    return kExitOk;
}

}  // namespace relayon::ctl
