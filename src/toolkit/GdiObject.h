#pragma once
// RAII owners and guards for GDI objects and device contexts.
//  GdiObject<H>  owns one HGDIOBJ (HBITMAP, HBRUSH, HPEN, HFONT, HRGN ...) and
//                deletes it exactly once; move-only.
//  SelectGuard   selects an object into a DC and puts the previous one back.
//  ScreenDC      GetDC(nullptr) released by scope.
//  WindowDC      GetDC(hwnd) (client area) released by scope.
//  WindowFrameDC GetWindowDC(hwnd) (whole window) released by scope.
//  MemoryDC      CreateCompatibleDC deleted by scope.
#include <windows.h>

#include <utility>



template <class H>
class GdiObject {
public:
    explicit GdiObject(H h = nullptr) noexcept : h_(h) {}
    GdiObject(GdiObject&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) reset(std::exchange(other.h_, nullptr));
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() { reset(); }

    H get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != nullptr; }
    // Deletes the current object (if any) and takes ownership of `h`.
    void reset(H h = nullptr) noexcept {
        if (h_ && h_ != h) DeleteObject(h_);
        h_ = h;
    }
    // Gives up ownership without deleting.
    [[nodiscard]] H release() noexcept { return std::exchange(h_, nullptr); }

private:
    H h_;
};

class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

class WindowDC {
public:
    explicit WindowDC(HWND hwnd) noexcept : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    HDC get() const noexcept { return dc_; }
    operator HDC() const noexcept { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

class ScreenDC : public WindowDC {
public:
    ScreenDC() noexcept : WindowDC(nullptr) {}
};

class WindowFrameDC {
public:
    explicit WindowFrameDC(HWND hwnd) noexcept : hwnd_(hwnd), dc_(GetWindowDC(hwnd)) {}
    WindowFrameDC(const WindowFrameDC&) = delete;
    WindowFrameDC& operator=(const WindowFrameDC&) = delete;
    ~WindowFrameDC() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    HDC get() const noexcept { return dc_; }
    operator HDC() const noexcept { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith = nullptr) noexcept : dc_(CreateCompatibleDC(compatibleWith)) {}
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    ~MemoryDC() {
        if (dc_) DeleteDC(dc_);
    }
    HDC get() const noexcept { return dc_; }
    operator HDC() const noexcept { return dc_; }

private:
    HDC dc_;
};


