// The console against the sequencer simulator on 127.0.0.1:8080 (units 1 to
// 4, started by the test script around this program): requests go out through
// the send path, the simulator answers as a unit would, and the receiver shows
// the answers on the pages.
#include "ConsoleFixture.h"
#include "SimControl.h"

#include "console/Controls.h"
#include "link/Requests.h"
#include "toolkit/testing/UiDriver.h"

namespace link = relayon::link;

namespace {

constexpr TColor kRed = 0x0000FF;

}  // namespace

class SimulatorTest : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        form().Ed_ip_address->SetText(SimAddress());
        uitest::Click(*form().Bn_ip_conn);
        ASSERT_EQ(form().Bn_ip_conn->Caption(), L"disconnect") << "no simulator on port 8080";
    }

    void TearDown() override
    {
        if (Form1 && form().Bn_ip_conn->Caption() == L"disconnect")
            uitest::Click(*form().Bn_ip_conn);
        ConsoleTest::TearDown();
    }

    template <class Payload>
    bool SendAndWaitForDelivery(const Payload& payload)
    {
        form().StatusBar1->Panels().Items(2)->SetText(L"");
        form().SendRequest(payload);
        return uitest::PumpUntil([&] { return Panel(2) == L"Status:Data sent successfully"; }, 2000);
    }
};

TEST_F(SimulatorTest, ReadIdShowsTheAnsweringUnit)
{
    ASSERT_TRUE(SendAndWaitForDelivery(link::ReadIdPayload()));
    EXPECT_EQ(form().Ed_read_id->Text(), L"1");
    EXPECT_FALSE(form().Timer1->Enabled());
}

TEST_F(SimulatorTest, SwitchedOutletShowsOnTheGroupsThatHoldItsUnit)
{
    form().Ed_grp_id[0]->SetText(L"2");
    form().Ed_grp_id[3]->SetText(L"2");
    form().Ed_grp_id[1]->SetText(L"3");
    ASSERT_TRUE(SendAndWaitForDelivery(link::ChannelPayload(2, true, 3)));
    ASSERT_TRUE(SendAndWaitForDelivery(link::PollStatusPayload(2)));
    for (int g : {0, 3}) {
        EXPECT_EQ(form().Shape_ch[g][3]->Brush().Color(), kRed);
        EXPECT_EQ(form().Bn_ch[g][3]->Caption(), L"off");
        EXPECT_EQ(form().Shape_ch[g][4]->Brush().Color(), clWhite);
    }
    EXPECT_EQ(form().Shape_ch[1][3]->Brush().Color(), clWhite);

    ASSERT_TRUE(SendAndWaitForDelivery(link::ChannelPayload(2, false, 3)));
    ASSERT_TRUE(SendAndWaitForDelivery(link::PollStatusPayload(2)));
    EXPECT_EQ(form().Shape_ch[0][3]->Brush().Color(), clWhite);
    EXPECT_EQ(form().Bn_ch[0][3]->Caption(), L"on");
}

TEST_F(SimulatorTest, InformationReplyFillsTheDeviceSetupPage)
{
    form().Ed_conn_id->SetText(L"4");
    ASSERT_TRUE(SendAndWaitForDelivery(link::ReadInfoPayload(4)));
    // Factory settings of a simulated unit: 1 s everywhere, cascade off, unlocked.
    for (int h = 0; h < kDelayKinds; ++h)
        for (int c = 0; c < kChannels; ++c) {
            EXPECT_EQ(form().Ed_dly[h][c]->Text(), L"1");
            EXPECT_FALSE(form().CB_min[h][c]->Checked());
        }
    EXPECT_FALSE(form().CB_lock->Checked());
    EXPECT_FALSE(form().CheckBox17->Checked());
    EXPECT_FALSE(form().Cb_ch->Enabled());
    EXPECT_FALSE(form().Button3->Enabled());
}
