#include "SkinDescription.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "skin/data/Skinread.h"
#include "skin/paint/core/PixelDraw.h"
#include "toolkit/core/BmpCodec.h"

namespace relayon::skin {

namespace {

using paint::SliceBox;
using paint::SliceMargins;

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

SliceMargins MarginsOf(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

// One description being read: the store, the environment and the running
// list of image uses.
class Loader {
public:
    Loader(const TQuickIni& ini, const SkinLoadEnvironment& env, std::vector<SkinImageUse>* uses)
        : ini_(ini), env_(env), uses_(uses) {}

    SkinDescription Run();

private:
    int Int(std::string_view section, std::string_view key, int def) const { return ini_.ReadInteger(section, key, def); }
    std::string Str(std::string_view section, std::string_view key) const { return ini_.ReadString(section, key, ""); }
    TColor ColourText(std::string_view section, std::string_view key, TColor def) const {
        const std::string text = Str(section, key);
        return text.empty() ? def : strcolor(text);
    }
    PixelImage Image(const std::string& owner, std::string_view section, std::string_view key) {
        const std::string value = Str(section, key);
        if (value.empty()) return {};
        std::string problem;
        PixelImage image = Readbmp(env_, value, &problem);
        if (uses_) uses_->push_back({owner, value, problem});
        return image;
    }
    void Problem(const std::string& owner, const std::string& what) {
        if (!uses_) return;
        for (auto it = uses_->rbegin(); it != uses_->rend(); ++it)
            if (it->owner == owner && it->problem.empty()) {
                it->problem = what;
                return;
            }
        uses_->push_back({owner, "", what});
    }

    void ReadBord();
    void ReadColor();
    void ReadSysButton();
    void ReadButton();
    void ReadTitle();
    void ReadMenuBar();
    OptionalElement ReadObject(const char* owner, std::string_view section, SkinElementKind kind = SkinElementKind::Object,
                               bool readFrame = true);
    OptionalElement ReadObject2(const char* owner, std::string_view section, std::string_view maskKey);
    OptionalElement ReadBoxLabel(const char* owner, std::string_view section);
    OptionalElement ReadProgress(const char* owner, std::string_view section);
    SkinElement ReadTrack(const std::string& name) const;
    void SetFrame();
    void DropUnusable();
    void ReBuildCombobox();
    void ReBuildComboxArrow();
    void RebuildToolbar();

    const TQuickIni& ini_;
    const SkinLoadEnvironment& env_;
    std::vector<SkinImageUse>* uses_;
    SkinDescription d_;
    std::vector<std::string> sections_;
};

// Box `s` of `src` onto an equal box of `dst` at (dx, dy), opaque: the same
// pixels StretchPixels gives for boxes of one size. Whole 24-bit rows within
// both images are copied as bytes; anything else takes the general path.
void CopyBox(const PixelImage& src, SliceBox s, PixelImage& dst, int dx, int dy) {
    const bool rows = src.layout == PixelLayout::Bgr24 && dst.layout == PixelLayout::Bgr24 && s.w > 0 && s.h > 0 &&
                      s.x >= 0 && s.y >= 0 && s.x + s.w <= src.width && s.y + s.h <= src.height && dx >= 0 &&
                      dy >= 0 && dx + s.w <= dst.width && dy + s.h <= dst.height;
    if (!rows) {
        paint::StretchPixels(src, s, dst, {dx, dy, s.w, s.h}, false);
        return;
    }
    for (int y = 0; y < s.h; ++y)
        std::memcpy(dst.Row(dy + y) + 3 * size_t(dx), src.Row(s.y + y) + 3 * size_t(s.x), 3 * size_t(s.w));
}

// Too small for its cells: fewer pixels along the cell direction than cells.
bool TooSmall(const PixelImage& img, int frame, bool stacked) {
    if (img.Empty()) return true;
    return frame > 0 && (stacked ? img.height : img.width) < frame;
}

}  // namespace

TColor strcolor(std::string_view text) {
    if (text.empty()) return 0;
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    int parts[3] = {0, 0, 0};
    int stored = 0;
    uint32_t run = 0;
    bool inRun = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            run = run * 10 + uint32_t(c - '0');
            inRun = true;
        } else if (inRun) {
            if (stored < 3) parts[stored++] = int(run & 0xFF);
            run = 0;
            inRun = false;
        }
    }
    // A last run at the end of the text counts only as the blue of a full triple.
    if (inRun && stored == 2) parts[stored++] = int(run & 0xFF);
    return RGBColor(parts[0], parts[1], parts[2]);
}

