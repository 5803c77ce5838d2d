#pragma once
// TSkinReader unpacks a skin file and hands out its entries by name.
//
// Skin file (the compressed-stream container):
//
//   offset  size  content
//   0       4     uncompressed size of the skin package, little-endian signed
//   4       rest  LZHUF code stream (N 4096, F 60, THRESHOLD 2)
//
// Skin package (the decompressed bytes; integers little-endian, signed 32-bit):
//
//   part            size              content
//   header          16                Version, DirLen, U1, U2 (U1/U2 unused)
//   version block   by Version        opaque, skipped
//   directory text  DirLen            entry names, one per line (CR LF, LF or
//                                     CR); a final line break adds no entry
//   size table      4 x entry count   size of each entry, directory order
//   entry data      sum of the sizes  entries concatenated, no padding
//
//   Version  block   Version  block   Version  block
//   20000    0       40000    80      60000    117
//   30000    256     50000    48      70000    69
//
// The entry count is the number of directory lines, at most 1,001. Names are
// lower-cased (ASCII letters) on load; lookups lower-case the request too.
//
// Hostile input: every length is checked before it is read. A package whose
// header, directory or size table runs past its end, whose sizes are negative
// or do not add up exactly to the entry data, or which lists more than 1,001
// entries is rejected with a clear error, and the reader keeps what it held
// before. Decompression is capped (kMaxPackageSize, and no more output than
// the code stream can possibly encode).
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace relayon::skin {

struct TSkinHeader {
    int32_t Version = 0;
    int32_t DirLen = 0;
    int32_t U1 = 0;
    int32_t U2 = 0;
};

constexpr int kSkinHeaderSize = 16;
constexpr int kMaxSkinEntries = 1001;
// Far above any real skin (a few hundred kilobytes) and low enough that a
// forged size field cannot make us allocate gigabytes.
constexpr int32_t kMaxPackageSize = 64 * 1024 * 1024;

// The version block size for a known Version, nothing for an unknown one.
std::optional<int> SkinVersionBlockSize(int32_t version);

// The text shown for a package of an unknown version.
inline constexpr const char* kOlderSkinMessage = "This is Older Skin File\rPlease update to new version !";

enum class SkinLoadStatus {
    Ok,
    UnknownVersion,  // kOlderSkinMessage was reported; nothing changed
    Malformed,       // the bytes are not a usable package; nothing changed
    FileMissing,     // loadfromfile only; no message
};

class TSkinReader {
public:
    // Called with kOlderSkinMessage for a package of unknown version. The
    // Win32 side shows it in a message box; native callers log or ignore it.
    using MessageHandler = std::function<void(const std::string& text)>;

    std::vector<std::string> Dir;                 // entry names, lower case
    int Num = 0;                                  // entry count
    std::array<int32_t, kMaxSkinEntries> sizes{}; // entry sizes, directory order
    std::vector<uint8_t> ms;                      // entry data, first entry to end of package
    TSkinHeader header;

    void SetMessageHandler(MessageHandler handler) { onMessage_ = std::move(handler); }

    // Decodes a skin file (size word + code stream) into `Dest`, replacing its
    // content. Rejects (returns false, `error` set) a negative or oversized
    // declared size and a size the code stream is too short to produce.
    static bool Decompress(std::span<const uint8_t> source, std::vector<uint8_t>& Dest, std::string* error = nullptr);

    // Unpacks the skin file in `r2`. True when a package of known version was
    // read; on any failure the reader's content is unchanged.
    bool Loadfromstream(std::span<const uint8_t> r2);
    // False without any message when the file does not exist; otherwise as Loadfromstream.
    bool loadfromfile(const std::string& aname);
    // Reads an already decompressed package (used by Loadfromstream, the tools and tests).
    bool LoadPackage(std::span<const uint8_t> package);

    // Clears `m`; fills it with the bytes of the entry named exactly `aname`
    // (compared in lower case), the first one when several share the name.
    void readfile(const std::string& aname, std::vector<uint8_t>& m) const;
    // Clears `m`; fills it with the first entry whose (lower-case) name
    // contains `aname` and sets `fname` to that name; `fname` is untouched
    // when there is none.
    void readIni(const std::string& aname, std::vector<uint8_t>& m, std::string& fname) const;

    SkinLoadStatus LastStatus() const { return lastStatus_; }
    const std::string& LastError() const { return lastError_; }

    // Offset of entry `index` in `ms` (sizes are validated on load, so the
    // offsets of all entries lie inside `ms`).
    size_t EntryOffset(int index) const;

private:
    bool Reject(SkinLoadStatus status, std::string why);

    MessageHandler onMessage_;
    SkinLoadStatus lastStatus_ = SkinLoadStatus::Ok;
    std::string lastError_;
};

// Splits directory text into lines at CR LF, LF or CR; a final line break adds
// no entry, an empty text has none.
std::vector<std::string> SplitSkinDirectory(std::string_view text);

// ASCII-only lower-casing, as the reader applies to names.
std::string LowerAscii(std::string_view text);

} // namespace relayon::skin
