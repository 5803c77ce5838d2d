#pragma once
// THintWindow: the small popup that shows a hint next to the pointer. A
// window of class "THintWindow" with a 1-pixel border, painted in the
// system's info-tip colours with the status font; it never takes the focus
// and lets the mouse through to what lies under it. The window is made when
// a hint is first shown and destroyed by ReleaseHandle.
#include <windows.h>

#include <string>

#include "toolkit/GdiObject.h"
#include "toolkit/core/Object.h"

class THintWindow : public TObject {
public:
    THintWindow();
    ~THintWindow() override;
    THintWindow(const THintWindow&) = delete;
    THintWindow& operator=(const THintWindow&) = delete;

    // The rectangle, from (0, 0), that shows `text` with lines broken at
    // words to fit `maxWidth` pixels of text, border and margins included.
    RECT CalcHintRect(int maxWidth, const std::wstring& text);
    // Shows `text` in `rect` (screen coordinates), above other windows,
    // without activating anything.
    void ActivateHint(const RECT& rect, const std::wstring& text);
    // Hides the hint by destroying its window.
    void ReleaseHandle();

    HWND Handle() const { return handle_; }
    const std::wstring& Caption() const { return text_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnPaint();
    LRESULT OnEraseBackground(HDC dc);
    void CreateHandle();

    HWND handle_ = nullptr;
    std::wstring text_;
    GdiObject<HFONT> font_;
};
