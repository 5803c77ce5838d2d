#include "toolkit/ShortCut.h"

#include <windows.h>

#include "toolkit/core/TextCase.h"

namespace {

struct KeyName {
    uint16_t key;
    const wchar_t* name;
};

// Names of the keys that have no printable character of their own.
constexpr KeyName kKeyNames[] = {
    {VK_BACK, L"BkSp"},  {VK_TAB, L"Tab"},     {VK_ESCAPE, L"Esc"}, {VK_RETURN, L"Enter"}, {VK_SPACE, L"Space"},
    {VK_PRIOR, L"PgUp"}, {VK_NEXT, L"PgDn"},   {VK_END, L"End"},    {VK_HOME, L"Home"},    {VK_LEFT, L"Left"},
    {VK_UP, L"Up"},      {VK_RIGHT, L"Right"}, {VK_DOWN, L"Down"},  {VK_INSERT, L"Ins"},   {VK_DELETE, L"Del"},
};

std::wstring KeyText(uint16_t key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::wstring(1, static_cast<wchar_t>(key));
    if (key >= VK_F1 && key <= VK_F24) return L"F" + std::to_wstring(key - VK_F1 + 1);
    for (const KeyName& k : kKeyNames)
        if (k.key == key) return k.name;
    return {};
}

constexpr struct {
    TShortCut flag;
    const wchar_t* prefix;
} kModifiers[] = {{scShift, L"Shift+"}, {scCtrl, L"Ctrl+"}, {scAlt, L"Alt+"}};

}  // namespace

TShortCut ShortCut(uint16_t key, TShiftState shift) {
    if (key & 0xFF00) return scNone;
    TShortCut result = key;
    if (shift.Contains(ssShift)) result |= scShift;
    if (shift.Contains(ssCtrl)) result |= scCtrl;
    if (shift.Contains(ssAlt)) result |= scAlt;
    return result;
}

std::wstring ShortCutToText(TShortCut shortCut) {
    std::wstring key = KeyText(shortCut & 0xFF);
    if (key.empty()) return {};
    std::wstring text;
    for (const auto& m : kModifiers)
        if (shortCut & m.flag) text += m.prefix;
    return text + key;
}

TShortCut TextToShortCut(const std::wstring& text) {
    std::wstring rest = text;
    TShortCut flags = 0;
    for (bool found = true; found;) {
        found = false;
        for (const auto& m : kModifiers) {
            std::wstring prefix = m.prefix;
            if (rest.size() > prefix.size() && SameText(rest.substr(0, prefix.size()), prefix)) {
                flags |= m.flag;
                rest.erase(0, prefix.size());
                found = true;
            }
        }
    }
    for (uint16_t key = 1; key < 0x100; ++key) {
        std::wstring name = KeyText(key);
        if (!name.empty() && SameText(name, rest)) return static_cast<TShortCut>(flags | key);
    }
    return scNone;
}
