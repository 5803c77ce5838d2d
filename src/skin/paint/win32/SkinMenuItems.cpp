// Owner-drawn menu items from the skin.
#include "skin/paint/win32/SkinMenuItems.h"

#include <algorithm>
#include <vector>

#include "skin/paint/core/MenuGeometry.h"
#include "skin/paint/win32/SkinPopMenu.h"
#include "skin/paint/win32/SkinPrimitives.h"
#include "skin/paint/win32/Winskindlg.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Canvas.h"
#include "toolkit/Color.h"
#include "toolkit/GdiObject.h"
#include "toolkit/ImageList.h"
#include "toolkit/MenuItem.h"
#include "toolkit/Menus.h"

namespace relayon::skin {

namespace {

// The system's check-mark bitmap (OBM_CHECK, an OEM resource).
constexpr WORD kObmCheck = 32760;

paint::Box ToBox(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const paint::Box& b) { return {b.left, b.top, b.right, b.bottom}; }

// A scheme colour of the skin, the system's menu colours without one.
COLORREF Scheme(TSkinData* sd, TShemeColor which) {
    if (sd && !sd->Empty) return static_cast<COLORREF>(ColorToRGB(sd->Colors[which]));
    switch (which) {
    case csMenubg: return GetSysColor(COLOR_MENU);
    case csMenuText: return GetSysColor(COLOR_MENUTEXT);
    case csHilight: return GetSysColor(COLOR_HIGHLIGHT);
    case csHilightText: return GetSysColor(COLOR_HIGHLIGHTTEXT);
    case csButtonShadow: return GetSysColor(COLOR_BTNSHADOW);
    default: return GetSysColor(COLOR_BTNFACE);
    }
}

void Fill(HDC dc, const RECT& r, COLORREF c) {
    GdiObject<HBRUSH> brush(CreateSolidBrush(c));
    FillRect(dc, &r, brush.get());
}

}  // namespace

HFONT CreateMenuFont(bool bold) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return nullptr;
    if (bold) metrics.lfMenuFont.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&metrics.lfMenuFont);
}

TDataSkinObject* MenuItemPlate(TSkinData* sd) {
    if (!sd || sd->Empty || !sd->MenuItem || !sd->MenuItem->Map || sd->MenuItem->Map->Empty()) return nullptr;
    return sd->MenuItem.get();
}

namespace {

TDataSkinObject* PlateOf(TSkinData* sd) { return MenuItemPlate(sd); }

TImageList* ImagesOf(TMenuItem* item) {
    TMenu* menu = item ? item->GetParentMenu() : nullptr;
    return menu ? menu->Images() : nullptr;
}

bool IsSeparator(TMenuItem* item) { return item && item->IsLine(); }

// A popup menu's window background under an item (rect in the menu's client
// coordinates) into dc at (0, 0); false when the menu has no skinned window.
bool CutBackground(HMENU menu, HDC dc, const RECT& rect) {
    TSkinPopMenuWindow* skinner = FindMenuSkinner(menu);
    TBitmap* bg = skinner ? skinner->MenuBg() : nullptr;
    if (!bg || bg->Empty()) return false;
    POINT off = skinner->ClientOffset();
    paint::Box item = ToBox(rect);
    paint::Box moved{item.left + off.x - paint::kMenuBorder, item.top + off.y - paint::kMenuBorder,
                     item.right + off.x - paint::kMenuBorder, item.bottom + off.y - paint::kMenuBorder};
    paint::Box src = paint::ItemBackgroundSource(moved, bg->Width(), bg->Height());
    if (src.Width() <= 0 || src.Height() <= 0) return false;
    // What of the item lies outside the window's picture keeps the fill below.
    const int dx = src.left - (moved.left + paint::kMenuBorder), dy = src.top - (moved.top + paint::kMenuBorder);
    BitBlt(dc, dx, dy, src.Width(), src.Height(), bg->Canvas().Handle(), src.left, src.top, SRCCOPY);
    return true;
}

// Items whose handler is one of this painter's methods.
template <class Event>
bool BoundTo(const Event& e, const void* painter) {
    return e && e.Data() == painter;
}

}  // namespace

TSkinMenuItems::TSkinMenuItems(TWinSkinForm* sf) : TComponent(sf), SF(sf) {}

