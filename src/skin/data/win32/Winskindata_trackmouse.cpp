// Mouse-leave tracking, alone in this file for the same reason as the
// platform flags (Winskindata_platform.cpp): the control skinners' library
// defines it too, and a program linking that library takes theirs.
#include <windows.h>

#include "skin/data/win32/Winskindata.h"

namespace relayon::skin {

void DoTrackMouse(HWND hwnd) {
    if (!pTrackMouseEvent) return;
    TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof tme;
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = hwnd;
    tme.dwHoverTime = HOVER_DEFAULT;
    pTrackMouseEvent(&tme);
}

}  // namespace relayon::skin
