#include "Preview.h"

#include <algorithm>
#include <string>

#include "Raster.h"
#include "SkinCells.h"
#include "TinyFont.h"
#include "toolkit/core/BmpCodec.h"

namespace skinview {

using relayon::skin::SolidImage;
using relayon::skin::TQuickIni;
using relayon::skin::TSkinReader;

namespace {

constexpr TColor kMagenta = 0xFF00FF;
constexpr int kWidth = 765;
constexpr int kHeight = 653;

struct Margins {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct Rect {
    int x, y, w, h;
};

class Composer {
public:
    Composer(const TSkinReader& reader, const TQuickIni& ini) : reader_(reader), ini_(ini) {
        face_ = Colour("ButtonFace", 0xC8D0D4);
        text_ = Colour("ButtonText", 0);
        out_ = SolidImage(kWidth, kHeight, face_);
    }

    PixelImage& Out() { return out_; }
    TColor Face() const { return face_; }
    TColor Text() const { return text_; }

    TColor Colour(const char* key, TColor fallback) const {
        const std::string v = ini_.ReadString("Colours", key, "");
        if (v.empty()) return fallback;
        int parts[3] = {0, 0, 0}, n = 0, value = 0;
        bool run = false;
        for (char c : v + " ") {
            if (c >= '0' && c <= '9') {
                value = value * 10 + (c - '0');
                run = true;
            } else if (run) {
                if (n < 3) parts[n++] = value & 0xFF;
                value = 0;
                run = false;
            }
        }
        return parts[0] | (parts[1] << 8) | (parts[2] << 16);
    }

    PixelImage Image(const char* section, const char* key) const {
        const std::string entry = EntryNameForImage(ini_.ReadString(section, key, ""));
        if (entry.empty()) return {};
        std::vector<uint8_t> bytes;
        reader_.readfile(entry, bytes);
        try {
            return DecodeBmpFile(bytes).image;
        } catch (const EInvalidGraphic&) {
            return {};  // the sheet lists unreadable images; the mock leaves them out
        }
    }

    Margins MarginsOf(const char* section) const {
        return {ini_.ReadInteger(section, "LeftWidth", 0), ini_.ReadInteger(section, "TopHeight", 0),
                ini_.ReadInteger(section, "RightWidth", 0), ini_.ReadInteger(section, "BottomHeight", 0)};
    }
    int Int(const char* section, const char* key, int fallback) const { return ini_.ReadInteger(section, key, fallback); }

    // Frame `index` (1-based) of `count`.
    static PixelImage Cell(const PixelImage& src, int index, int count, bool stacked = false) {
        if (src.Empty() || count <= 0) return {};
        const int w = stacked ? src.width : src.width / count;
        const int h = stacked ? src.height / count : src.height;
        PixelImage cell = SolidImage(w, h, 0);
        const int ox = stacked ? 0 : (index - 1) * w, oy = stacked ? (index - 1) * h : 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) Plot(cell, x, y, ColorAt(src, ox + x, oy + y));
        return cell;
    }

    void Put(int x, int y, TColor c, bool transparent) {
        if (transparent && c == kMagenta) return;
        Plot(out_, x, y, c);
    }

    // Nine pieces: corners keep their size, edges and centre stretch.
    void NineSlice(const Rect& r, const PixelImage& cell, Margins m, bool transparent) {
        if (cell.Empty() || r.w <= 0 || r.h <= 0) return;
        if (r.w < m.left + m.right) m.left = m.right = 0;
        if (r.h < m.top + m.bottom) m.top = m.bottom = 0;
        auto mapAxis = [](int d, int dSize, int lo, int hi, int sSize) {
            if (d < lo) return d;
            if (d >= dSize - hi) return sSize - (dSize - d);
            const int midD = dSize - lo - hi, midS = sSize - lo - hi;
            if (midS <= 0) return std::clamp(lo, 0, sSize - 1);
            return lo + (d - lo) * midS / std::max(midD, 1);
        };
        for (int y = 0; y < r.h; ++y)
            for (int x = 0; x < r.w; ++x) {
                const int sx = mapAxis(x, r.w, m.left, m.right, cell.width);
                const int sy = mapAxis(y, r.h, m.top, m.bottom, cell.height);
                Put(r.x + x, r.y + y, ColorAt(cell, sx, sy), transparent);
            }
    }

