// TWinSkinForm: painting the skinned frame (borders, caption bar, caption
// text and caption buttons, the menu band). What is composed is kept between
// paints (FramePaintCache.h): a frame repaint that changes nothing copies
// the kept pictures instead of composing them from the skin again.
#include <cstring>

#include "skin/paint/core/CaptionGeometry.h"
#include "skin/paint/win32/FramePaintCache.h"
#include "skin/paint/win32/SkinMenuBar.h"
#include "skin/paint/win32/SkinPrimitives.h"
#include "skin/paint/win32/Winskinform.h"
#include "skin/paint/win32/Winsubclass.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Color.h"

namespace relayon::skin {

namespace {

bool IsIconAction(int action) { return action == 3 || action == 11; }

bool HasImage(const TWinSysButton& b) { return b.data && b.data->Map && !b.data->Map->Empty(); }

int Frames(const TDataSkinObject& o) { return o.frame > 0 ? o.frame : 1; }

paint::SliceMargins Margins(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

// The window text as the system keeps it, in UTF-16 whatever the window's
// character set: reading an 8-bit window through the 8-bit call would turn
// every character outside the code page (a Chinese caption on a Western
// system) into question marks.
std::wstring WindowText(HWND h) {
    int n = GetWindowTextLengthW(h);
    if (n <= 0) return {};
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    s.resize(static_cast<size_t>(GetWindowTextW(h, s.data(), n + 1)));
    return s;
}

// The system icon the icon button shows: the window's small icon, else its big one.
HICON WindowIcon(HWND hwnd) {
    HICON icon = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(hwnd, GCLP_HICONSM));
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(hwnd, GCLP_HICON));
    return icon;
}

TFramePaintCache& CacheOf(TWinSkinForm& f) {
    if (!f.FrameCache) f.FrameCache = std::make_shared<TFramePaintCache>();
    return *f.FrameCache;
}

// Restores the DC's selection, text colour and background mode on scope exit.
class DcStateGuard {
public:
    explicit DcStateGuard(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~DcStateGuard() {
        if (saved_) RestoreDC(dc_, saved_);
    }
    DcStateGuard(const DcStateGuard&) = delete;
    DcStateGuard& operator=(const DcStateGuard&) = delete;

private:
    HDC dc_;
    int saved_;
};

HFONT CaptionFontOf(TWinSkinForm& f) { return f.CaptionFont.get() ? f.CaptionFont.get() : f.fsd->CaptionFont(); }

COLORREF CaptionTextColour(TWinSkinForm& f) {
    const TShemeColor which = f.FWindowActive ? csTitleTextActive : csTitleTextNoActive;
    return static_cast<COLORREF>(ColorToRGB(SchemeColor(f.fsd, which)));
}

// Everything the caption bar of a `w` x `h` frame is composed from, but the
// pixels under it; the buttons' visibility is this paint's.
TCaptionKey CaptionKeyOf(TWinSkinForm& f, int w, int h) {
    TCaptionKey k;
    k.skin = f.fsd;
    k.generation = TSkinData::LoadGeneration();
    k.width = w;
    k.height = h;
    k.active = f.FWindowActive;
    k.rightToLeft = f.bidileft;
    k.windowState = f.Windowstate;
    k.border = f.FormBorder;
    k.borderLeft = f.bw.left;
    k.borderRight = f.bw.right;
    k.menuHeight = f.MenuHeight;
    k.iconSize = f.Iconx;
    k.style = f.dwstyle;
    k.text = f.bstr + WindowText(f.Hwnd) + f.astr;
    LOGFONTW lf{};
    if (HFONT font = CaptionFontOf(f)) GetObjectW(font, sizeof lf, &lf);
    std::memcpy(k.font.data(), &lf, sizeof lf);
    k.textColour = CaptionTextColour(f);
    k.icon = WindowIcon(f.Hwnd);
    for (auto& b : f.SysBtn) k.buttons.push_back({b->data, b->visible, b->enabled});
    return k;
}

std::array<LONG, 4> Corners(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// Everything the menu bar draws the band `band` from, as it stands now.
TMenuBandKey MenuBandKeyOf(TWinSkinForm& f, const TWinSkinMenu& bar, const RECT& band) {
    TMenuBandKey k;
    k.bar = &bar;
    k.background = bar.bkmap.get();
    k.band = Corners(band);
    k.barRect = Corners(bar.Bar);
    k.skin = f.fsd;
    k.generation = TSkinData::LoadGeneration();
    k.active = f.FWindowActive;
    k.rightToLeft = f.bidileft;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        std::memcpy(k.font.data(), &metrics.lfMenuFont, sizeof metrics.lfMenuFont);
    auto scheme = [&](auto colour) { return static_cast<COLORREF>(ColorToRGB(SchemeColor(f.fsd, colour))); };
    k.colours = {scheme(csMenuBar),       scheme(csMenuBarText),     scheme(csButtonShadow),
                 scheme(csButtonHilight), GetSysColor(COLOR_MENU),   GetSysColor(COLOR_MENUTEXT),
                 GetSysColor(COLOR_GRAYTEXT), GetSysColor(COLOR_BTNHIGHLIGHT)};
    for (auto& b : bar.Buttons)
        k.buttons.push_back({b.get(), b->caption, b->visible, b->enabled, b->state, Corners(b->bounds)});
    return k;
}

// The menu bar (`draw`) draws the band into the kept picture (at window
// coordinates, so the bar keeps its place for its own button paints), and
// the band is copied from there; while nothing the bar draws from changed,
// the kept picture is copied again without the bar drawing. A maximised MDI
// child's buttons in the bar are drawn by the bar every time. False without
// a menu bar.
template <class Draw>
bool DrawKeptMenuBand(TWinSkinForm& f, HDC dc, const RECT& band, Draw draw) {
    if (!f.menu) return false;
    TFramePaintCache& cache = CacheOf(f);
    if (f.FormStyle == sfsMDIform && f.MDIChildMax()) {
        cache.ForgetBand();
        return draw(dc);
    }
    TBitmap& picture = cache.Band(band.right, band.bottom);
    HDC pic = picture.Canvas().Handle();
    if (!cache.BandKept(MenuBandKeyOf(f, *f.menu, band))) {
        cache.ForgetBand();
        draw(pic);
        cache.KeepBand(MenuBandKeyOf(f, *f.menu, band));
    }
    BitBlt(dc, band.left, band.top, band.right - band.left, band.bottom - band.top, pic, band.left, band.top, SRCCOPY);
    return true;
}

}  // namespace

void TWinSkinForm::UpdateNc(HDC dc) {
    if ((Skinstate != 1 && Skinstate != 3) || FormBorder == sbsNone || (IsMDIChild() && Windowstate == swsMax))
        return;
    if (!Hwnd || !IsWindow(Hwnd) || !fsd || fsd->Empty) return;
    HDC wdc = dc ? dc : GetWindowDC(Hwnd);
    if (!wdc) return;
    try {
        GetWindowRect(Hwnd, &wTr);
        fwidth = wTr.right - wTr.left;
        fheight = wTr.bottom - wTr.top;
        if (Windowstate == swsMin) {
            DrawFLine(wdc);
        } else {
            Drawborder(1, RECT{0, 0, bw.left, fheight}, wdc);
            Drawborder(2, RECT{fwidth - bw.right, 0, fwidth, fheight}, wdc);
            Drawborder(4, RECT{bw.left, fheight - bw.bottom, fwidth - bw.right, fheight}, wdc);
            DrawFLine(wdc);
            RECT band{bw.left, bw.top, fwidth - bw.right, bw.top + MenuHeight};
            if (MenuHeight > 0 && band.right > band.left) {
                auto drawBand = [&](HDC target) { return DrawMenuBand(target, band); };
                if (!DrawKeptMenuBand(*this, wdc, band, drawBand) && fsd->BGBrush.get())
                    FillRect(wdc, &band, fsd->BGBrush.get());
            }
        }
    } catch (...) {
        // A fault while painting leaves this paint incomplete, nothing more.
    }
    if (!dc) ReleaseDC(Hwnd, wdc);
    // The paint drew every button normal: the hot object is forgotten, and
    // with it its hint, which would otherwise stay up with nobody to hide it.
    if (ActiveBtn) {
        ActiveBtn->state = 1;
        ActiveBtn = nullptr;
        HintReset();
    }
}

void TWinSkinForm::Drawborder(int index, const RECT& rect, HDC dc) {
    if (index < 1 || index > 4 || rect.right <= rect.left || rect.bottom <= rect.top) return;
    // The skin data keeps left, right, top, bottom; index counts the same way.
    const std::unique_ptr<TDataSkinBorder>& b = fsd->border[static_cast<size_t>(index - 1)];
    if (!b || !b->Map || b->Map->Empty()) return;
    int n = Frames(*b);
    TBorderPieceKey key;
    key.map = b->Map.get();
    key.generation = TSkinData::LoadGeneration();
    key.width = rect.right - rect.left;
    key.height = rect.bottom - rect.top;
    key.margins = Margins(b->r);
    key.cell = (FWindowActive || n == 1) ? 1 : 2;
    key.cells = n;
    key.tile = b->Tile != 1;
    key.vertical = index >= 3;
    // A piece is composed once for each size, state and skin it is shown in.
    TFramePaintCache& cache = CacheOf(*this);
    TBitmap* piece = cache.BorderPiece(index, key);
    if (!piece)
        piece = cache.KeepBorderPiece(index, key,
                                      GetHMap(rect, *b->Map, key.margins, key.cell, n, key.tile, key.vertical));
    if (!piece || piece->Empty()) return;
    BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, piece->Canvas().Handle(), 0, 0,
           SRCCOPY);
}

void TWinSkinForm::DrawFLine(HDC dc) {
    int w = fwidth;
    bool minimized = Windowstate == swsMin;
    int h = minimized ? std::max(fheight, static_cast<int>(bw.top)) : bw.top;
    if (w <= 0 || h <= 0) return;
    TFramePaintCache& cache = CacheOf(*this);
    // The caption bar last composed stays in CaptionBuf: when nothing it
    // shows changed, not even the pixels under it, it is shown again as is.
    for (int i = 0; i < static_cast<int>(SysBtn.size()); ++i) SysBtnVisible(i);
    TCaptionKey key;
    if (!minimized) {
        key = CaptionKeyOf(*this, w, h);
        if (cache.CaptionKept(dc, key)) {
            const TCaptionLayout& kept = cache.Layout();
            ctr = kept.text;
            RightBtn = kept.rightButtons;
            for (size_t i = 0; i < SysBtn.size() && i < kept.buttons.size(); ++i) SysBtn[i]->bounds = kept.buttons[i];
            BitBlt(dc, 0, 0, w, h, CaptionBuf->Canvas().Handle(), 0, 0, SRCCOPY);
            return;
        }
    }
    cache.ForgetCaption();
    CaptionBuf->SetSize(w, h);
    HDC buf = CaptionBuf->Canvas().Handle();
    if (minimized) {
        FillColor(buf, RECT{0, 0, w, h}, SchemeColor(fsd, csButtonFace));
        Drawborder(3, RECT{0, 0, w, bw.top}, buf);
    } else {
        // What shows through the top border's transparent pixels (as read
        // from `dc` just now).
        BitBlt(buf, 0, 0, w, h, cache.Under().Canvas().Handle(), 0, 0, SRCCOPY);
        Drawborder(3, RECT{bw.left, 0, w - bw.right, bw.top}, buf);
    }
    DrawLine(CaptionBuf->Canvas(), RECT{0, 0, w, bw.top});
    SetSysbtnRect();
    DrawAllSysbtn(CaptionBuf->Canvas().Handle());
    BitBlt(dc, 0, 0, w, h, CaptionBuf->Canvas().Handle(), 0, 0, SRCCOPY);
    if (minimized) return;
    TCaptionLayout layout;
    layout.text = ctr;
    layout.rightButtons = RightBtn;
    for (auto& b : SysBtn) layout.buttons.push_back(b->bounds);
    cache.KeepCaption(std::move(key), std::move(layout));
}


void TWinSkinForm::DrawLine(TCanvas& canvas, const RECT& rect) {
    std::wstring text = bstr + WindowText(Hwnd) + astr;
    RightBtn = 0;
    for (auto& b : SysBtn)
        if (b->visible && HasImage(*b) && b->data->Align == 1) RightBtn = std::max(RightBtn, int(b->data->XCoord));
    HDC dc = canvas.Handle();
    DcStateGuard keep(dc);
    HFONT font = CaptionFontOf(*this);
    if (font) SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, CaptionTextColour(*this));
    RECT measure{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measure, DT_CALCRECT | DT_NOPREFIX | DT_NOCLIP);

