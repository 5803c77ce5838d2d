#include "skin/paint/win32/SkinTab.h"

#include <windowsx.h>

#include <algorithm>

#include "skin/data/win32/ImgutilWin32.h"
#include "skin/paint/win32/SkinButtonParts.h"
#include "skin/paint/win32/SkinTabParts.h"
#include "skin/paint/win32/SkinnerFamilies.h"
#include "skin/paint/win32/Winskinform.h"
#include "toolkit/PageControl.h"

namespace relayon::skin {

namespace {

bool IsEmptyRect(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

TSkinTab::TSkinTab(TComponent* AOwner) : TSkinControl(AOwner) {}

TSkinTab::~TSkinTab() = default;

void TSkinTab::Notification(TComponent* component, TOperation operation) {
    TSkinControl::Notification(component, operation);
    if (operation == opRemove && component == updown) updown = nullptr;
}

void TSkinTab::Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) {
    TSkinControl::Init(sf, sd, acanvas, acolor);
    if (!hwnd) return;
    enabled = !(GetWindowLongW(hwnd, GWL_STYLE) & WS_DISABLED);
    auto* pages = dynamic_cast<TPageControl*>(control);
    showclose = pages && pages->Tag() == kClosableTabsTag && pages->TabPosition() == tpTop;
    Start();
}

void TSkinTab::Inithwnd(HWND ahwnd, TSkinData* sd, TCanvas* acanvas, TWinSkinForm* sf) {
    TSkinControl::Inithwnd(ahwnd, sd, acanvas, sf);
    if (!hwnd) return;
    enabled = !(GetWindowLongW(hwnd, GWL_STYLE) & WS_DISABLED);
    focused = GetFocus() == hwnd;
    Start();
}

void TSkinTab::Start() {
    inittab();
    FindScroll();
    skinned = true;
    unicode = IsWindowUnicode(hwnd) != FALSE;
}

TSkinTabPosition TSkinTab::GetPosition() {
    return paint::TabPositionFromStyle(hwnd ? static_cast<unsigned>(GetWindowLongW(hwnd, GWL_STYLE)) : 0);
}

void TSkinTab::inittab() {
    Position = GetPosition();
    tabbmp.reset();
    borderbmp.reset();
    if (!fsd || !fsd->tab) return;
    tabbmp = WorkingCopy(fsd->tab->Map.get());
    if (fsd->tab->style == 0) {
        if (auto* border = dynamic_cast<TDataSkinBorder*>(fsd->tab.get())) borderbmp = WorkingCopy(border->MaskMap.get());
    } else if (fsd->tab->style == 1 && HasMap(fsd->TabSheet.get())) {
        borderbmp = WorkingCopy(fsd->TabSheet->Map.get());
    }
    const paint::TabOrientation turn = paint::TabOrientationFor(Position);
    if (turn.mirrored) {
        if (tabbmp) SpiegelnVertikal(*tabbmp);
        if (borderbmp) SpiegelnVertikal(*borderbmp);
    }
    if (borderbmp && turn.rotation == 270) Drehen270Grad(*borderbmp);
    if (borderbmp && turn.rotation == 90) Drehen90Grad(*borderbmp);
}

bool TSkinTab::FindScroll() {
    if (!hwnd) return false;
    HWND arrows = FindWindowExW(hwnd, nullptr, L"msctls_updown32", nullptr);
    updownHwnd_ = arrows;
    if (!arrows) return false;
    if (!updown && skinform) {
        SkinnerRequest request;
        request.owner = Owner();
        updown = StartSkinner(skinform, L"TSkinUpDown", nullptr, arrows, request);
        if (updown) FreeNotification(updown);
    }
    return (GetWindowLongW(arrows, GWL_STYLE) & WS_VISIBLE) != 0;
}

void TSkinTab::ClipUpdown(HDC dc, const RECT&) {
    if (!updownHwnd_ || !IsWindow(updownHwnd_)) return;
    RECT r{};
    GetWindowRect(updownHwnd_, &r);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
}

bool TSkinTab::BeforeProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); return false;
    case WM_LBUTTONDOWN:
        if (showclose && ClickClose(Message)) {
            Message.Result = 0;
            return false;
        }
        break;
    }
    return TSkinControl::BeforeProc(Message);
}

bool TSkinTab::ClickClose(TMessage& Message) {
    const POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    for (size_t i = 0; i < CloseRect.size(); ++i) {
        if (IsEmptyRect(CloseRect[i]) || !PtInRect(&CloseRect[i], p)) continue;
        const int index = static_cast<int>(i);
        LRESULT keep = 0;
        if (skinform && skinform->Hwnd)
            keep = SendMessageW(skinform->Hwnd, CN_TabClose, reinterpret_cast<WPARAM>(hwnd), index);
        if (keep == 0) {
            auto* pages = dynamic_cast<TPageControl*>(control);
            if (pages && index < pages->PageCount()) delete pages->Pages(index);
        }
        // The crosses do not overlap, and the tabs may have moved: one per press.
        return true;
    }
    return false;
}

