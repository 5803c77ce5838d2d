#include "skin/paint/win32/SkinCheckList.h"

#include <algorithm>

#include "toolkit/CheckListBox.h"
#include "toolkit/Messages.h"

namespace relayon::skin {

namespace {

// The glyph of a mark: unchecked 1, checked 2 (5 in a 12-frame image, whose
// second row of looks starts there).
int GlyphFrame(bool checked, int frames) {
    if (!checked) return 1;
    return frames == 12 ? 5 : 2;
}

}  // namespace

TBitmap* TSkinCheckList::CheckGlyphs() const {
    if (!fsd || !fsd->Button || !fsd->Button->CheckMap || fsd->Button->CheckMap->Empty()) return nullptr;
    return fsd->Button->CheckMap.get();
}

bool TSkinCheckList::BeforeProc(TMessage& m) {
    if (m.Msg == CN_DRAWITEM && CheckGlyphs() && dynamic_cast<TCheckListBox*>(control)) {
        CNDrawItem(m);
        return false;
    }
    return TSkinScrollbar::BeforeProc(m);
}

void TSkinCheckList::CNDrawItem(TMessage& m) {
    const auto* di = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
    m.Result = TRUE;
    if (!di || !di->hDC) return;
    const bool selected = (di->itemState & ODS_SELECTED) != 0;
    itemBrush_ = selected ? clHighlight : control->Color();
    itemText_ = selected ? clHighlightText : control->Font().Color();
    const int saved = SaveDC(di->hDC);
    SelectObject(di->hDC, control->Font().Handle());
    if (static_cast<int>(di->itemID) < 0) FillColor(di->hDC, di->rcItem, itemBrush_);
    else DrawItem(di->hDC, static_cast<int>(di->itemID), di->itemState, di->rcItem);
    RestoreDC(di->hDC, saved);
}

void TSkinCheckList::DrawItem(HDC dc, int index, UINT state, const RECT& rect) {
    auto* list = dynamic_cast<TCheckListBox*>(control);
    TBitmap* glyphs = CheckGlyphs();
    FillColor(dc, rect, itemBrush_);
    if (!list || !glyphs || index >= list->Items().Count()) return;

    const int frames = std::max(fsd->Button->checkframe, 1);
    const int gw = glyphs->Width() / frames, gh = glyphs->Height();
    const int top = rect.top + (rect.bottom - rect.top - gh) / 2;
    const bool rtlReading = control->BiDiMode() == bdRightToLeft;
    RECT glyph{}, text{};
    UINT flags = 0;
    if (control->UseRightToLeftAlignment()) {
        glyph = {rect.right - gw, top, rect.right, top + gh};
        text = {rect.left, rect.top, glyph.left - 2, rect.bottom};
        flags = DT_RIGHT | (rtlReading ? DT_RTLREADING : 0);
    } else {
        glyph = {rect.left + 2, top, rect.left + 2 + gw, top + gh};
        text = {glyph.right + 2, rect.top, rect.right, rect.bottom};
        flags = rtlReading ? DT_RTLREADING : 0;
    }
    flags |= DT_WORDBREAK | DT_EXPANDTABS;
    DrawSkinMap2(dc, glyph, *glyphs, GlyphFrame(list->Checked(index), frames), frames);

    FillColor(dc, text, itemBrush_);
    const bool disabled = !control->Enabled() || (state & ODS_DISABLED);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(disabled ? clGrayText : itemText_));
    const std::wstring s = list->Items().Strings(index);
    RECT measured = text;
    Tnt_DrawTextW(dc, s, measured, flags | DT_CALCRECT | DT_NOCLIP);
    RECT shifted = text;
    shifted.top += (text.bottom - text.top - (measured.bottom - measured.top)) / 2;
    Tnt_DrawTextW(dc, s, shifted, flags);
    if (state & ODS_FOCUS) DrawFocusRect(dc, &text);
}

}  // namespace relayon::skin
