// The platform flags the painters consult (Unicode platform, version 6).
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
