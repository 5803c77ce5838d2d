// The far end of the TCP client under test: a listener on 127.0.0.1 and the
// one connection it accepted, driven from the test's own thread (a loopback
// connect completes in the kernel's backlog before anyone accepts it).
// Every wait is bounded.
#pragma once

#include "link/win32/Socket.h"

#include <chrono>
#include <cstdint>
#include <span>
#include <vector>

using Millis = std::chrono::milliseconds;

class LoopbackPeer {
public:
    // Listens on 127.0.0.1:port (0: an ephemeral port) with the given backlog.
    // When the port is taken, retries until `retryFor` has passed.
    explicit LoopbackPeer(uint16_t port = 0, int backlog = SOMAXCONN, Millis retryFor = Millis(0));

    bool Listening() const { return listener_.Valid(); }
    int ListenError() const { return listenError_; }
    uint16_t Port() const { return port_; }

    // Accepts the next queued connection; false when none came in time.
    bool Accept(Millis timeout);
    // Reads until `count` bytes came, the client closed, or time ran out.
    std::vector<uint8_t> Receive(size_t count, Millis timeout);
    // True when the client closed its side (end of stream) within `timeout`;
    // bytes still arriving before the end are discarded.
    bool SeesEndOfStream(Millis timeout);
    bool Send(std::span<const uint8_t> bytes);
    // Graceful close (FIN) of the accepted connection.
    void Close();
    // Abortive close (RST) of the accepted connection.
    void Reset();
    // Stops listening: later connects to this port are refused.
    void StopListening() { listener_.Reset(); }

private:
    Socket listener_;
    Socket connection_;
    uint16_t port_ = 0;
    int listenError_ = 0;
};

// Connects sockets to `peer` (whose backlog must be small) until one stays
// pending, so that further connects wait for ever. Returns the sockets, which
// must be kept open; empty when the backlog never filled.
std::vector<Socket> FillBacklog(const LoopbackPeer& peer);
