// The main window as the operator first sees it: size, pages, status bar,
// timers, and every control built at run time where it belongs, in the
// keyboard order of its page.
#include "ConsoleFixture.h"

#include <commctrl.h>

#include "console/Controls.h"
#include "link/win32/SerialPort.h"
#include "toolkit/testing/UiDriver.h"

namespace {

// A windowed control's rectangle in its parent's client coordinates, as
// the window system places it.
RECT PlacedRect(TWinControl* control)
{
    RECT r{};
    GetWindowRect(control->Handle(), &r);
    MapWindowPoints(nullptr, GetParent(control->Handle()), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void ExpectPlaced(TWinControl* control, int left, int top, int width, int height)
{
    const RECT r = PlacedRect(control);
    EXPECT_EQ(r.left, left) << control->Name().size();
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right - r.left, width);
    EXPECT_EQ(r.bottom - r.top, height);
}

void ExpectBounds(TControl* control, int left, int top, int width, int height)
{
    EXPECT_EQ(control->Left(), left);
    EXPECT_EQ(control->Top(), top);
    EXPECT_EQ(control->Width(), width);
    EXPECT_EQ(control->Height(), height);
}

// Labels size themselves to their caption; their place is what is designed.
void ExpectLabelAt(TControl* label, int left, int top)
{
    EXPECT_EQ(label->Left(), left);
    EXPECT_EQ(label->Top(), top);
}

HWND Focused()
{
    return GetFocus();
}

}  // namespace

TEST_F(ConsoleTest, WindowStartsWithItsDesignedFrameStatusBarAndTimers)
{
    RECT outer{};
    GetWindowRect(form().Handle(), &outer);
    EXPECT_EQ(outer.right - outer.left, 771);
    EXPECT_EQ(outer.bottom - outer.top, 693);
    EXPECT_EQ(uitest::WindowText(form().Handle()), L"Relayon");
    const LONG style = GetWindowLongW(form().Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);

    EXPECT_EQ(form().PageControl1->ActivePageIndex(), 0);
    EXPECT_EQ(form().PageControl1->PageCount(), 4);

    ASSERT_EQ(form().StatusBar1->Panels().Count(), 5);
    const int widths[] = {200, 150, 150, 150, 70};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(form().StatusBar1->Panels().Items(i)->Width(), widths[i]);
    EXPECT_EQ(Panel(0), L"Port:");
    EXPECT_EQ(Panel(1), L"");
    EXPECT_EQ(Panel(3), L"");
    // The window cannot be resized, so its status bar offers no grip.
    EXPECT_FALSE(GetWindowLongW(form().StatusBar1->Handle(), GWL_STYLE) & SBARS_SIZEGRIP);

    EXPECT_TRUE(form().Timer_read232->Enabled());
    EXPECT_EQ(form().Timer_read232->Interval(), 10u);
    EXPECT_FALSE(form().Timer1->Enabled());
    EXPECT_EQ(form().Timer1->Interval(), 1000u);
    EXPECT_TRUE(form().Timer2->Enabled());
    EXPECT_EQ(form().Timer2->Interval(), 200u);
    EXPECT_TRUE(form().Timer3->Enabled());
    EXPECT_EQ(form().Timer3->Interval(), 100u);

    EXPECT_FALSE(form().hComm->IsOpen());
    EXPECT_EQ(form().Link().Flags(), 0u);
    EXPECT_EQ(form().RunTimeControlCount(), 600);
}

TEST_F(ConsoleTest, PortPageControlsSitAtTheirDesignedPlaces)
{
    ExpectPlaced(form().Bn_ser_conn, 375, 50, 87, 27);
    ExpectPlaced(form().Ed_ip_address, 125, 117, 129, 28);
    ExpectPlaced(form().Bn_ip_conn, 260, 118, 87, 27);
    EXPECT_EQ(form().CB_com->Items().Count(), 8);
    EXPECT_EQ(form().CB_com->ItemIndex(), 0);
    EXPECT_EQ(form().CB_com->Text(), L"COM1");
    EXPECT_EQ(form().CB_baud_rate->Items().Count(), 4);
    EXPECT_EQ(form().CB_baud_rate->ItemIndex(), -1);
    ExpectPlaced(form().Button7, 623, 584, 105, 33);
    ExpectPlaced(form().PageControl1, 12, 3, 745, 575);
}

TEST_F(ConsoleTest, DelayGroupsAreLaidOutInTwoRowsOfFiveColumns)
{
    form().PageControl1->SetActivePageIndex(1);
    uitest::Pump(50);
    for (int h = 0; h < kDelayKinds; ++h) {
        ExpectPlaced(form().GroupBox_dly[h], 16, 28 + 132 * h, 676, 126);
        EXPECT_EQ(form().GroupBox_dly[h]->Parent(), form().GroupBox_dly_setup);
        for (int c = 0; c < kChannels; ++c) {
            SCOPED_TRACE(testing::Message() << "h=" << h << " c=" << c);
            const int r = c / 5, k = c % 5;
            ExpectLabelAt(form().Label_dly[h][c], 10 + 134 * k, 35 + 48 * r);
            ExpectPlaced(form().Ed_dly[h][c], 50 + 134 * k, 32 + 48 * r, 42, 28);
            ExpectPlaced(form().CB_min[h][c], 95 + 134 * k, 29 + 48 * r, 39, 33);
            EXPECT_EQ(SendMessageW(form().Ed_dly[h][c]->Handle(), EM_GETLIMITTEXT, 0, 0), 4);
            EXPECT_EQ(form().Ed_dly[h][c]->Text(), L"");
            EXPECT_FALSE(form().CB_min[h][c]->Checked());
            EXPECT_EQ(form().Label_dly[h][c]->Font().Size(), 12);
            EXPECT_EQ(form().Ed_dly[h][c]->Font().Size(), 12);
        }
    }
    EXPECT_EQ(uitest::CaptionOf(*form().Label_dly[0][0]), L"LCD:");
    EXPECT_EQ(uitest::CaptionOf(*form().Label_dly[1][8]), L"CH8:");
}

TEST_F(ConsoleTest, TabFromTheLastDelayFieldReachesDefaultThenApply)
{
    form().PageControl1->SetActivePageIndex(1);
    uitest::Pump(50);
    form().CB_min[1][8]->SetFocus();
    uitest::Pump(20);
    uitest::Tab();
    EXPECT_EQ(Focused(), form().Bn_default->Handle());
    uitest::Tab();
    EXPECT_EQ(Focused(), form().Bn_app->Handle());

    form().Button_same->SetFocus();
    uitest::Pump(20);
    uitest::Tab();
    EXPECT_EQ(Focused(), form().Ed_dly[0][0]->Handle());
}

TEST_F(ConsoleTest, RealTimeGroupsStackWithOutletColumns)
{
    form().PageControl1->SetActivePageIndex(2);
    uitest::Pump(50);
    for (int g = 0; g < kRealTimeGroups; ++g) {
        SCOPED_TRACE(testing::Message() << "g=" << g);
        ExpectPlaced(form().GroupBox_rt[g], 6, 1 + 119 * g, 722, 120);
        ExpectPlaced(form().Ed_grp_id[g], 39, 22, 44, 24);
        EXPECT_EQ(SendMessageW(form().Ed_grp_id[g]->Handle(), EM_GETLIMITTEXT, 0, 0), 3);
        ExpectLabelAt(form().Label_ch[g][0], 16, 23);
        EXPECT_EQ(uitest::CaptionOf(*form().Label_ch[g][0]), L"ID:");
        ExpectLabelAt(form().Label_status[g], 115, 25);
        ExpectLabelAt(form().Label_mask[g], 24, 63);
        ExpectPlaced(form().CB_mask_all[g], 120, 64, 100, 17);
        ExpectPlaced(form().Bn_seq_on[g], 16, 84, 82, 30);
        ExpectPlaced(form().Bn_rev_off[g], 104, 84, 82, 30);
        ExpectPlaced(form().Bn_grp_all[g], 616, 84, 82, 30);
        EXPECT_EQ(uitest::CaptionOf(*form().Bn_grp_all[g]), L"ALL");
        ExpectPlaced(form().CB_grp_lock[g], 620, 45, 60, 17);
        EXPECT_FALSE(form().CB_grp_lock[g]->Enabled());
        for (int c = 0; c < kChannels; ++c) {
            ExpectBounds(form().Shape_ch[g][c], 219 + 43 * c, 20, 22, 22);
            EXPECT_EQ(form().Shape_ch[g][c]->Shape(), stCircle);
            EXPECT_EQ(form().Shape_ch[g][c]->Brush().Color(), clWhite);
            ExpectLabelAt(form().Label_ch[g][c + 1], 219 + 43 * c, 45);
            ExpectPlaced(form().Bn_ch[g][c], 212 + 43 * c, 84, 37, 30);
        }
        for (int m = 0; m < kMaskChannels; ++m) {
            ExpectPlaced(form().CB_mask[g][m], 259 + 43 * m, 64, 46, 17);
            EXPECT_EQ(uitest::CaptionOf(*form().CB_mask[g][m]), L"M");
        }
        EXPECT_EQ(uitest::CaptionOf(*form().Label_ch[g][1]), L"LCD");
        EXPECT_EQ(uitest::CaptionOf(*form().Label_ch[g][9]), L"CH8");
    }
    ExpectPlaced(form().Bn_ch_all, 536, 492, 81, 33);
    ExpectPlaced(form().Bn_ch_clr, 623, 492, 81, 33);
}

TEST_F(ConsoleTest, TabCrossesARealTimeGroupColumnByColumn)
{
    form().PageControl1->SetActivePageIndex(2);
    uitest::Pump(50);
    const int g = 1;
    form().Ed_grp_id[g]->SetFocus();
    uitest::Pump(20);
    std::vector<TWinControl*> expected = {form().CB_mask_all[g], form().Bn_seq_on[g], form().Bn_rev_off[g],
                                          form().Bn_ch[g][0]};
    for (int m = 0; m < kMaskChannels; ++m) {
        expected.push_back(form().CB_mask[g][m]);
        expected.push_back(form().Bn_ch[g][m + 1]);
    }
    expected.push_back(form().Bn_grp_all[g]);
    // The Lock box is disabled, so the next group's ID field follows.
    expected.push_back(form().Ed_grp_id[g + 1]);
    for (size_t i = 0; i < expected.size(); ++i) {
        uitest::Tab();
        EXPECT_EQ(Focused(), expected[i]->Handle()) << "step " << i;
    }
}

TEST_F(ConsoleTest, TaskPageHasSevenDayColumnsOfTenSlots)
{
    form().PageControl1->SetActivePageIndex(3);
    uitest::Pump(50);
    for (int d = 0; d < kWeekdays; ++d) {
        SCOPED_TRACE(testing::Message() << "d=" << d);
        ExpectPlaced(form().Panel_day[d], 105 * d, 0, 105, 538);
        ExpectPlaced(form().CB_week[d], 6, 5, 100, 17);
        for (int s = 0; s < kTaskSlots; ++s) {
            ExpectPlaced(form().GroupBox_slot[d][s], 0, 20 + 51 * s, 105, 51);
            ExpectPlaced(form().CB_on_slot[d][s], 5, 7, 30, 18);
            ExpectPlaced(form().Dt_on_slot[d][s], 39, 7, 60, 18);
            ExpectPlaced(form().CB_off_slot[d][s], 5, 28, 30, 18);
            ExpectPlaced(form().Dt_off_slot[d][s], 39, 28, 60, 18);
            EXPECT_EQ(form().Dt_on_slot[d][s]->Kind(), dtkTime);
            EXPECT_EQ(form().CB_on_slot[d][s]->Font().Size(), 9);
        }
    }
    EXPECT_EQ(form().GroupBox_slot[0][0]->Font().Size(), 7);
}
