#pragma once
// Where the edit-like skinners put their pictures: the combo box's button
// strip and text hole, the flat combo's button, the glyph centred on the
// button, the date picker's arrow button, and whether a window has a border
// worth framing. Rectangles are zero-based in the control's window.
//
// Hostile input: every rectangle answered lies inside the control (or the
// area it was cut from) and is never inverted, whatever the sizes; a frame
// answer always lies in 1..frameCount, or is 0 (draw nothing) when the skin
// has no cells. A picture is therefore never asked for a cell it lacks.
namespace relayon::skin::paint {

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const Box&) const = default;
};

// Cell of a combo's button or border picture: 1 normal, 2 pressed, 3
// disabled, 4 focused or hot. A state whose cell the skin lacks shows the
// normal cell.
struct ComboState {
    bool pressed = false;
    bool hot = false;
    bool focused = false;
    bool enabled = true;
};
int ComboFrame(const ComboState& s, int frameCount);
// A picture strip mirrored as a whole holds its cells in reverse order: the
// cell of frame `d` in the mirrored strip (0 stays 0).
int MirroredFrame(int d, int frameCount);

// The button strip of a combo `w` x `h` whose button is `buttonWidth`
// (the system's scroll-arrow width) wide: its last buttonWidth + 2 columns,
// or its first ones with the button on the left; full height.
Box ComboButtonStrip(int w, int h, int buttonWidth, bool leftButton);
// The text area the border and button leave alone (excluded from clipping).
Box ComboTextHole(int w, int h, int buttonWidth, bool leftButton);
// The strip less its two columns at the control's edge: where the glyph goes.
Box ComboGlyphArea(const Box& strip, bool leftButton);
// A picture of imageW x imageH centred in `area`, cut down to the area.
Box CentredIn(const Box& area, int imageW, int imageH);

// Flat combos: I is the control inset by 2; the button column (thumbWidth
// wide) at I's right edge, or left edge with the button on the left.
Box FlatButtonColumn(int w, int h, int thumbWidth, bool leftButton);
// The flat button: one picture cell wide (cellW), as high as I, or as high
// as the picture when that is lower than thumbWidth; inside I.
Box FlatButton(int w, int h, int thumbWidth, int cellW, int imageH, bool leftButton);

// A window draws a sunken frame only when its client area is smaller than
// the window in both directions.
bool HasBorder(int windowW, int windowH, int clientW, int clientH);
// The print frame needs a border wider than one pixel on every side.
bool HasWideBorder(int windowW, int windowH, int clientW, int clientH);

// The date picker's arrow button in the picker's client coordinates:
// `buttonWidth` wide, at the client's right end (left end with a left-hand
// scroll bar), as high as the client; cut to the client.
Box ArrowButtonBox(int clientW, int clientH, int buttonWidth, bool leftButton);

}  // namespace relayon::skin::paint
