// Arbitrary skin descriptions against a fixed set of valid bitmaps (and one
// broken one): the loader must never crash, read outside an image or produce
// an element whose image cannot hold its cells.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "skin/data/SkinDescription.h"
#include "toolkit/core/BmpCodec.h"

using namespace relayon::skin;

namespace {

const std::map<std::string, std::vector<uint8_t>>& Entries() {
    static const auto entries = [] {
        std::map<std::string, std::vector<uint8_t>> m;
        const int sizes[][2] = {{1, 1}, {3, 3}, {16, 4}, {50, 21}, {126, 21}, {368, 16}, {120, 10}, {10, 40}};
        int i = 0;
        for (auto [w, h] : sizes) m["b" + std::to_string(i++) + ".bmp"] = EncodeBmpFile(SolidImage(w, h, 0xFF00FF * (i & 1)));
        m["bad.bmp"] = {'B', 'M', 0, 0};
        return m;
    }();
    return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TQuickIni ini;
    ini.LoadFromBytes({data, size});
    SkinLoadEnvironment env;
    env.readEntry = [](const std::string& name) {
        auto it = Entries().find(name);
        return it == Entries().end() ? std::vector<uint8_t>{} : it->second;
    };
    const SkinDescription d = LoadSkinDescription(ini, env);
    for (const auto& [name, e] : d.Optionals()) {
        if (!*e) continue;
        const SkinElement& el = **e;
        if (el.frame > 0 && (el.stacked ? el.Map.height : el.Map.width) < el.frame) __builtin_trap();
    }
    return 0;
}
