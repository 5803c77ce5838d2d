// The console's own Win32 transports behind relayonctl's Transport: the
// TCP client (2000 ms connect time-out, its input buffer) and the serial port
// (baud/8N1, reads of what is waiting only).
#include <windows.h>

#include <algorithm>
#include <cctype>

#include "link/win32/SerialPort.h"
#include "link/win32/TcpClient.h"
#include "relayonctl/core/Transport.h"

namespace relayon::ctl {

namespace {

class TcpLink : public Transport {
public:
    explicit TcpLink(TcpClient client) : client_(std::move(client)) {}

    bool Write(std::span<const uint8_t> bytes) override
    {
        client_.WriteBytes(bytes);
        Check();
        return failure_.empty();
    }

    std::vector<uint8_t> Read(int timeoutMs) override
    {
        if (!Check())
            return {};
        if (client_.InputBufferIsEmpty())
            client_.CheckForDataOnSource(timeoutMs);
        Check();
        if (client_.InputBufferIsEmpty())
            return {};
        return client_.ReadBytes(client_.InputBufferSize());
    }

    std::string Failure() const override { return failure_; }

private:
    // The client reports a broken connection by throwing from Connected().
    bool Check()
    {
        if (!failure_.empty())
            return false;
        try {
            if (!client_.Connected())
                failure_ = "the connection is closed";
        } catch (const TcpError& e) {
            failure_ = e.what();
        }
        return failure_.empty();
    }

    TcpClient client_;
    std::string failure_;
};

class SerialLink : public Transport {
public:
    explicit SerialLink(SerialPort port) : port_(std::move(port)) {}

    bool Write(std::span<const uint8_t> bytes) override
    {
        port_.Write(bytes);
        return true;
    }

    // The port never blocks for bytes that are not there, so waiting is a
    // short sleep between looks at the driver's queue.
    std::vector<uint8_t> Read(int timeoutMs) override
    {
        const DWORD start = GetTickCount();
        for (;;) {
            if (const size_t waiting = port_.BytesWaiting())
                return port_.Read(waiting);
            if (static_cast<int>(GetTickCount() - start) >= timeoutMs)
                return {};
            Sleep(2);
        }
    }

    std::string Failure() const override { return {}; }

private:
    SerialPort port_;
};

}  // namespace

std::unique_ptr<Transport> OpenTransport(const LinkOptions& options, std::string& error)
{
    if (options.tcp) {
        TcpClient client;
        client.Host = options.host;
        client.Port = options.tcpPort;
        client.ConnectTimeoutMs = kConnectTimeoutMs;
        try {
            client.Connect();
        } catch (const TcpError& e) {
            error = e.what();
            return nullptr;
        }
        return std::make_unique<TcpLink>(std::move(client));
    }
    const int number = std::atoi(options.serialPort.c_str() + 3);  // "COM<n>", checked by the parser
    SerialPort port;
    switch (port.Open(number, options.baud)) {
    case SerialPort::OpenResult::Ok: return std::make_unique<SerialLink>(std::move(port));
    case SerialPort::OpenResult::OpenFailed:
        error = "cannot open the port (Windows error " + std::to_string(port.LastError()) + ")";
        return nullptr;
    case SerialPort::OpenResult::ConfigFailed:
    default:
        error = "the port refused " + std::to_string(options.baud) + " baud 8N1";
        return nullptr;
    }
}

}  // namespace relayon::ctl
