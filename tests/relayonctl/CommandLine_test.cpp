// The command line read into the request each command sends. Expected
// payloads come from the link core's builders, so each test states which
// console request a command must produce, not how its bytes are laid out.
#include <gtest/gtest.h>

#include "link/Commands.h"
#include "link/DelayText.h"
#include "link/Frame.h"
#include "link/Requests.h"
#include "relayonctl/core/Invocation.h"

using namespace relayon::ctl;
namespace lk = relayon::link;

namespace {

std::vector<uint8_t> Sent(std::vector<std::string> args)
{
    args.insert(args.begin(), {"--host", "10.0.0.5"});
    const auto parsed = ParseCommandLine(args, false);
    EXPECT_TRUE(parsed.ok) << parsed.error;
    return parsed.invocation.payload;
}

template <class Array>
std::vector<uint8_t> Bytes(const Array& payload)
{
    return {payload.begin(), payload.end()};
}

std::string UsageError(std::vector<std::string> args, bool windows = false)
{
    const auto parsed = ParseCommandLine(args, windows);
    EXPECT_FALSE(parsed.ok) << "accepted: " << ::testing::PrintToString(args);
    return parsed.error;
}

}  // namespace

TEST(CommandLine, EachCommandSendsTheConsolesRequest)
{
    EXPECT_EQ(Sent({"info", "5"}), Bytes(lk::ReadInfoPayload(5)));
    EXPECT_EQ(Sent({"read-id"}), lk::BuildReadId().value);
    EXPECT_EQ(Sent({"write-id", "0", "7"}), lk::BuildWriteId(L"0", L"7").value);
    EXPECT_EQ(lk::EncodeRequest(Sent({"write-id", "0", "7"})), (std::vector<uint8_t>{0x55, 0x00, 0xAA, 0x00, 0x07, 0xAD}));
    EXPECT_EQ(Sent({"status", "255"}), Bytes(lk::PollStatusPayload(255)));
    EXPECT_EQ(Sent({"on", "3", "CH3"}), Bytes(lk::ChannelPayload(3, true, 3)));
    EXPECT_EQ(Sent({"off", "3", "lcd"}), Bytes(lk::ChannelPayload(3, false, 0)));
    EXPECT_EQ(Sent({"all-on", "4"}), Bytes(lk::GroupAllPayload(4, true)));
    EXPECT_EQ(Sent({"all-off", "4"}), Bytes(lk::GroupAllPayload(4, false)));
    EXPECT_EQ(Sent({"seq-on", "4"}), Bytes(lk::SequenceOnPayload(4)));
    EXPECT_EQ(Sent({"rev-off", "4"}), Bytes(lk::ReverseOffPayload(4)));
    EXPECT_EQ(Sent({"every-on"}), Bytes(lk::AllDevicesPayload(true)));
    EXPECT_EQ(Sent({"every-off"}), Bytes(lk::AllDevicesPayload(false)));
    // --start CHANNEL is the start list's item; without it, no item (0xFF).
    EXPECT_EQ(Sent({"cascade", "9", "on", "--start", "CH2"}), lk::BuildCascade(L"9", true, 2).value);
    EXPECT_EQ(Sent({"cascade", "9", "off"}), lk::BuildCascade(L"9", false, -1).value);
    EXPECT_EQ(Sent({"start", "9"}), lk::BuildSequenceControl(L"9", lk::StartSequence, -1).value);
    EXPECT_EQ(Sent({"switch-on", "9", "--start", "LCD"}), lk::BuildSequenceControl(L"9", lk::SwitchOn, 0).value);
    EXPECT_EQ(Sent({"switch-off", "9"}), lk::BuildSequenceControl(L"9", lk::SwitchOff, -1).value);
    EXPECT_EQ(Sent({"lock", "2", "on"}), lk::BuildSetLock(L"2", true).value);
    EXPECT_EQ(Sent({"lock", "2", "off"}), lk::BuildSetLock(L"2", false).value);
    // SetMask numbers CH1 as 0, unlike the switching requests.
    EXPECT_EQ(Sent({"mask", "2", "CH1", "on"}), Bytes(lk::SetMaskPayload(2, 0, true)));
    EXPECT_EQ(Sent({"mask", "2", "all", "off"}), Bytes(lk::SetMaskPayload(2, lk::MaskAllChannels, false)));
}

