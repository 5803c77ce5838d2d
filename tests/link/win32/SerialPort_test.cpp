// SerialPort against the test prefix's null-modem pair: COM1 and COM2 are the
// two ends of a pseudo-terminal bridge, so bytes written on one arrive on the
// other through the real serial API. COM5 is mapped to a path with no device.
#include "link/win32/SerialPort.h"
#include "link/win32/SerialSettings.h"
#include "support/Bounded.h"

#include <gtest/gtest.h>

#include <chrono>
#include <numeric>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<uint8_t>;

// Polls until `count` bytes are waiting on `port` or two seconds pass.
bool AwaitWaiting(SerialPort& port, size_t count)
{
    const auto end = std::chrono::steady_clock::now() + 2s;
    while (port.BytesWaiting() < count && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(5ms);
    return port.BytesWaiting() >= count;
}

// Settles the line: nothing in flight, nothing waiting on either end.
void Drain(SerialPort& a, SerialPort& b)
{
    std::this_thread::sleep_for(30ms);
    a.PurgeInput();
    b.PurgeInput();
}

HANDLE OpenRaw(const char* name)
{
    return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

// Whether `h` is still an open handle of this process. (Wine neither
// refuses a second open of a serial device nor counts handles, so this is
// how the tests see that a port was released.)
bool IsLive(HANDLE h)
{
    DWORD flags = 0;
    return h != INVALID_HANDLE_VALUE && GetHandleInformation(h, &flags);
}

// After a new open, the old handle must be gone: either its value was free to
// be handed out again, or it is no longer valid.
bool Replaced(HANDLE old, HANDLE now)
{
    return old == now || !IsLive(old);
}

// Wine on a pseudo-terminal sets rates that termios lacks (14400) through a
// custom divisor on top of 38400, and then reports 38400.
bool UnderWine()
{
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

unsigned ReportedBaud(unsigned requested)
{
    return UnderWine() && requested == 14400 ? 38400 : requested;
}

DCB CurrentState(HANDLE port)
{
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    EXPECT_TRUE(GetCommState(port, &dcb));
    return dcb;
}

TEST(SerialSettings, BaudTableAndPortNames)
{
    EXPECT_EQ(BaudForIndex(0), 4800u);
    EXPECT_EQ(BaudForIndex(1), 9600u);
    EXPECT_EQ(BaudForIndex(2), 14400u);
    EXPECT_EQ(BaudForIndex(3), 19200u);
    EXPECT_EQ(BaudForIndex(-1), 19200u);  // nothing selected
    EXPECT_EQ(BaudForIndex(7), 19200u);
    EXPECT_EQ(SerialPortName(1), "COM1");
    EXPECT_EQ(SerialPortName(8), "COM8");
}

// Leaves COM1 at 38400 baud with two stop bits (and asks for 7 data bits,
// even parity, which a pseudo-terminal ignores: it always reports 8N), so
// that an open which forgets a line setting shows. Returns the driver's
// settings as read back after reopening.
DCB ScrambleCom1()
{
    HANDLE raw = OpenRaw("COM1");
    EXPECT_NE(raw, INVALID_HANDLE_VALUE) << "COM1 is not mapped; is the pty bridge running?";
    DCB dcb = CurrentState(raw);
    dcb.BaudRate = 38400;
    dcb.ByteSize = 7;
    dcb.Parity = EVENPARITY;
    dcb.StopBits = TWOSTOPBITS;
    EXPECT_TRUE(SetCommState(raw, &dcb));
    CloseHandle(raw);
    raw = OpenRaw("COM1");
    const DCB kept = CurrentState(raw);
    CloseHandle(raw);
    EXPECT_EQ(kept.BaudRate, 38400u);
    EXPECT_EQ(kept.StopBits, TWOSTOPBITS);
    return kept;
}

// Each baud index opens COM1 with that rate and 8N1, and leaves the rest of
// the driver's settings as they were.
TEST(SerialPort, OpensCom1AtEveryBaudWithEightNoneOne)
{
    for (int index : {0, 1, 2, 3, -1}) {
        SCOPED_TRACE(index);
        const DCB before = ScrambleCom1();
        const unsigned baud = BaudForIndex(index);
        SerialPort port;
        ASSERT_EQ(port.Open(1, baud), SerialPort::OpenResult::Ok) << "error " << port.LastError();
        EXPECT_TRUE(port.IsOpen());
        ASSERT_NE(port.Handle(), INVALID_HANDLE_VALUE);
        const DCB now = CurrentState(port.Handle());
        EXPECT_EQ(now.BaudRate, ReportedBaud(baud));
        EXPECT_EQ(now.ByteSize, 8);
        EXPECT_EQ(now.Parity, NOPARITY);
        EXPECT_EQ(now.StopBits, ONESTOPBIT);
        EXPECT_EQ(now.fOutxCtsFlow, before.fOutxCtsFlow);
        EXPECT_EQ(now.fRtsControl, before.fRtsControl);
        EXPECT_EQ(now.fOutX, before.fOutX);
        EXPECT_EQ(now.fInX, before.fInX);
        EXPECT_EQ(now.XonChar, before.XonChar);
        EXPECT_EQ(now.XoffChar, before.XoffChar);
        EXPECT_EQ(port.LastError(), 0u);
    }
}

// Close, a new Open, the destructor and a move each leave exactly one owner
// of the device handle or none.
TEST(SerialPort, OwnsItsHandleUntilClosed)
{
    SerialPort port;
    ASSERT_EQ(port.Open(1, 19200), SerialPort::OpenResult::Ok);
    const HANDLE first = port.Handle();
    EXPECT_TRUE(IsLive(first));

    ASSERT_EQ(port.Open(1, 9600), SerialPort::OpenResult::Ok);
    EXPECT_TRUE(Replaced(first, port.Handle())) << "a new Open must close the old handle";
    EXPECT_EQ(CurrentState(port.Handle()).BaudRate, 9600u);
    const HANDLE com1 = port.Handle();

    SerialPort moved(std::move(port));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.Handle(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(moved.Handle(), com1);
    port.Close();  // closing an already closed port is harmless
    EXPECT_TRUE(IsLive(com1));

    SerialPort assigned;
    ASSERT_EQ(assigned.Open(2, 9600), SerialPort::OpenResult::Ok);
    const HANDLE com2 = assigned.Handle();
    assigned = std::move(moved);  // drops COM2, takes COM1
    EXPECT_FALSE(IsLive(com2));
    EXPECT_EQ(assigned.Handle(), com1);
    EXPECT_EQ(CurrentState(com1).BaudRate, 9600u);
    {
        SerialPort scoped(std::move(assigned));
    }
    EXPECT_FALSE(IsLive(com1)) << "the destructor must close the port";

    ASSERT_EQ(port.Open(1, 4800), SerialPort::OpenResult::Ok);
    const HANDLE again = port.Handle();
    port.Close();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(IsLive(again));
}

TEST(SerialPort, UnusablePortsAreReportedAndLeaveNothingOpen)
{
    SerialPort port;
    ASSERT_EQ(port.Open(1, 19200), SerialPort::OpenResult::Ok);
    const HANDLE com1 = port.Handle();

    // COM5 has no device behind it: the open or the configuration fails, and
    // the earlier port is closed before the attempt.
    EXPECT_NE(port.Open(5, 19200), SerialPort::OpenResult::Ok);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.Handle(), INVALID_HANDLE_VALUE);
    EXPECT_NE(port.LastError(), 0u);
    EXPECT_FALSE(IsLive(com1));

    // No selection in the port list gives port number 0: no device.
    EXPECT_EQ(port.Open(0, 19200), SerialPort::OpenResult::OpenFailed);
    EXPECT_FALSE(port.IsOpen());

    // A closed port ignores every operation.
    const Bytes frame{0x55, 0x00, 0xAB, 0x00, 0x00, 0xAB};
    port.Write(frame);
    EXPECT_EQ(port.BytesWaiting(), 0u);
    EXPECT_TRUE(port.Read(10).empty());
    port.PurgeInput();

    // A retry after a failure starts clean.
    EXPECT_EQ(port.Open(1, 19200), SerialPort::OpenResult::Ok);
    EXPECT_EQ(port.LastError(), 0u);
}

TEST(SerialPort, BytesPassUnchangedBothWays)
{
    SerialPort com1, com2;
    ASSERT_EQ(com1.Open(1, 19200), SerialPort::OpenResult::Ok);
    ASSERT_EQ(com2.Open(2, 19200), SerialPort::OpenResult::Ok);
    Drain(com1, com2);

    const Bytes request{0x55, 0x00, 0xAB, 0x00, 0x00, 0xAB};
    com1.Write(request);
    ASSERT_TRUE(AwaitWaiting(com2, request.size()));
    EXPECT_EQ(com2.BytesWaiting(), request.size());
    EXPECT_EQ(com2.Read(request.size()), request);
    EXPECT_EQ(com2.BytesWaiting(), 0u);

    // A 25-byte reply with every byte value class, including 0x00, 0x11/0x13
    // (XON/XOFF) and 0xFF, the other way.
    Bytes reply(25);
    std::iota(reply.begin(), reply.end(), uint8_t{0xF0});
    reply[3] = 0x11;
    reply[4] = 0x13;
    reply[5] = 0x0D;
    reply[6] = 0x0A;
    com2.Write(reply);
    ASSERT_TRUE(AwaitWaiting(com1, reply.size()));
    EXPECT_EQ(com1.Read(reply.size()), reply);

    // The receiver's largest read: 512 bytes waiting at once.
    Bytes burst(512);
    for (size_t i = 0; i < burst.size(); ++i)
        burst[i] = static_cast<uint8_t>(i * 7 + 3);
    com1.Write(burst);
    ASSERT_TRUE(AwaitWaiting(com2, burst.size()));
    EXPECT_EQ(com2.Read(burst.size()), burst);
}

// Read asks only for what is waiting, so it returns at once even when the
// caller asks for more than has arrived, and with nothing waiting at all.
TEST(SerialPort, ReadAndBytesWaitingNeverBlock)
{
    SerialPort com1, com2;
    ASSERT_EQ(com1.Open(1, 4800), SerialPort::OpenResult::Ok);
    ASSERT_EQ(com2.Open(2, 4800), SerialPort::OpenResult::Ok);
    Drain(com1, com2);
    const Bytes unblocker(64, 0xEE);

    size_t waiting = 99;
    Bytes got{1};
    EXPECT_TRUE(ReturnsWithin(
        1s, [&] { waiting = com1.BytesWaiting(); got = com1.Read(25); }, [&] { com2.Write(unblocker); }))
        << "reading an empty port blocked";
    EXPECT_EQ(waiting, 0u);
    EXPECT_TRUE(got.empty());

    const Bytes ack{0x54, 0x05, 0xA9};
    com2.Write(ack);
    ASSERT_TRUE(AwaitWaiting(com1, ack.size()));
    EXPECT_TRUE(ReturnsWithin(1s, [&] { got = com1.Read(25); }, [&] { com2.Write(unblocker); }))
        << "reading more than was waiting blocked";
    EXPECT_EQ(got, ack);

    // Asking for fewer than are waiting leaves the rest queued, in order.
    com2.Write(ack);
    ASSERT_TRUE(AwaitWaiting(com1, ack.size()));
    EXPECT_EQ(com1.Read(1), Bytes{0x54});
    EXPECT_EQ(com1.BytesWaiting(), 2u);
    EXPECT_EQ(com1.Read(0), Bytes{});
    EXPECT_EQ(com1.Read(2), (Bytes{0x05, 0xA9}));
}

TEST(SerialPort, PurgeInputDropsWaitingBytesOnly)
{
    SerialPort com1, com2;
    ASSERT_EQ(com1.Open(1, 14400), SerialPort::OpenResult::Ok);
    ASSERT_EQ(com2.Open(2, 14400), SerialPort::OpenResult::Ok);
    Drain(com1, com2);

    com2.Write(Bytes(600, 0x55));
    ASSERT_TRUE(AwaitWaiting(com1, 600));
    com1.PurgeInput();
    EXPECT_EQ(com1.BytesWaiting(), 0u);
    EXPECT_TRUE(com1.Read(600).empty());

    // The port keeps working, and what arrives after the purge is intact.
    const Bytes next{0x57, 0x01, 0xB0, 0x05, 0x81, 0xFF, 0xCA};
    com2.Write(next);
    ASSERT_TRUE(AwaitWaiting(com1, next.size()));
    EXPECT_EQ(com1.Read(next.size()), next);
}

}  // namespace