std::string ImageEntryName(std::string_view fname) {
    const size_t slash = fname.find_last_of("/\\");
    const std::string_view name = slash == std::string_view::npos ? fname : fname.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (name.empty() || dot == std::string_view::npos || name.substr(dot) != ".bmp") return {};
    return std::string(name);
}

std::string GetFileName(std::string_view s) {
    const size_t dot = s.find('.');
    return dot == std::string_view::npos ? std::string() : std::string(s.substr(0, dot));
}

PixelImage Readbmp(const SkinLoadEnvironment& env, std::string_view fname, std::string* problem) {
    auto fail = [&](const char* why) {
        if (problem) *problem = why;
        return PixelImage{};
    };
    const std::string entry = ImageEntryName(fname);
    if (entry.empty()) return fail("refused: not a .bmp name");
    const std::vector<uint8_t> bytes = env.readEntry ? env.readEntry(entry) : std::vector<uint8_t>{};
    if (bytes.empty()) return fail("missing from the package");
    try {
        return DecodeBmpFile(bytes).image;
    } catch (const EInvalidGraphic& e) {
        if (problem) *problem = std::string("unreadable: ") + e.what();
        return {};
    }
}

PixelImage BuiltinTrackImage(const std::string& name) {
    const uint32_t s = 0xC0C0C0, g = 0x808080, w = 0xFFFFFF;
    const bool vert = Upper(name) == "TRACKVERT";
    PixelImage img = MakePixelImage(vert ? 4 : 16, vert ? 16 : 4, PixelLayout::Indexed4);
    if (!vert) {
        for (int x = 0; x < 16; ++x) img.SetColor(x, 0, x < 2 ? s : x < 14 ? g : w);
        for (int y = 1; y < 4; ++y)
            for (int x = 0; x < 16; ++x) img.SetColor(x, y, x == 0 && y == 2 ? g : x < 2 ? s : w);
    } else {
        const uint32_t top[2][4] = {{s, s, g, s}, {s, s, s, s}};
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 4; ++x)
                img.SetColor(x, y, y < 2 ? top[y][x] : y < 14 ? (x == 0 ? g : w) : w);
    }
    return img;
}

std::vector<std::pair<const char*, OptionalElement*>> SkinDescription::Optionals() {
#define RELAYON_SKIN_OPTIONAL_ENTRY(name) {#name, &name},
    return {RELAYON_SKIN_OPTIONAL_ELEMENTS(RELAYON_SKIN_OPTIONAL_ENTRY)};
#undef RELAYON_SKIN_OPTIONAL_ENTRY
}

std::vector<std::pair<const char*, const OptionalElement*>> SkinDescription::Optionals() const {
    std::vector<std::pair<const char*, const OptionalElement*>> out;
    for (auto& [name, e] : const_cast<SkinDescription*>(this)->Optionals()) out.emplace_back(name, e);
    return out;
}

TColor CaptionColor(const SkinDescription& d) {
    const SkinElement& top = d.border[2];
    if (top.Map.Empty()) return d.Colors[csButtonFace];
    const int frame = std::max(top.frame, 1);
    const int x = top.Map.width / 3, y = (top.Map.height / frame) / 3;
    return static_cast<TColor>(top.Map.Color(x, y));
}

