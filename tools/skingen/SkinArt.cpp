#include "SkinArt.h"

#include <functional>

namespace skingen {

using relayon::skin::Drehen270Grad;
using relayon::skin::SpiegelnHorizontal;
using relayon::skin::SolidImage;
using relayon::skin::SpiegelnVertikal;

Palette LightPalette() {
    Palette p;
    p.face = Rgb(240, 242, 245);
    p.faceTop = Rgb(253, 253, 254);
    p.faceBottom = Rgb(229, 232, 237);
    p.window = Rgb(255, 255, 255);
    p.border = Rgb(158, 167, 180);
    p.borderSoft = Rgb(206, 211, 218);
    p.accent = Rgb(51, 122, 204);
    p.accentDark = Rgb(36, 94, 168);
    p.accentPale = Rgb(222, 234, 249);
    p.hotTop = Rgb(244, 248, 254);
    p.hotBottom = Rgb(219, 232, 249);
    p.pressedTop = Rgb(201, 219, 241);
    p.pressedBottom = Rgb(216, 229, 246);
    p.glyph = Rgb(62, 70, 82);
    p.glyphDisabled = Rgb(172, 178, 188);
    p.captionTop = Rgb(230, 239, 250);
    p.captionBottom = Rgb(210, 225, 244);
    p.captionIdleTop = Rgb(243, 244, 246);
    p.captionIdleBottom = Rgb(229, 231, 235);
    p.frameActive = Rgb(98, 138, 190);
    p.frameIdle = Rgb(170, 176, 186);
    p.captionGlyph = Rgb(44, 56, 74);
    p.closeHot = Rgb(210, 66, 58);
    return p;
}

Palette DarkPalette() {
    Palette p;
    p.face = Rgb(46, 49, 55);
    p.faceTop = Rgb(66, 70, 78);
    p.faceBottom = Rgb(53, 56, 63);
    p.window = Rgb(33, 35, 39);
    p.border = Rgb(98, 104, 116);
    p.borderSoft = Rgb(70, 75, 84);
    p.accent = Rgb(84, 152, 230);
    p.accentDark = Rgb(126, 182, 244);
    p.accentPale = Rgb(45, 68, 99);
    p.hotTop = Rgb(70, 86, 110);
    p.hotBottom = Rgb(56, 72, 96);
    p.pressedTop = Rgb(40, 58, 84);
    p.pressedBottom = Rgb(48, 68, 96);
    p.glyph = Rgb(214, 219, 227);
    p.glyphDisabled = Rgb(108, 113, 122);
    p.captionTop = Rgb(58, 64, 75);
    p.captionBottom = Rgb(45, 50, 59);
    p.captionIdleTop = Rgb(52, 54, 59);
    p.captionIdleBottom = Rgb(43, 45, 50);
    p.frameActive = Rgb(84, 138, 204);
    p.frameIdle = Rgb(78, 82, 90);
    p.captionGlyph = Rgb(222, 226, 233);
    p.closeHot = Rgb(196, 62, 56);
    return p;
}

namespace {

// The four looks of a clickable plate, in the order most strips use them.
enum class Look { Normal, Pressed, Disabled, Hot };

struct PlateColours {
    TColor top, bottom, border;
};

PlateColours PlateFor(const Palette& p, Look look) {
    switch (look) {
    case Look::Pressed: return {p.pressedTop, p.pressedBottom, p.accentDark};
    case Look::Disabled: return {p.face, p.face, p.borderSoft};
    case Look::Hot: return {p.hotTop, p.hotBottom, p.accent};
    default: return {p.faceTop, p.faceBottom, p.border};
    }
}

TColor GlyphFor(const Palette& p, Look look) {
    switch (look) {
    case Look::Pressed:
    case Look::Hot: return p.accentDark;
    case Look::Disabled: return p.glyphDisabled;
    default: return p.glyph;
    }
}

PixelImage Strip(int cellW, int cellH, int cells, TColor background = kMagenta) {
    return SolidImage(cellW * cells, cellH, background);
}

// Joins equally sized cell images side by side.
PixelImage Assemble(const std::vector<PixelImage>& cells) {
    PixelImage out = SolidImage(cells[0].width * static_cast<int>(cells.size()), cells[0].height, 0);
    for (size_t i = 0; i < cells.size(); ++i)
        for (int y = 0; y < cells[i].height; ++y)
            for (int x = 0; x < cells[i].width; ++x)
                out.SetColor(static_cast<int>(i) * cells[i].width + x, y, cells[i].Color(x, y));
    return out;
}

// Push buttons, 5 cells: normal, pressed, disabled, hot, focused/default.
PixelImage Buttons(const Palette& p) {
    PixelImage img = Strip(24, 24, 5);
    const Look looks[4] = {Look::Normal, Look::Pressed, Look::Disabled, Look::Hot};
    for (int i = 0; i < 4; ++i) {
        const PlateColours c = PlateFor(p, looks[i]);
        CellOf(img, i, 5).Plate(0, 0, 24, 24, c.top, c.bottom, c.border, kMagenta);
    }
    const Cell focused = CellOf(img, 4, 5);
    focused.Plate(0, 0, 24, 24, p.faceTop, p.faceBottom, p.accent, kMagenta);
    focused.Frame(1, 1, 23, 23, Mix(p.accent, p.faceTop, 170));
    return img;
}

// Check boxes, 12 cells of 13 x 13: unchecked, checked, mixed; each normal, hot, pressed, disabled.
PixelImage CheckBoxes(const Palette& p) {
    PixelImage img = Strip(13, 13, 12);
    for (int group = 0; group < 3; ++group)
        for (int state = 0; state < 4; ++state) {
            const Cell c = CellOf(img, group * 4 + state, 12);
            const bool disabled = state == 3;
            const TColor fill = state == 2 ? p.accentPale : disabled ? p.face : state == 1 ? Mix(p.window, p.accentPale, 128) : p.window;
            const TColor edge = disabled ? p.borderSoft : state == 0 ? p.border : p.accent;
            c.FillAll(fill);
            c.Frame(0, 0, 13, 13, edge);
            const TColor mark = disabled ? p.glyphDisabled : p.accentDark;
            if (group == 1) c.Check(3, 2, mark);
            if (group == 2) c.Fill(4, 4, 9, 9, mark);
        }
    return img;
}

// Radio buttons, 8 cells of 13 x 13: unchecked then checked; each normal, hot, pressed, disabled.
PixelImage RadioButtons(const Palette& p) {
    PixelImage img = Strip(13, 13, 8);
    for (int group = 0; group < 2; ++group)
        for (int state = 0; state < 4; ++state) {
            const Cell c = CellOf(img, group * 4 + state, 8);
            const bool disabled = state == 3;
            const TColor fill = state == 2 ? p.accentPale : disabled ? p.face : state == 1 ? Mix(p.window, p.accentPale, 128) : p.window;
            const TColor edge = disabled ? p.borderSoft : state == 0 ? p.border : p.accent;
            c.Disc(6.5, 6.5, 6.3, fill);
            c.Ring(6.5, 6.5, 6.5, edge);
            if (group == 1) c.Disc(6.5, 6.5, 2.7, disabled ? p.glyphDisabled : p.accentDark);
        }
    return img;
}

// Progress bar, 2 cells: the trough, and the filled part drawn over it.
PixelImage Progress(const Palette& p) {
    PixelImage img = Strip(32, 16, 2);
    const Cell trough = CellOf(img, 0, 2);
    trough.Plate(0, 0, 32, 16, p.window, p.window, p.border, kMagenta);
    trough.HLine(1, 30, 1, p.borderSoft);
    const Cell fill = CellOf(img, 1, 2);
    fill.Plate(0, 0, 32, 16, Mix(p.accent, p.window, 90), p.accent, p.accentDark, kMagenta);
    fill.HLine(2, 29, 1, Mix(p.accent, p.window, 150));
    return img;
}

// One progress chunk (tiled, with a one-pixel gap on its right).
PixelImage ProgressChunk(const Palette& p) {
    PixelImage img = Strip(9, 12, 1);
    const Cell c = CellOf(img, 0, 1);
    c.VGradient(0, 0, 8, 12, Mix(p.accent, p.window, 90), p.accent);
    return img;
}

// Tabs, 5 cells: normal, selected, disabled, hot, selected again.
PixelImage Tabs(const Palette& p) {
    PixelImage img = Strip(32, 24, 5);
    auto tab = [&](int index, TColor top, TColor bottom, TColor edge, bool selected) {
        const Cell c = CellOf(img, index, 5);
        const int y0 = selected ? 0 : 2;
        c.VGradient(1, y0 + 1, 31, 24, top, bottom);
        c.HLine(2, 29, y0, edge);
        c.VLine(0, y0 + 2, 23, edge);
        c.VLine(31, y0 + 2, 23, edge);
        c.Pixel(1, y0 + 1, edge);
        c.Pixel(30, y0 + 1, edge);
        c.Pixel(0, y0 + 1, kMagenta);
        c.Pixel(31, y0 + 1, kMagenta);
        if (selected) {
            c.HLine(2, 29, 1, p.accent);
            c.HLine(1, 30, 2, Mix(p.accent, p.face, 160));
        } else {
            c.HLine(0, 31, 23, p.border);  // the page's top edge runs under unselected tabs
        }
    };
    tab(0, p.faceTop, p.faceBottom, p.border, false);
    tab(1, p.face, p.face, p.border, true);
    tab(2, p.face, p.face, p.borderSoft, false);
    tab(3, p.hotTop, p.hotBottom, p.accent, false);
    tab(4, p.face, p.face, p.border, true);
    return img;
}

// A page border (one cell) and the tab-sheet pane (one cell).
PixelImage PageBorder(const Palette& p, int size) {
    PixelImage img = Strip(size, size, 1, p.face);
    CellOf(img, 0, 1).Frame(0, 0, size, size, p.border);
    return img;
}

// Combo box button plate, 4 cells: normal, pressed, disabled, hot.
PixelImage ComboButton(const Palette& p) {
    PixelImage img = Strip(18, 21, 4);
    const Look looks[4] = {Look::Normal, Look::Pressed, Look::Disabled, Look::Hot};
    for (int i = 0; i < 4; ++i) {
        const PlateColours c = PlateFor(p, looks[i]);
        CellOf(img, i, 4).Plate(0, 0, 18, 21, c.top, c.bottom, c.border, kMagenta);
    }
    return img;
}

// Sunken edit edge, 4 cells: normal, pressed, disabled, focused or hot.
PixelImage SunkEdge(const Palette& p) {
    PixelImage img = Strip(20, 21, 4);
    for (int i = 0; i < 4; ++i) {
        const Cell c = CellOf(img, i, 4);
        c.FillAll(i == 2 ? p.face : p.window);
        c.Frame(0, 0, 20, 21, i == 2 ? p.borderSoft : i == 0 ? p.border : p.accent);
    }
    return img;
}

// Extra images, 5 cells of 12 x 12: the combo arrow (normal, pressed, disabled, hot) and the size grip.
PixelImage ExtraImages(const Palette& p) {
    PixelImage img = Strip(12, 12, 5);
    const Look looks[4] = {Look::Normal, Look::Pressed, Look::Disabled, Look::Hot};
    for (int i = 0; i < 4; ++i) CellOf(img, i, 5).Arrow(5, 6, 4, 'd', GlyphFor(p, looks[i]));
    const Cell grip = CellOf(img, 4, 5);
    const int dots[][2] = {{9, 9}, {6, 9}, {9, 6}, {3, 9}, {6, 6}, {9, 3}};
    for (const auto& d : dots) {
        grip.Fill(d[0], d[1], d[0] + 2, d[1] + 2, p.border);
        grip.Pixel(d[0], d[1], p.glyphDisabled);
    }
    return img;
}

// Status bar panels, 3 cells: lowered, raised, no bevel.
PixelImage StatusBar(const Palette& p) {
    PixelImage img = Strip(20, 20, 3, p.face);
    for (int i = 0; i < 3; ++i) {
        const Cell c = CellOf(img, i, 3);
        c.HLine(0, 19, 0, p.borderSoft);
        c.HLine(0, 19, 1, p.faceTop);
        if (i < 2) {
            c.VLine(18, 4, 16, i == 0 ? p.borderSoft : p.faceTop);
            c.VLine(19, 4, 16, i == 0 ? p.faceTop : p.borderSoft);
        }
    }
    return img;
}

// List header items, 5 cells: normal, hot, pressed, normal, disabled.
PixelImage Header(const Palette& p) {
    PixelImage img = Strip(20, 22, 5);
    const PlateColours looks[5] = {{p.faceTop, p.faceBottom, p.border},
                                   {p.hotTop, p.hotBottom, p.accent},
                                   {p.pressedTop, p.pressedBottom, p.accentDark},
                                   {p.faceTop, p.faceBottom, p.border},
                                   {p.face, p.face, p.borderSoft}};
    for (int i = 0; i < 5; ++i) {
        const Cell c = CellOf(img, i, 5);
        c.VGradient(0, 0, 20, 21, looks[i].top, looks[i].bottom);
        c.HLine(0, 19, 21, looks[i].border);
        c.VLine(19, 4, 17, p.borderSoft);
    }
    return img;
}

// Group box edge, 2 cells: enabled and disabled; the inside stays transparent.
PixelImage GroupEdge(const Palette& p) {
    PixelImage img = Strip(24, 24, 2);
    for (int i = 0; i < 2; ++i) {
        const Cell c = CellOf(img, i, 2);
        c.Frame(0, 0, 24, 24, i == 0 ? p.border : p.borderSoft);
        c.Frame(1, 1, 23, 23, p.faceTop);
        for (auto [x, y] : {std::pair{0, 0}, {23, 0}, {0, 23}, {23, 23}}) c.Pixel(x, y, kMagenta);
        c.Pixel(1, 1, i == 0 ? p.border : p.borderSoft);
        c.Pixel(22, 1, i == 0 ? p.border : p.borderSoft);
        c.Pixel(1, 22, i == 0 ? p.border : p.borderSoft);
        c.Pixel(22, 22, i == 0 ? p.border : p.borderSoft);
    }
    return img;
}

// Group box caption plate, one cell.
PixelImage GroupLabel(const Palette& p) {
    PixelImage img = Strip(20, 18, 1);
    CellOf(img, 0, 1).Plate(0, 0, 20, 18, p.face, p.face, p.border, kMagenta);
    return img;
}

// Tool-bar buttons, 5 cells: normal (flat), pressed, disabled (flat), hot, checked.
PixelImage ToolButtons(const Palette& p) {
    PixelImage img = Strip(22, 22, 5);
    CellOf(img, 1, 5).Plate(0, 0, 22, 22, p.pressedTop, p.pressedBottom, p.accentDark, kMagenta);
    CellOf(img, 3, 5).Plate(0, 0, 22, 22, p.hotTop, p.hotBottom, p.accent, kMagenta);
    CellOf(img, 4, 5).Plate(0, 0, 22, 22, p.accentPale, p.accentPale, p.accentDark, kMagenta);
    return img;
}

// Scroll-bar arrows and grips, 23 cells of 17 x 17:
// 1-4 left, 5-8 right, 9-12 up, 13-16 down (normal, pressed, disabled, hot),
// 17-19 horizontal thumb grip, 20-22 vertical thumb grip (normal, pressed, hot), 23 unused.
PixelImage ScrollArrows(const Palette& p) {
    PixelImage img = Strip(17, 17, 23);
    const char dirs[4] = {'l', 'r', 'u', 'd'};
    const Look looks[4] = {Look::Normal, Look::Pressed, Look::Disabled, Look::Hot};
    for (int d = 0; d < 4; ++d)
        for (int s = 0; s < 4; ++s) {
            const Cell c = CellOf(img, d * 4 + s, 23);
            const PlateColours pc = PlateFor(p, looks[s]);
            c.Plate(0, 0, 17, 17, pc.top, pc.bottom, pc.border, p.face);
            c.Arrow(8, 8, 4, dirs[d], GlyphFor(p, looks[s]));
        }
    const TColor gripColours[3] = {p.border, p.accentDark, p.accent};
    for (int s = 0; s < 3; ++s) {
        const Cell h = CellOf(img, 16 + s, 23);
        const Cell v = CellOf(img, 19 + s, 23);
        for (int k = -3; k <= 3; k += 3) {
            h.VLine(8 + k, 5, 11, gripColours[s]);
            v.HLine(5, 11, 8 + k, gripColours[s]);
        }
    }
    return img;
}

// Scroll-bar tracks, 4 cells: enabled, pressed, disabled, hot.
PixelImage ScrollTrack(const Palette& p, bool horizontal) {
    const int w = horizontal ? 20 : 17, h = horizontal ? 17 : 20;
    PixelImage img = Strip(w, h, 4);
    const TColor fills[4] = {p.faceBottom, Mix(p.faceBottom, p.border, 60), p.face, p.faceBottom};
    for (int i = 0; i < 4; ++i) {
        const Cell c = CellOf(img, i, 4);
        c.FillAll(fills[i]);
        if (horizontal) {
            c.HLine(0, w - 1, 0, p.borderSoft);
            c.HLine(0, w - 1, h - 1, p.borderSoft);
        } else {
            c.VLine(0, 0, h - 1, p.borderSoft);
            c.VLine(w - 1, 0, h - 1, p.borderSoft);
        }
    }
    return img;
}

// Scroll-bar thumbs, 3 cells: normal, pressed, hot.
PixelImage ScrollThumb(const Palette& p, bool horizontal) {
    const int w = horizontal ? 24 : 17, h = horizontal ? 17 : 24;
    PixelImage img = Strip(w, h, 3);
    const Look looks[3] = {Look::Normal, Look::Pressed, Look::Hot};
    for (int i = 0; i < 3; ++i) {
        const PlateColours c = PlateFor(p, looks[i]);
        if (horizontal) CellOf(img, i, 3).Plate(0, 2, w, h - 2, c.top, c.bottom, c.border, kMagenta);
        else CellOf(img, i, 3).Plate(2, 0, w - 2, h, c.top, c.bottom, c.border, kMagenta);
    }
    return img;
}

// A track-bar thumb cell, optionally pointing down.
PixelImage ThumbCell(const Palette& p, Look look, bool pointed, int w, int h) {
    PixelImage cell = SolidImage(w, h, kMagenta);
    const Cell c{cell, 0, 0, w, h};
    const PlateColours pc = PlateFor(p, look);
    const int body = pointed ? h - w / 2 - 1 : h;
    c.Plate(0, 0, w, body, pc.top, pc.bottom, pc.border, kMagenta);
    if (pointed) {
        for (int y = body - 1, k = 0; y < h; ++y, ++k) {
            const int x0 = k, x1 = w - 1 - k;
            if (x0 > x1) break;
            c.HLine(x0, x1, y, pc.bottom);
            c.Pixel(x0, y, pc.border);
            c.Pixel(x1, y, pc.border);
        }
    }
    c.HLine(3, w - 4, body / 2 - 2, pc.border);
    c.HLine(3, w - 4, body / 2, pc.border);
    c.HLine(3, w - 4, body / 2 + 2, pc.border);
    return cell;
}

// Track-bar thumbs, 5 cells: normal, normal (the one the painter draws), pressed, hot, disabled.
PixelImage TrackThumbs(const Palette& p, bool pointed, const std::function<void(PixelImage&)>& turn) {
    const Look looks[5] = {Look::Normal, Look::Normal, Look::Pressed, Look::Hot, Look::Disabled};
    std::vector<PixelImage> cells;
    for (Look l : looks) {
        PixelImage cell = ThumbCell(p, l, pointed, 11, 20);
        if (turn) turn(cell);
        cells.push_back(std::move(cell));
    }
    return Assemble(cells);
}

// Track-bar channel, one cell.
PixelImage TrackChannel(const Palette& p, bool horizontal) {
    const int w = horizontal ? 16 : 5, h = horizontal ? 5 : 16;
    PixelImage img = Strip(w, h, 1, p.window);
    const Cell c = CellOf(img, 0, 1);
    c.Frame(0, 0, w, h, p.border);
    if (horizontal) c.HLine(1, w - 2, 1, p.borderSoft);
    else c.VLine(1, 1, h - 2, p.borderSoft);
    for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}}) c.Pixel(x, y, p.face);
    return img;
}

