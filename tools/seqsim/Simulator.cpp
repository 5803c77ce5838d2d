#include "seqsim/Simulator.h"

#include <algorithm>

#include "link/Frame.h"

namespace relayon::seqsim {

Simulator::Simulator(Bus bus, FaultSettings faults, uint32_t seed, TrafficLog& log)
    : bus_(std::move(bus)), faults_(faults), rng_(seed), log_(log)
{
}

void Simulator::Open(ConnectionId connection, std::string name)
{
    Connection conn;
    conn.name = std::move(name);
    connections_[connection] = std::move(conn);
    log_.Note(connections_[connection].name, "open");
}

void Simulator::Closed(ConnectionId connection)
{
    auto it = connections_.find(connection);
    if (it == connections_.end())
        return;
    log_.Note(it->second.name, "closed");
    connections_.erase(it);
    std::erase_if(pending_, [&](const Pending& p) { return p.connection == connection; });
}

void Simulator::Receive(ConnectionId connection, std::span<const uint8_t> bytes, int64_t nowMs)
{
    auto it = connections_.find(connection);
    if (it == connections_.end() || it->second.closing)
        return;
    Connection& conn = it->second;
    conn.lastRxMs = nowMs;
    const size_t before = conn.parser.DiscardedBytes();
    auto frames = conn.parser.Feed(bytes);
    LogDiscards(connection, conn, before);
    for (const Bytes& payload : frames) {
        if (conn.closing)
            break;
        HandleFrame(connection, conn, payload, nowMs);
    }
}

void Simulator::LogDiscards(ConnectionId id, Connection& conn, size_t before)
{
    const size_t dropped = conn.parser.DiscardedBytes() - before;
    if (dropped)
        log_.Note(conn.name, "discarded " + std::to_string(dropped) + " byte(s) that form no request");
}

void Simulator::HandleFrame(ConnectionId id, Connection& conn, const Bytes& payload, int64_t nowMs)
{
    log_.Frame(Direction::In, conn.name, link::EncodeRequest(payload));
    ++conn.frames;
    if (faults_.closeAfterFrames && conn.frames >= *faults_.closeAfterFrames) {
        conn.closing = true;
        Queue(id, nowMs, {}, "close after " + std::to_string(conn.frames) + " frame(s)", true);
        return;
    }
    if (auto reply = bus_.Dispatch(payload, nowMs))
        QueueReply(id, *reply, nowMs);
    for (const UnitFrame& shared : bus_.TakeSharedAnswers())
        QueueReply(id, shared, nowMs);
}

void Simulator::QueueReply(ConnectionId id, const UnitFrame& reply, int64_t nowMs)
{
    const int64_t due = nowMs + faults_.latencyMs;
    if (Chance(faults_.dropRate)) {
        log_.Frame(Direction::Out, connections_[id].name, reply.frame, "dropped");
        return;
    }
    if (Chance(faults_.garbageRate)) {
        std::uniform_int_distribution<size_t> count(1, 8);
        Queue(id, due, RandomBytes(count(rng_)), "garbage");
    }
    if (faults_.splitGapMs && reply.frame.size() >= 2) {
        const size_t cut = reply.frame.size() / 2;
        Queue(id, due, Bytes(reply.frame.begin(), reply.frame.begin() + static_cast<ptrdiff_t>(cut)), "part 1 of 2");
        Queue(id, due + *faults_.splitGapMs, Bytes(reply.frame.begin() + static_cast<ptrdiff_t>(cut), reply.frame.end()),
              "part 2 of 2");
    } else {
        Queue(id, due, reply.frame, {});
    }
    const int64_t burstAt = due + (faults_.splitGapMs ? *faults_.splitGapMs : 0);
    const Unit& unit = bus_.Units()[reply.unitIndex];
    for (uint32_t i = 0; i < faults_.burstCount; ++i)
        Queue(id, burstAt, unit.StatusNoticeFrame(), "burst");
}

void Simulator::Queue(ConnectionId id, int64_t dueMs, Bytes bytes, std::string note, bool close)
{
    pending_.push_back({dueMs, nextOrder_++, id, std::move(bytes), close, std::move(note)});
}

void Simulator::Tick(int64_t nowMs)
{
    for (UnitFrame& notice : bus_.Advance(nowMs))
        Broadcast(notice.frame, nowMs, "notice");
    for (auto& [id, conn] : connections_) {
        if (conn.parser.PendingBytes() == 0 || nowMs - conn.lastRxMs < idleGapMs_)
            continue;
        const size_t before = conn.parser.DiscardedBytes();
        auto frames = conn.parser.Idle();
        LogDiscards(id, conn, before);
        for (const Bytes& payload : frames) {
            if (conn.closing)
                break;
            HandleFrame(id, conn, payload, nowMs);
        }
    }
}

std::vector<Delivery> Simulator::TakeDue(int64_t nowMs)
{
    std::vector<Pending> due;
    std::vector<Pending> later;
    for (Pending& p : pending_)
        (p.dueMs <= nowMs ? due : later).push_back(std::move(p));
    pending_ = std::move(later);
    std::sort(due.begin(), due.end(), [](const Pending& a, const Pending& b) {
        return a.dueMs != b.dueMs ? a.dueMs < b.dueMs : a.order < b.order;
    });
    std::vector<Delivery> out;
    for (Pending& p : due) {
        auto it = connections_.find(p.connection);
        if (it == connections_.end())
            continue;
        if (!p.bytes.empty())
            log_.Frame(Direction::Out, it->second.name, p.bytes, p.note);
        else if (!p.note.empty())
            log_.Note(it->second.name, p.note);
        out.push_back({p.connection, std::move(p.bytes), p.close});
    }
    return out;
}

std::optional<int64_t> Simulator::NextWakeMs() const
{
    std::optional<int64_t> next = bus_.NextStepMs();
    auto consider = [&](int64_t t) {
        if (!next || t < *next)
            next = t;
    };
    for (const Pending& p : pending_)
        consider(p.dueMs);
    for (const auto& [id, conn] : connections_)
        if (conn.parser.PendingBytes() != 0)
            consider(conn.lastRxMs + idleGapMs_);
    return next;
}

void Simulator::Broadcast(const Bytes& frame, int64_t nowMs, const std::string& note)
{
    for (auto& [id, conn] : connections_)
        if (!conn.closing)
            Queue(id, nowMs, frame, note);
}

void Simulator::InjectGarbage(size_t count, int64_t nowMs)
{
    Bytes bytes = RandomBytes(count);
    for (auto& [id, conn] : connections_)
        if (!conn.closing)
            Queue(id, nowMs, bytes, "garbage");
}

void Simulator::InjectBurst(size_t count, size_t unitIndex, int64_t nowMs)
{
    if (unitIndex >= bus_.Units().size())
        return;
    const Bytes frame = bus_.Units()[unitIndex].StatusNoticeFrame();
    for (size_t i = 0; i < count; ++i)
        Broadcast(frame, nowMs, "burst");
}

Bytes Simulator::RandomBytes(size_t count)
{
    std::uniform_int_distribution<int> byte(0, 255);
    Bytes bytes(count);
    for (uint8_t& b : bytes)
        b = static_cast<uint8_t>(byte(rng_));
    return bytes;
}

bool Simulator::Chance(double rate)
{
    if (rate <= 0.0)
        return false;
    if (rate >= 1.0)
        return true;
    return std::uniform_real_distribution<double>(0.0, 1.0)(rng_) < rate;
}

}  // namespace relayon::seqsim
