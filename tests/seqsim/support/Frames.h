// Helpers shared by the simulator tests: request frames and payloads by name.
#pragma once

#include <cstdint>
#include <vector>

#include "link/Frame.h"
#include "link/Opcodes.h"
#include "link/Replies.h"
#include "link/Requests.h"

namespace seqsim_test {

using Bytes = std::vector<uint8_t>;

inline Bytes Payload(uint8_t id, uint8_t opcode, uint8_t arg1 = 0, uint8_t arg2 = 0)
{
    return {id, opcode, arg1, arg2};
}

inline Bytes Frame(uint8_t id, uint8_t opcode, uint8_t arg1 = 0, uint8_t arg2 = 0)
{
    return relayon::link::EncodeRequest(Payload(id, opcode, arg1, arg2));
}

inline Bytes DelaysPayload(uint8_t id, const std::array<uint8_t, 9>& on, const std::array<uint8_t, 9>& off)
{
    auto p = relayon::link::SetDelaysPayload(id, on, off);
    return Bytes(p.begin(), p.end());
}

}  // namespace seqsim_test
