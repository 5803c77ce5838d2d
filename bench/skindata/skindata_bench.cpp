// skindata_bench <skin.skn> [rounds]
// Prints the median time of (a) decompressing the skin package and decoding
// every bitmap entry, and (b) loading the same skin through TSkinData from
// its SkinStream bytes into all skin objects, and their ratio.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "skin/data/Skinread.h"
#include "skin/data/win32/Winskindata.h"
#include "toolkit/core/BmpCodec.h"

using namespace relayon::skin;

namespace {

template <class F>
double MedianMs(int rounds, F&& f) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        f();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: skindata_bench <skin.skn> [rounds]\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<uint8_t> file(std::istreambuf_iterator<char>(in), {});
    if (file.empty()) {
        std::fprintf(stderr, "skindata_bench: cannot read the skin file\n");
        return 1;
    }
    const int rounds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 50;
    size_t pixels = 0;
    const double decode = MedianMs(rounds, [&] {
        TSkinReader reader;
        reader.Loadfromstream(file);
        pixels = 0;
        for (const std::string& name : reader.Dir) {
            if (name.size() < 4 || name.compare(name.size() - 4, 4, ".bmp") != 0) continue;
            std::vector<uint8_t> bytes;
            reader.readfile(name, bytes);
            pixels += DecodeBmpFile(bytes).image.pixels.size();
        }
    });
    // The portable part alone: the description into elements holding decoded images.
    const double describe = MedianMs(rounds, [&] {
        TSkinReader reader;
        reader.Loadfromstream(file);
        std::vector<uint8_t> ini;
        std::string iniName;
        reader.readIni(".ini", ini, iniName);
        TQuickIni store;
        store.LoadFromBytes(ini);
        SkinLoadEnvironment env;
        env.readEntry = [&reader](const std::string& name) {
            std::vector<uint8_t> bytes;
            reader.readfile(name, bytes);
            return bytes;
        };
        (void)LoadSkinDescription(store, env);
    });
    // One component loading the skin again and again, as a skin change does.
    TSkinData d(nullptr);
    bool empty = true;
    const double load = MedianMs(rounds, [&] {
        d.LoadFromStream(file);
        empty = d.Empty;
    });
    if (empty) {
        std::fprintf(stderr, "skindata_bench: the skin did not load\n");
        return 1;
    }
    std::printf("decode only (package + %zu bytes of bitmaps): %8.3f ms\n", pixels, decode);
    std::printf("description into elements (portable part):    %8.3f ms\n", describe);
    std::printf("TSkinData load into all skin objects:         %8.3f ms\n", load);
    std::printf("ratio load / decode:                          %8.2f (goal <= 2)\n", load / decode);
    return 0;
}
