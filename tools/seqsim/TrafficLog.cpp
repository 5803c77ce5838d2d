#include "seqsim/TrafficLog.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "link/Frame.h"

namespace relayon::seqsim {

std::string TrafficLog::Stamp() const
{
    if (clock_)
        return clock_();
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(millis));
    return text;
}

void TrafficLog::Frame(Direction direction, std::string_view connection, std::span<const uint8_t> bytes,
                       std::string_view note)
{
    if (!out_)
        return;
    *out_ << Stamp() << (direction == Direction::In ? " <- " : " -> ") << connection << ' '
          << link::BytesToSpacedHex(bytes);
    if (!note.empty())
        *out_ << " (" << note << ')';
    *out_ << '\n' << std::flush;
}

void TrafficLog::Note(std::string_view connection, std::string_view text)
{
    if (!out_)
        return;
    *out_ << Stamp() << " -- " << connection << ' ' << text << '\n' << std::flush;
}

}  // namespace relayon::seqsim
