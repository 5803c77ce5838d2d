#include "toolkit/core/Color.h"

#include <array>

TColor ClassicSystemColor(int index) {
    static constexpr std::array<TColor, 31> kClassic = {
        RGBColor(212, 208, 200), RGBColor(58, 110, 165),  RGBColor(10, 36, 106),   RGBColor(128, 128, 128),
        RGBColor(212, 208, 200), RGBColor(255, 255, 255), RGBColor(0, 0, 0),       RGBColor(0, 0, 0),
        RGBColor(0, 0, 0),       RGBColor(255, 255, 255), RGBColor(212, 208, 200), RGBColor(212, 208, 200),
        RGBColor(128, 128, 128), RGBColor(10, 36, 106),   RGBColor(255, 255, 255), RGBColor(212, 208, 200),
        RGBColor(128, 128, 128), RGBColor(128, 128, 128), RGBColor(0, 0, 0),       RGBColor(212, 208, 200),
        RGBColor(255, 255, 255), RGBColor(64, 64, 64),    RGBColor(212, 208, 200), RGBColor(0, 0, 0),
        RGBColor(255, 255, 225), RGBColor(181, 181, 181), RGBColor(0, 0, 128),     RGBColor(166, 202, 240),
        RGBColor(192, 192, 192), RGBColor(49, 106, 197),  RGBColor(236, 233, 216)};
    return index >= 0 && index < static_cast<int>(kClassic.size()) ? kClassic[static_cast<size_t>(index)] : clBlack;
}

TColor ColorToRGB(TColor color, const SystemColorResolver& resolve) {
    if (IsSystemColor(color)) {
        const int index = SystemColorIndex(color);
        return (resolve ? resolve(index) : ClassicSystemColor(index)) & 0x00FFFFFF;
    }
    if (color == clNone || color == clDefault) return clBlack;
    return color & 0x00FFFFFF;
}
