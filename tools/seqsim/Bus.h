// The units that share one link. A request reaches every unit whose ID equals
// payload byte 0, or every unit when that byte is 0; all of them act on it,
// and only the first of them in link order that is not silent answers (two
// transmitters on one line would only garble each other).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "seqsim/Unit.h"

namespace relayon::seqsim {

struct UnitFrame {
    size_t unitIndex = 0;
    Bytes frame;
};

class Bus {
public:
    explicit Bus(double timeScale = 1.0) : timeScale_(timeScale) {}

    Unit& AddUnit(uint8_t id, UnitSettings settings = {});
    std::vector<Unit>& Units() { return units_; }
    const std::vector<Unit>& Units() const { return units_; }
    // First unit with this ID, or nullptr.
    Unit* FindUnit(uint8_t id);

    double TimeScale() const { return timeScale_; }
    void SetTimeScale(double scale) { timeScale_ = scale; }

    // The reply to a request payload, if any unit answers.
    std::optional<UnitFrame> Dispatch(std::span<const uint8_t> payload, int64_t nowMs);
    // With shared answers on, every unit a request addressed to its ID reaches
    // answers, as on a line where units sharing an ID cannot hear each other;
    // Dispatch returns the first answer and keeps the others for this call.
    void SetSharedAnswers(bool on) { sharedAnswers_ = on; }
    std::vector<UnitFrame> TakeSharedAnswers() { return std::exchange(sharedReplies_, {}); }
    // Sequence steps due by `nowMs`; the notices of non-silent units.
    std::vector<UnitFrame> Advance(int64_t nowMs);
    std::optional<int64_t> NextStepMs() const;

private:
    std::vector<Unit> units_;
    double timeScale_;
    bool sharedAnswers_ = false;
    std::vector<UnitFrame> sharedReplies_;
};

}  // namespace relayon::seqsim