TEST(CommandLine, DelayListsGoThroughTheApplyButtonsReading)
{
    const auto payload = Sent({"delays", "6", "--on", "0,0.5,1.25,1.3,60,60m,2m,0m,10", "--off", "1,1,1,1,1,1,1,1,1"});
    ASSERT_EQ(lk::EncodeRequest(payload).size(), 22u);
    auto code = [](const wchar_t* text, bool minutes) { return *lk::DelayCodeFromText(text, minutes); };
    EXPECT_EQ(payload[2 + 1], code(L"0.5", false));
    EXPECT_EQ(payload[2 + 2], code(L"1", false)) << "1.25 rounds down to the half unit";
    EXPECT_EQ(payload[2 + 3], code(L"1", false)) << "1.3 rounds down to the half unit";
    EXPECT_EQ(payload[2 + 5], lk::DelayCode::Encode(120, true)) << "60 minutes";
    EXPECT_EQ(payload[2 + 7], lk::DelayCode::MinutesBit) << "0m keeps its minutes bit";
    EXPECT_EQ(payload[11 + 8], code(L"1", false));

    for (const char* bad : {"60.5", "1.5.", ".", "-1", "", "1s", "m", " 1"}) {
        std::string list = std::string("1,1,1,1,1,1,1,1,") + bad;
        EXPECT_NE(UsageError({"--host", "1.2.3.4", "delays", "6", "--on", list, "--off", "1,1,1,1,1,1,1,1,1"}), "") << bad;
    }
    EXPECT_NE(UsageError({"--host", "1.2.3.4", "delays", "6", "--on", "1,1,1,1,1,1,1,1", "--off", "1,1,1,1,1,1,1,1,1"}), "");
    EXPECT_NE(UsageError({"--host", "1.2.3.4", "delays", "6", "--on", "1,1,1,1,1,1,1,1,1"}), "");
}

TEST(CommandLine, MistakesAreUsageErrorsThatNameTheProblem)
{
    const std::vector<std::string> host = {"--host", "1.2.3.4"};
    auto with = [&](std::vector<std::string> rest) {
        rest.insert(rest.begin(), host.begin(), host.end());
        return rest;
    };
    EXPECT_NE(UsageError(with({"frobnicate"})).find("unknown command"), std::string::npos);
    EXPECT_NE(UsageError(with({"status", "0"})).find("\"0\""), std::string::npos);
    for (const char* id : {"256", "abc", "1.5", "999999999999"})
        UsageError(with({"status", id}));
    UsageError(with({"write-id", "1", "0"}));
    UsageError(with({"write-id", "256", "3"}));
    EXPECT_NE(UsageError(with({"on", "1", "CH9"})).find("CH9"), std::string::npos);
    UsageError(with({"on", "1", "3"}));
    UsageError(with({"mask", "1", "LCD", "on"}));
    UsageError(with({"lock", "1", "yes"}));
    UsageError(with({"every-on", "1"}));
    UsageError(with({"status"}));
    UsageError(with({"status", "1", "--start", "CH1"}));
    UsageError(with({"scan", "--from", "9", "--to", "3"}));
    UsageError(with({"watch"}));
    UsageError(with({"watch", "1", "--interval", "0"}));
    UsageError(with({"status", "1", "--bogus"}));
    UsageError(with({"status", "1", "--timeout"}));
    UsageError({"status", "1"});
    UsageError({"--host", "1.2.3.4", "--port", "/dev/ttyS0", "status", "1"});
    UsageError({"--host", "1.2.3", "status", "1"});
    UsageError({"--host", "1.2.3.4:0", "status", "1"});
    UsageError({"--host", "1.2.3.4", "--baud", "9600", "status", "1"});
    UsageError({"--port", "/dev/ttyS0", "--baud", "115200", "status", "1"});
    UsageError({"--port", "COM1", "status", "1"});
    UsageError({"--port", "COM256", "status", "1"}, true);
    UsageError({"--port", "COM0", "status", "1"}, true);
    UsageError({"--port", "/dev/ttyS0", "status", "1"}, true);
}

TEST(CommandLine, LinkAndWaitOptions)
{
    auto parsed = ParseCommandLine({"status", "1", "--host", "192.168.0.178", "--json"}, false);
    ASSERT_TRUE(parsed.ok);
    EXPECT_TRUE(parsed.invocation.link.tcp);
    EXPECT_EQ(parsed.invocation.link.tcpPort, 8080);
    EXPECT_EQ(parsed.invocation.timeoutMs, 2000);
    EXPECT_EQ(parsed.invocation.retries, 0);
    EXPECT_TRUE(parsed.invocation.json);

    parsed = ParseCommandLine({"--port", "com12", "--baud", "14400", "--timeout", "300", "--retries", "2", "scan", "--to", "9"}, true);
    ASSERT_TRUE(parsed.ok) << parsed.error;
    EXPECT_EQ(parsed.invocation.link.baud, 14400u);
    EXPECT_EQ(parsed.invocation.timeoutMs, 300);
    EXPECT_EQ(parsed.invocation.retries, 2);
    EXPECT_EQ(parsed.invocation.scanFrom, 1);
    EXPECT_EQ(parsed.invocation.scanTo, 9);

    parsed = ParseCommandLine({"--host", "127.0.0.1:5555", "watch", "3", "1", "--count", "4", "--interval", "50"}, false);
    ASSERT_TRUE(parsed.ok) << parsed.error;
    EXPECT_EQ(parsed.invocation.link.tcpPort, 5555);
    EXPECT_EQ(parsed.invocation.watchIds, (std::vector<uint8_t>{3, 1}));
    EXPECT_EQ(parsed.invocation.count, 4);
    EXPECT_EQ(ParseCommandLine({"--help"}, false).invocation.help, true);
}
