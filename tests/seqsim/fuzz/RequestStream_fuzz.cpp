// Drives the simulator with arbitrary link bytes and control lines. Checks
// that, with no faults switched on, every byte sent back is a whole valid
// reply frame, and that nothing crashes or grows without bound.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "link/Frame.h"
#include "seqsim/Control.h"
#include "seqsim/Simulator.h"

using namespace relayon::seqsim;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    TrafficLog log(nullptr);
    Bus bus(0.001);
    bus.AddUnit(1, UnitSettings{ReplyStyle::Short, true, false});
    bus.AddUnit(2, UnitSettings{ReplyStyle::Status, false, false});
    bus.AddUnit(1, UnitSettings{ReplyStyle::Short, false, true});
    Simulator sim(std::move(bus), {}, 1, log);
    sim.SetIdleGapMs(5);
    sim.Open(1, "fuzz");

    // First byte: chunk size for the link bytes; second: how many control lines come first.
    const size_t chunk = 1 + data[0] % 32;
    std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
    for (int lines = data[1] % 4; lines > 0 && !rest.empty(); --lines) {
        size_t eol = rest.find('\n');
        std::string_view line = rest.substr(0, std::min(eol, size_t{80}));
        // Faults would add garbage on purpose; keep the line clean. The
        // command is the first word after any white space, as the control
        // interface reads it.
        const size_t start = std::min(line.find_first_not_of(" \t\n\v\f\r"), line.size());
        const std::string_view command = line.substr(start, line.find_first_of(" \t\n\v\f\r", start) - start);
        if (command != "fault" && command != "garbage")
            RunControlCommand(sim, line, 0);
        rest.remove_prefix(eol == std::string_view::npos ? rest.size() : eol + 1);
    }

    std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(rest.data()), rest.size());
    int64_t now = 0;
    auto check = [&](int64_t t) {
        sim.Tick(t);
        for (const Delivery& d : sim.TakeDue(t))
            if (!d.bytes.empty() && !relayon::link::IsValidReply(d.bytes))
                abort();
    };
    for (size_t i = 0; i < bytes.size(); i += chunk) {
        sim.Receive(1, bytes.subspan(i, std::min(chunk, bytes.size() - i)), now);
        check(now);
        now += 3;
    }
    // Let every sequence run out: three units of at most nine steps each.
    for (int step = 0; step < 100 && sim.NextWakeMs(); ++step)
        check(*sim.NextWakeMs());
    if (sim.NextWakeMs())
        abort();
    return 0;
}
