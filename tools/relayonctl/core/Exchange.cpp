#include "relayonctl/core/Exchange.h"

#include <chrono>

#include "link/Frame.h"
#include "relayonctl/core/Delivery.h"

namespace relayon::ctl {

Clock SteadyClock()
{
    return [] {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    };
}

namespace {

// Bytes already waiting belong to an earlier request; they are read and kept
// only as evidence of other units.
void DrainStale(Transport& link, ReplyReader& reader, std::span<const uint8_t> payload, ExchangeResult& result)
{
    for (int rounds = 0; rounds < 64; ++rounds) {
        auto bytes = link.Read(0);
        if (bytes.empty())
            break;
        reader.Feed(bytes);
    }
    while (auto frame = reader.Next())
        if (Classify(payload, *frame) == FrameRole::Foreign)
            result.foreign.push_back(std::move(*frame));
    reader.Reset();
}

}  // namespace

ExchangeResult Exchange(Transport& link, const Clock& clock, std::span<const uint8_t> payload, ReplyWait wait)
{
    ExchangeResult result;
    ReplyReader reader;
    const auto frame = relayon::link::EncodeRequest(payload);
    for (int attempt = 0; attempt <= wait.retries; ++attempt) {
        DrainStale(link, reader, payload, result);
        ++result.attempts;
        if (!link.Write(frame)) {
            result.outcome = ExchangeResult::Outcome::LinkFailed;
            result.linkError = link.Failure();
            return result;
        }
        const int64_t deadline = clock() + wait.timeoutMs;
        for (int64_t now = clock(); now < deadline; now = clock()) {
            reader.Feed(link.Read(static_cast<int>(deadline - now)));
            while (auto reply = reader.Next()) {
                switch (Classify(payload, *reply)) {
                case FrameRole::Answer:
                    if (result.outcome == ExchangeResult::Outcome::Answered) {
                        result.repeated.push_back(std::move(*reply));
                    } else {
                        result.outcome = ExchangeResult::Outcome::Answered;
                        result.answer = std::move(*reply);
                    }
                    break;
                case FrameRole::Foreign: result.foreign.push_back(std::move(*reply)); break;
                case FrameRole::Other: break;
                }
            }
            // Frames that came in the same read as the answer were looked at
            // too; whatever is still on its way belongs to the next request.
            if (result.outcome == ExchangeResult::Outcome::Answered)
                return result;
            if (!link.Failure().empty()) {
                result.outcome = ExchangeResult::Outcome::LinkFailed;
                result.linkError = link.Failure();
                return result;
            }
        }
        reader.Reset();
    }
    result.outcome = ExchangeResult::Outcome::NoAnswer;
    return result;
}

std::vector<Frame> Listen(Transport& link, const Clock& clock, int ms)
{
    std::vector<Frame> frames;
    ReplyReader reader;
    const int64_t deadline = clock() + ms;
    for (int64_t now = clock(); now < deadline && link.Failure().empty(); now = clock()) {
        reader.Feed(link.Read(static_cast<int>(deadline - now)));
        while (auto frame = reader.Next())
            frames.push_back(std::move(*frame));
    }
    return frames;
}

}  // namespace relayon::ctl
