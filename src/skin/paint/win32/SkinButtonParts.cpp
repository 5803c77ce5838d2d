#include "skin/paint/win32/SkinButtonParts.h"

#include <algorithm>
#include <cwctype>
#include <memory>
#include <vector>

#include "toolkit/Color.h"
#include "toolkit/Control.h"
#include "toolkit/WinControl.h"

namespace relayon::skin {

bool IsTrueText(const std::wstring& s) {
    if (s.size() != 4) return false;
    std::wstring lower = s;
    for (auto& c : lower) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return lower == L"true";
}

TDataSkinButton* ButtonFaceObject(TSkinData* sd) {
    if (!sd || !sd->Button || !sd->Button->Map || sd->Button->Map->Empty() || sd->Button->frame < 1) return nullptr;
    return sd->Button.get();
}

std::wstring CaptionOf(TSkinControl& sc) {
    if (TControl* c = SkinnedObject(sc)) return c->Caption();
    if (!sc.hwnd) return L"";
    int len = GetWindowTextLengthW(sc.hwnd);
    std::wstring text(static_cast<size_t>(std::max(len, 0)) + 1, L'\0');
    int got = GetWindowTextW(sc.hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(std::max(got, 0)));
    return text;
}

HFONT FontOf(TSkinControl& sc) {
    if (TControl* c = SkinnedObject(sc)) return c->Font().Handle();
    return sc.hwnd ? reinterpret_cast<HFONT>(SendMessageW(sc.hwnd, WM_GETFONT, 0, 0)) : nullptr;
}

bool IsSystemTextColour(TColor colour) { return colour == clWindowText || colour == clBtnText; }

COLORREF SkinTextColour(TSkinData* sd, TColor fontColour) {
    if (IsSystemTextColour(fontColour) && sd && !sd->Empty) return ColorToRGB(SchemeColor(sd, csButtonText));
    return ColorToRGB(fontColour);
}

COLORREF BaseTextColour(TSkinControl& sc) {
    if (TControl* c = SkinnedObject(sc)) return SkinTextColour(sc.fsd, c->Font().Color());
    return ColorToRGB(SchemeColor(sc.fsd, csButtonText));
}

COLORREF FaceTextColour(TDataSkinButton& button, COLORREF base, int face, bool enabled) {
    COLORREF colour = base;
    if (button.newnormal) colour = ColorToRGB(button.Normalcolor2);
    if (face == 4 && button.newover) colour = ColorToRGB(button.Overcolor2);
    if (face == 2 && button.newdown) colour = ColorToRGB(button.Downcolor2);
    if (!enabled) colour = GetSysColor(COLOR_BTNSHADOW);
    return colour;
}

bool WantsParentBackground(TComponent* owner, TSkinData* sd) {
    if (owner && owner->Tag() == kParentBackgroundTag) return true;
    return sd && sd->Options().Contains(xoTransparent);
}

COLORREF FaceColour(TSkinData* sd) { return ColorToRGB(SchemeColor(sd, csButtonFace)); }

bool IsRightToLeft(TSkinControl& sc) {
    if (TControl* c = SkinnedObject(sc)) return c->UseRightToLeftReading();
    return sc.hwnd && (GetWindowLongW(sc.hwnd, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
}

bool HasFocus(TSkinControl& sc) { return sc.hwnd && GetFocus() == sc.hwnd; }

DWORD StyleOf(TSkinControl& sc) { return sc.hwnd ? static_cast<DWORD>(GetWindowLongW(sc.hwnd, GWL_STYLE)) : 0; }

void DrawButtonCaption(HDC dc, const RECT& rc, const std::wstring& caption, UINT alignment, bool rtl,
                       bool focusRect) {
    const std::wstring text = paint::ExpandLineBreaks(caption);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    const UINT flags = alignment | DT_WORDBREAK | DT_EXPANDTABS | (rtl ? DT_RTLREADING : 0);
    RECT measure{0, 0, paint::CaptionWrapWidth(w), 0};
    if (!text.empty()) DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measure, flags | DT_CALCRECT | DT_NOCLIP);
    const paint::BtnRect place = paint::CaptionRect(w, h, {measure.right - measure.left, measure.bottom - measure.top},
                                                    (alignment & DT_CENTER) != 0);
    RECT r{rc.left + place.left, rc.top + place.top, rc.left + place.right, rc.top + place.bottom};
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    if (!text.empty()) DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
    SetBkMode(dc, oldMode);
    if (focusRect && !text.empty()) {
        RECT f{r.left - 2, r.top - 2, r.right + 2, r.bottom + 2};
        IntersectRect(&f, &f, &rc);
        DrawFocusRect(dc, &f);
    }
}

namespace {

// The thread's pictures: those lent out and those free. Pictures only grow,
// so after the first paints of a window the pool holds as many pictures as
// paints were ever nested, each as large as the largest control drawn.
struct PicturePool {
    std::vector<std::unique_ptr<TBitmap>> free;
    int users = 0;
};
thread_local PicturePool pool;

}  // namespace

ButtonCanvas::ButtonCanvas() { ++pool.users; }

ButtonCanvas::~ButtonCanvas() {
    GiveBack();
    if (--pool.users == 0) pool.free.clear();
}

HDC ButtonCanvas::Prepare(int w, int h) {
    GiveBack();
    if (w <= 0 || h <= 0) return nullptr;
    std::unique_ptr<TBitmap> picture;
    if (!pool.free.empty()) {
        picture = std::move(pool.free.back());
        pool.free.pop_back();
    }
    if (!picture) picture = std::make_unique<TBitmap>(w, h);
    else if (picture->Width() < w || picture->Height() < h)
        picture->SetSize(std::max(picture->Width(), w), std::max(picture->Height(), h));
    HDC dc = picture->Canvas().Handle();
    saved_ = SaveDC(dc);
    w_ = w;
    h_ = h;
    picture_ = picture.release();
    return dc;
}

void ButtonCanvas::CopyTo(HDC dc, int x, int y) {
    if (picture_) BitBlt(dc, x, y, w_, h_, picture_->Canvas().Handle(), 0, 0, SRCCOPY);
    GiveBack();
}

void ButtonCanvas::GiveBack() {
    if (!picture_) return;
    // Fonts, colours and clipping a skinner set stay with its paint.
    if (saved_) RestoreDC(picture_->Canvas().Handle(), saved_);
    saved_ = 0;
    pool.free.emplace_back(picture_);
    picture_ = nullptr;
}

}  // namespace relayon::skin
