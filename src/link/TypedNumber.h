// Numbers the operator types for commands. Text that is not a number reads as
// kNotANumber (999), which every ID range check rejects, so an empty or
// garbled field is refused like a number out of range.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace relayon::link {

inline constexpr int32_t kNotANumber = 999;

// Decimal integer of the whole text: leading spaces, an optional sign, then
// digits and nothing else. Anything else, empty text, or a value outside
// 32 bits gives kNotANumber.
int32_t TypedNumber(std::wstring_view text);

// The device ID in a field: 1..255, or nullopt.
std::optional<uint8_t> TypedDeviceId(std::wstring_view text);

// As TypedDeviceId but 0 is accepted too: the old ID of an ID change, where 0
// addresses whatever single unit is on the line.
std::optional<uint8_t> TypedDeviceIdOrZero(std::wstring_view text);

}  // namespace relayon::link
