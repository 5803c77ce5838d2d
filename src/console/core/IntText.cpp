#include "console/core/IntText.h"

namespace relayon::console {

int32_t TextToIntDef(std::wstring_view text, int32_t fallback) {
    size_t i = 0;
    while (i < text.size() && text[i] == L' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    if (i == text.size()) return fallback;
    // Accumulate as a magnitude in 64 bits; stop as soon as it can no longer fit.
    int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c < L'0' || c > L'9') return fallback;
        magnitude = magnitude * 10 + (c - L'0');
        if (magnitude > int64_t{INT32_MAX} + 1) return fallback;
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX) return fallback;
    return static_cast<int32_t>(value);
}

}  // namespace relayon::console
