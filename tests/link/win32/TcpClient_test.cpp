// TcpClient against a peer on 127.0.0.1 run by the test itself.
#include "link/win32/TcpClient.h"
#include "support/Bounded.h"
#include "support/LoopbackPeer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// Calls Connected() until at least `count` bytes are buffered or two seconds
// pass; returns the buffered size.
size_t PullUntil(TcpClient& client, size_t count)
{
    const auto end = Clock::now() + 2s;
    while (client.InputBufferSize() < count && Clock::now() < end) {
        client.Connected();
        std::this_thread::sleep_for(2ms);
    }
    return client.InputBufferSize();
}

TcpClient ClientFor(const LoopbackPeer& peer)
{
    TcpClient client;
    client.Host = "127.0.0.1";
    client.Port = peer.Port();
    return client;
}

TEST(TcpClient, FramesGoOutExactlyAndRepliesAreBuffered)
{
    LoopbackPeer peer;
    ASSERT_TRUE(peer.Listening()) << peer.ListenError();
    TcpClient client = ClientFor(peer);
    EXPECT_FALSE(client.Connected());
    client.Connect();
    ASSERT_TRUE(peer.Accept(2s));
    EXPECT_TRUE(client.Connected());
    EXPECT_TRUE(client.InputBufferIsEmpty());

    const Bytes readId{0x55, 0x00, 0xAB, 0x00, 0x00, 0xAB};
    client.WriteBytes(readId);
    EXPECT_EQ(peer.Receive(readId.size(), 2s), readId);
    Bytes delays(22);
    delays[0] = 0x56;
    for (size_t i = 1; i < delays.size(); ++i)
        delays[i] = static_cast<uint8_t>(0x80 + i);
    client.WriteBytes(delays);
    EXPECT_EQ(peer.Receive(delays.size(), 2s), delays);

    // Connected() moves what arrived into the buffer; ReadBytes takes from
    // the front and leaves the rest in order.
    const Bytes reply{0x55, 0x05, 0xA8, 0x05, 0x81, 0x29, 0x54, 0x05, 0xA9};
    ASSERT_TRUE(peer.Send(reply));
    EXPECT_EQ(PullUntil(client, reply.size()), reply.size());
    EXPECT_FALSE(client.InputBufferIsEmpty());
    EXPECT_EQ(client.ReadBytes(6), Bytes(reply.begin(), reply.begin() + 6));
    EXPECT_EQ(client.InputBufferSize(), 3u);
    EXPECT_EQ(client.ReadBytes(3), Bytes(reply.begin() + 6, reply.end()));
    EXPECT_TRUE(client.InputBufferIsEmpty());
    EXPECT_EQ(client.ReadBytes(0), Bytes{});
}

// The receiver's short wait: returns after about the given time when nothing
// comes, and collects bytes that are on their way.
TEST(TcpClient, CheckForDataOnSourceWaitsBrieflyAndCollects)
{
    LoopbackPeer peer;
    ASSERT_TRUE(peer.Listening());
    TcpClient client = ClientFor(peer);
    client.Connect();
    ASSERT_TRUE(peer.Accept(2s));

    auto start = Clock::now();
    client.CheckForDataOnSource(10);
    const auto idle = MsSince(start);
    EXPECT_GE(idle, 5);
    EXPECT_LT(idle, 500);
    EXPECT_TRUE(client.InputBufferIsEmpty());

    Bytes info(25, 0x11);
    info[0] = 0x56;
    ASSERT_TRUE(peer.Send(info));
    const auto end = Clock::now() + 2s;
    while (client.InputBufferSize() < info.size() && Clock::now() < end)
        client.CheckForDataOnSource(10);
    EXPECT_EQ(client.ReadBytes(client.InputBufferSize()), info);

    // Returns early once bytes arrive, rather than sleeping out a long wait.
    std::thread late([&] {
        std::this_thread::sleep_for(50ms);
        peer.Send(Bytes{0x54, 0x01, 0xA2});
    });
    start = Clock::now();
    client.CheckForDataOnSource(3000);
    late.join();
    EXPECT_LT(MsSince(start), 2000);
    EXPECT_EQ(PullUntil(client, 3), 3u);
}

