// Owner-drawn menu items from the skin.
#include "skin/paint/win32/SkinMenuItems.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "skin/paint/core/MenuGeometry.h"
#include "skin/paint/win32/SkinPopMenu.h"
#include "skin/paint/win32/SkinPrimitives.h"
#include "skin/paint/win32/Winskindlg.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Canvas.h"
#include "toolkit/Color.h"
#include "toolkit/Form.h"
#include "toolkit/Frame.h"
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

namespace {

TDataSkinObject* PlateOf(TSkinData* sd) {
    if (!sd || sd->Empty || !sd->MenuItem || !sd->MenuItem->Map || sd->MenuItem->Map->Empty()) return nullptr;
    return sd->MenuItem.get();
}

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
                HDC mdc = CreateCompatibleDC(dc);
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
                DeleteDC(mdc);
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

// ---- hooking toolkit menus ----

TSkinMenuItems* MenuItemsOf(TWinSkinForm* sf) {
    if (!sf) return nullptr;
    for (int i = 0; i < sf->ComponentCount(); ++i)
        if (auto* p = dynamic_cast<TSkinMenuItems*>(sf->Components(i))) return p;
    return new TSkinMenuItems(sf);
}

namespace {

void ForEachItem(TMenuItem* item, int depth, const std::function<void(TMenuItem*, int)>& f) {
    if (!item) return;
    for (int i = 0; i < item->Count(); ++i) {
        TMenuItem* child = item->Items(i);
        f(child, depth);
        ForEachItem(child, depth + 1, f);
    }
}

template <class M>
void ForEachMenu(TComponent* owner, const std::function<void(M*)>& f, int guard = 0) {
    if (!owner || guard > 16) return;
    std::vector<TComponent*> owned;
    for (int i = 0; i < owner->ComponentCount(); ++i) owned.push_back(owner->Components(i));
    for (TComponent* c : owned) {
        if (auto* m = dynamic_cast<M*>(c)) f(m);
        if (dynamic_cast<TFrame*>(c) || dynamic_cast<TForm*>(c)) ForEachMenu<M>(c, f, guard + 1);
    }
}

}  // namespace

void InitPopMenu(TWinSkinForm* sf, TComponent* wForm, bool Enable) {
    if (!sf || !wForm) return;
    if (sf->FForm && sf->FForm->ClassName() == L"TwwRichEditForm") return;
    TSkinData* sd = sf->fsd;
    TSkinMenuItems* painter = MenuItemsOf(sf);
    ForEachMenu<TPopupMenu>(wForm, [&](TPopupMenu* menu) {
        if (!sd || menu->Tag() == sd->DisableTag() || !sd->SkinControls().Contains(xcPopupMenu)) return;
        menu->SetOwnerDraw(Enable);
        ForEachItem(menu->Items(), 1, [&](TMenuItem* item, int) {
            if (Enable)
                painter->Hook(item, true);
            else
                painter->Unhook(item);
        });
    });
}

void InitMainMenu(TWinSkinForm* sf, TComponent* wForm, bool Enable) {
    if (!sf || !wForm) return;
    TSkinMenuItems* painter = MenuItemsOf(sf);
    ForEachMenu<TMainMenu>(wForm, [&](TMainMenu* menu) {
        menu->SetOwnerDraw(Enable);
        ForEachItem(menu->Items(), 1, [&](TMenuItem* item, int depth) {
            // The top level is the menu bar's to draw.
            if (depth < 2) return;
            if (Enable) {
                if (!item->OnDrawItem) painter->Hook(item, false);
            } else {
                painter->Unhook(item);
            }
        });
    });
}

void InitToolbarMenu(TWinSkinForm* sf, TMenuItem* item, bool value) {
    TSkinMenuItems* painter = MenuItemsOf(sf);
    if (!painter || !item) return;
    auto apply = [&](TMenuItem* i) { value ? painter->Hook(i, false) : painter->Unhook(i); };
    apply(item);
    ForEachItem(item, 2, [&](TMenuItem* i, int) { apply(i); });
}

void WMINITMENU(HMENU hmenu) {
    if (!hmenu || !IsMenu(hmenu)) return;
    const int n = GetMenuItemCount(hmenu);
    for (int pos = 0; pos < n; ++pos) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(hmenu, static_cast<UINT>(pos), TRUE, &info)) continue;
        if (!(info.fType & MFT_OWNERDRAW)) {
            info.fMask = MIIM_FTYPE;
            info.fType |= MFT_OWNERDRAW;
            SetMenuItemInfoW(hmenu, static_cast<UINT>(pos), TRUE, &info);
        }
        if (info.hSubMenu && info.hSubMenu != hmenu) WMINITMENU(info.hSubMenu);
    }
}

