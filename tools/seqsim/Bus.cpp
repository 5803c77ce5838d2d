#include "seqsim/Bus.h"

namespace relayon::seqsim {

Unit& Bus::AddUnit(uint8_t id, UnitSettings settings)
{
    units_.emplace_back(id, settings);
    return units_.back();
}

Unit* Bus::FindUnit(uint8_t id)
{
    for (Unit& unit : units_)
        if (unit.Id() == id)
            return &unit;
    return nullptr;
}

std::optional<UnitFrame> Bus::Dispatch(std::span<const uint8_t> payload, int64_t nowMs)
{
    if (payload.empty())
        return std::nullopt;
    const uint8_t target = payload[0];
    // Which units the request reaches is decided before any of them acts, so a
    // WriteId cannot make a later unit match.
    std::vector<size_t> reached;
    for (size_t i = 0; i < units_.size(); ++i)
        if (target == 0 || units_[i].Id() == target)
            reached.push_back(i);
    std::optional<UnitFrame> answer;
    for (size_t i : reached) {
        Bytes reply = units_[i].Apply(payload, nowMs, timeScale_);
        if (reply.empty() || units_[i].Settings().silent)
            continue;
        if (!answer)
            answer = UnitFrame{i, std::move(reply)};
        else if (sharedAnswers_ && target != 0)
            sharedReplies_.push_back(UnitFrame{i, std::move(reply)});
    }
    return answer;
}

std::vector<UnitFrame> Bus::Advance(int64_t nowMs)
{
    std::vector<UnitFrame> out;
    for (size_t i = 0; i < units_.size(); ++i)
        for (Bytes& notice : units_[i].Advance(nowMs))
            if (!units_[i].Settings().silent)
                out.push_back({i, std::move(notice)});
    return out;
}

std::optional<int64_t> Bus::NextStepMs() const
{
    std::optional<int64_t> next;
    for (const Unit& unit : units_)
        if (auto due = unit.NextStepMs(); due && (!next || *due < *next))
            next = due;
    return next;
}

}  // namespace relayon::seqsim
