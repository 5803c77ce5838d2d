// Switching the language from the language box, as the operator does, and
// what each switch does to captions, status texts and message boxes.
#include "ConsoleFixture.h"

#include "console/Controls.h"
#include "console/core/CaptionPlan.h"
#include "link/win32/SerialPort.h"
#include "toolkit/testing/UiDriver.h"

namespace {

void ChooseLanguageByKeyboard(TComboBox* box, WORD key)
{
    box->SetFocus();
    uitest::Pump(20);
    uitest::PressKey(key);
    uitest::Pump(50);
}

}  // namespace

TEST_F(ConsoleTest, SwitchingFromEnglishToSimplifiedTranslatesStatusPanels)
{
    // A failed open puts "failing" in panel 1; an unanswered request puts the
    // send failure in panel 2.
    form().CB_com->SetItemIndex(4);
    uitest::Click(*form().Bn_ser_conn);
    ASSERT_EQ(Panel(1), L"failing");
    ASSERT_EQ(Panel(0), L"Port:COM5:19200,8,None,1");
    const uint8_t poll[] = {0x01, 0xA8, 0x00, 0x00};
    form().SendRequest(poll);
    ASSERT_TRUE(uitest::PumpUntil([&] { return Panel(2) == L"Status: Data sent failed"; }, 3500));

    ChooseLanguageByKeyboard(form().CB_language, VK_UP);
    ASSERT_EQ(form().LangIndex, 0);
    EXPECT_EQ(Int32At(SettingsBytes(), 64), 0);
    EXPECT_EQ(Panel(1), W("打开失败"));
    EXPECT_EQ(Panel(2), W("状态:数据发送失败"));
    EXPECT_EQ(Panel(4), W("版本：V0.5.5"));
    // The port description is never translated.
    EXPECT_EQ(Panel(0), L"Port:COM5:19200,8,None,1");
    EXPECT_EQ(form().TabSheet3->Caption(), W("实时控制"));
    EXPECT_EQ(uitest::CaptionOf(*form().Label5), W("    语言:"));
    EXPECT_EQ(form().Button_same->Caption(), W("跟\"1\"相同"));
    EXPECT_EQ(form().CB_min[1][8]->Caption(), W("分"));
    EXPECT_EQ(form().GroupBox_dly[1]->Caption(), W("关机延时"));
    EXPECT_EQ(form().Bn_seq_on[3]->Caption(), W("顺序打开"));
    EXPECT_EQ(form().CB_week[1]->Caption(), W("星期一"));
    EXPECT_EQ(form().CB_off_slot[6][9]->Caption(), W("关"));

    // Message boxes take the language at the moment they are shown.
    uitest::Click(*form().Bn_ser_conn);
    EXPECT_EQ(LastBoxText(), L"Port Invalid!");
    EXPECT_EQ(LastBoxCaption(), L"Comm Error");
}

TEST_F(ConsoleTest, OpenSerialPortKeepsItsDisconnectCaptionInTheNewLanguage)
{
    uitest::Click(*form().Bn_ser_conn);
    ASSERT_EQ(form().Bn_ser_conn->Caption(), L"disconnect");
    ASSERT_EQ(Panel(1), L"successful");

    ChooseLanguageByKeyboard(form().CB_language, VK_DOWN);
    ASSERT_EQ(form().LangIndex, 2);
    EXPECT_EQ(form().Bn_ser_conn->Caption(), W("斷開"));
    EXPECT_EQ(form().Bn_ip_conn->Caption(), W("連接"));
    EXPECT_EQ(Panel(1), W("打開成功"));
    EXPECT_EQ(Panel(0), L"Port:COM1:19200,8,None,1");

    // The next click still closes the port.
    uitest::Click(*form().Bn_ser_conn);
    EXPECT_FALSE(form().hComm->IsOpen());
    EXPECT_EQ(form().Bn_ser_conn->Caption(), W("連接"));

    // A refused connection now speaks Traditional Chinese.
    uitest::Click(*form().Bn_ser_conn);
    form().Ed_ip_address->SetText(L"127.0.0.1");
    uitest::Click(*form().Bn_ip_conn);
    EXPECT_EQ(LastBoxText(), W("已連接COM端口,請斷開再連接以太網端口!"));
    EXPECT_EQ(LastBoxCaption(), W("錯誤"));
    uitest::Click(*form().Bn_ser_conn);
}

