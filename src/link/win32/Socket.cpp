#include "link/win32/Socket.h"

#include "link/win32/TcpError.h"

namespace {

class WinsockSession {
public:
    WinsockSession() { error_ = WSAStartup(MAKEWORD(2, 2), &data_); }
    ~WinsockSession()
    {
        if (error_ == 0)
            WSACleanup();
    }
    int Error() const { return error_; }

private:
    WSADATA data_{};
    int error_ = 0;
};

bool WaitFor(SOCKET s, int timeoutMs, bool forWriting)
{
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(s, &ready);
    timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    timeval* limitOrForever = timeoutMs < 0 ? nullptr : &limit;
    int n = forWriting ? select(0, nullptr, &ready, nullptr, limitOrForever)
                       : select(0, &ready, nullptr, nullptr, limitOrForever);
    return n > 0;
}

}  // namespace

void EnsureWinsock()
{
    static WinsockSession session;
    if (session.Error() != 0)
        throw TcpError("Winsock could not start", session.Error());
}

bool SetNonBlocking(SOCKET s, bool nonBlocking)
{
    u_long mode = nonBlocking ? 1 : 0;
    return ioctlsocket(s, FIONBIO, &mode) == 0;
}

bool WaitReadable(SOCKET s, int timeoutMs)
{
    return WaitFor(s, timeoutMs, false);
}

bool WaitWritable(SOCKET s, int timeoutMs)
{
    return WaitFor(s, timeoutMs, true);
}
