// seqsim: plays power sequencers over TCP and a pseudo-terminal (see --help
// and docs/simulator.md).
#include <csignal>
#include <fstream>
#include <iostream>
#include <memory>

#include "seqsim/Options.h"
#include "seqsim/Runner.h"

namespace {
relayon::seqsim::Runner* gRunner = nullptr;
}

int main(int argc, char** argv)
{
    using namespace relayon::seqsim;
    Config config;
    std::string error;
    if (!ParseOptions(std::vector<std::string>(argv + 1, argv + argc), config, error)) {
        std::cerr << "seqsim: " << error << '\n';
        return 2;
    }
    if (config.help) {
        std::cout << HelpText();
        return 0;
    }
    std::ofstream logFile;
    std::ostream* log = &std::cerr;
    if (config.logPath == "none") {
        log = nullptr;
    } else if (config.logPath == "-") {
        log = &std::cout;
    } else if (!config.logPath.empty()) {
        logFile.open(config.logPath, std::ios::app);
        if (!logFile) {
            std::cerr << "seqsim: cannot open log " << config.logPath << '\n';
            return 1;
        }
        log = &logFile;
    }
    Runner runner(config, std::cout, log);
    if (!runner.Start(error)) {
        std::cerr << "seqsim: " << error << '\n';
        return 1;
    }
    gRunner = &runner;
    std::signal(SIGINT, [](int) { gRunner->Stop(); });
    std::signal(SIGTERM, [](int) { gRunner->Stop(); });
    std::signal(SIGPIPE, SIG_IGN);
    // Started in the background of a shell, reading the terminal would stop
    // the process; ignored, the read fails and stdin control simply ends.
    std::signal(SIGTTIN, SIG_IGN);
    int status = runner.Run();
    gRunner = nullptr;
    return status;
}
