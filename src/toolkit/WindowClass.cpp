// Window classes of the toolkit and the one window procedure they share.
#include <map>
#include <stdexcept>

#include "toolkit/Application.h"
#include "toolkit/ControlAtom.h"
#include "toolkit/ModuleInstance.h"
#include "toolkit/WinControl.h"

namespace {

struct ClassEntry {
    WNDPROC defaultProc;
};

std::map<std::wstring, ClassEntry>& Classes() {
    static std::map<std::wstring, ClassEntry> classes;
    return classes;
}

// The control whose CreateWindowEx is running: the first messages of a new
// window (WM_NCCREATE, WM_GETMINMAXINFO ...) arrive before the property is set.
thread_local TWinControl* gCreatingControl = nullptr;

WNDPROC DefaultProcOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    auto it = Classes().find(name);
    return it == Classes().end() ? DefWindowProcW : it->second.defaultProc;
}

}  // namespace

void SetCreatingControl(TWinControl* control) { gCreatingControl = control; }

WNDPROC RegisterToolkitClass(const std::wstring& className, const std::wstring& systemClass, UINT classStyle) {
    auto it = Classes().find(className);
    if (it != Classes().end()) return it->second.defaultProc;

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    WNDPROC defaultProc = DefWindowProcW;
    if (!systemClass.empty()) {
        if (!GetClassInfoExW(nullptr, systemClass.c_str(), &wc)) {
            std::string narrow(systemClass.begin(), systemClass.end());
            throw std::runtime_error("System window class " + narrow + " is not available");
        }
        defaultProc = wc.lpfnWndProc;
        wc.cbSize = sizeof wc;
        // Superclass: the system class's extra bytes and styles, our name and procedure.
        wc.style &= ~CS_GLOBALCLASS;
    } else {
        wc.style = classStyle;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = nullptr;
    }
    wc.lpfnWndProc = ToolkitWindowProc;
    wc.hInstance = ModuleInstance();
    wc.lpszClassName = className.c_str();
    wc.lpszMenuName = nullptr;
    if (!RegisterClassExW(&wc)) {
        // Another copy registered it first (e.g. a second module); reuse it.
        WNDCLASSEXW existing{};
        existing.cbSize = sizeof existing;
        if (!GetClassInfoExW(ModuleInstance(), className.c_str(), &existing)) {
            std::string narrow(className.begin(), className.end());
            throw std::runtime_error("Cannot register window class " + narrow);
        }
    }
    Classes()[className] = ClassEntry{defaultProc};
    return defaultProc;
}

LRESULT CALLBACK ToolkitWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = FindControl(window);
    if (!control && gCreatingControl) {
        control = gCreatingControl;
        gCreatingControl = nullptr;
        control->AttachHandle(window);
    }
    if (!control) return CallWindowProcW(DefaultProcOf(window), window, msg, wParam, lParam);

    TMessage message{msg, wParam, lParam, 0};
    // No exception may cross the system's window procedure.
    try {
        if (control->WindowProc)
            control->WindowProc(message);
        else
            control->WndProc(message);
    } catch (...) {
        Application->HandleException(control);
    }
    if (msg == WM_NCDESTROY) control->DetachHandle();
    return message.Result;
}
