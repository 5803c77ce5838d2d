#include <gtest/gtest.h>

#include "seqsim/Options.h"

using namespace relayon::seqsim;

namespace {

bool Parse(std::vector<std::string> args, Config& config, std::string* errorOut = nullptr)
{
    std::string error;
    bool ok = ParseOptions(args, config, error);
    if (errorOut)
        *errorOut = error;
    return ok;
}

}  // namespace

TEST(Options, DefaultsListenOnLoopbackOnly)
{
    Config config;
    ASSERT_TRUE(Parse({}, config));
    EXPECT_TRUE(config.tcp);
    EXPECT_EQ(config.listenAddress, "127.0.0.1");
    EXPECT_EQ(config.port, 8080);
    EXPECT_FALSE(config.serial);
    EXPECT_EQ(config.unitIds, std::vector<uint8_t>{1});
    EXPECT_DOUBLE_EQ(config.timeScale, 1.0);
    EXPECT_EQ(config.baud, 19200);

    Config port;
    ASSERT_TRUE(Parse({"--listen", "9000"}, port));
    EXPECT_EQ(port.listenAddress, "127.0.0.1");
    EXPECT_EQ(port.port, 9000);
}

TEST(Options, EveryOptionParses)
{
    Config c;
    ASSERT_TRUE(Parse({"--listen", "127.0.0.2:0", "--pty-link", "/tmp/x", "--baud", "4800", "--units", "3,9,200",
                       "--time-scale", "0.01", "--latency", "15", "--drop", "0.1", "--split", "30", "--garbage", "0.2",
                       "--close-after", "4", "--burst", "2", "--silent", "9", "--shared-answers", "--status-replies", "--notices", "--log",
                       "none", "--control-socket", "/tmp/s", "--no-stdin", "--seed", "99", "--idle-gap", "80"},
                      c));
    EXPECT_EQ(c.listenAddress, "127.0.0.2");
    EXPECT_EQ(c.port, 0);
    EXPECT_TRUE(c.serial);
    EXPECT_EQ(c.ptyLink, "/tmp/x");
    EXPECT_EQ(c.baud, 4800);
    EXPECT_EQ(c.unitIds, (std::vector<uint8_t>{3, 9, 200}));
    EXPECT_DOUBLE_EQ(c.timeScale, 0.01);
    EXPECT_EQ(c.faults.latencyMs, 15);
    EXPECT_DOUBLE_EQ(c.faults.dropRate, 0.1);
    EXPECT_EQ(c.faults.splitGapMs, std::optional<int64_t>(30));
    EXPECT_DOUBLE_EQ(c.faults.garbageRate, 0.2);
    EXPECT_EQ(c.faults.closeAfterFrames, std::optional<uint32_t>(4));
    EXPECT_EQ(c.faults.burstCount, 2u);
    EXPECT_EQ(c.silentIds, std::vector<uint8_t>{9});
    EXPECT_TRUE(c.statusReplies);
    EXPECT_TRUE(c.sharedAnswers);
    EXPECT_TRUE(c.notices);
    EXPECT_EQ(c.logPath, "none");
    EXPECT_EQ(c.controlSocket, "/tmp/s");
    EXPECT_FALSE(c.controlStdin);
    EXPECT_EQ(c.seed, 99u);
    EXPECT_EQ(c.idleGapMs, 80);

    Config serialOnly;
    ASSERT_TRUE(Parse({"--no-tcp", "--serial"}, serialOnly));
    EXPECT_FALSE(serialOnly.tcp);
    Config help;
    ASSERT_TRUE(Parse({"-h"}, help));
    EXPECT_TRUE(help.help);
}

TEST(Options, MistakesAreRejectedWithAReason)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--listen", "localhost:80"}, {"--listen", "127.0.0.1:70000"}, {"--listen", "1.2.3:80"},
        {"--listen", "127.0.0.1:"},   {"--units", "0"},                {"--units", "1,256"},
        {"--units", ""},              {"--units", "1,,2"},             {"--time-scale", "0"},
        {"--time-scale", "-1"},       {"--baud", "12"},                {"--drop", "2"},
        {"--split", "soon"},          {"--silent", "4"},               {"--no-tcp"},
        {"--latency"},                {"--frobnicate"},                {"--seed", "-3"},
        {"--idle-gap", "0"},
    };
    for (const auto& args : bad) {
        Config c;
        std::string error;
        EXPECT_FALSE(Parse(args, c, &error)) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
    }
}

TEST(Options, HelpNamesEveryOption)
{
    const std::string help = HelpText();
    for (const char* option :
         {"--listen", "--no-tcp", "--serial", "--pty-link", "--baud", "--units", "--time-scale", "--status-replies",
          "--notices", "--silent", "--latency", "--drop", "--split", "--garbage", "--close-after", "--burst",
          "--seed", "--log", "--control-socket", "--control-listen", "--no-stdin", "--idle-gap", "--help",
          "127.0.0.1:8080"})
        EXPECT_NE(help.find(option), std::string::npos) << option;
}
