#include "toolkit/ControlAtom.h"

#include <cstdio>
#include <mutex>
#include <unordered_map>

#include "toolkit/ModuleInstance.h"

const std::wstring& ControlAtomName() {
    static const std::wstring name = [] {
        wchar_t buf[64];
        auto instance = static_cast<unsigned>(reinterpret_cast<uintptr_t>(ModuleInstance()) & 0xFFFFFFFFu);
        swprintf(buf, 64, L"ControlOfs%08X%08X", instance, static_cast<unsigned>(GetCurrentThreadId()));
        return std::wstring(buf);
    }();
    return name;
}

ATOM ControlAtom() {
    static const ATOM atom = GlobalAddAtomW(ControlAtomName().c_str());
    return atom;
}

UINT RM_GetObjectInstance() {
    static const UINT msg = RegisterWindowMessageW(ControlAtomName().c_str());
    return msg;
}

namespace {

// The windows this module bound, for lookups that need no trip to the window
// system: every message to a toolkit window and every reflected notification
// starts with one (a window property read is a server request under Wine).
// The property stays on the window for everyone outside.
struct BoundWindows {
    std::mutex lock;
    std::unordered_map<HWND, TWinControl*> controls;
};

BoundWindows& Bound() {
    static BoundWindows bound;
    return bound;
}

}  // namespace

TWinControl* FindControl(HWND window) {
    if (!window) return nullptr;
    BoundWindows& bound = Bound();
    std::lock_guard<std::mutex> guard(bound.lock);
    auto it = bound.controls.find(window);
    return it == bound.controls.end() ? nullptr : it->second;
}

TWinControl* FindControlOrAncestor(HWND window) {
    while (window) {
        if (TWinControl* c = FindControl(window)) return c;
        if (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)
            window = GetParent(window);
        else
            break;
    }
    return nullptr;
}

void BindControl(HWND window, TWinControl* control) {
    SetPropW(window, MAKEINTATOM(ControlAtom()), control);
    BoundWindows& bound = Bound();
    std::lock_guard<std::mutex> guard(bound.lock);
    bound.controls[window] = control;
}

void UnbindControl(HWND window) {
    RemovePropW(window, MAKEINTATOM(ControlAtom()));
    BoundWindows& bound = Bound();
    std::lock_guard<std::mutex> guard(bound.lock);
    bound.controls.erase(window);
}
