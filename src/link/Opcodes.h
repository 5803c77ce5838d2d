// Opcodes of the sequencer command set and the byte encodings of their
// arguments and of the reply fields.
//
// Requests (payload byte 1), payload = ID, opcode, byte 2, byte 3 [, ...]:
//
//   | opcode | name            | byte 2              | byte 3             |
//   |--------|-----------------|---------------------|--------------------|
//   | 0xA0   | ChannelOn       | 0                   | channel 0..8       |
//   | 0xA1   | ChannelOff      | 0                   | channel 0..8       |
//   | 0xA2   | GroupAllOn      | 0                   | 0                  |
//   | 0xA3   | GroupAllOff     | 0                   | 0                  |
//   | 0xA4   | SequenceOn      | 0                   | 0                  |
//   | 0xA5   | ReverseOff      | 0                   | 0                  |
//   | 0xA6   | SequenceControl | sub-command         | start channel/0xFF |
//   | 0xA7   | SetDelays       | 18 DelayCode bytes: on LCD..CH8, off LCD..CH8 (20-byte payload) |
//   | 0xA8   | PollStatus      | 0                   | 0                  |
//   | 0xA9   | ReadInfo        | 0                   | 0                  |
//   | 0xAA   | WriteId         | 0                   | new ID (byte 0 = old ID) |
//   | 0xAB   | ReadId          | 0                   | 0   (byte 0 = 0)   |
//   | 0xAC   | AllDevicesOn    | 0                   | 0   (byte 0 = 0)   |
//   | 0xAD   | AllDevicesOff   | 0                   | 0   (byte 0 = 0)   |
//   | 0xAE   | SetLock         | SwitchSet/SwitchClear | 0                |
//   | 0xAF   | SetMask         | mask channel 0..7 or 0xFF | SwitchSet/SwitchClear |
//
// Channel numbering: ChannelOn/Off and start channels use 0 = LCD, 1..8 =
// CH1..CH8; SetMask uses 0..7 = CH1..CH8.
//
// Reply fields:
//   StatusFlags  bit 0 LcdOn, bit 1 Locked, bit 2 Running
//   ChannelBits  bit 7 = CH1 ... bit 0 = CH8, 1 = on
//   EnableBits   same order, 1 = usable, 0 = masked
//   DelayCode    bit 7 set = minutes; bits 0..6 = delay in half units (0..120)
#pragma once

#include <cstdint>

namespace relayon::link {

// Request opcodes.
inline constexpr uint8_t ChannelOn = 0xA0;
inline constexpr uint8_t ChannelOff = 0xA1;
inline constexpr uint8_t GroupAllOn = 0xA2;
inline constexpr uint8_t GroupAllOff = 0xA3;
inline constexpr uint8_t SequenceOn = 0xA4;
inline constexpr uint8_t ReverseOff = 0xA5;
inline constexpr uint8_t SequenceControl = 0xA6;
inline constexpr uint8_t SetDelays = 0xA7;
inline constexpr uint8_t PollStatus = 0xA8;
inline constexpr uint8_t ReadInfo = 0xA9;
inline constexpr uint8_t WriteId = 0xAA;
inline constexpr uint8_t ReadId = 0xAB;
inline constexpr uint8_t AllDevicesOn = 0xAC;
inline constexpr uint8_t AllDevicesOff = 0xAD;
inline constexpr uint8_t SetLock = 0xAE;
inline constexpr uint8_t SetMask = 0xAF;

// Reply-only opcodes. The information reply shares its value with SetDelays.
inline constexpr uint8_t InfoReply = 0xA7;
inline constexpr uint8_t StatusReply = 0xB0;
inline constexpr uint8_t StatusNotice = 0xB1;

// SequenceControl sub-commands (payload byte 2).
inline constexpr uint8_t CascadeOn = 2;
inline constexpr uint8_t CascadeOff = 5;
inline constexpr uint8_t StartSequence = 7;
inline constexpr uint8_t SwitchOn = 8;
inline constexpr uint8_t SwitchOff = 9;

// Two-state argument values of SetLock and SetMask.
inline constexpr uint8_t SwitchSet = 0xAA;
inline constexpr uint8_t SwitchClear = 0x55;

// SetMask channel value that addresses all eight channels.
inline constexpr uint8_t MaskAllChannels = 0xFF;
// Start channel sent when no item of the start-channel list is selected.
inline constexpr uint8_t NoStartChannel = 0xFF;

// Information reply: cascade byte value meaning on, lock byte value meaning unlocked.
inline constexpr uint8_t InfoCascadeOn = 2;
inline constexpr uint8_t InfoUnlocked = 0x55;

// Outlet positions: 0 = LCD, 1..8 = CH1..CH8.
inline constexpr int kLcdChannel = 0;
inline constexpr int kOutletCount = 9;
inline constexpr int kSwitchedChannelCount = 8;

namespace StatusFlags {
inline constexpr uint8_t LcdOn = 0x01;
inline constexpr uint8_t Locked = 0x02;
inline constexpr uint8_t Running = 0x04;
}  // namespace StatusFlags

// Bit of CH`channel` (1..8) in ChannelBits and EnableBits; 0 outside 1..8.
constexpr uint8_t ChannelBit(int channel)
{
    return channel >= 1 && channel <= 8 ? static_cast<uint8_t>(0x80 >> (channel - 1)) : 0;
}

namespace DelayCode {
inline constexpr uint8_t MinutesBit = 0x80;
inline constexpr uint8_t HalfUnitsMask = 0x7F;
inline constexpr int kMaxHalfUnits = 120;

constexpr uint8_t Encode(int halfUnits, bool minutes)
{
    return static_cast<uint8_t>((halfUnits & HalfUnitsMask) | (minutes ? MinutesBit : 0));
}
constexpr bool IsMinutes(uint8_t code) { return (code & MinutesBit) != 0; }
constexpr int HalfUnits(uint8_t code) { return code & HalfUnitsMask; }
// The delay in milliseconds of real time (half seconds or half minutes).
constexpr int64_t Milliseconds(uint8_t code)
{
    return static_cast<int64_t>(HalfUnits(code)) * (IsMinutes(code) ? 30000 : 500);
}
}  // namespace DelayCode

}  // namespace relayon::link
