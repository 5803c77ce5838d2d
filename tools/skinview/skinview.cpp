// skinview: renders every image of a skin file, every frame numbered and each
// image labelled with its section, key, entry and cell count, plus the
// colour scheme, into one PNG sheet.
//
//   skinview <file.skn> <out.png> [--zoom N] [--keep-magenta] [--strict]
//
// --strict: exit with status 1 when the skin loader itself (SkinDescription)
// finds a problem: no description, or an image missing, unreadable, refused
// by its name or too small for its cells. The viewer thus accepts a skin
// exactly when the console loads every element the skin names.
#include <cstring>
#include <fstream>
#include <iostream>
#include <set>
#include <string>

#include "PngWriter.h"
#include "Preview.h"
#include "SheetCanvas.h"
#include "SkinCells.h"
#include "skin/data/SkinDescription.h"
#include "skin/data/Skinread.h"
#include "skin/data/Winskinini.h"
#include "toolkit/core/BmpCodec.h"

using namespace relayon::skin;
using namespace skinview;

namespace {

class ReaderSizes : public ImageSizeQuery {
public:
    explicit ReaderSizes(const TSkinReader& reader) : reader_(reader) {}
    bool SizeOf(const std::string& fileName, int& width, int& height) const override {
        std::vector<uint8_t> bytes;
        reader_.readfile(fileName, bytes);
        if (bytes.empty()) return false;
        try {
            const DecodedBmp decoded = DecodeBmpFile(bytes);
            width = decoded.image.width;
            height = decoded.image.height;
            return true;
        } catch (const EInvalidGraphic&) {
            return false;
        }
    }

private:
    const TSkinReader& reader_;
};

// Three decimal numbers (red, green, blue) separated by anything else.
TColor ColourFromText(const std::string& text) {
    int parts[3] = {0, 0, 0};
    int count = 0, value = 0;
    bool inRun = false;
    for (char c : text + " ") {
        if (c >= '0' && c <= '9') {
            value = value * 10 + (c - '0');
            inRun = true;
        } else if (inRun) {
            if (count < 3) parts[count++] = value & 0xFF;
            value = 0;
            inRun = false;
        }
    }
    return parts[0] | (parts[1] << 8) | (parts[2] << 16);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: skinview <file.skn> <out.png> [--zoom N] [--keep-magenta] [--strict]\n";
        return 2;
    }
    SheetStyle style;
    bool strict = false;
    for (int i = 3; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--zoom") && i + 1 < argc) style.zoom = std::clamp(std::atoi(argv[++i]), 1, 8);
        else if (!std::strcmp(argv[i], "--keep-magenta")) style.keepMagenta = true;
        else if (!std::strcmp(argv[i], "--strict")) strict = true;
        else {
            std::cerr << "skinview: unknown option " << argv[i] << "\n";
            return 2;
        }
    }

    TSkinReader reader;
    if (!reader.loadfromfile(argv[1])) {
        std::cerr << "skinview: " << reader.LastError() << "\n";
        return 1;
    }
    std::vector<uint8_t> iniBytes;
    std::string iniName;
    reader.readIni(".ini", iniBytes, iniName);
    TQuickIni ini;
    ini.LoadFromBytes(iniBytes);

    // The verdict comes from the loader the console uses.
    SkinLoadEnvironment env;
    env.readEntry = [&reader](const std::string& name) {
        std::vector<uint8_t> bytes;
        reader.readfile(name, bytes);
        return bytes;
    };
    std::vector<SkinImageUse> uses;
    (void)LoadSkinDescription(ini, env, &uses);
    int problems = 0;
    SheetCanvas sheet(style);
    sheet.Heading("Skin: " + ini.ReadString("TitlebarSkin", "SkinName", "(no name)"));
    sheet.Note("version " + std::to_string(reader.header.Version) + "   " + std::to_string(reader.Num) +
               " entries   description " + (iniName.empty() ? std::string("(none)") : iniName) + "   zoom " +
               std::to_string(style.zoom) + "x");
    sheet.Gap(6);
    sheet.Picture("Preview: the console window (765 x 653) drawn from this skin, normal states plus a few hot and pressed ones",
                  RenderPreview(reader, ini));

    if (iniName.empty()) {
        sheet.Note("no description entry (no name containing .ini)", true);
        ++problems;
    }
    for (const SkinImageUse& use : uses) {
        if (use.problem.empty()) continue;
        sheet.Note("loader: " + use.owner + (use.fileName.empty() ? "" : " = " + use.fileName) + "   " + use.problem, true);
        ++problems;
    }
    std::set<std::string> used;
    for (const SkinImageRef& ref : DescribeSkinImages(ini, ReaderSizes(reader))) {
        const std::string entry = EntryNameForImage(ref.fileName);
        std::string label = "[" + ref.section + "] " + ref.key + " = " + ref.fileName + "   " + std::to_string(ref.frames) +
                            (ref.frames == 1 ? " frame" : " frames") + (ref.stacked ? ", stacked" : "");
        if (entry.empty()) {
            sheet.Note(label + "   refused: not a .bmp name", true);
            continue;
        }
        used.insert(LowerAscii(entry));
        std::vector<uint8_t> bytes;
        reader.readfile(entry, bytes);
        if (bytes.empty()) {
            sheet.Note(label + "   missing from the package", true);
            continue;
        }
        PixelImage image;
        try {
            image = DecodeBmpFile(bytes).image;
        } catch (const EInvalidGraphic& e) {
            sheet.Note(label + "   " + e.what(), true);
            continue;
        }
        const int along = ref.stacked ? image.height : image.width;
        label += "   " + std::to_string(image.width) + "x" + std::to_string(image.height) + " " +
                 std::to_string(BitsPerPixel(image.layout)) + " bit";
        if (along % ref.frames != 0) {
            label += "   size not a multiple of the frame count";
        }
        sheet.Frames(label, image, ref.frames, ref.stacked);
    }

    for (int i = 0; i < reader.Num; ++i) {
        const std::string& name = reader.Dir[i];
        if (name == iniName || used.count(name)) continue;
        sheet.Note("entry " + name + " (" + std::to_string(reader.sizes[i]) + " bytes) is not named by the description", true);
    }

    TAnsiStringList keys;
    ini.ReadSection("Colours", &keys);
    if (keys.Count() > 0) {
        sheet.Gap(4);
        sheet.Note("[Colours]");
        for (const std::string& key : keys.ToVector()) {
            const std::string value = ini.ReadString("Colours", key, "");
            sheet.Swatch(key + " = " + value, ColourFromText(value));
        }
    }

    const std::vector<uint8_t> png = EncodePng(sheet.Finish());
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    if (!out) {
        std::cerr << "skinview: cannot write " << argv[2] << "\n";
        return 1;
    }
    std::cout << "skinview: wrote " << argv[2] << (problems ? " with " + std::to_string(problems) + " problem(s) marked" : "")
              << "\n";
    return strict && problems ? 1 : 0;
}
