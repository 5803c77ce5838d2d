#include "seqsim/UnitJson.h"

#include <sstream>

namespace relayon::seqsim {

namespace {

const char* Bool(bool value) { return value ? "true" : "false"; }

template <class Get>
void Array(std::ostringstream& out, const char* name, int first, int last, Get get)
{
    out << '"' << name << "\":[";
    for (int i = first; i <= last; ++i)
        out << (i == first ? "" : ",") << get(i);
    out << ']';
}

}  // namespace

std::string UnitToJson(const Unit& unit)
{
    std::ostringstream out;
    out << "{\"id\":" << int(unit.Id()) << ',';
    Array(out, "outlets", 0, 8, [&](int c) { return Bool(unit.OutletOn(c)); });
    out << ',';
    Array(out, "on_delays", 0, 8, [&](int c) { return int(unit.OnDelay(c)); });
    out << ',';
    Array(out, "off_delays", 0, 8, [&](int c) { return int(unit.OffDelay(c)); });
    out << ",\"cascade\":" << Bool(unit.Cascade()) << ",\"start_channel\":" << int(unit.StartChannel())
        << ",\"locked\":" << Bool(unit.Locked()) << ",\"enable_bits\":" << int(unit.EnableBits()) << ',';
    Array(out, "masked", 1, 8, [&](int c) { return Bool(unit.Masked(c)); });
    out << ",\"running\":" << Bool(unit.Running()) << ",\"status_flags\":" << int(unit.StatusFlagsByte())
        << ",\"channel_bits\":" << int(unit.ChannelBitsByte()) << ",\"style\":\""
        << (unit.Settings().style == ReplyStyle::Status ? "status" : "short") << "\",\"notices\":"
        << Bool(unit.Settings().notices) << ",\"silent\":" << Bool(unit.Settings().silent) << '}';
    return out.str();
}

}  // namespace relayon::seqsim