    void Blit(int x, int y, const PixelImage& cell, bool transparent = true) {
        for (int j = 0; j < cell.height; ++j)
            for (int i = 0; i < cell.width; ++i) Put(x + i, y + j, ColorAt(cell, i, j), transparent);
    }

    void Centred(const Rect& r, const PixelImage& cell) {
        Blit(r.x + (r.w - cell.width) / 2, r.y + (r.h - cell.height) / 2, cell);
    }

    void Text(int x, int y, const std::string& s, TColor c) { DrawText(out_, x, y, s, c); }
    void TextCentred(const Rect& r, const std::string& s, TColor c) {
        DrawText(out_, r.x + (r.w - TextWidth(s)) / 2, r.y + (r.h - kGlyphHeight) / 2, s, c);
    }

    void Fill(const Rect& r, TColor c) {
        for (int y = r.y; y < r.y + r.h; ++y)
            for (int x = r.x; x < r.x + r.w; ++x) Plot(out_, x, y, c);
    }

private:
    const TSkinReader& reader_;
    const TQuickIni& ini_;
    PixelImage out_;
    TColor face_ = 0, text_ = 0;
};

void DrawFrame(Composer& c, int& bl, int& bt, int& br, int& bb) {
    const PixelImage left = c.Image("Personality", "Left"), right = c.Image("Personality", "Right");
    const PixelImage top = c.Image("Personality", "Top"), bottom = c.Image("Personality", "Bottom");
    const int lf = c.Int("Personality", "LeftFrame", 1), rf = c.Int("Personality", "RightFrame", 1);
    const int tf = c.Int("Personality", "TopFrame", 1), bf = c.Int("Personality", "BottomFrame", 1);
    bl = left.Empty() ? 0 : left.width / lf;
    br = right.Empty() ? 0 : right.width / rf;
    bt = top.Empty() ? 0 : top.height / tf;
    bb = bottom.Empty() ? 0 : bottom.height / bf;
    c.NineSlice({0, 0, bl, kHeight}, Composer::Cell(left, 1, lf),
                {0, c.Int("Personality", "LeftTopHeight", 0), 0, c.Int("Personality", "LeftBotHeight", 0)}, true);
    c.NineSlice({kWidth - br, 0, br, kHeight}, Composer::Cell(right, 1, rf),
                {0, c.Int("Personality", "RightTopHeight", 0), 0, c.Int("Personality", "RightBotHeight", 0)}, true);
    c.NineSlice({bl, kHeight - bb, kWidth - bl - br, bb}, Composer::Cell(bottom, 1, bf, true),
                {c.Int("Personality", "BottomTopHeight", 0), 0, c.Int("Personality", "BottomBotHeight", 0), 0}, true);
    c.NineSlice({bl, 0, kWidth - bl - br, bt}, Composer::Cell(top, 1, tf, true),
                {c.Int("Personality", "TopTopHeight", 0), 0, c.Int("Personality", "TopBotHeight", 0), 0}, true);
    const int r = c.Int("Personality", "ActiveTextR", 0), g = c.Int("Personality", "ActiveTextG", 0),
              b = c.Int("Personality", "ActiveTextB", 0);
    c.Text(c.Int("Personality", "TextShift", 0), (bt - kGlyphHeight) / 2, "Relayon power sequencer console",
           r | (g << 8) | (b << 16));
    // Caption buttons, frame 1, placed by Align 0 / 1.
    for (const char* section : {"Button0", "Button1", "Button3", "Button4"}) {
        const PixelImage img = c.Image(section, "ButtonImage");
        const int frames = std::max(c.Int(section, "frame", 1), 1);
        if (img.Empty()) continue;
        const PixelImage cell = Composer::Cell(img, 1, frames);
        const int x = c.Int(section, "Align", 0) == 1 ? kWidth - c.Int(section, "Xcoord", 0) : c.Int(section, "Xcoord", 0);
        c.Blit(x, c.Int(section, "Ycoord", 0), cell);
    }
}

void DrawButtons(Composer& c, int x, int y) {
    const PixelImage img = c.Image("Buttons", "Bitmap");
    const Margins m = c.MarginsOf("Buttons");
    const char* captions[5] = {"Open port", "Pressed", "Disabled", "Hot", "Default"};
    for (int i = 0; i < 5; ++i) {
        const Rect r{x + i * 96, y, 88, 25};
        c.NineSlice(r, Composer::Cell(img, i + 1, 5), m, true);
        c.TextCentred(r, captions[i], i == 2 ? c.Colour("ButtonShadow", 0x808080) : c.Text());
    }
}

void DrawChecks(Composer& c, int x, int y) {
    const PixelImage check = c.Image("Buttons", "CheckButton"), radio = c.Image("Buttons", "RadioButton");
    const int cf = std::max(c.Int("Buttons", "CheckButtonFrame", 4), 1), rf = std::max(c.Int("Buttons", "RadioButtonFrame", 4), 1);
    const int checkFrames[4] = {1, 5, 9, 8};
    const char* checkText[4] = {"CH1", "CH2 on", "Mixed", "Locked"};
    for (int i = 0; i < 4; ++i) {
        c.Blit(x + i * 90, y, Composer::Cell(check, checkFrames[i], cf));
        c.Text(x + i * 90 + 18, y + 3, checkText[i], i == 3 ? c.Colour("ButtonShadow", 0x808080) : c.Text());
    }
    const int radioFrames[4] = {1, 5, 2, 4};
    const char* radioText[4] = {"Serial", "TCP", "Hot", "Off"};
    for (int i = 0; i < 4; ++i) {
        c.Blit(x + i * 90, y + 24, Composer::Cell(radio, radioFrames[i], rf));
        c.Text(x + i * 90 + 18, y + 27, radioText[i], i == 3 ? c.Colour("ButtonShadow", 0x808080) : c.Text());
    }
}

void DrawCombo(Composer& c, int x, int y, int w, const std::string& text) {
    const Rect r{x, y, w, 21};
    c.NineSlice(r, Composer::Cell(c.Image("SunkEdge", "Image"), 1, 4), c.MarginsOf("SunkEdge"), false);
    const Rect button{x + w - 19, y + 1, 18, 19};
    c.NineSlice(button, Composer::Cell(c.Image("ComboButton", "Image"), 1, 4), c.MarginsOf("ComboButton"), true);
    c.Centred(button, Composer::Cell(c.Image("ExtraImages", "Image"), 1, 5));
    c.Text(x + 5, y + 7, text, c.Colour("WindowText", 0));
}

void DrawEditWithSpin(Composer& c, int x, int y) {
    c.NineSlice({x, y, 60, 21}, Composer::Cell(c.Image("SunkEdge", "Image"), 1, 4), c.MarginsOf("SunkEdge"), false);
    c.Text(x + 5, y + 7, "0.5", c.Colour("WindowText", 0));
    const PixelImage plates = c.Image("UpDown.Vert", "Image"), glyphs = c.Image("UpDown.Vert", "GlyphImage");
    const Rect up{x + 61, y, 16, 10}, down{x + 61, y + 11, 16, 10};
    c.NineSlice(up, Composer::Cell(plates, 1, 8), c.MarginsOf("UpDown.Vert"), true);
    c.Centred(up, Composer::Cell(glyphs, 1, 8));
    c.NineSlice(down, Composer::Cell(plates, 6, 8), c.MarginsOf("UpDown.Vert"), true);
    c.Centred(down, Composer::Cell(glyphs, 6, 8));
}

void DrawProgress(Composer& c, int x, int y, int w, int percent) {
    const PixelImage img = c.Image("Progress", "Bitmap");
    const Margins m = c.MarginsOf("Progress");
    c.NineSlice({x, y, w, 16}, Composer::Cell(img, 1, 2), m, true);
    c.NineSlice({x, y, w * percent / 100, 16}, Composer::Cell(img, 2, 2), m, true);
}

void DrawTrackBar(Composer& c, int x, int y, int w) {
    const PixelImage channel = c.Image("Track", "Image");
    if (!channel.Empty()) c.NineSlice({x, y + 8, w, channel.height}, channel, c.MarginsOf("Track"), false);
    const PixelImage thumb = Composer::Cell(c.Image("Trackbar.ThumbDown", "Image"), 2, 5);
    c.Blit(x + w * 2 / 3, y, thumb);
}

void DrawHScroll(Composer& c, int x, int y, int w) {
    const PixelImage arrows = c.Image("Scrollbar", "Image");
    const int s = arrows.height;
    c.NineSlice({x + s, y, w - 2 * s, s}, Composer::Cell(c.Image("HorzScroll", "Image"), 1, 4), c.MarginsOf("HorzScroll"), false);
    c.Blit(x, y, Composer::Cell(arrows, 1, 23), false);
    c.Blit(x + w - s, y, Composer::Cell(arrows, 5, 23), false);
    const Rect thumb{x + s + 30, y, 60, s};
    c.NineSlice(thumb, Composer::Cell(c.Image("HorzScrollThumb", "Image"), 1, 3), c.MarginsOf("HorzScrollThumb"), true);
    c.Centred(thumb, Composer::Cell(arrows, 17, 23));
}

void DrawVScroll(Composer& c, int x, int y, int h) {
    const PixelImage arrows = c.Image("Scrollbar", "Image");
    const int s = arrows.height;
    c.NineSlice({x, y + s, s, h - 2 * s}, Composer::Cell(c.Image("VertScroll", "Image"), 1, 4), c.MarginsOf("VertScroll"), false);
    c.Blit(x, y, Composer::Cell(arrows, 12, 23), false);  // hot
    c.Blit(x, y + h - s, Composer::Cell(arrows, 13, 23), false);
    const Rect thumb{x, y + s + 10, s, 40};
    c.NineSlice(thumb, Composer::Cell(c.Image("VertScrollThumb", "Image"), 3, 3), c.MarginsOf("VertScrollThumb"), true);
    c.Centred(thumb, Composer::Cell(arrows, 22, 23));
}

void DrawListWithHeader(Composer& c, int x, int y, int w, int h) {
    c.Fill({x, y, w, h}, c.Colour("Menu", 0xFFFFFF));
    c.NineSlice({x, y, w, h}, Composer::Cell(c.Image("SunkEdge", "Image"), 1, 4), c.MarginsOf("SunkEdge"), false);
    const PixelImage header = c.Image("Headerbar", "Image");
    const char* columns[3] = {"Weekday", "On", "Off"};
    const int widths[3] = {90, 70, w - 2 - 17 - 160};
    int hx = x + 1;
    for (int i = 0; i < 3; ++i) {
        const Rect r{hx, y + 1, widths[i], 22};
        c.NineSlice(r, Composer::Cell(header, i == 1 ? 2 : 1, 5), c.MarginsOf("Headerbar"), false);
        c.Text(r.x + 6, r.y + 8, columns[i], c.Text());
        hx += widths[i];
    }
    const char* rows[4] = {"Monday     08:00   18:30", "Tuesday    08:00   18:30", "Wednesday  07:45   19:00",
                           "Thursday   08:00   18:30"};
    for (int i = 0; i < 4; ++i) {
        const Rect row{x + 2, y + 26 + i * 16, w - 4 - 17, 16};
        if (i == 1) c.Fill(row, c.Colour("Hilight", 0x800000));
        c.Text(row.x + 5, row.y + 5, rows[i], i == 1 ? c.Colour("HilightText", 0xFFFFFF) : c.Colour("WindowText", 0));
    }
    DrawVScroll(c, x + w - 1 - 17, y + 23, h - 24);
}

void DrawMenu(Composer& c, int x, int y) {
    const Rect r{x, y, 150, 4 + 20 * 3 + 9};
    c.NineSlice(r, c.Image("MenuBackground", "Image"), c.MarginsOf("MenuBackground"), false);
    const PixelImage items = c.Image("MenuItem", "Image");
    const Margins m = c.MarginsOf("MenuItem");
    const char* captions[4] = {"Open skin...", "Light skin", "-", "Exit"};
    int iy = y + 2;
    for (int i = 0; i < 4; ++i) {
        const bool separator = captions[i][0] == '-';
        const int h = separator ? 9 : 20;
        const Rect ir{x + 2, iy, r.w - 4, h};
        if (separator) {
            const PixelImage sep = Composer::Cell(items, 2, 5);
            PixelImage bottomRows = SolidImage(sep.width, h, 0);
            for (int yy = 0; yy < h; ++yy)
                for (int xx = 0; xx < sep.width; ++xx) Plot(bottomRows, xx, yy, ColorAt(sep, xx, sep.height - h + yy));
            c.NineSlice(ir, bottomRows, {m.left, 0, m.right, 0}, true);
        } else {
            c.NineSlice(ir, Composer::Cell(items, i == 1 ? 4 : 1, 5), m, true);
            c.Text(ir.x + 24, ir.y + 7, captions[i], c.Colour("MenuText", 0));
        }
        iy += h;
    }
}

void DrawGroup(Composer& c, const Rect& r, const std::string& caption) {
    c.NineSlice({r.x, r.y + 6, r.w, r.h - 6}, Composer::Cell(c.Image("GroupBoxEdge", "Image"), 1, 2), c.MarginsOf("GroupBoxEdge"), true);
    const Rect label{r.x + 8, r.y, TextWidth(caption) + 12, 14};
    c.NineSlice(label, c.Image("GroupBox", "Image"), c.MarginsOf("GroupBox"), true);
    c.Text(label.x + 6, label.y + 4, caption, c.Text());
}

} // namespace

PixelImage RenderPreview(const TSkinReader& reader, const TQuickIni& ini) {
    Composer c(reader, ini);
    int bl = 0, bt = 0, br = 0, bb = 0;
    DrawFrame(c, bl, bt, br, bb);
    const int cx = bl, cy = bt, cw = kWidth - bl - br, ch = kHeight - bt - bb;

    // Status bar.
    const PixelImage status = c.Image("StatusBarEdges", "Image");
    const Rect bar{cx, cy + ch - 22, cw, 22};
    c.NineSlice({bar.x, bar.y, 260, bar.h}, Composer::Cell(status, 1, 3), c.MarginsOf("StatusBarEdges"), false);
    c.NineSlice({bar.x + 260, bar.y, bar.w - 260, bar.h}, Composer::Cell(status, 1, 3), c.MarginsOf("StatusBarEdges"), false);
    c.Text(bar.x + 6, bar.y + 9, "COM1 open, 9600 baud", c.Text());
    c.Text(bar.x + 266, bar.y + 9, "Status:Data sent successfully", c.Text());
    c.Blit(bar.x + bar.w - 13, bar.y + bar.h - 13, Composer::Cell(c.Image("ExtraImages", "Image"), 5, 5));

    // Tabs and page.
    const PixelImage tabs = c.Image("Tabs", "Image");
    const Margins tm = c.MarginsOf("Tabs");
    const char* names[4] = {"Port setup", "Device setup", "Real-time control", "Timer tasks"};
    int tx = cx + 6;
    const int stripTop = cy + 6, stripH = 24;
    const Rect page{cx + 6, stripTop + stripH, cw - 12, ch - 22 - 12 - stripH};
    c.NineSlice(page, c.Image("Tabs", "Border"), {4, 5, 4, 4}, false);
    for (int i = 0; i < 4; ++i) {
        const int w = TextWidth(names[i]) + 24;
        const bool selected = i == 1;
        const Rect r{tx, stripTop + (selected ? 0 : 0), w, stripH + (selected ? 1 : 0)};
        c.NineSlice(r, Composer::Cell(tabs, selected ? 2 : (i == 3 ? 4 : 1), 5), tm, true);
        c.TextCentred({r.x, r.y + 1, r.w, stripH}, names[i], c.Text());
        tx += w - 1;
    }

    // Page content.
    const int px = page.x + 14, py = page.y + 14;
    DrawGroup(c, {px, py, 500, 118}, "Controls");
    DrawButtons(c, px + 12, py + 22);
    DrawChecks(c, px + 12, py + 58);
    DrawGroup(c, {px, py + 130, 500, 110}, "Device");
    c.Text(px + 12, py + 158, "Port", c.Text());
    DrawCombo(c, px + 60, py + 151, 120, "COM1");
    c.Text(px + 200, py + 158, "Delay", c.Text());
    DrawEditWithSpin(c, px + 248, py + 151);
    c.Text(px + 12, py + 188, "Sending", c.Text());
    DrawProgress(c, px + 60, py + 184, 260, 62);
    c.Text(px + 12, py + 214, "Level", c.Text());
    DrawTrackBar(c, px + 60, py + 206, 200);
    DrawHScroll(c, px + 280, py + 210, 200);
    DrawListWithHeader(c, px, py + 256, 330, 120);
    DrawMenu(c, px + 360, py + 256);
    return std::move(c.Out());
}

} // namespace skinview