void TSkinTab::drawCloseBtn(HDC dc, const RECT& rect, int index) {
    if (index < 0 || static_cast<size_t>(index) >= CloseRect.size()) return;
    const paint::Box cross = paint::CloseCrossRect(ToBox(rect));
    CloseRect[static_cast<size_t>(index)] = ToRect(cross);
    if (cross.right <= cross.left) return;
    // The cross takes the tab's caption colour, so it reads on every plate.
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ColorToRGB(fsd->tab->Normalcolor2)));
    DcStateGuard keep(dc);
    SelectObject(dc, pen.get());
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, cross.left, cross.top, cross.right, cross.bottom);
    MoveToEx(dc, cross.left, cross.top, nullptr);
    LineTo(dc, cross.right, cross.bottom);
    MoveToEx(dc, cross.right - 1, cross.top, nullptr);
    LineTo(dc, cross.left - 1, cross.bottom);
}

void TSkinTab::Drawitem(HDC dc, const RECT& rect, int I) {
    if (!tabbmp || !fsd || !fsd->tab) return;
    DrawObjectCell(dc, rect, *tabbmp, *fsd->tab, I, fsd->tab->trans == 1);
}

void TSkinTab::DrawControl(HDC dc, const RECT& rc) {
    if (!dc || !hwnd || !fsd || IsEmptyRect(rc)) return;
    RECT display = rc;
    SendMessageW(hwnd, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    const RECT page = ToRect(paint::TabPageRect(ToBox(rc), ToBox(display), Position));
    const RECT strip = ToRect(paint::TabStripRect(ToBox(rc), ToBox(page), Position));
    {
        // Whatever neither the strip nor the page border covers shows the parent's colour.
        DcStateGuard keep(dc);
        if (tabbmp) ExcludeClipRect(dc, strip.left, strip.top, strip.right, strip.bottom);
        if (borderbmp) ExcludeClipRect(dc, page.left, page.top, page.right, page.bottom);
        FillParentBG(dc, rc);
    }
    if (tabbmp) DrawStrip(dc, rc, page);
    DrawPageBorder(dc, page);
    if (kind == 2 && control) control->PaintControls(dc, nullptr);
}

void TSkinTab::DrawStrip(HDC dc, const RECT& rc, const RECT& page) {
    const paint::Box strip = paint::TabStripRect(ToBox(rc), ToBox(page), Position);
    const paint::Size2 size = paint::TabStripBitmapSize(strip, Position);
    const int n = std::max(0, static_cast<int>(SendMessageW(hwnd, TCM_GETITEMCOUNT, 0, 0)));
    CloseRect.assign(static_cast<size_t>(n), RECT{});
    if (size.cx <= 0 || size.cy <= 0) return;
    if (!Drawtemp) Drawtemp = std::make_unique<TBitmap>();
    Drawtemp->SetPixelFormat(pf24bit);
    Drawtemp->SetSize(size.cx, size.cy);
    HDC m = Drawtemp->Canvas().Handle();
    if (!m) return;
    const int current = static_cast<int>(SendMessageW(hwnd, TCM_GETCURFOCUS, 0, 0));
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(hwnd, TCM_GETIMAGELIST, 0, 0));
    {
        DcStateGuard keep(m);
        FillParentBG(m, RECT{0, 0, size.cx, size.cy});
        if (HFONT font = FontOf(*this)) SelectObject(m, font);
        for (int i = 0; i < n; ++i) {
            RECT item{};
            if (!SendMessageW(hwnd, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item))) continue;
            const RECT r = ToRect(paint::TabRectInStrip(ToBox(item), Position, ToBox(rc), ToBox(page), size));
            if (IsEmptyRect(r)) continue;
            const int I = i == current ? 2 : 1;
            Drawitem(m, r, I);
            if (showclose) drawCloseBtn(m, r, i);
            ItemText text;
            if (!ReadTabItem(hwnd, i, unicode, text)) continue;
            SetTextColor(m, ColorToRGB(I == 1 ? fsd->tab->Normalcolor2 : fsd->tab->Overcolor2));
            DrawImageAndCaption(m, r, images, text.image, text.text, paint::TextAlign::Centre, CheckBiDi(0));
        }
    }
    if (Position == TSkinTabPosition::Stright) Drehen90Grad(*Drawtemp);
    if (Position == TSkinTabPosition::Stleft) Drehen270Grad(*Drawtemp);
    HDC src = Drawtemp->Canvas().Handle();
    if (!src) return;
    DcStateGuard keep(dc);
    if (FindScroll()) ClipUpdown(dc, rc);
    BitBlt(dc, strip.left, strip.top, strip.Width(), strip.Height(), src, 0, 0, SRCCOPY);
}

void TSkinTab::DrawPageBorder(HDC dc, const RECT& page) {
    if (!borderbmp || IsEmptyRect(page)) return;
    if (fsd->tab->style != 0 && fsd->TabSheet) {
        const TRect& r = fsd->TabSheet->r;
        DrawRect2(dc, page, *borderbmp, {r.Left, r.Top, r.Right, r.Bottom}, 1, 1, false, false, false);
        return;
    }
    // The fixed margins suit the usual border images; a border image too small
    // for them must not stop the rest of the control from painting.
    try {
        DrawRect2(dc, page, *borderbmp, {4, 5, 4, 4}, 1, 1, false, false, false);
    } catch (...) {
    }
}

void TSkinTab::SkinChange() {
    inittab();
    TSkinControl::SkinChange();
}

}  // namespace relayon::skin
