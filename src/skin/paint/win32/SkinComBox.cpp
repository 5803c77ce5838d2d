#include "skin/paint/win32/SkinComBox.h"

#include <windowsx.h>

#include "skin/paint/win32/EditSkinDraw.h"
#include "skin/paint/win32/SkinnerFamilies.h"
#include "skin/paint/win32/Winskinform.h"
#include "toolkit/ObjectInstance.h"
#include "toolkit/WinControl.h"

namespace relayon::skin {

using paint::Box;

TSkinComBox::TSkinComBox(TComponent* AOwner) : TSkinControl(AOwner) { info.cbSize = sizeof(COMBOBOXINFO); }

TSkinComBox::~TSkinComBox() {
    ReleaseBtn();
    // The list skinners belong to the form skinner, which frees them; we
    // only stop hearing about them.
    for (TSkinControl* s : {vb, db})
        if (s) RemoveFreeNotification(s);
    vb = db = nullptr;
}

void TSkinComBox::Notification(TComponent* component, TOperation operation) {
    TSkinControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == vb) vb = nullptr;
    if (component == db) db = nullptr;
}

void TSkinComBox::ReadStyle() {
    if (!hwnd || !IsWindow(hwnd)) return;
    dwStyle = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
    ExStyle = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE));
}

void TSkinComBox::Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) {
    if (Inited) return;
    TSkinControl::Init(sf, sd, acanvas, acolor);
    if (!Inited) return;
    ReadStyle();
    vb = nullptr;
    if ((dwStyle & 3) != CBS_SIMPLE) {
        SkinDropList();
        if (!isunicode || HasButton) FindBtn();
    } else {
        SkinSimpleList();
    }
}

void TSkinComBox::Inithwnd(HWND ahwnd, TSkinData* sd, TCanvas* acanvas, TWinSkinForm* sf) {
    if (Inited) return;
    TSkinControl::Inithwnd(ahwnd, sd, acanvas, sf);
    if (!Inited) return;
    ReadStyle();
    if ((dwStyle & 3) != CBS_SIMPLE && (!isunicode || HasButton)) FindBtn();
}

void TSkinComBox::WatchListSkinner(TSkinControl* s) {
    if (s) FreeNotification(s);
}

void TSkinComBox::SkinDropList() {
    db = nullptr;
    if (!(dwStyle & CBS_DROPDOWN) || !pGetComboBoxInfo || !skinform) return;
    info.cbSize = sizeof(COMBOBOXINFO);
    if (!pGetComboBoxInfo(hwnd, &info) || !info.hwndList) return;
    db = StartSkinner(skinform, L"TComboxScrollBar", nullptr, info.hwndList, {});
    WatchListSkinner(db);
}

void TSkinComBox::DeleteDropList() {
    // The form skinner frees the list skinner; here it only lets the list go.
    if (db) db->Unsubclass();
}

void TSkinComBox::SkinSimpleList() {
    if (!pGetComboBoxInfo || !skinform) return;
    info.cbSize = sizeof(COMBOBOXINFO);
    if (!pGetComboBoxInfo(hwnd, &info)) return;
    hlist = info.hwndList;
    if (!hlist) return;
    const DWORD ls = static_cast<DWORD>(GetWindowLongW(hlist, GWL_STYLE));
    if ((ls & WS_POPUP) || GetParent(hlist) == GetDesktopWindow() || !(ls & WS_CHILD)) return;
    vb = StartSkinner(skinform, L"TSkinScrollbarH", nullptr, hlist, {});
    WatchListSkinner(vb);
}

void TSkinComBox::FindBtn() {
    hbtn = GetWindow(hwnd, GW_CHILD);
    if (!hbtn) return;
    FBtnObjectInst = MakeObjectInstance(TWndMethod(this, &TSkinComBox::ButtonProc));
    FBtnPrevWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hbtn, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FBtnObjectInst)));
}

void TSkinComBox::ReleaseBtn() {
    if (!FBtnObjectInst) return;
    const bool alive = hbtn && IsWindow(hbtn);
    const bool stillOurs =
        alive && reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hbtn, GWLP_WNDPROC)) == FBtnObjectInst;
    if (stillOurs) SetWindowLongPtrW(hbtn, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FBtnPrevWndProc));
    // A thunk someone else subclassed over is still called through their
    // saved pointer: it stays allocated then.
    if (stillOurs || !alive) FreeObjectInstance(FBtnObjectInst);
    FBtnObjectInst = nullptr;
    hbtn = nullptr;
}

