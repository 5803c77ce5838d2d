// Cost of the skinned frame: the skin bench's window with the skin drawing
// its frame (skinbench.exe --frame: borders, caption bar and buttons, menu
// bar), the frame alone repainted, against the same window given back to
// the system's frame. The two sides take turns in passes, so both meet the
// same state of the Wine session; the medians over all passes and their
// ratio are printed (goal: at most 1.5).
//   skinpaint_frame.exe ROUNDS SKIN.skn [PASSES] [parts]
//     ROUNDS repaints per side and pass; 6 passes. "parts" also times each
//     part of the skinned frame on its own (borders, caption bar, menu bar).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "SkinWindows.h"
#include "skin/paint/win32/SkinMenuBar.h"
#include "skin/paint/win32/Winskindlg.h"
#include "skin/paint/win32/Winskinform.h"

namespace {

// The window's frame as a region in client coordinates: the whole window
// less the client area. Invalidated with RDW_FRAME it repaints the frame
// and nothing of the client area or the children.
HRGN FrameRegion(HWND h) {
    RECT wr{}, cr{};
    GetWindowRect(h, &wr);
    GetClientRect(h, &cr);
    POINT origin{0, 0};
    ClientToScreen(h, &origin);
    HRGN frame = CreateRectRgn(wr.left - origin.x, wr.top - origin.y, wr.right - origin.x, wr.bottom - origin.y);
    HRGN client = CreateRectRgnIndirect(&cr);
    CombineRgn(frame, frame, client, RGN_DIFF);
    DeleteObject(client);
    return frame;
}

// Times of `rounds` synchronous repaints of the frame, added to `times`.
// False when the repaint also reached the client area (the measure would
// not be the frame's alone).
bool RepaintFrame(HWND h, int rounds, std::vector<double>& times) {
    HRGN frame = FrameRegion(h);
    skinbench::PumpUntil([] { return false; }, 100);
    RedrawWindow(h, nullptr, frame, RDW_FRAME | RDW_INVALIDATE);
    RECT update{};
    const bool frameOnly = !GetUpdateRect(h, &update, FALSE) || IsRectEmpty(&update);
    UpdateWindow(h);
    for (int i = 0; i < rounds; ++i) {
        skinbench::PumpOnce();
        const double start = skinbench::NowMs();
        RedrawWindow(h, nullptr, frame, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        GdiFlush();
        times.push_back(skinbench::NowMs() - start);
    }
    DeleteObject(frame);
    return frameOnly;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

// Median time of each part of the skinned frame painted on its own into the
// window's DC (from the kept pictures where the frame keeps them), for
// finding what makes the frame expensive.
void PrintPartTimes(HWND h, int rounds) {
    using relayon::skin::TWinSkinForm;
    TWinSkinForm* sf = relayon::skin::Manager()->FindSkinForm(h);
    if (!sf) return;
    HDC dc = GetWindowDC(h);
    RECT wr{};
    GetWindowRect(h, &wr);
    const int w = wr.right - wr.left, ht = wr.bottom - wr.top;
    const RECT band{sf->bw.left, sf->bw.top, w - sf->bw.right, sf->bw.top + sf->MenuHeight};
    auto time = [&](const char* what, auto paint) {
        std::vector<double> times;
        for (int i = 0; i < rounds; ++i) {
            const double start = skinbench::NowMs();
            paint();
            GdiFlush();
            times.push_back(skinbench::NowMs() - start);
        }
        std::printf("  %-26s %8.3f ms\n", what, Median(times));
    };
    std::printf("parts of the skinned frame (median of %d)\n", rounds);
    time("whole frame", [&] { sf->UpdateNc(dc); });
    time("left border", [&] { sf->Drawborder(1, RECT{0, 0, sf->bw.left, ht}, dc); });
    time("right border", [&] { sf->Drawborder(2, RECT{w - sf->bw.right, 0, w, ht}, dc); });
    time("bottom border", [&] { sf->Drawborder(4, RECT{sf->bw.left, ht - sf->bw.bottom, w - sf->bw.right, ht}, dc); });
    time("caption bar", [&] { sf->DrawFLine(dc); });
    // The bar drawing the band itself, as when what it shows changed.
    if (sf->menu) time("menu bar (drawn anew)", [&] { sf->menu->DrawMenu(dc, band); });
    ReleaseDC(h, dc);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: skinpaint_frame.exe ROUNDS SKIN.skn [PASSES]\n");
        return 2;
    }
    const int rounds = std::max(1, _wtoi(argv[1]));
    const int passes = argc > 3 ? std::max(1, _wtoi(argv[3])) : 6;
    const bool parts = argc > 4 && std::wstring(argv[4]) == L"parts";
    auto window = skinbench::OpenSkinBenchWindow(argv[2], true);
    if (!window) return 1;
    const HWND h = window->Handle();
    std::vector<double> skinned, plain;
    bool frameOnly = true;
    for (int pass = 0; pass < passes; ++pass) {
        if (!window->SetSkinActive(true)) {
            std::fprintf(stderr, "skinpaint_frame: the engine did not take the window over again\n");
            return 1;
        }
        frameOnly &= RepaintFrame(h, rounds, skinned);
        if (parts && pass == 0) PrintPartTimes(h, rounds);
        if (!window->SetSkinActive(false)) {
            std::fprintf(stderr, "skinpaint_frame: the engine did not give the window back\n");
            return 1;
        }
        frameOnly &= RepaintFrame(h, rounds, plain);
    }
    if (!frameOnly) std::printf("  (the frame's repaint also invalidated the client area)\n");
    const double s = Median(skinned), p = Median(plain);
    std::printf("frame repaint of the skin bench window (median of %d, %d passes alternating)\n", rounds * passes,
                passes);
    std::printf("  skinned frame  %8.3f ms\n  system frame   %8.3f ms\n  ratio          %8.2f (goal <= 1.50)\n", s, p,
                p > 0 ? s / p : 0.0);
    return 0;
}