TEST_F(ConsoleTest, TypingIntoTheLanguageBoxMeansEnglishAndIsRemembered)
{
    ChooseLanguageByKeyboard(form().CB_language, VK_UP);
    ASSERT_EQ(form().LangIndex, 0);
    ASSERT_EQ(form().Button7->Caption(), W("退出"));

    form().CB_language->SetFocus();
    uitest::Pump(20);
    SendMessageW(form().CB_language->Handle(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    uitest::TypeText(L"x");
    uitest::Pump(50);
    EXPECT_EQ(form().LangIndex, -1);
    EXPECT_EQ(form().Button7->Caption(), L"EXIT");
    EXPECT_EQ(form().TabSheet2->Caption(), L"Device Setup");
    EXPECT_EQ(Int32At(SettingsBytes(), 64), -1);

    StopConsole();
    StartConsole();
    EXPECT_EQ(form().LangIndex, -1);
    EXPECT_EQ(form().CB_language->ItemIndex(), -1);
    EXPECT_EQ(form().Button7->Caption(), L"EXIT");
    EXPECT_EQ(Panel(2), L"Status:");
}

TEST_F(ConsoleTest, ChoosingTheSameLanguageChangesNothing)
{
    form().Bn_ch[0][3]->SetCaption(L"off");
    const auto before = SettingsBytes();
    form().CB_language->SetItemIndex(1);
    form().CB_languageChange(form().CB_language);
    EXPECT_EQ(form().Bn_ch[0][3]->Caption(), L"off");
    EXPECT_EQ(SettingsBytes(), before);

    // A real change resets every channel button to the on word.
    ChooseLanguageByKeyboard(form().CB_language, VK_DOWN);
    EXPECT_EQ(form().Bn_ch[0][3]->Caption(), W("開"));
}

// Every caption the plan names follows a switch: the window's own controls,
// the four real-time groups and the timer task page.
TEST_F(ConsoleTest, EveryPlannedCaptionFollowsTheLanguage)
{
    namespace text = relayon::console;
    ChooseLanguageByKeyboard(form().CB_language, VK_DOWN);
    ASSERT_EQ(form().LangIndex, 2);
    for (const text::ControlCaption& entry : text::WindowCaptionOrder()) {
        auto* control = dynamic_cast<TControl*>(
            form().FindComponent(std::wstring(entry.control.begin(), entry.control.end())));
        ASSERT_NE(control, nullptr) << entry.control;
        EXPECT_EQ(uitest::CaptionOf(*control), text::Text(entry.key, 2)) << entry.control;
    }
    for (int g = 0; g < kRealTimeGroups; ++g) {
        EXPECT_EQ(uitest::CaptionOf(*form().Label_status[g]), W("狀態顯示"));
        EXPECT_EQ(uitest::CaptionOf(*form().Label_mask[g]), W("屏蔽選擇："));
        EXPECT_EQ(form().CB_mask_all[g]->Caption(), W("所有"));
        EXPECT_EQ(form().Bn_seq_on[g]->Caption(), W("順序打開"));
        EXPECT_EQ(form().Bn_rev_off[g]->Caption(), W("逆序關閉"));
    }
    for (int d = 0; d < kWeekdays; ++d) {
        EXPECT_EQ(form().CB_week[d]->Caption(), text::Text(*text::WeekdayCaptionKey(d), 2));
        for (int s = 0; s < kTaskSlots; ++s) {
            EXPECT_EQ(form().CB_on_slot[d][s]->Caption(), W("開"));
            EXPECT_EQ(form().CB_off_slot[d][s]->Caption(), W("關"));
        }
    }
    EXPECT_EQ(form().CB_week[1]->Caption(), W("星期壹"));
}

class SimplifiedStartTest : public ConsoleTest {
protected:
    void SetUp() override
    {
        startLanguage = 0;
        ConsoleTest::SetUp();
    }
};

TEST_F(SimplifiedStartTest, SimplifiedStartKeepsTheStoredCaptions)
{
    EXPECT_EQ(form().LangIndex, 0);
    EXPECT_EQ(form().CB_language->ItemIndex(), 0);
    EXPECT_EQ(Panel(2), W("状态:"));
    EXPECT_EQ(form().TabSheet1->Caption(), W("端口设置"));
    EXPECT_EQ(uitest::CaptionOf(*form().Label13), W("串行端口："));
    EXPECT_EQ(form().CB_min[0][0]->Caption(), W("分"));
}
