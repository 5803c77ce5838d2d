#include "skin/paint/win32/SkinEngineDebug.h"

#include <windows.h>

#include "skin/data/win32/Winskindata.h"

namespace relayon::skin {

void EngineDebug(TSkinData* sd, const std::wstring& text) {
    OutputDebugStringW((L"skin engine: " + text + L"\n").c_str());
    // Reporting must never become a second fault at a callback boundary.
    try {
        if (sd) sd->DoDebug(text);
    } catch (...) {
    }
}

std::wstring WideFromAnsi(const char* text) {
    std::wstring out;
    for (const char* p = text ? text : ""; *p; ++p) out += static_cast<wchar_t>(static_cast<unsigned char>(*p));
    return out;
}

}  // namespace relayon::skin
