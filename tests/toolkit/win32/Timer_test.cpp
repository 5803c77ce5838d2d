// Timers run on real time through WM_TIMER.
#include <gtest/gtest.h>

#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Timer.h"
#include "toolkit/testing/UiDriver.h"

namespace {
class Ticks : public TObject {
public:
    void OnTimer(TObject* sender) {
        ++count;
        at.push_back(GetTickCount());
        lastSender = sender;
        if (stopAfter && count >= stopAfter) static_cast<TTimer*>(sender)->SetEnabled(false);
    }
    int count = 0;
    int stopAfter = 0;
    std::vector<DWORD> at;
    TObject* lastSender = nullptr;
};
}  // namespace

TEST(Timer, FiresRepeatedlyWhileEnabledAndStopsWhenDisabled) {
    Ticks ticks;
    TTimer timer(nullptr);  // no owner is allowed
    timer.SetInterval(40);
    timer.OnTimer = TNotifyEvent(&ticks, &Ticks::OnTimer);
    uitest::Pump(450);
    // Roughly ten periods; generous bounds for a loaded machine.
    EXPECT_GE(ticks.count, 4);
    EXPECT_LE(ticks.count, 13);
    EXPECT_EQ(ticks.lastSender, &timer);
    timer.SetEnabled(false);
    int stopped = ticks.count;
    uitest::Pump(200);
    EXPECT_EQ(ticks.count, stopped);
}

TEST(Timer, HandlerCanDisableItsOwnTimer) {
    Ticks ticks;
    ticks.stopAfter = 2;
    TTimer timer(nullptr);
    timer.SetInterval(20);
    timer.OnTimer = TNotifyEvent(&ticks, &Ticks::OnTimer);
    uitest::Pump(300);
    EXPECT_EQ(ticks.count, 2);
    EXPECT_FALSE(timer.Enabled());
}

TEST(Timer, ReEnablingRestartsThePeriod) {
    Ticks ticks;
    TTimer timer(nullptr);
    timer.SetInterval(300);
    timer.OnTimer = TNotifyEvent(&ticks, &Ticks::OnTimer);
    // Keep switching it off and on faster than the period: it never fires.
    for (int i = 0; i < 6; ++i) {
        uitest::Pump(150);
        timer.SetEnabled(false);
        timer.SetEnabled(true);
    }
    EXPECT_EQ(ticks.count, 0);
    DWORD restarted = GetTickCount();
    ASSERT_TRUE(uitest::PumpUntil([&] { return ticks.count > 0; }, 2000));
    EXPECT_GE(ticks.at[0] - restarted, 250u);
}

TEST(Timer, FreedTimerNoLongerFires) {
    Ticks ticks;
    auto* timer = new TTimer(nullptr);
    timer->SetInterval(10);
    timer->OnTimer = TNotifyEvent(&ticks, &Ticks::OnTimer);
    uitest::Pump(60);
    delete timer;
    int seen = ticks.count;
    uitest::Pump(100);
    EXPECT_EQ(ticks.count, seen);
}

TEST(Timer, ExceptionInHandlerGoesToTheApplicationAndTheTimerGoesOn) {
    struct Thrower : TObject {
        int count = 0;
        void Fire(TObject*) {
            ++count;
            throw std::runtime_error("tick failed");
        }
        std::vector<std::wstring> errors;
        void OnError(TObject*, const std::wstring& message) { errors.push_back(message); }
    } thrower;
    Application->OnException = TExceptionEvent(&thrower, &Thrower::OnError);
    TTimer timer(nullptr);
    timer.SetInterval(20);
    timer.OnTimer = TNotifyEvent(&thrower, &Thrower::Fire);
    uitest::Pump(200);
    Application->OnException = nullptr;
    EXPECT_GE(thrower.count, 2);
    ASSERT_FALSE(thrower.errors.empty());
    EXPECT_EQ(thrower.errors[0], L"tick failed");
}
