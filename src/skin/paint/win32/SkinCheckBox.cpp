#include "skin/paint/win32/SkinCheckBox.h"

#include "skin/paint/core/ButtonFrames.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Control.h"

namespace relayon::skin {

namespace {

std::optional<std::wstring> PropIfAny(TObject* obj, const wchar_t* name) {
    if (!obj) return std::nullopt;
    std::wstring v = GetProperty(obj, name);
    if (v.empty()) return std::nullopt;
    return v;
}

}  // namespace

TSkinCheckBox::TSkinCheckBox(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinCheckBox::ChooseKind() {
    int frames = 0;
    kind = GlyphMap(frames) ? 1 : 0;
}

void TSkinCheckBox::Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) {
    fsd = sd;
    ChooseKind();
    checkState = 0;
    trans = WantsParentBackground(Owner(), sd);
    TSkinControl::Init(sf, sd, acanvas, acolor);
}

void TSkinCheckBox::Inithwnd(HWND ahwnd, TSkinData* sd, TCanvas* acanvas, TWinSkinForm* sf) {
    fsd = sd;
    TSkinControl::Inithwnd(ahwnd, sd, acanvas, sf);
    ChooseKind();
}

TBitmap* TSkinCheckBox::GlyphMap(int& frames) {
    if (!fsd || !fsd->Button || !fsd->Button->CheckMap || fsd->Button->CheckMap->Empty()) return nullptr;
    frames = fsd->Button->checkframe;
    return frames >= 1 ? fsd->Button->CheckMap.get() : nullptr;
}

int TSkinCheckBox::CellFor(int frames) {
    TControl* c = SkinnedObject(*this);
    const LRESULT bm = hwnd ? SendMessageW(hwnd, BM_GETSTATE, 0, 0) : 0;
    const auto stateProp = PropIfAny(c, L"State");
    const auto checkedProp = PropIfAny(c, L"Checked");
    paint::CheckBoxInputs in;
    in.windowChecked = (bm & BST_CHECKED) != 0;
    in.windowIndeterminate = (bm & BST_INDETERMINATE) != 0;
    if (stateProp) in.stateProp = *stateProp;
    if (checkedProp) in.checkedProp = *checkedProp;
    in.hasDataField = PropIfAny(c, L"DataField").has_value();
    in.recordedCheck = checkState;
    in.hasDataBinding = c && GetObjProp(c, L"DataBinding") != nullptr;
    in.enabled = !(StyleOf(*this) & WS_DISABLED);
    return paint::CheckBoxCell(in, frames);
}

bool TSkinCheckBox::BeforeProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_PAINT:
        if (kind != 1) break;
        WMPaint(Message);
        return false;
    case WM_PRINT:
    case WM_PRINTCLIENT:
        if (kind != 1) break;
        if (HDC dc = reinterpret_cast<HDC>(Message.WParam)) {
            RECT r{};
            GetClientRect(hwnd, &r);
            try {
                DrawControl(dc, r);
            } catch (...) {
                // An undrawable picture leaves the print empty.
            }
        }
        return false;
    case WM_ERASEBKGND:
        if (!trans) break;
        WMERASEBKGND(Message);
        return false;
    }
    return TSkinControl::BeforeProc(Message);
}

void TSkinCheckBox::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case BM_SETCHECK:
        checkState = static_cast<int>(Message.WParam) + 1;
        Invalidate();
        return;
    // The system button draws these changes itself, at once.
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_UPDATEUISTATE:
    case CM_EXIT:
    case 0xB0D0:
        if (kind == 1) Invalidate();
        return;
    }
    TSkinControl::AfterProc(Message);
}

void TSkinCheckBox::DrawControl(HDC dc, const RECT& rc) {
    int frames = 0;
    TBitmap* map = GlyphMap(frames);
    if (!map) return;
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    HDC buf = buffer.Prepare(w, h);
    if (!buf) return;
    const DWORD style = StyleOf(*this);
    enabled = !(style & WS_DISABLED);
    focused = HasFocus(*this);
    const RECT all{0, 0, w, h};
    if (trans && SkinnedObject(*this)) DrawParentImage(SkinnedObject(*this), buf);
    else FillColor(buf, all, SchemeColor(fsd, csButtonFace));

    const bool leftText = (style & BS_LEFTTEXT) != 0;
    const paint::CheckPlacement place =
        paint::PlaceCheckGlyph(w, h, {map->Width() / frames, map->Height()}, leftText, RightInset());
    const int cell = CellFor(frames);
    if (cell > 0 && !place.glyph.Empty())
        DrawSkinMap2(buf, RECT{place.glyph.left, place.glyph.top, place.glyph.right, place.glyph.bottom}, *map, cell,
                     frames);

    const std::wstring text = CaptionOf(*this);
    if (!text.empty() && !place.text.Empty()) {
        DcStateGuard keep(buf);
        if (HFONT font = FontOf(*this)) SelectObject(buf, font);
        SetTextColor(buf, enabled ? BaseTextColour(*this) : GetSysColor(COLOR_BTNSHADOW));
        SetBkColor(buf, FaceColour(fsd));
        SetBkMode(buf, TRANSPARENT);
        UINT flags = DT_WORDBREAK | DT_EXPANDTABS;
        if (leftText) flags |= DT_RIGHT | DT_RTLREADING;
        else if (IsRightToLeft(*this)) flags |= DT_RTLREADING;
        RECT measure{0, 0, place.text.Width(), 0};
        DrawTextW(buf, text.c_str(), static_cast<int>(text.size()), &measure, flags | DT_CALCRECT);
        const int th = measure.bottom - measure.top;
        RECT r{place.text.left, place.text.top + (place.text.Height() - th) / 2, place.text.right, 0};
        r.bottom = r.top + th;
        DrawTextW(buf, text.c_str(), static_cast<int>(text.size()), &r, flags);
        if (DrawsFocus() && focused && IsVista) {
            RECT f{leftText ? r.right - (measure.right - measure.left) : r.left, r.top,
                   leftText ? r.right : r.left + (measure.right - measure.left), r.bottom};
            InflateRect(&f, 2, 1);
            IntersectRect(&f, &f, &all);
            DrawFocusRect(buf, &f);
        }
    }
    buffer.CopyTo(dc, rc.left, rc.top);
}

TSkinRadioButton::TSkinRadioButton(TComponent* AOwner) : TSkinCheckBox(AOwner) {}

TBitmap* TSkinRadioButton::GlyphMap(int& frames) {
    if (!fsd || !fsd->Button || !fsd->Button->RadioMap || fsd->Button->RadioMap->Empty()) return nullptr;
    frames = fsd->Button->radioframe;
    return frames >= 1 ? fsd->Button->RadioMap.get() : nullptr;
}

int TSkinRadioButton::CellFor(int frames) {
    TControl* c = SkinnedObject(*this);
    const LRESULT bm = hwnd ? SendMessageW(hwnd, BM_GETSTATE, 0, 0) : 0;
    const auto checkedProp = PropIfAny(c, L"Checked");
    paint::RadioButtonInputs in;
    in.windowChecked = (bm & BST_CHECKED) != 0;
    if (checkedProp) in.checkedProp = *checkedProp;
    in.enabled = !(StyleOf(*this) & WS_DISABLED);
    return paint::RadioButtonCell(in, frames);
}

void TSkinRadioButton::AfterProc(TMessage& Message) {
    if (Message.Msg == BM_SETCHECK) {
        Invalidate();
        return;
    }
    TSkinCheckBox::AfterProc(Message);
}

}  // namespace relayon::skin
