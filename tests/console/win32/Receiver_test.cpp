// What the console shows for the replies a unit sends, on the real serial
// line (COM1, its far end COM2) and over TCP: which frames count, which are
// ignored, and how often the line is read.
#include "ConsoleFixture.h"
#include "LinePeer.h"
#include "LoopbackPeer.h"

#include <vector>

#include "console/Controls.h"
#include "link/Opcodes.h"
#include "link/Replies.h"
#include "toolkit/testing/UiDriver.h"

namespace link = relayon::link;
using Bytes = std::vector<uint8_t>;

namespace {

constexpr TColor kRed = 0x0000FF;
const wchar_t kSentOk[] = L"Status:Data sent successfully";
const wchar_t kStatusOnly[] = L"Status:";

// Long enough for several readings of the serial line (one every 60 ms).
constexpr int kSeveralReadings = 250;

}  // namespace

class ReceiverTest : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(line.Ok());
        form().CB_com->SetItemIndex(0);
        uitest::Click(*form().Bn_ser_conn);
        ASSERT_EQ(form().Bn_ser_conn->Caption(), L"disconnect");
    }

    // Sends a request as every handler does and takes it off the line, so the
    // watchdog runs and LastCmd names it.
    void Request(uint8_t id, uint8_t opcode)
    {
        const uint8_t payload[] = {id, opcode, 0, 0};
        form().SendRequest(payload);
        ASSERT_EQ(line.Receive(6).size(), 6u);
        ASSERT_TRUE(form().Timer1->Enabled());
    }

    // Sends bytes from the unit and lets the console read them.
    void Reply(const Bytes& bytes)
    {
        line.Send(bytes);
        uitest::Pump(kSeveralReadings);
    }

    bool WatchdogRunning() { return form().Timer1->Enabled(); }

    LinePeer line;
};

TEST_F(ReceiverTest, AcknowledgementCountsOnlyWhenItNamesTheLastRequest)
{
    Request(5, link::PollStatus);
    Reply(link::MakeAck(6, link::PollStatus));
    Reply(link::MakeAck(5, link::ReadInfo));
    EXPECT_TRUE(WatchdogRunning());
    EXPECT_EQ(Panel(2), kStatusOnly);

    Reply(link::MakeAck(5, link::PollStatus));
    EXPECT_FALSE(WatchdogRunning());
    EXPECT_EQ(Panel(2), kSentOk);
}

TEST_F(ReceiverTest, ShortReplyWithABadCheckByteStillReportsDeliveryButShowsNothing)
{
    form().Ed_grp_id[0]->SetText(L"5");
    form().Ed_read_id->SetText(L"");
    Request(5, link::PollStatus);
    Bytes status = link::MakePollStatusReply(5, 0x05, 0x81);
    status.back() ^= 0x10;
    Reply(status);
    EXPECT_FALSE(WatchdogRunning());
    EXPECT_EQ(Panel(2), kSentOk);
    EXPECT_EQ(form().Shape_ch[0][0]->Brush().Color(), clWhite);
    EXPECT_EQ(form().Bn_ch[0][1]->Caption(), L"on");

    Request(0, link::ReadId);
    Bytes id = link::MakeReadIdReply(42);
    id.back() ^= 0x01;
    Reply(id);
    EXPECT_FALSE(WatchdogRunning());
    EXPECT_EQ(form().Ed_read_id->Text(), L"");
    Request(0, link::ReadId);
    Reply(link::MakeReadIdReply(42));
    EXPECT_EQ(form().Ed_read_id->Text(), L"42");
}

