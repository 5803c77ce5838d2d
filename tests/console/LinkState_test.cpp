// The link state as the send path, the receive timer, the watchdog and the
// receiver use it.
#include "console/core/LinkState.h"

#include <gtest/gtest.h>

#include <vector>

namespace relayon::console {
namespace {

using Bytes = std::vector<uint8_t>;

// Receive ticks until the first reading, counting the reading itself.
int TicksToRead(LinkState& link, bool overTcp)
{
    for (int n = 1; n < 100; ++n)
        if (link.ReadDue(overTcp))
            return n;
    return -1;
}

TEST(LinkState, AcknowledgementNamesTheLastShortRequest)
{
    LinkState link;
    link.Reset();
    EXPECT_TRUE(link.Acknowledges(0, 0)) << "nothing sent yet: all zero";
    link.RequestSent(Bytes{0x05, 0xA8, 0x00, 0x00});
    EXPECT_TRUE(link.Acknowledges(0x05, 0xA8));
    EXPECT_FALSE(link.Acknowledges(0x06, 0xA8));
    EXPECT_FALSE(link.Acknowledges(0x05, 0xA9));

    // The 20-byte delay request leaves the last short one in place.
    Bytes delays(20, 0x11);
    delays[0] = 0x07;
    delays[1] = 0xA7;
    link.RequestSent(delays);
    EXPECT_TRUE(link.Acknowledges(0x05, 0xA8));
    EXPECT_FALSE(link.Acknowledges(0x07, 0xA7));

    // A 6-byte payload is still short; a 7-byte one is not.
    link.RequestSent(Bytes{1, 2, 3, 4, 5, 6});
    EXPECT_EQ(link.LastCommand(), (std::array<uint8_t, 6>{1, 2, 3, 4, 5, 6}));
    link.RequestSent(Bytes{9, 9, 9, 9, 9, 9, 9});
    EXPECT_EQ(link.LastCommand()[0], 1);
    // A shorter request keeps the bytes beyond its length.
    link.RequestSent(Bytes{0x10, 0xAB, 0, 0});
    EXPECT_EQ(link.LastCommand(), (std::array<uint8_t, 6>{0x10, 0xAB, 0, 0, 5, 6}));
}

TEST(LinkState, CadenceIsSixTicksAndTwentyOneOverTcpWhileInformationIsAwaited)
{
    LinkState link;
    link.Reset();
    EXPECT_EQ(TicksToRead(link, false), 6);
    EXPECT_EQ(TicksToRead(link, false), 6);
    EXPECT_EQ(TicksToRead(link, true), 6);

    link.RequestSent(Bytes{0x05, 0xA9, 0, 0});
    EXPECT_TRUE(link.IsInfoRequested());
    EXPECT_EQ(TicksToRead(link, true), 21);
    EXPECT_EQ(TicksToRead(link, true), 21);
    EXPECT_EQ(TicksToRead(link, false), 6) << "the serial line keeps its cadence";

    // Any other request clears the flag; every request restarts the count.
    for (int i = 0; i < 4; ++i)
        link.ReadDue(false);
    link.RequestSent(Bytes{0x05, 0xA8, 0, 0});
    EXPECT_FALSE(link.IsInfoRequested());
    EXPECT_EQ(link.ReceiveTick(), 0);
    EXPECT_EQ(TicksToRead(link, true), 6);
}

TEST(LinkState, WatchdogReportsOnTheSecondTickAfterARequest)
{
    LinkState link;
    link.Reset();
    link.RequestSent(Bytes{1, 0xA8, 0, 0});
    EXPECT_FALSE(link.WatchdogTick());
    // A request between the ticks starts the count again.
    link.RequestSent(Bytes{1, 0xA8, 0, 0});
    EXPECT_FALSE(link.WatchdogTick());
    EXPECT_TRUE(link.WatchdogTick());
    EXPECT_EQ(link.WatchdogCount(), 0);
}

TEST(LinkState, FlagsAndRunningGroupsAreIndependent)
{
    LinkState link;
    link.Reset();
    link.SetActionPending(true);
    link.RequestSent(Bytes{1, 0xA9, 0, 0});
    EXPECT_TRUE(link.IsActionPending()) << "a request leaves the queued action alone";
    EXPECT_EQ(link.Flags(), ActionPending | InfoRequested);
    link.SetActionPending(false);
    EXPECT_EQ(link.Flags(), InfoRequested);
    link.Reset();
    EXPECT_EQ(link.Flags(), 0u);

    link.SetGroupRunning(2, true);
    link.SetGroupRunning(4, true);
    link.SetGroupRunning(-1, true);
    for (int g = -1; g <= 4; ++g)
        EXPECT_EQ(link.IsGroupRunning(g), g == 2) << g;
    link.SetGroupRunning(2, false);
    EXPECT_FALSE(link.IsGroupRunning(2));
}

}  // namespace
}  // namespace relayon::console
