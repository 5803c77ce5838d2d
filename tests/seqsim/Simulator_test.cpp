#include <gtest/gtest.h>

#include <sstream>

#include "seqsim/Simulator.h"
#include "support/Frames.h"

using namespace relayon::seqsim;
using namespace relayon::link;
using seqsim_test::Bytes;
using seqsim_test::Frame;

namespace {

struct Fixture {
    std::ostringstream logText;
    TrafficLog log{&logText};
    std::unique_ptr<Simulator> sim;

    explicit Fixture(FaultSettings faults = {}, UnitSettings settings = {}, double scale = 1.0)
    {
        Bus bus(scale);
        bus.AddUnit(5, settings);
        bus.AddUnit(7, settings);
        log.SetClock([] { return std::string("12:00:00.000"); });
        sim = std::make_unique<Simulator>(std::move(bus), faults, 42, log);
        sim->SetIdleGapMs(50);
        sim->Open(1, "tcp1");
    }
    void Send(const Bytes& bytes, int64_t now, ConnectionId id = 1) { sim->Receive(id, bytes, now); }
    std::vector<Delivery> Take(int64_t now)
    {
        sim->Tick(now);
        return sim->TakeDue(now);
    }
};

}  // namespace

TEST(Simulator, AnswersFramesInAnySplitAndAfterGarbage)
{
    Fixture f;
    const Bytes request = Frame(5, PollStatus);
    const Bytes reply = MakePollStatusReply(5, 0, 0);
    for (size_t cut = 1; cut < request.size(); ++cut) {
        f.Send(Bytes(request.begin(), request.begin() + cut), 0);
        EXPECT_TRUE(f.Take(0).empty());
        f.Send(Bytes(request.begin() + cut, request.end()), 1);
        auto out = f.Take(1);
        ASSERT_EQ(out.size(), 1u) << "cut " << cut;
        EXPECT_EQ(out[0].bytes, reply);
        EXPECT_EQ(out[0].connection, 1);
    }
    // Garbage, a frame with a bad check, then two good frames in one chunk.
    Bytes bad = Frame(5, ChannelOn, 0, 1);
    bad.back() ^= 0xFF;
    Bytes chunk{0x00, 0x13, 0xFE};
    chunk.insert(chunk.end(), bad.begin(), bad.end());
    for (const Bytes& good : {Frame(7, ChannelOn, 0, 2), Frame(5, PollStatus)})
        chunk.insert(chunk.end(), good.begin(), good.end());
    f.Send(chunk, 10);
    auto out = f.Take(10);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].bytes, (Bytes{0x54, 7, ChannelOn}));
    EXPECT_EQ(out[1].bytes, reply);  // the broken frame switched nothing on unit 5
    EXPECT_NE(f.logText.str().find("discarded"), std::string::npos);
}

TEST(Simulator, QuietLineGivesUpAPartialFrame)
{
    Fixture f;
    Bytes chunk{0x56};  // a stray long header would swallow the next 21 bytes
    const Bytes request = Frame(5, PollStatus);
    chunk.insert(chunk.end(), request.begin(), request.end());
    f.Send(chunk, 100);
    EXPECT_TRUE(f.Take(149).empty());
    EXPECT_EQ(f.sim->NextWakeMs(), std::optional<int64_t>(150));
    auto out = f.Take(150);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].bytes, MakePollStatusReply(5, 0, 0));
}

TEST(Simulator, LatencyDropSplitGarbageAndBurst)
{
    const Bytes request = Frame(5, PollStatus);
    const Bytes reply = MakePollStatusReply(5, 0, 0);
    {
        FaultSettings faults;
        faults.latencyMs = 30;
        Fixture f(faults);
        f.Send(request, 1000);
        EXPECT_TRUE(f.Take(1029).empty());
        EXPECT_EQ(f.sim->NextWakeMs(), std::optional<int64_t>(1030));
        auto out = f.Take(1030);
        ASSERT_EQ(out.size(), 1u);
        EXPECT_EQ(out[0].bytes, reply);
    }
    {
        FaultSettings faults;
        faults.dropRate = 1.0;
        Fixture f(faults);
        f.Send(request, 0);
        EXPECT_TRUE(f.Take(1000).empty());
        EXPECT_NE(f.logText.str().find("(dropped)"), std::string::npos);
        // The request still acted.
        f.Send(Frame(5, ChannelOn, 0, 3), 0);
        EXPECT_TRUE(f.sim->GetBus().Units()[0].OutletOn(3));
    }
    {
        FaultSettings faults;
        faults.splitGapMs = 20;
        Fixture f(faults);
        f.Send(request, 0);
        auto first = f.Take(0);
        ASSERT_EQ(first.size(), 1u);
        EXPECT_EQ(first[0].bytes, Bytes(reply.begin(), reply.begin() + 3));
        EXPECT_TRUE(f.Take(19).empty());
        auto second = f.Take(20);
        ASSERT_EQ(second.size(), 1u);
        EXPECT_EQ(second[0].bytes, Bytes(reply.begin() + 3, reply.end()));
    }
    {
        FaultSettings faults;
        faults.garbageRate = 1.0;
        Fixture f(faults);
        f.Send(request, 0);
        auto out = f.Take(0);
        ASSERT_EQ(out.size(), 2u);
        EXPECT_GE(out[0].bytes.size(), 1u);
        EXPECT_LE(out[0].bytes.size(), 8u);
        EXPECT_EQ(out[1].bytes, reply);
    }
    {
        FaultSettings faults;
        faults.burstCount = 3;
        Fixture f(faults);
        f.Send(request, 0);
        auto out = f.Take(0);
        ASSERT_EQ(out.size(), 4u);
        EXPECT_EQ(out[0].bytes, reply);
        for (int i = 1; i < 4; ++i)
            EXPECT_EQ(out[i].bytes, MakeStatusFrame(5, StatusNotice, 0, 0, 0xFF));
    }
}

