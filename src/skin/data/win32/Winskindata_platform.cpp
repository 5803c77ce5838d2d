// The platform flags and mouse-leave tracking, alone in this file on purpose:
// the skin manager's library defines the same names, and a program that links
// the manager takes its definitions, so this object is linked only by
// programs without the manager (the console's skin data alone, the skin data
// tests) and never duplicates them.
#include <windows.h>

#include "skin/data/win32/Winskindata.h"

namespace relayon::skin {

namespace {

bool MajorVersionIsNot6() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&info)) return true;
#pragma GCC diagnostic pop
    return info.dwMajorVersion != 6;
}

}  // namespace

bool Win32PlatformIsUnicode = GetVersion() < 0x80000000u;
bool IsVista = MajorVersionIsNot6();

}  // namespace relayon::skin
