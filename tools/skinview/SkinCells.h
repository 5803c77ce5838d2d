#pragma once
// Which images a skin description names and how each is cut into frames:
// the cell counts the skin loader imposes per element, the frame keys it
// reads where it reads them, and whether frames are stacked.
#include <string>
#include <vector>

#include "skin/data/Winskinini.h"

namespace skinview {

struct SkinImageRef {
    std::string section;   // as written in the description
    std::string key;       // the key naming the image
    std::string fileName;  // the value, as written
    int frames = 1;
    bool stacked = false;  // frames top to bottom instead of side by side
};

// `imageWidth`/`imageHeight` of an entry are needed where the cell count
// depends on the picture (caption buttons, check and radio strips).
struct ImageSizeQuery {
    virtual ~ImageSizeQuery() = default;
    virtual bool SizeOf(const std::string& fileName, int& width, int& height) const = 0;
};

std::vector<SkinImageRef> DescribeSkinImages(const relayon::skin::TQuickIni& ini, const ImageSizeQuery& sizes);

// The entry name the loader looks up for an image value: the part after the
// last path separator, or empty when the extension is not exactly ".bmp".
std::string EntryNameForImage(const std::string& value);

} // namespace skinview
