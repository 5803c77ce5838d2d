#include "PixelCapture.h"

#include "toolkit/Bitmap.h"

namespace skintest {

std::vector<uint32_t> CapturePixels(HDC source, const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (!source || w <= 0 || h <= 0) return {};
    HDC mem = CreateCompatibleDC(source);
    HBITMAP bmp = CreateCompatibleBitmap(source, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, source, r.left, r.top, SRCCOPY);
    SelectObject(mem, old);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint32_t> px(static_cast<size_t>(w) * h);
    GetDIBits(mem, bmp, 0, h, px.data(), &bi, DIB_RGB_COLORS);
    DeleteObject(bmp);
    DeleteDC(mem);
    return px;
}

std::vector<uint32_t> WindowPixels(HWND h) {
    RECT wr{};
    GetWindowRect(h, &wr);
    HDC dc = GetWindowDC(h);
    std::vector<uint32_t> px = CapturePixels(dc, RECT{0, 0, wr.right - wr.left, wr.bottom - wr.top});
    ReleaseDC(h, dc);
    return px;
}

COLORREF ClientPixel(HWND h, int x, int y) {
    HDC dc = GetDC(h);
    const COLORREF p = GetPixel(dc, x, y);
    ReleaseDC(h, dc);
    return p;
}

COLORREF WindowPixel(HWND h, int x, int y) {
    HDC dc = GetWindowDC(h);
    const COLORREF p = GetPixel(dc, x, y);
    ReleaseDC(h, dc);
    return p;
}

std::vector<COLORREF> WindowColours(HWND h, const RECT& r) {
    HDC dc = GetWindowDC(h);
    const std::vector<uint32_t> px = CapturePixels(dc, r);
    ReleaseDC(h, dc);
    std::vector<COLORREF> out(px.size());
    for (size_t i = 0; i < px.size(); ++i) out[i] = RGB((px[i] >> 16) & 0xFF, (px[i] >> 8) & 0xFF, px[i] & 0xFF);
    return out;
}

int CellMismatches(HWND h, const RECT& at, TBitmap& strip, int cells, int cell) {
    const int w = strip.Width() / cells, ht = strip.Height();
    const std::vector<COLORREF> shown = WindowColours(h, RECT{at.left, at.top, at.left + w, at.top + ht});
    if (shown.empty()) return -1;
    HDC src = strip.Canvas().Handle();
    int opaque = 0, wrong = 0;
    for (int y = 0; y < ht; ++y)
        for (int x = 0; x < w; ++x) {
            const COLORREF c = GetPixel(src, (cell - 1) * w + x, y);
            if (c == RGB(255, 0, 255)) continue;
            ++opaque;
            wrong += shown[static_cast<size_t>(y) * w + x] != c;
        }
    return opaque ? wrong : -1;
}

}  // namespace skintest
