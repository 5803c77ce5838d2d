// Arbitrary Skin3rd tables and class names (they come from form resources):
// the lookup never reads past a line and never answers a kind longer than 50
// characters; a found kind is always in lower case.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "skin/paint/core/SkinnerChoice.h"

using namespace relayon::skin::paint;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::wstring> lines(1);
    std::wstring name;
    bool inName = true;
    for (size_t i = 0; i + 1 < size; i += 2) {
        wchar_t c = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
        if (c == L'\n') {
            if (inName) inName = false;
            else lines.emplace_back();
        } else if (inName) {
            name += c;
        } else {
            lines.back() += c;
        }
    }
    if (auto kind = Skin3rdKind(lines, name)) {
        if (kind->size() > 50) __builtin_trap();
        for (wchar_t c : *kind)
            if (c >= L'A' && c <= L'Z') __builtin_trap();
    }
    for (const std::wstring& l : lines) ChooseHwndSkinner(l, static_cast<unsigned>(size * 2654435761u), HwndFlags{true, true, true, true, true});
    return 0;
}