std::wstring MenuEntryText(HMENU hmenu, UINT idOrPos, bool byPosition) {
    // Read through the item information: an owner-drawn entry keeps its text
    // there, where the string call may not give it. At most 80 characters.
    wchar_t buf[81] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = buf;
    info.cch = 80;
    if (GetMenuItemInfoW(hmenu, idOrPos, byPosition ? TRUE : FALSE, &info) && buf[0]) return std::wstring(buf);
    int n = GetMenuStringW(hmenu, idOrPos, buf, 81, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
    return std::wstring(buf, static_cast<size_t>(std::clamp(n, 0, 80)));
}

TMenuItem* CreateMenuItem(HMENU hmenu, UINT id) {
    auto* item = new TMenuItem(nullptr);
    std::wstring text = MenuEntryText(hmenu, id, false);
    item->SetCaption(text.empty() ? L"-" : text);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    if (GetMenuItemInfoW(hmenu, id, FALSE, &info)) {
        item->SetEnabled(!(info.fState & (MFS_GRAYED | MFS_DISABLED)));
        item->SetChecked((info.fState & MFS_CHECKED) != 0);
        item->SetDefault((info.fState & MFS_DEFAULT) != 0);
    }
    return item;
}

// ---- the form skinner's messages ----

namespace {

TMenuItem* FormItem(TWinSkinForm* sf, UINT id) {
    TMainMenu* menu = sf && sf->FForm ? sf->FForm->Menu() : nullptr;
    if (!menu) return nullptr;
    if (TMenuItem* item = menu->FindItem(id, fkCommand)) return item;
    if (TMenu* merged = menu->MergedMenu()) return merged->FindItem(id, fkCommand);
    return nullptr;
}

bool WindowHasMenu(TWinSkinForm* sf) { return sf && (sf->hmenu || GetMenu(sf->Hwnd)); }

}  // namespace

bool MenuWMMeasureItem(TWinSkinForm* sf, TMessage& m) {
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    if (!mis || mis->CtlType != ODT_MENU || !WindowHasMenu(sf)) return false;
    TSkinMenuItems* painter = MenuItemsOf(sf);
    if (sf->FForm) {
        if (TSkinManage* mgr = Manager()) mgr->SetPopMenu();
        if (TMenuItem* item = FormItem(sf, mis->itemID)) {
            TCanvas canvas;
            canvas.OwnHandle(CreateCompatibleDC(nullptr));
            GdiObject<HFONT> font(CreateMenuFont(item->Default()));
            HGDIOBJ old = font ? SelectObject(canvas.Handle(), font.get()) : nullptr;
            int w = static_cast<int>(mis->itemWidth), h = static_cast<int>(mis->itemHeight);
            if (BoundTo(item->OnMeasureItem, painter) || !item->OnMeasureItem)
                painter->MeasureItem(item, &canvas, w, h);
            else
                item->MeasureItem(&canvas, w, h);
            if (old) SelectObject(canvas.Handle(), old);
            mis->itemWidth = static_cast<UINT>(std::max(w, 0));
            mis->itemHeight = static_cast<UINT>(std::max(h, 0));
            m.Result = TRUE;
            return true;
        }
        if (mis->itemID >= 1 && mis->itemID <= 4095) return false;
    }
    // Measured from the entry's text in the menu font.
    HMENU open = Manager() && Manager()->Mlist && !Manager()->Mlist->empty() ? Manager()->Mlist->back()->hmenu : nullptr;
    std::wstring text;
    for (HMENU h : {open, sf->hmenu, GetMenu(sf->Hwnd), sf->hsysmenu})
        if (h && (text = MenuEntryText(h, mis->itemID, false), !text.empty())) break;
    HDC dc = CreateCompatibleDC(nullptr);
    GdiObject<HFONT> font(CreateMenuFont(false));
    HGDIOBJ old = font ? SelectObject(dc, font.get()) : nullptr;
    SIZE size{0, 0};
    if (!text.empty()) GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    if (old) SelectObject(dc, old);
    DeleteDC(dc);
    TDataSkinObject* plate = PlateOf(sf->fsd);
    paint::Size2 s = paint::MeasureFromText(size.cx, size.cy, plate ? plate->r.Left : 0, !text.empty(), Win32PlatformIsUnicode);
    mis->itemWidth = static_cast<UINT>(s.cx);
    mis->itemHeight = static_cast<UINT>(s.cy);
    m.Result = TRUE;
    return true;
}

bool MenuWMDrawItem(TWinSkinForm* sf, TMessage& m) {
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    if (!dis || dis->CtlType != ODT_MENU || !WindowHasMenu(sf)) return false;
    HMENU menu = reinterpret_cast<HMENU>(dis->hwndItem);
    TSkinManage* mgr = Manager();
    if (mgr) {
        if (!FindMenuSkinner(menu)) mgr->SetHMenu(menu);
        mgr->SetPopMenu();
    }
    TSkinMenuItems* painter = MenuItemsOf(sf);
    const bool selected = (dis->itemState & ODS_SELECTED) != 0;
    TCanvas canvas(dis->hDC);
    if (sf->FForm) {
        if (TMenuItem* item = FormItem(sf, dis->itemID)) {
            if (PlateOf(sf->fsd))
                painter->DrawMenuItem(item, &canvas, dis->rcItem, selected);
            else
                painter->DefaultMenuItem(item, &canvas, selected, dis->rcItem);
            m.Result = TRUE;
            return true;
        }
        if (dis->itemID >= 1 && dis->itemID <= 4095) return false;
    }
    std::unique_ptr<TMenuItem> temp(CreateMenuItem(menu, dis->itemID));
    if (dis->itemState & (ODS_GRAYED | ODS_DISABLED)) temp->SetEnabled(false);
    if (dis->itemState & ODS_CHECKED) temp->SetChecked(true);
    painter->DrawHMenuItem2(menu, temp.get(), selected, dis->rcItem, &canvas);
    m.Result = TRUE;
    return true;
}

bool MenuWMCommand(TWinSkinForm* sf, TMessage& m) {
    if (!sf || m.LParam != 0) return false;
    switch (LOWORD(m.WParam) & 0xFFF0) {
    case SC_SIZE:
    case SC_MOVE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_NEXTWINDOW:
    case SC_PREVWINDOW:
    case SC_CLOSE:
    case SC_RESTORE:
        if (LOWORD(m.WParam) < 0xF000) return false;
        PostMessageW(sf->Hwnd, WM_SYSCOMMAND, LOWORD(m.WParam), 0);
        m.Result = 0;
        return true;
    default: return false;
    }
}

}  // namespace relayon::skin