TEST_F(ReceiverTest, StatusFramesWaitForAQueuedActionAndNoticesLeaveTheStatusText)
{
    form().Ed_grp_id[1]->SetText(L"9");
    Request(9, link::PollStatus);

    // CH3 on, CH8 masked.
    const Bytes notice = link::MakeStatusFrame(9, link::StatusNotice, 0x00, 0x20, 0xFE);
    // The poll timer sets the flag from its own queue at every tick; here the
    // test decides it.
    form().Timer3->SetEnabled(false);
    form().LinkForTest().SetActionPending(true);
    Reply(notice);
    EXPECT_TRUE(WatchdogRunning()) << "ignored while an action is queued";
    EXPECT_EQ(form().Shape_ch[1][3]->Brush().Color(), clWhite);
    EXPECT_FALSE(form().CB_mask[1][7]->Checked());

    form().LinkForTest().SetActionPending(false);
    Reply(notice);
    EXPECT_FALSE(WatchdogRunning());
    EXPECT_EQ(Panel(2), kStatusOnly) << "a notice does not report delivery";
    EXPECT_EQ(form().Shape_ch[1][3]->Brush().Color(), kRed);
    EXPECT_EQ(form().Bn_ch[1][3]->Caption(), L"off");
    EXPECT_TRUE(form().CB_mask[1][7]->Checked());
    EXPECT_FALSE(form().Bn_ch[1][8]->Enabled());
    EXPECT_TRUE(form().Bn_ch[1][7]->Enabled());
    EXPECT_FALSE(form().RealTime().ActionPending()) << "a mask shown is no mask request";

    // A reply with a damaged check byte stops the watchdog, reports a
    // StatusReply's delivery and shows nothing.
    Request(9, link::PollStatus);
    Bytes damaged = link::MakeStatusFrame(9, link::StatusReply, 0x01, 0x00, 0xFF);
    damaged.back() ^= 0x40;
    Reply(damaged);
    EXPECT_FALSE(WatchdogRunning());
    EXPECT_EQ(Panel(2), kSentOk);
    EXPECT_EQ(form().Shape_ch[1][0]->Brush().Color(), clWhite);
    EXPECT_EQ(form().Shape_ch[1][3]->Brush().Color(), kRed);
}

TEST_F(ReceiverTest, InformationReplyFillsTheDeviceSetupPageOfItsDeviceOnly)
{
    form().Ed_conn_id->SetText(L"3");
    form().Cb_ch->SetItemIndex(5);
    link::InfoReport info;
    info.deviceId = 4;
    info.onCodes = {0x83, 0x80, 0x14, 0x01, 0, 0, 0, 0, 0};
    info.offCodes = {0, 0, 0, 0, 0, 0, 0, 0, 0xF8};
    info.cascade = link::InfoCascadeOn;
    info.startChannel = 9;
    info.lock = link::InfoUnlocked;

    // Another device's reply is delivered, yet changes no field.
    Request(3, link::ReadInfo);
    Reply(link::MakeInfoReply(info));
    EXPECT_FALSE(WatchdogRunning());
    EXPECT_EQ(Panel(2), kSentOk);
    EXPECT_EQ(form().Ed_dly[0][0]->Text(), L"");

    info.deviceId = 3;
    Request(3, link::ReadInfo);
    Reply(link::MakeInfoReply(info));
    const wchar_t* expected[] = {L"1.5", L"0", L"10", L"0.5"};
    const bool minutes[] = {true, true, false, false};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(form().Ed_dly[0][c]->Text(), expected[c]) << c;
        EXPECT_EQ(form().CB_min[0][c]->Checked(), minutes[c]) << c;
    }
    EXPECT_EQ(form().Ed_dly[1][8]->Text(), L"60");
    EXPECT_TRUE(form().CB_min[1][8]->Checked());
    EXPECT_TRUE(form().CheckBox17->Checked());
    EXPECT_TRUE(form().Cb_ch->Enabled());
    EXPECT_TRUE(form().Button3->Enabled());
    EXPECT_EQ(form().Cb_ch->ItemIndex(), 0) << "start byte 9 shows LCD";
    EXPECT_EQ(form().Cb_ch->Text(), L"LCD");
    EXPECT_FALSE(form().CB_lock->Checked());

    // Cascade off disables the start position but keeps its selection.
    info.cascade = 5;
    info.startChannel = 4;
    info.lock = 0x00;
    form().Cb_ch->SetItemIndex(2);
    Request(3, link::ReadInfo);
    Reply(link::MakeInfoReply(info));
    EXPECT_FALSE(form().CheckBox17->Checked());
    EXPECT_FALSE(form().Cb_ch->Enabled());
    EXPECT_FALSE(form().Button3->Enabled());
    EXPECT_EQ(form().Cb_ch->ItemIndex(), 2);
    EXPECT_TRUE(form().CB_lock->Checked());
    // Showing the cascade, start and lock of a unit asks nothing of it.
    EXPECT_TRUE(line.Receive(6, 300).empty());
}

