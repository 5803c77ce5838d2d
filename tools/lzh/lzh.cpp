// lzh c IN OUT        compress IN into the LZH container (4-byte size + codes)
// lzh d IN OUT [MAX]  decompress a container; refuses declared sizes above MAX
//                     bytes (default 512 MiB)

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "skin/data/Winconvert.h"

namespace {

constexpr size_t kDefaultMax = size_t{512} << 20;

int Usage() {
    std::fprintf(stderr,
                 "usage: lzh c IN OUT        compress IN to OUT (LZH container)\n"
                 "       lzh d IN OUT [MAX]  decompress IN to OUT, at most MAX bytes (default %zu)\n",
                 kDefaultMax);
    return 2;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::runtime_error FileError(const char* what, const char* name) {
    return std::runtime_error(std::string(what) + " " + name + ": " + std::strerror(errno));
}

// The whole file in one buffer, read with as few calls as its size allows:
// byte-wise stream iterators cost more than decoding the file does.
std::vector<uint8_t> ReadFile(const char* name) {
    File in(std::fopen(name, "rb"));
    if (!in) throw FileError("cannot open", name);
    std::vector<uint8_t> bytes;
    // The size of a regular file sizes the buffer; pipes and devices grow
    // it (a directory's seek end is no size, and its read fails).
    struct stat info {};
    if (fstat(fileno(in.get()), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
        bytes.resize(static_cast<size_t>(info.st_size));
    size_t used = 0;
    for (;;) {
        if (used < bytes.size()) {
            used += std::fread(bytes.data() + used, 1, bytes.size() - used, in.get());
            if (used < bytes.size()) break;  // a short read: the end, or an error
        }
        // A full buffer: the file grew or is a pipe; one more byte tells.
        const int next = std::fgetc(in.get());
        if (next == EOF) break;
        bytes.resize(std::max<size_t>(bytes.size() * 2, size_t{1} << 16));
        bytes[used++] = static_cast<uint8_t>(next);
    }
    if (std::ferror(in.get())) throw FileError("cannot read", name);
    bytes.resize(used);
    return bytes;
}

void WriteFile(const char* name, const std::vector<uint8_t>& bytes) {
    File out(std::fopen(name, "wb"));
    if (!out) throw FileError("cannot create", name);
    const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), out.get()) == bytes.size();
    // Buffered data reaches the file only at close, so a full disk shows there.
    const bool closed = std::fclose(out.release()) == 0;
    if (!written || !closed) throw FileError("cannot write", name);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || std::strlen(argv[1]) != 1) return Usage();
    const char mode = argv[1][0];
    try {
        if (mode == 'c' && argc == 4) {
            WriteFile(argv[3], relayon::skin::PutBlockStream(ReadFile(argv[2])));
            return 0;
        }
        if (mode == 'd' && (argc == 4 || argc == 5)) {
            size_t max = kDefaultMax;
            if (argc == 5) {
                char* end = nullptr;
                max = std::strtoull(argv[4], &end, 10);
                if (end == argv[4] || *end != '\0') return Usage();
            }
            WriteFile(argv[3], relayon::skin::GetBlockStream(ReadFile(argv[2]), max));
            return 0;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lzh: %s\n", e.what());
        return 1;
    }
    return Usage();
}