SkinDescription LoadSkinDescription(const TQuickIni& ini, const SkinLoadEnvironment& env, std::vector<SkinImageUse>* uses) {
    return Loader(ini, env, uses).Run();
}

namespace {

SkinDescription Loader::Run() {
    TAnsiStringList list;
    ini_.ReadSections(&list);
    sections_ = list.ToVector();
    d_.SkinName = Str("TitlebarSkin", "SkinName");
    d_.Title.kind = SkinElementKind::Title;
    d_.Title.IDName = "Title";
    d_.Button.kind = SkinElementKind::Button;
    d_.Button.IDName = "Buttons";
    ReadBord();
    ReadColor();
    ReadSysButton();
    ReadButton();
    ReadTitle();
    d_.progress = ReadProgress("progress", "Progress");
    d_.progresschunk = ReadObject("progresschunk", "Progress.Chunk");
    ReadMenuBar();
    d_.Box = ReadObject("Box", "GroupBoxEdge");
    d_.boxlabel = ReadBoxLabel("boxlabel", "GroupBox");
    d_.tab = ReadObject2("tab", "Tabs", "Border");
    d_.StatusBar = ReadObject("StatusBar", "StatusBarEdges");
    d_.TabSheet = ReadObject("TabSheet", "Tab.Pane");
    if (d_.TabSheet) {
        TRect& r = d_.TabSheet->r;
        for (int* v : {&r.Left, &r.Top, &r.Right, &r.Bottom}) *v = std::min(*v, 4);
    }
    d_.Toolbarbtn = ReadObject("Toolbarbtn", "ToolBars");
    d_.combox = ReadObject2("combox", "ComboButton", "****");
    d_.Comboxborder = ReadObject("Comboxborder", "SunkEdge");
    d_.ExtraImages = ReadObject("ExtraImages", "ExtraImages");
    d_.Header = ReadObject("Header", "Headerbar");
    d_.MenuItem = ReadObject("MenuItem", "MenuItem");
    d_.MenuitemBG = ReadObject("MenuitemBG", "MenuBackground");
    d_.SArrow = ReadObject("SArrow", "Scrollbar");
    d_.HBar = ReadObject("HBar", "HorzScroll");
    d_.VBar = ReadObject("VBar", "VertScroll");
    d_.HSlider = ReadObject("HSlider", "HorzScrollThumb");
    d_.VSlider = ReadObject("VSlider", "VertScrollThumb");
    d_.TrackHorz = ReadObject("TrackHorz", "Trackbar.ThumbHorz");
    d_.TrackVert = ReadObject("TrackVert", "Trackbar.ThumbVert");
    d_.TrackLeft = ReadObject("TrackLeft", "Trackbar.ThumbLeft");
    d_.Trackright = ReadObject("Trackright", "Trackbar.ThumbRight");
    d_.Tracktop = ReadObject("Tracktop", "Trackbar.ThumbUp");
    d_.Trackbottom = ReadObject("Trackbottom", "Trackbar.ThumbDown");
    d_.HSpin = ReadObject2("HSpin", "UpDown.Horz", "GlyphImage");
    d_.VSpin = ReadObject2("VSpin", "UpDown.Vert", "GlyphImage");
    d_.TrackBar = ReadObject("TrackBar", "Track");
    d_.TrackBarVert = ReadObject("TrackBarVert", "TRACKVERT");
    SetFrame();
    DropUnusable();
    // A track channel the skin lacks (or named unusably) is the built-in one.
    if (!d_.TrackBar) d_.TrackBar = ReadTrack("TRACK");
    if (!d_.TrackBarVert) d_.TrackBarVert = ReadTrack("TRACKVERT");
    // The mirrored copy of the combo button serves right-to-left layout.
    if (d_.combox) {
        d_.combox->MaskMap = ConvertLayout(d_.combox->Map, PixelLayout::Bgr24);
        SpiegelnHorizontal(d_.combox->MaskMap);
    }
    ReBuildCombobox();
    ReBuildComboxArrow();
    RebuildToolbar();
    d_.Colors[csCaption] = CaptionColor(d_);
    return std::move(d_);
}

void Loader::ReadBord() {
    static const char* const kSides[4] = {"Left", "Right", "Top", "Bottom"};
    for (int i = 0; i < 4; ++i) {
        const std::string p = kSides[i];
        SkinElement& b = d_.border[i];
        b = SkinElement{};
        b.kind = SkinElementKind::Border;
        b.IDName = p;
        b.stacked = i >= 2;
        b.Map = Image(p, "Personality", p);
        const int first = Int("Personality", p + "TopHeight", 0), second = Int("Personality", p + "BotHeight", 0);
        // The side borders keep a top and a bottom part; the horizontal ones a left and a right part.
        b.r = i < 2 ? TRect{0, first, 0, second} : TRect{first, 0, second, 0};
        b.frame = Int("Personality", p + "Frame", 1);
        b.Tile = std::min(Int("Personality", p + "Stretch", 1), 1);
        b.trans = Int("Personality", p + "Trans", 1);
    }
}

void Loader::ReadColor() {
    struct Slot {
        const char* key;
        TShemeColor slot;
        int sys;  // default system colour, -1: the button face just read
    };
    static const Slot kSlots[] = {
        {"WindowText", csText, 8},          {"ButtonFace", csButtonFace, 15},     {"Scrollbar", csScrollbar, 0},
        {"HilightText", csHilightText, 14}, {"Hilight", csHilight, 13},           {"Menubar", csMenuBar, -1},
        {"Menu", csMenubg, 4},              {"MenuText", csMenuText, 7},          {"ButtonText", csButtonText, 18},
        {"ButtonHilight", csButtonHilight, 20}, {"Buttonlight", csButtonlight, 20}, {"ButtonShadow", csButtonShadow, 16},
        {"ButtonDkShadow", csButtonDkshadow, 21}, {"MenuBarText", csMenuBarText, 7},
        {"TitleTextActive", csTitleTextActive, 9}, {"TitleTextNoActive", csTitleTextNoActive, 19},
    };
    for (const Slot& s : kSlots) {
        const std::string text = Str("Colours", s.key);
        d_.hasColors[s.slot] = !text.empty();
        const TColor def = s.sys < 0 ? d_.Colors[csButtonFace] : SystemColor(s.sys);
        d_.Colors[s.slot] = text.empty() ? def : strcolor(text);
    }
    d_.ColorPreset.clear();
    for (const std::string& section : sections_) {
        const std::string upper = Upper(section);
        if (StartsWith(upper, "COLOUR") && upper != "COLOURS")
            d_.ColorPreset.push_back(ColourText(section, "color", SystemColor(8)));
    }
    for (int i = 0; i < 10; ++i) d_.PresetColors[i] = ColourText("Customcolors", "Color" + std::to_string(i), clWhite);
}

void Loader::ReadSysButton() {
    d_.SysBtn.clear();
    std::vector<std::string> kept;
    for (const std::string& section : sections_) {
        const std::string upper = Upper(section);
        if (!StartsWith(upper, "BUTTON") || upper == "BUTTON" || upper == "BUTTONS" || upper == "BUTTON.RADIO" ||
            upper == "BUTTON.CHECKBOX")
            continue;
        if (Int(section, "Action", 0) == -1 && Int(section, "Visibility", -1) != 0) continue;
        kept.push_back(section);
    }
    int rememberedX = 0, rememberedY = 0;
    for (size_t i = 0; i < kept.size(); ++i) {
        const std::string& section = kept[i];
        const std::string owner = "SysBtn[" + std::to_string(i) + "]";
        SkinElement b;
        b.kind = SkinElementKind::SysButton;
        b.IDName = Upper(section);
        b.Action = Int(section, "Action", 0);
        b.Align = Int(section, "Align", 0);
        b.XCoord = Int(section, "Xcoord", 0);
        b.YCoord = Int(section, "Ycoord", 0);
        b.Visibility = Int(section, "Visibility", 0);
        b.Visibility1 = Int(section, "Visibility1", b.Action == -1 ? -1 : 0);
        b.CombineOp = Int(section, "CombineOp", -1);
        b.frame = Int(section, "frame", 0);
        b.Map = Image(owner, section, "ButtonImage");
        if (b.Action == 1 && b.Visibility == 2) {
            rememberedX = b.XCoord;
            rememberedY = b.YCoord;
        } else if (b.Action == 4) {
            // Without an earlier maximise button the coordinates stay 0, 0.
            b.XCoord = rememberedX;
            b.YCoord = rememberedY;
        }
        if (b.frame == 0) {
            b.frame = 6;
            if (!b.Map.Empty()) b.frame = (double(b.Map.width) / b.Map.height <= 3.8 && b.Action >= 0) ? 3 : 6;
            // These show the window icon instead of a picture.
            if (b.Action == 3 || b.Action == 11) b.Map = {};
        }
        if (!b.Map.Empty() && TooSmall(b.Map, b.frame, false)) {
            Problem(owner, "too small for " + std::to_string(b.frame) + " cells");
            b.Map = {};
        }
        d_.SysBtn.push_back(std::move(b));
    }
    PixelImage strip = Image("MDICONTROLS", "MDICONTROLS", "Image");
    const int w = strip.width / 12;
    if (!strip.Empty() && w == 0) Problem("MDICONTROLS", "too small for 12 cells");
    for (int i = 0; i < 3; ++i) {
        SkinElement b;
        b.kind = SkinElementKind::SysButton;
        b.IDName = "MDICONTROLS";
        b.Action = 7 + i;
        b.Align = b.Visibility = b.Visibility1 = 100;
        b.frame = 4;
        b.XCoord = (w + 4) * (3 - i);
        if (w > 0) {
            b.Map = MakePixelImage(4 * w, strip.height, PixelLayout::Bgr24);
            CopyBox(strip, {4 * i * w, 0, 4 * w, strip.height}, b.Map, 0, 0);
        }
        d_.SysBtn.push_back(std::move(b));
    }
}

void Loader::ReadButton() {
    SkinElement& b = d_.Button;
    const char* s = "Buttons";
    b.r = {Int(s, "LeftWidth", 0), Int(s, "TopHeight", 0), Int(s, "RightWidth", 0), Int(s, "BottomHeight", 0)};
    b.trans = Int(s, "Trans", 0);
    b.Map = Image("Button", s, "Bitmap");
    const int tile = Int(s, "Tile", 0);
    b.Tile = tile > 1 ? 0 : tile;
    b.CheckMap = Image("Button.CheckMap", s, "CheckButton");
    b.RadioMap = Image("Button.RadioMap", s, "RadioButton");
    b.Normalcolor = Int(s, "NormalColour", -1);
    b.Overcolor = Int(s, "MouseOverColour", -1);
    b.Downcolor = Int(s, "PressedColour", -1);
    b.radioframe = Int(s, "RadioButtonFrame", 0);
    b.checkframe = Int(s, "CheckButtonFrame", 0);
    b.newnormal = !Str(s, "NormalColour2").empty();
    b.newover = !Str(s, "MouseOverColour2").empty();
    b.newdown = !Str(s, "PressedColour2").empty();
    b.Normalcolor2 = ColourText(s, "NormalColour2", d_.Colors[csButtonText]);
    b.Overcolor2 = ColourText(s, "MouseOverColour2", d_.Colors[csButtonText]);
    b.Downcolor2 = ColourText(s, "PressedColour2", d_.Colors[csButtonText]);
}

void Loader::ReadTitle() {
    SkinElement& t = d_.Title;
    const char* s = "Personality";
    t.Map = Image("Title", s, "TextBack");
    t.r = {Int(s, "TextShift", 0), Int(s, "TextShiftVert", 0), Int(s, "TextRightClip", 0), 0};
    t.Aligment = Int(s, "TextAlignment", 0);
    t.BackGround = Int(s, "Textbackground", 0);
    t.FontHeight = Int("Fonts", "FontHeight", 14);
    t.backleft = Int(s, "TXTBackleft", 0);
    t.backright = Int(s, "TXTBackRight", 0);
    auto rgb = [&](const std::string& prefix, TColor& out) {
        const int r = Int(s, prefix + "R", -1), g = Int(s, prefix + "G", -1), b = Int(s, prefix + "B", -1);
        if (r >= 0 && g >= 0 && b >= 0) out = RGBColor(r, g, b);
    };
    rgb("ActiveText", t.activetext);
    rgb("InActiveText", t.inactivetext);
}

void Loader::ReadMenuBar() {
    const char* s = "Personality";
    d_.Menubar.reset();
    if (Str(s, "menuBar").empty()) return;
    SkinElement m;
    m.IDName = "Personality";
    m.stacked = true;
    m.Map = Image("Menubar", s, "menuBar");
    m.Tile = std::min(Int(s, "TileMenu", 1), 1);
    m.r = {Int(s, "TileLeftMenu", 1), 0, Int(s, "TileRightMenu", 1), 0};
    d_.Menubar = std::move(m);
}

OptionalElement Loader::ReadObject(const char* owner, std::string_view section, SkinElementKind kind, bool readFrame) {
    if (Str(section, "Image").empty()) return std::nullopt;
    SkinElement e;
    e.kind = kind;
    e.IDName = std::string(section);
    e.Map = Image(owner, section, "Image");
    e.style = Int(section, "Style", 0);
    e.r = {Int(section, "LeftWidth", 0), Int(section, "TopHeight", 0), Int(section, "RightWidth", 0),
           Int(section, "BottomHeight", 0)};
    if (readFrame) e.frame = Int(section, "Frame", 0);
    e.trans = Int(section, "Trans", 0);
    const int tile = Int(section, "Tile", 0);
    e.Tile = tile > 1 ? 0 : tile;
    e.Normalcolor = Int(section, "NormalColour", -1);
    e.Overcolor = Int(section, "MouseOverColour", -1);
    e.Downcolor = Int(section, "PressedColour", -1);
    e.Normalcolor2 = ColourText(section, "NormalColour2", d_.Colors[csButtonText]);
    e.Overcolor2 = ColourText(section, "MouseOverColour2", d_.Colors[csButtonText]);
    e.Downcolor2 = ColourText(section, "PressedColour2", d_.Colors[csButtonText]);
    return e;
}

OptionalElement Loader::ReadObject2(const char* owner, std::string_view section, std::string_view maskKey) {
    OptionalElement e = ReadObject(owner, section, SkinElementKind::Border, false);
    if (e && !Str(section, maskKey).empty()) e->MaskMap = Image(std::string(owner) + ".MaskMap", section, maskKey);
    return e;
}

OptionalElement Loader::ReadBoxLabel(const char* owner, std::string_view section) {
    OptionalElement e = ReadObject(owner, section, SkinElementKind::BoxLabel, false);
    if (e) {
        e->Alignment = Int(section, "BackgroundAlignment", 0);
        e->LeftShift = Int(section, "BackgroundLeftShift", 0);
        e->RightShift = Int(section, "BackgroundRightShift", 0);
    }
    return e;
}

OptionalElement Loader::ReadProgress(const char* owner, std::string_view section) {
    if (Str(section, "Bitmap").empty()) return std::nullopt;
    SkinElement e;
    e.kind = SkinElementKind::Border;
    e.IDName = std::string(section);
    e.Map = Image(owner, section, "Bitmap");
    e.style = Int(section, "Style", 0);
    e.r = {Int(section, "LeftWidth", 0), Int(section, "TopHeight", 0), Int(section, "RightWidth", 0),
           Int(section, "BottomHeight", 0)};
    e.trans = Int(section, "Trans", 0);
    e.Tile = std::min(Int(section, "Tile", 0), 1);
    e.Normalcolor2 = e.Overcolor2 = e.Downcolor2 = d_.Colors[csButtonText];
    return e;
}

SkinElement Loader::ReadTrack(const std::string& name) const {
    SkinElement e;
    e.IDName = name;
    e.Map = env_.builtinImage ? env_.builtinImage(name) : BuiltinTrackImage(name);
    e.r = {3, 3, 3, 3};
    e.Tile = 0;
    e.frame = 1;
    e.Normalcolor2 = e.Overcolor2 = e.Downcolor2 = d_.Colors[csButtonText];
    return e;
}

void Loader::SetFrame() {
    auto set = [](OptionalElement& e, int frame) {
        if (e) e->frame = frame;
    };
    SkinElement& b = d_.Button;
    b.frame = 5;
    // Check and radio strips hold square glyphs of 13 pixels (small strips) or 16.
    auto glyphs = [](const PixelImage& img) {
        if (img.Empty()) return 4;
        return std::max(4, img.width / (img.height < 16 ? 13 : 16));
    };
    if (b.radioframe == 0) b.radioframe = glyphs(b.RadioMap);
    if (b.checkframe == 0) b.checkframe = glyphs(b.CheckMap);
    d_.Title.frame = 2;
    set(d_.Menubar, 2);
    set(d_.Box, 2);
    if (d_.progress) d_.progress->frame = d_.progress->style != 0 ? 1 : 2;
    for (OptionalElement* e : {&d_.Toolbar, &d_.TabSheet, &d_.boxlabel, &d_.MenuitemBG}) set(*e, 1);
    for (OptionalElement* e : {&d_.Toolbarbtn, &d_.tab, &d_.ExtraImages, &d_.MenuItem, &d_.TrackHorz, &d_.TrackVert,
                               &d_.TrackLeft, &d_.Trackright, &d_.Tracktop, &d_.Trackbottom})
        set(*e, 5);
    if (d_.Header && d_.Header->frame == 0) d_.Header->frame = 5;
    set(d_.StatusBar, 3);
    for (OptionalElement* e : {&d_.combox, &d_.Comboxborder, &d_.HBar, &d_.VBar}) set(*e, 4);
    set(d_.SArrow, 23);
    set(d_.HSpin, 8);
    set(d_.VSpin, 8);
    set(d_.HSlider, Int("HorzScrollThumb", "FrameCount", 3));
    set(d_.VSlider, Int("VertScrollThumb", "FrameCount", 3));
}

void Loader::DropUnusable() {
    // The always-present objects keep an empty image instead.
    auto empty = [&](const std::string& owner, PixelImage& img, int frame, bool stacked) {
        if (img.Empty()) return;
        if (TooSmall(img, frame, stacked)) {
            Problem(owner, "too small for " + std::to_string(frame) + " cells");
            img = {};
        }
    };
    for (SkinElement& b : d_.border) empty(b.IDName, b.Map, b.frame, true && b.stacked);
    empty("Title", d_.Title.Map, d_.Title.frame, false);
    empty("Button", d_.Button.Map, d_.Button.frame, false);
    empty("Button.CheckMap", d_.Button.CheckMap, d_.Button.checkframe, false);
    empty("Button.RadioMap", d_.Button.RadioMap, d_.Button.radioframe, false);
    for (auto& [name, e] : d_.Optionals()) {
        if (!*e) continue;
        SkinElement& el = **e;
        if (el.Map.Empty()) {
            // The image value was there but gave nothing usable (the reason is already recorded).
            e->reset();
        } else if (TooSmall(el.Map, el.frame, el.stacked)) {
            Problem(name, "too small for " + std::to_string(el.frame) + " cells");
            e->reset();
        }
    }
}

void Loader::ReBuildCombobox() {
    if (!d_.Comboxborder || !d_.combox) return;
    SkinElement& border = *d_.Comboxborder;
    SkinElement& combo = *d_.combox;
    const int n = border.frame;
    const int bw = env_.hscrollArrowWidth + 2;
    constexpr int kW = 50, kH = 21;
    PixelImage strip = SolidImage(kW * n, kH, kTransparentMagenta);
    const SliceBox button{kW - bw, 0, bw, kH};
    for (int b = 1; b <= n; ++b) {
        PixelImage work = MakePixelImage(kW, kH, PixelLayout::Bgr24);
        paint::DrawNineSlice(work, {0, 0, kW, kH}, border.Map, MarginsOf(border.r), b, border.frame, border.trans != 0,
                             false, false);
        paint::DrawNineSlice(work, button, combo.Map, MarginsOf(combo.r), b, combo.frame, true, false, false);
        if (d_.ExtraImages) paint::DrawCentred(work, button, d_.ExtraImages->Map, b, d_.ExtraImages->frame, true);
        // The edit area stays transparent (magenta reads the same as bytes in either order).
        for (int y = 2; y < 18; ++y) {
            uint8_t* row = work.Row(y);
            for (int x = 2; x < std::min(49 - bw, kW); ++x) {
                row[3 * x] = 0xFF;
                row[3 * x + 1] = 0x00;
                row[3 * x + 2] = 0xFF;
            }
        }
        CopyBox(work, {0, 0, kW, kH}, strip, kW * (b - 1), 0);
    }
    combo.style = 2;
    combo.r = border.r;
    combo.r.Left = 2;
    combo.r.Right = bw + 2;
    combo.Map = strip;
    SpiegelnHorizontal(strip);
    border.Map = std::move(strip);
    border.r.Left = bw + 2;
    border.r.Right = 2;
}

void Loader::ReBuildComboxArrow() {
    if (!d_.comboxarrow) {
        d_.comboxarrow = SkinElement{};
        d_.comboxarrow->IDName = "ComboxArrow";
        d_.comboxarrow->Normalcolor2 = d_.comboxarrow->Overcolor2 = d_.comboxarrow->Downcolor2 = d_.Colors[csButtonText];
    }
    SkinElement& arrow = *d_.comboxarrow;
    if (!d_.Comboxborder && d_.combox) {
        arrow.Map = d_.combox->Map;
        // A system colour is resolved, so the arrow's background is the face actually shown.
        ChangeTrans(arrow.Map, ColorToRGB(d_.Colors[csButtonFace], env_.systemColor));
        arrow.frame = d_.combox->frame;
    } else if (d_.Comboxborder && d_.combox && d_.combox->style == 2) {
        const int n = d_.Comboxborder->frame;
        const int w = n > 0 ? d_.combox->Map.width / n : 0;
        arrow.Map = SolidImage(17 * n, 17, kTransparentMagenta);
        for (int i = 0; i < n; ++i)
            CopyBox(d_.combox->Map, {(i + 1) * w - 19, 2, 17, 17}, arrow.Map, 17 * i, 0);
        arrow.frame = n;
    }
}

void Loader::RebuildToolbar() {
    const TColor c = CaptionColor(d_);
    TColor bottom = Blend(0x808080, c, 150, env_.systemColor);
    const TColor top = Blend(d_.Colors[csButtonFace], clWhite, 150, env_.systemColor);
    const int s = GetHSV(c);
    if (s > 110) bottom = Blend(c, clWhite, (5625 - 25 * s) / 140 + 50, env_.systemColor);
    PixelImage img = SolidImage(10, 40, top);
    GradFill(img, TRect{0, 0, 10, 40}, top, 1, bottom);
    if (!d_.Toolbar) {
        d_.Toolbar = SkinElement{};
        d_.Toolbar->IDName = "Toolbar";
        d_.Toolbar->Normalcolor2 = d_.Toolbar->Overcolor2 = d_.Toolbar->Downcolor2 = d_.Colors[csButtonText];
    }
    d_.Toolbar->Map = std::move(img);
    d_.Toolbar->frame = 1;
}

}  // namespace

}  // namespace relayon::skin