void TSkinComBox::ButtonProc(TMessage& Message) {
    const HWND self = hbtn;
    if (!self || !FBtnPrevWndProc) return;
    Message.Result = CallWindowProcW(FBtnPrevWndProc, self, Message.Msg, Message.WParam, Message.LParam);
    try {
        switch (Message.Msg) {
        case WM_NCDESTROY:
            // The child is gone: give it its procedure back now, the thunk is
            // freed with the skinner.
            SetWindowLongPtrW(self, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FBtnPrevWndProc));
            hbtn = nullptr;
            break;
        case WM_PAINT:
            if (skinned) PaintControl(nullptr);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (skinned) SetBit(scDown, true);
            break;
        case WM_LBUTTONUP:
            if (skinned) SetBit(scDown, false);
            break;
        default:
            break;
        }
    } catch (...) {
        // Painting faults stay here: the child keeps working unskinned.
        skinned = false;
    }
}

void TSkinComBox::Unsubclass() {
    if (!skinned) return;
    TSkinControl::Unsubclass();
    ReleaseBtn();
    if (vb) vb->Unsubclass();
    DeleteDropList();
    if (!WindowGone() && hwnd && IsWindow(hwnd)) InvalidateRect(hwnd, nullptr, TRUE);
}

void TSkinComBox::SetBit(TSkinControlState bit, bool on) {
    if (state.Contains(bit) == on) return;
    if (on) state.Include(bit);
    else state.Exclude(bit);
    PaintControl(nullptr);
}

void TSkinComBox::OnMouseMove(TMessage& Message) {
    ReadStyle();
    const POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    const bool over = PtInRect(&rBtn, p) && EnabledNow();
    if (over != state.Contains(scMouseIn)) SetBit(scMouseIn, over);
    if (over) {
        // A window without a toolkit object hears of the mouse leaving only when it asks.
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd, 0};
        TrackMouseEvent(&tme);
    }
}

void TSkinComBox::CNCommand(TMessage& Message) {
    switch (HIWORD(Message.WParam)) {
    case CBN_DROPDOWN: isDrop = true; break;
    case CBN_CLOSEUP:
        isDrop = false;
        // The press that opened the list may end over the list, out of our sight.
        SetBit(scDown, false);
        break;
    default: break;
    }
}

void TSkinComBox::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return;
    case WM_MOUSEMOVE: OnMouseMove(Message); return;
    case WM_DRAWITEM:
    case WM_NCPAINT: PaintControl(nullptr); return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!state.Contains(scDown)) SetBit(scDown, true);
        else PaintControl(nullptr);
        return;
    case WM_LBUTTONUP: SetBit(scDown, false); return;
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE:
        if (state.Contains(scMouseIn)) SetBit(scMouseIn, false);
        return;
    case CN_COMMAND: CNCommand(Message); return;
    default: break;
    }
    TSkinControl::AfterProc(Message);
}

bool TSkinComBox::FocusedNow() const {
    const HWND f = GetFocus();
    return f && (f == hwnd || IsChild(hwnd, f));
}

int TSkinComBox::FrameFor(int frameCount) const {
    return paint::ComboFrame({.pressed = state.Contains(scDown),
                              .hot = state.Contains(scMouseIn),
                              .focused = FocusedNow(),
                              .enabled = EnabledNow()},
                             frameCount);
}

void TSkinComBox::DrawControl(HDC dc, const RECT& rc) {
    TDataSkinObject* combo = fsd ? fsd->combox.get() : nullptr;
    if (!dc || !HasSkinImage(combo)) return;
    ReadStyle();
    if (pGetComboBoxInfo) {
        info.cbSize = sizeof(COMBOBOXINFO);
        if (pGetComboBoxInfo(hwnd, &info)) {
            rBtn = info.rcButton;
            if (info.stateButton & STATE_SYSTEM_INVISIBLE) return;  // a simple combo has no button
        }
    }
    if (combo->style == 1) {
        DrawControl1(dc, rc);
        return;
    }
    const RECT R{0, 0, rc.right - rc.left, rc.bottom - rc.top};
    const int d = FrameFor(4);
    SavedDc keep(dc);
    if (HasButton) {
        DrawWithButtonWindow(dc, R, d);
        return;
    }
    const int C = GetSystemMetrics(SM_CXHSCROLL);
    const Box hole = paint::ComboTextHole(R.right, R.bottom, C, LeftButton());
    if (!hole.Empty()) ExcludeClipRect(dc, hole.left, hole.top, hole.right, hole.bottom);
    if (combo->style == 2) {
        // With the button on the left the picture is the mirrored one, whose
        // cells run backwards.
        TDataSkinObject* mirrored = fsd->Comboxborder.get();
        if (LeftButton() && HasSkinImage(mirrored))
            DrawNineSlice(dc, R, *mirrored, paint::MirroredFrame(FrameFor(mirrored->frame), mirrored->frame));
        else
            DrawNineSlice(dc, R, *combo, FrameFor(combo->frame));
        return;
    }
    DrawBorderAndStrip(dc, R, d);
}

