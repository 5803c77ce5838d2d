// The serial transport as the operator uses it from the port page, with the
// far end of COM1 (the prefix's COM2) standing in for the sequencer line.
#include "ConsoleFixture.h"
#include "LinePeer.h"

#include <vector>

#include "console/Controls.h"
#include "link/win32/SerialPort.h"
#include "toolkit/testing/UiDriver.h"

namespace {

bool RunningUnderWine()
{
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

}  // namespace

TEST_F(ConsoleTest, SerialPortOpensAtEveryBaudIndexAndCloses)
{
    struct Case { int index; DWORD baud; const wchar_t* panel; };
    const Case cases[] = {{0, 4800, L"Port:COM1:4800,8,None,1"},
                          {1, 9600, L"Port:COM1:9600,8,None,1"},
                          {2, 14400, L"Port:COM1:14400,8,None,1"},
                          {3, 19200, L"Port:COM1:19200,8,None,1"},
                          {-1, 19200, L"Port:COM1:19200,8,None,1"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "baud index " << c.index);
        form().CB_com->SetItemIndex(0);
        form().CB_baud_rate->SetItemIndex(c.index);
        uitest::Click(*form().Bn_ser_conn);

        EXPECT_EQ(Panel(0), c.panel);
        EXPECT_EQ(Panel(1), L"successful");
        EXPECT_EQ(form().Bn_ser_conn->Caption(), L"disconnect");
        EXPECT_FALSE(form().CB_com->Enabled());
        EXPECT_FALSE(form().CB_baud_rate->Enabled());
        EXPECT_TRUE(form().Timer_read232->Enabled());
        ASSERT_TRUE(form().hComm->IsOpen());
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        ASSERT_TRUE(GetCommState(form().hComm->Handle(), &dcb));
        // A pseudo-terminal has no 14400 rate; Wine reports its nearest.
        if (!(RunningUnderWine() && c.baud == 14400)) {
            EXPECT_EQ(dcb.BaudRate, c.baud);
        }
        EXPECT_EQ(dcb.ByteSize, 8);
        EXPECT_EQ(dcb.Parity, NOPARITY);
        EXPECT_EQ(dcb.StopBits, ONESTOPBIT);

        uitest::Click(*form().Bn_ser_conn);
        EXPECT_FALSE(form().hComm->IsOpen());
        EXPECT_EQ(Panel(0), L"Port:");
        EXPECT_EQ(Panel(1), L"");
        EXPECT_EQ(form().Bn_ser_conn->Caption(), L"connect");
        EXPECT_TRUE(form().CB_com->Enabled());
        EXPECT_TRUE(form().CB_baud_rate->Enabled());
    }
    EXPECT_EQ(boxes->Count(), 0);
}

// A port that cannot be opened is reported and stops the receive timer. (With
// no port chosen the console asks for COM0, which no system has; the
// unmapped ports of the test prefix open as devices that refuse settings.)
TEST_F(ConsoleTest, PortThatCannotBeOpenedIsReportedAndLeavesTheSelectorsDisabled)
{
    form().CB_com->SetItemIndex(-1);
    form().CB_baud_rate->SetItemIndex(1);
    uitest::Click(*form().Bn_ser_conn);

    ASSERT_EQ(boxes->Count(), 1);
    EXPECT_EQ(LastBoxText(), L"Port Invalid!");
    EXPECT_EQ(LastBoxCaption(), L"Comm Error");
    EXPECT_EQ(boxes->Seen().back().Owner, nullptr);
    EXPECT_TRUE(boxes->Seen().back().Flags & MB_TASKMODAL);
    EXPECT_EQ(Panel(0), L"Port:COM0:9600,8,None,1");
    EXPECT_EQ(Panel(1), L"failing");
    EXPECT_EQ(form().Bn_ser_conn->Caption(), L"connect");
    EXPECT_FALSE(form().CB_com->Enabled());
    EXPECT_FALSE(form().CB_baud_rate->Enabled());
    EXPECT_FALSE(form().Timer_read232->Enabled());
    EXPECT_FALSE(form().hComm->IsOpen());

    // A second click retries the same port.
    uitest::Click(*form().Bn_ser_conn);
    EXPECT_EQ(boxes->Count(), 2);
}

TEST_F(ConsoleTest, RequestsAreFramedOntoTheSerialLine)
{
    LinePeer peer;
    ASSERT_TRUE(peer.Ok());
    form().CB_com->SetItemIndex(0);
    uitest::Click(*form().Bn_ser_conn);
    ASSERT_TRUE(form().hComm->IsOpen());

    const uint8_t readId[] = {0x00, 0xAB, 0x00, 0x00};
    form().SendRequest(readId);
    EXPECT_EQ(peer.Receive(6), (std::vector<uint8_t>{0x55, 0x00, 0xAB, 0x00, 0x00, 0xAB}));
    EXPECT_EQ(form().Link().LastCommand()[0], 0x00);
    EXPECT_EQ(form().Link().LastCommand()[1], 0xAB);

    std::vector<uint8_t> delays(20);
    delays[0] = 0x07;
    delays[1] = 0xA7;
    for (size_t i = 2; i < delays.size(); ++i)
        delays[i] = static_cast<uint8_t>(i * 3);
    form().SendRequest(delays);
    const auto frame = peer.Receive(22);
    ASSERT_EQ(frame.size(), 22u);
    EXPECT_EQ(frame[0], 0x56);
    uint8_t check = 0;
    for (size_t i = 0; i < delays.size(); ++i) {
        EXPECT_EQ(frame[i + 1], delays[i]);
        check ^= delays[i];
    }
    EXPECT_EQ(frame[21], check);
    // The long request leaves the last short one in place for acknowledgements.
    EXPECT_EQ(form().Link().LastCommand()[0], 0x00);
    EXPECT_EQ(form().Link().LastCommand()[1], 0xAB);

    const uint8_t readInfo[] = {0x05, 0xA9, 0x00, 0x00};
    form().SendRequest(readInfo);
    EXPECT_TRUE(form().Link().IsInfoRequested());
    EXPECT_EQ(peer.Receive(6), (std::vector<uint8_t>{0x55, 0x05, 0xA9, 0x00, 0x00, 0xAC}));
    form().SendRequest(readId);
    EXPECT_FALSE(form().Link().IsInfoRequested());
}

TEST_F(ConsoleTest, ReplyOnTheSerialLineIsShownAndStopsTheWatchdog)
{
    LinePeer peer;
    ASSERT_TRUE(peer.Ok());
    uitest::Click(*form().Bn_ser_conn);
    ASSERT_TRUE(form().hComm->IsOpen());
    form().Ed_grp_id[2]->SetText(L"5");

    const uint8_t poll[] = {0x05, 0xA8, 0x00, 0x00};
    form().SendRequest(poll);
    ASSERT_EQ(peer.Receive(6).size(), 6u);
    EXPECT_TRUE(form().Timer1->Enabled());
    // Status of unit 5: LCD on, CH1 and CH8 on, running.
    peer.Send({0x55, 0x05, 0xA8, 0x05, 0x81, 0x05 ^ 0xA8 ^ 0x05 ^ 0x81});
    ASSERT_TRUE(uitest::PumpUntil([&] { return Panel(2) == L"Status:Data sent successfully"; }, 1500));
    EXPECT_FALSE(form().Timer1->Enabled());
    const TColor red = 0x0000FF;
    EXPECT_EQ(form().Shape_ch[2][0]->Brush().Color(), red);
    EXPECT_EQ(form().Shape_ch[2][1]->Brush().Color(), red);
    EXPECT_EQ(form().Shape_ch[2][8]->Brush().Color(), red);
    for (int c = 2; c <= 7; ++c)
        EXPECT_EQ(form().Shape_ch[2][c]->Brush().Color(), clWhite);
    EXPECT_EQ(form().Bn_ch[2][0]->Caption(), L"off");
    EXPECT_EQ(form().Bn_ch[2][4]->Caption(), L"on");
    EXPECT_TRUE(form().Link().IsGroupRunning(2));
    EXPECT_FALSE(form().CB_grp_lock[2]->Checked());
    // Groups holding another ID are left alone.
    EXPECT_EQ(form().Shape_ch[0][0]->Brush().Color(), clWhite);
}

TEST_F(ConsoleTest, WithNoTransportTheFrameIsDroppedAndTheWatchdogReportsIt)
{
    const uint8_t readId[] = {0x00, 0xAB, 0x00, 0x00};
    form().SendRequest(readId);
    // One watchdog tick has passed when the next request starts the count again.
    ASSERT_TRUE(uitest::PumpUntil([&] { return form().Link().WatchdogCount() == 1; }, 1500));
    form().SendRequest(readId);
    EXPECT_EQ(form().Link().ReceiveTick(), 0);
    EXPECT_EQ(form().Link().WatchdogCount(), 0);
    EXPECT_TRUE(form().Timer_read232->Enabled());
    EXPECT_TRUE(form().Timer1->Enabled());
    EXPECT_EQ(Panel(2), L"Status:");

    const DWORD start = GetTickCount();
    ASSERT_TRUE(uitest::PumpUntil([&] { return Panel(2) == L"Status: Data sent failed"; }, 3500));
    // The failure shows on the watchdog's second tick after the last request.
    EXPECT_GE(GetTickCount() - start, 1500u);
    EXPECT_FALSE(form().Timer1->Enabled());
}

// COM3 of the test prefix names a file that does not exist; a plain file put
// there opens as a port whose driver refuses every line setting.
TEST_F(ConsoleTest, RefusedLineSettingsCloseThePortButKeepTheReceiveTimer)
{
    char prefix[MAX_PATH] = {};
    if (!RunningUnderWine() || GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH) == 0)
        GTEST_SKIP() << "needs the test prefix's COM3 mapping";
    const std::string device = std::string("Z:") + prefix + "/relayon-com3";
    HANDLE file = CreateFileA(device.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << device;
    CloseHandle(file);

    form().CB_com->SetItemIndex(2);
    uitest::Click(*form().Bn_ser_conn);
    DeleteFileA(device.c_str());

    ASSERT_EQ(boxes->Count(), 1);
    EXPECT_EQ(LastBoxText(), L"Port Invalid!");
    EXPECT_EQ(Panel(0), L"Port:COM3:19200,8,None,1");
    EXPECT_EQ(Panel(1), L"failing");
    EXPECT_EQ(form().Bn_ser_conn->Caption(), L"connect");
    EXPECT_FALSE(form().hComm->IsOpen());
    EXPECT_TRUE(form().Timer_read232->Enabled());
}