// Up-down plates, 8 cells: first button (normal, pressed, disabled, hot), then the second.
PixelImage UpDownPlates(const Palette& p, int w, int h) {
    PixelImage img = Strip(w, h, 8);
    const Look looks[4] = {Look::Normal, Look::Pressed, Look::Disabled, Look::Hot};
    for (int i = 0; i < 8; ++i) {
        const PlateColours c = PlateFor(p, looks[i % 4]);
        CellOf(img, i, 8).Plate(0, 0, w, h, c.top, c.bottom, c.border, kMagenta);
    }
    return img;
}

// Up-down arrow glyphs, 8 cells matching the plates.
PixelImage UpDownGlyphs(const Palette& p, int w, int h, char first, char second) {
    PixelImage img = Strip(w, h, 8);
    const Look looks[4] = {Look::Normal, Look::Pressed, Look::Disabled, Look::Hot};
    for (int i = 0; i < 8; ++i) CellOf(img, i, 8).Arrow(w / 2, h / 2, 3, i < 4 ? first : second, GlyphFor(p, looks[i % 4]));
    return img;
}

// Menu item plates, 5 cells: normal, separator, (unused), selected, (unused: disabled selected).
PixelImage MenuItem(const Palette& p) {
    PixelImage img = Strip(24, 20, 5, p.window);
    CellOf(img, 1, 5).HLine(2, 21, 15, p.borderSoft);
    CellOf(img, 3, 5).Plate(0, 0, 24, 20, p.accentPale, p.accentPale, Mix(p.accentPale, p.accent, 110), p.window);
    CellOf(img, 4, 5).Plate(0, 0, 24, 20, p.face, p.face, p.borderSoft, p.window);
    return img;
}

