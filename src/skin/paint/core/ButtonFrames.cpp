#include "skin/paint/core/ButtonFrames.h"

#include <algorithm>
#include <cwctype>
#include <string>

namespace relayon::skin::paint {

namespace {

// A state the skin has no cell for shows the last cell it has.
int InCells(int cell, int frameCount) {
    if (frameCount < 1) return 0;
    return std::clamp(cell, 1, frameCount);
}

std::wstring Lower(std::wstring_view s) {
    std::wstring out(s);
    for (auto& c : out) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return out;
}

bool Contains(std::wstring_view haystack, std::wstring_view needle) {
    return Lower(haystack).find(needle) != std::wstring::npos;
}

// Unchecked 1, checked 2, unchecked disabled 3, checked or mixed disabled 4
// land on the first cell of their group of four in a 12-cell strip.
int FourPerValue(int value) {
    switch (value) {
    case 2: return 5;
    case 3: return 4;
    case 4: return 8;
    default: return value;
    }
}

}  // namespace

int PushButtonFace(const PushButtonState& s, int frameCount) {
    int face = !s.enabled ? 3 : s.pressed ? 2 : s.mouseIn ? 4 : (s.focused || s.isDefault) ? 5 : 1;
    return InCells(face, frameCount);
}

int SpeedButtonFace(const SpeedButtonState& s, int frameCount) {
    int face = s.down ? 2 : !s.enabled ? 3 : s.pressed ? 2 : s.mouseIn ? 4 : 1;
    return InCells(face, frameCount);
}

bool SpeedButtonShowsFace(bool flat, int face) { return !flat || face == 2 || face == 4; }

int MenuButtonFace(bool pressed, bool mouseIn, bool focused, int frameCount) {
    return InCells(pressed ? 2 : (focused || mouseIn) ? 4 : 1, frameCount);
}

int GlyphCell(bool pressed, bool enabled, bool down, int glyphCount) {
    int cell = down ? 4 : pressed ? 3 : !enabled ? 2 : 1;
    // A strip without a cell for the state shows its first (up) cell, as a
    // one-glyph bitmap does in every state.
    if (glyphCount < 1) return 0;
    return cell <= glyphCount ? cell : 1;
}

int CheckBoxCell(const CheckBoxInputs& in, int frameCount) {
    int value = in.windowChecked ? 2 : 1;
    if (in.stateProp) {
        // "cbUnchecked" also contains "check", so it is tested first.
        if (Contains(*in.stateProp, L"uncheck")) value = 1;
        else if (Contains(*in.stateProp, L"check")) value = 2;
        else if (Contains(*in.stateProp, L"gray")) value = 4;
    } else if (in.checkedProp) {
        value = Lower(*in.checkedProp) == L"true" ? 2 : 1;
    }
    if (in.hasDataField && in.recordedCheck > 0) value = in.recordedCheck == 3 ? 4 : in.recordedCheck;
    if (in.hasDataBinding) value = 1;
    if (!in.enabled) value += 2;
    if (in.windowIndeterminate) value = 4;
    if (frameCount == 12) value = in.windowIndeterminate ? (in.enabled ? 9 : 12) : FourPerValue(value);
    return InCells(value, frameCount);
}

int RadioButtonCell(const RadioButtonInputs& in, int frameCount) {
    bool checked = in.windowChecked || (in.checkedProp && Lower(*in.checkedProp) == L"true");
    int value = (checked ? 2 : 1) + (in.enabled ? 0 : 2);
    if (frameCount == 8) value = FourPerValue(value);
    return InCells(value, frameCount);
}

}  // namespace relayon::skin::paint
