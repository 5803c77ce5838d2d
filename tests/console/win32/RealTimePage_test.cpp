// The real-time page driven by real clicks, over TCP to a listener on
// 127.0.0.1:8080 playing the units: what goes out on the wire and when, what
// the page shows after each send, and the refusals of locked or running units.
// Timing bounds are generous: the machine running the tests is loaded.
#include "ConsoleFixture.h"

#include <chrono>
#include <functional>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "LoopbackPeer.h"
#include "console/Controls.h"
#include "link/Frame.h"
#include "link/Opcodes.h"
#include "link/Replies.h"
#include "link/Requests.h"
#include "toolkit/testing/UiDriver.h"

namespace link = relayon::link;
using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

namespace {

constexpr uint16_t kSequencerPort = 8080;
constexpr TColor kRed = 0x0000FF;

struct Seen {
    Bytes frame;
    Clock::time_point at;
};

Bytes Wire(const link::ShortPayload& payload) { return link::EncodeRequest(payload); }

}  // namespace

class RealTimePageTest : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(peer.Listening()) << "127.0.0.1:8080 is taken";
        form().Ed_ip_address->SetText(L"127.0.0.1");
        uitest::Click(*form().Bn_ip_conn);
        ASSERT_TRUE(peer.Accept(Millis(1000)));
        ClickTab(2);
        ASSERT_EQ(form().PageControl1->ActivePage(), form().TabSheet3);
    }

    // Frames (all requests here are 6 bytes) the console sends while it runs,
    // until `done` holds for what was seen or the time is up.
    std::vector<Seen> Watch(const std::function<bool(const std::vector<Seen>&)>& done, int timeoutMs = 3000)
    {
        std::vector<Seen> seen;
        Bytes pending;
        uitest::PumpUntil([&] {
            const auto part = peer.Receive(6 - pending.size(), Millis(2));
            pending.insert(pending.end(), part.begin(), part.end());
            if (pending.size() == 6) {
                seen.push_back({pending, Clock::now()});
                pending.clear();
            }
            return done(seen);
        }, timeoutMs);
        return seen;
    }

    static int Count(const std::vector<Seen>& seen, const Bytes& frame)
    {
        int n = 0;
        for (const auto& s : seen)
            n += s.frame == frame;
        return n;
    }

    // Waits until `frame` went out twice (a queued action), returning all frames seen.
    std::vector<Seen> WatchAction(const Bytes& frame)
    {
        return Watch([&](const auto& seen) { return Count(seen, frame) >= 2; });
    }

    // Answers the next poll of `id` with a status reply.
    void AnswerPoll(uint8_t id, uint8_t flags, uint8_t channels)
    {
        const Bytes poll = Wire(link::PollStatusPayload(id));
        ASSERT_EQ(Count(Watch([&](const auto& seen) { return Count(seen, poll) >= 1; }), poll), 1);
        peer.Send(link::MakePollStatusReply(id, flags, channels));
        uitest::Pump(300);
    }

    TColor Lamp(int g, int c) { return form().Shape_ch[g][c]->Brush().Color(); }

    LoopbackPeer peer{kSequencerPort, SOMAXCONN, Millis(5000)};
};

