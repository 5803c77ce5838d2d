#include "skin/data/win32/SkinreadWin32.h"

#include <windows.h>

#include <filesystem>

#include "toolkit/Application.h"
#include "toolkit/MessageBox.h"
#include "toolkit/TextConvert.h"

namespace relayon::skin {

namespace {

std::wstring MessageCaption() {
    if (Application && !Application->Title().empty()) return Application->Title();
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return L"";
    return std::filesystem::path(path).stem().wstring();
}

}  // namespace

void InstallSkinReaderMessageBox(TSkinReader& reader) {
    reader.SetMessageHandler([](const std::string& text) {
        // The reader's texts are plain ASCII; ANSI keeps any other byte as
        // the user's code page shows it.
        TaskMessageBox(AnsiToWide(text), MessageCaption());
    });
}

}  // namespace relayon::skin
