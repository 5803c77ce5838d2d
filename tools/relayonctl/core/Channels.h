// Outlet names on the command line and in output: LCD, CH1..CH8, numbered
// 0..8 as the switching requests number them.
#pragma once

#include <optional>
#include <string>

namespace relayon::ctl {

// 0 for "LCD", 1..8 for "CH1".."CH8", any letter case; nullopt otherwise.
std::optional<int> ParseChannel(const std::string& name);

// "LCD", "CH1".."CH8"; "?" outside 0..8.
std::string ChannelName(int channel);

}  // namespace relayon::ctl