void TSkinComBox::DrawWithButtonWindow(HDC dc, const RECT& R, int) {
    if (WindowHasBorder(hwnd)) DrawSunkenFrame(dc, R, SchemeColor(fsd, csButtonShadow), 1);
    if (!hbtn || !IsWindow(hbtn)) return;
    RECT wr{}, br{};
    GetWindowRect(hwnd, &wr);
    GetWindowRect(hbtn, &br);
    OffsetRect(&br, -wr.left, -wr.top);
    FillBG(dc, br);
    TDataSkinObject* arrow = fsd->comboxarrow.get();
    if (!HasSkinImage(arrow)) return;
    const int d = FrameFor(arrow->frame);
    if (d > 0) DrawSkinMap2(dc, br, *arrow->Map, d, arrow->frame);
}

void TSkinComBox::DrawBorderAndStrip(HDC dc, const RECT& R, int) {
    TDataSkinObject* combo = fsd->combox.get();
    TDataSkinObject* border = fsd->Comboxborder.get();
    if (HasSkinImage(border)) {
        const int bd = FrameFor(border->frame);
        if (bd > 0) DrawSkinMap(dc, R, border, bd, border->frame);
    }
    const int C = GetSystemMetrics(SM_CXHSCROLL);
    const Box strip = paint::ComboButtonStrip(R.right, R.bottom, C, LeftButton());
    const RECT s{strip.left, strip.top, strip.right, strip.bottom};
    rBtn = s;
    TBitmap* plate = combo->Map.get();
    int d = FrameFor(combo->frame);
    if (LeftButton())
        if (auto* b = dynamic_cast<TDataSkinBorder*>(combo); b && b->MaskMap && !b->MaskMap->Empty()) {
            plate = b->MaskMap.get();
            d = paint::MirroredFrame(d, combo->frame);
        }
    if (d > 0 && !strip.Empty()) DrawSkinMap2(dc, s, *plate, d, combo->frame);
    TDataSkinObject* glyph = fsd->ExtraImages.get();
    if (!HasSkinImage(glyph) || glyph->frame < 1) return;
    const int gd = FrameFor(glyph->frame);
    const int cellW = glyph->Map->Width() / glyph->frame;
    const Box at = paint::CentredIn(paint::ComboGlyphArea(strip, LeftButton()), cellW, glyph->Map->Height());
    if (gd > 0 && !at.Empty()) DrawSkinMap1(dc, RECT{at.left, at.top, at.right, at.bottom}, *glyph->Map, gd, glyph->frame);
}

void TSkinComBox::DrawControl1(HDC dc, const RECT& rc) {
    TDataSkinObject* combo = fsd->combox.get();
    const RECT R{0, 0, rc.right - rc.left, rc.bottom - rc.top};
    const int thumb = GetSystemMetrics(SM_CYVTHUMB);
    // The control's background is the brush the DC holds now.
    HBRUSH back = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
    RECT ring = R;
    InflateRect(&ring, -1, -1);
    if (back && ring.right > ring.left && ring.bottom > ring.top) FrameRect(dc, &ring, back);
    const Box col = paint::FlatButtonColumn(R.right, R.bottom, thumb, LeftButton());
    const RECT colR{col.left, col.top, col.right, col.bottom};
    if (back && !col.Empty()) FillRect(dc, &colR, back);
    DrawSunkenFrame(dc, R, SchemeColor(fsd, csButtonShadow), 0);
    if (combo->frame < 1) return;
    const Box b = paint::FlatButton(R.right, R.bottom, thumb, combo->Map->Width() / combo->frame, combo->Map->Height(),
                                    LeftButton());
    rBtn = RECT{b.left, b.top, b.right, b.bottom};
    const int d = FrameFor(combo->frame);
    if (d > 0 && !b.Empty()) DrawSkinMap2(dc, rBtn, *combo->Map, d, combo->frame);
}

}  // namespace relayon::skin