    const TDataSkinTitle* t = fsd->Title.get();
    paint::CaptionTextInput in;
    in.barWidth = rect.right - rect.left;
    in.barHeight = rect.bottom - rect.top;
    in.textWidth = measure.right - measure.left;
    in.textHeight = measure.bottom - measure.top;
    if (t) {
        in.backLeft = t->backleft;
        in.backRight = t->backright;
        in.alignment = t->Aligment;
        in.marginLeft = t->r.Left;
        in.marginTop = t->r.Top;
        in.marginRight = t->r.Right;
    }
    in.rightButtons = RightBtn;
    in.rightToLeft = bidileft;
    in.popup = (dwstyle & WS_POPUP) != 0;
    in.dialogBorder = FormBorder == sbsDialog;
    paint::Box at = paint::PlaceCaptionText(in);
    ctr = RECT{rect.left + at.left, rect.top + at.top, rect.left + at.right, rect.top + at.bottom};
    if (ctr.right <= ctr.left) return;

    if (t && t->Map && !t->Map->Empty())
        DrawRectTile(canvas, RECT{ctr.left, rect.top, ctr.right, rect.bottom}, *t->Map,
                     paint::SliceMargins{t->backleft, 0, t->backright, 0}, FWindowActive ? 1 : 2, 2, true, true);
    dc = canvas.Handle();
    if (font) SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, CaptionTextColour(*this));
    RECT inner{ctr.left + in.backLeft, ctr.top, ctr.right - in.backRight, ctr.bottom};
    UINT flags = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (bidileft) flags |= DT_RIGHT | DT_RTLREADING;
    if (inner.right > inner.left) DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &inner, flags);
}

