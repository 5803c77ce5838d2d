// ptybridge: a null-modem cable between two pseudo-terminals.
//
//   ptybridge LINK_A LINK_B
//
// Creates two pseudo-terminals, links their device paths to LINK_A and LINK_B
// and copies every byte written to one to the other, until killed. The Wine test
// prefix maps COM1 and COM2 to the two links, so a Win32 test can write on one
// COM port and read what arrives on the other, through the real serial API.
// Both slave ends stay open here so the masters never see a hang-up when a
// program closes its port and opens it again.
#include <pty.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <cerrno>

namespace {

struct Pty {
    int master = -1;
    int slave = -1;
    char path[256] = {};
};

bool OpenRawPty(Pty& pty)
{
    if (openpty(&pty.master, &pty.slave, pty.path, nullptr, nullptr) != 0)
        return false;
    termios tio{};
    tcgetattr(pty.slave, &tio);
    cfmakeraw(&tio);
    tcsetattr(pty.slave, TCSANOW, &tio);
    return true;
}

bool LinkTo(const Pty& pty, const char* link)
{
    unlink(link);
    return symlink(pty.path, link) == 0;
}

// Copies what is waiting on `from` to `to`; false when `from` is gone for good.
bool Relay(int from, int to)
{
    unsigned char buffer[4096];
    ssize_t n = read(from, buffer, sizeof buffer);
    if (n < 0)
        return errno == EAGAIN || errno == EINTR || errno == EIO;
    for (ssize_t done = 0; done < n;) {
        ssize_t w = write(to, buffer + done, n - done);
        if (w < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            return false;
        }
        done += w;
    }
    return true;
}

volatile std::sig_atomic_t gStop = 0;

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: ptybridge LINK_A LINK_B\n");
        return 2;
    }
    std::signal(SIGTERM, [](int) { gStop = 1; });
    std::signal(SIGINT, [](int) { gStop = 1; });
    Pty a, b;
    if (!OpenRawPty(a) || !OpenRawPty(b) || !LinkTo(a, argv[1]) || !LinkTo(b, argv[2])) {
        std::perror("ptybridge");
        return 1;
    }
    std::printf("%s -> %s\n%s -> %s\n", argv[1], a.path, argv[2], b.path);
    std::fflush(stdout);
    while (!gStop) {
        pollfd fds[2] = {{a.master, POLLIN, 0}, {b.master, POLLIN, 0}};
        if (poll(fds, 2, 200) < 0 && errno != EINTR)
            break;
        if ((fds[0].revents & POLLIN) && !Relay(a.master, b.master))
            break;
        if ((fds[1].revents & POLLIN) && !Relay(b.master, a.master))
            break;
    }
    unlink(argv[1]);
    unlink(argv[2]);
    return 0;
}
