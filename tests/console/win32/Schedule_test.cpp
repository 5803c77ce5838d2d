// The schedule timer against a loopback TCP peer playing the sequencer: one-shot
// and weekly moments programmed two seconds ahead, what goes on the wire in
// that second and after it.
#include "ConsoleFixture.h"

#include <chrono>
#include <vector>

#include "LoopbackPeer.h"
#include "console/Controls.h"
#include "toolkit/testing/UiDriver.h"

namespace {

constexpr uint16_t kSequencerPort = 8080;
constexpr double kSecond = 1.0 / 86400;

struct SeenFrame {
    std::vector<uint8_t> bytes;
    SYSTEMTIME at;  // local time of arrival
};

// Whole time of day in milliseconds, for comparing arrivals with the moment.
long long MsOfDay(const SYSTEMTIME& t)
{
    return ((t.wHour * 60LL + t.wMinute) * 60 + t.wSecond) * 1000 + t.wMilliseconds;
}

}  // namespace

class ScheduleTest : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(peer.Listening()) << "127.0.0.1:8080 is taken";
        form().Ed_ip_address->SetText(L"127.0.0.1");
        uitest::Click(*form().Bn_ip_conn);
        ASSERT_TRUE(peer.Accept(Millis(1000)));
        form().Ed_conn_id->SetText(L"7");
        form().Cb_ch->SetItemIndex(2);
        form().PageControl1->SetActivePageIndex(1);
    }

    // A moment two whole seconds ahead, at the start of its second.
    TDateTime Ahead()
    {
        const TDateTime now = Now();
        const TimeParts t = DecodeTime(now);
        moment = now + 2 * kSecond - t.millisecond / 86400000.0;
        return moment;
    }

    // Pumps the console until 1.5 s after the programmed second and returns
    // the SequenceControl frames the peer got (short frames with 0xA6);
    // status polls and other requests are left out.
    std::vector<SeenFrame> SequenceControlFrames()
    {
        std::vector<SeenFrame> frames;
        std::vector<uint8_t> stream;
        const long long end = MsOfDay(ToSystemTime(moment)) + 2500;
        uitest::PumpUntil([&] {
            for (uint8_t b : peer.Receive(64, Millis(5)))
                stream.push_back(b);
            SYSTEMTIME now{};
            GetLocalTime(&now);
            while (stream.size() >= 6 && stream[0] == 0x55) {
                std::vector<uint8_t> frame(stream.begin(), stream.begin() + 6);
                stream.erase(stream.begin(), stream.begin() + 6);
                if (frame[2] == 0xA6)
                    frames.push_back({frame, now});
            }
            if (!stream.empty() && stream[0] != 0x55)
                stream.erase(stream.begin(), stream.begin() + std::min<size_t>(stream.size(), 22));
            return MsOfDay(now) >= end;
        }, 6000);
        return frames;
    }

    // Frames: one to five, all in the programmed second, all equal to `want`.
    void ExpectSentOnlyInTheSecond(const std::vector<uint8_t>& want)
    {
        const auto frames = SequenceControlFrames();
        ASSERT_GE(frames.size(), 1u);
        // Five ticks a second; one more when the timer's jitter puts a sixth
        // tick at the very end of the second.
        EXPECT_LE(frames.size(), 6u);
        const long long start = MsOfDay(ToSystemTime(moment));
        for (const auto& f : frames) {
            EXPECT_EQ(f.bytes, want);
            EXPECT_GE(MsOfDay(f.at), start);
            // Arrival lags the send by at most a few pumps.
            EXPECT_LT(MsOfDay(f.at), start + 1000 + 150);
        }
    }

    static SYSTEMTIME ToSystemTime(TDateTime value)
    {
        const DateParts d = DecodeDate(value);
        const TimeParts t = DecodeTime(value);
        SYSTEMTIME st{};
        st.wYear = static_cast<WORD>(d.year);
        st.wMonth = static_cast<WORD>(d.month);
        st.wDay = static_cast<WORD>(d.day);
        st.wHour = static_cast<WORD>(t.hour);
        st.wMinute = static_cast<WORD>(t.minute);
        st.wSecond = static_cast<WORD>(t.second);
        return st;
    }

    // Weekday of the programmed moment, 0 = Sunday.
    int Today() const { return DayOfWeek(moment) - 1; }

    LoopbackPeer peer{kSequencerPort, SOMAXCONN, Millis(5000)};
    TDateTime moment = 0;
};

TEST_F(ScheduleTest, OneShotSwitchOnGoesOutDuringItsSecondAndNeverAfter)
{
    const TDateTime at = Ahead();
    form().DateTimePicker1->SetDateTime(at);
    form().DateTimePicker2->SetDateTime(at);
    uitest::Click(*form().CB_Opentime);
    ASSERT_TRUE(form().CB_Opentime->Checked());
    // Device 7, SwitchOn, start channel item 2, check byte.
    ExpectSentOnlyInTheSecond({0x55, 0x07, 0xA6, 0x08, 0x02, 0xAB});
    EXPECT_EQ(boxes->Count(), 0);
}

