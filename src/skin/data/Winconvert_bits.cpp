#include "skin/data/Winconvert_bits.h"

#include <algorithm>

namespace relayon::skin::lzh {

bool ByteInput::Fill() {
    if (exhausted_ || !refill_) return false;
    const size_t got = std::min(refill_(buffer_.data(), buffer_.size()), buffer_.size());
    if (got == 0) {
        // Once a source reports its end we stop asking: the rest reads as missing.
        exhausted_ = true;
        return false;
    }
    p_ = buffer_.data();
    end_ = p_ + got;
    return true;
}

ByteOutput::ByteOutput(Drain drain) : drain_(std::move(drain)), buffer_(kIoBlock) {
    cur_ = buffer_.data();
    end_ = cur_ + buffer_.size();
}

void ByteOutput::Finish() {
    const size_t pending = static_cast<size_t>(cur_ - buffer_.data());
    if (pending > 0) drain_(buffer_.data(), pending);
    cur_ = buffer_.data();
}

}  // namespace relayon::skin::lzh
