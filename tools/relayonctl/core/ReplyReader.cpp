#include "relayonctl/core/ReplyReader.h"

#include "link/Frame.h"

namespace relayon::ctl {

namespace link = relayon::link;

namespace {

// A 3-byte acknowledgement has no check byte; requiring a request opcode in
// it keeps noise that happens to hold 0x54 from passing as one.
bool PlausibleAck(std::span<const uint8_t> frame)
{
    return frame[2] >= 0xA0 && frame[2] <= 0xAF;
}

bool Acceptable(std::span<const uint8_t> candidate)
{
    if (candidate[0] == link::AckHeader)
        return PlausibleAck(candidate);
    return link::IsValidReply(candidate);
}

// A checked frame (not an acknowledgement) complete and valid at `offset`.
bool CheckedFrameAt(std::span<const uint8_t> buffer, size_t offset)
{
    const size_t length = link::ReplyLengthForHeader(buffer[offset]);
    if (length == 0 || buffer[offset] == link::AckHeader || buffer.size() - offset < length)
        return false;
    return link::IsValidReply(buffer.subspan(offset, length));
}

}  // namespace

void ReplyReader::Feed(std::span<const uint8_t> bytes)
{
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

void ReplyReader::Drop(size_t count)
{
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(count));
    discarded_ += count;
}

std::optional<Frame> ReplyReader::Next()
{
    for (;;) {
        size_t skip = 0;
        while (skip < buffer_.size() && link::ReplyLengthForHeader(buffer_[skip]) == 0)
            ++skip;
        Drop(skip);
        if (buffer_.empty())
            return std::nullopt;
        const size_t length = link::ReplyLengthForHeader(buffer_[0]);
        if (buffer_.size() >= length) {
            std::span<const uint8_t> candidate(buffer_.data(), length);
            if (Acceptable(candidate)) {
                Frame frame(candidate.begin(), candidate.end());
                buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(length));
                return frame;
            }
            Drop(1);
            continue;
        }
        // Incomplete: wait for more, unless a whole valid frame already
        // stands behind it.
        size_t later = 1;
        while (later < buffer_.size() && !CheckedFrameAt(buffer_, later))
            ++later;
        if (later == buffer_.size())
            return std::nullopt;
        Drop(later);
    }
}

void ReplyReader::Reset()
{
    discarded_ += buffer_.size();
    buffer_.clear();
}

}  // namespace relayon::ctl
