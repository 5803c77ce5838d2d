#pragma once
// Reading back what the screen shows, for the skin tests' pixel checks.
#include <windows.h>

#include <cstdint>
#include <vector>

class TBitmap;

namespace skintest {

// The pixels of rectangle r of a device context (32-bit, top row first).
std::vector<uint32_t> CapturePixels(HDC source, const RECT& r);
// The whole window's pixels, frame included.
std::vector<uint32_t> WindowPixels(HWND h);
// One pixel as the screen shows it, in client or in window coordinates.
COLORREF ClientPixel(HWND h, int x, int y);
COLORREF WindowPixel(HWND h, int x, int y);
// The window's pixels in r (window coordinates) as COLORREF values.
std::vector<COLORREF> WindowColours(HWND h, const RECT& r);
// Opaque pixels of cell `cell` (from 1) of `cells` side-by-side cells of
// `strip` that differ from what the window shows at `at` (window
// coordinates); -1 when the cell has no opaque pixel.
int CellMismatches(HWND h, const RECT& at, TBitmap& strip, int cells, int cell = 1);

}  // namespace skintest
