// The TCP transport from the port page against a listener on 127.0.0.1:8080
// playing the sequencer's network interface.
#include "ConsoleFixture.h"

#include <chrono>
#include <vector>

#include "LoopbackPeer.h"
#include "console/Controls.h"
#include "link/win32/SerialPort.h"
#include "link/win32/TcpClient.h"
#include "toolkit/testing/UiDriver.h"

namespace {

constexpr uint16_t kSequencerPort = 8080;

// Receives while the console keeps running its timers.
std::vector<uint8_t> ReceiveWhilePumping(LoopbackPeer& peer, size_t count)
{
    std::vector<uint8_t> got;
    uitest::PumpUntil([&] {
        auto part = peer.Receive(count - got.size(), Millis(10));
        got.insert(got.end(), part.begin(), part.end());
        return got.size() >= count;
    }, 1500);
    return got;
}

}  // namespace

class TcpConsoleTest : public ConsoleTest {
protected:
    void Connect(LoopbackPeer& peer)
    {
        ASSERT_TRUE(peer.Listening()) << "127.0.0.1:8080 is taken";
        form().Ed_ip_address->SetText(L"127.0.0.1");
        uitest::Click(*form().Bn_ip_conn);
        ASSERT_TRUE(peer.Accept(Millis(1000)));
        ASSERT_EQ(form().Bn_ip_conn->Caption(), L"disconnect");
    }
};

TEST_F(TcpConsoleTest, ConnectSendAndDisconnect)
{
    LoopbackPeer peer(kSequencerPort, SOMAXCONN, Millis(5000));
    Connect(peer);
    EXPECT_EQ(Panel(0), L"Port:ethernet IP:127.0.0.1");
    EXPECT_EQ(form().IdTCPClient1->Port, 8080);
    EXPECT_EQ(boxes->Count(), 0);

    const uint8_t readId[] = {0x00, 0xAB, 0x00, 0x00};
    form().SendRequest(readId);
    EXPECT_EQ(ReceiveWhilePumping(peer, 6), (std::vector<uint8_t>{0x55, 0x00, 0xAB, 0x00, 0x00, 0xAB}));

    std::vector<uint8_t> delays(20, 0x02);
    delays[0] = 0x01;
    delays[1] = 0xA7;
    form().SendRequest(delays);
    const auto frame = ReceiveWhilePumping(peer, 22);
    ASSERT_EQ(frame.size(), 22u);
    EXPECT_EQ(frame[0], 0x56);

    uitest::Click(*form().Bn_ip_conn);
    EXPECT_EQ(form().Bn_ip_conn->Caption(), L"connect");
    EXPECT_EQ(Panel(0), L"Port:");
    EXPECT_TRUE(peer.SeesEndOfStream(Millis(1000)));
}

