#include "skin/data/Winskinini_text.h"

#include <algorithm>

namespace relayon::skin::ini {
namespace {

bool IsBlank(char ch) { return static_cast<unsigned char>(ch) <= 32; }

int HexDigit(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return -1;
}

}  // namespace

std::string_view Trim(std::string_view line) {
    size_t begin = 0;
    size_t end = line.size();
    while (begin < end && IsBlank(line[begin])) ++begin;
    while (end > begin && IsBlank(line[end - 1])) --end;
    return line.substr(begin, end - begin);
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    text = text.substr(0, std::min(text.size(), text.find('\0')));
    std::vector<std::string_view> lines;
    size_t p = 0;
    while (p < text.size()) {
        const size_t start = p;
        while (p < text.size() && text[p] != '\r' && text[p] != '\n') ++p;
        lines.push_back(text.substr(start, p - start));
        if (p < text.size() && text[p] == '\r') ++p;
        if (p < text.size() && text[p] == '\n') ++p;
    }
    return lines;
}

bool HasHeaderShape(std::string_view line) {
    return !line.empty() && line.front() == '[' && line.back() == ']';
}

std::string LineName(std::string_view line) {
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) return {};
    std::string name(Trim(line.substr(0, eq)));
    for (char& ch : name)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    return name;
}

bool LineNameIs(std::string_view line, std::string_view lowerKey) {
    const size_t eq = line.find('=');
    const std::string_view name = eq == std::string_view::npos ? std::string_view() : Trim(line.substr(0, eq));
    if (name.size() != lowerKey.size()) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        char ch = name[i];
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
        if (ch != lowerKey[i]) return false;
    }
    return true;
}

std::string_view LineValue(std::string_view line) {
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) return {};
    return Trim(line.substr(eq + 1));
}

static std::optional<int32_t> ParseHex(std::string_view digits, bool negative) {
    if (digits.empty()) return std::nullopt;
    uint64_t value = 0;
    for (char ch : digits) {
        const int digit = HexDigit(ch);
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<uint64_t>(digit);
        if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    const uint32_t bits = negative ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    return static_cast<int32_t>(bits);
}

std::optional<int32_t> ParseInteger(std::string_view text) {
    // "0x1A" reads as "$1A"; a bare "0x" is not a number.
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) return ParseHex(text.substr(2), false);
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i < text.size() && text[i] == '$') return ParseHex(text.substr(i + 1), negative);
    if (i == text.size()) return std::nullopt;
    int64_t value = 0;
    const int64_t limit = negative ? 2147483648LL : 2147483647LL;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > limit) return std::nullopt;
    }
    return static_cast<int32_t>(negative ? -value : value);
}

}  // namespace relayon::skin::ini
