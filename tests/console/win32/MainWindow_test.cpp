// The main window as the operator first sees it: size, pages, status bar,
// timers, and every control built at run time where it belongs, in the
// keyboard order of its page.
#include "ConsoleFixture.h"

#include <commctrl.h>

#include <vector>

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

// A control's rectangle in its parent's client coordinates.
RECT BoundsOf(TControl* control)
{
    return RECT{control->Left(), control->Top(), control->Left() + control->Width(),
                control->Top() + control->Height()};
}

// Wholly inside the parent's client area.
void ExpectInsideParent(TControl* control)
{
    ASSERT_NE(control->Parent(), nullptr);
    RECT client{};
    GetClientRect(control->Parent()->Handle(), &client);
    const RECT r = BoundsOf(control);
    EXPECT_GE(r.left, 0);
    EXPECT_GE(r.top, 0);
    EXPECT_LE(r.right, client.right);
    EXPECT_LE(r.bottom, client.bottom);
    EXPECT_GT(control->Width(), 0);
    EXPECT_GT(control->Height(), 0);
}

bool Overlap(TControl* one, TControl* other)
{
    RECT a = BoundsOf(one), b = BoundsOf(other), both{};
    return IntersectRect(&both, &a, &b) != FALSE;
}

// No two of the controls share a pixel.
void ExpectNoOverlap(const std::vector<TControl*>& controls)
{
    for (size_t i = 0; i < controls.size(); ++i)
        for (size_t j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(Overlap(controls[i], controls[j])) << "controls " << i << " and " << j << " overlap";
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
    ExpectPlaced(form().StatusBar1, 0, 623, 765, 30);
    const RECT language = PlacedRect(form().CB_language);
    EXPECT_EQ(language.left, 89);
    EXPECT_EQ(language.top, 589);
    EXPECT_EQ(language.right - language.left, 168);
    EXPECT_EQ(form().Label5->BoundsRect().left, 8);
    EXPECT_EQ(form().Label5->Width(), 89);
}

TEST_F(ConsoleTest, DelayGroupsAreLaidOutInTwoRowsOfFiveColumns)
{
    form().PageControl1->SetActivePageIndex(1);
    uitest::Pump(50);
    ExpectPlaced(form().GroupBox_dly[0], 16, 28, 676, 126);
    std::vector<TControl*> groups;
    for (int h = 0; h < kDelayKinds; ++h) {
        groups.push_back(form().GroupBox_dly[h]);
        EXPECT_EQ(form().GroupBox_dly[h]->Parent(), form().GroupBox_dly_setup);
        ExpectInsideParent(form().GroupBox_dly[h]);
        std::vector<TControl*> inside;
        for (int c = 0; c < kChannels; ++c) {
            SCOPED_TRACE(testing::Message() << "h=" << h << " c=" << c);
            TControl* label = form().Label_dly[h][c];
            TControl* field = form().Ed_dly[h][c];
            TControl* box = form().CB_min[h][c];
            for (TControl* control : {label, field, box}) {
                EXPECT_EQ(control->Parent(), form().GroupBox_dly[h]);
                ExpectInsideParent(control);
                inside.push_back(control);
            }
            // Label, field, minutes box from left to right on one row; five
            // positions to a row, LCD first.
            EXPECT_LT(label->Left(), field->Left());
            EXPECT_LT(field->Left(), box->Left());
            const int row = c / 5;
            EXPECT_EQ(field->Top(), form().Ed_dly[h][row * 5]->Top());
            if (c % 5)
                EXPECT_GT(field->Left(), form().Ed_dly[h][c - 1]->Left());
            if (row)
                EXPECT_GT(field->Top(), form().Ed_dly[h][0]->Top());
            EXPECT_EQ(SendMessageW(form().Ed_dly[h][c]->Handle(), EM_GETLIMITTEXT, 0, 0), 4);
            EXPECT_EQ(form().Ed_dly[h][c]->Text(), L"");
            EXPECT_FALSE(form().CB_min[h][c]->Checked());
        }
        ExpectNoOverlap(inside);
    }
    ExpectNoOverlap(groups);
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

    uitest::Tab();
    EXPECT_EQ(Focused(), form().CheckBox17->Handle());

    // The switch-off row leads into the delay group, whose first stop is Button_same.
    form().Button2->SetFocus();
    uitest::Pump(20);
    uitest::Tab();
    EXPECT_EQ(Focused(), form().Button_same->Handle());
    uitest::Tab();
    EXPECT_EQ(Focused(), form().Ed_dly[0][0]->Handle());
}

TEST_F(ConsoleTest, RealTimeGroupsStackWithOutletColumns)
{
    form().PageControl1->SetActivePageIndex(2);
    uitest::Pump(50);
    ExpectPlaced(form().GroupBox_rt[0], 6, 1, 722, 120);
    for (int g = 0; g < kRealTimeGroups; ++g) {
        SCOPED_TRACE(testing::Message() << "g=" << g);
        // Stacked groups share a border line; the page's buttons sit below them.
        for (TControl* button : {static_cast<TControl*>(form().Bn_ch_all), static_cast<TControl*>(form().Bn_ch_clr)})
            EXPECT_FALSE(Overlap(button, form().GroupBox_rt[g]));
        ExpectInsideParent(form().GroupBox_rt[g]);
        if (g)
            EXPECT_GT(form().GroupBox_rt[g]->Top(), form().GroupBox_rt[g - 1]->Top());
        EXPECT_EQ(SendMessageW(form().Ed_grp_id[g]->Handle(), EM_GETLIMITTEXT, 0, 0), 3);
        EXPECT_EQ(uitest::CaptionOf(*form().Label_ch[g][0]), L"ID:");
        EXPECT_EQ(uitest::CaptionOf(*form().Bn_grp_all[g]), L"ALL");
        EXPECT_FALSE(form().CB_grp_lock[g]->Enabled());

        // Windowed controls of the group: none overlaps another.
        std::vector<TControl*> windows = {form().Ed_grp_id[g], form().CB_mask_all[g], form().Bn_seq_on[g],
                                          form().Bn_rev_off[g], form().Bn_grp_all[g], form().CB_grp_lock[g]};
        for (int c = 0; c < kChannels; ++c)
            windows.push_back(form().Bn_ch[g][c]);
        for (TControl* control : windows) {
            EXPECT_EQ(control->Parent(), form().GroupBox_rt[g]);
            ExpectInsideParent(control);
        }
        ExpectNoOverlap(windows);
        // The mask boxes sit closer than their width (their caption is one
        // letter), in order, and clear of every other control of the group.
        for (int m = 0; m < kMaskChannels; ++m) {
            TControl* mask = form().CB_mask[g][m];
            EXPECT_EQ(mask->Parent(), form().GroupBox_rt[g]);
            ExpectInsideParent(mask);
            if (m)
                EXPECT_GT(mask->Left(), form().CB_mask[g][m - 1]->Left());
            for (TControl* control : windows)
                EXPECT_FALSE(Overlap(mask, control)) << "mask " << m;
        }

        // One column per outlet, LCD first: lamp over its name, name over its
        // button, and each mask box in the column of its channel.
        for (int c = 0; c < kChannels; ++c) {
            TControl* lamp = form().Shape_ch[g][c];
            TControl* name = form().Label_ch[g][c + 1];
            TControl* button = form().Bn_ch[g][c];
            ExpectInsideParent(lamp);
            EXPECT_EQ(form().Shape_ch[g][c]->Shape(), stCircle);
            EXPECT_EQ(form().Shape_ch[g][c]->Brush().Color(), clWhite);
            EXPECT_LT(lamp->Top(), name->Top());
            EXPECT_LT(name->Top(), button->Top());
            EXPECT_LT(lamp->Left(), button->Left() + button->Width());
            EXPECT_GT(lamp->Left() + lamp->Width(), button->Left());
            if (c) {
                EXPECT_GT(lamp->Left(), form().Shape_ch[g][c - 1]->Left());
                TControl* mask = form().CB_mask[g][c - 1];
                EXPECT_LT(mask->Left(), button->Left() + button->Width());
                EXPECT_GT(mask->Left() + mask->Width(), button->Left());
                EXPECT_EQ(uitest::CaptionOf(*form().CB_mask[g][c - 1]), L"M");
            }
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
    ExpectPlaced(form().Panel_day[0], 0, 0, 105, 538);
    std::vector<TControl*> days;
    for (int d = 0; d < kWeekdays; ++d) {
        SCOPED_TRACE(testing::Message() << "d=" << d);
        days.push_back(form().Panel_day[d]);
        ExpectInsideParent(form().Panel_day[d]);
        if (d)
            EXPECT_GT(form().Panel_day[d]->Left(), form().Panel_day[d - 1]->Left());
        std::vector<TControl*> column;
        // The weekday box heads its column (as designed it runs one pixel
        // past the column's right edge; its caption ends well before).
        EXPECT_EQ(form().CB_week[d]->Parent(), form().Panel_day[d]);
        EXPECT_LT(form().CB_week[d]->Top(), form().GroupBox_slot[d][0]->Top());
        for (int s = 0; s < kTaskSlots; ++s) {
            column.push_back(form().GroupBox_slot[d][s]);
            ExpectInsideParent(form().GroupBox_slot[d][s]);
            if (s)
                EXPECT_GT(form().GroupBox_slot[d][s]->Top(), form().GroupBox_slot[d][s - 1]->Top());
            std::vector<TControl*> slot = {form().CB_on_slot[d][s], form().Dt_on_slot[d][s],
                                           form().CB_off_slot[d][s], form().Dt_off_slot[d][s]};
            for (TControl* control : slot) {
                EXPECT_EQ(control->Parent(), form().GroupBox_slot[d][s]);
                ExpectInsideParent(control);
            }
            ExpectNoOverlap(slot);
            // Switch-on row above the switch-off row, box left of its picker.
            EXPECT_LT(form().CB_on_slot[d][s]->Top(), form().CB_off_slot[d][s]->Top());
            EXPECT_LT(form().CB_on_slot[d][s]->Left(), form().Dt_on_slot[d][s]->Left());
            EXPECT_EQ(form().Dt_on_slot[d][s]->Kind(), dtkTime);
            EXPECT_EQ(form().Dt_off_slot[d][s]->Kind(), dtkTime);
        }
        ExpectNoOverlap(column);
    }
    ExpectNoOverlap(days);
}

// A stored language or port number beyond the lists selects no item; the box
// then shows nothing rather than the item it was designed with, which would
// name a language the captions do not speak or a port a click would not open.
TEST_F(ConsoleTest, StoredLanguageAndPortOutsideTheListsShowNoItem)
{
    StopConsole();
    auto bytes = SettingsBytes();
    bytes[0] = 9;   // port number
    bytes[64] = 5;  // language
    WriteSettingsBytes(bytes);
    StartConsole();

    EXPECT_EQ(form().LangIndex, 5);
    EXPECT_EQ(form().CB_language->ItemIndex(), -1);
    EXPECT_EQ(uitest::WindowText(form().CB_language->Handle()), L"");
    EXPECT_EQ(form().Button7->Caption(), L"EXIT");
    EXPECT_EQ(form().CB_com->ItemIndex(), -1);
    EXPECT_EQ(uitest::WindowText(form().CB_com->Handle()), L"");
    EXPECT_EQ(SettingsBytes(), bytes);
    uitest::Click(*form().Bn_ser_conn);
    EXPECT_EQ(Panel(0), L"Port:COM0:19200,8,None,1");
}

// No control of the device setup page is partly hidden under a neighbour:
// each corner of a button, field, box or picker shows that control (the
// switch-off row ends three pixels below the top of the delay group).
TEST_F(ConsoleTest, SetupPageControlsAreWhollyVisible)
{
    ClickTab(1);
    std::vector<TWinControl*> controls;
    for (int i = 0; i < form().ComponentCount(); ++i) {
        auto* control = dynamic_cast<TWinControl*>(form().Components(i));
        if (control && !dynamic_cast<TGroupBox*>(control) && !dynamic_cast<TPanel*>(control) &&
            control->HandleAllocated() && IsWindowVisible(control->Handle()) &&
            IsChild(form().Panel_setup->Handle(), control->Handle()))
            controls.push_back(control);
    }
    EXPECT_GT(controls.size(), 50u);
    for (TWinControl* control : controls) {
        const HWND parent = GetParent(control->Handle());
        const RECT r = PlacedRect(control);
        for (const POINT corner : {POINT{r.left, r.top}, POINT{r.right - 1, r.top}, POINT{r.left, r.bottom - 1},
                                   POINT{r.right - 1, r.bottom - 1}})
            EXPECT_EQ(ChildWindowFromPointEx(parent, corner, CWP_SKIPINVISIBLE), control->Handle())
                << uitest::WindowText(control->Handle()) << " at " << corner.x << "," << corner.y;
    }
}
