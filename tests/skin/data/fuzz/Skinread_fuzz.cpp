// Feeds arbitrary bytes to the skin package reader, both as a decompressed
// package and as a compressed skin file, and checks that every entry it then
// hands out lies inside the data it accepted.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "skin/data/Skinread.h"

using namespace relayon::skin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> input(data, size);
    TSkinReader reader;
    const bool fromFile = size > 0 && (data[0] & 1);
    const bool ok = fromFile ? reader.Loadfromstream(input.subspan(1)) : reader.LoadPackage(input.subspan(size > 0 ? 1 : 0));
    if (!ok) {
        if (reader.Num != 0 || !reader.ms.empty()) std::abort();  // a failed load must not leave content
        return 0;
    }
    size_t total = 0;
    for (int i = 0; i < reader.Num; ++i) {
        if (reader.sizes[i] < 0) std::abort();
        total += static_cast<size_t>(reader.sizes[i]);
    }
    if (total != reader.ms.size() || reader.Num > kMaxSkinEntries) std::abort();
    std::vector<uint8_t> m;
    for (int i = 0; i < reader.Num; ++i) {
        reader.readfile(reader.Dir[i], m);
        if (m.size() > static_cast<size_t>(reader.sizes[i])) std::abort();
    }
    std::string fname;
    reader.readIni(".ini", m, fname);
    return 0;
}
