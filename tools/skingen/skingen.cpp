// skingen: draws every bitmap of one of the console's skins and writes them as
// 24-bit BMP files into a folder, ready for skinpack.
//
//   skingen light|dark <out-dir>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "SkinArt.h"
#include "toolkit/core/BmpCodec.h"

int main(int argc, char** argv) {
    if (argc != 3 || (std::string(argv[1]) != "light" && std::string(argv[1]) != "dark")) {
        std::cerr << "usage: skingen light|dark <out-dir>\n";
        return 2;
    }
    const std::filesystem::path dir = argv[2];
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    const skingen::Palette palette = std::string(argv[1]) == "light" ? skingen::LightPalette() : skingen::DarkPalette();
    int written = 0;
    for (const auto& bmp : skingen::DrawSkinBitmaps(palette)) {
        const auto bytes = EncodeBmpFile(bmp.image);
        std::ofstream out(dir / bmp.fileName, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::cerr << "skingen: cannot write " << (dir / bmp.fileName) << "\n";
            return 1;
        }
        ++written;
    }
    std::cout << "skingen: " << written << " bitmaps in " << dir.string() << "\n";
    return 0;
}
