#include "link/win32/SerialPort.h"

#include "link/win32/SerialSettings.h"

#include <algorithm>
#include <utility>

SerialPort::SerialPort(SerialPort&& other) noexcept
    : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)), lastError_(other.lastError_)
{
}

SerialPort& SerialPort::operator=(SerialPort&& other) noexcept
{
    if (this != &other) {
        Close();
        handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
        lastError_ = other.lastError_;
    }
    return *this;
}

SerialPort::~SerialPort()
{
    Close();
}

SerialPort::OpenResult SerialPort::Open(int portNumber, unsigned baudRate)
{
    Close();
    lastError_ = 0;
    if (portNumber < 1) {
        lastError_ = ERROR_FILE_NOT_FOUND;
        return OpenResult::OpenFailed;
    }
    // The device namespace reaches every port; the plain name "COM10" and
    // above would be taken for a file in the current directory.
    const std::string name = "\\\\.\\" + SerialPortName(portNumber);
    HANDLE port = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        lastError_ = GetLastError();
        return OpenResult::OpenFailed;
    }
    handle_ = port;

    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(handle_, &dcb)) {
        lastError_ = GetLastError();
        Close();
        return OpenResult::ConfigFailed;
    }
    dcb.BaudRate = baudRate;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    if (!SetCommState(handle_, &dcb)) {
        lastError_ = GetLastError();
        Close();
        return OpenResult::ConfigFailed;
    }
    return OpenResult::Ok;
}

void SerialPort::Close()
{
    if (handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE));
}

void SerialPort::Write(std::span<const uint8_t> bytes)
{
    if (!IsOpen() || bytes.empty())
        return;
    DWORD written = 0;
    WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

size_t SerialPort::BytesWaiting()
{
    if (!IsOpen())
        return 0;
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(handle_, &errors, &status))
        return 0;
    return status.cbInQue;
}

std::vector<uint8_t> SerialPort::Read(size_t count)
{
    const size_t available = std::min(count, BytesWaiting());
    if (available == 0)
        return {};
    std::vector<uint8_t> bytes(available);
    DWORD got = 0;
    if (!ReadFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr))
        got = 0;
    bytes.resize(got);
    return bytes;
}

void SerialPort::PurgeInput()
{
    if (IsOpen())
        PurgeComm(handle_, PURGE_RXCLEAR);
}
