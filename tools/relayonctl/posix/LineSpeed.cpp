// Linux's termios2 interface takes the baud rate as a number, which 14400
// needs: POSIX termios has no B14400. Kept in a file of its own because
// <asm/termbits.h> clashes with <termios.h>.
#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <cstdint>

#include "FdLink.h"

namespace relayon::ctl {

bool SetLineSpeed(int fd, unsigned baud)
{
    termios2 tio{};
    if (ioctl(fd, TCGETS2, &tio) != 0)
        return false;
    tio.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
    tio.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    tio.c_ispeed = baud;
    tio.c_ospeed = baud;
    return ioctl(fd, TCSETS2, &tio) == 0;
}

}  // namespace relayon::ctl
