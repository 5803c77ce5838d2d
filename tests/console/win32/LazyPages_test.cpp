// The windows of a page's controls are made when the operator first opens the
// page: what was set on them before (language, settings, check marks, enabled
// state) is what the page then shows.
#include "ConsoleFixture.h"

#include <commctrl.h>

#include "console/Controls.h"
#include "toolkit/testing/UiDriver.h"

namespace {

bool WindowChecked(TWinControl* box)
{
    return SendMessageW(box->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace

TEST_F(ConsoleTest, OnlyTheShownPageHasControlWindowsAtStart)
{
    EXPECT_EQ(form().RunTimeControlCount(), 600);
    EXPECT_TRUE(form().CB_com->HandleAllocated());
    EXPECT_TRUE(form().Bn_ip_conn->HandleAllocated());
    EXPECT_FALSE(form().Panel_setup->HandleAllocated());
    EXPECT_FALSE(form().Ed_dly[1][8]->HandleAllocated());
    EXPECT_FALSE(form().Bn_ch[3][8]->HandleAllocated());
    EXPECT_FALSE(form().Dt_off_slot[6][9]->HandleAllocated());

    ClickTab(2);
    ASSERT_EQ(form().PageControl1->ActivePage(), form().TabSheet3);
    EXPECT_TRUE(form().Bn_ch[3][8]->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(form().Bn_ch[3][8]->Handle()));
    // Other pages still wait.
    EXPECT_FALSE(form().Ed_dly[1][8]->HandleAllocated());
    EXPECT_FALSE(form().Dt_off_slot[6][9]->HandleAllocated());
}

TEST_F(ConsoleTest, LanguageAndStateSetBeforeAPageIsOpenedAreWhatItShows)
{
    form().CB_language->SetFocus();
    uitest::Pump(20);
    uitest::PressKey(VK_UP);
    uitest::Pump(50);
    ASSERT_EQ(form().LangIndex, 0);
    form().CB_week[3]->SetChecked(true);
    form().CB_grp_lock[2]->SetCheckedSilently(true);
    form().Ed_dly[0][4]->SetText(L"12.5");

    ClickTab(3);
    EXPECT_EQ(uitest::WindowText(form().CB_week[1]->Handle()), W("星期一"));
    EXPECT_EQ(uitest::WindowText(form().CB_off_slot[6][9]->Handle()), W("关"));
    EXPECT_TRUE(WindowChecked(form().CB_week[3]));
    EXPECT_FALSE(WindowChecked(form().CB_week[2]));
    // A checked day enables its rows; the others stay greyed.
    EXPECT_TRUE(IsWindowEnabled(form().CB_on_slot[3][0]->Handle()));
    EXPECT_EQ(IsWindowEnabled(form().CB_on_slot[2][0]->Handle()) != FALSE, form().CB_on_slot[2][0]->Enabled());

    ClickTab(2);
    EXPECT_EQ(uitest::WindowText(form().Bn_seq_on[3]->Handle()), W("顺序打开"));
    EXPECT_TRUE(WindowChecked(form().CB_grp_lock[2]));
    EXPECT_FALSE(IsWindowEnabled(form().CB_grp_lock[2]->Handle()));

    ClickTab(1);
    EXPECT_EQ(uitest::WindowText(form().Ed_dly[0][4]->Handle()), L"12.5");
    EXPECT_EQ(uitest::WindowText(form().GroupBox_dly[1]->Handle()), W("关机延时"));
    EXPECT_EQ(uitest::WindowText(form().CB_min[1][8]->Handle()), W("分"));
}
