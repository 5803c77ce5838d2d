#include "toolkit/Canvas.h"

#include "toolkit/Bitmap.h"

TCanvas::TCanvas() {
    pen_.OnChange = TNotifyEvent(this, &TCanvas::PenChanged);
    brush_.OnChange = TNotifyEvent(this, &TCanvas::BrushChanged);
    font_.OnChange = TNotifyEvent(this, &TCanvas::FontChanged);
}

TCanvas::TCanvas(HDC borrowed) : TCanvas() { SetHandle(borrowed); }

TCanvas::~TCanvas() { FreeHandle(); }

void TCanvas::FreeHandle() {
    // Selections go back before the DC goes; reverse order of selection.
    fontSelection_.reset();
    brushSelection_.reset();
    penSelection_.reset();
    HDC dc = std::exchange(dc_, nullptr);
    if (!dc) return;
    if (ownership_ == Ownership::Deleted) DeleteDC(dc);
    else if (ownership_ == Ownership::Released) ReleaseDC(window_, dc);
    ownership_ = Ownership::Borrowed;
    window_ = nullptr;
}

void TCanvas::Attach(HDC dc, Ownership ownership, HWND window) {
    if (dc == dc_ && ownership == ownership_) return;
    FreeHandle();
    dc_ = dc;
    ownership_ = dc ? ownership : Ownership::Borrowed;
    window_ = window;
    if (dc_) {
        POINT pos{};
        GetCurrentPositionEx(dc_, &pos);
        penPos_ = pos;
    }
}

void TCanvas::SetHandle(HDC dc) { Attach(dc, Ownership::Borrowed, nullptr); }
void TCanvas::OwnHandle(HDC dc) { Attach(dc, Ownership::Deleted, nullptr); }
void TCanvas::OwnWindowDC(HWND hwnd) { Attach(GetDC(hwnd), Ownership::Released, hwnd); }

HDC TCanvas::Handle() {
    if (!dc_) CreateHandle();
    RequireAll();
    return dc_;
}

void TCanvas::RequirePen() {
    if (!dc_ || penSelection_) return;
    penSelection_.emplace(dc_, pen_.Handle());
    SetROP2(dc_, pen_.Rop2());
}

void TCanvas::RequireBrush() {
    if (!dc_ || brushSelection_) return;
    brushSelection_.emplace(dc_, brush_.Handle());
    SetBkColor(dc_, static_cast<COLORREF>(ColorToRGB(brush_.Color())));
    SetBkMode(dc_, brush_.Style() == bsClear ? TRANSPARENT : OPAQUE);
}

void TCanvas::RequireFont() {
    if (!dc_ || fontSelection_) return;
    // TFont deletes its handle before it reports a change, so the DC gets a
    // copy owned here, which is put down first and deleted afterwards.
    LOGFONTW description{};
    if (!fontCopy_ && GetObjectW(font_.Handle(), sizeof description, &description))
        fontCopy_.reset(CreateFontIndirectW(&description));
    fontSelection_.emplace(dc_, fontCopy_.get());
    SetTextColor(dc_, static_cast<COLORREF>(ColorToRGB(font_.Color())));
}

void TCanvas::RequireAll() {
    if (!dc_) CreateHandle();
    RequirePen();
    RequireBrush();
    RequireFont();
}

// Each handler puts the DC's original object back so the old GDI object can
// be deleted; the next drawing call selects the new one.
void TCanvas::PenChanged(TObject*) { penSelection_.reset(); }
void TCanvas::BrushChanged(TObject*) { brushSelection_.reset(); }
void TCanvas::FontChanged(TObject*) {
    fontSelection_.reset();
    fontCopy_.reset();
}

void TCanvas::FillRect(const RECT& rect) {
    RequireAll();
    if (dc_) ::FillRect(dc_, &rect, brush_.Handle());
}

