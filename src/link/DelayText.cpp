#include "link/DelayText.h"

#include "link/Opcodes.h"

namespace relayon::link {

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Fraction digits that decide the rounding: 2x + 0.0001 reaches the next half
// unit once the fraction is at least .49995, and the next whole unit at .99995.
constexpr int kFractionDigits = 5;
constexpr int kHalfThreshold = 49995;
constexpr int kWholeThreshold = 99995;

}  // namespace

std::wstring FilterNumberText(std::wstring_view text)
{
    std::wstring kept;
    bool pointKept = false;
    for (wchar_t c : text) {
        if (IsDigit(c))
            kept += c;
        else if (c == L'.' && !pointKept) {
            kept += c;
            pointKept = true;
        }
    }
    return kept;
}

std::optional<int> DelayHalfUnits(std::wstring_view text)
{
    const std::wstring kept = FilterNumberText(text);
    if (kept.size() < text.size() || kept.empty())
        return std::nullopt;
    const size_t point = kept.find(L'.');
    const std::wstring_view whole = std::wstring_view(kept).substr(0, point);
    const std::wstring_view fraction =
        point == std::wstring::npos ? std::wstring_view() : std::wstring_view(kept).substr(point + 1);
    if (whole.empty() && fraction.empty())
        return std::nullopt;  // a lone point

    // Whole units, capped: anything above 60 fails anyway.
    int units = 0;
    for (wchar_t c : whole) {
        units = units * 10 + (c - L'0');
        if (units > 60)
            return std::nullopt;
    }
    int firstDigits = 0;
    for (int i = 0; i < kFractionDigits; ++i)
        firstDigits = firstDigits * 10 + (i < static_cast<int>(fraction.size()) ? fraction[i] - L'0' : 0);

    const int halves = 2 * units + (firstDigits >= kHalfThreshold) + (firstDigits >= kWholeThreshold);
    if (halves > DelayCode::kMaxHalfUnits)
        return std::nullopt;
    return halves;
}

std::optional<uint8_t> DelayCodeFromText(std::wstring_view text, bool minutes)
{
    const std::optional<int> halves = DelayHalfUnits(text);
    if (!halves)
        return std::nullopt;
    return DelayCode::Encode(*halves, minutes);
}

std::wstring DelayCodeText(uint8_t code)
{
    const int halves = DelayCode::HalfUnits(code);
    std::wstring text = std::to_wstring(halves / 2);
    if (halves % 2)
        text += L".5";
    return text;
}

}  // namespace relayon::link
