#include "toolkit/core/Color.h"

#include <windows.h>

TColor ColorToRGB(TColor color) {
    if (IsSystemColor(color)) return static_cast<TColor>(GetSysColor(color & 0xFF));
    if (color == clNone || color == clDefault) return clBlack;
    return color & 0x00FFFFFF;
}
