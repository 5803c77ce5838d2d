// The simulator without its I/O: connections hand in the bytes they read,
// the simulator parses request frames per connection, lets the bus answer,
// shapes the answers with the line faults and queues them with the time they
// are due. The event loop writes what TakeDue() returns. All times are in
// milliseconds of one monotonic clock chosen by the caller.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "link/RequestParser.h"
#include "seqsim/Bus.h"
#include "seqsim/Faults.h"
#include "seqsim/TrafficLog.h"

namespace relayon::seqsim {

using ConnectionId = int;

struct Delivery {
    ConnectionId connection = 0;
    Bytes bytes;          // may be empty when only `close` is set
    bool close = false;   // close the connection after writing `bytes`
};

class Simulator {
public:
    Simulator(Bus bus, FaultSettings faults, uint32_t seed, TrafficLog& log);

    // A quiet gap after which a partial request frame is given up (the
    // parser then resynchronises on what it holds).
    void SetIdleGapMs(int64_t ms) { idleGapMs_ = ms; }

    void Open(ConnectionId connection, std::string name);
    void Closed(ConnectionId connection);
    bool IsOpen(ConnectionId connection) const { return connections_.count(connection) != 0; }

    void Receive(ConnectionId connection, std::span<const uint8_t> bytes, int64_t nowMs);
    // Runs sequence steps and idle resynchronisation due by `nowMs`.
    void Tick(int64_t nowMs);
    // Everything due by `nowMs`, in due order; logged as sent.
    std::vector<Delivery> TakeDue(int64_t nowMs);
    // Earliest time something needs doing, if anything is pending.
    std::optional<int64_t> NextWakeMs() const;

    // Control actions.
    void Broadcast(const Bytes& frame, int64_t nowMs, const std::string& note);
    void InjectGarbage(size_t count, int64_t nowMs);
    void InjectBurst(size_t count, size_t unitIndex, int64_t nowMs);

    Bus& GetBus() { return bus_; }
    FaultSettings& Faults() { return faults_; }

private:
    struct Connection {
        std::string name;
        link::RequestParser parser;
        int64_t lastRxMs = 0;
        uint32_t frames = 0;
        bool closing = false;
    };
    struct Pending {
        int64_t dueMs = 0;
        uint64_t order = 0;
        ConnectionId connection = 0;
        Bytes bytes;
        bool close = false;
        std::string note;
    };

    void HandleFrame(ConnectionId id, Connection& conn, const Bytes& payload, int64_t nowMs);
    void QueueReply(ConnectionId id, const UnitFrame& reply, int64_t nowMs);
    void Queue(ConnectionId id, int64_t dueMs, Bytes bytes, std::string note, bool close = false);
    void LogDiscards(ConnectionId id, Connection& conn, size_t before);
    Bytes RandomBytes(size_t count);
    bool Chance(double rate);

    Bus bus_;
    FaultSettings faults_;
    std::mt19937 rng_;
    TrafficLog& log_;
    int64_t idleGapMs_ = 50;
    std::map<ConnectionId, Connection> connections_;
    std::vector<Pending> pending_;
    uint64_t nextOrder_ = 0;
};

}  // namespace relayon::seqsim
