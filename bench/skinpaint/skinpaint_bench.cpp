// Cost of the skin on painting: a window in-process, fully repainted (frame,
// background, every control) while the skin engine draws it, then again
// after the skin is switched off and the engine has given every window back.
// Prints the median of each and their ratio (goal: at most 1.5).
//   skinpaint_bench.exe ROUNDS console            the console's main window
//   skinpaint_skinbench.exe ROUNDS bench SKIN.skn the skin bench's controls
// A further argument ("controls") also lists the child windows whose
// repaint the skin makes most expensive.
#include <windows.h>

#include <algorithm>
#include <map>
#include <cstdio>
#include <string>
#include <vector>

#include "SkinWindows.h"

namespace {

// Median time of one full synchronous repaint of the window and its children.
double RepaintMs(HWND h, int rounds) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        skinbench::PumpOnce();
        const double start = skinbench::NowMs();
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        GdiFlush();
        times.push_back(skinbench::NowMs() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Median repaint time of every child window of h (by its window class and
// position), for finding the controls a skin makes expensive.
std::map<std::wstring, double> ChildRepaintMs(HWND h, int rounds) {
    std::vector<HWND> children;
    EnumChildWindows(
        h, [](HWND c, LPARAM p) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(p)->push_back(c);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    std::map<std::wstring, double> out;
    for (HWND c : children) {
        if (!IsWindowVisible(c)) continue;
        wchar_t cls[64] = {};
        GetClassNameW(c, cls, 64);
        RECT r{};
        GetWindowRect(c, &r);
        std::vector<double> times;
        for (int i = 0; i < rounds; ++i) {
            const double start = skinbench::NowMs();
            RedrawWindow(c, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
            GdiFlush();
            times.push_back(skinbench::NowMs() - start);
        }
        std::sort(times.begin(), times.end());
        out[std::wstring(cls) + L" @" + std::to_wstring(r.left) + L"," + std::to_wstring(r.top)] = times[times.size() / 2];
    }
    return out;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 30;
    const std::wstring which = argc > 2 ? argv[2] : L"console";
    const bool bench = which == L"bench";
    if (bench && argc < 4) {
        std::fprintf(stderr, "skinpaint_bench: bench needs a skin file\n");
        return 2;
    }
    auto window = bench ? skinbench::OpenSkinBenchWindow(argv[3]) : skinbench::OpenConsoleWindow();
    if (!window) return 1;
    const double skinned = RepaintMs(window->Handle(), rounds);
    const bool byControl = argc > 4 || (!bench && argc > 3);
    std::map<std::wstring, double> skinnedChildren;
    if (byControl) skinnedChildren = ChildRepaintMs(window->Handle(), 5);
    if (!window->SetSkinActive(false)) {
        std::fprintf(stderr, "skinpaint_bench: the engine did not give the window back\n");
        return 1;
    }
    const double plain = RepaintMs(window->Handle(), rounds);
    if (byControl) {
        // The controls whose skin costs most, skinned against plain.
        std::map<std::wstring, double> plainChildren = ChildRepaintMs(window->Handle(), 5);
        std::vector<std::pair<double, std::wstring>> extra;
        for (const auto& [name, ms] : skinnedChildren) {
            auto it = plainChildren.find(name);
            extra.emplace_back(ms - (it == plainChildren.end() ? 0.0 : it->second), name);
        }
        std::sort(extra.rbegin(), extra.rend());
        for (size_t i = 0; i < extra.size() && i < 15; ++i)
            std::printf("  %+8.2f ms  %ls\n", extra[i].first, extra[i].second.c_str());
    }
    std::printf("full repaint of the %s window (median of %d)\n", bench ? "skin bench" : "console", rounds);
    std::printf("  skinned    %8.2f ms\n  unskinned  %8.2f ms\n  ratio      %8.2f (goal <= 1.50)\n", skinned, plain,
                plain > 0 ? skinned / plain : 0.0);
    return 0;
}
