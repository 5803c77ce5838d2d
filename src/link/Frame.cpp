#include "link/Frame.h"

namespace relayon::link {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void AppendHexByte(std::string& text, uint8_t byte)
{
    text.push_back(kHexDigits[byte >> 4]);
    text.push_back(kHexDigits[byte & 0x0F]);
}

// Number of data bytes between opcode and check (or end) for a reply header.
size_t ReplyDataLength(uint8_t header)
{
    switch (header) {
    case AckHeader: return 0;
    case ShortHeader: return 2;
    case StatusHeader: return 3;
    case LongHeader: return 21;
    default: return SIZE_MAX;
    }
}

}  // namespace

uint8_t XorCheck(std::span<const uint8_t> bytes)
{
    uint8_t check = 0;
    for (uint8_t b : bytes)
        check ^= b;
    return check;
}

std::vector<uint8_t> EncodeRequest(std::span<const uint8_t> payload)
{
    std::vector<uint8_t> frame;
    frame.reserve(payload.size() + 2);
    frame.push_back(RequestHeaderFor(payload.size()));
    frame.insert(frame.end(), payload.begin(), payload.end());
    frame.push_back(XorCheck(payload));
    return frame;
}

std::string RequestHexText(std::span<const uint8_t> payload)
{
    std::string text;
    text.reserve((payload.size() + 2) * 2);
    for (uint8_t b : EncodeRequest(payload))
        AppendHexByte(text, b);
    return text;
}

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

size_t HexToBytes(std::string_view text, std::vector<uint8_t>& out)
{
    size_t produced = 0;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        if (i + 1 >= text.size())
            break;  // a lone trailing digit carries no byte
        int high = HexDigitValue(text[i]);
        int low = HexDigitValue(text[i + 1]);
        if (high < 0 || low < 0)
            break;
        out.push_back(static_cast<uint8_t>(high << 4 | low));
        ++produced;
        i += 2;
    }
    return produced;
}

size_t ReplyLengthForHeader(uint8_t header)
{
    switch (header) {
    case AckHeader: return kAckReplyLength;
    case ShortHeader: return kShortReplyLength;
    case StatusHeader: return kStatusReplyLength;
    case LongHeader: return kLongReplyLength;
    default: return 0;
    }
}

bool IsValidReply(std::span<const uint8_t> frame)
{
    if (frame.empty())
        return false;
    size_t expected = ReplyLengthForHeader(frame[0]);
    if (expected == 0 || frame.size() != expected)
        return false;
    if (frame[0] == AckHeader)
        return true;
    return XorCheck(frame.subspan(1)) == 0;
}

std::vector<uint8_t> EncodeReply(uint8_t header, uint8_t deviceId, uint8_t opcode,
                                 std::span<const uint8_t> data)
{
    if (ReplyDataLength(header) != data.size())
        return {};
    std::vector<uint8_t> frame;
    frame.reserve(data.size() + 4);
    frame.push_back(header);
    frame.push_back(deviceId);
    frame.push_back(opcode);
    frame.insert(frame.end(), data.begin(), data.end());
    if (header != AckHeader)
        frame.push_back(XorCheck(std::span<const uint8_t>(frame).subspan(1)));
    return frame;
}

std::string BytesToSpacedHex(std::span<const uint8_t> bytes)
{
    std::string text;
    text.reserve(bytes.size() * 3);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i)
            text.push_back(' ');
        AppendHexByte(text, bytes[i]);
    }
    return text;
}

}  // namespace relayon::link
