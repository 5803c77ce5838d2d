// A switching delay as the operator types it: a number of units in steps of
// 0.5, 0 to 60, the unit being minutes when the field's minutes box is checked.
//
// Reading rule, in order; the first that fails refuses the field:
//   1. FilterNumberText keeps the digits 0-9 and the first "." and drops the
//      rest; if anything was dropped (a letter, sign, space, comma, second
//      point) the field fails.
//   2. An empty field fails; so does a lone "." (no digits, not a number).
//   3. v = x * 2 + 0.0001, truncated: the delay in half units, rounded down
//      to the half unit below (1.3 -> 2, that is 1.0; 1.25 -> 2). v above 120
//      fails.
// The code sent is v, plus 128 (DelayCode::MinutesBit) for minutes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace relayon::link {

// The digits and the first point of `text`, in order.
std::wstring FilterNumberText(std::wstring_view text);

// The delay in half units (0..120) of a typed field, or nullopt when the
// field is refused. Works on the text as decimal digits, never through a
// floating-point conversion, so a field of any length is read exactly and
// cannot overflow.
std::optional<int> DelayHalfUnits(std::wstring_view text);

// The DelayCode byte of a typed field and its minutes box, or nullopt.
std::optional<uint8_t> DelayCodeFromText(std::wstring_view text, bool minutes);

// What a field shows for a DelayCode read from a unit: the whole units,
// followed by ".5" when there is a half ("1.5", "0", "10", "0.5").
std::wstring DelayCodeText(uint8_t code);

}  // namespace relayon::link
