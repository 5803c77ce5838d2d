#pragma once
// A drawing surface over a device context, with its own pen, brush and font.
//
// The DC is either borrowed (SetHandle: the caller keeps it alive and frees
// it), owned (OwnHandle: deleted with DeleteDC; OwnWindowDC: released with
// ReleaseDC), or made on demand by a subclass (CreateHandle; the bitmap's
// canvas does this). Whatever the case, the canvas selects its pen, brush
// and font into the DC when it draws or when Handle() is read, and puts the
// DC's original objects back before it lets go of the DC, so a borrowed DC is
// returned as it came and no selected object is ever deleted.
#include <windows.h>

#include <optional>
#include <span>
#include <string>

#include "toolkit/Brush.h"
#include "toolkit/Color.h"
#include "toolkit/Font.h"
#include "toolkit/GdiObject.h"
#include "toolkit/core/Object.h"
#include "toolkit/Pen.h"

class TBitmap;

class TCanvas : public TObject {
public:
    TCanvas();
    explicit TCanvas(HDC borrowed);
    ~TCanvas() override;

    // The DC with pen, brush and font selected; nullptr when there is none
    // and the canvas cannot make one.
    HDC Handle();
    bool HandleAllocated() const { return dc_ != nullptr; }
    // Borrows `dc` (nullptr lets go of the current one).
    void SetHandle(HDC dc);
    // Takes ownership of a memory DC (DeleteDC when done).
    void OwnHandle(HDC dc);
    // Takes the client-area DC of a window (ReleaseDC when done).
    void OwnWindowDC(HWND hwnd);

    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }
    TFont& Font() { return font_; }

    // Raster operation of Draw, StretchDraw and CopyRect (SRCCOPY by default).
    DWORD CopyMode() const { return copyMode_; }
    void SetCopyMode(DWORD rop) { copyMode_ = rop; }

    void FillRect(const RECT& rect);
    void FrameRect(const RECT& rect);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const RECT& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
    void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const RECT& rect) { Ellipse(rect.left, rect.top, rect.right, rect.bottom); }
    // Closed outline with the pen, filled with the brush.
    void Polygon(std::span<const POINT> points);
    // Open line through the points with the pen.
    void Polyline(std::span<const POINT> points);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    POINT PenPos() const { return penPos_; }

    // Text in the font's colour; the background is the brush colour, or left
    // alone when the brush is clear. TextOut moves the pen past the text.
    void TextOut(int x, int y, const std::wstring& text);
    // Text at (x, y) clipped to `rect` (filled with the brush unless clear).
    void TextRect(const RECT& rect, int x, int y, const std::wstring& text);
    // DrawTextW with the given DT_* flags; `rect` receives the computed
    // rectangle with DT_CALCRECT. Returns the text height.
    int DrawText(const std::wstring& text, RECT& rect, UINT flags);
    SIZE TextExtent(const std::wstring& text);
    int TextWidth(const std::wstring& text) { return TextExtent(text).cx; }
    int TextHeight(const std::wstring& text) { return TextExtent(text).cy; }

    // The bitmap at its own size with its top-left at (x, y); a Transparent
    // bitmap leaves the destination alone where it has its transparent colour.
    void Draw(int x, int y, TBitmap& bitmap);
    // The bitmap stretched (COLORONCOLOR) into `rect`, transparency as in Draw.
    void StretchDraw(const RECT& rect, TBitmap& bitmap);
    // Copies `source` of another canvas to `dest`, stretching when the sizes
    // differ, with CopyMode and the DC's own stretch mode.
    void CopyRect(const RECT& dest, TCanvas& sourceCanvas, const RECT& source);

    // The DC's clip box in logical coordinates (empty without a DC).
    RECT ClipRect();
    // Puts the DC's own pen, brush and font back; the next drawing call
    // selects the canvas' objects again. For code that drew on Handle() with
    // objects of its own.
    void Refresh();

    TColor Pixels(int x, int y);
    void SetPixel(int x, int y, TColor color);

protected:
    // Called by Handle() when there is no DC: a subclass may make one and
    // pass it to OwnHandle/SetHandle.
    virtual void CreateHandle() {}
    // Puts the original objects back and forgets the DC, freeing it when
    // owned. Subclasses call this before destroying what the DC shows.
    void FreeHandle();

private:
    enum class Ownership { Borrowed, Deleted, Released };
    void Attach(HDC dc, Ownership ownership, HWND window);
    void RequirePen();
    void RequireBrush();
    void RequireFont();
    void RequireAll();
    void PenChanged(TObject* sender);
    void BrushChanged(TObject* sender);
    void FontChanged(TObject* sender);

    HDC dc_ = nullptr;
    Ownership ownership_ = Ownership::Borrowed;
    HWND window_ = nullptr;
    GdiObject<HFONT> fontCopy_;  // before the selections: destroyed after them
    std::optional<SelectGuard> penSelection_;
    std::optional<SelectGuard> brushSelection_;
    std::optional<SelectGuard> fontSelection_;
    TPen pen_;
    TBrush brush_;
    TFont font_;
    POINT penPos_{0, 0};
    DWORD copyMode_ = SRCCOPY;
};
