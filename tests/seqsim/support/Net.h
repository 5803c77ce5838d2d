// Socket and descriptor helpers for the simulator's integration tests. Every
// wait is bounded in time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "seqsim/UniqueFd.h"

namespace seqsim_test {

relayon::seqsim::UniqueFd ConnectTcp(uint16_t port);
relayon::seqsim::UniqueFd ConnectUnix(const std::string& path);
bool WriteAll(int fd, const std::vector<uint8_t>& bytes);
// Reads until `count` bytes arrived or `timeoutMs` passed; returns what came.
std::vector<uint8_t> ReadBytes(int fd, size_t count, int timeoutMs);
// Reads one line (without the newline) or gives up after `timeoutMs`.
std::string ReadLine(int fd, int timeoutMs);
// True when the peer closed (or the line hung up) within `timeoutMs`.
bool WaitForClose(int fd, int timeoutMs);
int64_t NowMs();

}  // namespace seqsim_test
