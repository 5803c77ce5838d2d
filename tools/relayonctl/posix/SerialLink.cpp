// Serial port through termios: raw bytes, 8 data bits, no parity, one stop
// bit, no flow control, the modem lines ignored (CLOCAL), as the console
// opens its COM port.
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "FdLink.h"

namespace relayon::ctl {

std::unique_ptr<Transport> OpenSerialLink(const std::string& path, unsigned baud, std::string& error)
{
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return nullptr;
    }
    auto link = std::make_unique<FdLink>(fd, false);
    termios tio{};
    if (!isatty(fd) || tcgetattr(fd, &tio) != 0) {
        error = "not a serial port";
        return nullptr;
    }
    cfmakeraw(&tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (tcsetattr(fd, TCSANOW, &tio) != 0 || !SetLineSpeed(fd, baud)) {
        error = std::string("the port refused ") + std::to_string(baud) + " baud 8N1: " + std::strerror(errno);
        return nullptr;
    }
    tcflush(fd, TCIFLUSH);
    return link;
}

}  // namespace relayon::ctl
