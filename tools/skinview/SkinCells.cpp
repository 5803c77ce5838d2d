#include "SkinCells.h"

#include <map>

#include "skin/data/Skinread.h"

namespace skinview {

using relayon::skin::LowerAscii;
using relayon::skin::TQuickIni;

namespace {

// Fixed cell counts of generic elements (sections read with an "Image" key).
const std::map<std::string, int>& FixedFrames() {
    static const std::map<std::string, int> table = {
        {"groupboxedge", 2},   {"groupbox", 1},      {"tab.pane", 1},        {"menubackground", 1},
        {"toolbars", 5},       {"extraimages", 5},   {"menuitem", 5},        {"trackbar.thumbhorz", 5},
        {"trackbar.thumbvert", 5}, {"trackbar.thumbleft", 5}, {"trackbar.thumbright", 5},
        {"trackbar.thumbup", 5}, {"trackbar.thumbdown", 5}, {"statusbaredges", 3}, {"combobutton", 4},
        {"sunkedge", 4},       {"horzscroll", 4},    {"vertscroll", 4},      {"scrollbar", 23},
        {"tabs", 5},           {"updown.horz", 8},   {"updown.vert", 8},     {"mdicontrols", 12},
    };
    return table;
}

bool IsCaptionButtonSection(const std::string& upper) {
    return upper.rfind("BUTTON", 0) == 0 && upper != "BUTTON" && upper != "BUTTONS" && upper != "BUTTON.RADIO" &&
           upper != "BUTTON.CHECKBOX";
}

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

// Check and radio strips: the given count, else width / cell width (13 for
// strips under 16 pixels high, else 16), at least 4.
int GlyphStripFrames(int given, const std::string& file, const ImageSizeQuery& sizes) {
    if (given > 0) return given;
    int w = 0, h = 0;
    if (!sizes.SizeOf(EntryNameForImage(file), w, h) || w <= 0) return 4;
    const int cell = h < 16 ? 13 : 16;
    return std::max(4, w / cell);
}

} // namespace

std::string EntryNameForImage(const std::string& value) {
    const size_t slash = value.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? value : value.substr(slash + 1);
    if (name.size() < 4 || name.compare(name.size() - 4, 4, ".bmp") != 0) return {};
    return name;
}

std::vector<SkinImageRef> DescribeSkinImages(const TQuickIni& ini, const ImageSizeQuery& sizes) {
    std::vector<SkinImageRef> out;
    auto add = [&](const std::string& section, const std::string& key, int frames, bool stacked = false) {
        const std::string value = ini.ReadString(section, key, "");
        if (!value.empty()) out.push_back({section, key, value, std::max(frames, 1), stacked});
    };
    TAnsiStringList sections;
    ini.ReadSections(&sections);
    for (const std::string& section : sections.ToVector()) {
        const std::string lower = LowerAscii(section);
        const std::string upper = Upper(section);
        if (lower == "personality") {
            for (const char* side : {"Left", "Right", "Top", "Bottom"}) {
                const bool horizontal = side[0] == 'T' || side[0] == 'B';
                add(section, side, ini.ReadInteger(section, std::string(side) + "Frame", 1), horizontal);
            }
            add(section, "TextBack", 2);
            add(section, "menuBar", 2, true);
        } else if (IsCaptionButtonSection(upper)) {
            const int action = ini.ReadInteger(section, "Action", 0);
            int frames = ini.ReadInteger(section, "frame", 0);
            const std::string file = ini.ReadString(section, "ButtonImage", "");
            if (frames == 0) {
                int w = 0, h = 0;
                frames = 6;
                if (sizes.SizeOf(EntryNameForImage(file), w, h) && h > 0)
                    frames = (static_cast<double>(w) / h <= 3.8 && action >= 0) ? 3 : 6;
            }
            add(section, "ButtonImage", frames);
        } else if (lower == "buttons") {
            add(section, "Bitmap", 5);
            add(section, "CheckButton",
                GlyphStripFrames(ini.ReadInteger(section, "CheckButtonFrame", 0), ini.ReadString(section, "CheckButton", ""), sizes));
            add(section, "RadioButton",
                GlyphStripFrames(ini.ReadInteger(section, "RadioButtonFrame", 0), ini.ReadString(section, "RadioButton", ""), sizes));
        } else if (lower == "progress") {
            add(section, "Bitmap", ini.ReadInteger(section, "Style", 0) != 0 ? 1 : 2);
        } else if (lower == "horzscrollthumb" || lower == "vertscrollthumb") {
            add(section, "Image", ini.ReadInteger(section, "FrameCount", 3));
        } else if (lower == "headerbar") {
            const int given = ini.ReadInteger(section, "Frame", 0);
            add(section, "Image", given != 0 ? given : 5);
        } else {
            const auto fixed = FixedFrames().find(lower);
            add(section, "Image", fixed != FixedFrames().end() ? fixed->second : ini.ReadInteger(section, "Frame", 1));
            if (lower == "tabs") add(section, "Border", 1);
            if (lower == "updown.horz" || lower == "updown.vert") add(section, "GlyphImage", 8);
        }
    }
    return out;
}

} // namespace skinview
