#pragma once
// TColor on Windows: system colours come from the running system.
#include "toolkit/core/Color.h"

// Plain colour of system colour `index` (low byte), from GetSysColor.
TColor Win32SystemColor(int index);

// ColorToRGB with system colours looked up by Win32SystemColor.
TColor ColorToRGB(TColor color);