bool TWinSkinForm::SysBtnVisible(int i) {
    if (i < 0 || i >= static_cast<int>(SysBtn.size())) return false;
    TWinSysButton& b = *SysBtn[static_cast<size_t>(i)];
    if (!b.data) return b.visible = false;
    paint::CaptionWindowState s;
    s.maximized = Windowstate == swsMax;
    s.active = FWindowActive;
    s.hasMin = FormIcons.Contains(sbiMin);
    s.hasMax = FormIcons.Contains(sbiMax);
    s.hasSystem = FormIcons.Contains(sbisystem);
    s.hasHelp = FormIcons.Contains(sbiHelp);
    s.dialogBorder = FormBorder == sbsDialog;
    s.messageBox = ismessagebox;
    s.mdiChildMaxWithMenuBar = FormStyle == sfsMDIform && menu && MDIChildMax();
    long answer = 0;
    if (paint::AsksWindow(b.data->Visibility))
        answer = static_cast<long>(SendMessageW(Hwnd, CN_SysBtnVisible, static_cast<WPARAM>(b.data->Visibility),
                                                static_cast<LPARAM>(b.data->Action)));
    bool shown = paint::ButtonVisible(b.data->Visibility, b.data->Visibility1, s, answer);
    paint::ButtonShown r = paint::ApplyActionRules(b.data->Action, shown, b.enabled, s);
    b.enabled = r.enabled;
    return b.visible = r.visible;
}

