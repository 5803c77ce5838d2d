// Mouse-leave tracking for the skinners, when the system offers it.
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
