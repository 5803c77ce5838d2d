#include "link/TypedNumber.h"

namespace relayon::link {

int32_t TypedNumber(std::wstring_view text)
{
    size_t i = 0;
    while (i < text.size() && text[i] == L' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        negative = text[i++] == L'-';
    if (i == text.size())
        return kNotANumber;
    // A magnitude in 64 bits, abandoned as soon as it cannot fit 32 bits, so
    // a field of any length never overflows.
    int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c < L'0' || c > L'9')
            return kNotANumber;
        magnitude = magnitude * 10 + (c - L'0');
        if (magnitude > int64_t{INT32_MAX} + 1)
            return kNotANumber;
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX)
        return kNotANumber;
    return static_cast<int32_t>(value);
}

std::optional<uint8_t> TypedDeviceId(std::wstring_view text)
{
    const int32_t id = TypedNumber(text);
    if (id < 1 || id > 255)
        return std::nullopt;
    return static_cast<uint8_t>(id);
}

std::optional<uint8_t> TypedDeviceIdOrZero(std::wstring_view text)
{
    const int32_t id = TypedNumber(text);
    if (id < 0 || id > 255)
        return std::nullopt;
    return static_cast<uint8_t>(id);
}

}  // namespace relayon::link