// A peer that closes or resets: Connected() reports it as an error, keeps
// reporting until Disconnect, and bytes sent before the close are kept.
TEST(TcpClient, BrokenConnectionIsReportedUntilDisconnected)
{
    for (bool reset : {false, true}) {
        SCOPED_TRACE(reset ? "reset" : "close");
        LoopbackPeer peer;
        ASSERT_TRUE(peer.Listening());
        TcpClient client = ClientFor(peer);
        client.Connect();
        ASSERT_TRUE(peer.Accept(2s));
        ASSERT_TRUE(client.Connected());

        const Bytes last{0x54, 0x07, 0xA3};
        if (!reset) {
            ASSERT_TRUE(peer.Send(last));
            std::this_thread::sleep_for(20ms);
        }
        reset ? peer.Reset() : peer.Close();
        // On loopback the FIN or RST is there long before this wait ends, so
        // the very first query after it must report the break.
        std::this_thread::sleep_for(100ms);

        EXPECT_THROW(client.Connected(), TcpError);
        EXPECT_THROW(client.Connected(), TcpError);
        if (!reset) {
            EXPECT_EQ(client.ReadBytes(client.InputBufferSize()), last);
        }
        // Neither the short wait nor a write throws on a broken connection.
        EXPECT_NO_THROW(client.CheckForDataOnSource(10));
        EXPECT_NO_THROW(client.WriteBytes(last));

        EXPECT_NO_THROW(client.Disconnect());
        EXPECT_FALSE(client.Connected());
        EXPECT_TRUE(client.InputBufferIsEmpty());
        EXPECT_THROW(client.ReadBytes(1), TcpError);
    }
}

TEST(TcpClient, DisconnectClosesAndAllowsReconnect)
{
    LoopbackPeer peer;
    ASSERT_TRUE(peer.Listening());
    TcpClient client = ClientFor(peer);
    client.Disconnect();  // nothing to close yet: harmless
    client.Connect();
    ASSERT_TRUE(peer.Accept(2s));
    ASSERT_TRUE(peer.Send(Bytes{1, 2, 3}));
    PullUntil(client, 3);

    // Connecting again while connected is refused and keeps the connection.
    EXPECT_THROW(client.Connect(), TcpError);
    EXPECT_TRUE(client.Connected());
    EXPECT_EQ(client.InputBufferSize(), 3u);

    client.Disconnect();
    EXPECT_FALSE(client.Connected());
    EXPECT_TRUE(client.InputBufferIsEmpty());
    EXPECT_TRUE(peer.SeesEndOfStream(2s));
    EXPECT_NO_THROW(client.Disconnect());
    client.WriteBytes(Bytes{0x55});  // dropped silently while disconnected

    client.Connect();
    ASSERT_TRUE(peer.Accept(2s));
    EXPECT_TRUE(client.Connected());
    client.WriteBytes(Bytes{0x55, 0x09});
    EXPECT_EQ(peer.Receive(2, 2s), (Bytes{0x55, 0x09}));
}

// The port the console uses, twice in a row: a closed connection leaves
// nothing behind that keeps the next one from opening.
TEST(TcpClient, ConnectsToPort8080)
{
    LoopbackPeer peer(8080, SOMAXCONN, 5s);
    if (!peer.Listening())
        GTEST_SKIP() << "127.0.0.1:8080 stayed busy (error " << peer.ListenError() << ")";
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        TcpClient client;
        client.Host = "127.0.0.1";
        client.Port = 8080;
        client.Connect();
        ASSERT_TRUE(peer.Accept(2s));
        const Bytes poll{0x55, 0x01, 0xA8, 0x00, 0x00, 0xA9};
        client.WriteBytes(poll);
        EXPECT_EQ(peer.Receive(poll.size(), 2s), poll);
        client.Disconnect();
        EXPECT_TRUE(peer.SeesEndOfStream(2s));
    }
}

TEST(TcpClient, RefusedAndInvalidTargetsFailQuickly)
{
    LoopbackPeer closed;
    ASSERT_TRUE(closed.Listening());
    TcpClient client = ClientFor(closed);
    closed.StopListening();

    auto start = Clock::now();
    try {
        client.Connect();
        ADD_FAILURE() << "connect to a closed port succeeded";
    } catch (const TcpError& e) {
        EXPECT_EQ(e.Code(), WSAECONNREFUSED) << e.what();
    }
    EXPECT_LT(MsSince(start), 1000);
    EXPECT_FALSE(client.Connected());

    client.Host = "";
    EXPECT_THROW(client.Connect(), TcpError);
    client.Host = "127.0.0.1";
    for (int port : {0, -1, 65536}) {
        client.Port = port;
        EXPECT_THROW(client.Connect(), TcpError) << port;
    }
    EXPECT_FALSE(client.Connected());
}

// The host is an address, never a name: a name that would resolve to the
// listening peer is refused at once, without a lookup, and nothing connects.
TEST(TcpClient, HostNamesAreRefusedWithoutALookup)
{
    LoopbackPeer peer;
    ASSERT_TRUE(peer.Listening());
    TcpClient client = ClientFor(peer);
    for (const char* host : {"localhost", "sequencer.invalid", "127.0.0.1 ", "127.0.0", "127.0.0.256"}) {
        client.Host = host;
        const auto start = Clock::now();
        EXPECT_THROW(client.Connect(), TcpError) << host;
        EXPECT_LT(MsSince(start), 200) << host;
        EXPECT_FALSE(client.Connected()) << host;
    }
    EXPECT_FALSE(peer.Accept(100ms));
}

