#include "toolkit/Timer.h"

#include <windows.h>

#include <map>
#include <stdexcept>

#include "toolkit/Application.h"
#include "toolkit/ModuleInstance.h"

namespace {

std::map<UINT_PTR, TTimer*>& Timers() {
    static std::map<UINT_PTR, TTimer*> timers;
    return timers;
}

LRESULT CALLBACK TimerWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER) {
        auto it = Timers().find(wParam);
        if (it != Timers().end()) {
            try {
                it->second->Timer();
            } catch (...) {
                Application->HandleException(it->second);
            }
        }
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

// One hidden message-only window carries every timer of the thread.
HWND TimerWindow() {
    static HWND window = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = TimerWindowProc;
        wc.hInstance = ModuleInstance();
        wc.lpszClassName = L"TPUtilWindow";
        RegisterClassExW(&wc);
        return CreateWindowExW(0, L"TPUtilWindow", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ModuleInstance(),
                               nullptr);
    }();
    return window;
}

unsigned NextTimerId() {
    static unsigned next = 1;
    return next++;
}

}  // namespace

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {}

TTimer::~TTimer() {
    enabled_ = false;
    if (id_) {
        KillTimer(TimerWindow(), id_);
        Timers().erase(id_);
    }
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned ms) {
    if (ms == interval_) return;
    interval_ = ms;
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    if (id_) {
        KillTimer(TimerWindow(), id_);
        Timers().erase(id_);
        id_ = 0;
    }
    if (!enabled_ || interval_ == 0 || IsLoading() || IsDestroying()) return;
    unsigned id = NextTimerId();
    if (!SetTimer(TimerWindow(), id, interval_, nullptr)) throw std::runtime_error("Not enough timers available");
    id_ = id;
    Timers()[id] = this;
}

void TTimer::Timer() {
    if (enabled_ && OnTimer) OnTimer(this);
}