PixelImage MenuBackground(const Palette& p) {
    PixelImage img = Strip(24, 24, 1, p.window);
    CellOf(img, 0, 1).Frame(0, 0, 24, 24, p.border);
    return img;
}

// Menu bar, 2 cells stacked: active window, inactive window.
PixelImage MenuBar(const Palette& p) {
    PixelImage img = SolidImage(40, 40, 0);
    const Cell active = StackedCellOf(img, 0, 2);
    active.VGradient(0, 0, 40, 19, p.face, p.face);
    active.HLine(0, 39, 19, p.borderSoft);
    const Cell idle = StackedCellOf(img, 1, 2);
    idle.FillAll(p.face);
    idle.HLine(0, 39, 19, p.borderSoft);
    return img;
}

constexpr int kCaptionHeight = 30;

TColor CaptionRow(const Palette& p, bool active, int y) {
    const TColor top = active ? p.captionTop : p.captionIdleTop;
    const TColor bottom = active ? p.captionBottom : p.captionIdleBottom;
    return Mix(top, bottom, y * 256 / (kCaptionHeight - 1));
}

// Caption bar, 2 cells stacked (active, inactive), its ends fixed 10 pixels wide.
PixelImage FrameTop(const Palette& p) {
    PixelImage img = SolidImage(120, kCaptionHeight * 2, 0);
    for (int i = 0; i < 2; ++i) {
        const bool active = i == 0;
        const Cell c = StackedCellOf(img, i, 2);
        for (int y = 0; y < kCaptionHeight; ++y) c.HLine(0, 119, y, CaptionRow(p, active, y));
        c.HLine(0, 119, 0, active ? p.frameActive : p.frameIdle);
        c.HLine(0, 119, 1, Mix(CaptionRow(p, active, 1), p.window, 140));
        c.HLine(0, 119, kCaptionHeight - 1, active ? Mix(p.frameActive, p.face, 140) : p.borderSoft);
    }
    return img;
}

