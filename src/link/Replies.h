// Decoders of the reply frames the console acts on, and the matching encoders
// (used by the simulator and by tests to produce exactly what a unit sends).
//
//   | frame         | opcode          | data                                                  |
//   |---------------|-----------------|-------------------------------------------------------|
//   | 6 bytes, 0x55 | 0xA8 PollStatus | byte 3 StatusFlags, byte 4 ChannelBits                |
//   | 6 bytes, 0x55 | 0xAB ReadId     | byte 4 the unit's ID (byte 3 not read; sent as 0)     |
//   | 7 bytes, 0x57 | 0xB0 / 0xB1     | byte 3 StatusFlags, byte 4 ChannelBits, 5 EnableBits  |
//   | 25 bytes,0x56 | 0xA7 InfoReply  | 3..11 switch-on DelayCode LCD..CH8, 12..20 switch-off,|
//   |               |                 | 21 cascade (2 = on), 22 start channel, 23 lock (0x55 = unlocked) |
//   | 3 bytes, 0x54 | any             | acknowledgement: ID, opcode of the request            |
//
// Every decoder checks the header, the exact length, the check byte and the
// opcode before it reads a field, and returns nothing otherwise. ReadReplyHead
// alone looks at the shape only: the console acts on some frames (stops its
// watchdog, reports delivery) even when their check byte is wrong.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace relayon::link {

// The four reply shapes, told apart by exact length and header together.
enum class ReplyShape : uint8_t { Ack, Short, Status, Long };

// What a chunk is before its check byte is looked at: its shape, the device
// ID (byte 1) and the opcode (byte 2). nullopt when length and header do not
// name one shape (a split reply, two replies in one chunk, noise).
struct ReplyHead {
    ReplyShape shape = ReplyShape::Ack;
    uint8_t deviceId = 0;
    uint8_t opcode = 0;
};
std::optional<ReplyHead> ReadReplyHead(std::span<const uint8_t> chunk);

struct StatusReport {
    uint8_t deviceId = 0;
    uint8_t opcode = 0;     // PollStatus, StatusReply or StatusNotice
    uint8_t flags = 0;      // StatusFlags
    uint8_t channels = 0;   // ChannelBits
    std::optional<uint8_t> enable;  // EnableBits, 7-byte frames only

    bool LcdOn() const;
    bool Locked() const;
    bool Running() const;
    // CH`channel` (1..8) is on; false outside 1..8.
    bool ChannelOn(int channel) const;
    // CH`channel` (1..8) is usable (not masked); nullopt for a frame without
    // enable bits and for channels outside 1..8.
    std::optional<bool> ChannelUsable(int channel) const;
};

struct InfoReport {
    uint8_t deviceId = 0;
    std::array<uint8_t, 9> onCodes{};   // DelayCode, LCD..CH8
    std::array<uint8_t, 9> offCodes{};
    uint8_t cascade = 0;       // InfoCascadeOn (2) = on, other = off
    uint8_t startChannel = 0;  // 0 LCD, 1..8 CH1..CH8
    uint8_t lock = 0;          // InfoUnlocked (0x55) = unlocked, other = locked

    bool CascadeIsOn() const;
    bool IsLocked() const;
    // DelayCode of position `channel` (0 LCD, 1..8) for `kind` 0 switch-on,
    // 1 switch-off; 0 outside those ranges.
    uint8_t DelayCodeOf(int kind, int channel) const;
    // The start position to show: the start byte when it names LCD or
    // CH1..CH8, else LCD (0).
    int StartPosition() const;
};

struct Acknowledgement {
    uint8_t deviceId = 0;
    uint8_t opcode = 0;
};

std::optional<StatusReport> DecodeStatus(std::span<const uint8_t> frame);
std::optional<InfoReport> DecodeInfo(std::span<const uint8_t> frame);
// The ID carried by a valid 6-byte ReadId reply.
std::optional<uint8_t> DecodeReadId(std::span<const uint8_t> frame);
std::optional<Acknowledgement> DecodeAck(std::span<const uint8_t> frame);

std::vector<uint8_t> MakeAck(uint8_t deviceId, uint8_t opcode);
std::vector<uint8_t> MakePollStatusReply(uint8_t deviceId, uint8_t flags, uint8_t channels);
// `opcode` is StatusReply or StatusNotice.
std::vector<uint8_t> MakeStatusFrame(uint8_t deviceId, uint8_t opcode, uint8_t flags,
                                     uint8_t channels, uint8_t enable);
std::vector<uint8_t> MakeReadIdReply(uint8_t deviceId);
std::vector<uint8_t> MakeInfoReply(const InfoReport& info);

}  // namespace relayon::link
