#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "support/Frames.h"
#include "support/Net.h"
#include "support/RunnerThread.h"

using namespace relayon::seqsim;
using namespace relayon::link;
using namespace seqsim_test;

TEST(TcpLink, SeveralConsolesShareTheUnits)
{
    Config config = TestConfig();
    config.unitIds = {5, 7};
    RunnerThread sim(config);
    std::string error;
    ASSERT_TRUE(sim.Start(error)) << error;
    ASSERT_NE(sim.Runner().TcpPort(), 0);

    UniqueFd a = ConnectTcp(sim.Runner().TcpPort());
    UniqueFd b = ConnectTcp(sim.Runner().TcpPort());
    ASSERT_TRUE(a.Valid() && b.Valid());

    ASSERT_TRUE(WriteAll(a.Get(), Frame(5, PollStatus)));
    EXPECT_EQ(ReadBytes(a.Get(), 6, 2000), MakePollStatusReply(5, 0, 0));
    ASSERT_TRUE(WriteAll(a.Get(), Frame(7, ChannelOn, 0, 3)));
    EXPECT_EQ(ReadBytes(a.Get(), 3, 2000), (Bytes{0x54, 7, ChannelOn}));
    ASSERT_TRUE(WriteAll(b.Get(), Frame(7, PollStatus)));
    EXPECT_EQ(ReadBytes(b.Get(), 6, 2000), MakePollStatusReply(7, 0, ChannelBit(3)));
    // Nothing arrived on the other connection meanwhile.
    EXPECT_TRUE(ReadBytes(a.Get(), 1, 50).empty());

    // A request in two writes with a pause shorter than the idle gap.
    Bytes info = Frame(7, ReadInfo);
    ASSERT_TRUE(WriteAll(b.Get(), Bytes(info.begin(), info.begin() + 2)));
    usleep(10'000);
    ASSERT_TRUE(WriteAll(b.Get(), Bytes(info.begin() + 2, info.end())));
    Bytes reply = ReadBytes(b.Get(), 25, 2000);
    ASSERT_EQ(reply.size(), 25u);
    EXPECT_TRUE(IsValidReply(reply));
    EXPECT_EQ(reply[1], 7);
}

TEST(TcpLink, SequenceNoticesArriveAtTheScaledPace)
{
    Config config = TestConfig();
    config.timeScale = 0.01;  // the factory 1 s per outlet lasts 10 ms
    config.notices = true;
    RunnerThread sim(config);
    std::string error;
    ASSERT_TRUE(sim.Start(error)) << error;
    UniqueFd a = ConnectTcp(sim.Runner().TcpPort());
    UniqueFd watcher = ConnectTcp(sim.Runner().TcpPort());
    ASSERT_TRUE(a.Valid() && watcher.Valid());
    usleep(20'000);  // let the loop accept both

    const int64_t start = NowMs();
    ASSERT_TRUE(WriteAll(a.Get(), Frame(1, SequenceOn)));
    Bytes notices = ReadBytes(watcher.Get(), 9 * 7, 3000);
    const int64_t elapsed = NowMs() - start;
    ASSERT_EQ(notices.size(), 63u);
    EXPECT_GE(elapsed, 85);  // nine steps of 10 ms
    EXPECT_LT(elapsed, 2000);
    for (size_t i = 0; i < 9; ++i) {
        std::span<const uint8_t> frame(notices.data() + 7 * i, 7);
        auto status = DecodeStatus(frame);
        ASSERT_TRUE(status) << i;
        EXPECT_EQ(status->opcode, StatusNotice);
        EXPECT_EQ((status->flags & StatusFlags::Running) != 0, i < 8);
    }
    EXPECT_EQ(notices[62 - 2], 0xFF);  // all channels on at the end
}

TEST(TcpLink, ConnectionClosedAfterNFrames)
{
    Config config = TestConfig();
    config.faults.closeAfterFrames = 2;
    RunnerThread sim(config);
    std::string error;
    ASSERT_TRUE(sim.Start(error)) << error;
    UniqueFd a = ConnectTcp(sim.Runner().TcpPort());
    ASSERT_TRUE(a.Valid());
    ASSERT_TRUE(WriteAll(a.Get(), Frame(1, PollStatus)));
    EXPECT_EQ(ReadBytes(a.Get(), 6, 2000).size(), 6u);
    ASSERT_TRUE(WriteAll(a.Get(), Frame(1, PollStatus)));
    EXPECT_TRUE(WaitForClose(a.Get(), 2000));
    // A new connection is served again.
    UniqueFd b = ConnectTcp(sim.Runner().TcpPort());
    ASSERT_TRUE(b.Valid());
    ASSERT_TRUE(WriteAll(b.Get(), Frame(1, PollStatus)));
    EXPECT_EQ(ReadBytes(b.Get(), 6, 2000).size(), 6u);
}

TEST(TcpLink, ControlSocketInspectsAndChangesState)
{
    Config config = TestConfig();
    char dir[] = "/tmp/seqsim-test-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    config.controlSocket = std::string(dir) + "/control";
    {
        RunnerThread sim(config);
        std::string error;
        ASSERT_TRUE(sim.Start(error)) << error;
        UniqueFd control = ConnectUnix(config.controlSocket);
        ASSERT_TRUE(control.Valid());
        UniqueFd tcp = ConnectTcp(sim.Runner().TcpPort());
        ASSERT_TRUE(tcp.Valid());

        ASSERT_TRUE(WriteAll(control.Get(), Bytes{'s', 'e', 't', ' ', '1', ' ', 'o', 'u', 't', 'l', 'e', 't', ' ',
                                                  'c', 'h', '1', ' ', 'o', 'n', '\n'}));
        EXPECT_EQ(ReadLine(control.Get(), 2000), "ok");
        const std::string dump = "dump 1\n";
        ASSERT_TRUE(WriteAll(control.Get(), Bytes(dump.begin(), dump.end())));
        const std::string json = ReadLine(control.Get(), 2000);
        EXPECT_NE(json.find("\"outlets\":[false,true,"), std::string::npos) << json;

        ASSERT_TRUE(WriteAll(tcp.Get(), Frame(1, PollStatus)));
        EXPECT_EQ(ReadBytes(tcp.Get(), 6, 2000), MakePollStatusReply(1, 0, 0x80));

        const std::string fault = "fault latency 150\n";
        ASSERT_TRUE(WriteAll(control.Get(), Bytes(fault.begin(), fault.end())));
        EXPECT_EQ(ReadLine(control.Get(), 2000).substr(0, 2), "ok");
        const int64_t start = NowMs();
        ASSERT_TRUE(WriteAll(tcp.Get(), Frame(1, PollStatus)));
        EXPECT_EQ(ReadBytes(tcp.Get(), 6, 2000).size(), 6u);
        EXPECT_GE(NowMs() - start, 140);
    }
    rmdir(dir);
}

TEST(TcpLink, ControlCommandsAlsoArriveOverTcp)
{
    // A port that was free a moment ago; the runner binds it again.
    uint16_t port = 0;
    {
        UniqueFd probe(socket(AF_INET, SOCK_STREAM, 0));
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        ASSERT_EQ(bind(probe.Get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
        getsockname(probe.Get(), reinterpret_cast<sockaddr*>(&addr), &len);
        port = ntohs(addr.sin_port);
    }
    Config config = TestConfig();
    config.controlPort = port;
    RunnerThread sim(config);
    std::string error;
    ASSERT_TRUE(sim.Start(error)) << error;
    UniqueFd control = ConnectTcp(port);
    ASSERT_TRUE(control.Valid());
    const std::string set = "set 1 outlet lcd on\n";
    ASSERT_TRUE(WriteAll(control.Get(), Bytes(set.begin(), set.end())));
    EXPECT_EQ(ReadLine(control.Get(), 2000), "ok");

    UniqueFd tcp = ConnectTcp(sim.Runner().TcpPort());
    ASSERT_TRUE(WriteAll(tcp.Get(), Frame(1, PollStatus)));
    EXPECT_EQ(ReadBytes(tcp.Get(), 6, 2000), MakePollStatusReply(1, StatusFlags::LcdOn, 0));
}
