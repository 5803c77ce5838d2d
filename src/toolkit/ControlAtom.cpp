#include "toolkit/ControlAtom.h"

#include <cstdio>

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

TWinControl* FindControl(HWND window) {
    if (!window || !IsWindow(window)) return nullptr;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != GetCurrentProcessId()) return nullptr;
    return static_cast<TWinControl*>(GetPropW(window, MAKEINTATOM(ControlAtom())));
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

void BindControl(HWND window, TWinControl* control) { SetPropW(window, MAKEINTATOM(ControlAtom()), control); }

void UnbindControl(HWND window) { RemovePropW(window, MAKEINTATOM(ControlAtom())); }
