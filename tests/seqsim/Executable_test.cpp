// Starts the real seqsim program: help text, start-up lines, a reply over
// TCP, a control command on stdin and a clean stop.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/Frames.h"
#include "support/Net.h"

using namespace relayon::link;
using namespace seqsim_test;
using relayon::seqsim::UniqueFd;

namespace {

// The child process with pipes to its stdin and stdout; killed if still alive.
struct Child {
    pid_t pid = -1;
    UniqueFd in;
    UniqueFd out;

    explicit Child(std::vector<std::string> args)
    {
        int toChild[2], fromChild[2];
        if (pipe(toChild) != 0 || pipe(fromChild) != 0)
            return;
        pid = fork();
        if (pid == 0) {
            dup2(toChild[0], STDIN_FILENO);
            dup2(fromChild[1], STDOUT_FILENO);
            close(toChild[1]);
            close(fromChild[0]);
            std::vector<char*> argv{const_cast<char*>(SEQSIM_EXE)};
            for (std::string& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(SEQSIM_EXE, argv.data());
            _exit(127);
        }
        close(toChild[0]);
        close(fromChild[1]);
        in.Reset(toChild[1]);
        out.Reset(fromChild[0]);
    }
    // Exit status, or -1 when the process did not end within `timeoutMs`.
    int Wait(int timeoutMs)
    {
        const int64_t deadline = NowMs() + timeoutMs;
        int status = 0;
        while (NowMs() < deadline) {
            if (waitpid(pid, &status, WNOHANG) == pid) {
                pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            usleep(5000);
        }
        return -1;
    }
    ~Child()
    {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
};

// Everything the child writes until it closes its output (bounded in time and size).
std::string ReadAll(int fd, int timeoutMs)
{
    Bytes bytes = ReadBytes(fd, 1 << 16, timeoutMs);
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

TEST(Executable, HelpDocumentsTheOptionsAndBadOptionsFail)
{
    Child help({"--help"});
    const std::string text = ReadAll(help.out.Get(), 2000);
    EXPECT_EQ(help.Wait(2000), 0);
    EXPECT_NE(text.find("--pty-link PATH"), std::string::npos) << text;
    EXPECT_NE(text.find("127.0.0.1:8080"), std::string::npos);

    Child bad({"--frobnicate"});
    EXPECT_EQ(bad.Wait(2000), 2);
}

TEST(Executable, ServesTcpTakesStdinCommandsAndStopsOnSignal)
{
    Child sim({"--listen", "127.0.0.1:0", "--units", "4,8", "--log", "none"});
    const std::string first = ReadLine(sim.out.Get(), 3000);
    const std::string prefix = "seqsim: tcp 127.0.0.1:";
    ASSERT_EQ(first.rfind(prefix, 0), 0u) << first;
    const int port = std::stoi(first.substr(prefix.size()));
    EXPECT_NE(ReadLine(sim.out.Get(), 2000).find("units 4 8"), std::string::npos);

    UniqueFd tcp = ConnectTcp(static_cast<uint16_t>(port));
    ASSERT_TRUE(tcp.Valid());
    ASSERT_TRUE(WriteAll(tcp.Get(), Frame(0, ReadId)));
    EXPECT_EQ(ReadBytes(tcp.Get(), 6, 2000), MakeReadIdReply(4));

    const std::string command = "set 8 lock on\ndump 8\n";
    ASSERT_TRUE(WriteAll(sim.in.Get(), Bytes(command.begin(), command.end())));
    EXPECT_EQ(ReadLine(sim.out.Get(), 2000), "ok");
    EXPECT_NE(ReadLine(sim.out.Get(), 2000).find("\"locked\":true"), std::string::npos);
    ASSERT_TRUE(WriteAll(tcp.Get(), Frame(8, PollStatus)));
    EXPECT_EQ(ReadBytes(tcp.Get(), 6, 2000), MakePollStatusReply(8, StatusFlags::Locked, 0));

    kill(sim.pid, SIGTERM);
    EXPECT_EQ(sim.Wait(3000), 0);
}

TEST(Executable, QuitCommandEndsTheProgram)
{
    Child sim({"--listen", "127.0.0.1:0", "--log", "none"});
    ASSERT_FALSE(ReadLine(sim.out.Get(), 3000).empty());
    const std::string quit = "quit\n";
    ASSERT_TRUE(WriteAll(sim.in.Get(), Bytes(quit.begin(), quit.end())));
    EXPECT_EQ(sim.Wait(3000), 0);
}
