#include "toolkit/ObjectInstance.h"

#include <array>
#include <stdexcept>
#include <utility>

#include "toolkit/Application.h"

namespace {

struct Slot {
    TWndMethod method;
    bool used = false;
};

std::array<Slot, kObjectInstanceSlots>& Slots() {
    static std::array<Slot, kObjectInstanceSlots> slots;
    return slots;
}

thread_local HWND gCurrentWindow = nullptr;

template <int I>
LRESULT CALLBACK SlotProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage message{msg, wParam, lParam, 0};
    HWND saved = gCurrentWindow;
    gCurrentWindow = window;
    try {
        TWndMethod method = Slots()[I].method;
        if (method)
            method(message);
        else
            message.Result = DefWindowProcW(window, msg, wParam, lParam);
    } catch (...) {
        Application->HandleException(nullptr);
    }
    gCurrentWindow = saved;
    return message.Result;
}

template <int... I>
constexpr std::array<WNDPROC, sizeof...(I)> MakeProcs(std::integer_sequence<int, I...>) {
    return {&SlotProc<I>...};
}

const std::array<WNDPROC, kObjectInstanceSlots> kProcs = MakeProcs(std::make_integer_sequence<int, kObjectInstanceSlots>());

}  // namespace

WNDPROC MakeObjectInstance(TWndMethod method) {
    for (int i = 0; i < kObjectInstanceSlots; ++i) {
        Slot& slot = Slots()[static_cast<size_t>(i)];
        if (!slot.used) {
            slot.used = true;
            slot.method = method;
            return kProcs[static_cast<size_t>(i)];
        }
    }
    throw std::runtime_error("Out of window procedure slots");
}

void FreeObjectInstance(WNDPROC procedure) {
    for (int i = 0; i < kObjectInstanceSlots; ++i)
        if (kProcs[static_cast<size_t>(i)] == procedure) {
            Slots()[static_cast<size_t>(i)] = Slot{};
            return;
        }
}

HWND ObjectInstanceWindow() { return gCurrentWindow; }
