#include "toolkit/Color.h"

#include <windows.h>

TColor Win32SystemColor(int index) { return static_cast<TColor>(GetSysColor(index & 0xFF) & 0x00FFFFFF); }

TColor ColorToRGB(TColor color) { return ColorToRGB(color, Win32SystemColor); }
