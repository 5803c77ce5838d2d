// skindata_bench <skin.skn> [rounds]
// Prints the median time of (a) decompressing the skin package and decoding
// every bitmap entry, and (b) loading the same skin through TSkinData from
// its SkinStream bytes into all skin objects, and their ratio; with the
// portable part, bitmaps made from ready elements, a component's first load
// (every DIB section new; also with making and freeing the component), and
// the description and the skin objects made from a package already
// unpacked, for where the time goes. The measurements take turns within
// each round, so a busy machine slows them all alike.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <vector>

#include "skin/data/Skinread.h"
#include "skin/data/win32/Winskindata.h"
#include "toolkit/core/BmpCodec.h"

using namespace relayon::skin;

namespace {

// A measured step, with what has to be ready before it and is not timed.
struct Job {
    std::function<void()> run;
    std::function<void()> prepare = [] {};
};

// Runs every job once per round, in turn; the median time of each, in ms.
// `settle`, when given, runs untimed after every `every` rounds.
std::vector<double> Medians(int rounds, const std::vector<Job>& jobs, int every = 0,
                            const std::function<void()>& settle = {}) {
    std::vector<std::vector<double>> times(jobs.size());
    for (int i = 0; i < rounds; ++i) {
        if (settle && i > 0 && i % every == 0) settle();
        for (size_t j = 0; j < jobs.size(); ++j) {
            jobs[j].prepare();
            const auto t0 = std::chrono::steady_clock::now();
            jobs[j].run();
            times[j].push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
        }
    }
    std::vector<double> out;
    for (auto& t : times) {
        std::sort(t.begin(), t.end());
        out.push_back(t[t.size() / 2]);
    }
    return out;
}

SkinDescription Describe(const std::vector<uint8_t>& file) {
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
    return LoadSkinDescription(store, env);
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
    auto decode = [&] {
        TSkinReader reader;
        reader.Loadfromstream(file);
        pixels = 0;
        for (const std::string& name : reader.Dir) {
            if (name.size() < 4 || name.compare(name.size() - 4, 4, ".bmp") != 0) continue;
            std::vector<uint8_t> bytes;
            reader.readfile(name, bytes);
            pixels += DecodeBmpFile(bytes).image.pixels.size();
        }
    };
    // The portable part alone: the description into elements holding decoded images.
    auto describe = [&] { (void)Describe(file); };
    // A bitmap made from every image of the ready elements, as a new skin
    // object takes them.
    const SkinDescription ready = Describe(file);
    std::vector<const PixelImage*> images;
    auto collect = [&images](const SkinElement& e) {
        for (const PixelImage* image : {&e.Map, &e.MaskMap, &e.CheckMap, &e.RadioMap})
            if (!image->Empty()) images.push_back(image);
    };
    collect(ready.Title);
    collect(ready.Button);
    for (const SkinElement& e : ready.border) collect(e);
    for (const SkinElement& e : ready.SysBtn) collect(e);
    for (const auto& [name, e] : ready.Optionals())
        if (*e) collect(**e);
    auto bitmaps = [&] {
        for (const PixelImage* image : images) {
            TBitmap bmp;
            bmp.FromPixelImage(*image);
        }
    };
    // One component loading the skin again and again, as a skin change does.
    TSkinData d(nullptr);
    bool empty = true;
    auto load = [&] {
        d.LoadFromStream(file);
        empty = d.Empty;
    };
    // The SkinStream property as the form reader hands it over (its 4-byte
    // length, then the skin file): the skin into all skin objects, without
    // LoadFromStream's UpdateSkin, which with no skin manager running (as
    // here) goes through the component's Loaded again (caption font, icon).
    std::vector<uint8_t> property(4);
    const uint32_t length = static_cast<uint32_t>(file.size());
    for (int i = 0; i < 4; ++i) property[i] = static_cast<uint8_t>(length >> (8 * i));
    property.insert(property.end(), file.begin(), file.end());
    TSkinData viaProperty(nullptr);
    auto stream = [&] { viaProperty.ReadSkinStream(property); };
    // A component's first load makes every DIB section anew. The component
    // is made before the clock starts and freed later, untimed, as making one
    // (menu glyphs, hint window, the default lists) and freeing its pictures
    // are no part of loading a skin; they are timed on their own.
    std::vector<std::unique_ptr<TSkinData>> made;
    auto make = [&] { made.push_back(std::make_unique<TSkinData>(nullptr)); };
    auto first = [&] { made.back()->LoadFromStream(file); };
    auto lifetime = [&] {
        TSkinData fresh(nullptr);
        fresh.LoadFromStream(file);
    };
    // The same two without the decompression: from a package already
    // unpacked, which shows how much of a load is the package itself.
    TSkinReader unpacked;
    unpacked.Loadfromstream(file);
    std::vector<uint8_t> iniBytes;
    std::string iniName;
    unpacked.readIni(".ini", iniBytes, iniName);
    TQuickIni unpackedIni;
    unpackedIni.LoadFromBytes(iniBytes);
    auto describeUnpacked = [&] {
        SkinLoadEnvironment env;
        env.readEntry = [&unpacked](const std::string& name) {
            std::vector<uint8_t> bytes;
            unpacked.readfile(name, bytes);
            return bytes;
        };
        (void)LoadSkinDescription(unpackedIni, env);
    };
    auto loadUnpacked = [&] { d.LoadFromIni(unpackedIni, unpacked); };
    // Passes of jobs that are alike. Under Wine the job after one that made
    // and freed a whole set of DIB sections took up to twice its time, so
    // those two jobs take turns apart, and so do the two working from the
    // kept package, which free far less than a load: the ratio's two sides
    // and the SkinStream load each follow a job that unpacked the skin.
    const std::vector<double> packed = Medians(rounds, {{decode}, {describe}, {load}, {stream}});
    const std::vector<double> kept = Medians(rounds, {{describeUnpacked}, {loadUnpacked}});
    // First loads free nothing, so they take turns with decoding alone. Their
    // ratio is to the decoding of the pass above all the same: decoding right
    // after a first load (new DIB sections mapped) took about twice its time,
    // which would flatter the ratio; that figure is printed too. The
    // components loaded so far are freed every 20 rounds, which keeps the
    // process far below its GDI object quota however many rounds are asked for.
    bool firstLoaded = true;
    auto settle = [&] {
        for (const auto& c : made) firstLoaded = firstLoaded && !c->Empty;
        made.clear();
    };
    const std::vector<double> firsts = Medians(rounds, {{decode}, {first, make}}, 20, settle);
    settle();
    const std::vector<double> fresh = Medians(rounds, {{bitmaps}, {lifetime}});
    const std::vector<double> t = {packed[0], packed[1], fresh[0], packed[2], firsts[1], kept[0], kept[1], packed[3],
                                   fresh[1]};
    if (empty || viaProperty.Empty || !firstLoaded) {
        std::fprintf(stderr, "skindata_bench: the skin did not load\n");
        return 1;
    }
    std::printf("decode only (package + %zu bytes of bitmaps): %8.3f ms\n", pixels, t[0]);
    std::printf("description into elements (portable part):    %8.3f ms\n", t[1]);
    std::printf("%3zu new bitmaps from the ready elements:       %8.3f ms\n", images.size(), t[2]);
    std::printf("TSkinData load into all skin objects:         %8.3f ms\n", t[3]);
    std::printf("first load into a new component:              %8.3f ms\n", t[4]);
    std::printf("new component made, first load, freed:        %8.3f ms\n", t[8]);
    std::printf("decode only, each after a first load:         %8.3f ms\n", firsts[0]);
    std::printf("description from the unpacked package:       %8.3f ms\n", t[5]);
    std::printf("skin objects from the unpacked package:       %8.3f ms\n", t[6]);
    std::printf("SkinStream property into all skin objects:    %8.3f ms\n", t[7]);
    std::printf("ratio load / decode:                          %8.2f (goal <= 2)\n", t[3] / t[0]);
    std::printf("ratio SkinStream property / decode:           %8.2f (goal <= 2)\n", t[7] / t[0]);
    std::printf("ratio first load / decode:                    %8.2f (goal <= 2)\n", t[4] / t[0]);
    return 0;
}
