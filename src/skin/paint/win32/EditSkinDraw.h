#pragma once
// Drawing pieces the combo, edit and date-picker skinners share.
#include <windows.h>

#include "skin/data/win32/Winskindata.h"

namespace relayon::skin {

// The object has a picture to draw.
bool HasSkinImage(const TDataSkinObject* o);

// Saves the DC's state (clipping, selections) for the scope.
class SavedDc {
public:
    explicit SavedDc(HDC dc) : dc_(dc), saved_(dc ? SaveDC(dc) : 0) {}
    ~SavedDc() {
        if (saved_) RestoreDC(dc_, saved_);
    }
    SavedDc(const SavedDc&) = delete;
    SavedDc& operator=(const SavedDc&) = delete;

private:
    HDC dc_;
    int saved_;
};

// A window's client area is smaller than the window in both directions.
bool WindowHasBorder(HWND h);
// The same with more than one pixel on every side.
bool WindowHasWideBorder(HWND h);
// A one-pixel frame of `shadow` on R's outermost pixels and `whiteRings`
// white one-pixel frames inside it.
void DrawSunkenFrame(HDC dc, const RECT& R, TColor shadow, int whiteRings);
// Cell d of the object's picture cut by its margins into R, magenta left
// out; d outside 1..frame draws nothing.
void DrawNineSlice(HDC dc, const RECT& R, TDataSkinObject& o, int d);

}  // namespace relayon::skin
