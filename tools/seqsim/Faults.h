// Faults of the line, switchable one by one at start-up and at run time.
//
//   | name        | value                    | effect on each reply                                  |
//   |-------------|--------------------------|-------------------------------------------------------|
//   | latency     | milliseconds >= 0        | sent that much later                                  |
//   | drop        | rate 0..1                | dropped with that probability                         |
//   | split       | gap in ms, or "off"      | sent in two parts, the second `gap` ms after the first|
//   | garbage     | rate 0..1                | 1..8 random bytes sent just before it, with that probability |
//   | close-after | frames >= 1, or "off"    | a connection is closed when its Nth request arrives   |
//   | burst       | count >= 0               | followed by that many unprompted StatusNotice frames  |
//
// A unit that never answers is a per-unit setting (UnitSettings::silent).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace relayon::seqsim {

struct FaultSettings {
    int64_t latencyMs = 0;
    double dropRate = 0.0;
    std::optional<int64_t> splitGapMs;
    double garbageRate = 0.0;
    std::optional<uint32_t> closeAfterFrames;
    uint32_t burstCount = 0;
};

// Sets one fault by its name from the table above; on failure returns false
// and says why in `error`. Values are checked fully before anything changes.
bool SetFault(FaultSettings& faults, std::string_view name, std::string_view value, std::string& error);

// "latency=0 drop=0 split=off garbage=0 close-after=off burst=0"
std::string DescribeFaults(const FaultSettings& faults);

// Strict number parsing shared by the option and control parsers: the whole
// text must be the number.
std::optional<int64_t> ParseInteger(std::string_view text);
std::optional<double> ParseDecimal(std::string_view text);

}  // namespace relayon::seqsim
