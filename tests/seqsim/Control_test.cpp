#include <gtest/gtest.h>

#include <sstream>

#include "seqsim/Control.h"
#include "support/Frames.h"

using namespace relayon::seqsim;
using namespace relayon::link;
using seqsim_test::Bytes;
using seqsim_test::Frame;

namespace {

struct Fixture {
    TrafficLog log{nullptr};
    Simulator sim;

    Fixture() : sim(MakeBus(), {}, 7, log) { sim.Open(1, "tcp1"); }
    static Bus MakeBus()
    {
        Bus bus(1.0);
        bus.AddUnit(5);
        bus.AddUnit(7);
        return bus;
    }
    std::string Run(const std::string& line) { return RunControlCommand(sim, line, 0).reply; }
    Unit& U(size_t i) { return sim.GetBus().Units()[i]; }
};

bool IsError(const std::string& reply) { return reply.rfind("error: ", 0) == 0; }

}  // namespace

TEST(Control, DumpShowsTheStateAsJson)
{
    Fixture f;
    f.U(0).Apply(seqsim_test::Payload(5, ChannelOn, 0, 2), 0, 1.0);
    f.U(0).Apply(seqsim_test::Payload(5, SetMask, 7, SwitchSet), 0, 1.0);
    f.U(0).Apply(seqsim_test::Payload(5, SequenceControl, CascadeOn, 3), 0, 1.0);
    const std::string json = f.Run("dump 5");
    EXPECT_EQ(json.front(), '{');
    EXPECT_EQ(json.back(), '}');
    EXPECT_EQ(json.find('\n'), std::string::npos);
    EXPECT_NE(json.find("\"id\":5,"), std::string::npos) << json;
    EXPECT_NE(json.find("\"outlets\":[false,false,true,false,false,false,false,false,false]"), std::string::npos) << json;
    EXPECT_NE(json.find("\"masked\":[false,false,false,false,false,false,false,true]"), std::string::npos) << json;
    EXPECT_NE(json.find("\"enable_bits\":254"), std::string::npos) << json;
    EXPECT_NE(json.find("\"cascade\":true,\"start_channel\":3"), std::string::npos) << json;
    EXPECT_NE(json.find("\"channel_bits\":64"), std::string::npos) << json;
    EXPECT_NE(json.find("\"on_delays\":[2,2,2,2,2,2,2,2,2]"), std::string::npos) << json;
    EXPECT_TRUE(IsError(f.Run("dump 6")));
    EXPECT_TRUE(IsError(f.Run("dump")));
    EXPECT_EQ(f.Run("units"), "ok 5 7");
}

TEST(Control, FrontPanelSettingsChangeTheUnit)
{
    Fixture f;
    EXPECT_EQ(f.Run("set 7 outlet ch3 on"), "ok");
    EXPECT_EQ(f.Run("set 7 outlet lcd on"), "ok");
    EXPECT_EQ(f.Run("set 7 outlet 8 on"), "ok");
    EXPECT_TRUE(f.U(1).OutletOn(3));
    EXPECT_TRUE(f.U(1).OutletOn(0));
    EXPECT_TRUE(f.U(1).OutletOn(8));
    EXPECT_FALSE(f.U(0).OutletOn(3));
    EXPECT_EQ(f.Run("set 7 lock on"), "ok");
    EXPECT_TRUE(f.U(1).Locked());
    EXPECT_EQ(f.Run("set 7 mask CH1 on"), "ok");
    EXPECT_TRUE(f.U(1).Masked(1));
    EXPECT_EQ(f.Run("set 7 style status"), "ok");
    EXPECT_EQ(f.U(1).Settings().style, ReplyStyle::Status);
    EXPECT_EQ(f.Run("set 7 silent on"), "ok");
    EXPECT_TRUE(f.U(1).Settings().silent);

    for (const char* bad : {"set 7 outlet ch9 on", "set 7 outlet lcd maybe", "set 7 mask lcd on", "set 7 mask 0 on",
                            "set 9 lock on", "set 7 lock", "set 7 style long", "set 7 colour on", "set"})
        EXPECT_TRUE(IsError(f.Run(bad))) << bad;

    // With notices on, a front-panel change goes out to the connections.
    EXPECT_EQ(f.Run("set 5 notices on"), "ok");
    EXPECT_EQ(f.Run("set 5 outlet ch1 on"), "ok");
    auto out = f.sim.TakeDue(0);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].bytes, MakeStatusFrame(5, StatusNotice, 0, 0x80, 0xFF));
}

