#pragma once
// Builds skin packages and skin files (the format TSkinReader reads; table in
// Skinread.h). Used by the skinpack tool and by tests.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace relayon::skin {

struct SkinEntry {
    std::string name;
    std::vector<uint8_t> data;
};

// Header, a zero-filled version block, the directory (names joined by CR LF,
// with a final CR LF), the size table and the data. Throws
// std::invalid_argument for an unknown version, more than 1,001 entries, a
// name that is empty or holds a line break, or a package above the size limit.
std::vector<uint8_t> BuildSkinPackage(const std::vector<SkinEntry>& entries, int32_t version = 40000);

// BuildSkinPackage, compressed into the skin-file container.
std::vector<uint8_t> BuildSkinFile(const std::vector<SkinEntry>& entries, int32_t version = 40000);

} // namespace relayon::skin
