#include "console/SettingsFile.h"

#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <type_traits>

namespace relayon::console {
namespace {

// The path decided for this session: the override, or the location chosen
// at the first access (the start-up load).
std::wstring gPath;
bool gDecided = false;

struct HandleCloser {
    void operator()(HANDLE h) const
    {
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

FileHandle OpenUnshared(const std::wstring& path, DWORD disposition, DWORD flags = FILE_ATTRIBUTE_NORMAL)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, disposition, flags, nullptr);
    return FileHandle(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring WindowsDirectoryFile()
{
    wchar_t dir[MAX_PATH] = {};
    const UINT n = GetWindowsDirectoryW(dir, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return {};
    std::wstring path(dir);
    if (path.back() != L'\\')
        path += L'\\';
    return path + kSettingsFileName;
}

struct ModuleFreer {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using Module = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFreer>;

// shell32 is loaded only here, when the Windows directory cannot hold the
// file: linked statically it (and the DLLs it pulls in) would sit in every
// console's memory from start-up for a call most starts never make.
std::wstring PerUserFile()
{
    const Module shell32(LoadLibraryW(L"shell32.dll"));
    if (!shell32)
        return {};
    using GetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
    const auto getFolderPath =
        reinterpret_cast<GetFolderPath>(reinterpret_cast<void*>(GetProcAddress(shell32.get(), "SHGetFolderPathW")));
    wchar_t base[MAX_PATH] = {};
    if (!getFolderPath || FAILED(getFolderPath(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, base)))
        return {};
    std::wstring dir = std::wstring(base) + L"\\Relayon";
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir + L"\\" + kSettingsFileName;
}

}  // namespace

void SetSettingsPathOverride(const std::wstring& path)
{
    gPath = path;
    gDecided = !path.empty();
}

std::optional<std::wstring> SettingsPathFromArguments(int count, const wchar_t* const* args)
{
    std::optional<std::wstring> path;
    for (int i = 1; i + 1 < count; ++i)
        if (std::wstring(args[i]) == L"--settings")
            path = args[i + 1];
    return path;
}

// A probe that creates the file removes it again: the start-up load then
// writes a proper new file. A file that another program holds open right
// now still counts as writable: that collision loses one write, as any
// collision of two consoles does, and must not move the settings elsewhere.
bool CanWriteSettingsAt(const std::wstring& path)
{
    if (path.empty())
        return false;
    if (Exists(path))
        return OpenUnshared(path, OPEN_EXISTING) != nullptr || GetLastError() == ERROR_SHARING_VIOLATION;
    return OpenUnshared(path, CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE) != nullptr;
}

std::wstring ResolveSettingsPath(const std::wstring& systemFile, const std::wstring& userFile, WritableProbe writable)
{
    if (writable(systemFile) || userFile.empty())
        return systemFile;
    if (!Exists(userFile) && Exists(systemFile))
        CopyFileW(systemFile.c_str(), userFile.c_str(), TRUE);
    return userFile;
}

// Decided once: probing the location creates and deletes a file, and a
// location that changed its mind between two writes would split the
// settings over two files. A write that fails later is skipped, as any
// write to an unwritable file is.
const std::wstring& SettingsPath()
{
    if (!gDecided) {
        const std::wstring system = WindowsDirectoryFile();
        gPath = CanWriteSettingsAt(system)
                    ? system
                    : ResolveSettingsPath(system, PerUserFile(), [](const std::wstring&) { return false; });
        gDecided = true;
    }
    return gPath;
}

void WriteSettingsField(const FieldWrite& write)
{
    FileHandle file = OpenUnshared(SettingsPath(), OPEN_EXISTING);
    if (!file)
        return;
    LARGE_INTEGER at{};
    at.QuadPart = write.offset;
    if (!SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN))
        return;
    DWORD written = 0;
    WriteFile(file.get(), write.Bytes().data(), write.size, &written, nullptr);
}

namespace {

// Another console's save holds the file, unshared, for the moment of one
// field. The start-up read waits that moment out: taken for a missing file,
// the window would start on the new-file values although the file is there.
FileHandle OpenExistingWaitingForSharing(const std::wstring& path)
{
    constexpr int kAttempts = 40;
    constexpr DWORD kPauseMs = 25;
    for (int attempt = 1;; ++attempt) {
        HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE)
            return FileHandle(h);
        if (GetLastError() != ERROR_SHARING_VIOLATION || attempt == kAttempts)
            return nullptr;
        Sleep(kPauseMs);
    }
}

}  // namespace

std::optional<std::vector<uint8_t>> ReadSettingsFile()
{
    FileHandle file = OpenExistingWaitingForSharing(SettingsPath());
    if (!file)
        return std::nullopt;
    std::vector<uint8_t> bytes;
    uint8_t buffer[4096];
    DWORD n = 0;
    // The layout is a few kilobytes; anything beyond 64 KiB is not ours to read.
    while (bytes.size() < 65536 && ReadFile(file.get(), buffer, sizeof buffer, &n, nullptr) && n > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    return bytes;
}

bool CreateSettingsFile(std::span<const uint8_t> bytes)
{
    // Only where no file is: one that exists but could not be read keeps the
    // operator's settings for the next start instead of being replaced.
    FileHandle file = OpenUnshared(SettingsPath(), CREATE_NEW);
    if (!file)
        return false;
    DWORD written = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

}  // namespace relayon::console
