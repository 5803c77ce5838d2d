#include <gtest/gtest.h>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include "support/Frames.h"
#include "support/Net.h"
#include "support/RunnerThread.h"

using namespace relayon::seqsim;
using namespace relayon::link;
using namespace seqsim_test;

namespace {

UniqueFd OpenPort(const std::string& path)
{
    UniqueFd fd(open(path.c_str(), O_RDWR | O_NOCTTY));
    if (fd.Valid()) {
        termios tio{};
        tcgetattr(fd.Get(), &tio);
        cfmakeraw(&tio);
        tcsetattr(fd.Get(), TCSANOW, &tio);
    }
    return fd;
}

struct TempDir {
    char path[32] = "/tmp/seqsim-pty-XXXXXX";
    TempDir() { mkdtemp(path); }
    ~TempDir() { rmdir(path); }
};

}  // namespace

TEST(PtyLink, RepliesArriveOverThePseudoTerminalAtTheBaudRate)
{
    TempDir dir;
    Config config = TestConfig();
    config.tcp = false;
    config.serial = true;
    config.baud = 9600;
    config.ptyLink = std::string(dir.path) + "/com1";
    char target[256] = {};
    {
        RunnerThread sim(config);
        std::string error;
        ASSERT_TRUE(sim.Start(error)) << error;
        ASSERT_GT(readlink(config.ptyLink.c_str(), target, sizeof target - 1), 0);
        EXPECT_EQ(std::string(target), sim.Runner().PtyPath());

        UniqueFd port = OpenPort(config.ptyLink);
        ASSERT_TRUE(port.Valid());
        const int64_t start = NowMs();
        ASSERT_TRUE(WriteAll(port.Get(), Frame(1, ReadInfo)));
        Bytes reply = ReadBytes(port.Get(), 25, 2000);
        const int64_t elapsed = NowMs() - start;
        ASSERT_EQ(reply.size(), 25u);
        EXPECT_TRUE(IsValidReply(reply));
        // 25 bytes of 10 bits at 9600 baud take 26 ms on the line.
        EXPECT_GE(elapsed, 25);
        EXPECT_LT(elapsed, 1000);

        // The port can be closed and opened again, as a program does.
        port.Reset();
        port = OpenPort(config.ptyLink);
        ASSERT_TRUE(port.Valid());
        ASSERT_TRUE(WriteAll(port.Get(), Frame(0, ReadId)));
        EXPECT_EQ(ReadBytes(port.Get(), 6, 2000), MakeReadIdReply(1));
    }
    // The link is removed when the simulator ends.
    EXPECT_LT(readlink(config.ptyLink.c_str(), target, sizeof target - 1), 0);
}

TEST(PtyLink, CloseAfterNFramesReplacesThePseudoTerminal)
{
    TempDir dir;
    Config config = TestConfig();
    config.tcp = false;
    config.serial = true;
    config.baud = 115200;
    config.ptyLink = std::string(dir.path) + "/com1";
    config.faults.closeAfterFrames = 1;
    RunnerThread sim(config);
    std::string error;
    ASSERT_TRUE(sim.Start(error)) << error;
    const std::string first = sim.Runner().PtyPath();
    UniqueFd port = OpenPort(config.ptyLink);
    ASSERT_TRUE(port.Valid());
    ASSERT_TRUE(WriteAll(port.Get(), Frame(1, PollStatus)));
    EXPECT_TRUE(WaitForClose(port.Get(), 2000));
    // The link now leads to a fresh pseudo-terminal that answers.
    UniqueFd again;
    for (int i = 0; i < 100 && !again.Valid(); ++i) {
        char target[256] = {};
        if (readlink(config.ptyLink.c_str(), target, sizeof target - 1) > 0 && first != target)
            again = OpenPort(config.ptyLink);
        else
            usleep(10'000);
    }
    ASSERT_TRUE(again.Valid());
    ASSERT_TRUE(WriteAll(again.Get(), Frame(1, ReadId)));
    // Its first frame closes it again, so no reply: the replacement happened.
    EXPECT_TRUE(WaitForClose(again.Get(), 2000));
    sim.Stop();
}
