// Why a command was not sent. The console shows the message of the same name
// (MsgBadId, MsgBadDelay, MsgLocked, MsgRunning) in the selected language.
#pragma once

#include <cstdint>

namespace relayon::link {

enum class Refusal : uint8_t {
    None,
    BadId,
    BadDelay,
    Locked,
    Running,
};

// A checked result: `value` is meaningful only when nothing refused it.
template <class T>
struct Checked {
    Refusal refusal = Refusal::None;
    T value{};

    bool Ok() const { return refusal == Refusal::None; }
};

}  // namespace relayon::link
