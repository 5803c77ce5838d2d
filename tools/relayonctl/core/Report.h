// What relayonctl prints: one line of text per result or event, or with
// --json one JSON object per line.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "link/Replies.h"

namespace relayon::ctl {

// The request's name as the protocol knows it, with a SequenceControl's
// sub-command: "PollStatus", "SequenceControl/SwitchOn", "SetDelays".
std::string RequestName(std::span<const uint8_t> payload);
// The request's argument in words where it has one: "CH3", "CH2 masked",
// "locked", "start CH4"; empty otherwise.
std::string RequestDetail(std::span<const uint8_t> payload);

// Text as a JSON string literal, quotes included.
std::string JsonString(const std::string& text);

// Builds one JSON object in insertion order.
class JsonObject {
public:
    JsonObject& Add(const std::string& key, const std::string& text);
    JsonObject& Add(const std::string& key, const char* text) { return Add(key, std::string(text)); }
    JsonObject& Add(const std::string& key, int number);
    JsonObject& Add(const std::string& key, bool flag);
    // `json` is already JSON (an object or array).
    JsonObject& AddRaw(const std::string& key, const std::string& json);
    std::string Text() const { return "{" + body_ + "}"; }

private:
    void Key(const std::string& key);
    std::string body_;
};

// Outlet states and flags of a status reply.
struct UnitState {
    std::array<bool, 9> outlets{};  // LCD, CH1..CH8
    bool locked = false;
    bool running = false;
    std::optional<std::array<bool, 8>> masked;  // CH1..CH8, 7-byte replies only

    static UnitState From(const relayon::link::StatusReport& report);
    bool operator==(const UnitState&) const = default;
};

// "LCD off, CH1 on, ..., CH8 off; unlocked, idle[; masked CH2 CH5]"
std::string StateText(const UnitState& state);
// {"LCD":false,...} plus locked, running and masked.
void AddState(JsonObject& object, const UnitState& state);

// What changed from `before` to `after`, in words: {"CH3 on", "locked"}.
std::vector<std::string> StateChanges(const UnitState& before, const UnitState& after);

// A delay code in the syntax of `delays --on/--off`: "1.5", "2m", "0".
std::string DelayValueText(uint8_t code);

}  // namespace relayon::ctl
