// A request and its answer over a scripted link: what counts as delivery,
// retries, and replies that are late, split, damaged or from another unit.
#include <gtest/gtest.h>

#include <deque>

#include "link/Frame.h"
#include "link/Opcodes.h"
#include "link/Replies.h"
#include "link/Requests.h"
#include "relayonctl/core/Delivery.h"
#include "relayonctl/core/Exchange.h"

using namespace relayon::ctl;
namespace lk = relayon::link;

namespace {

// A link whose peer answers the Nth write with the bytes scripted for it,
// delivered in the given pieces `delayMs` after the write. Time is simulated.
class ScriptedLink : public Transport {
public:
    struct Piece {
        int64_t atMs;
        std::vector<uint8_t> bytes;
    };

    bool Write(std::span<const uint8_t> bytes) override
    {
        written.emplace_back(bytes.begin(), bytes.end());
        if (written.size() <= answers.size())
            for (const auto& [delay, piece] : answers[written.size() - 1])
                arriving.push_back({now + delay, piece});
        return true;
    }

    std::vector<uint8_t> Read(int timeoutMs) override
    {
        const int64_t until = now + timeoutMs;
        if (!arriving.empty() && arriving.front().atMs <= until) {
            now = std::max(now, arriving.front().atMs);
            auto bytes = arriving.front().bytes;
            arriving.pop_front();
            return bytes;
        }
        now = until;
        return {};
    }

    std::string Failure() const override { return {}; }

    Clock TheClock() { return [this] { return now; }; }

    int64_t now = 0;
    std::vector<std::vector<std::pair<int64_t, std::vector<uint8_t>>>> answers;
    std::deque<Piece> arriving;
    std::vector<std::vector<uint8_t>> written;
};

const auto kPoll = lk::PollStatusPayload(5);
const auto kChannel = lk::ChannelPayload(5, true, 3);

}  // namespace

TEST(Exchange, RepliesTheConsoleAcceptsAnswerFromTheAskedUnitOnly)
{
    EXPECT_EQ(Classify(kChannel, lk::MakeAck(5, lk::ChannelOn)), FrameRole::Answer);
    EXPECT_EQ(Classify(kChannel, lk::MakeStatusFrame(5, lk::StatusReply, 0, 0x20, 0xFF)), FrameRole::Answer);
    EXPECT_EQ(Classify(kChannel, lk::MakeAck(5, lk::ChannelOff)), FrameRole::Other);
    EXPECT_EQ(Classify(kChannel, lk::MakeStatusFrame(5, lk::StatusNotice, 0, 0, 0xFF)), FrameRole::Other);
    EXPECT_EQ(Classify(kChannel, lk::MakeAck(6, lk::ChannelOn)), FrameRole::Foreign);
    EXPECT_EQ(Classify(kPoll, lk::MakeAck(5, lk::PollStatus)), FrameRole::Other) << "status needs its data";
    EXPECT_EQ(Classify(kPoll, lk::MakePollStatusReply(6, 0, 0)), FrameRole::Foreign);
    EXPECT_EQ(Classify(lk::ReadIdPayload(), lk::MakeReadIdReply(42)), FrameRole::Answer);
    EXPECT_EQ(Classify(lk::AllDevicesPayload(true), lk::MakeAck(0, lk::AllDevicesOn)), FrameRole::Answer);
    // An ID change is acknowledged under the old ID; a status-style answer
    // already carries the new one.
    const auto writeId = lk::WriteIdPayload(4, 9);
    EXPECT_EQ(Classify(writeId, lk::MakeAck(4, lk::WriteId)), FrameRole::Answer);
    EXPECT_EQ(Classify(writeId, lk::MakeStatusFrame(9, lk::StatusReply, 0, 0, 0xFF)), FrameRole::Answer);
}

TEST(Exchange, SplitAndLateRepliesWithinTheWaitAreAnswers)
{
    ScriptedLink peer;
    const auto reply = lk::MakePollStatusReply(5, 1, 0x80);
    peer.answers = {{{10, {0x99, reply[0], reply[1]}}, {900, {reply.begin() + 2, reply.end()}}}};
    const auto result = Exchange(peer, peer.TheClock(), kPoll, {1000, 0});
    ASSERT_EQ(result.outcome, ExchangeResult::Outcome::Answered);
    EXPECT_EQ(result.answer, reply);
    EXPECT_EQ(peer.written, std::vector<std::vector<uint8_t>>{lk::EncodeRequest(kPoll)});
}

TEST(Exchange, NoUsableAnswerIsRetriedThenReported)
{
    ScriptedLink peer;
    auto damaged = lk::MakePollStatusReply(5, 1, 0x80);
    damaged.back() ^= 0xFF;
    const auto other = lk::MakePollStatusReply(8, 0, 0);
    const auto tooLate = lk::MakePollStatusReply(5, 0, 0);
    peer.answers = {{{5, damaged}}, {{5, other}}, {{400, tooLate}}};
    const auto result = Exchange(peer, peer.TheClock(), kPoll, {300, 2});
    EXPECT_EQ(result.outcome, ExchangeResult::Outcome::NoAnswer);
    EXPECT_EQ(result.attempts, 3);
    EXPECT_EQ(peer.written.size(), 3u);
    EXPECT_EQ(peer.written[2], lk::EncodeRequest(kPoll)) << "a retry sends the same frame";
    EXPECT_EQ(result.foreign, std::vector<Frame>{other});
    EXPECT_EQ(peer.now, 900);

    // Waiting by the time the next request goes out, the late reply is stale
    // input: it is not taken as that request's answer.
    peer.now = 1100;
    peer.answers.push_back({});
    const auto next = Exchange(peer, peer.TheClock(), kPoll, {300, 0});
    EXPECT_EQ(next.outcome, ExchangeResult::Outcome::NoAnswer);
}

TEST(Exchange, TwoAnswersInOneReadAreReported)
{
    ScriptedLink peer;
    auto both = lk::MakeAck(5, lk::ChannelOn);
    const auto second = lk::MakeAck(5, lk::ChannelOn);
    both.insert(both.end(), second.begin(), second.end());
    peer.answers = {{{5, both}}};
    const auto result = Exchange(peer, peer.TheClock(), kChannel, {300, 0});
    EXPECT_EQ(result.outcome, ExchangeResult::Outcome::Answered);
    EXPECT_EQ(result.repeated, std::vector<Frame>{second});
}
