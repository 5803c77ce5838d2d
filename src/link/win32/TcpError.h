// The one error type of the TCP client: connection attempts that fail, reads
// that time out, and a connection found broken. Code() is the Winsock error
// number when there is one (WSAECONNREFUSED, WSAETIMEDOUT, ...), else 0.
#pragma once

#include <stdexcept>
#include <string>

class TcpError : public std::runtime_error {
public:
    explicit TcpError(const std::string& message, int code = 0);
    int Code() const { return code_; }

private:
    int code_;
};