TEST(Simulator, DropRateIsRoughlyHonoured)
{
    FaultSettings faults;
    faults.dropRate = 0.5;
    Fixture f(faults);
    size_t answered = 0;
    for (int i = 0; i < 400; ++i) {
        f.Send(Frame(5, PollStatus), i);
        answered += f.Take(i).size();
    }
    EXPECT_GT(answered, 120u);
    EXPECT_LT(answered, 280u);
}

TEST(Simulator, ClosesAConnectionAtItsNthFrame)
{
    FaultSettings faults;
    faults.closeAfterFrames = 2;
    Fixture f(faults);
    f.sim->Open(2, "tcp2");
    f.Send(Frame(5, PollStatus), 0);
    ASSERT_EQ(f.Take(0).size(), 1u);
    Bytes two = Frame(5, ChannelOn, 0, 1);
    const Bytes third = Frame(5, PollStatus);
    two.insert(two.end(), third.begin(), third.end());
    f.Send(two, 1);
    auto out = f.Take(1);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_TRUE(out[0].close);
    EXPECT_TRUE(out[0].bytes.empty());
    // The closing frame is not acted on, the rest of the chunk is ignored.
    EXPECT_FALSE(f.sim->GetBus().Units()[0].OutletOn(1));
    f.Send(Frame(5, PollStatus), 2);
    EXPECT_TRUE(f.Take(2).empty());
    // Another connection counts its own frames.
    f.Send(Frame(5, PollStatus), 3, 2);
    out = f.Take(3);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].connection, 2);
    EXPECT_FALSE(out[0].close);
}

TEST(Simulator, NoticesGoToEveryConnectionAndClosedOnesGetNothing)
{
    UnitSettings settings;
    settings.notices = true;
    Fixture f({}, settings, 0.01);
    f.sim->Open(2, "tcp2");
    f.sim->Open(3, "tcp3");
    f.Send(Frame(7, SequenceOn), 0);
    f.sim->Closed(3);
    std::map<ConnectionId, size_t> notices;
    Bytes onFirst;
    for (int64_t t = 0; t <= 200; ++t)
        for (const Delivery& d : f.Take(t)) {
            if (d.bytes.size() == 7)
                ++notices[d.connection];
            if (d.connection == 1)
                onFirst.insert(onFirst.end(), d.bytes.begin(), d.bytes.end());
        }
    EXPECT_EQ(notices[1], 9u);
    EXPECT_EQ(notices[2], 9u);
    EXPECT_EQ(notices.count(3), 0u);
    // The ack came first on the requesting connection.
    ASSERT_GE(onFirst.size(), 3u);
    EXPECT_EQ(Bytes(onFirst.begin(), onFirst.begin() + 3), (Bytes{0x54, 7, SequenceOn}));
    EXPECT_FALSE(f.sim->NextWakeMs());
}

TEST(Simulator, TrafficLogHasOneStampedLinePerFrame)
{
    Fixture f;
    f.Send(Frame(5, PollStatus), 0);
    f.Take(0);
    const std::string text = f.logText.str();
    EXPECT_NE(text.find("12:00:00.000 <- tcp1 55 05 A8 00 00 AD\n"), std::string::npos) << text;
    EXPECT_NE(text.find("12:00:00.000 -> tcp1 55 05 A8 00 00 AD\n"), std::string::npos) << text;
    // Every line: time stamp, direction mark, connection, then the rest.
    std::istringstream lines(text);
    size_t count = 0;
    for (std::string l; std::getline(lines, l); ++count) {
        ASSERT_GT(l.size(), 17u) << l;
        EXPECT_EQ(l.substr(0, 12), "12:00:00.000") << l;
        const std::string mark = l.substr(12, 4);
        EXPECT_TRUE(mark == " <- " || mark == " -> " || mark == " -- ") << l;
    }
    EXPECT_EQ(count, 3u);  // open, request, reply
}