TEST_F(TcpConsoleTest, TcpIsPreferredOverAnOpenSerialPort)
{
    LoopbackPeer peer(kSequencerPort, SOMAXCONN, Millis(5000));
    Connect(peer);
    // The page never lets both be open; the send path still has an order.
    ASSERT_EQ(form().hComm->Open(1, 19200), SerialPort::OpenResult::Ok);
    HANDLE line = CreateFileA("COM2", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    COMMTIMEOUTS t{};
    t.ReadIntervalTimeout = MAXDWORD;
    SetCommTimeouts(line, &t);
    PurgeComm(line, PURGE_RXCLEAR);

    const uint8_t poll[] = {0x03, 0xA8, 0x00, 0x00};
    form().SendRequest(poll);
    EXPECT_EQ(ReceiveWhilePumping(peer, 6).size(), 6u);
    uint8_t buffer[16];
    DWORD n = 0;
    ReadFile(line, buffer, sizeof buffer, &n, nullptr);
    EXPECT_EQ(n, 0u);
    CloseHandle(line);
    form().hComm->Close();
}

TEST_F(TcpConsoleTest, EachTransportRefusesWhileTheOtherIsOpen)
{
    LoopbackPeer peer(kSequencerPort, SOMAXCONN, Millis(5000));
    Connect(peer);
    uitest::Click(*form().Bn_ser_conn);
    ASSERT_EQ(boxes->Count(), 1);
    EXPECT_EQ(LastBoxText(), L"Had connected the ethernet port!");
    EXPECT_EQ(LastBoxCaption(), L"Error");
    EXPECT_FALSE(form().hComm->IsOpen());
    EXPECT_EQ(form().Bn_ser_conn->Caption(), L"connect");
    EXPECT_TRUE(form().CB_com->Enabled());
    EXPECT_EQ(Panel(0), L"Port:ethernet IP:127.0.0.1");

    uitest::Click(*form().Bn_ip_conn);
    ASSERT_EQ(Panel(0), L"Port:");
    uitest::Click(*form().Bn_ser_conn);
    ASSERT_TRUE(form().hComm->IsOpen());
    uitest::Click(*form().Bn_ip_conn);
    ASSERT_EQ(boxes->Count(), 2);
    EXPECT_EQ(LastBoxText(), L"Had connected the serial port!");
    EXPECT_EQ(form().Bn_ip_conn->Caption(), L"connect");
    EXPECT_FALSE(peer.Accept(Millis(200)));
    uitest::Click(*form().Bn_ser_conn);
}

TEST_F(TcpConsoleTest, RefusedConnectionIsReported)
{
    {
        // Take the port and let it go, so the connect meets a closed port.
        LoopbackPeer probe(kSequencerPort, SOMAXCONN, Millis(5000));
        ASSERT_TRUE(probe.Listening());
    }
    form().Ed_ip_address->SetText(L"127.0.0.1");
    uitest::Click(*form().Bn_ip_conn);
    ASSERT_EQ(boxes->Count(), 1);
    EXPECT_EQ(LastBoxText(), L"connect failed, please check it!");
    EXPECT_EQ(LastBoxCaption(), L"Error");
    EXPECT_EQ(form().Bn_ip_conn->Caption(), L"connect");
    EXPECT_EQ(Panel(0), L"Port:");
}

TEST_F(TcpConsoleTest, SilentHostTimesOutAfterTwoSeconds)
{
    LoopbackPeer peer(kSequencerPort, 0, Millis(5000));
    ASSERT_TRUE(peer.Listening());
    auto pending = FillBacklog(peer);
    ASSERT_FALSE(pending.empty()) << "could not fill the listener's backlog";
    form().Ed_ip_address->SetText(L"127.0.0.1");
    const auto start = std::chrono::steady_clock::now();
    uitest::Click(*form().Bn_ip_conn);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(1800));
    EXPECT_LT(waited, std::chrono::milliseconds(4000));
    ASSERT_EQ(boxes->Count(), 1);
    EXPECT_EQ(LastBoxText(), L"connect failed, please check it!");
    EXPECT_EQ(Panel(0), L"Port:");
}

TEST_F(TcpConsoleTest, ConnectionBrokenBetweenTicksIsClosedBySendWithoutStoppingTheTimers)
{
    LoopbackPeer peer(kSequencerPort, SOMAXCONN, Millis(5000));
    Connect(peer);
    // Keep the receive timer from noticing first.
    form().Timer_read232->SetEnabled(false);
    peer.Close();
    Sleep(100);

    const uint8_t poll[] = {0x03, 0xA8, 0x00, 0x00};
    form().SendRequest(poll);
    EXPECT_TRUE(form().Timer_read232->Enabled());
    EXPECT_TRUE(form().Timer1->Enabled());
    EXPECT_EQ(form().Link().ReceiveTick(), 0);
    EXPECT_EQ(form().Bn_ip_conn->Caption(), L"connect");
    EXPECT_EQ(Panel(0), L"Port:");
    EXPECT_EQ(boxes->Count(), 0);
}

