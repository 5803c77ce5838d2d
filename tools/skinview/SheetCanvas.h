#pragma once
// The contact sheet: a growing image onto which labelled rows of skin frames
// and colour swatches are laid out top to bottom.
#include <string>

#include "skin/data/Imgutil.h"

namespace skinview {

struct SheetStyle {
    int width = 1400;
    int zoom = 3;
    bool keepMagenta = false;  // show magenta as it is instead of a checker pattern
};

class SheetCanvas {
public:
    explicit SheetCanvas(const SheetStyle& style);

    void Heading(const std::string& text);
    void Note(const std::string& text, bool warning = false);
    // One image cut into `frames` cells (stacked or side by side), each frame
    // zoomed, outlined and numbered from 1.
    void Frames(const std::string& label, const PixelImage& image, int frames, bool stacked);
    // An image at its own size, outlined, magenta shown as it is.
    void Picture(const std::string& label, const PixelImage& image);
    void Swatch(const std::string& label, TColor colour);
    void Gap(int pixels) { y_ += pixels; }

    // The sheet cropped to what was drawn.
    PixelImage Finish() const;

private:
    void EnsureHeight(int bottom);

    SheetStyle style_;
    PixelImage img_;
    int y_ = 8;
};

} // namespace skinview
