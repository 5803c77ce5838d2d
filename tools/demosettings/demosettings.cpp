// demosettings: writes a settings file for trying the console against the
// simulator without touching the operator's own settings.
//
//   demosettings OUT [LANGINDEX]
//
// A new file (as the console creates at first start) with the address
// 127.0.0.1, device ID 1 on the device setup page and IDs 1 to 4 in the four
// real-time groups; LANGINDEX (default 1, English) selects the language.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>

#include "toolkit/core/DateTime.h"
#include "console/core/SettingsLoad.h"
#include "console/core/SettingsWrites.h"

namespace console = relayon::console;

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: demosettings OUT [LANGINDEX]\n");
        return 2;
    }
    const int32_t language = argc == 3 ? std::atoi(argv[2]) : 1;

    // Slot pickers start at the current local time, as at a first start.
    const std::time_t now = std::time(nullptr);
    const std::tm local = *std::localtime(&now);
    const double pickers = TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday).value_or(0) +
                           (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) / 86400.0;
    auto file = console::BuildNewFile(console::NewFileInputsAt(pickers));
    console::ApplyFieldWrite(file, console::EncodeIpAddress("127.0.0.1"));
    console::ApplyFieldWrite(file, *console::EncodeDeviceId(0, 1));
    for (int g = 0; g < 4; ++g)
        console::ApplyFieldWrite(file, *console::EncodeDeviceId(g + 1, g + 1));
    console::ApplyFieldWrite(file, console::EncodeLangIndex(language));

    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    if (!out) {
        std::fprintf(stderr, "demosettings: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