TSkinMenuItems::~TSkinMenuItems() {
    SetDestroying();
    std::set<TMenuItem*> items;
    items.swap(hooked_);
    for (TMenuItem* item : items) {
        if (BoundTo(item->OnDrawItem, this)) item->OnDrawItem.Clear();
        if (BoundTo(item->OnMeasureItem, this)) item->OnMeasureItem.Clear();
        item->RemoveFreeNotification(this);
    }
}

TSkinData* TSkinMenuItems::fsd() const { return SF ? SF->fsd : nullptr; }

void TSkinMenuItems::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove) hooked_.erase(static_cast<TMenuItem*>(component));
}

void TSkinMenuItems::Hook(TMenuItem* item, bool popup) {
    if (!item) return;
    item->OnDrawItem = TMenuDrawItemEvent(this, &TSkinMenuItems::DrawMenuItem);
    if (popup) {
        if (!item->OnMeasureItem) item->OnMeasureItem = TMenuMeasureItemEvent(this, &TSkinMenuItems::MeasureItemPop);
    } else {
        item->OnMeasureItem = TMenuMeasureItemEvent(this, &TSkinMenuItems::MeasureItem);
    }
    if (hooked_.insert(item).second) item->FreeNotification(this);
}

void TSkinMenuItems::Unhook(TMenuItem* item) {
    if (!item) return;
    if (BoundTo(item->OnDrawItem, this)) item->OnDrawItem.Clear();
    if (BoundTo(item->OnMeasureItem, this)) item->OnMeasureItem.Clear();
    if (hooked_.erase(item)) item->RemoveFreeNotification(this);
}

// ---- measuring ----

void TSkinMenuItems::MeasureItem(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item) return;
    // The toolkit's own measurement first, without this handler.
    TMenuMeasureItemEvent own = item->OnMeasureItem;
    item->OnMeasureItem.Clear();
    item->MeasureItem(ACanvas, Width, Height);
    item->OnMeasureItem = own;
    TDataSkinObject* plate = PlateOf(fsd());
    Width = paint::MainMenuItemWidth(Width, plate ? plate->r.Left : -1, ImagesOf(item) != nullptr);
}

void TSkinMenuItems::MeasureItemPop(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item) return;
    TMenuMeasureItemEvent own = item->OnMeasureItem;
    item->OnMeasureItem.Clear();
    item->MeasureItem(ACanvas, Width, Height);
    item->OnMeasureItem = own;
    // The skin data may be gone by now: the fixed extra width still applies.
    TDataSkinObject* plate = PlateOf(fsd());
    Width = paint::PopupMenuItemWidth(Width, plate ? plate->r.Left : -1, ImagesOf(item) != nullptr);
}

// ---- drawing ----

void TSkinMenuItems::DrawMenuItem(TObject* Sender, TCanvas* ACanvas, const RECT& ARect, bool Selected) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item || !ACanvas) return;
    if (TSkinManage* mgr = Manager()) mgr->SetPopMenu();
    if (!PlateOf(fsd())) return DefaultMenuItem(item, ACanvas, Selected, ARect);
    HMENU parentMenu = item->Parent() ? item->Parent()->Handle() : nullptr;
    if (TSkinManage* mgr = Manager(); mgr && parentMenu && !FindMenuSkinner(parentMenu)) mgr->SetHMenu(parentMenu);
    ComposeItem(parentMenu, item, ACanvas, ARect, Selected, false);
}

void TSkinMenuItems::DrawHMenuItem2(HMENU amenu, TMenuItem* item, bool selected, const RECT& rect, TCanvas* canvas) {
    if (!item || !canvas) return;
    if (!PlateOf(fsd())) return DefaultMenuItem(item, canvas, selected, rect);
    ComposeItem(amenu, item, canvas, rect, selected, true);
}

