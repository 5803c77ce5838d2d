// Skin engine soak: a skinned window repainted many times (the skin bench's
// window also used between repaints: pages switched, lists scrolled), then
// its skin switched off and on many times; prints the GDI object and window
// counts before and after, and the time per repaint and per cycle. Counts
// that grow mean something the engine made is not freed; windows left while
// the skin is off are overlays that outlived their skin.
//   skinsoak.exe [REPAINTS] [CYCLES]                      the console's window
//   skinsoak_skinbench.exe REPAINTS CYCLES SKIN.skn       the skin bench's window
// (defaults 10000 repaints and 100 cycles)
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "SkinWindows.h"
#include "toolkit/testing/GdiObjectCount.h"

int wmain(int argc, wchar_t** argv) {
    const int repaints = argc > 1 ? _wtoi(argv[1]) : 10000;
    const int cycles = argc > 2 ? _wtoi(argv[2]) : 100;
    const bool bench = argc > 3;
    auto window = bench ? skinbench::OpenSkinBenchWindow(argv[3]) : skinbench::OpenConsoleWindow();
    if (!window) return 1;
    const HWND h = window->Handle();
    // One cycle first, so that what is made once (cached brushes, the
    // controls' skinners made on first show) is in the starting counts; the
    // window count with the skin off is the one every later "off" must meet.
    if (!window->SetSkinActive(false)) return 1;
    const size_t offWindows0 = skinbench::ThreadWindowCount();
    if (!window->SetSkinActive(true)) return 1;
    for (int i = 0; i < 16; ++i) window->Exercise(i);  // every page shown once
    skinbench::PumpUntil([] { return false; }, 300);
    const DWORD gdi0 = GdiObjectCount();
    const size_t win0 = skinbench::ThreadWindowCount();
    using clock = std::chrono::steady_clock;
    const auto t0 = clock::now();
    for (int i = 0; i < repaints; ++i) {
        window->Exercise(i);
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    skinbench::PumpUntil([] { return false; }, 300);
    const DWORD gdi1 = GdiObjectCount();
    const size_t win1 = skinbench::ThreadWindowCount();
    const auto t1 = clock::now();
    int done = 0;
    size_t offWindows1 = offWindows0;
    for (; done < cycles; ++done) {
        if (!window->SetSkinActive(false)) break;
        offWindows1 = skinbench::ThreadWindowCount();
        if (!window->SetSkinActive(true)) break;
    }
    const auto t2 = clock::now();
    skinbench::PumpUntil([] { return false; }, 300);
    const DWORD gdi2 = GdiObjectCount();
    const size_t win2 = skinbench::ThreadWindowCount();
    using ms = std::chrono::duration<double, std::milli>;
    std::printf("%s window\n", bench ? "skin bench" : "console");
    std::printf("repaints %d: %.3f ms each\n", repaints, ms(t1 - t0).count() / (repaints ? repaints : 1));
    std::printf("on/off cycles %d of %d: %.1f ms each (two 250 ms delays included)\n", done, cycles,
                ms(t2 - t1).count() / (done ? done : 1));
    std::printf("GDI objects: %lu before, %lu after the repaints, %lu after the cycles\n", gdi0, gdi1, gdi2);
    std::printf("windows: %zu before, %zu after the repaints, %zu after the cycles\n", win0, win1, win2);
    std::printf("windows with the skin off: %zu first, %zu last\n", offWindows0, offWindows1);
    // "Within a handful": a few objects may come and go with the system.
    const bool grew = gdi1 > gdi0 + 5 || gdi2 > gdi0 + 5 || win1 != win0 || win2 != win0 || offWindows1 != offWindows0;
    return done < cycles || grew ? 1 : 0;
}
