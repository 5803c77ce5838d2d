// The yardstick for the console's start-up: a bare Win32 program that builds
// as many plain child controls as the console builds at run time (600), of the
// same kinds and in the same numbers, all sharing one font, then shows its
// window and runs a message loop. Nothing else: no toolkit, no skin, no file.
#include <windows.h>
#include <commctrl.h>

namespace {

// One kind of control and how many of it the console builds.
struct Kind {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
    int count;
    int width, height;
};

// Group boxes 76, panels 7, labels 66, lamps 36, edits 22, check boxes 205,
// buttons 48, time pickers 140: 600 in all.
constexpr Kind kKinds[] = {
    {L"BUTTON", BS_GROUPBOX, 0, 76, 60, 30},
    {L"STATIC", SS_LEFT, 0, 7, 20, 20},
    {L"STATIC", SS_LEFT, 0, 66, 30, 16},
    {L"STATIC", SS_LEFT, 0, 36, 16, 16},
    {L"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 22, 40, 22},
    {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 205, 40, 18},
    {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 48, 40, 24},
    {L"SysDateTimePick32", DTS_TIMEFORMAT, 0, 140, 60, 20},
};

LRESULT CALLBACK MainProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = MainProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"Bare600";
    RegisterClassExW(&wc);

    HWND main = CreateWindowExW(0, L"Bare600", L"Bare 600 controls", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU |
                                WS_MINIMIZEBOX | WS_CLIPCHILDREN, 223, 30, 771, 693, nullptr, nullptr, instance,
                                nullptr);
    HFONT font = CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"MS Sans Serif");

    // A grid of cells over the client area, one control per cell.
    int n = 0;
    for (const Kind& kind : kKinds) {
        for (int i = 0; i < kind.count; ++i, ++n) {
            const int x = 4 + (n % 25) * 30;
            const int y = 4 + (n / 25) * 26;
            HWND child = CreateWindowExW(kind.exStyle, kind.className, L"Text", WS_CHILD | WS_VISIBLE | kind.style,
                                         x, y, kind.width, kind.height, main, nullptr, instance, nullptr);
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        }
    }

    ShowWindow(main, SW_SHOWNORMAL);
    UpdateWindow(main);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DeleteObject(font);
    return 0;
}
