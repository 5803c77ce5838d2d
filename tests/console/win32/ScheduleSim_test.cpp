// The weekly plan against the sequencer simulator: a switch-on slot and then a
// switch-off slot of today, each programmed two seconds ahead, switch the
// simulated unit's outlets on and off, as its own state reports.
#include "ConsoleFixture.h"

#include <string>

#include "SimControl.h"
#include "console/Controls.h"
#include "toolkit/testing/UiDriver.h"

namespace {

constexpr double kSecond = 1.0 / 86400;

// The outlets array of a unit's dump, e.g. "[true,false,...]"; empty if none.
std::string Outlets(const std::string& dump)
{
    const auto start = dump.find("\"outlets\":[");
    if (start == std::string::npos)
        return {};
    const auto open = dump.find('[', start);
    return dump.substr(open, dump.find(']', open) - open + 1);
}

}  // namespace

class ScheduleSimTest : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(control.Connected()) << "no simulator control interface";
        // Sequences of the factory delays would take seconds; a hundredth of that here.
        ASSERT_EQ(control.Command("scale 0.01"), "ok");
        form().Ed_ip_address->SetText(SimAddress());
        uitest::Click(*form().Bn_ip_conn);
        ASSERT_EQ(form().Bn_ip_conn->Caption(), L"disconnect") << "no simulator at the link address";
        form().Ed_conn_id->SetText(L"2");
        form().Cb_ch->SetItemIndex(0);
        form().PageControl1->SetActivePageIndex(3);
    }

    void TearDown() override
    {
        if (Form1 && form().Bn_ip_conn->Caption() == L"disconnect")
            uitest::Click(*form().Bn_ip_conn);
        if (control.Connected()) {
            control.Command("scale 1");
            control.Command("reset");
        }
        ConsoleTest::TearDown();
    }

    // Waits, with the console running, until unit 2's outlets read `want`.
    bool OutletsBecome(const std::string& want)
    {
        std::string seen;
        const bool ok = uitest::PumpUntil([&] {
            seen = Outlets(control.Command("dump 2"));
            return seen == want;
        }, 5000);
        if (!ok)
            ADD_FAILURE() << "outlets of unit 2: " << seen;
        return ok;
    }

    SimControl control;
};

TEST_F(ScheduleSimTest, TodaysSlotsSwitchTheUnitOnAndThenOff)
{
    const std::string allOff = "[false,false,false,false,false,false,false,false,false]";
    const std::string allOn = "[true,true,true,true,true,true,true,true,true]";
    ASSERT_EQ(Outlets(control.Command("dump 2")), allOff);

    const int d = DayOfWeek(Now()) - 1;
    uitest::Click(*form().CB_week[d]);
    const TDateTime on = Now() + 2 * kSecond;
    form().Dt_on_slot[d][0]->SetTime(on);
    uitest::Click(*form().CB_on_slot[d][0]);
    ASSERT_TRUE(OutletsBecome(allOn));

    const TDateTime off = Now() + 2 * kSecond;
    form().Dt_off_slot[d][1]->SetTime(off);
    uitest::Click(*form().CB_off_slot[d][1]);
    EXPECT_TRUE(OutletsBecome(allOff));
}
