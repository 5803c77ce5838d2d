// lzh c IN OUT        compress IN into the LZH container (4-byte size + codes)
// lzh d IN OUT [MAX]  decompress a container; refuses declared sizes above MAX
//                     bytes (default 512 MiB)

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

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

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool Close() { return ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

class Mapping {
public:
    Mapping(void* address, size_t size) : address_(address), size_(size) {}
    ~Mapping() {
        if (address_ != MAP_FAILED) munmap(address_, size_);
    }
    Mapping(const Mapping&) = delete;
    Mapping& operator=(const Mapping&) = delete;
    bool ok() const { return address_ != MAP_FAILED; }
    uint8_t* data() const { return static_cast<uint8_t*>(address_); }

private:
    void* address_;
    size_t size_;
};

// An input file: a regular file is mapped (its pages come straight from the
// page cache, without a copy or a fresh buffer to fault in), anything else is
// read into memory.
class Input {
public:
    explicit Input(const char* name) {
        Descriptor fd(::open(name, O_RDONLY | O_CLOEXEC));
        struct stat info {};
        if (fd.get() >= 0 && fstat(fd.get(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
            identity_ = info;
            mapping_ = std::make_unique<Mapping>(
                mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd.get(), 0),
                static_cast<size_t>(info.st_size));
            if (mapping_->ok()) {
                bytes_ = {mapping_->data(), static_cast<size_t>(info.st_size)};
                return;
            }
            mapping_.reset();
        }
        copy_ = ReadFile(name);  // reports the error of a file that cannot be opened or read
        bytes_ = copy_;
    }

    std::span<const uint8_t> Bytes() const { return bytes_; }

    // Writing `name` would truncate this very file under its mapping: keep a
    // copy in memory instead.
    void DetachIfSameFile(const char* name) {
        struct stat other {};
        if (!mapping_ || ::stat(name, &other) != 0) return;
        if (other.st_dev != identity_.st_dev || other.st_ino != identity_.st_ino) return;
        copy_.assign(bytes_.begin(), bytes_.end());
        bytes_ = copy_;
        mapping_.reset();
    }

private:
    struct stat identity_ {};
    std::unique_ptr<Mapping> mapping_;
    std::vector<uint8_t> copy_;
    std::span<const uint8_t> bytes_;
};

void WriteAll(int fd, std::span<const uint8_t> bytes, const char* name) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) throw FileError("cannot write", name);
        bytes = bytes.subspan(static_cast<size_t>(put));
    }
}

// An output file written in the blocks the codec hands on, so no buffer
// the size of the result is ever faulted in.
class Output {
public:
    explicit Output(const char* name)
        : name_(name), fd_(::open(name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)) {
        if (fd_.get() < 0) throw FileError("cannot create", name);
    }
    void Write(const uint8_t* data, size_t size) { WriteAll(fd_.get(), {data, size}, name_); }
    // A failed close can be the first report of a failed write.
    void Close() {
        if (!fd_.Close()) throw FileError("cannot write", name_);
    }

private:
    const char* name_;
    Descriptor fd_;
};

void Compress(const char* inName, const char* outName) {
    Input input(inName);
    // Codes go out while the input is still being read.
    input.DetachIfSameFile(outName);
    Output out(outName);
    relayon::skin::PutBlockStreamTo(input.Bytes(), [&](const uint8_t* data, size_t n) { out.Write(data, n); });
    out.Close();
}

void Decompress(const char* inName, const char* outName, size_t max) {
    Input input(inName);
    input.DetachIfSameFile(outName);
    // The size is checked before the output exists, so a refused container
    // leaves no empty file behind.
    const size_t size = relayon::skin::CheckedBlockStreamSize(input.Bytes(), max);
    Output out(outName);
    // Decoded in blocks through a small buffer that stays in the cache and
    // written as they come: a megabyte-sized result buffer would cost more
    // in fresh pages than the decode itself.
    relayon::skin::GetBlockStreamTo(input.Bytes(), size, [&](const uint8_t* data, size_t n) { out.Write(data, n); });
    out.Close();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || std::strlen(argv[1]) != 1) return Usage();
    const char mode = argv[1][0];
    try {
        if (mode == 'c' && argc == 4) {
            Compress(argv[2], argv[3]);
            return 0;
        }
        if (mode == 'd' && (argc == 4 || argc == 5)) {
            size_t max = kDefaultMax;
            if (argc == 5) {
                char* end = nullptr;
                max = std::strtoull(argv[4], &end, 10);
                if (end == argv[4] || *end != '\0') return Usage();
            }
            Decompress(argv[2], argv[3], max);
            return 0;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lzh: %s\n", e.what());
        return 1;
    }
    return Usage();
}
