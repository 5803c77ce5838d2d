// Arbitrary link bytes, fed in arbitrary pieces, through the reply reader and
// the answer classification: only frames of the four reply shapes come out,
// and the reader keeps no more than one incomplete frame.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <span>

#include "link/Frame.h"
#include "link/Requests.h"
#include "relayonctl/core/Delivery.h"
#include "relayonctl/core/ReplyReader.h"

using namespace relayon::ctl;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const auto payload = relayon::link::MakeShortPayload(data[0], static_cast<uint8_t>(0xA0 | (data[1] & 0x0F)), 0, 0);
    ReplyReader reader;
    size_t at = 2;
    while (at < size) {
        // The first byte of each piece sets its length, so that the same
        // bytes also arrive cut in many ways.
        const size_t take = std::min<size_t>(1 + data[at] % 32, size - at);
        reader.Feed(std::span(data + at, take));
        at += take;
        while (auto frame = reader.Next()) {
            const size_t expected = relayon::link::ReplyLengthForHeader((*frame)[0]);
            if (expected == 0 || frame->size() != expected)
                std::abort();
            if ((*frame)[0] != relayon::link::AckHeader && !relayon::link::IsValidReply(*frame))
                std::abort();
            (void)Classify(payload, *frame);
        }
        if (reader.Pending() >= relayon::link::kLongReplyLength)
            std::abort();
    }
    return 0;
}
