#include "toolkit/testing/UiDriver.h"

#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace uitest {

void Pump(int ms) {
    DWORD start = GetTickCount();
    do {
        Application->ProcessMessages();
        Sleep(1);
    } while (static_cast<int>(GetTickCount() - start) < ms);
    Application->ProcessMessages();
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (static_cast<int>(GetTickCount() - start) >= timeoutMs) return done();
        Application->ProcessMessages();
        Sleep(1);
    }
    return true;
}

void ShowAndActivate(TForm& form) {
    form.Show();
    SetForegroundWindow(form.Handle());
    SetActiveWindow(form.Handle());
    UpdateWindow(form.Handle());
    Pump(50);
}

POINT ScreenCentre(TControl& control) {
    POINT p{control.Width() / 2, control.Height() / 2};
    if (auto* win = dynamic_cast<TWinControl*>(&control); win && win->HandleAllocated()) {
        RECT r;
        GetWindowRect(win->Handle(), &r);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    return control.ClientToScreen(p);
}

namespace {
void SendMouse(DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof in);
}

void SendKey(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}
}  // namespace

void ClickAt(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    Pump(10);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    Pump(10);
    SendMouse(MOUSEEVENTF_LEFTUP);
    Pump(30);
}

void Click(TControl& control) { ClickAt(ScreenCentre(control)); }

void PostClick(TControl& control) {
    TControl* target = &control;
    POINT local{control.Width() / 2, control.Height() / 2};
    while (target && !dynamic_cast<TWinControl*>(target)) {
        local.x += target->Left();
        local.y += target->Top();
        target = target->Parent();
    }
    if (!target) return;
    HWND window = static_cast<TWinControl*>(target)->Handle();
    LPARAM at = MAKELPARAM(local.x, local.y);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window, WM_LBUTTONUP, 0, at);
    Pump(30);
}

void PressKey(WORD virtualKey, bool shift) {
    if (shift) SendKey(VK_SHIFT, false);
    SendKey(virtualKey, false);
    SendKey(virtualKey, true);
    if (shift) SendKey(VK_SHIFT, true);
    Pump(30);
}

void TypeText(const std::wstring& text) {
    for (wchar_t c : text) {
        INPUT in[2]{};
        in[0].type = INPUT_KEYBOARD;
        in[0].ki.wScan = c;
        in[0].ki.dwFlags = KEYEVENTF_UNICODE;
        in[1] = in[0];
        in[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof in[0]);
        Pump(5);
    }
    Pump(20);
}

void Tab(bool backwards) { PressKey(VK_TAB, backwards); }

std::wstring WindowText(HWND window) {
    int n = GetWindowTextLengthW(window);
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    int got = GetWindowTextW(window, s.data(), n + 1);
    s.resize(static_cast<size_t>(got > 0 ? got : 0));
    return s;
}

std::wstring CaptionOf(TControl& control) {
    if (auto* win = dynamic_cast<TWinControl*>(&control); win && win->HandleAllocated())
        return WindowText(win->Handle());
    return control.Caption();
}

}  // namespace uitest
