// Skin engine soak: a skinned form with buttons and check boxes repainted
// many times and its skin switched off and on many times; prints the GDI
// object and window counts before and after, and the time per repaint and
// per cycle. Counts that grow mean something the engine made is not freed.
//   skinsoak.exe SKINFILE [REPAINTS] [CYCLES]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "skin/data/win32/Winskindata.h"
#include "skin/paint/win32/Winskindlg.h"
#include "skin/paint/win32/Winskinform.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Form.h"
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

bool Skinned(HWND h) {
    TSkinManage* m = Manager();
    return m && m->FindSkinForm(h) && m->FindSkinForm(h)->FActive;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: skinsoak SKINFILE [REPAINTS] [CYCLES]\n");
        return 2;
    }
    const int repaints = argc > 2 ? _wtoi(argv[2]) : 20000;
    const int cycles = argc > 3 ? _wtoi(argv[3]) : 500;
    std::ifstream in(argv[1], std::ios::binary);
    std::vector<uint8_t> skin((std::istreambuf_iterator<char>(in)), {});
    if (skin.empty()) {
        std::fprintf(stderr, "cannot read the skin\n");
        return 1;
    }
    Application->Initialize();
    RegisterSkinDataClasses();
    InstallSkinEngine();
    TComponent root(nullptr);
    auto* data = new TSkinData(&root);
    data->LoadFromStream(skin);
    data->Loaded();
    data->SetActive(true);

    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 480, 360);
    for (int i = 0; i < 8; ++i) {
        auto* b = new TButton(form.get());
        b->SetParent(form.get());
        b->SetBounds(10, 10 + 32 * i, 100, 26);
        b->SetCaption(L"Button");
        auto* c = new TCheckBox(form.get());
        c->SetParent(form.get());
        c->SetBounds(130, 10 + 32 * i, 120, 22);
        c->SetCaption(L"Check");
    }
    uitest::ShowAndActivate(*form);
    HWND h = form->Handle();
    if (!uitest::PumpUntil([&] { return Skinned(h); }, 3000)) {
        std::fprintf(stderr, "the form was not taken over\n");
        return 1;
    }
    // One cycle first, so that what is made once (cached brushes, the system
    // menu's copy) is in the starting counts.
    data->SetActive(false);
    uitest::PumpUntil([&] { return !Manager()->FindSkinForm(h); }, 3000);
    data->SetActive(true);
    uitest::PumpUntil([&] { return Skinned(h); }, 3000);
    uitest::Pump(100);
    const DWORD gdi0 = GdiObjectCount();
    const size_t win0 = WindowCount();

    auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < repaints; ++i)
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    auto t1 = std::chrono::steady_clock::now();
    for (int i = 0; i < cycles; ++i) {
        data->SetActive(false);
        uitest::PumpUntil([&] { return !Manager()->FindSkinForm(h); }, 3000);
        data->SetActive(true);
        uitest::PumpUntil([&] { return Skinned(h); }, 3000);
    }
    auto t2 = std::chrono::steady_clock::now();
    uitest::Pump(100);
    const DWORD gdi1 = GdiObjectCount();
    using ms = std::chrono::duration<double, std::milli>;
    std::printf("repaints %d: %.3f ms each\n", repaints, ms(t1 - t0).count() / (repaints ? repaints : 1));
    std::printf("on/off cycles %d: %.1f ms each (two 250 ms delays included)\n", cycles,
                ms(t2 - t1).count() / (cycles ? cycles : 1));
    std::printf("GDI objects: %lu before, %lu after\n", gdi0, gdi1);
    std::printf("windows: %zu before, %zu after\n", win0, WindowCount());
    form.reset();
    ShutdownSkinEngine();
    return gdi1 > gdi0 ? 1 : 0;
}
