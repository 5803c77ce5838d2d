// relayonctl: the sequencer protocol from a terminal or a script.
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <exception>
#include <iostream>

#include "relayonctl/core/Invocation.h"
#include "relayonctl/core/Run.h"
#include "relayonctl/core/Transport.h"

namespace ctl = relayon::ctl;

namespace {

std::atomic<bool> gStop{false};

extern "C" void OnInterrupt(int)
{
    gStop = true;
}

std::string TimeOfDay()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const int millis = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    char text[32] = "";
    if (const std::tm* local = std::localtime(&seconds))
        std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local->tm_hour, local->tm_min, local->tm_sec, millis);
    return text;
}

int Main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
#ifdef _WIN32
    const bool windowsPorts = true;
#else
    const bool windowsPorts = false;
#endif
    const auto parsed = ctl::ParseCommandLine(args, windowsPorts);
    if (!parsed.ok) {
        std::cerr << "relayonctl: " << parsed.error << "\n";
        return ctl::kExitUsage;
    }
    const ctl::Invocation& inv = parsed.invocation;
    if (inv.help) {
        std::cout << ctl::UsageText();
        return ctl::kExitOk;
    }
    std::string error;
    auto link = ctl::OpenTransport(inv.link, error);
    if (!link) {
        std::cerr << "relayonctl: " << (inv.link.tcp ? inv.link.host : inv.link.serialPort) << ": " << inv.verbName
                  << ": cannot open the link: " << error << "\n";
        return ctl::kExitNoAnswer;
    }
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    ctl::RunContext context{*link, ctl::SteadyClock(), std::cout, std::cerr, &gStop, TimeOfDay};
    const int status = ctl::Run(inv, context);
    std::cout.flush();
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        return Main(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "relayonctl: " << e.what() << "\n";
    } catch (...) {
        std::cerr << "relayonctl: unexpected failure\n";
    }
    return ctl::kExitNoAnswer;
}
