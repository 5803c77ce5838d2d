#include "SkinTestSupport.h"

#include <fstream>
#include <iterator>

#include "PixelCapture.h"
#include "toolkit/Application.h"
#include "toolkit/testing/UiDriver.h"

using namespace relayon::skin;

namespace skintest {

const std::vector<uint8_t>& LightSkin() {
    static const std::vector<uint8_t> bytes = [] {
        std::string path = std::string("Z:") + RELAYON_TEST_SKIN;
        for (char& c : path)
            if (c == '/') c = '\\';
        std::ifstream in(path, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    }();
    return bytes;
}

TSkinData* MakeSkinData(TComponent* owner, TSkinFormType type, bool active) {
    auto* d = new TSkinData(owner);
    d->SetSkinFormtype(type);
    d->LoadFromStream(LightSkin());
    d->Loaded();
    d->SetActive(active);
    return d;
}

void EngineTest::SetUp() {
    ASSERT_FALSE(LightSkin().empty()) << "build the native tree's relayon_skins first";
    Application->Initialize();
    RegisterSkinDataClasses();
    InstallSkinEngine();
    root_ = std::make_unique<TComponent>(nullptr);
}

void EngineTest::TearDown() {
    ShutdownSkinEngine();
    root_.reset();
}

std::unique_ptr<TForm> ShowForm(int width, int height) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, width, height);
    form->SetCaption(L"Skinned");
    uitest::ShowAndActivate(*form);
    return form;
}

namespace {
INT_PTR CALLBACK PlainDialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

LRESULT CALLBACK PlainWindowProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcW(h, m, w, l); }
}  // namespace

HWND MakeDialog(HINSTANCE instance, HWND owner, DWORD extraStyle) {
    alignas(4) WORD buf[64] = {};
    auto* t = reinterpret_cast<DLGTEMPLATE*>(buf);
    t->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | extraStyle;
    t->cx = 160;
    t->cy = 80;
    // No menu, default class, empty title (three zero words after the header).
    HWND h = CreateDialogIndirectParamW(instance, t, owner, PlainDialogProc, 0);
    if (h) ShowWindow(h, SW_SHOWNOACTIVATE);
    return h;
}

HWND MakeWindow(const wchar_t* className, HINSTANCE instance, int width, int height, DWORD style) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = PlainWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = className;
    RegisterClassW(&wc);
    HWND h = CreateWindowExW(0, className, L"plain", style, 50, 50, width, height, nullptr, nullptr, instance, nullptr);
    if (h && width && height) ShowWindow(h, SW_SHOWNOACTIVATE);
    return h;
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) { return uitest::PumpUntil(done, timeoutMs); }
void Pump(int ms) { uitest::Pump(ms); }

WNDPROC ProcOf(HWND h) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC)); }

size_t WindowCount() {
    size_t n = 0;
    EnumWindows(
        [](HWND h, LPARAM p) -> BOOL {
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            if (pid != GetCurrentProcessId()) return TRUE;
            auto* count = reinterpret_cast<size_t*>(p);
            ++*count;
            EnumChildWindows(h, [](HWND, LPARAM q) -> BOOL { ++*reinterpret_cast<size_t*>(q); return TRUE; }, p);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&n));
    return n;
}

void MoveMouseTo(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &in, sizeof in);
    Pump(60);
}

void MouseButton(bool down) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof in);
    Pump(80);
}

std::vector<uint32_t> Snapshot(HWND h) {
    RECT r{};
    GetClientRect(h, &r);
    HDC dc = GetDC(h);
    std::vector<uint32_t> px = CapturePixels(dc, r);
    ReleaseDC(h, dc);
    return px;
}

}  // namespace skintest
