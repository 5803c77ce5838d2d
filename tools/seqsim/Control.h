// Line commands of the control interface (stdin and the control socket).
// Every command gets exactly one line back: "ok", "ok ..." , a JSON object,
// or "error: ...".
//
//   help                                this list
//   units                               IDs of the units, in link order
//   dump ID                             the unit's state as JSON
//   set ID outlet CH on|off             front panel: CH is lcd, ch1..ch8 or 0..8
//   set ID lock on|off                  front panel lock
//   set ID mask CH on|off               front panel mask, CH is ch1..ch8 or 1..8
//   set ID style short|status           reply style of PollStatus and acknowledgements
//   set ID notices on|off               StatusNotice frames on state changes
//   set ID silent on|off                the unit stops / resumes transmitting
//   fault NAME VALUE                    latency, drop, split, garbage, close-after, burst
//   faults                              the current fault settings
//   burst COUNT [ID]                    send COUNT StatusNotice frames now (first unit by default)
//   garbage COUNT                       send COUNT random bytes now
//   scale FACTOR                        time scale of delays started from now on
//   reset [ID]                          factory state of one unit or of all
//   reset faults                        every fault off
//   quit                                stop the simulator
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "seqsim/Simulator.h"

namespace relayon::seqsim {

struct ControlResult {
    std::string reply;
    bool quit = false;
};

ControlResult RunControlCommand(Simulator& sim, std::string_view line, int64_t nowMs);

}  // namespace relayon::seqsim