// A listener whose backlog is full never completes the handshake, so the
// attempt runs into the connect time-out.
TEST(TcpClient, ConnectTimesOutAfterTwoSeconds)
{
    LoopbackPeer busy(0, 0);
    ASSERT_TRUE(busy.Listening());
    std::vector<Socket> queued = FillBacklog(busy);
    ASSERT_FALSE(queued.empty()) << "could not fill the listener's backlog";

    TcpClient client = ClientFor(busy);
    EXPECT_EQ(client.ConnectTimeoutMs, 2000);
    const auto start = Clock::now();
    try {
        client.Connect();
        ADD_FAILURE() << "connect to a full backlog succeeded";
    } catch (const TcpError& e) {
        EXPECT_EQ(e.Code(), WSAETIMEDOUT) << e.what();
    }
    const auto took = MsSince(start);
    EXPECT_GE(took, 1900);
    EXPECT_LT(took, 3500);
    EXPECT_FALSE(client.Connected());
}

// ReadBytes of more than is buffered waits for the rest (or its limit).
TEST(TcpClient, ReadBytesWaitsForMissingBytesWithinItsLimit)
{
    LoopbackPeer peer;
    ASSERT_TRUE(peer.Listening());
    TcpClient client = ClientFor(peer);
    EXPECT_EQ(client.ReadTimeoutMs, -1);
    client.Connect();
    ASSERT_TRUE(peer.Accept(2s));

    ASSERT_TRUE(peer.Send(Bytes{0x56, 0x05}));
    ASSERT_EQ(PullUntil(client, 2), 2u);
    Bytes got;
    const bool inTime = ReturnsWithin(
        3s,
        [&] {
            std::thread later([&] {
                std::this_thread::sleep_for(50ms);
                peer.Send(Bytes{0xA7, 0x00});
            });
            got = client.ReadBytes(3);
            later.join();
        },
        [&] { peer.Send(Bytes(8, 0)); });
    EXPECT_TRUE(inTime);
    EXPECT_EQ(got, (Bytes{0x56, 0x05, 0xA7}));
    EXPECT_EQ(client.ReadBytes(1), Bytes{0x00});

    client.ReadTimeoutMs = 100;
    ASSERT_TRUE(peer.Send(Bytes{0x01}));
    ASSERT_EQ(PullUntil(client, 1), 1u);
    const auto start = Clock::now();
    EXPECT_THROW(client.ReadBytes(2), TcpError);
    EXPECT_GE(MsSince(start), 80);
    EXPECT_LT(MsSince(start), 1500);
    EXPECT_EQ(client.InputBufferSize(), 1u) << "a timed-out read must not lose buffered bytes";
}

// A flood is taken in bounded portions, and nothing is lost or reordered.
TEST(TcpClient, InputBufferIsBoundedAndLosesNothing)
{
    LoopbackPeer peer;
    ASSERT_TRUE(peer.Listening());
    TcpClient client = ClientFor(peer);
    client.Connect();
    ASSERT_TRUE(peer.Accept(2s));

    Bytes flood(200 * 1024);
    for (size_t i = 0; i < flood.size(); ++i)
        flood[i] = static_cast<uint8_t>(i * 31 + i / 251);
    std::thread sender([&] { peer.Send(flood); });
    Bytes got;
    const auto end = Clock::now() + 5s;
    while (got.size() < flood.size() && Clock::now() < end) {
        client.Connected();
        EXPECT_LE(client.InputBufferSize(), TcpClient::kMaxBuffered);
        if (client.InputBufferSize() >= TcpClient::kMaxBuffered || Clock::now() + 1s > end || got.size() % 3 == 0) {
            Bytes part = client.ReadBytes(client.InputBufferSize());
            got.insert(got.end(), part.begin(), part.end());
        }
        client.CheckForDataOnSource(10);
    }
    sender.join();
    ASSERT_EQ(got.size(), flood.size());
    EXPECT_TRUE(got == flood);
}

// A failed send never throws; the break shows up in the next Connected().
TEST(TcpClient, WriteToResetPeerMarksConnectionBroken)
{
    LoopbackPeer peer;
    ASSERT_TRUE(peer.Listening());
    TcpClient client = ClientFor(peer);
    client.Connect();
    ASSERT_TRUE(peer.Accept(2s));
    peer.Reset();
    std::this_thread::sleep_for(20ms);

    bool reported = false;
    const auto end = Clock::now() + 2s;
    while (!reported && Clock::now() < end) {
        EXPECT_NO_THROW(client.WriteBytes(Bytes{0x55, 0x01, 0xA8, 0x00, 0x00, 0xA9}));
        try {
            client.Connected();
        } catch (const TcpError&) {
            reported = true;
        }
    }
    EXPECT_TRUE(reported);
}

}  // namespace