void TSkinMenuItems::ComposeItem(HMENU menu, TMenuItem* item, TCanvas* target, const RECT& rect, bool selected,
                                 bool fromHandle) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) return;
    TSkinData* sd = fsd();
    TBitmap buf(w, h);
    HDC dc = buf.Canvas().Handle();
    const RECT local{0, 0, w, h};
    Fill(dc, local, Scheme(sd, csMenubg));
    CutBackground(menu, dc, rect);
    const bool separator = IsSeparator(item);
    if (separator && !fromHandle) {
        DrawMenuCaption(dc, local);
    } else {
        if (!separator) {
            TDataSkinObject& plate = *PlateOf(sd);
            const paint::SliceMargins m{plate.r.Left, plate.r.Top, plate.r.Right, plate.r.Bottom};
            DrawRect2(dc, local, *plate.Map, m, selected ? 4 : 1, 5, plate.trans != 0, plate.Tile != 0, false);
        }
        GdiObject<HFONT> font(CreateMenuFont(item->Default()));
        HGDIOBJ old = font ? SelectObject(dc, font.get()) : nullptr;
        DrawItemText(item, &buf.Canvas(), selected, local);
        if (old) SelectObject(dc, old);
    }
    BitBlt(target->Handle(), rect.left, rect.top, w, h, dc, 0, 0, SRCCOPY);
}

void TSkinMenuItems::DefaultMenuItem(TMenuItem* item, TCanvas* canvas, bool selected, const RECT& rect) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (!item || !canvas || w <= 0 || h <= 0) return;
    TBitmap buf(w, h);
    HDC dc = buf.Canvas().Handle();
    const RECT local{0, 0, w, h};
    Fill(dc, local, Scheme(fsd(), selected ? csHilight : csMenubg));
    GdiObject<HFONT> font(CreateMenuFont(item->Default()));
    HGDIOBJ old = font ? SelectObject(dc, font.get()) : nullptr;
    DrawItemText(item, &buf.Canvas(), selected, local);
    if (old) SelectObject(dc, old);
    BitBlt(canvas->Handle(), rect.left, rect.top, w, h, dc, 0, 0, SRCCOPY);
}

void TSkinMenuItems::DrawMenuCaption(HDC dc, const RECT& rect) {
    TDataSkinObject* plate = PlateOf(fsd());
    if (!plate) return;
    TBitmap& img = *plate->Map;
    auto slices = paint::SeparatorSlices(ToBox(rect), img.Width(), img.Height(), 5, 1, plate->r.Left, plate->r.Right);
    for (const paint::Slice& s : slices) {
        TBitmap piece(s.dst.Width(), s.dst.Height());
        HDC pdc = piece.Canvas().Handle();
        SetStretchBltMode(pdc, COLORONCOLOR);
        StretchBlt(pdc, 0, 0, s.dst.Width(), s.dst.Height(), img.Canvas().Handle(), s.src.left, s.src.top,
                   s.src.Width(), s.src.Height(), SRCCOPY);
        DrawTranmap(dc, ToRect(s.dst), piece, kSkinKeyColour);
    }
}

