// lzh c IN OUT        compress IN into the LZH container (4-byte size + codes)
// lzh d IN OUT [MAX]  decompress a container; refuses declared sizes above MAX
//                     bytes (default 512 MiB)

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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

std::vector<uint8_t> ReadFile(const char* name) {
    std::ifstream in(name, std::ios::binary);
    if (!in) throw std::runtime_error(std::string("cannot open ") + name + ": " + std::strerror(errno));
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw std::runtime_error(std::string("cannot read ") + name);
    return bytes;
}

void WriteFile(const char* name, const std::vector<uint8_t>& bytes) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error(std::string("cannot create ") + name + ": " + std::strerror(errno));
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) throw std::runtime_error(std::string("cannot write ") + name);
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
