#pragma once
// Where the settings file lives and the one-field file accesses on it.
//
// The file stays in the Windows directory wherever it can be written or
// created there. Where it cannot (a standard user on current Windows), it
// lives in %LOCALAPPDATA%\Relayon, starting as a copy of the Windows
// directory's file when there is one, so settings are not lost silently. An
// explicit path (command line "--settings PATH") wins over both.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "console/core/SettingsWrites.h"

namespace relayon::console {

inline constexpr wchar_t kSettingsFileName[] = L"qarn.dat";

// An explicit settings path for this process. Empty: forget the path kept so
// far, so the next access chooses again as above.
void SetSettingsPathOverride(const std::wstring& path);
// The explicit path given by "--settings PATH" among a program's arguments
// (args[0] is the program), if any; the last one given wins.
std::optional<std::wstring> SettingsPathFromArguments(int count, const wchar_t* const* args);

// The settings file's full path, chosen as described above at the first
// access (the start-up load) and kept for the rest of the session.
const std::wstring& SettingsPath();

// Whether the settings file can be opened for writing, or created, at a path.
using WritableProbe = bool (*)(const std::wstring& path);
bool CanWriteSettingsAt(const std::wstring& path);
// The choice between the Windows directory's file and the per-user file:
// the first when `writable` says so, else the second, which starts as a copy
// of the first when only the first exists.
std::wstring ResolveSettingsPath(const std::wstring& systemFile, const std::wstring& userFile,
                                 WritableProbe writable = CanWriteSettingsAt);

// Open the existing file without sharing, seek, write, close. A file that
// cannot be opened is left alone and the change is lost, silently.
void WriteSettingsField(const FieldWrite& write);

// The whole file, or nothing when it cannot be opened (after waiting up to
// about a second while another program holds it).
std::optional<std::vector<uint8_t>> ReadSettingsFile();
// Creates the file with the given bytes; false when it cannot, or when a file
// is already there (that one is never replaced).
bool CreateSettingsFile(std::span<const uint8_t> bytes);

}  // namespace relayon::console
