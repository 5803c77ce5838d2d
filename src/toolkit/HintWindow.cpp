#include "toolkit/HintWindow.h"

#include "toolkit/ModuleInstance.h"

namespace {

constexpr wchar_t kClassName[] = L"THintWindow";
// Space between the border and the text.
constexpr int kMarginX = 2, kMarginY = 1;
constexpr UINT kTextFormat = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;

void RegisterHintClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        // Saving the pixels under the popup spares the windows below a repaint.
        wc.style = CS_SAVEBITS;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = ModuleInstance();
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    (void)registered;
}

HFONT StatusFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return nullptr;
    return CreateFontIndirectW(&metrics.lfStatusFont);
}

}  // namespace

THintWindow::THintWindow() : font_(StatusFont()) {}

THintWindow::~THintWindow() { ReleaseHandle(); }

RECT THintWindow::CalcHintRect(int maxWidth, const std::wstring& text) {
    RECT r{0, 0, maxWidth > 0 ? maxWidth : 1, 0};
    MemoryDC dc;
    if (dc.get()) {
        SelectGuard font(dc.get(), font_ ? font_.get() : GetStockObject(DEFAULT_GUI_FONT));
        DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &r, kTextFormat | DT_CALCRECT);
    }
    // Border and margins on every side.
    r.right += 2 * (1 + kMarginX);
    r.bottom += 2 * (1 + kMarginY);
    return r;
}

void THintWindow::CreateHandle() {
    RegisterHintClass();
    handle_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kClassName, L"",
                              WS_POPUP | WS_BORDER, 0, 0, 0, 0, nullptr, nullptr, ModuleInstance(), nullptr);
    if (!handle_) return;
    SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&THintWindow::WindowProc));
}

void THintWindow::ActivateHint(const RECT& rect, const std::wstring& text) {
    text_ = text;
    if (!handle_) CreateHandle();
    if (!handle_) return;
    SetWindowTextW(handle_, text.c_str());
    SetWindowPos(handle_, HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(handle_, nullptr, TRUE);
    UpdateWindow(handle_);
}

void THintWindow::ReleaseHandle() {
    if (!handle_) return;
    HWND window = handle_;
    handle_ = nullptr;
    DestroyWindow(window);
}

LRESULT CALLBACK THintWindow::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<THintWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || self->handle_ != window) return DefWindowProcW(window, msg, wParam, lParam);
    // Nothing thrown while painting may cross into the system's dispatcher.
    try {
        return self->Dispatch(msg, wParam, lParam);
    } catch (...) {
        return DefWindowProcW(window, msg, wParam, lParam);
    }
}

LRESULT THintWindow::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return OnEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    default: return DefWindowProcW(handle_, msg, wParam, lParam);
    }
}

LRESULT THintWindow::OnEraseBackground(HDC dc) {
    RECT client{};
    GetClientRect(handle_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_INFOBK));
    return 1;
}

void THintWindow::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(handle_, &ps);
    if (!dc) return;
    RECT r{};
    GetClientRect(handle_, &r);
    InflateRect(&r, -kMarginX, -kMarginY);
    {
        SelectGuard font(dc, font_ ? font_.get() : GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
        DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &r, kTextFormat);
    }
    EndPaint(handle_, &ps);
}
