#pragma once
// Which cell of the skin's button images a clickable control shows.
//
// Button faces (the `Button` object's Map): 1 normal, 2 pressed, 3 disabled,
// 4 hot (mouse over), 5 focused or default. Glyph strips of bit and speed
// buttons: 1 up, 2 disabled, 3 pressed, 4 held down.
//
// Check boxes use CheckMap: 1 unchecked, 2 checked, +2 when disabled, 4 for
// the third state; a 12-cell CheckMap holds four cells per value (normal,
// hot, pressed, disabled for unchecked, checked and mixed), so the values
// move to 1, 5, 4, 8 and mixed to 9 (12 when disabled). Radio buttons use
// RadioMap the same way without the third state; an 8-cell RadioMap moves
// 2, 3, 4 to 5, 4, 8.
//
// Every answer lies in 1..frameCount whatever the inputs, so a skin with
// fewer cells than a state asks for shows its last cell instead of reading
// past the image; a frame count below 1 answers 0 (draw nothing).
#include <optional>
#include <string_view>

namespace relayon::skin::paint {

// What a push button shows: mouse state from the skinner, the rest from the window.
struct PushButtonState {
    bool pressed = false;   // left button or space held on it
    bool mouseIn = false;   // the mouse is over it
    bool focused = false;
    bool isDefault = false;
    bool enabled = true;
};

int PushButtonFace(const PushButtonState& s, int frameCount);

// A speed button's own Down (latched) wins over the mouse.
struct SpeedButtonState {
    bool down = false;  // published Down
    bool pressed = false;
    bool mouseIn = false;
    bool enabled = true;
};

int SpeedButtonFace(const SpeedButtonState& s, int frameCount);
// A flat speed button shows the skin face only while pressed or hot.
bool SpeedButtonShowsFace(bool flat, int face);

// Drop-down buttons have no disabled face; focus shows as hot.
int MenuButtonFace(bool pressed, bool mouseIn, bool focused, int frameCount);

// Cell of a bit or speed button's glyph strip; `down` is a speed button's Down.
int GlyphCell(bool pressed, bool enabled, bool down, int glyphCount);

// What a check box reports about its value, from the window and from the
// published properties of its component (each absent when it has none).
struct CheckBoxInputs {
    bool windowChecked = false;        // BM_GETSTATE has BST_CHECKED
    bool windowIndeterminate = false;  // BM_GETSTATE has BST_INDETERMINATE
    std::optional<std::wstring_view> stateProp{};    // "State": cbUnchecked, cbChecked, cbGrayed
    std::optional<std::wstring_view> checkedProp{};  // "Checked": "true"/"false"
    bool hasDataField = false;  // a data-aware box: trust the last BM_SETCHECK
    int recordedCheck = 0;      // last BM_SETCHECK wParam + 1, 0 when none came
    bool hasDataBinding = false;  // a box that draws its own value: show unchecked
    bool enabled = true;
};

int CheckBoxCell(const CheckBoxInputs& in, int frameCount);

struct RadioButtonInputs {
    bool windowChecked = false;
    std::optional<std::wstring_view> checkedProp{};
    bool enabled = true;
};

int RadioButtonCell(const RadioButtonInputs& in, int frameCount);

}  // namespace relayon::skin::paint
