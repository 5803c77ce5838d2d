#include "link/win32/TcpError.h"

namespace {

std::string WithCode(const std::string& message, int code)
{
    return code == 0 ? message : message + " (error " + std::to_string(code) + ")";
}

}  // namespace

TcpError::TcpError(const std::string& message, int code) : std::runtime_error(WithCode(message, code)), code_(code)
{
}