TEST(Control, FaultsChangeAtRunTime)
{
    Fixture f;
    EXPECT_EQ(f.Run("faults"), "ok latency=0 drop=0 split=off garbage=0 close-after=off burst=0");
    EXPECT_EQ(f.Run("fault latency 25"), "ok latency=25 drop=0 split=off garbage=0 close-after=off burst=0");
    EXPECT_EQ(f.sim.Faults().latencyMs, 25);
    EXPECT_EQ(f.Run("fault split 40").substr(0, 2), "ok");
    EXPECT_EQ(f.sim.Faults().splitGapMs, std::optional<int64_t>(40));
    EXPECT_EQ(f.Run("fault split off").substr(0, 2), "ok");
    EXPECT_FALSE(f.sim.Faults().splitGapMs);
    EXPECT_EQ(f.Run("fault drop 0.25").substr(0, 2), "ok");
    EXPECT_DOUBLE_EQ(f.sim.Faults().dropRate, 0.25);
    EXPECT_EQ(f.Run("fault close-after 3").substr(0, 2), "ok");
    EXPECT_EQ(f.sim.Faults().closeAfterFrames, std::optional<uint32_t>(3));
    for (const char* bad : {"fault drop 1.5", "fault drop x", "fault latency -1", "fault close-after 0",
                            "fault burst 5000", "fault loud 1", "fault latency", "fault garbage 0.5x"})
        EXPECT_TRUE(IsError(f.Run(bad))) << bad;
    EXPECT_DOUBLE_EQ(f.sim.Faults().dropRate, 0.25);  // failed commands changed nothing
    EXPECT_EQ(f.Run("reset faults"), "ok");
    EXPECT_EQ(f.sim.Faults().latencyMs, 0);
    EXPECT_FALSE(f.sim.Faults().closeAfterFrames);

    // The new latency applies to the next reply.
    f.Run("fault latency 10");
    f.sim.Receive(1, Frame(5, PollStatus), 100);
    EXPECT_TRUE(f.sim.TakeDue(109).empty());
    EXPECT_EQ(f.sim.TakeDue(110).size(), 1u);
}

TEST(Control, InjectionResetScaleAndQuit)
{
    Fixture f;
    EXPECT_EQ(f.Run("burst 3 7"), "ok");
    auto out = f.sim.TakeDue(0);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[2].bytes, MakeStatusFrame(7, StatusNotice, 0, 0, 0xFF));
    EXPECT_EQ(f.Run("garbage 5"), "ok");
    out = f.sim.TakeDue(0);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].bytes.size(), 5u);
    EXPECT_TRUE(IsError(f.Run("burst 0")));
    EXPECT_TRUE(IsError(f.Run("burst 2 99")));
    EXPECT_TRUE(IsError(f.Run("garbage")));

    f.Run("set 5 outlet ch2 on");
    f.Run("set 7 lock on");
    f.U(1).SetId(9);
    EXPECT_EQ(f.Run("reset 9"), "ok");
    EXPECT_EQ(f.U(1).Id(), 9);
    EXPECT_FALSE(f.U(1).Locked());
    f.Run("set 9 lock on");
    EXPECT_EQ(f.Run("reset 5"), "ok");
    EXPECT_FALSE(f.U(0).OutletOn(2));
    EXPECT_TRUE(f.U(1).Locked());
    // Resetting the whole line also undoes the renumbering.
    EXPECT_EQ(f.Run("reset"), "ok");
    EXPECT_FALSE(f.U(1).Locked());
    EXPECT_EQ(f.U(1).Id(), 7);
    EXPECT_EQ(f.Run("units").find("9"), std::string::npos);

    EXPECT_EQ(f.Run("scale 0.01"), "ok");
    EXPECT_DOUBLE_EQ(f.sim.GetBus().TimeScale(), 0.01);
    EXPECT_TRUE(IsError(f.Run("scale 0")));
    EXPECT_TRUE(IsError(f.Run("scale fast")));

    EXPECT_EQ(f.Run("help").substr(0, 2), "ok");
    EXPECT_TRUE(IsError(f.Run("")));
    EXPECT_TRUE(IsError(f.Run("frobnicate")));
    EXPECT_FALSE(RunControlCommand(f.sim, "units", 0).quit);
    EXPECT_TRUE(RunControlCommand(f.sim, "quit", 0).quit);
}
