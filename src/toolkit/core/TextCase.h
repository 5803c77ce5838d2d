#pragma once
// Case rules for names and keys. Component, property and class names compare
// with SameText (UTF-16, the C library's upper case of each character). The
// skin engine's 8-bit text has no code page in the portable core, so its
// comparisons fold ASCII letters only and leave bytes >= 0x80 as they are.
#include <string>
#include <string_view>

bool SameText(std::wstring_view a, std::wstring_view b);
std::wstring UpperCase(std::wstring_view s);

bool SameTextAscii(std::string_view a, std::string_view b);
std::string AsciiLower(std::string_view text);