// Side borders, 2 cells side by side (active, inactive), 4 x 56: the caption
// part (fixed, top 30 rows) with the rounded corner, a stretched middle and a
// fixed 4-row foot. `left` picks which side the outer edge is on.
PixelImage FrameSide(const Palette& p, bool left) {
    const int h = kCaptionHeight + 22 + 4;
    PixelImage img = SolidImage(8, h, 0);
    for (int i = 0; i < 2; ++i) {
        const bool active = i == 0;
        const TColor edge = active ? p.frameActive : p.frameIdle;
        const Cell c = CellOf(img, i, 2);
        for (int y = 0; y < kCaptionHeight; ++y) c.HLine(0, 3, y, CaptionRow(p, active, y));
        c.HLine(0, 3, 1, Mix(CaptionRow(p, active, 1), p.window, 140));
        c.HLine(0, 3, kCaptionHeight - 1, active ? Mix(p.frameActive, p.face, 140) : p.borderSoft);
        c.Fill(0, kCaptionHeight, 4, h, p.face);
        c.HLine(0, 3, 0, edge);
        c.VLine(0, 0, h - 1, edge);
        c.HLine(0, 3, h - 1, edge);
        c.VLine(3, kCaptionHeight, h - 2, Mix(p.face, p.border, 90));  // client edge
        // Rounded top corner: two transparent pixels and a one-pixel bevel.
        c.Pixel(0, 0, kMagenta);
        c.Pixel(1, 0, kMagenta);
        c.Pixel(0, 1, kMagenta);
        c.Pixel(1, 1, edge);
        c.Pixel(2, 1, Mix(CaptionRow(p, active, 1), p.window, 140));
    }
    if (!left) SpiegelnHorizontal(img);  // mirrors each cell in place and swaps the two...
    if (!left) {
        // ...so swap them back: active first.
        PixelImage swapped = SolidImage(img.width, img.height, 0);
        for (int y = 0; y < img.height; ++y)
            for (int x = 0; x < 4; ++x) {
                swapped.SetColor(x, y, img.Color(x + 4, y));
                swapped.SetColor(x + 4, y, img.Color(x, y));
            }
        img = std::move(swapped);
    }
    return img;
}