void TWinSkinForm::SetSysbtnRect() {
    paint::CaptionLayout l;
    l.windowWidth = fwidth;
    l.text = paint::Box{ctr.left, ctr.top, ctr.right, ctr.bottom};
    l.bw = paint::FrameThickness{bw.left, bw.top, bw.right, bw.bottom};
    l.menuHeight = MenuHeight;
    l.menuBarLeftMargin = fsd && fsd->Menubar ? fsd->Menubar->r.Left : 0;
    for (auto& b : SysBtn) {
        if (!b->visible || !HasImage(*b)) continue;
        const TDataSkinSysButton& d = *b->data;
        paint::Box at = paint::PlaceButton(d.Align, d.XCoord, d.YCoord, d.Map->Width() / Frames(d), d.Map->Height(), l);
        b->bounds = RECT{at.left, at.top, at.right, at.bottom};
    }
}

namespace {

// The system-icon button shows the window's small icon (else its big one);
// a window without any icon shows the skin's own picture for the button, and
// without that the magenta-backed icon bitmap.
void DrawIconButton(HWND hwnd, HDC dc, const TWinSysButton& b, int size, TBitmap& fallback) {
    HICON icon = WindowIcon(hwnd);
    const RECT& at = b.bounds;
    if (icon) {
        DrawIconEx(dc, at.left, at.top, icon, size, size, 0, nullptr, DI_NORMAL);
    } else if (HasImage(b)) {
        DrawRect1(dc, at, *b.data->Map, 1, Frames(*b.data), true);
    } else if (!fallback.Empty()) {
        DrawTranmap(dc, RECT{at.left, at.top, at.left + fallback.Width(), at.top + fallback.Height()}, fallback,
                    kSkinKeyColour);
    }
}

}  // namespace

