#pragma once
// Live GDI objects of this process, for tests that paint in loops and must
// not leak brushes or bitmaps.
#include <windows.h>

DWORD GdiObjectCount();
