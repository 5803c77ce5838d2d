#include "skin/data/SkinWriter.h"

#include <stdexcept>

#include "skin/data/Skinread.h"
#include "skin/data/Winconvert.h"

namespace relayon::skin {

namespace {

void PutLe32(std::vector<uint8_t>& out, int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

} // namespace

std::vector<uint8_t> BuildSkinPackage(const std::vector<SkinEntry>& entries, int32_t version) {
    const std::optional<int> block = SkinVersionBlockSize(version);
    if (!block) throw std::invalid_argument("unknown skin package version " + std::to_string(version));
    if (entries.size() > static_cast<size_t>(kMaxSkinEntries))
        throw std::invalid_argument("a skin package holds at most 1001 entries");

    std::string directory;
    uint64_t dataSize = 0;
    for (const SkinEntry& e : entries) {
        if (e.name.empty()) throw std::invalid_argument("empty entry name");
        if (e.name.find_first_of("\r\n") != std::string::npos)
            throw std::invalid_argument("entry name with a line break: " + e.name);
        directory += e.name;
        directory += "\r\n";
        dataSize += e.data.size();
    }
    const uint64_t total = kSkinHeaderSize + static_cast<uint64_t>(*block) + directory.size() + 4 * entries.size() + dataSize;
    if (total > static_cast<uint64_t>(kMaxPackageSize)) throw std::invalid_argument("skin package too large");

    std::vector<uint8_t> out;
    out.reserve(static_cast<size_t>(total));
    PutLe32(out, version);
    PutLe32(out, static_cast<int32_t>(directory.size()));
    PutLe32(out, 0);
    PutLe32(out, 0);
    out.insert(out.end(), static_cast<size_t>(*block), 0);
    out.insert(out.end(), directory.begin(), directory.end());
    for (const SkinEntry& e : entries) PutLe32(out, static_cast<int32_t>(e.data.size()));
    for (const SkinEntry& e : entries) out.insert(out.end(), e.data.begin(), e.data.end());
    return out;
}

std::vector<uint8_t> BuildSkinFile(const std::vector<SkinEntry>& entries, int32_t version) {
    return PutBlockStream(BuildSkinPackage(entries, version));
}

} // namespace relayon::skin
