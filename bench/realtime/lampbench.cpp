// Reply-to-lamp latency of the real-time page: the console's main window runs
// in this process, connected over TCP to a listener here playing unit 1. For
// each round the program waits for the console's poll of unit 1, answers it
// with a status reply that flips CH1, and takes the time from the moment the
// reply is on the wire (send returned) until CH1's lamp has the new colour.
// The console reads the line on every 6th tick of its 10 ms receive timer, so
// the figure is set by that cadence (60 ms); the goal is at most one cadence.
// Every request restarts the cadence, and a unit answers a poll at once, so a
// reply waits about one whole cadence: six real periods of a 10 ms timer,
// which the program measures beside it.
//
//   lampbench [ROUNDS] [ADDRESS]     default 40 rounds on 127.0.0.1 (port 8080)
#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "console/Controls.h"
#include "console/Form1.h"
#include "console/SettingsFile.h"
#include "link/Frame.h"
#include "link/Replies.h"
#include "link/Requests.h"
#include "link/win32/Socket.h"
#include "toolkit/Application.h"

namespace link = relayon::link;

namespace {

constexpr uint16_t kConsolePort = 8080;
constexpr int kRealTimePage = 2;
constexpr uint8_t kUnit = 1;
constexpr double kCadenceMs = 60.0;
constexpr TColor kRed = 0x0000FF;

double NowMs()
{
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

// Handles what is queued, then sleeps until input arrives or a millisecond passed.
void PumpOnce()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
}

template <class Done>
bool PumpUntil(Done done, double timeoutMs)
{
    const double end = NowMs() + timeoutMs;
    while (!done()) {
        if (NowMs() > end)
            return false;
        PumpOnce();
    }
    return true;
}

// Reads what the console sent; true once a poll of the unit was among it.
bool SawPoll(SOCKET s, std::vector<uint8_t>& pending)
{
    const auto poll = link::EncodeRequest(link::PollStatusPayload(kUnit));
    while (WaitReadable(s, 0)) {
        char chunk[256];
        const int n = recv(s, chunk, sizeof chunk, 0);
        if (n <= 0)
            return false;
        pending.insert(pending.end(), chunk, chunk + n);
    }
    const auto at = std::search(pending.begin(), pending.end(), poll.begin(), poll.end());
    if (at == pending.end())
        return false;
    pending.erase(pending.begin(), at + static_cast<long>(poll.size()));
    return true;
}

// A 10 ms timer of our own beside the console's receive timer: its real period
// under Wine tells how long the six ticks of one cadence really take.
int gProbeTicks = 0;
void CALLBACK ProbeTick(HWND, UINT, UINT_PTR, DWORD) { ++gProbeTicks; }

double Percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5)];
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 40;
    const std::wstring address = argc > 2 ? argv[2] : L"127.0.0.1";
    const std::string address8(address.begin(), address.end());

    EnsureWinsock();
    Socket listener(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_port = htons(kConsolePort);
    where.sin_addr.s_addr = inet_addr(address8.c_str());
    if (bind(listener.Get(), reinterpret_cast<sockaddr*>(&where), sizeof where) != 0 || listen(listener.Get(), 1) != 0) {
        std::fprintf(stderr, "lampbench: %s:%u is taken\n", address8.c_str(), kConsolePort);
        return 1;
    }

    // A settings file of its own, so the operator's is not touched.
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring settings = std::wstring(temp) + L"relayon_lampbench.dat";
    DeleteFileW(settings.c_str());
    relayon::console::SetSettingsPathOverride(settings);
    Application->Initialize();
    Application->CreateForm(Form1);
    Form1->Show();

    Form1->Ed_ip_address->SetText(address);
    Form1->Bn_ip_conn->Click();
    if (!WaitReadable(listener.Get(), 2000)) {
        std::fprintf(stderr, "lampbench: the console did not connect\n");
        return 1;
    }
    Socket unit(accept(listener.Get(), nullptr, nullptr));
    Form1->PageControl1->SetActivePageIndex(kRealTimePage);
    Form1->Ed_grp_id[0]->SetText(std::to_wstring(kUnit));

    const UINT_PTR probe = SetTimer(nullptr, 0, 10, ProbeTick);
    const double probeStart = NowMs();
    std::vector<double> latencies;
    std::vector<uint8_t> pending;
    int missed = 0;
    bool ch1On = false;
    for (int round = 0; round < rounds; ++round) {
        if (!PumpUntil([&] { return SawPoll(unit.Get(), pending); }, 2000)) {
            std::fprintf(stderr, "lampbench: no poll came\n");
            return 1;
        }
        ch1On = !ch1On;
        // ChannelBits: CH1 is the high bit.
        const auto reply = link::MakePollStatusReply(kUnit, 0, ch1On ? 0x80 : 0x00);
        send(unit.Get(), reinterpret_cast<const char*>(reply.data()), static_cast<int>(reply.size()), 0);
        const double sent = NowMs();
        const TColor want = ch1On ? kRed : clWhite;
        if (PumpUntil([&] { return Form1->Shape_ch[0][1]->Brush().Color() == want; }, 2000))
            latencies.push_back(NowMs() - sent);
        else
            ++missed;
    }

    const double tickMs = (NowMs() - probeStart) / std::max(1, gProbeTicks);
    KillTimer(nullptr, probe);
    if (latencies.empty()) {
        std::fprintf(stderr, "lampbench: no lamp changed\n");
        return 1;
    }
    const auto within = std::count_if(latencies.begin(), latencies.end(), [](double ms) { return ms <= kCadenceMs; });
    std::printf("reply on the wire -> lamp colour, %zu rounds (%d missed)\n", latencies.size(), missed);
    std::printf("  min %.1f ms  median %.1f ms  p90 %.1f ms  max %.1f ms\n", Percentile(latencies, 0.0),
                Percentile(latencies, 0.5), Percentile(latencies, 0.9), Percentile(latencies, 1.0));
    std::printf("  receive cadence %.0f ms: median %.2f cadences, %ld of %zu within one cadence\n", kCadenceMs,
                Percentile(latencies, 0.5) / kCadenceMs, static_cast<long>(within), latencies.size());
    std::printf("  a 10 ms timer ticks every %.1f ms here, so six ticks take %.1f ms\n", tickMs, 6 * tickMs);
    std::printf("  goal: median <= one cadence: %s\n", Percentile(latencies, 0.5) <= kCadenceMs ? "met" : "NOT met");

    delete Form1;
    Form1 = nullptr;
    DeleteFileW(settings.c_str());
    return 0;
}