TEST_F(TcpConsoleTest, ReceiveTimerNoticesABrokenConnection)
{
    LoopbackPeer peer(kSequencerPort, SOMAXCONN, Millis(5000));
    Connect(peer);
    peer.Reset();
    ASSERT_TRUE(uitest::PumpUntil([&] { return form().Bn_ip_conn->Caption() == L"connect"; }, 1500));
    EXPECT_EQ(Panel(0), L"Port:");
    EXPECT_TRUE(form().Timer_read232->Enabled());
}

TEST_F(TcpConsoleTest, StatusFrameOverTcpShowsLampsAndMasks)
{
    LoopbackPeer peer(kSequencerPort, SOMAXCONN, Millis(5000));
    Connect(peer);
    form().Ed_grp_id[1]->SetText(L"7");
    form().Ed_grp_id[3]->SetText(L"7");
    // StatusReply of unit 7: locked, CH2 on, CH1 masked.
    std::vector<uint8_t> frame = {0x57, 0x07, 0xB0, 0x02, 0x40, 0x7F};
    uint8_t check = 0;
    for (size_t i = 1; i < frame.size(); ++i)
        check ^= frame[i];
    frame.push_back(check);
    peer.Send(frame);
    ASSERT_TRUE(uitest::PumpUntil([&] { return form().CB_grp_lock[1]->Checked(); }, 1500));
    for (int g : {1, 3}) {
        EXPECT_TRUE(form().CB_grp_lock[g]->Checked());
        EXPECT_TRUE(form().CB_mask[g][0]->Checked());
        EXPECT_FALSE(form().Bn_ch[g][1]->Enabled());
        EXPECT_FALSE(form().CB_mask[g][1]->Checked());
        EXPECT_TRUE(form().Bn_ch[g][2]->Enabled());
        EXPECT_EQ(form().Shape_ch[g][2]->Brush().Color(), 0x0000FF);
        EXPECT_EQ(form().Bn_ch[g][2]->Caption(), L"off");
        EXPECT_EQ(form().Shape_ch[g][0]->Brush().Color(), clWhite);
    }
    EXPECT_FALSE(form().CB_grp_lock[0]->Checked());
    EXPECT_EQ(Panel(2), L"Status:Data sent successfully");
}

TEST_F(TcpConsoleTest, DisconnectClickOnABrokenConnectionClosesItAndOpensNothing)
{
    LoopbackPeer peer(kSequencerPort, SOMAXCONN, Millis(5000));
    Connect(peer);
    // As after a failed serial open: no receive tick notices the break first.
    form().Timer_read232->SetEnabled(false);
    peer.Close();
    Sleep(100);
    ASSERT_EQ(form().Bn_ip_conn->Caption(), L"disconnect");

    uitest::Click(*form().Bn_ip_conn);
    EXPECT_EQ(form().Bn_ip_conn->Caption(), L"connect");
    EXPECT_EQ(Panel(0), L"Port:");
    EXPECT_FALSE(peer.Accept(Millis(300))) << "a new connection was opened";
    EXPECT_FALSE(form().IdTCPClient1->Connected());
    EXPECT_EQ(boxes->Count(), 0);
}

TEST_F(TcpConsoleTest, AddressFieldHoldingANameIsRefusedAtOnce)
{
    LoopbackPeer peer(kSequencerPort, SOMAXCONN, Millis(5000));
    ASSERT_TRUE(peer.Listening());
    for (const wchar_t* text : {L"localhost", L"sequencer.invalid", L""}) {
        form().Ed_ip_address->SetText(text);
        const auto start = std::chrono::steady_clock::now();
        uitest::Click(*form().Bn_ip_conn);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500)) << text;
        EXPECT_EQ(LastBoxText(), L"connect failed, please check it!");
        EXPECT_EQ(form().Bn_ip_conn->Caption(), L"connect");
        EXPECT_EQ(Panel(0), L"Port:");
    }
    EXPECT_EQ(boxes->Count(), 3);
    EXPECT_FALSE(peer.Accept(Millis(200)));
}
