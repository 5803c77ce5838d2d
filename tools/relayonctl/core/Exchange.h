// One request and its answer: drop stale input, send, read frames until the
// answer comes or the wait runs out, send again up to `retries` times.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "relayonctl/core/ReplyReader.h"
#include "relayonctl/core/Transport.h"

namespace relayon::ctl {

struct ExchangeResult {
    enum class Outcome { Answered, NoAnswer, LinkFailed };
    Outcome outcome = Outcome::NoAnswer;
    Frame answer;
    int attempts = 0;
    // Intact frames from units that were not asked, in arrival order
    // (including those found in stale input before sending).
    std::vector<Frame> foreign;
    // Further answers that came with the first one: the asked ID answered
    // twice, so two units may share it.
    std::vector<Frame> repeated;
    std::string linkError;
};

struct ReplyWait {
    int timeoutMs = 2000;
    int retries = 0;
};

ExchangeResult Exchange(Transport& link, const Clock& clock, std::span<const uint8_t> payload, ReplyWait wait);

// Reads frames for `ms` milliseconds (a pause that still notices what comes
// in); returns the intact frames that arrived.
std::vector<Frame> Listen(Transport& link, const Clock& clock, int ms);

}  // namespace relayon::ctl
