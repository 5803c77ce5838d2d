#include "relayonctl/core/Report.h"

#include <cstdio>

#include "link/DelayText.h"
#include "link/Opcodes.h"
#include "relayonctl/core/Channels.h"

namespace relayon::ctl {

namespace link = relayon::link;

std::string RequestName(std::span<const uint8_t> payload)
{
    if (payload.size() < 2)
        return "request";
    switch (payload[1]) {
    case link::ChannelOn: return "ChannelOn";
    case link::ChannelOff: return "ChannelOff";
    case link::GroupAllOn: return "GroupAllOn";
    case link::GroupAllOff: return "GroupAllOff";
    case link::SequenceOn: return "SequenceOn";
    case link::ReverseOff: return "ReverseOff";
    case link::SetDelays: return "SetDelays";
    case link::PollStatus: return "PollStatus";
    case link::ReadInfo: return "ReadInfo";
    case link::WriteId: return "WriteId";
    case link::ReadId: return "ReadId";
    case link::AllDevicesOn: return "AllDevicesOn";
    case link::AllDevicesOff: return "AllDevicesOff";
    case link::SetLock: return "SetLock";
    case link::SetMask: return "SetMask";
    case link::SequenceControl:
        switch (payload.size() > 2 ? payload[2] : 0) {
        case link::CascadeOn: return "SequenceControl/CascadeOn";
        case link::CascadeOff: return "SequenceControl/CascadeOff";
        case link::StartSequence: return "SequenceControl/StartSequence";
        case link::SwitchOn: return "SequenceControl/SwitchOn";
        case link::SwitchOff: return "SequenceControl/SwitchOff";
        default: return "SequenceControl";
        }
    default: return "request";
    }
}

std::string RequestDetail(std::span<const uint8_t> payload)
{
    if (payload.size() < 4)
        return {};
    switch (payload[1]) {
    case link::ChannelOn:
    case link::ChannelOff: return ChannelName(payload[3]);
    case link::SetLock: return payload[2] == link::SwitchSet ? "locked" : "unlocked";
    case link::SetMask:
        return (payload[2] == link::MaskAllChannels ? std::string("all") : ChannelName(payload[2] + 1)) +
               (payload[3] == link::SwitchSet ? " masked" : " usable");
    case link::SequenceControl: return payload[3] <= 8 ? "start " + ChannelName(payload[3]) : std::string();
    case link::WriteId: return "new ID " + std::to_string(payload[3]);
    default: return {};
    }
}

std::string JsonString(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(static_cast<char>(c));
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out + "\"";
}

void JsonObject::Key(const std::string& key)
{
    if (!body_.empty())
        body_ += ",";
    body_ += JsonString(key) + ":";
}

JsonObject& JsonObject::Add(const std::string& key, const std::string& text)
{
    Key(key);
    body_ += JsonString(text);
    return *this;
}

JsonObject& JsonObject::Add(const std::string& key, int number)
{
    Key(key);
    body_ += std::to_string(number);
    return *this;
}

JsonObject& JsonObject::Add(const std::string& key, bool flag)
{
    Key(key);
    body_ += flag ? "true" : "false";
    return *this;
}

JsonObject& JsonObject::AddRaw(const std::string& key, const std::string& json)
{
    Key(key);
    body_ += json;
    return *this;
}

UnitState UnitState::From(const link::StatusReport& report)
{
    UnitState state;
    state.outlets[0] = (report.flags & link::StatusFlags::LcdOn) != 0;
    for (int channel = 1; channel <= 8; ++channel)
        state.outlets[channel] = (report.channels & link::ChannelBit(channel)) != 0;
    state.locked = (report.flags & link::StatusFlags::Locked) != 0;
    state.running = (report.flags & link::StatusFlags::Running) != 0;
    if (report.enable) {
        std::array<bool, 8> masked{};
        for (int channel = 1; channel <= 8; ++channel)
            masked[channel - 1] = (*report.enable & link::ChannelBit(channel)) == 0;
        state.masked = masked;
    }
    return state;
}

std::string StateText(const UnitState& state)
{
    std::string text;
    for (int channel = 0; channel <= 8; ++channel)
        text += (channel ? ", " : "") + ChannelName(channel) + (state.outlets[channel] ? " on" : " off");
    text += state.locked ? "; locked" : "; unlocked";
    text += state.running ? ", running" : ", idle";
    if (state.masked) {
        std::string masked;
        for (int channel = 1; channel <= 8; ++channel)
            if ((*state.masked)[channel - 1])
                masked += " " + ChannelName(channel);
        text += masked.empty() ? "; nothing masked" : "; masked" + masked;
    }
    return text;
}

void AddState(JsonObject& object, const UnitState& state)
{
    JsonObject outlets;
    for (int channel = 0; channel <= 8; ++channel)
        outlets.Add(ChannelName(channel), state.outlets[channel]);
    object.AddRaw("outlets", outlets.Text());
    object.Add("locked", state.locked).Add("running", state.running);
    if (state.masked) {
        std::string list;
        for (int channel = 1; channel <= 8; ++channel)
            if ((*state.masked)[channel - 1])
                list += (list.empty() ? "" : ",") + JsonString(ChannelName(channel));
        object.AddRaw("masked", "[" + list + "]");
    }
}

std::vector<std::string> StateChanges(const UnitState& before, const UnitState& after)
{
    std::vector<std::string> changes;
    for (int channel = 0; channel <= 8; ++channel)
        if (before.outlets[channel] != after.outlets[channel])
            changes.push_back(ChannelName(channel) + (after.outlets[channel] ? " on" : " off"));
    if (before.locked != after.locked)
        changes.push_back(after.locked ? "locked" : "unlocked");
    if (before.running != after.running)
        changes.push_back(after.running ? "running" : "idle");
    if (before.masked && after.masked)
        for (int channel = 1; channel <= 8; ++channel)
            if ((*before.masked)[channel - 1] != (*after.masked)[channel - 1])
                changes.push_back(ChannelName(channel) + ((*after.masked)[channel - 1] ? " masked" : " usable"));
    return changes;
}

std::string DelayValueText(uint8_t code)
{
    std::string text;
    for (wchar_t c : link::DelayCodeText(code))
        text.push_back(static_cast<char>(c));
    return text + (link::DelayCode::IsMinutes(code) ? "m" : "");
}

}  // namespace relayon::ctl
