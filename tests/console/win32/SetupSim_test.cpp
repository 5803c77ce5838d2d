// The device setup page against the sequencer simulator (units 1 to 4 on
// SimAddress():8080, started by the test script around this program): what
// the page writes to a unit, the unit keeps, and a read of the unit shows it.
// Every test leaves the simulator as it found it.
#include "ConsoleFixture.h"
#include "SimControl.h"

#include <string>

#include "console/Controls.h"
#include "toolkit/testing/UiDriver.h"

namespace {

const wchar_t kSentOk[] = L"Status:Data sent successfully";

}  // namespace

class SetupSimTest : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        form().Ed_ip_address->SetText(SimAddress());
        uitest::Click(*form().Bn_ip_conn);
        ASSERT_EQ(form().Bn_ip_conn->Caption(), L"disconnect") << "no simulator at the simulator's address";
        form().PageControl1->SetActivePageIndex(1);
        uitest::Pump(50);
    }

    void TearDown() override
    {
        if (Form1 && form().Bn_ip_conn->Caption() == L"disconnect") {
            form().PageControl1->SetActivePageIndex(0);
            uitest::Pump(30);
            uitest::Click(*form().Bn_ip_conn);
        }
        ConsoleTest::TearDown();
        SimControl control;
        EXPECT_EQ(control.Command("reset"), "ok");
    }

    void Type(TEdit& edit, const std::wstring& text)
    {
        edit.SetText(L"");
        uitest::Click(edit);
        uitest::TypeText(text);
        uitest::Pump(20);
    }

    // Clicks and waits until the unit's answer was taken as delivery.
    bool ClickDelivered(TControl& control)
    {
        form().StatusBar1->Panels().Items(2)->SetText(L"");
        uitest::Click(control);
        return uitest::PumpUntil([&] { return Panel(2) == kSentOk; }, 3000);
    }
};

TEST_F(SetupSimTest, WrittenIdIsReadBack)
{
    Type(*form().Ed_read_id, L"1");
    Type(*form().Ed_write_id, L"9");
    ASSERT_TRUE(ClickDelivered(*form().Bn_write_id));
    form().Ed_read_id->SetText(L"");
    ASSERT_TRUE(ClickDelivered(*form().Bn_read_id));
    EXPECT_EQ(form().Ed_read_id->Text(), L"9");
    EXPECT_EQ(SimControl().Command("dump 9").rfind("{", 0), 0u);

    Type(*form().Ed_write_id, L"1");
    ASSERT_TRUE(ClickDelivered(*form().Bn_write_id));
    ASSERT_TRUE(ClickDelivered(*form().Bn_read_id));
    EXPECT_EQ(form().Ed_read_id->Text(), L"1");
    EXPECT_EQ(boxes->Count(), 0);
}

TEST_F(SetupSimTest, DelaysAppliedAreReadBackWithTheirUnits)
{
    // Typed text, minutes box, and what a read shows for it.
    struct Case {
        const wchar_t* typed;
        bool minutes;
        const wchar_t* shown;
    };
    const Case cases[kDelayKinds][kChannels] = {
        {{L"0.5", false, L"0.5"}, {L"1", true, L"1"}, {L"2.5", true, L"2.5"}, {L"60", false, L"60"},
         {L"60", true, L"60"}, {L"1.3", false, L"1"}, {L"0", false, L"0"}, {L"12", true, L"12"},
         {L"59.5", false, L"59.5"}},
        {{L"3", false, L"3"}, {L"0.5", true, L"0.5"}, {L"7.5", false, L"7.5"}, {L"1.25", true, L"1"},
         {L"30", false, L"30"}, {L"45.5", true, L"45.5"}, {L"2", false, L"2"}, {L"10", true, L"10"},
         {L"0", true, L"0"}},
    };
    Type(*form().Ed_conn_id, L"2");
    for (int h = 0; h < kDelayKinds; ++h)
        for (int c = 0; c < kChannels; ++c) {
            form().Ed_dly[h][c]->SetText(cases[h][c].typed);
            if (cases[h][c].minutes)
                uitest::Click(*form().CB_min[h][c]);
        }
    // A delay set's acknowledgement names the last short request, so the
    // unit's own record shows when it arrived.
    SimControl control;
    const std::string before = control.Command("dump 2");
    uitest::Click(*form().Bn_app);
    ASSERT_TRUE(uitest::PumpUntil([&] { return control.Command("dump 2") != before; }, 3000));

    // Wipe the page, then read the unit.
    boxes->QueueAnswer(IDOK);
    uitest::Click(*form().Bn_default);
    ASSERT_EQ(form().Ed_dly[0][3]->Text(), L"1");
    ASSERT_TRUE(ClickDelivered(*form().Bn_connect));
    for (int h = 0; h < kDelayKinds; ++h)
        for (int c = 0; c < kChannels; ++c) {
            EXPECT_EQ(form().Ed_dly[h][c]->Text(), cases[h][c].shown) << h << "," << c;
            EXPECT_EQ(form().CB_min[h][c]->Checked(), cases[h][c].minutes) << h << "," << c;
        }
}

TEST_F(SetupSimTest, CascadeAndStartChannelAreReadBack)
{
    Type(*form().Ed_conn_id, L"3");
    // Start channel CH3 (cascade on from there), then cascade off.
    form().Cb_ch->SetFocus();
    uitest::Pump(20);
    // One key at a time: answers that arrive together are one unreadable chunk.
    for (int i = 0; i < 3; ++i) {
        form().StatusBar1->Panels().Items(2)->SetText(L"");
        uitest::PressKey(VK_DOWN);
        ASSERT_TRUE(uitest::PumpUntil([&] { return Panel(2) == kSentOk; }, 3000));
    }
    ASSERT_TRUE(ClickDelivered(*form().CheckBox17));
    ASSERT_FALSE(form().CheckBox17->Checked());

    // The page is made to show something else; the read corrects it.
    form().CheckBox17->SetCheckedSilently(true);
    form().Cb_ch->SetEnabled(true);
    ASSERT_TRUE(ClickDelivered(*form().Bn_connect));
    EXPECT_FALSE(form().CheckBox17->Checked());
    EXPECT_FALSE(form().Cb_ch->Enabled());
    EXPECT_FALSE(form().Button3->Enabled());

    ASSERT_TRUE(ClickDelivered(*form().CheckBox17));
    form().Cb_ch->SetItemIndex(0);
    ASSERT_TRUE(ClickDelivered(*form().Bn_connect));
    EXPECT_TRUE(form().CheckBox17->Checked());
    EXPECT_TRUE(form().Cb_ch->Enabled());
    EXPECT_EQ(form().Cb_ch->ItemIndex(), 3);
    EXPECT_EQ(boxes->Count(), 0);
}
