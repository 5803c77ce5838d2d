#include "LinePeer.h"

#include "toolkit/testing/UiDriver.h"

LinePeer::LinePeer()
{
    handle_ = CreateFileA("COM2", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    COMMTIMEOUTS t{};
    t.ReadIntervalTimeout = MAXDWORD;
    SetCommTimeouts(handle_, &t);
    PurgeComm(handle_, PURGE_RXCLEAR);
}

LinePeer::~LinePeer()
{
    if (Ok())
        CloseHandle(handle_);
}

std::vector<uint8_t> LinePeer::Receive(size_t count, int ms)
{
    std::vector<uint8_t> got;
    const auto readSome = [&] {
        uint8_t buffer[64];
        DWORD n = 0;
        if (ReadFile(handle_, buffer, sizeof buffer, &n, nullptr) && n > 0)
            got.insert(got.end(), buffer, buffer + n);
    };
    uitest::PumpUntil([&] {
        readSome();
        return got.size() >= count;
    }, ms);
    uitest::Pump(30);
    readSome();
    return got;
}

void LinePeer::Send(const std::vector<uint8_t>& bytes)
{
    DWORD n = 0;
    WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
}
