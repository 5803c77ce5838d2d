// Feeds arbitrary bytes to the request parser and the reply decoders; checks
// that every frame the parser emits re-encodes to bytes of the input stream
// and that decoders never accept what the validator rejects.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "link/Frame.h"
#include "link/Replies.h"
#include "link/RequestParser.h"

using namespace relayon::link;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::span<const uint8_t> input(data, size);

    RequestParser parser;
    size_t split = size ? data[0] % (size + 1) : 0;
    auto frames = parser.Feed(input.first(split));
    auto rest = parser.Feed(input.subspan(split));
    frames.insert(frames.end(), rest.begin(), rest.end());
    auto tail = parser.Idle();
    frames.insert(frames.end(), tail.begin(), tail.end());
    if (parser.PendingBytes() != 0)
        abort();
    for (const auto& payload : frames) {
        if (payload.size() != kShortRequestPayload && payload.size() != kLongRequestPayload)
            abort();
        std::vector<uint8_t> encoded = EncodeRequest(payload);
        auto found = std::search(input.begin(), input.end(), encoded.begin(), encoded.end());
        if (found == input.end())
            abort();
    }

    bool valid = IsValidReply(input);
    if (!valid && (DecodeStatus(input) || DecodeInfo(input) || DecodeReadId(input) || DecodeAck(input)))
        abort();
    if (auto info = DecodeInfo(input); info && MakeInfoReply(*info) != std::vector<uint8_t>(input.begin(), input.end()))
        abort();
    // The head names a shape exactly when length and header agree, whatever
    // the check byte; every valid reply has one, and its readers stay in range.
    const auto head = ReadReplyHead(input);
    if (valid != (head && IsValidReply(input)) || (head && input.size() != ReplyLengthForHeader(input[0])))
        abort();
    if (auto info = DecodeInfo(input); info && (info->StartPosition() < 0 || info->StartPosition() > 8))
        abort();
    if (auto status = DecodeStatus(input))
        for (int k = 0; k <= 9; ++k)
            if (status->ChannelUsable(k).has_value() != (status->enable.has_value() && k >= 1 && k <= 8))
                abort();

    std::vector<uint8_t> out;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (HexToBytes(text, out) > size / 2)
        abort();
    return 0;
}
