// Numbers typed by the operator, read with a fallback: the device IDs saved to
// the settings file use 0, the command checks use 999.
#pragma once

#include <cstdint>
#include <string_view>

namespace relayon::console {

// Decimal integer of the whole text: leading spaces, an optional sign, then
// digits and nothing else. Empty text, any other character or a value outside
// 32 bits gives the fallback.
int32_t TextToIntDef(std::wstring_view text, int32_t fallback);

}  // namespace relayon::console
