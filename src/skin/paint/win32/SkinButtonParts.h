#pragma once
// Pieces the button-family skinners share: reading a control's caption, font
// and flags whether it is a toolkit control or a bare window, the caption
// colour rules of the skin's Button object, drawing a caption block, and
// the off-screen picture every skinner composes before one copy to the
// screen.
#include <windows.h>

#include <memory>
#include <string>

#include "skin/paint/core/ButtonLayout.h"
#include "skin/paint/win32/Winsubclass.h"
#include "toolkit/Bitmap.h"

namespace relayon::skin {

// SaveDC on construction, RestoreDC on destruction: fonts, colours, modes and
// clipping set while drawing never outlive the drawing.
class DcStateGuard {
public:
    explicit DcStateGuard(HDC dc) noexcept : dc_(dc), saved_(dc ? SaveDC(dc) : 0) {}
    DcStateGuard(const DcStateGuard&) = delete;
    DcStateGuard& operator=(const DcStateGuard&) = delete;
    ~DcStateGuard() {
        if (saved_) RestoreDC(dc_, saved_);
    }

private:
    HDC dc_;
    int saved_;
};

// "True" in any case.
bool IsTrueText(const std::wstring& s);

// The Button object when it has a face image with at least one cell.
TDataSkinButton* ButtonFaceObject(TSkinData* sd);

// A toolkit control's caption, else the window text.
std::wstring CaptionOf(TSkinControl& sc);
// A toolkit control's font, else the window's WM_GETFONT (null: the system font).
HFONT FontOf(TSkinControl& sc);
// Whether a font colour is one of the system's text colours, the colour a
// control has when nobody chose one for it.
bool IsSystemTextColour(TColor colour);
// A font colour as drawn on the skin's ground: the system's text colours
// become the scheme's button text (dark system text would vanish on a dark
// skin), a chosen colour stays.
COLORREF SkinTextColour(TSkinData* sd, TColor fontColour);
// A toolkit control's font colour (as SkinTextColour draws it), else the
// scheme's button text.
COLORREF BaseTextColour(TSkinControl& sc);
// The caption colour for a face: the skin's replacements for normal, hot
// (face 4) and pressed (face 2) when switched on, button shadow when disabled.
COLORREF FaceTextColour(TDataSkinButton& button, COLORREF base, int face, bool enabled);
// The parent-background Tag on the control, or the skin data's transparent option.
bool WantsParentBackground(TComponent* owner, TSkinData* sd);
// The scheme's button face as a plain colour.
COLORREF FaceColour(TSkinData* sd);
// Whether the control reads right to left.
bool IsRightToLeft(TSkinControl& sc);
// Whether the skinner's control is the focus window.
bool HasFocus(TSkinControl& sc);
// The control window's style bits (0 for a windowless control).
DWORD StyleOf(TSkinControl& sc);

// A push button's caption: "||" as line breaks, wrapped inside `rc` less 2
// pixels a side, centred across when `alignment` has DT_CENTER, placed one
// pixel above the middle; drawn transparent in the DC's font and colour.
// With `focusRect` a focus rectangle is drawn around the text, grown by 2.
void DrawButtonCaption(HDC dc, const RECT& rc, const std::wstring& caption, UINT alignment, bool rtl,
                       bool focusRect);

// The off-screen picture of one control while it is drawn. The pictures
// come from a small pool of the thread, shared by every skinner that draws
// this way: a skinner holds one from Prepare until CopyTo (or its next
// Prepare, or its end), so a parent painted inside a button's paint (the
// parent-background case) draws its graphic children into pictures of their
// own. The pool is freed with the last ButtonCanvas of the thread.
class ButtonCanvas {
public:
    ButtonCanvas();
    ~ButtonCanvas();
    ButtonCanvas(const ButtonCanvas&) = delete;
    ButtonCanvas& operator=(const ButtonCanvas&) = delete;
    // A DC with a picture of at least w x h, its state saved; null when
    // either is not positive.
    HDC Prepare(int w, int h);
    // Copies the w x h picture to (x, y) of `dc` and gives the picture back.
    void CopyTo(HDC dc, int x, int y);
    // The picture between Prepare and CopyTo, else null.
    TBitmap* Bitmap() { return picture_; }

private:
    void GiveBack();
    TBitmap* picture_ = nullptr;
    int saved_ = 0;
    int w_ = 0, h_ = 0;
};

}  // namespace relayon::skin
