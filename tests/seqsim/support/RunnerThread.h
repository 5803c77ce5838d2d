// Runs the simulator's event loop in a thread for the length of a test.
#pragma once

#include <sstream>
#include <string>
#include <thread>

#include "seqsim/Runner.h"

namespace seqsim_test {

class RunnerThread {
public:
    explicit RunnerThread(relayon::seqsim::Config config) : runner_(std::move(config), out_, nullptr) {}
    ~RunnerThread() { Stop(); }

    // Opens the links and starts the loop; false with `error` when a link fails.
    bool Start(std::string& error)
    {
        if (!runner_.Start(error))
            return false;
        thread_ = std::thread([this] { runner_.Run(); });
        return true;
    }
    void Stop()
    {
        if (thread_.joinable()) {
            runner_.Stop();
            thread_.join();
        }
    }
    relayon::seqsim::Runner& Runner() { return runner_; }

private:
    std::ostringstream out_;
    relayon::seqsim::Runner runner_;
    std::thread thread_;
};

// A loopback configuration on a free port, no stdin, for tests.
inline relayon::seqsim::Config TestConfig()
{
    relayon::seqsim::Config config;
    config.port = 0;
    config.controlStdin = false;
    return config;
}

}  // namespace seqsim_test
