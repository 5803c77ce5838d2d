#pragma once
// The skin description (the INI entry of a skin package) turned into the
// skin elements and colour scheme the painters draw with. This is the whole
// vocabulary: which sections and keys are read, their defaults, the cell
// counts imposed per element, and the images synthesised from others (the
// complete combo box strip and its mirror, the combo arrow, the toolbar
// gradient). TSkinData (win32/Winskindata) builds its skin objects from the
// result, and `skinview --strict` accepts a skin exactly when this does.
//
// Lookups go through TQuickIni: section and key names ignore case, values
// are trimmed, an empty value counts as missing.
//
// Hostile input: a missing section or key never fails (defaults apply). An
// image that is missing from the package, is not a readable BMP, is refused by
// its name, or is too small for the cells its element needs leaves the
// element absent (or, for the title, button and the four frame borders that
// always exist, with an empty image), exactly like a description without it.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skin/data/Imgutil.h"
#include "skin/data/Winskinini.h"
#include "toolkit/core/PixelImage.h"

namespace relayon::skin {

// Colour-text parsing: runs of decimal digits are red, green and blue in that
// order; at the end of the text a pending run counts as blue only when red and
// green were stored; more than three runs are ignored; low 8 bits of each.
TColor strcolor(std::string_view text);

// Scheme slots, in the order of TShemeColor.
enum TShemeColor : int {
    csText, csTitleTextActive, csTitleTextNoActive, csButtonFace, csButtonText, csButtonHilight, csButtonlight,
    csButtonShadow, csButtonDkshadow, csSelectText, csSelectBg, csHilightText, csHilight, csMenuBar, csMenuBarText,
    csMenuText, csMenubg, csCaption, csScrollbar, csTextDisable
};
constexpr int kShemeColorCount = 20;
using TShemeColors = std::array<TColor, kShemeColorCount>;

// What kind of skin object an element becomes.
enum class SkinElementKind { Object, Border, Title, Button, SysButton, BoxLabel };

// One skin element: the data of a TDataSkinObject and of whichever
// descendant `kind` names (fields of other kinds keep their defaults).
struct SkinElement {
    SkinElementKind kind = SkinElementKind::Object;
    std::string IDName;
    PixelImage Map;
    TRect r;
    int32_t trans = 0, Tile = 0, frame = 0, style = 0;
    int32_t Normalcolor = -1, Overcolor = -1, Downcolor = -1;
    TColor Normalcolor2 = 0, Overcolor2 = 0, Downcolor2 = 0;
    // Border (also combo button, tabs, spins, progress): the second image.
    PixelImage MaskMap;
    // Title.
    int32_t Aligment = 0, BackGround = 0, FontHeight = 14, backleft = 0, backright = 0;
    TColor activetext = clNone, inactivetext = clNone;
    // Button.
    PixelImage CheckMap, RadioMap;
    int32_t radioframe = 0, checkframe = 0;
    bool newnormal = false, newover = false, newdown = false;
    // Caption button.
    int32_t Action = 0, Align = 0, XCoord = 0, YCoord = 0, CombineOp = -1, Visibility = 0, Visibility1 = 0;
    // Group-box caption background.
    int32_t LeftShift = 0, RightShift = 0, Alignment = 0;

    // Cells lie top to bottom (frame borders Top and Bottom, the menu bar).
    bool stacked = false;
};

using OptionalElement = std::optional<SkinElement>;

// The optional skin elements by field name, the one list of them: the
// description holds an OptionalElement and TSkinData a skin object per name,
// both declared from this list, so the two can never disagree.
#define RELAYON_SKIN_OPTIONAL_ELEMENTS(X)                                                                           \
    X(tab) X(HSpin) X(VSpin) X(combox) X(Comboxborder) X(ExtraImages) X(comboxarrow) X(Box) X(Toolbar)             \
    X(Toolbarbtn) X(progress) X(progresschunk) X(StatusBar) X(TabSheet) X(Header) X(Menubar) X(MenuItem)           \
    X(MenuitemBG) X(SArrow) X(HBar) X(VBar) X(HSlider) X(VSlider) X(TrackHorz) X(TrackVert) X(TrackBar)           \
    X(TrackBarVert) X(TrackLeft) X(Trackright) X(Tracktop) X(Trackbottom) X(MinCaption) X(boxlabel)

struct SkinDescription {
    std::string SkinName;
    std::string iniName;  // package entry the description came from

    // Always present.
    SkinElement Title, Button;
    std::array<SkinElement, 4> border;  // Left, Right, Top, Bottom
    std::vector<SkinElement> SysBtn;    // caption buttons, then the three MDI child buttons

    // One per name of RELAYON_SKIN_OPTIONAL_ELEMENTS; absent when the skin lacks it.
#define RELAYON_SKIN_DECLARE_OPTIONAL(name) OptionalElement name;
    RELAYON_SKIN_OPTIONAL_ELEMENTS(RELAYON_SKIN_DECLARE_OPTIONAL)
#undef RELAYON_SKIN_DECLARE_OPTIONAL

    TShemeColors Colors{};
    std::array<bool, kShemeColorCount> hasColors{};
    std::vector<TColor> ColorPreset;
    std::array<TColor, 10> PresetColors{};

    // Every optional element with its field name, in declaration order.
    std::vector<std::pair<const char*, OptionalElement*>> Optionals();
    std::vector<std::pair<const char*, const OptionalElement*>> Optionals() const;
};

// Where the loader gets what lies outside the description.
struct SkinLoadEnvironment {
    // Bytes of the package entry named exactly so (lower-cased lookup); empty
    // when there is none.
    std::function<std::vector<uint8_t>(const std::string& name)> readEntry;
    // The built-in track images ("TRACK", "TRACKVERT"); the portable ones
    // are used when not given.
    std::function<PixelImage(const std::string& name)> builtinImage;
    // Width of the system's horizontal scroll-bar arrow.
    int hscrollArrowWidth = 16;
    SystemColorResolver systemColor = ClassicSystemColor;
};

// Which images were asked for and what became of them, for tools and tests.
struct SkinImageUse {
    std::string owner;      // element field name ("Button", "combox", "SysBtn[2]" ...)
    std::string fileName;   // the description's value, as written
    std::string problem;    // empty when used; else why it was dropped
};

// Decodes a package entry named by an image value: the part after the last
// path separator, refused (empty result) unless the extension is exactly
// ".bmp"; a missing or unreadable entry gives an empty image.
PixelImage Readbmp(const SkinLoadEnvironment& env, std::string_view fname, std::string* problem = nullptr);

// The entry name an image value refers to, empty when refused.
std::string ImageEntryName(std::string_view fname);

// The text before the first "." of `s`, empty when there is none.
std::string GetFileName(std::string_view s);

// The two built-in 16-colour track images.
PixelImage BuiltinTrackImage(const std::string& name);

// Builds every element and the colour scheme from `ini`. `uses`, when given,
// receives one line per image value met.
SkinDescription LoadSkinDescription(const TQuickIni& ini, const SkinLoadEnvironment& env,
                                    std::vector<SkinImageUse>* uses = nullptr);

// The scheme's csButtonFace, unless the Top border has an image: then its
// pixel at (width / 3, (height / frame) / 3).
TColor CaptionColor(const SkinDescription& d);

}  // namespace relayon::skin
