// Skin engine soak: the console's main window, skinned by its own SkinData1,
// repainted many times, then its skin switched off and on many times; prints
// the GDI object and window counts before and after, and the time per repaint
// and per cycle. Counts that grow mean something the engine made is not freed.
//   skinsoak.exe [REPAINTS] [CYCLES]      (default 10000 and 100)
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "console/Form1.h"
#include "console/SettingsFile.h"
#include "skin/data/win32/Winskindata.h"
#include "skin/paint/win32/Winskindlg.h"
#include "skin/paint/win32/Winskinform.h"
#include "toolkit/Application.h"
#include "toolkit/testing/GdiObjectCount.h"
#include "toolkit/testing/UiDriver.h"

using namespace relayon::skin;

namespace {

size_t WindowCount() {
    size_t n = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM p) -> BOOL {
            ++*reinterpret_cast<size_t*>(p);
            EnumChildWindows(h, [](HWND, LPARAM q) -> BOOL { ++*reinterpret_cast<size_t*>(q); return TRUE; }, p);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&n));
    return n;
}

bool Skinned(HWND h) { return SendMessageW(h, CN_IsSkinned, 0, 0) == 1; }

// Switches the skin off and on again, each time until the engine has let go
// of the window or taken it over (the switch acts after a 250 ms delay).
bool Cycle(HWND h) {
    Form1->SkinData1->SetActive(false);
    if (!uitest::PumpUntil([&] { return !Skinned(h); }, 3000)) return false;
    Form1->SkinData1->SetActive(true);
    return uitest::PumpUntil([&] { return Skinned(h); }, 3000);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int repaints = argc > 1 ? _wtoi(argv[1]) : 10000;
    const int cycles = argc > 2 ? _wtoi(argv[2]) : 100;
    // A settings file of its own, so the operator's is not touched.
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring settings = std::wstring(temp) + L"relayon_skinsoak.dat";
    DeleteFileW(settings.c_str());
    relayon::console::SetSettingsPathOverride(settings);

    Application->Initialize();
    InstallSkinEngine();
    Application->CreateForm(Form1);
    uitest::ShowAndActivate(*Form1);
    const HWND h = Form1->Handle();
    int status = 0;
    if (!uitest::PumpUntil([&] { return Skinned(h); }, 5000)) {
        std::fprintf(stderr, "skinsoak: the console's window was not taken over\n");
        status = 1;
    } else {
        // One cycle first, so that what is made once (cached brushes, the
        // controls' skinners made on first show) is in the starting counts.
        uitest::Pump(300);
        Cycle(h);
        uitest::Pump(300);
        const DWORD gdi0 = GdiObjectCount();
        const size_t win0 = WindowCount();

        const auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < repaints; ++i)
            RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        const auto t1 = std::chrono::steady_clock::now();
        int done = 0;
        while (done < cycles && Cycle(h)) ++done;
        const auto t2 = std::chrono::steady_clock::now();
        uitest::Pump(300);
        const DWORD gdi1 = GdiObjectCount();
        const size_t win1 = WindowCount();

        using ms = std::chrono::duration<double, std::milli>;
        std::printf("repaints %d: %.3f ms each\n", repaints, ms(t1 - t0).count() / (repaints ? repaints : 1));
        std::printf("on/off cycles %d of %d: %.1f ms each (two 250 ms delays included)\n", done, cycles,
                    ms(t2 - t1).count() / (done ? done : 1));
        std::printf("GDI objects: %lu before, %lu after\n", gdi0, gdi1);
        std::printf("windows: %zu before, %zu after\n", win0, win1);
        // "Within a handful": a few objects may come and go with the system.
        if (done < cycles || gdi1 > gdi0 + 5 || win1 != win0) status = 1;
    }
    delete Form1;
    Form1 = nullptr;
    ShutdownSkinEngine();
    DeleteFileW(settings.c_str());
    return status;
}
