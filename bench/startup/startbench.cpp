// Start-up benchmark driver, run under the same Wine session as the programs
// it measures. It launches each program in turn, alternating between them
// round after round so that both see the same state of the machine, and takes
// for every launch:
//   - the time from CreateProcess until the program's window is visible and
//     its message loop is idle (WaitForInputIdle: every message queued by the
//     start, including the first paints, has been handled);
//   - the program's resident memory (working set) at that moment.
// Then it closes the program with WM_CLOSE (killing it only if that fails) and
// prints every launch, the medians, their ratio and the memory difference.
//
//   startbench ROUNDS NAME1 COMMANDLINE1 NAME2 COMMANDLINE2
//   startbench hold SECONDS MARKER COMMANDLINE
//
// The ratio and the memory difference are those of the first program against
// the second. One warm-up launch of each program is not counted.
// "hold" launches one program, creates the file MARKER once its window is
// shown and idle and keeps it open SECONDS longer (or until it ends), so that
// a script outside Wine can read the process's memory map at the moment the
// benchmark measures.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Launch {
    double seconds = 0;
    double residentMb = 0;
    bool ok = false;
};

struct FindWindowOf {
    DWORD pid;
    HWND window = nullptr;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM param)
{
    auto* find = reinterpret_cast<FindWindowOf*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == find->pid && IsWindowVisible(window) && !GetWindow(window, GW_OWNER)) {
        find->window = window;
        return FALSE;
    }
    return TRUE;
}

HWND VisibleWindowOf(DWORD pid)
{
    FindWindowOf find{pid};
    EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&find));
    return find.window;
}

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

Launch Run(const std::wstring& commandLine, const wchar_t* marker = nullptr, DWORD holdMs = 0)
{
    Launch result;
    std::wstring line = commandLine;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const double start = Now();
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "startbench: cannot start %ls (error %lu)\n", commandLine.c_str(), GetLastError());
        return result;
    }
    // Idle alone is not enough: a program that pumps messages while it builds
    // its window is idle before it is shown. Wait for both.
    HWND window = nullptr;
    const double deadline = start + 60;
    while (Now() < deadline) {
        DWORD idle = WaitForInputIdle(pi.hProcess, 100);
        if (idle == WAIT_FAILED) break;
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) break;
        window = VisibleWindowOf(pi.dwProcessId);
        if (window && idle == 0) break;
        if (!window) Sleep(1);
    }
    if (window) {
        // The window became visible while the loop was busy: let it settle.
        WaitForInputIdle(pi.hProcess, 10000);
        result.seconds = Now() - start;
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        if (GetProcessMemoryInfo(pi.hProcess, &counters, sizeof counters)) {
            result.residentMb = static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
            result.ok = true;
        }
        if (marker) {
            HANDLE file = CreateFileW(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
            WaitForSingleObject(pi.hProcess, holdMs);
        }
        PostMessageW(window, WM_CLOSE, 0, 0);
    } else {
        std::fprintf(stderr, "startbench: %ls showed no window\n", commandLine.c_str());
    }
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return result;
}

double Median(std::vector<double> v)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 5 && std::wstring(argv[1]) == L"hold")
        return Run(argv[4], argv[3], static_cast<DWORD>(_wtoi(argv[2])) * 1000).ok ? 0 : 1;
    if (argc != 6) {
        std::fprintf(stderr, "usage: startbench ROUNDS NAME1 COMMANDLINE1 NAME2 COMMANDLINE2\n"
                             "       startbench hold SECONDS MARKER COMMANDLINE\n");
        return 2;
    }
    const int rounds = std::max(1, _wtoi(argv[1]));
    const std::wstring names[2] = {argv[2], argv[4]};
    const std::wstring lines[2] = {argv[3], argv[5]};

    for (const auto& line : lines)
        if (!Run(line).ok) return 1;

    std::vector<double> seconds[2], memory[2];
    for (int r = 0; r < rounds; ++r) {
        for (int p = 0; p < 2; ++p) {
            Launch launch = Run(lines[p]);
            if (!launch.ok) return 1;
            seconds[p].push_back(launch.seconds);
            memory[p].push_back(launch.residentMb);
            std::printf("round %d  %-8ls %6.3f s  %6.1f MB\n", r + 1, names[p].c_str(), launch.seconds,
                        launch.residentMb);
            std::fflush(stdout);
        }
    }
    const double t0 = Median(seconds[0]), t1 = Median(seconds[1]);
    const double m0 = Median(memory[0]), m1 = Median(memory[1]);
    std::printf("\nmedian of %d launches (window shown and idle; resident memory then)\n", rounds);
    std::printf("  %-8ls %6.3f s  %6.1f MB\n", names[0].c_str(), t0, m0);
    std::printf("  %-8ls %6.3f s  %6.1f MB\n", names[1].c_str(), t1, m1);
    std::printf("  time ratio %ls/%ls: %.2f (goal <= 1.20)\n", names[0].c_str(), names[1].c_str(), t1 > 0 ? t0 / t1 : 0);
    std::printf("  memory above %ls: %+.1f MB (goal <= +5.0)\n", names[1].c_str(), m0 - m1);
    return 0;
}
