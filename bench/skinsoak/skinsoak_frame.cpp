// Skinned frame soak: the skin bench's window with the skin drawing its frame
// (skinbench.exe --frame), its frame repainted many times with the caption
// buttons turning hot and cold between repaints, then its menu bar's first
// menu and its context menu opened and closed many times. Prints the GDI
// object, USER object and window counts before, after the repaints and after
// the openings; counts that grow mean the frame or the menus leak.
//   skinsoak_frame.exe REPAINTS OPENINGS SKIN.skn   (defaults 10000, 1000)
// Exit status 1 when the frame was not taken over, a menu did not open or
// close, or a count grew.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "SkinWindows.h"
#include "skin/paint/win32/SkinMenuBar.h"
#include "skin/paint/win32/Winskindlg.h"
#include "skin/paint/win32/Winskinform.h"
#include "toolkit/testing/GdiObjectCount.h"

using relayon::skin::TWinSkinForm;

namespace {

struct Counts {
    DWORD gdi = 0;
    DWORD user = 0;  // the system's own count; Wine answers 0
    size_t windows = 0;
};

Counts Now() {
    Counts c;
    c.gdi = GdiObjectCount();
    c.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    c.windows = skinbench::ThreadWindowCount();
    return c;
}

// Dispatches what is queued without waiting for more.
void Drain() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

HWND OpenMenuWindow() {
    HWND h = FindWindowW(L"#32768", nullptr);
    return h && IsWindowVisible(h) ? h : nullptr;
}

// Menus shown so far; a thread timer ends every menu's modal loop as soon
// as the menu shows (the timer also runs inside that loop).
int gShown = 0;
void CALLBACK CloseShownMenu(HWND, UINT, UINT_PTR, DWORD) {
    if (!OpenMenuWindow()) return;
    ++gShown;
    EndMenu();
}

POINT ScreenCentre(HWND h, const RECT& windowBounds) {
    RECT wr{};
    GetWindowRect(h, &wr);
    return POINT{wr.left + (windowBounds.left + windowBounds.right) / 2,
                 wr.top + (windowBounds.top + windowBounds.bottom) / 2};
}

// Posts `msg` (which opens a menu) and waits until that menu has shown and
// its modal loop has ended; false after two seconds.
bool OpenAndClose(HWND h, UINT msg, WPARAM w, POINT at) {
    const int before = gShown;
    PostMessageW(h, msg, w, MAKELPARAM(at.x, at.y));
    return skinbench::PumpUntil([&] { return gShown > before && !OpenMenuWindow(); }, 2000);
}

void Print(const char* stage, const Counts& c) {
    std::printf("  %-22s GDI objects %5lu   USER objects %5lu   windows %4zu\n", stage, c.gdi, c.user, c.windows);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: skinsoak_frame.exe REPAINTS OPENINGS SKIN.skn\n");
        return 2;
    }
    const int repaints = _wtoi(argv[1]);
    const int openings = _wtoi(argv[2]);
    auto window = skinbench::OpenSkinBenchWindow(argv[3], true);
    if (!window) return 1;
    const HWND h = window->Handle();
    TWinSkinForm* sf = relayon::skin::Manager()->FindSkinForm(h);
    if (!sf || !sf->menu || sf->menu->Buttons.empty() || sf->SysBtn.empty()) {
        std::fprintf(stderr, "skinsoak_frame: the skin does not draw the frame and menu bar\n");
        return 1;
    }
    // The real pointer stays away from the window, so only the posted moves
    // make caption buttons hot and no menu follows the pointer.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    const UINT_PTR closer = SetTimer(nullptr, 0, 10, CloseShownMenu);
    const POINT bar = ScreenCentre(h, sf->menu->Buttons.front()->bounds);
    const POINT context = ScreenCentre(h, RECT{0, 0, 400, 400});
    // The caption text's middle has no button on it: the hot button goes cold.
    const POINT plainCaption = ScreenCentre(h, sf->ctr);

    // What is hot and which button: step i of the repaints. Counts the moves
    // that left a caption button hot, to show the moves reach the frame.
    int hot = 0;
    auto hover = [&](int i) {
        const size_t n = sf->SysBtn.size();
        const auto& b = sf->SysBtn[static_cast<size_t>(i / 2) % n];
        const POINT at = i % 2 == 0 && b->visible ? ScreenCentre(h, b->bounds) : plainCaption;
        PostMessageW(h, WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(at.x, at.y));
        Drain();
        if (sf->ActiveBtn) ++hot;
    };
    auto repaint = [&](int i) {
        RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        hover(i);
    };
    int failed = 0;
    auto openBoth = [&] {
        if (!OpenAndClose(h, WM_NCLBUTTONDOWN, HTMENU, bar)) ++failed;
        if (!OpenAndClose(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), context)) ++failed;
    };

    // A few of each first, so that what is made once (the menus' windows and
    // item pictures, cached brushes) is in the starting counts.
    for (int i = 0; i < 16; ++i) repaint(i);
    for (int i = 0; i < 3; ++i) openBoth();
    skinbench::PumpUntil([] { return false; }, 300);
    failed = 0;
    hot = 0;
    const Counts c0 = Now();
    using clock = std::chrono::steady_clock;
    const auto t0 = clock::now();
    for (int i = 0; i < repaints; ++i) repaint(i);
    const auto t1 = clock::now();
    skinbench::PumpUntil([] { return false; }, 300);
    const Counts c1 = Now();
    const auto t2 = clock::now();
    for (int i = 0; i < openings; ++i) openBoth();
    const auto t3 = clock::now();
    skinbench::PumpUntil([] { return false; }, 300);
    const Counts c2 = Now();
    KillTimer(nullptr, closer);

    using ms = std::chrono::duration<double, std::milli>;
    std::printf("skin bench window, frame drawn by the skin\n");
    std::printf("frame repaints %d (caption buttons hot and cold between them, %d hot): %.3f ms each\n", repaints,
                hot, ms(t1 - t0).count() / (repaints ? repaints : 1));
    std::printf("menu openings %d (menu bar and context menu each): %.1f ms per pair, %d did not open or close\n",
                openings, ms(t3 - t2).count() / (openings ? openings : 1), failed);
    Print("before", c0);
    Print("after the repaints", c1);
    Print("after the openings", c2);
    // "Within a handful": a few GDI objects may come and go with the system
    // (its own caches of fonts and brushes); windows and USER objects must
    // come back exactly.
    auto grew = [&](const Counts& c) { return c.gdi > c0.gdi + 5 || c.user > c0.user || c.windows != c0.windows; };
    return failed || grew(c1) || grew(c2) ? 1 : 0;
}