// A reading is one frame or nothing: a reply split over two readings or two
// replies read together are lost. A reply is painted into every group that
// holds its unit's ID, and only those.
TEST_F(ReceiverTest, SplitOrJoinedRepliesAreLostAndEveryGroupOfTheUnitIsPainted)
{
    const wchar_t* ids[] = {L"5", L"6", L"5", L"05x"};
    for (int g = 0; g < kRealTimeGroups; ++g)
        form().Ed_grp_id[g]->SetText(ids[g]);
    const Bytes status = link::MakePollStatusReply(5, 0x05, 0x81);

    Request(5, link::PollStatus);
    Reply(Bytes(status.begin(), status.begin() + 4));
    Reply(Bytes(status.begin() + 4, status.end()));
    Bytes twice = status;
    twice.insert(twice.end(), status.begin(), status.end());
    Reply(twice);
    EXPECT_TRUE(WatchdogRunning());
    EXPECT_EQ(form().Shape_ch[0][0]->Brush().Color(), clWhite);

    Reply(status);
    EXPECT_FALSE(WatchdogRunning());
    for (int g = 0; g < kRealTimeGroups; ++g) {
        const bool painted = g == 0 || g == 2;
        for (int c = 0; c < kChannels; ++c) {
            const bool on = painted && (c == 0 || c == 1 || c == 8);
            EXPECT_EQ(form().Shape_ch[g][c]->Brush().Color(), on ? kRed : clWhite) << g << "/" << c;
            EXPECT_EQ(form().Bn_ch[g][c]->Caption(), on ? L"off" : L"on") << g << "/" << c;
        }
        EXPECT_FALSE(form().CB_grp_lock[g]->Checked());
        EXPECT_EQ(form().Link().IsGroupRunning(g), painted) << g;
    }
}

TEST_F(ReceiverTest, OversizedReadingsAreDroppedAndTheLineRecovers)
{
    form().Ed_grp_id[2]->SetText(L"5");
    const Bytes status = link::MakePollStatusReply(5, 0x01, 0x00);

    // 26 bytes: a whole reply and one byte more is no reply.
    Request(5, link::PollStatus);
    Bytes tooLong = status;
    tooLong.resize(26, 0x00);
    Reply(tooLong);
    EXPECT_TRUE(WatchdogRunning());
    EXPECT_EQ(form().Shape_ch[2][0]->Brush().Color(), clWhite);

    // 600 waiting bytes are thrown away unread.
    Bytes flood;
    for (int i = 0; i < 100; ++i)
        flood.insert(flood.end(), status.begin(), status.end());
    Reply(flood);
    EXPECT_TRUE(WatchdogRunning());
    EXPECT_EQ(form().Shape_ch[2][0]->Brush().Color(), clWhite);

    // Nothing of either is carried over: the next reply is read alone.
    Reply(status);
    EXPECT_FALSE(WatchdogRunning());
    EXPECT_EQ(form().Shape_ch[2][0]->Brush().Color(), kRed);
}

// Over TCP the line is read on every 21st tick while the long information
// reply is awaited, on every 6th otherwise.
TEST_F(ConsoleTest, TcpIsReadMoreSlowlyAfterARequestForInformation)
{
    LoopbackPeer peer(8080, SOMAXCONN, Millis(5000));
    ASSERT_TRUE(peer.Listening()) << "127.0.0.1:8080 is taken";
    form().Ed_ip_address->SetText(L"127.0.0.1");
    uitest::Click(*form().Bn_ip_conn);
    ASSERT_TRUE(peer.Accept(Millis(1000)));
    form().Ed_conn_id->SetText(L"3");
    link::InfoReport info;
    info.deviceId = 3;
    info.onCodes[0] = 0x14;

    const uint8_t readInfo[] = {3, link::ReadInfo, 0, 0};
    form().SendRequest(readInfo);
    ASSERT_EQ(peer.Receive(6, Millis(1000)).size(), 6u);
    ASSERT_TRUE(peer.Send(link::MakeInfoReply(info)));
    // Ten ticks after the request the waiting reply is still unread.
    ASSERT_TRUE(uitest::PumpUntil([&] { return form().Link().ReceiveTick() >= 10; }, 1000));
    EXPECT_TRUE(form().Timer1->Enabled());
    EXPECT_EQ(form().Ed_dly[0][0]->Text(), L"");
    ASSERT_TRUE(uitest::PumpUntil([&] { return !form().Timer1->Enabled(); }, 1000));
    EXPECT_EQ(form().Ed_dly[0][0]->Text(), L"10");

    // A status request is answered at the usual pace: the count never gets
    // past five before the reply is read.
    form().Ed_grp_id[0]->SetText(L"3");
    const uint8_t poll[] = {3, link::PollStatus, 0, 0};
    form().SendRequest(poll);
    ASSERT_EQ(peer.Receive(6, Millis(1000)).size(), 6u);
    ASSERT_TRUE(peer.Send(link::MakePollStatusReply(3, 0x01, 0x00)));
    int highest = 0;
    ASSERT_TRUE(uitest::PumpUntil([&] {
        highest = std::max<int>(highest, form().Link().ReceiveTick());
        return !form().Timer1->Enabled();
    }, 1000));
    EXPECT_LE(highest, 5);
    EXPECT_EQ(form().Shape_ch[0][0]->Brush().Color(), kRed);
}