// Bottom border, 2 cells stacked (active, inactive), 4 rows each.
PixelImage FrameBottom(const Palette& p) {
    PixelImage img = SolidImage(120, 8, 0);
    for (int i = 0; i < 2; ++i) {
        const Cell c = StackedCellOf(img, i, 2);
        c.FillAll(p.face);
        c.HLine(0, 119, 0, Mix(p.face, p.border, 90));
        c.HLine(0, 119, 3, i == 0 ? p.frameActive : p.frameIdle);
    }
    return img;
}

enum class CaptionGlyph { Close, Maximize, Restore, Minimize };

// `under` is the colour behind the glyph, used to hide the back box of the restore glyph.
void DrawCaptionGlyph(const Cell& c, CaptionGlyph g, int cx, int cy, TColor colour, TColor under) {
    switch (g) {
    case CaptionGlyph::Close: c.Cross(cx - 1, cy, 3, colour); break;
    case CaptionGlyph::Maximize:
        c.Frame(cx - 4, cy - 4, cx + 5, cy + 4, colour);
        c.HLine(cx - 4, cx + 4, cy - 3, colour);
        break;
    case CaptionGlyph::Restore:
        c.Frame(cx - 2, cy - 5, cx + 5, cy + 1, colour);
        c.Fill(cx - 5, cy - 2, cx + 2, cy + 4, under);
        c.Frame(cx - 5, cy - 2, cx + 2, cy + 4, colour);
        c.HLine(cx - 5, cx + 1, cy - 1, colour);
        break;
    case CaptionGlyph::Minimize: c.Fill(cx - 4, cy + 2, cx + 4, cy + 4, colour); break;
    }
}