TEST_F(ScheduleTest, SecondMissedWhileTheWindowWasHeldIsSentOnceAfterwards)
{
    const TDateTime at = Ahead();
    form().DateTimePicker1->SetDateTime(at);
    form().DateTimePicker2->SetDateTime(at);
    uitest::Click(*form().CB_Opentime);
    // The user-interface thread is held over the whole programmed second.
    Sleep(static_cast<DWORD>((at - Now()) * 86400000.0) + 1300);
    const auto frames = SequenceControlFrames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].bytes, (std::vector<uint8_t>{0x55, 0x07, 0xA6, 0x08, 0x02, 0xAB}));
}

TEST_F(ScheduleTest, OneShotOnAndOffInTheSameSecondSendSwitchOff)
{
    const TDateTime at = Ahead();
    for (auto* picker : {form().DateTimePicker1, form().DateTimePicker2, form().DateTimePicker3,
                         form().DateTimePicker4})
        picker->SetDateTime(at);
    uitest::Click(*form().CB_Opentime);
    uitest::Click(*form().CB_Closetime);
    ExpectSentOnlyInTheSecond({0x55, 0x07, 0xA6, 0x09, 0x02, 0xAA});
}

TEST_F(ScheduleTest, OneShotOnAnotherDayNeverMatches)
{
    const TDateTime at = Ahead();
    form().DateTimePicker1->SetDateTime(at + 1);
    form().DateTimePicker2->SetDateTime(at);
    uitest::Click(*form().CB_Opentime);
    EXPECT_TRUE(SequenceControlFrames().empty());
}

TEST_F(ScheduleTest, WeeklySlotOfTodayOnACheckedDaySwitchesOnThenOff)
{
    // The page is made and the day checked first: that takes its time.
    const int d = DayOfWeek(Now()) - 1;
    form().PageControl1->SetActivePageIndex(3);
    uitest::Click(*form().CB_week[d]);
    ASSERT_TRUE(form().CB_on_slot[d][4]->Enabled());
    const TDateTime on = Ahead();
    ASSERT_EQ(Today(), d);
    form().Dt_on_slot[d][4]->SetTime(on);
    uitest::Click(*form().CB_on_slot[d][4]);
    // The off time of the slot equals its on time: the on time wins.
    form().Dt_off_slot[d][4]->SetTime(on);
    uitest::Click(*form().CB_off_slot[d][4]);
    ExpectSentOnlyInTheSecond({0x55, 0x07, 0xA6, 0x08, 0x02, 0xAB});

    // A later slot's off time on the same day.
    const TDateTime off = Ahead();
    form().Dt_off_slot[d][9]->SetTime(off);
    uitest::Click(*form().CB_off_slot[d][9]);
    ExpectSentOnlyInTheSecond({0x55, 0x07, 0xA6, 0x09, 0x02, 0xAA});
}

TEST_F(ScheduleTest, SlotOfAnUncheckedDayOrAnotherDaySendsNothing)
{
    const int d = DayOfWeek(Now()) - 1;
    const int tomorrow = (d + 1) % 7;
    form().PageControl1->SetActivePageIndex(3);
    uitest::Click(*form().CB_week[tomorrow]);
    const TDateTime at = Ahead();
    ASSERT_EQ(Today(), d);
    // Checked slot, day box left unchecked: greyed and ignored.
    form().Dt_on_slot[d][0]->SetTime(at);
    form().CB_on_slot[d][0]->SetChecked(true);
    ASSERT_FALSE(form().CB_on_slot[d][0]->Enabled());
    // Tomorrow checked with the same slot time.
    form().Dt_on_slot[tomorrow][0]->SetTime(at);
    form().CB_on_slot[tomorrow][0]->SetChecked(true);
    EXPECT_TRUE(SequenceControlFrames().empty());
    // The same slot once today's box is checked: sent.
    const TDateTime again = Ahead();
    form().Dt_on_slot[d][0]->SetTime(again);
    uitest::Click(*form().CB_week[d]);
    ExpectSentOnlyInTheSecond({0x55, 0x07, 0xA6, 0x08, 0x02, 0xAB});
}

TEST_F(ScheduleTest, InvalidDeviceIdAtTheMomentShowsBadIdAndSendsNothing)
{
    const TDateTime at = Ahead();
    form().DateTimePicker1->SetDateTime(at);
    form().DateTimePicker2->SetDateTime(at);
    uitest::Click(*form().CB_Opentime);
    form().Ed_conn_id->SetText(L"256");
    EXPECT_TRUE(SequenceControlFrames().empty());
    ASSERT_GE(boxes->Count(), 1);
    EXPECT_LE(boxes->Count(), 6);  // five or six ticks in the second
    for (const auto& box : boxes->Seen())
        EXPECT_EQ(box.Text, L"please input a valid ID, range: 1-255");
}
