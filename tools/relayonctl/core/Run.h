// Carries out an Invocation over an open link and prints the results.
// Exit status: 0 done, 1 a unit did not answer or the link failed, 2 is left
// to the command-line reading (usage errors never get here).
#pragma once

#include <atomic>
#include <functional>
#include <ostream>
#include <string>

#include "relayonctl/core/Exchange.h"
#include "relayonctl/core/Invocation.h"
#include "relayonctl/core/Report.h"
#include "relayonctl/core/Transport.h"

namespace relayon::ctl {

inline constexpr int kExitOk = 0;
inline constexpr int kExitNoAnswer = 1;
inline constexpr int kExitUsage = 2;

struct RunContext {
    Transport& link;
    Clock clock;
    std::ostream& out;
    std::ostream& err;
    // Set by Ctrl-C; scan and watch end at the next step.
    const std::atomic<bool>* stop = nullptr;
    // Local time of day for watch lines, "14:03:07.250".
    std::function<std::string()> timeOfDay;

    bool Stopped() const { return stop && stop->load(); }
    // A warning: a JSON event on stdout with --json, a line on stderr without.
    void Warn(bool json, JsonObject event, const std::string& text);
};

int Run(const Invocation& invocation, RunContext& context);
int RunScan(const Invocation& invocation, RunContext& context);
int RunWatch(const Invocation& invocation, RunContext& context);

// Reports a unit's frames that arrived unasked. `asked` is the unit being
// asked (0 when none is).
void WarnForeign(const Invocation& invocation, RunContext& context, const std::vector<Frame>& frames, int asked);
// Reports an exchange's stray frames: replies from units not asked, and
// second answers from the asked one.
void WarnStrays(const Invocation& invocation, RunContext& context, const ExchangeResult& result, int asked);

// The error line for a request that got no usable answer; returns kExitNoAnswer.
int ReportFailure(const Invocation& invocation, RunContext& context, std::span<const uint8_t> payload,
                  const ExchangeResult& result);

}  // namespace relayon::ctl