TEST_F(RealTimePageTest, ChannelClickGoesOutTwiceAfterTheCountdownAndLightsTheLamp)
{
    form().Ed_grp_id[1]->SetText(L"7");
    const Bytes channelOn = Wire(link::ChannelPayload(7, true, 3));
    ASSERT_EQ(channelOn, (Bytes{0x55, 0x07, 0xA0, 0x00, 0x03, 0x07 ^ 0xA0 ^ 0x03}));

    const auto clicked = Clock::now();
    uitest::Click(*form().Bn_ch[1][3]);
    const auto seen = WatchAction(channelOn);
    ASSERT_EQ(Count(seen, channelOn), 2);

    std::vector<Clock::time_point> sends;
    for (const auto& s : seen)
        if (s.frame == channelOn)
            sends.push_back(s.at);
    const auto first = std::chrono::duration_cast<std::chrono::milliseconds>(sends[0] - clicked).count();
    const auto gap = std::chrono::duration_cast<std::chrono::milliseconds>(sends[1] - sends[0]).count();
    // Four 10 ms ticks at the least; then one more tick between the copies.
    EXPECT_GE(first, 30);
    EXPECT_LE(first, 1500);
    EXPECT_LE(gap, 500);
    EXPECT_EQ(Lamp(1, 3), kRed);
    EXPECT_EQ(form().Bn_ch[1][3]->Caption(), L"off");
    EXPECT_EQ(form().Timer3->Interval(), 100u) << "idle again after the second copy";

    // The caption now reads off: the next click switches the outlet off.
    uitest::Click(*form().Bn_ch[1][3]);
    WatchAction(Wire(link::ChannelPayload(7, false, 3)));
    EXPECT_EQ(Lamp(1, 3), clWhite);
    EXPECT_EQ(form().Bn_ch[1][3]->Caption(), L"on");
    EXPECT_EQ(boxes->Count(), 0);
}

TEST_F(RealTimePageTest, GroupAllLeavesAMaskedChannelAndMaskAllCopiesToEveryBox)
{
    form().Ed_grp_id[0]->SetText(L"4");
    uitest::Click(*form().CB_mask[0][1]);
    WatchAction(Wire(link::SetMaskPayload(4, 1, true)));
    EXPECT_FALSE(form().Bn_ch[0][2]->Enabled());
    EXPECT_TRUE(form().Bn_ch[0][3]->Enabled());

    uitest::Click(*form().Bn_grp_all[0]);
    WatchAction(Wire(link::GroupAllPayload(4, true)));
    EXPECT_EQ(form().Bn_grp_all[0]->Caption(), L"CLEAR");
    for (int c = 0; c < kChannels; ++c) {
        EXPECT_EQ(Lamp(0, c), c == 2 ? clWhite : kRed) << "outlet " << c;
        EXPECT_EQ(form().Bn_ch[0][c]->Caption(), c == 2 ? L"on" : L"off") << "outlet " << c;
    }

    uitest::Click(*form().Bn_grp_all[0]);
    WatchAction(Wire(link::GroupAllPayload(4, false)));
    EXPECT_EQ(form().Bn_grp_all[0]->Caption(), L"ALL");
    EXPECT_EQ(Lamp(0, 5), clWhite);

    // Mask-all: one request for all eight; the boxes follow without each
    // sending a request of its own.
    uitest::Click(*form().CB_mask_all[0]);
    const Bytes maskAll = Wire(link::SetMaskPayload(4, link::MaskAllChannels, true));
    const auto seen = Watch([&](const auto& s) { return Count(s, maskAll) >= 2; });
    EXPECT_EQ(Count(seen, maskAll), 2);
    for (int k = 0; k < kMaskChannels; ++k) {
        EXPECT_TRUE(form().CB_mask[0][k]->Checked());
        EXPECT_FALSE(form().Bn_ch[0][k + 1]->Enabled());
    }
    const auto after = Watch([](const auto&) { return false; }, 400);
    for (const auto& s : after)
        EXPECT_EQ(s.frame[2], link::PollStatus) << "only polls follow the mask-all request";
}

