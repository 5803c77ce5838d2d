#include "skin/data/SkinWriter.h"

#include <stdexcept>

#include "base/ByteIo.h"
#include "skin/data/Skinread.h"
#include "skin/data/Winconvert.h"

namespace relayon::skin {

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
    ByteWriter w(out);
    w.I32(version);
    w.I32(static_cast<int32_t>(directory.size()));
    w.I32(0);  // U1, U2: not interpreted by readers
    w.I32(0);
    w.Zeros(static_cast<size_t>(*block));
    w.Bytes(std::span(reinterpret_cast<const uint8_t*>(directory.data()), directory.size()));
    for (const SkinEntry& e : entries) w.I32(static_cast<int32_t>(e.data.size()));
    for (const SkinEntry& e : entries) w.Bytes(e.data);
    return out;
}

std::vector<uint8_t> BuildSkinFile(const std::vector<SkinEntry>& entries, int32_t version) {
    return PutBlockStream(BuildSkinPackage(entries, version));
}

} // namespace relayon::skin