// Caption buttons, 4 cells: normal, pressed, hot, inactive/disabled.
PixelImage CaptionButton(const Palette& p, CaptionGlyph g, int w, int h) {
    PixelImage img = Strip(w, h, 4);
    const bool close = g == CaptionGlyph::Close;
    for (int i = 0; i < 4; ++i) {
        const Cell c = CellOf(img, i, 4);
        TColor glyph = p.captionGlyph;
        if (i == 1) {
            if (close) c.Plate(0, 0, w, h, Mix(p.closeHot, Rgb(0, 0, 0), 40), p.closeHot, Mix(p.closeHot, Rgb(0, 0, 0), 70), kMagenta);
            else c.Plate(0, 0, w, h, p.pressedTop, p.pressedBottom, p.accentDark, kMagenta);
        } else if (i == 2) {
            if (close) c.Plate(0, 0, w, h, Mix(p.closeHot, p.window, 60), p.closeHot, Mix(p.closeHot, Rgb(0, 0, 0), 50), kMagenta);
            else c.Plate(0, 0, w, h, p.hotTop, p.hotBottom, p.accent, kMagenta);
        } else if (i == 3) {
            glyph = p.glyphDisabled;
        }
        if (close && (i == 1 || i == 2)) glyph = Rgb(255, 255, 255);
        DrawCaptionGlyph(c, g, w / 2, h / 2, glyph, img.Color(c.ox + w / 2, c.oy + h / 2));
    }
    return img;
}

