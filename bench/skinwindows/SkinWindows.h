#pragma once
// The windows the skin benchmarks draw, each in a process of its own: the
// console's main window skinned by its own SkinData1, or the skin bench's
// control window skinned from a skin file.
#include <windows.h>

#include <memory>
#include <string>

namespace skinbench {

class BenchWindow {
public:
    virtual ~BenchWindow() = default;
    virtual HWND Handle() const = 0;
    // Switches the skin and waits until the engine has taken the window over
    // or given it back (the switch acts after a short delay); false on timeout.
    virtual bool SetSkinActive(bool active) = 0;
    // Step `i` of using the window between repaints: scrolling, page switching.
    virtual void Exercise(int i) {}
    bool Skinned() const;
};

// Null with a message on stderr when the window could not be opened and skinned.
// `frame`: the skin draws the frame, menu bar and menus too (skinbench.exe
// --frame); otherwise the frame stays the system's, as in the console.
std::unique_ptr<BenchWindow> OpenConsoleWindow();
std::unique_ptr<BenchWindow> OpenSkinBenchWindow(const std::wstring& skinFile, bool frame = false);

// Pumps messages for about one millisecond.
void PumpOnce();
// Pumps until `done` holds or `timeoutMs` passed; answers whether it holds.
template <class Done>
bool PumpUntil(Done done, double timeoutMs);
double NowMs();
// Windows of this thread, top-level and children.
size_t ThreadWindowCount();

template <class Done>
bool PumpUntil(Done done, double timeoutMs) {
    const double until = NowMs() + timeoutMs;
    while (!done()) {
        if (NowMs() > until) return false;
        PumpOnce();
    }
    return true;
}

}  // namespace skinbench
