// The real-time page against the sequencer simulator (units 1 to 4): the
// lamps follow the units' outlets, clicks switch them, ALL and CLEAR reach
// every unit, and a unit that falls silent is reported. The simulator is put
// back to its start-up state at the end.
#include "ConsoleFixture.h"

#include <string>

#include <windows.h>
#include <commctrl.h>

#include "SimControl.h"
#include "console/Controls.h"
#include "toolkit/testing/UiDriver.h"

namespace {

constexpr TColor kRed = 0x0000FF;
// A poll cycle visits each of four groups every 400 ms; replies are read on a
// 60 ms cadence. Generous for a loaded machine.
constexpr int kPollCycles = 3000;

}  // namespace

class RealTimeSimTest : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(sim.Connected()) << "no simulator control interface";
        ASSERT_EQ(sim.Command("reset"), "ok");
        form().Ed_ip_address->SetText(SimAddress());
        uitest::Click(*form().Bn_ip_conn);
        ASSERT_EQ(form().Bn_ip_conn->Caption(), L"disconnect") << "no simulator on port 8080";
        for (int g = 0; g < kRealTimeGroups; ++g)
            form().Ed_grp_id[g]->SetText(std::to_wstring(g + 1));
        ClickTab(2);
    }

    void TearDown() override
    {
        if (Form1 && form().Bn_ip_conn->Caption() == L"disconnect")
            uitest::Click(*form().Bn_ip_conn);
        sim.Command("reset");
        ConsoleTest::TearDown();
    }

    // Outlet c (0 = LCD) of a unit as the simulator holds it.
    bool OutletOn(int id, int c)
    {
        const std::string dump = sim.Command("dump " + std::to_string(id));
        const auto at = dump.find("\"outlets\":[");
        if (at == std::string::npos)
            return false;
        size_t pos = at + 11;
        for (int i = 0; i < c; ++i)
            pos = dump.find(',', pos) + 1;
        return dump.compare(pos, 4, "true") == 0;
    }

    bool LampIs(int g, int c, TColor colour)
    {
        return uitest::PumpUntil([&] { return form().Shape_ch[g][c]->Brush().Color() == colour; }, kPollCycles);
    }

    SimControl sim;
};

TEST_F(RealTimeSimTest, LampsFollowTheUnitsAndClicksSwitchTheirOutlets)
{
    ASSERT_EQ(sim.Command("set 2 outlet ch3 on"), "ok");
    EXPECT_TRUE(LampIs(1, 3, kRed));
    EXPECT_EQ(form().Bn_ch[1][3]->Caption(), L"off");
    ASSERT_EQ(sim.Command("set 2 outlet ch3 off"), "ok");
    EXPECT_TRUE(LampIs(1, 3, clWhite));

    uitest::Click(*form().Bn_ch[2][5]);
    EXPECT_TRUE(uitest::PumpUntil([&] { return OutletOn(3, 5); }, kPollCycles));
    EXPECT_TRUE(LampIs(2, 5, kRed));
    EXPECT_FALSE(OutletOn(3, 4));

    // A masked outlet is left out of the group's ALL, on the unit and on the page.
    uitest::Click(*form().CB_mask[3][1]);
    EXPECT_TRUE(uitest::PumpUntil([&] { return sim.Command("dump 4").find("\"masked\":[false,true,") != std::string::npos; },
                                  kPollCycles));
    EXPECT_FALSE(form().Bn_ch[3][2]->Enabled());
    uitest::Click(*form().Bn_grp_all[3]);
    EXPECT_TRUE(uitest::PumpUntil([&] { return OutletOn(4, 8); }, kPollCycles));
    EXPECT_FALSE(OutletOn(4, 2));
    EXPECT_TRUE(LampIs(3, 8, kRed));
    EXPECT_EQ(form().Shape_ch[3][2]->Brush().Color(), clWhite);
    EXPECT_EQ(boxes->Count(), 0);
}

TEST_F(RealTimeSimTest, AllAndClearSwitchEveryUnit)
{
    uitest::Click(*form().Bn_ch_all);
    EXPECT_TRUE(uitest::PumpUntil([&] { return OutletOn(1, 0) && OutletOn(4, 8); }, kPollCycles));
    for (int id = 1; id <= 4; ++id)
        EXPECT_TRUE(OutletOn(id, 1) && OutletOn(id, 8)) << "unit " << id;
    for (int g = 0; g < kRealTimeGroups; ++g)
        EXPECT_TRUE(LampIs(g, 6, kRed)) << "group " << g;

    uitest::Click(*form().Bn_ch_clr);
    EXPECT_TRUE(uitest::PumpUntil([&] { return !OutletOn(1, 0) && !OutletOn(4, 8); }, kPollCycles));
    for (int id = 1; id <= 4; ++id)
        EXPECT_FALSE(OutletOn(id, 1) || OutletOn(id, 8)) << "unit " << id;
    for (int g = 0; g < kRealTimeGroups; ++g)
        EXPECT_TRUE(LampIs(g, 6, clWhite)) << "group " << g;
}

TEST_F(RealTimeSimTest, ASilentUnitIsReportedAndAnsweringAgainClearsIt)
{
    const std::wstring failed = L"Status: Data sent failed";
    // Every unit answers: polling keeps reporting delivery.
    uitest::Pump(1500);
    EXPECT_NE(Panel(2), failed);

    ASSERT_EQ(sim.Command("set 3 silent on"), "ok");
    EXPECT_TRUE(uitest::PumpUntil([&] { return Panel(2) == failed; }, 4000));

    ASSERT_EQ(sim.Command("set 3 silent off"), "ok");
    // The next poll of unit 3 is answered; its count starts again, so the
    // failure does not come back while it answers.
    EXPECT_TRUE(uitest::PumpUntil([&] { return Panel(2) != failed; }, kPollCycles));
    uitest::Pump(2000);
    EXPECT_NE(Panel(2), failed);
}
