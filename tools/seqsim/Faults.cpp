#include "seqsim/Faults.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace relayon::seqsim {

std::optional<int64_t> ParseInteger(std::string_view text)
{
    int64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<double> ParseDecimal(std::string_view text)
{
    if (text.empty() || text.size() > 64)
        return std::nullopt;
    std::string copy(text);
    char* end = nullptr;
    double value = std::strtod(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

namespace {

std::optional<double> ParseRate(std::string_view text)
{
    auto rate = ParseDecimal(text);
    if (!rate || *rate < 0.0 || *rate > 1.0)
        return std::nullopt;
    return rate;
}

// A count or duration, 0 .. one day's worth of milliseconds.
std::optional<int64_t> ParseBounded(std::string_view text, int64_t min)
{
    auto value = ParseInteger(text);
    if (!value || *value < min || *value > 86'400'000)
        return std::nullopt;
    return value;
}

}  // namespace

bool SetFault(FaultSettings& faults, std::string_view name, std::string_view value, std::string& error)
{
    const bool off = value == "off";
    if (name == "latency") {
        if (auto ms = ParseBounded(value, 0)) {
            faults.latencyMs = *ms;
            return true;
        }
        error = "latency needs milliseconds >= 0";
    } else if (name == "drop") {
        if (auto rate = ParseRate(value)) {
            faults.dropRate = *rate;
            return true;
        }
        error = "drop needs a rate from 0 to 1";
    } else if (name == "split") {
        if (off) {
            faults.splitGapMs.reset();
            return true;
        }
        if (auto ms = ParseBounded(value, 0)) {
            faults.splitGapMs = *ms;
            return true;
        }
        error = "split needs a gap in milliseconds >= 0, or off";
    } else if (name == "garbage") {
        if (auto rate = ParseRate(value)) {
            faults.garbageRate = *rate;
            return true;
        }
        error = "garbage needs a rate from 0 to 1";
    } else if (name == "close-after") {
        if (off) {
            faults.closeAfterFrames.reset();
            return true;
        }
        if (auto n = ParseBounded(value, 1)) {
            faults.closeAfterFrames = static_cast<uint32_t>(*n);
            return true;
        }
        error = "close-after needs a frame count >= 1, or off";
    } else if (name == "burst") {
        if (auto n = ParseBounded(value, 0); n && *n <= 1000) {
            faults.burstCount = static_cast<uint32_t>(*n);
            return true;
        }
        error = "burst needs a count from 0 to 1000";
    } else {
        error = "unknown fault '" + std::string(name) + "' (latency, drop, split, garbage, close-after, burst)";
    }
    return false;
}

std::string DescribeFaults(const FaultSettings& faults)
{
    std::ostringstream out;
    out << "latency=" << faults.latencyMs << " drop=" << faults.dropRate << " split=";
    if (faults.splitGapMs)
        out << *faults.splitGapMs;
    else
        out << "off";
    out << " garbage=" << faults.garbageRate << " close-after=";
    if (faults.closeAfterFrames)
        out << *faults.closeAfterFrames;
    else
        out << "off";
    out << " burst=" << faults.burstCount;
    return out.str();
}

}  // namespace relayon::seqsim
