// The reply reader cuts frames out of a byte stream however it arrives.
#include <gtest/gtest.h>

#include "link/Frame.h"
#include "link/Opcodes.h"
#include "link/Replies.h"
#include "relayonctl/core/ReplyReader.h"

using namespace relayon::ctl;
namespace lk = relayon::link;

namespace {

std::vector<Frame> ReadAll(ReplyReader& reader)
{
    std::vector<Frame> frames;
    while (auto frame = reader.Next())
        frames.push_back(*frame);
    return frames;
}

std::vector<uint8_t> Join(const std::vector<Frame>& frames)
{
    std::vector<uint8_t> bytes;
    for (const Frame& f : frames)
        bytes.insert(bytes.end(), f.begin(), f.end());
    return bytes;
}

lk::InfoReport SomeInfo()
{
    lk::InfoReport info;
    info.deviceId = 7;
    info.onCodes.fill(0x83);
    info.cascade = lk::InfoCascadeOn;
    info.lock = lk::InfoUnlocked;
    return info;
}

}  // namespace

TEST(ReplyReader, EverySplitOfAStreamGivesTheSameFrames)
{
    const std::vector<Frame> replies = {lk::MakeAck(3, lk::ChannelOn), lk::MakePollStatusReply(3, 5, 0x81),
                                        lk::MakeInfoReply(SomeInfo()),
                                        lk::MakeStatusFrame(4, lk::StatusNotice, 1, 2, 0xFF), lk::MakeReadIdReply(9)};
    const auto stream = Join(replies);
    for (size_t a = 0; a <= stream.size(); ++a)
        for (size_t b = a; b <= stream.size(); b += 3) {
            ReplyReader reader;
            std::vector<Frame> got;
            for (auto [from, to] : {std::pair{size_t{0}, a}, {a, b}, {b, stream.size()}}) {
                reader.Feed(std::span(stream).subspan(from, to - from));
                for (Frame& f : ReadAll(reader))
                    got.push_back(f);
            }
            ASSERT_EQ(got, replies) << "cut at " << a << " and " << b;
            EXPECT_EQ(reader.Pending(), 0u);
        }
}

TEST(ReplyReader, NoiseAndDamagedFramesAreSkipped)
{
    const Frame status = lk::MakePollStatusReply(2, 0, 0x40);
    Frame damaged = lk::MakeInfoReply(SomeInfo());
    damaged[10] ^= 0x01;
    std::vector<uint8_t> stream = {0x00, 0xFF, 0x54, 0x12, 0x34};  // 0x54 not followed by an opcode
    stream.insert(stream.end(), damaged.begin(), damaged.end());
    stream.insert(stream.end(), status.begin(), status.end());
    ReplyReader reader;
    reader.Feed(stream);
    EXPECT_EQ(ReadAll(reader), std::vector<Frame>{status});
    EXPECT_EQ(reader.Discarded(), stream.size() - status.size());
}

TEST(ReplyReader, AStrayLongHeaderDoesNotHoldARealReplyBack)
{
    const Frame status = lk::MakePollStatusReply(2, 1, 0);
    std::vector<uint8_t> stream = {lk::LongHeader, 0x01};
    stream.insert(stream.end(), status.begin(), status.end());
    ReplyReader reader;
    reader.Feed(stream);
    EXPECT_EQ(ReadAll(reader), std::vector<Frame>{status});

    // A genuinely incomplete frame waits; Reset() gives it up.
    reader.Feed(std::span(status).first(4));
    EXPECT_FALSE(reader.Next());
    EXPECT_EQ(reader.Pending(), 4u);
    reader.Reset();
    EXPECT_EQ(reader.Pending(), 0u);
}
