#include "link/Requests.h"

#include <algorithm>

namespace relayon::link {

DelayPayload SetDelaysPayload(uint8_t id, std::span<const uint8_t, 9> onCodes,
                              std::span<const uint8_t, 9> offCodes)
{
    DelayPayload payload{};
    payload[0] = id;
    payload[1] = SetDelays;
    std::copy(onCodes.begin(), onCodes.end(), payload.begin() + 2);
    std::copy(offCodes.begin(), offCodes.end(), payload.begin() + 11);
    return payload;
}

}  // namespace relayon::link