// The system-icon button: one cell the size of a small icon (the window's own
// icon is drawn over it).
PixelImage SystemIcon(const Palette& p) {
    PixelImage img = Strip(16, 16, 1);
    const Cell c = CellOf(img, 0, 1);
    c.Plate(0, 0, 16, 16, Mix(p.accent, p.window, 60), p.accent, p.accentDark, kMagenta);
    c.Ring(8, 8.5, 4.5, Rgb(255, 255, 255));
    c.Fill(7, 2, 9, 8, Rgb(255, 255, 255));
    return img;
}

// MDI child buttons in a menu bar: 12 cells, minimize, restore, close, 4 looks each.
PixelImage MdiControls(const Palette& p) {
    std::vector<PixelImage> cells;
    for (CaptionGlyph g : {CaptionGlyph::Minimize, CaptionGlyph::Restore, CaptionGlyph::Close}) {
        PixelImage strip = CaptionButton(p, g, 16, 14);
        for (int i = 0; i < 4; ++i) {
            PixelImage cell = SolidImage(16, 14, 0);
            for (int y = 0; y < 14; ++y)
                for (int x = 0; x < 16; ++x) cell.SetColor(x, y, strip.Color(i * 16 + x, y));
            cells.push_back(std::move(cell));
        }
    }
    return Assemble(cells);
}

} // namespace

