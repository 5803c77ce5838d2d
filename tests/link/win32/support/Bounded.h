// Runs a call that must not block on a thread of its own, so that a call that
// does block fails the test instead of hanging it.
#pragma once

#include <chrono>
#include <functional>

// True when `work` returned within `limit`. Otherwise calls `unblock` (which
// must make `work` return, e.g. by supplying the bytes it waits for), waits
// for it, and returns false.
bool ReturnsWithin(std::chrono::milliseconds limit, const std::function<void()>& work,
                   const std::function<void()>& unblock);
