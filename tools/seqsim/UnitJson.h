// A unit's state as one line of JSON, for the control interface:
//
//   {"id":5,"outlets":[true,false,...],          index 0 = LCD, 1..8 = CH1..CH8
//    "on_delays":[2,...],"off_delays":[2,...],   DelayCode bytes, LCD..CH8
//    "cascade":false,"start_channel":0,"locked":false,
//    "enable_bits":255,"masked":[false,...],     index 0..7 = CH1..CH8
//    "running":false,"status_flags":0,"channel_bits":0,
//    "style":"short","notices":false,"silent":false}
#pragma once

#include <string>

#include "seqsim/Unit.h"

namespace relayon::seqsim {

std::string UnitToJson(const Unit& unit);

}  // namespace relayon::seqsim
