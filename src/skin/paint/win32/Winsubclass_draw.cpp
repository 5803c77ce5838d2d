// The drawing and text helpers the control skinners share.
#include <algorithm>
#include <cstdlib>

#include "skin/paint/win32/SkinPrimitives.h"
#include "skin/paint/win32/Winskinform.h"
#include "skin/paint/win32/Winsubclass.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Color.h"
#include "toolkit/Control.h"
#include "toolkit/GdiObject.h"
#include "toolkit/GraphicControl.h"
#include "toolkit/WinControl.h"

namespace relayon::skin {

namespace {

bool Inverted(const RECT& r) { return r.right < r.left || r.bottom < r.top; }

paint::SliceMargins MarginsOf(const TDataSkinObject& o) { return {o.r.Left, o.r.Top, o.r.Right, o.r.Bottom}; }

bool HasImage(const TDataSkinObject* o) { return o && o->Map && !o->Map->Empty(); }

// Selects an object into a DC for the scope.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~Selected() {
        if (old_) SelectObject(dc_, old_);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Makes sure the shared buffer covers w x h; false when there is none.
bool SharedBufferFor(int w, int h) {
    TBitmap* bg = BG();
    if (!bg || w <= 0 || h <= 0) return false;
    if (bg->Width() < w || bg->Height() < h) bg->SetSize(std::max(bg->Width(), w), std::max(bg->Height(), h));
    return true;
}

void NineSliceInto(HDC dc, const RECT& rc, TDataSkinObject* o, int I, int N, bool trans) {
    DrawRect2(dc, rc, *o->Map, MarginsOf(*o), I, N, trans, o->Tile != 0, false);
}

}  // namespace

TColor SchemeColor(TSkinData* sd, TShemeColor which) {
    if (sd && !sd->Empty) return sd->Colors[which];
    switch (which) {
    case csButtonFace: return clBtnFace;
    case csButtonText: return clBtnText;
    default: return clBtnFace;
    }
}

void FillColor(HDC dc, const RECT& rc, TColor acolor) {
    if (!dc || Inverted(rc)) return;
    GdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(acolor)));
    FillRect(dc, &rc, brush.get());
}

void TSkinControl::FillBG(HDC dc, const RECT& rc) { FillColor(dc, rc, SchemeColor(fsd, csButtonFace)); }

TColor TSkinControl::GetParentColor(TColor acolor) {
    TControl* c = SkinnedObject(*this);
    if (!c || !c->Parent()) return acolor;
    int64_t v = GetIntProperty(c->Parent(), L"Color");
    return v == -1 ? acolor : static_cast<TColor>(v);
}

void TSkinControl::FillParentBG(HDC dc, const RECT& rc) {
    FillColor(dc, rc, GetParentColor(SchemeColor(fsd, csButtonFace)));
}

UINT TSkinControl::CheckBiDi(UINT dw) {
    TControl* c = SkinnedObject(*this);
    if (c && c->UseRightToLeftReading()) dw |= DT_RTLREADING;
    return dw;
}

int TSkinControl::TextHeight(HDC dc, const std::wstring& s) {
    SIZE size{};
    if (!dc) return 0;
    GetTextExtentPoint32W(dc, s.c_str(), static_cast<int>(s.size()), &size);
    return size.cy;
}

void TSkinControl::DrawFocus(HDC dc, const std::wstring& text, const RECT& rc, UINT flags) {
    if (!dc) return;
    RECT tr = rc;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &tr, flags | DT_CALCRECT | DT_NOCLIP);
    int tw = tr.right - tr.left, th = tr.bottom - tr.top;
    if (flags & DT_CENTER) {
        tr.left = rc.left + (rc.right - rc.left - tw) / 2;
        tr.right = tr.left + tw;
        tr.top = rc.top + (rc.bottom - rc.top - th) / 2 - 1;
        tr.bottom = tr.top + th;
    } else if (flags & DT_RIGHT) {
        tr.right = rc.right;
        tr.left = rc.right - tw;
    }
    InflateRect(&tr, 2, 1);
    RECT clipped{};
    if (!IntersectRect(&clipped, &tr, &rc)) return;
    DrawFocusRect(dc, &clipped);
}

void TSkinControl::DrawCaption(TCanvas& acanvas, const RECT& rc, const std::wstring& text, bool benabled, bool,
                               UINT Alignment) {
    HDC dc = acanvas.Handle();
    if (!dc) return;
    acanvas.Brush().SetStyle(bsClear);
    acanvas.Font().SetStyle({});
    SetBkMode(dc, TRANSPARENT);
    RECT tr = rc;
    acanvas.DrawText(text, tr, Alignment | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS);
    int tw = tr.right - tr.left, th = tr.bottom - tr.top;
    RECT out = rc;
    if (Alignment & DT_CENTER) {
        out.left = rc.left + (rc.right - rc.left - tw) / 2;
        out.right = out.left + tw;
    }
    out.top = rc.top + (rc.bottom - rc.top - th) / 2 - 1;
    out.bottom = out.top + th;
    if (!benabled) acanvas.Font().SetColor(clBtnShadow);
    acanvas.DrawText(text, out, CheckBiDi(Alignment | DT_EXPANDTABS));
}