void TCanvas::FrameRect(const RECT& rect) {
    RequireAll();
    if (dc_) ::FrameRect(dc_, &rect, brush_.Handle());
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    RequireAll();
    if (dc_) ::Rectangle(dc_, x1, y1, x2, y2);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) {
    RequireAll();
    if (dc_) ::RoundRect(dc_, x1, y1, x2, y2, cornerWidth, cornerHeight);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    RequireAll();
    if (dc_) ::Ellipse(dc_, x1, y1, x2, y2);
}

void TCanvas::Polygon(std::span<const POINT> points) {
    RequireAll();
    if (dc_ && !points.empty()) ::Polygon(dc_, points.data(), static_cast<int>(points.size()));
}

void TCanvas::Polyline(std::span<const POINT> points) {
    RequireAll();
    if (dc_ && !points.empty()) ::Polyline(dc_, points.data(), static_cast<int>(points.size()));
}

RECT TCanvas::ClipRect() {
    RECT box{0, 0, 0, 0};
    RequireAll();
    if (dc_) GetClipBox(dc_, &box);
    return box;
}

void TCanvas::Refresh() {
    fontSelection_.reset();
    brushSelection_.reset();
    penSelection_.reset();
}

void TCanvas::MoveTo(int x, int y) {
    RequireAll();
    if (dc_) ::MoveToEx(dc_, x, y, nullptr);
    penPos_ = POINT{x, y};
}

void TCanvas::LineTo(int x, int y) {
    RequireAll();
    if (dc_) ::LineTo(dc_, x, y);
    penPos_ = POINT{x, y};
}

void TCanvas::TextOut(int x, int y, const std::wstring& text) {
    RequireAll();
    if (!dc_) return;
    ::TextOutW(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
    MoveTo(x + TextWidth(text), y);
}

void TCanvas::TextRect(const RECT& rect, int x, int y, const std::wstring& text) {
    RequireAll();
    if (!dc_) return;
    UINT options = ETO_CLIPPED;
    if (brush_.Style() != bsClear) options |= ETO_OPAQUE;
    ::ExtTextOutW(dc_, x, y, options, &rect, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

int TCanvas::DrawText(const std::wstring& text, RECT& rect, UINT flags) {
    RequireAll();
    if (!dc_) return 0;
    return ::DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &rect, flags);
}

SIZE TCanvas::TextExtent(const std::wstring& text) {
    SIZE size{0, 0};
    RequireAll();
    if (dc_) ::GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    StretchDraw(RECT{x, y, x + bitmap.Width(), y + bitmap.Height()}, bitmap);
}

void TCanvas::StretchDraw(const RECT& rect, TBitmap& bitmap) {
    RequireAll();
    if (!dc_ || bitmap.Empty()) return;
    HDC source = bitmap.Canvas().Handle();
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const int oldMode = SetStretchBltMode(dc_, COLORONCOLOR);
    if (bitmap.Transparent()) {
        const TColor key = ColorToRGB(bitmap.TransparentColor());
        GdiTransparentBlt(dc_, rect.left, rect.top, width, height, source, 0, 0, bitmap.Width(), bitmap.Height(),
                          static_cast<UINT>(key));
    } else {
        StretchBlt(dc_, rect.left, rect.top, width, height, source, 0, 0, bitmap.Width(), bitmap.Height(), copyMode_);
    }
    SetStretchBltMode(dc_, oldMode);
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& sourceCanvas, const RECT& source) {
    RequireAll();
    HDC from = sourceCanvas.Handle();
    if (!dc_ || !from) return;
    StretchBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, from, source.left, source.top,
               source.right - source.left, source.bottom - source.top, copyMode_);
}

TColor TCanvas::Pixels(int x, int y) {
    RequireAll();
    if (!dc_) return clNone;
    const COLORREF c = ::GetPixel(dc_, x, y);
    return c == CLR_INVALID ? clNone : static_cast<TColor>(c);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    RequireAll();
    if (dc_) ::SetPixel(dc_, x, y, static_cast<COLORREF>(ColorToRGB(color)));
}
