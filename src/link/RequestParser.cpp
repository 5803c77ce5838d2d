#include "link/RequestParser.h"

#include "link/Frame.h"

namespace relayon::link {

size_t RequestFrameLength(uint8_t header)
{
    switch (header) {
    case ShortHeader: return kShortRequestPayload + 2;
    case LongHeader: return kLongRequestPayload + 2;
    default: return 0;
    }
}

std::vector<std::vector<uint8_t>> RequestParser::Feed(std::span<const uint8_t> bytes)
{
    std::vector<std::vector<uint8_t>> frames;
    for (uint8_t b : bytes) {
        pending_.push_back(b);
        Drain(frames);
    }
    return frames;
}

std::vector<std::vector<uint8_t>> RequestParser::Idle()
{
    std::vector<std::vector<uint8_t>> frames;
    // Each pass either completes frames or drops one more byte, so the loop
    // ends within pending_.size() passes.
    while (!pending_.empty()) {
        DropFront(1);
        Drain(frames);
    }
    return frames;
}

void RequestParser::DropFront(size_t count)
{
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<ptrdiff_t>(count));
    discarded_ += count;
}

void RequestParser::Drain(std::vector<std::vector<uint8_t>>& out)
{
    for (;;) {
        size_t skip = 0;
        while (skip < pending_.size() && RequestFrameLength(pending_[skip]) == 0)
            ++skip;
        if (skip)
            DropFront(skip);
        if (pending_.empty())
            return;
        size_t length = RequestFrameLength(pending_[0]);
        if (pending_.size() < length)
            return;
        std::span<const uint8_t> frame(pending_.data(), length);
        std::span<const uint8_t> payload = frame.subspan(1, length - 2);
        if (XorCheck(payload) == frame[length - 1]) {
            out.emplace_back(payload.begin(), payload.end());
            pending_.erase(pending_.begin(), pending_.begin() + static_cast<ptrdiff_t>(length));
        } else {
            ++badChecks_;
            DropFront(1);
        }
    }
}

}  // namespace relayon::link
