#include "skin/data/Skinread.h"

#include <fstream>
#include <iterator>

#include "base/ByteIo.h"
#include "skin/data/Winconvert.h"

namespace relayon::skin {

std::optional<int> SkinVersionBlockSize(int32_t version) {
    switch (version) {
    case 20000: return 0;
    case 30000: return 256;
    case 40000: return 80;
    case 50000: return 48;
    case 60000: return 117;
    case 70000: return 69;
    default: return std::nullopt;
    }
}

std::string LowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::vector<std::string> SplitSkinDirectory(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0, i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

bool TSkinReader::Decompress(std::span<const uint8_t> source, std::vector<uint8_t>& Dest, std::string* error) {
    auto fail = [&](std::string why) {
        if (error) *error = std::move(why);
        return false;
    };
    if (source.size() < 4) return fail("shorter than its 4-byte size word");
    const int32_t declared = BlockStreamDeclaredSize(source);
    if (declared < 0) return fail("negative package size " + std::to_string(declared));
    if (declared > kMaxPackageSize) return fail("package size " + std::to_string(declared) + " above the limit");
    // Each code bit yields at most one symbol and each symbol at most 60
    // bytes, so a declared size beyond that comes from a truncated or forged
    // stream; refusing it saves decoding megabytes of zero bits.
    const uint64_t codeBytes = source.size() - 4;
    if (static_cast<uint64_t>(declared) > codeBytes * 8 * 60 + 60)
        return fail("code stream too short for the declared package size " + std::to_string(declared));
    Dest = GetBlockStream(source, static_cast<size_t>(kMaxPackageSize));
    return true;
}

bool TSkinReader::Reject(SkinLoadStatus status, std::string why) {
    lastStatus_ = status;
    lastError_ = std::move(why);
    return false;
}

bool TSkinReader::Loadfromstream(std::span<const uint8_t> r2) {
    std::vector<uint8_t> package;
    std::string why;
    if (!Decompress(r2, package, &why)) return Reject(SkinLoadStatus::Malformed, "Skin file: " + why);
    return LoadPackage(package);
}

bool TSkinReader::loadfromfile(const std::string& aname) {
    std::ifstream in(aname, std::ios::binary);
    if (!in) return Reject(SkinLoadStatus::FileMissing, "Skin file not found: " + aname);
    in.seekg(0, std::ios::end);
    const std::streamoff length = in.tellg();
    in.seekg(0, std::ios::beg);
    // A skin file is compressed, so it is never larger than the package cap.
    if (length < 0 || length > kMaxPackageSize) return Reject(SkinLoadStatus::Malformed, "Skin file too large: " + aname);
    std::vector<uint8_t> bytes(static_cast<size_t>(length));
    if (length > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), length))
        return Reject(SkinLoadStatus::Malformed, "Skin file could not be read: " + aname);
    return Loadfromstream(bytes);
}

bool TSkinReader::LoadPackage(std::span<const uint8_t> package) {
    ByteReader in(package);
    TSkinHeader h;
    h.Version = in.I32();
    h.DirLen = in.I32();
    h.U1 = in.I32();
    h.U2 = in.I32();
    if (!in.Ok())
        return Reject(SkinLoadStatus::Malformed,
                      "Skin package: header past the end (" + std::to_string(package.size()) + " bytes)");

    const std::optional<int> block = SkinVersionBlockSize(h.Version);
    if (!block) {
        if (onMessage_) onMessage_(kOlderSkinMessage);
        return Reject(SkinLoadStatus::UnknownVersion, kOlderSkinMessage);
    }
    if (h.DirLen < 0) return Reject(SkinLoadStatus::Malformed, "Skin package: negative directory length");
    in.Skip(static_cast<size_t>(*block));
    const std::span<const uint8_t> dirBytes = in.Take(static_cast<size_t>(h.DirLen));
    if (!in.Ok()) return Reject(SkinLoadStatus::Malformed, "Skin package: directory past the end");

    const std::string_view dirText(reinterpret_cast<const char*>(dirBytes.data()), dirBytes.size());
    std::vector<std::string> names = SplitSkinDirectory(LowerAscii(dirText));
    if (names.size() > static_cast<size_t>(kMaxSkinEntries))
        return Reject(SkinLoadStatus::Malformed,
                      "Skin package: " + std::to_string(names.size()) + " entries, at most 1001 allowed");

    std::array<int32_t, kMaxSkinEntries> newSizes{};
    for (size_t i = 0; i < names.size(); ++i) newSizes[i] = in.I32();
    if (!in.Ok()) return Reject(SkinLoadStatus::Malformed, "Skin package: size table past the end");
    uint64_t sum = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        if (newSizes[i] < 0)
            return Reject(SkinLoadStatus::Malformed, "Skin package: negative size for entry \"" + names[i] + "\"");
        sum += static_cast<uint64_t>(newSizes[i]);
    }
    const std::span<const uint8_t> data = in.Take(in.Remaining());
    if (sum != data.size())
        return Reject(SkinLoadStatus::Malformed, "Skin package: entry sizes add up to " + std::to_string(sum) +
                                                     " bytes but " + std::to_string(data.size()) + " bytes of data follow");

    // Everything checked: take the new content.
    header = h;
    Dir = std::move(names);
    Num = static_cast<int>(Dir.size());
    sizes = newSizes;
    ms.assign(data.begin(), data.end());
    lastStatus_ = SkinLoadStatus::Ok;
    lastError_.clear();
    return true;
}

size_t TSkinReader::EntryOffset(int index) const {
    size_t offset = 0;
    for (int i = 0; i < index && i < Num; ++i) offset += static_cast<size_t>(sizes[i]);
    return offset;
}

void TSkinReader::readfile(const std::string& aname, std::vector<uint8_t>& m) const {
    m.clear();
    const std::string wanted = LowerAscii(aname);
    size_t offset = 0;
    for (int i = 0; i < Num; ++i) {
        const size_t size = static_cast<size_t>(sizes[i]);
        if (Dir[i] == wanted) {
            if (offset + size <= ms.size()) m.assign(ms.begin() + offset, ms.begin() + offset + size);
            return;
        }
        offset += size;
    }
}

void TSkinReader::readIni(const std::string& aname, std::vector<uint8_t>& m, std::string& fname) const {
    m.clear();
    if (aname.empty()) return;  // an empty pattern names no entry
    size_t offset = 0;
    for (int i = 0; i < Num; ++i) {
        const size_t size = static_cast<size_t>(sizes[i]);
        if (Dir[i].find(aname) != std::string::npos) {
            if (offset + size <= ms.size()) m.assign(ms.begin() + offset, ms.begin() + offset + size);
            fname = Dir[i];
            return;
        }
        offset += size;
    }
}

} // namespace relayon::skin
