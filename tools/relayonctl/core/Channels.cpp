#include "relayonctl/core/Channels.h"

#include <algorithm>
#include <cctype>

namespace relayon::ctl {

std::optional<int> ParseChannel(const std::string& name)
{
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    for (int channel = 0; channel <= 8; ++channel)
        if (upper == ChannelName(channel))
            return channel;
    return std::nullopt;
}

std::string ChannelName(int channel)
{
    if (channel == 0)
        return "LCD";
    if (channel >= 1 && channel <= 8)
        return "CH" + std::to_string(channel);
    return "?";
}

}  // namespace relayon::ctl
