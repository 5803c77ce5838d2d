#pragma once
// Line-level rules of the INI text: trimming, splitting, headers, names,
// values and integer conversion.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace relayon::skin::ini {

// Removes leading and trailing characters with codes <= 32.
std::string_view Trim(std::string_view line);

// Splits text into lines. A line ends at CR, at LF or at the end; after a
// line one CR and then one LF are skipped, so CR LF, LF and CR each end one
// line and LF CR ends a line and then an empty one. A zero byte ends the text.
std::vector<std::string_view> SplitLines(std::string_view text);

// Non-empty, starts with "[" and ends with "]" (the line as given).
bool HasHeaderShape(std::string_view line);
// A section header: HasHeaderShape after trimming.
inline bool IsSectionHeader(std::string_view line) { return HasHeaderShape(Trim(line)); }

// Text before the first "=", trimmed and ASCII-lower-cased; empty without "=".
std::string LineName(std::string_view line);
// Whether the line's name (as LineName gives it) is `lowerKey`, an already
// lower-cased key; compares in place, without making the name.
bool LineNameIs(std::string_view line, std::string_view lowerKey);
// Text after the first "=", trimmed; empty without "=".
std::string_view LineValue(std::string_view line);

// Decimal with optional sign, or hexadecimal after "$" (sign allowed before
// it) or "0x"/"0X"; 32-bit range (hex up to 8 digits, taken as a bit pattern).
std::optional<int32_t> ParseInteger(std::string_view text);

}  // namespace relayon::skin::ini
