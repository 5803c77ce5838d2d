// Leaving the console: Esc anywhere in the window, like the exit button,
// closes the main window and ends the application. Each test runs last in its
// own process since it ends the application's message loop.
#include "ConsoleFixture.h"

#include "console/Controls.h"
#include "toolkit/Application.h"
#include "toolkit/testing/UiDriver.h"

TEST_F(ConsoleTest, EscapeOnTheTimerTaskPageClosesTheConsoleWithoutWritingSettings)
{
    form().PageControl1->SetActivePageIndex(3);
    uitest::Pump(50);
    form().CB_week[2]->SetFocus();
    uitest::Pump(20);
    const auto before = SettingsBytes();

    uitest::PressKey(VK_ESCAPE);
    ASSERT_TRUE(uitest::PumpUntil([] { return Application->Terminated(); }, 2000));
    EXPECT_FALSE(IsWindowVisible(form().Handle()));
    EXPECT_EQ(SettingsBytes(), before);
}
