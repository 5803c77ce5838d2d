#include <gtest/gtest.h>

#include <vector>

#include "link/Frame.h"
#include "link/RequestParser.h"
#include "link/Requests.h"

using namespace relayon::link;
using Bytes = std::vector<uint8_t>;

namespace {

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

std::vector<Bytes> FeedInTwo(const Bytes& stream, size_t cut)
{
    RequestParser parser;
    auto first = parser.Feed(std::span<const uint8_t>(stream).first(cut));
    auto second = parser.Feed(std::span<const uint8_t>(stream).subspan(cut));
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

}  // namespace

TEST(RequestParser, FramesComeOutWholeInEverySplit)
{
    auto shortPayload = ChannelPayload(3, true, 5);
    std::array<uint8_t, 9> on{}, off{};
    on[4] = 0x83;
    off[0] = 0x14;
    auto longPayload = SetDelaysPayload(3, on, off);
    Bytes stream = Concat({EncodeRequest(shortPayload), EncodeRequest(longPayload), EncodeRequest(ReadIdPayload())});

    for (size_t cut = 0; cut <= stream.size(); ++cut) {
        auto frames = FeedInTwo(stream, cut);
        ASSERT_EQ(frames.size(), 3u) << "cut " << cut;
        EXPECT_EQ(frames[0], Bytes(shortPayload.begin(), shortPayload.end()));
        EXPECT_EQ(frames[1], Bytes(longPayload.begin(), longPayload.end()));
        const auto readId = ReadIdPayload();
        EXPECT_EQ(frames[2], Bytes(readId.begin(), readId.end()));
    }
    // Byte by byte, too.
    RequestParser parser;
    size_t count = 0;
    for (uint8_t b : stream)
        count += parser.Feed(std::span<const uint8_t>(&b, 1)).size();
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(parser.PendingBytes(), 0u);
    EXPECT_EQ(parser.DiscardedBytes(), 0u);
}

TEST(RequestParser, ResynchronisesAfterGarbageAndBrokenFrames)
{
    Bytes good = EncodeRequest(PollStatusPayload(9));
    Bytes broken = good;
    broken[5] ^= 0x01;  // wrong check
    // Garbage without headers, a broken frame, then a good one.
    Bytes stream = Concat({{0x00, 0xFF, 0x12}, broken, good});
    RequestParser parser;
    auto frames = parser.Feed(stream);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], Bytes(good.begin() + 1, good.end() - 1));
    EXPECT_EQ(parser.BadCheckFrames(), 1u);
    EXPECT_EQ(parser.DiscardedBytes(), 3u + broken.size());

    // A stray header byte just before a good frame: the 6 bytes from the stray
    // header fail the check, the parser slides by one and finds the frame.
    RequestParser second;
    frames = second.Feed(Concat({{0x55}, good}));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], Bytes(good.begin() + 1, good.end() - 1));
}

TEST(RequestParser, IdleGivesUpAPartialFrameAndKeepsWhatFollows)
{
    Bytes good = EncodeRequest(PollStatusPayload(9));
    // A stray long header would make the parser wait for 22 bytes.
    RequestParser parser;
    auto frames = parser.Feed(Concat({{0x56}, good}));
    EXPECT_TRUE(frames.empty());
    EXPECT_EQ(parser.PendingBytes(), 7u);
    frames = parser.Idle();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], Bytes(good.begin() + 1, good.end() - 1));
    EXPECT_EQ(parser.PendingBytes(), 0u);

    // A lone partial frame is thrown away entirely.
    parser.Feed(Bytes{0x55, 0x01, 0xA8});
    EXPECT_TRUE(parser.Idle().empty());
    EXPECT_EQ(parser.PendingBytes(), 0u);
}

TEST(RequestParser, PendingStaysBoundedUnderEndlessHeaders)
{
    RequestParser parser;
    Bytes junk(5000, 0x56);
    for (size_t i = 0; i < junk.size(); i += 7)
        junk[i] = 0x55;
    parser.Feed(junk);
    EXPECT_LE(parser.PendingBytes(), 22u);
}