std::vector<GeneratedBitmap> DrawSkinBitmaps(const Palette& p) {
    std::vector<GeneratedBitmap> out;
    auto add = [&](const char* name, PixelImage img) { out.push_back({name, std::move(img)}); };
    add("buttons.bmp", Buttons(p));
    add("checkbox.bmp", CheckBoxes(p));
    add("radiobutton.bmp", RadioButtons(p));
    add("progress.bmp", Progress(p));
    add("progresschunk.bmp", ProgressChunk(p));
    add("tabs.bmp", Tabs(p));
    add("tabborder.bmp", PageBorder(p, 20));
    add("tabpane.bmp", PageBorder(p, 16));
    add("combobutton.bmp", ComboButton(p));
    add("sunkedge.bmp", SunkEdge(p));
    add("extraimages.bmp", ExtraImages(p));
    add("statusbar.bmp", StatusBar(p));
    add("headerbar.bmp", Header(p));
    add("groupboxedge.bmp", GroupEdge(p));
    add("groupbox.bmp", GroupLabel(p));
    add("toolbars.bmp", ToolButtons(p));
    add("scrollbararrow.bmp", ScrollArrows(p));
    add("horzscroll.bmp", ScrollTrack(p, true));
    add("vertscroll.bmp", ScrollTrack(p, false));
    add("horzscrollthumb.bmp", ScrollThumb(p, true));
    add("vertscrollthumb.bmp", ScrollThumb(p, false));
    add("trackthumbhorz.bmp", TrackThumbs(p, false, nullptr));
    add("trackthumbvert.bmp", TrackThumbs(p, false, [](PixelImage& c) { Drehen270Grad(c); }));
    add("trackthumbdown.bmp", TrackThumbs(p, true, nullptr));
    add("trackthumbup.bmp", TrackThumbs(p, true, [](PixelImage& c) { SpiegelnVertikal(c); }));
    add("trackthumbright.bmp", TrackThumbs(p, true, [](PixelImage& c) { Drehen270Grad(c); }));
    add("trackthumbleft.bmp", TrackThumbs(p, true, [](PixelImage& c) {
            Drehen270Grad(c);
            SpiegelnHorizontal(c);
        }));
    add("track.bmp", TrackChannel(p, true));
    add("trackvert.bmp", TrackChannel(p, false));
    add("updownhorz.bmp", UpDownPlates(p, 14, 16));
    add("updownhorzglyph.bmp", UpDownGlyphs(p, 14, 16, 'l', 'r'));
    add("updownvert.bmp", UpDownPlates(p, 16, 10));
    add("updownvertglyph.bmp", UpDownGlyphs(p, 16, 10, 'u', 'd'));
    add("menuitem.bmp", MenuItem(p));
    add("menubackground.bmp", MenuBackground(p));
    add("menubar.bmp", MenuBar(p));
    add("frametop.bmp", FrameTop(p));
    add("frameleft.bmp", FrameSide(p, true));
    add("frameright.bmp", FrameSide(p, false));
    add("framebottom.bmp", FrameBottom(p));
    add("closebutton.bmp", CaptionButton(p, CaptionGlyph::Close, 22, 18));
    add("maxbutton.bmp", CaptionButton(p, CaptionGlyph::Maximize, 22, 18));
    add("restorebutton.bmp", CaptionButton(p, CaptionGlyph::Restore, 22, 18));
    add("minbutton.bmp", CaptionButton(p, CaptionGlyph::Minimize, 22, 18));
    add("sysicon.bmp", SystemIcon(p));
    add("mdicontrols.bmp", MdiControls(p));
    return out;
}

} // namespace skingen