void TSkinMenuItems::DrawItemText(TMenuItem* item, TCanvas* canvas, bool selected, const RECT& rect) {
    if (!item || !canvas) return;
    HDC dc = canvas->Handle();
    TDataSkinObject* plate = PlateOf(fsd());
    const int indent = plate ? plate->r.Left : 0;
    TImageList* images = ImagesOf(item);
    const bool separator = IsSeparator(item);
    const int g = paint::GlyphColumn(images ? images->Width() : 0, item->Checked());
    const bool rtl = false;  // the toolkit's menus read left to right
    paint::MenuItemParts parts = paint::LayoutMenuItem(ToBox(rect), indent, g, separator, rtl);
    if (!separator) {
        RECT sq = ToRect(parts.glyph);
        const bool hasImage = images && item->ImageIndex() >= 0 && item->ImageIndex() < images->Count();
        if (hasImage) {
            if (item->Checked()) {
                // The pressed look of a checked image: dithered face and highlight, sunken edge.
                WORD pattern[8];
                for (int i = 0; i < 8; ++i) pattern[i] = (i & 1) ? 0x55 : 0xAA;
                GdiObject<HBITMAP> bits(CreateBitmap(8, 8, 1, 1, pattern));
                GdiObject<HBRUSH> brush(CreatePatternBrush(bits.get()));
                COLORREF oldText = SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
                COLORREF oldBk = SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
                FillRect(dc, &sq, brush.get());
                SetTextColor(dc, oldText);
                SetBkColor(dc, oldBk);
                DrawEdge(dc, &sq, BDR_SUNKENOUTER, BF_RECT);
            }
            images->Draw(dc, sq.left + (g - images->Width()) / 2, sq.top + (g - images->Height()) / 2, item->ImageIndex(),
                         item->Enabled());
        } else if (item->Checked()) {
            GdiObject<HBITMAP> check(static_cast<HBITMAP>(LoadImageW(nullptr, MAKEINTRESOURCEW(kObmCheck), IMAGE_BITMAP, 0, 0, 0)));
            BITMAP info{};
            if (check && GetObjectW(check.get(), sizeof info, &info)) {
                paint::Point2 at = paint::CheckMarkOrigin(ToBox(rect), parts.glyph, info.bmWidth, info.bmHeight);
                TCanvas markCanvas;
                markCanvas.OwnHandle(CreateCompatibleDC(dc));
                HDC mdc = markCanvas.Handle();
                HGDIOBJ old = SelectObject(mdc, check.get());
                // A monochrome mark: its black pixels in the text colour, the rest left alone.
                COLORREF mark = selected ? Scheme(fsd(), csHilightText) : Scheme(fsd(), csMenuText);
                COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
                COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
                GdiObject<HBRUSH> brush(CreateSolidBrush(mark));
                HGDIOBJ oldBrush = SelectObject(dc, brush.get());
                // dest = (src AND dest) OR (NOT src AND brush): the background stays
                // where the mark is white, the brush goes where it is black.
                BitBlt(dc, at.x, at.y, info.bmWidth, info.bmHeight, mdc, 0, 0, 0x00B8074A);
                SelectObject(dc, oldBrush);
                SetTextColor(dc, oldText);
                SetBkColor(dc, oldBk);
                SelectObject(mdc, old);
            }
        }
    }
    // Caption: measured, lowered to the middle, drawn; then the shortcut.
    RECT area = ToRect(parts.text);
    std::wstring caption = item->Caption();
    RECT measured = area;
    DoDrawText(item, dc, caption, measured, selected, DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE | DT_NOCLIP);
    RECT textRect = ToRect(paint::CentreTextVertically(parts.text, measured.bottom - measured.top));
    if (separator) textRect = area;
    DoDrawText(item, dc, caption, textRect, selected, DT_EXPANDTABS | DT_SINGLELINE);
    if (!separator && item->ShortCut() != scNone) {
        RECT sc = ToRect(paint::ShortcutArea(ToBox(rect), measured.right, rtl));
        sc.top = textRect.top;
        sc.bottom = textRect.bottom;
        DoDrawText(item, dc, ShortCutToText(item->ShortCut()), sc, selected, DT_RIGHT | DT_EXPANDTABS | DT_SINGLELINE);
    }
}

void TSkinMenuItems::DoDrawText(TMenuItem* item, HDC dc, const std::wstring& text, RECT& rect, bool selected,
                                UINT flags) {
    std::wstring t = text;
    if ((flags & DT_CALCRECT) && (t.empty() || t == L"&")) t += L' ';
    if (t == L"-") {
        if (flags & DT_CALCRECT) return;
        RECT line = rect;
        line.top += 4;
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    TSkinData* sd = fsd();
    COLORREF colour = selected ? Scheme(sd, csHilightText) : Scheme(sd, csMenuText);
    // On the skin's own item plate, the text colours its item section gives
    // (they stand out from the button-text colour they default to): a pale
    // selected plate needs its own dark text, not the white meant for the
    // scheme's highlight.
    if (TDataSkinObject* plate = PlateOf(sd)) {
        const TColor given = selected ? plate->Overcolor2 : plate->Normalcolor2;
        if (ColorToRGB(given) != ColorToRGB(sd->Colors[csButtonText])) colour = static_cast<COLORREF>(ColorToRGB(given));
    }
    if (item && !item->Enabled()) {
        colour = Scheme(sd, csButtonShadow);
        if (colour == Scheme(sd, csMenuText)) colour = GetSysColor(COLOR_BTNSHADOW);
    }
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour = SetTextColor(dc, colour);
    // The wide call always: captions are UTF-16 whatever the window's character set.
    DrawTextW(dc, t.c_str(), static_cast<int>(t.size()), &rect, flags);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

}  // namespace relayon::skin