void TWinSkinForm::DrawAllSysbtn(HDC dc) {
    for (auto& b : SysBtn) {
        if (!b->visible || !HasImage(*b) || b->data->Visibility == 100) continue;
        if (IsIconAction(b->data->Action)) {
            DrawIconButton(Hwnd, dc, *b, Iconx, *IconBmp);
            continue;
        }
        int n = Frames(*b->data);
        DrawRect1(dc, b->bounds, *b->data->Map, paint::PaintCell(n, FWindowActive, b->enabled), n, true);
    }
}

void TWinSkinForm::DrawSysbtn(TWinSysButton* btn, HDC dc) {
    if (!btn || !HasImage(*btn) || !btn->visible || !Hwnd || !IsWindow(Hwnd)) return;
    if (Skinstate != 1 && Skinstate != 3) return;
    HDC wdc = dc ? dc : GetWindowDC(Hwnd);
    if (!wdc) return;
    try {
        if (IsIconAction(btn->data->Action)) {
            DrawIconButton(Hwnd, wdc, *btn, Iconx, *IconBmp);
        } else {
            int n = Frames(*btn->data);
            int cell = paint::StateCell(btn->state, n, btn->enabled, btn->data->Visibility);
            // Transparent pixels show the caption bar of the last frame paint.
            const RECT& at = btn->bounds;
            if (!CaptionBuf->Empty() && btn->data->Visibility != 100)
                BitBlt(wdc, at.left, at.top, at.right - at.left, at.bottom - at.top, CaptionBuf->Canvas().Handle(),
                       at.left, at.top, SRCCOPY);
            DrawRect1(wdc, at, *btn->data->Map, cell, n, true);
        }
    } catch (...) {
    }
    if (!dc) ReleaseDC(Hwnd, wdc);
}

void TWinSkinForm::EnableSysbtn(bool b) {
    for (auto& btn : SysBtn) btn->enabled = b;
}

}  // namespace relayon::skin
