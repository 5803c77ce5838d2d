#include "seqsim/PtyPort.h"

#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace relayon::seqsim {

namespace {

// True when `path` is free or a symlink we may replace; never removes a real file.
bool MayReplaceLink(const std::string& path, std::string& error)
{
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0)
        return true;
    if (S_ISLNK(info.st_mode))
        return true;
    error = path + " exists and is not a symlink; not replacing it";
    return false;
}

}  // namespace

PtyPort::~PtyPort() { Close(); }

void PtyPort::Close()
{
    if (!linkPath_.empty() && !path_.empty()) {
        char target[512] = {};
        ssize_t n = readlink(linkPath_.c_str(), target, sizeof target - 1);
        if (n > 0 && path_ == std::string(target, static_cast<size_t>(n)))
            unlink(linkPath_.c_str());
    }
    master_.Reset();
    slave_.Reset();
    path_.clear();
    out_.clear();
}

bool PtyPort::Open(std::string& error)
{
    if (!linkPath_.empty() && !MayReplaceLink(linkPath_, error))
        return false;
    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        error = std::string("openpty: ") + std::strerror(errno);
        return false;
    }
    master_.Reset(master);
    slave_.Reset(slave);
    path_ = name;
    termios tio{};
    tcgetattr(slave, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave, TCSANOW, &tio);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    fcntl(master, F_SETFD, FD_CLOEXEC);
    fcntl(slave, F_SETFD, FD_CLOEXEC);
    if (!linkPath_.empty()) {
        unlink(linkPath_.c_str());
        if (symlink(path_.c_str(), linkPath_.c_str()) != 0) {
            error = "symlink " + linkPath_ + ": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}

bool PtyPort::Replace(std::string& error)
{
    Close();
    return Open(error);
}

size_t PtyPort::Read(uint8_t* buffer, size_t size)
{
    ssize_t n = read(master_.Get(), buffer, size);
    return n > 0 ? static_cast<size_t>(n) : 0;
}

void PtyPort::Queue(std::span<const uint8_t> bytes, int64_t nowNs)
{
    if (bytes.empty())
        return;
    if (out_.empty())
        nextByteNs_ = std::max(nextByteNs_, nowNs + byteNs_);
    out_.insert(out_.end(), bytes.begin(), bytes.end());
}

void PtyPort::Flush(int64_t nowNs)
{
    std::vector<uint8_t> ready;
    while (!out_.empty() && nextByteNs_ <= nowNs) {
        ready.push_back(out_.front());
        out_.pop_front();
        nextByteNs_ += byteNs_;
    }
    size_t done = 0;
    while (done < ready.size()) {
        ssize_t n = write(master_.Get(), ready.data() + done, ready.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;  // nobody reading and the buffer is full: the line loses the bytes
        done += static_cast<size_t>(n);
    }
}

std::optional<int64_t> PtyPort::NextByteNs() const
{
    if (out_.empty())
        return std::nullopt;
    return nextByteNs_;
}

}  // namespace relayon::seqsim
