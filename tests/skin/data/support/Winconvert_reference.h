#pragma once
// The LZH coder as it stood before its speed work (byte-for-byte the
// project's earlier sources, moved into a namespace of their own): the
// classic one-node-at-a-time tree walks and update loops. Tests compare the
// current coder's code streams and outputs against it.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace relayon::skin::lzh_reference {

// Raw code stream of `input`, as the earlier encoder produced it.
std::vector<uint8_t> Pack(std::span<const uint8_t> input);
// Decodes exactly `outputSize` bytes with the earlier ring-buffer decoder.
std::vector<uint8_t> Unpack(std::span<const uint8_t> code, size_t outputSize);

}  // namespace relayon::skin::lzh_reference
