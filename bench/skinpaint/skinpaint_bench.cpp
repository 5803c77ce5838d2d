// Cost of the skin on painting: the console's main window in-process, fully
// repainted (frame, background, every page control) while the skin engine
// draws it, then again after the skin data component is switched off and the
// engine has given every window back. Prints the median of each and their
// ratio (goal: at most 1.5).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "console/Form1.h"
#include "console/SettingsFile.h"
#include "skin/data/win32/Winskindata.h"
#include "skin/paint/win32/Winskindlg.h"
#include "skin/paint/win32/Winskinform.h"
#include "toolkit/Application.h"

namespace {

double NowMs() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

void PumpOnce() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
}

template <class Done>
bool PumpUntil(Done done, double timeoutMs) {
    const double until = NowMs() + timeoutMs;
    while (!done()) {
        if (NowMs() > until) return false;
        PumpOnce();
    }
    return true;
}

bool Skinned(HWND h) { return SendMessageW(h, relayon::skin::CN_IsSkinned, 0, 0) == 1; }

// Median time of one full synchronous repaint of the window and its children.
double RepaintMs(HWND h, int rounds) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        PumpOnce();
        const double start = NowMs();
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        GdiFlush();
        times.push_back(NowMs() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 30;
    // A settings file of its own, so the operator's is not touched.
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring settings = std::wstring(temp) + L"relayon_skinpaint.dat";
    DeleteFileW(settings.c_str());
    relayon::console::SetSettingsPathOverride(settings);

    Application->Initialize();
    relayon::skin::InstallSkinEngine();
    Application->CreateForm(Form1);
    Form1->Show();
    SetForegroundWindow(Form1->Handle());
    const HWND h = Form1->Handle();
    auto fail = [](const char* what) {
        std::fprintf(stderr, "skinpaint_bench: %s\n", what);
        delete Form1;
        Form1 = nullptr;
        relayon::skin::ShutdownSkinEngine();
        return 1;
    };
    if (!PumpUntil([&] { return Skinned(h); }, 5000)) return fail("the engine did not take the window over");
    PumpUntil([] { return false; }, 300);  // deferred skinning of the controls
    const double skinned = RepaintMs(h, rounds);

    Form1->SkinData1->SetActive(false);
    if (!PumpUntil([&] { return !Skinned(h); }, 5000)) return fail("the engine did not give the window back");
    PumpUntil([] { return false; }, 300);
    const double plain = RepaintMs(h, rounds);

    std::printf("full repaint of the console window (median of %d)\n", rounds);
    std::printf("  skinned    %8.2f ms\n  unskinned  %8.2f ms\n  ratio      %8.2f (goal <= 1.50)\n", skinned, plain,
                plain > 0 ? skinned / plain : 0.0);
    delete Form1;
    Form1 = nullptr;
    relayon::skin::ShutdownSkinEngine();
    DeleteFileW(settings.c_str());
    return 0;
}