void TSkinControl::DrawImgCaption(TCanvas& acanvas, const RECT& rc, HIMAGELIST ImgList, int imgIndex,
                                  const std::wstring& text, int talign) {
    HDC dc = acanvas.Handle();
    if (!dc) return;
    int iw = 0, ih = 0;
    bool withImage = ImgList && imgIndex != -1 && ImageList_GetIconSize(ImgList, &iw, &ih) &&
                     iw < rc.right - rc.left;
    if (!withImage) iw = ih = 0;
    RECT tr = rc;
    acanvas.DrawText(text, tr, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    int tw = tr.right - tr.left;
    int block = iw + (withImage ? 2 : 0) + tw;
    int width = rc.right - rc.left;
    int x = rc.left + 3;
    if (talign == 1) x = rc.left + (width - block) / 2;
    else if (talign == 2) x = rc.right - 2 - block;
    x = std::max<int>(x, rc.left + 1);
    if (withImage) {
        int y = rc.top + (rc.bottom - rc.top - ih) / 2;
        ImageList_Draw(ImgList, imgIndex, dc, x, y, ILD_NORMAL);
        x += iw + 2;
    }
    bool benabled = true;
    if (TControl* c = SkinnedObject(*this)) benabled = c->Enabled();
    if (!benabled) acanvas.Font().SetColor(clBtnShadow);
    acanvas.Brush().SetStyle(bsClear);
    RECT out{x, rc.top, rc.right, rc.bottom};
    acanvas.DrawText(text, out, CheckBiDi(DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX));
}

void TSkinControl::DrawSkinMap(HDC dc, const RECT& rc, TDataSkinObject* aObject, int I, int N) {
    if (!dc || Inverted(rc) || !HasImage(aObject)) return;
    NineSliceInto(dc, rc, aObject, I, N, aObject->trans == 1);
}

void TSkinControl::DrawSkin(const RECT& rc, TDataSkinObject* aObject, int I, int N, bool trans) {
    if (Inverted(rc) || !HasImage(aObject)) return;
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (!SharedBufferFor(w, h)) return;
    HDC dc = BG()->Canvas().Handle();
    RECT at{0, 0, w, h};
    FillBG(dc, at);
    NineSliceInto(dc, at, aObject, I, N, trans);
}

void TSkinControl::DrawBMPSkin(TBitmap& abmp, const RECT& rc, TDataSkinObject* aObject, int I, int N, bool trans) {
    if (Inverted(rc) || !HasImage(aObject)) return;
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (w <= 0 || h <= 0) return;
    if (abmp.Width() < w || abmp.Height() < h) abmp.SetSize(std::max(abmp.Width(), w), std::max(abmp.Height(), h));
    HDC dc = abmp.Canvas().Handle();
    RECT at{0, 0, w, h};
    FillBG(dc, at);
    NineSliceInto(dc, at, aObject, I, N, trans);
}

void TSkinControl::DrawBuf(HDC dc, const RECT& rc) {
    TBitmap* bg = BG();
    if (!dc || !bg || Inverted(rc)) return;
    BitBlt(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, bg->Canvas().Handle(), 0, 0, SRCCOPY);
}

void TSkinControl::DrawSkinMap1(HDC dc, const RECT& rc, TBitmap& bmp, int I, int N) {
    if (!dc || Inverted(rc)) return;
    DrawRect1(dc, rc, bmp, I, N, true);
}

void TSkinControl::DrawSkinMap2(HDC dc, const RECT& rc, TBitmap& bmp, int I, int N) {
    if (!dc || Inverted(rc)) return;
    DrawRect1(dc, rc, bmp, I, N, true);
}

void TSkinControl::DrawSkinMap3(TCanvas& acanvas, const RECT& rc, TBitmap& bmp, int I, int N) {
    HDC dc = acanvas.Handle();
    if (!dc || Inverted(rc)) return;
    DrawRect1(dc, rc, bmp, I, N, true);
}

void CopyBMP(TBitmap& src, TBitmap& dst) {
    dst.SetPixelFormat(src.PixelFormat());
    dst.SetSize(src.Width(), src.Height());
    if (src.Empty()) return;
    BitBlt(dst.Canvas().Handle(), 0, 0, src.Width(), src.Height(), src.Canvas().Handle(), 0, 0, SRCCOPY);
}

void MyDrawCaption(TCanvas& acanvas, const RECT& rc, const std::wstring& text, UINT alignment, bool benabled) {
    UINT flags = (alignment & (DT_RIGHT | DT_CENTER)) | DT_EXPANDTABS | DT_NOCLIP;
    RECT tr = rc;
    acanvas.DrawText(text, tr, flags | DT_CALCRECT);
    int tw = tr.right - tr.left, th = tr.bottom - tr.top;
    RECT out{rc.left + (rc.right - rc.left - tw) / 2, rc.top + (rc.bottom - rc.top - th) / 2, 0, 0};
    out.right = out.left + tw;
    out.bottom = out.top + th;
    if (!benabled) acanvas.Font().SetColor(clBtnShadow);
    acanvas.Brush().SetStyle(bsClear);
    acanvas.DrawText(text, out, flags);
}

void MyDrawImgCaption(TCanvas& acanvas, const RECT& rc, HIMAGELIST ImgList, int imgIndex, const std::wstring& text,
                      UINT alignment, bool benabled) {
    HDC dc = acanvas.Handle();
    if (dc && ImgList && imgIndex >= 0) ImageList_Draw(ImgList, imgIndex, dc, rc.left + 6, rc.top + 1, ILD_NORMAL);
    RECT rest{rc.left + 6 + 16, rc.top, rc.right, rc.bottom};
    MyDrawCaption(acanvas, rest, text, alignment, benabled);
}

void DrawArrow(TCanvas& acanvas, int x, int y, int type) {
    switch (type) {
    case 0:  // chevron pointing up: the middle line highest
    case 1:  // chevron pointing down: the middle line lowest
        for (int i = 0; i < 7; ++i) {
            int rise = 3 - std::abs(i - 3);
            int top = type == 0 ? y + 1 - rise : y - 2 + rise;
            acanvas.MoveTo(x - 3 + i, top);
            acanvas.LineTo(x - 3 + i, top + 2);
        }
        break;
    case 2:  // triangle left
    case 3: {  // triangle right
        int d = type == 2 ? -1 : 1;
        POINT pts[3] = {{x + 2 * d, y}, {x - 2 * d, y - 4}, {x - 2 * d, y + 4}};
        acanvas.Polygon(pts);
        break;
    }
    default:
        break;
    }
}

void GetDisableImg(TBitmap& bmp) {
    int w = bmp.Width(), h = bmp.Height();
    if (w <= 0 || h <= 0) return;
    HDC screen = GetDC(nullptr);
    GdiObject<HBITMAP> mono(CreateBitmap(w, h, 1, 1, nullptr));
    HDC monoDC = CreateCompatibleDC(screen);
    HDC src = bmp.Canvas().Handle();
    {
        Selected monoSel(monoDC, mono.get());
        // The glyph's background (its bottom-left pixel) becomes white in the mask.
        COLORREF oldBk = SetBkColor(src, GetPixel(src, 0, h - 1));
        BitBlt(monoDC, 0, 0, w, h, src, 0, 0, SRCCOPY);
        SetBkColor(src, oldBk);
        GdiObject<HBRUSH> face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
        RECT all{0, 0, w, h};
        FillRect(src, &all, face.get());
        COLORREF oldText = SetTextColor(src, RGB(0, 0, 0));
        oldBk = SetBkColor(src, RGB(255, 255, 255));
        {
            GdiObject<HBRUSH> hi(CreateSolidBrush(GetSysColor(COLOR_BTNHIGHLIGHT)));
            Selected b(src, hi.get());
            BitBlt(src, 1, 1, w - 1, h - 1, monoDC, 0, 0, 0x00E20746);
        }
        {
            GdiObject<HBRUSH> sh(CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW)));
            Selected b(src, sh.get());
            BitBlt(src, 0, 0, w, h, monoDC, 0, 0, 0x00E20746);
        }
        SetTextColor(src, oldText);
        SetBkColor(src, oldBk);
    }
    DeleteDC(monoDC);
    ReleaseDC(nullptr, screen);
}

std::wstring StringReplaceW(const std::wstring& s, const std::wstring& from, const std::wstring& to) {
    if (from.empty()) return s;
    std::wstring out;
    size_t pos = 0;
    for (size_t hit; (hit = s.find(from, pos)) != std::wstring::npos; pos = hit + from.size()) {
        out.append(s, pos, hit - pos);
        out += to;
    }
    out.append(s, pos, std::wstring::npos);
    return out;
}

void DrawParentImage(TControl* control, HDC dc) {
    if (!control || !dc || !control->Parent()) return;
    TWinControl* parent = control->Parent();
    if (!parent->HandleAllocated()) return;
    int saved = SaveDC(dc);
    POINT org{};
    GetViewportOrgEx(dc, &org);
    SetViewportOrgEx(dc, org.x - control->Left(), org.y - control->Top(), nullptr);
    RECT cr = control->ClientRect();
    IntersectClipRect(dc, control->Left(), control->Top(), control->Left() + cr.right, control->Top() + cr.bottom);
    // The parent paints through its own handling; a failure there must
    // not leave the DC shifted.
    try {
        parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    } catch (...) {
        RestoreDC(dc, saved);
        throw;
    }
    RestoreDC(dc, saved);
}

}  // namespace relayon::skin