TEST_F(RealTimePageTest, RefusalsComeInOrderIdLockRunningAndMasksStillQueue)
{
    // No ID: the ID message first, whatever else holds.
    uitest::Click(*form().Bn_seq_on[2]);
    EXPECT_EQ(LastBoxText(), L"please input a valid ID, range: 1-255");

    form().Ed_grp_id[2]->SetText(L"9");
    AnswerPoll(9, link::StatusFlags::Locked | link::StatusFlags::Running, 0x00);
    ASSERT_TRUE(form().CB_grp_lock[2]->Checked());
    boxes->Clear();
    uitest::Click(*form().Bn_rev_off[2]);
    uitest::Click(*form().Bn_ch[2][4]);
    ASSERT_EQ(boxes->Count(), 2);
    EXPECT_EQ(boxes->Seen()[0].Text, L"the device is in locked status");
    EXPECT_EQ(boxes->Seen()[0].Caption, L"Error");
    EXPECT_FALSE(form().RealTime().ActionPending());

    // A mask box is checked for the ID only.
    uitest::Click(*form().CB_mask[2][5]);
    WatchAction(Wire(link::SetMaskPayload(9, 5, true)));

    AnswerPoll(9, link::StatusFlags::Running, 0x00);
    ASSERT_FALSE(form().CB_grp_lock[2]->Checked());
    uitest::Click(*form().Bn_grp_all[2]);
    EXPECT_EQ(LastBoxText(), L"the device is in running status");
    EXPECT_FALSE(form().RealTime().ActionPending());

    // ALL and CLEAR of the page ask no ID and no state.
    uitest::Click(*form().Bn_ch_all);
    WatchAction(Wire(link::AllDevicesPayload(true)));
    EXPECT_EQ(boxes->Count(), 3);
}

TEST_F(RealTimePageTest, LanguageChangeResetsChannelCaptionsSoTheNextClickSwitchesOn)
{
    form().Ed_grp_id[3]->SetText(L"12");
    AnswerPoll(12, 0, 0x20);  // CH3 on
    ASSERT_EQ(form().Bn_ch[3][3]->Caption(), L"off");
    ASSERT_EQ(Lamp(3, 3), kRed);

    form().CB_language->SetFocus();
    uitest::Pump(20);
    uitest::PressKey(VK_UP);
    uitest::Pump(50);
    ASSERT_EQ(form().LangIndex, 0);
    for (int c = 0; c < kChannels; ++c)
        EXPECT_EQ(form().Bn_ch[3][c]->Caption(), W("开"));

    uitest::Click(*form().Bn_ch[3][3]);
    WatchAction(Wire(link::ChannelPayload(12, true, 3)));
    EXPECT_EQ(form().Bn_ch[3][3]->Caption(), W("关"));
}

TEST_F(RealTimePageTest, AnotherPageStopsPollingAndASilentUnitIsReported)
{
    form().Ed_grp_id[0]->SetText(L"5");
    ClickTab(0);
    peer.Receive(64, Millis(100));  // a poll sent before the page changed
    const auto hidden = Watch([](const auto&) { return false; }, 400);
    EXPECT_TRUE(hidden.empty()) << "nothing is sent while another page is shown";

    ClickTab(2);
    uitest::Click(*form().Bn_seq_on[0]);
    WatchAction(Wire(link::SequenceOnPayload(5)));

    // Nobody answers the polls: after three of them the group is reported.
    const Bytes poll = Wire(link::PollStatusPayload(5));
    Watch([&](const auto& seen) { return Count(seen, poll) >= 4; });
    uitest::Pump(50);
    EXPECT_EQ(Panel(2), L"Status: Data sent failed");

    // An accepted reply clears the count; later polls are answered too.
    for (int i = 0; i < 4; ++i)
        AnswerPoll(5, 0, 0);
    EXPECT_EQ(Panel(2), L"Status:Data sent successfully");
}

TEST_F(RealTimePageTest, AGroupWhoseIdIsClearedShowsItsOutletsOffAgainAndIsNotPolled)
{
    form().Ed_grp_id[1]->SetText(L"6");
    AnswerPoll(6, link::StatusFlags::LcdOn | link::StatusFlags::Locked, 0xFF);
    ASSERT_EQ(Lamp(1, 8), kRed);

    form().Ed_grp_id[1]->SetText(L"");
    peer.Receive(64, Millis(100));  // polls sent before the field was cleared
    EXPECT_TRUE(Watch([](const auto&) { return false; }, 500).empty());
    for (int c = 0; c < kChannels; ++c) {
        EXPECT_EQ(Lamp(1, c), clWhite) << "outlet " << c;
        EXPECT_EQ(form().Bn_ch[1][c]->Caption(), L"on") << "outlet " << c;
    }
    EXPECT_TRUE(form().CB_grp_lock[1]->Checked()) << "the Lock box keeps the last state received";
}
