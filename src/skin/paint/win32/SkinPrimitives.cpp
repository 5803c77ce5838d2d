#include "skin/paint/win32/SkinPrimitives.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "toolkit/Canvas.h"
#include "toolkit/GdiObject.h"

namespace relayon::skin {

namespace {

using paint::SliceBox;

bool Inverted(const RECT& r) { return r.right < r.left || r.bottom < r.top; }

// GDI's coordinate space is 27 bits wide: a stretch to a larger rectangle is
// refused and would leave the scratch bitmap's blank pixels on screen. Such
// rectangles draw nothing.
constexpr int64_t kMaxExtent = int64_t(1) << 27;
bool Oversized(const RECT& r) {
    return int64_t(r.right) - r.left > kMaxExtent || int64_t(r.bottom) - r.top > kMaxExtent;
}

// The part of `rect` that drawing on `dc` can reach; false when none.
bool VisiblePart(HDC dc, const RECT& rect, RECT& visible) {
    RECT clip{};
    if (GetClipBox(dc, &clip) == ERROR) return false;
    return IntersectRect(&visible, &rect, &clip) != 0;
}

// Sets the stretching mode of a DC for the scope and puts the old one back.
class StretchModeGuard {
public:
    StretchModeGuard(HDC dc, int mode) : dc_(dc), old_(SetStretchBltMode(dc, mode)) {}
    ~StretchModeGuard() {
        if (old_) SetStretchBltMode(dc_, old_);
    }
    StretchModeGuard(const StretchModeGuard&) = delete;
    StretchModeGuard& operator=(const StretchModeGuard&) = delete;

private:
    HDC dc_;
    int old_;
};

void Copy(HDC dst, const SliceBox& d, HDC src, const SliceBox& s) {
    StretchBlt(dst, d.x, d.y, d.w, d.h, src, s.x, s.y, s.w, s.h, SRCCOPY);
}

// Draws `piece` (its full size) into `rect`, opaque or without magenta.
void Present(HDC dc, const RECT& rect, TBitmap& piece, bool transparent) {
    if (transparent) DrawTranmap(dc, rect, piece, kSkinKeyColour);
    else BitBlt(dc, rect.left, rect.top, piece.Width(), piece.Height(), piece.Canvas().Handle(), 0, 0, SRCCOPY);
}

}  // namespace

std::unique_ptr<TBitmap> GetHMap(const RECT& rc, TBitmap& bmp, const paint::SliceMargins& m, int I, int N, bool tile,
                                 bool vertical) {
    const int W = std::max<int>(rc.right - rc.left, 0), H = std::max<int>(rc.bottom - rc.top, 0);
    auto out = std::make_unique<TBitmap>(W, H);
    if (W == 0 || H == 0 || bmp.Empty()) return out;
    const SliceBox cell = paint::FrameBox(bmp.Width(), bmp.Height(), I, N, vertical);
    HDC dst = out->Canvas().Handle();
    HDC src = bmp.Canvas().Handle();
    SetStretchBltMode(dst, COLORONCOLOR);
    for (const paint::SlicePiece& p : paint::NineSlicePlan(cell, m, W, H, tile)) {
        if (!p.tiled) {
            Copy(dst, p.dst, src, p.src);
            continue;
        }
        // Tiles are not clipped at the centre's far edges: the right and
        // bottom pieces drawn afterwards cover what overruns.
        for (int y = p.dst.y; y < p.dst.y + p.dst.h; y += p.src.h)
            for (int x = p.dst.x; x < p.dst.x + p.dst.w; x += p.src.w)
                BitBlt(dst, x, y, p.src.w, p.src.h, src, p.src.x, p.src.y, SRCCOPY);
    }
    return out;
}

void DrawRect2(HDC dc, const RECT& rect, TBitmap& bmp, const paint::SliceMargins& m, int I, int N, bool transparent,
               bool tile, bool vertical) {
    if (Inverted(rect) || paint::FrameBox(bmp.Width(), bmp.Height(), I, N, vertical).Empty()) return;
    auto piece = GetHMap(rect, bmp, m, I, N, tile, vertical);
    if (!piece->Empty()) Present(dc, rect, *piece, transparent);
}

void DrawRect1(HDC dc, const RECT& rect, TBitmap& bmp, int I, int N, bool transparent) {
    if (Inverted(rect) || bmp.Empty()) return;
    const SliceBox cell = paint::FrameBox(bmp.Width(), bmp.Height(), I, N, false);
    const int W = rect.right - rect.left, H = rect.bottom - rect.top;
    if (cell.Empty() || W == 0 || H == 0) return;
    TBitmap piece(W, H);
    SetStretchBltMode(piece.Canvas().Handle(), COLORONCOLOR);
    Copy(piece.Canvas().Handle(), {0, 0, W, H}, bmp.Canvas().Handle(), cell);
    Present(dc, rect, piece, transparent);
}

void DrawRect3(HDC dc, const RECT& rect, TBitmap& bmp, int I, int N, bool transparent) {
    if (Inverted(rect) || bmp.Empty()) return;
    const SliceBox cell = paint::FrameBox(bmp.Width(), bmp.Height(), I, N, false);
    if (cell.Empty()) return;
    TBitmap piece(cell.w, cell.h);
    BitBlt(piece.Canvas().Handle(), 0, 0, cell.w, cell.h, bmp.Canvas().Handle(), cell.x, cell.y, SRCCOPY);
    const LONG x = rect.left + (rect.right - rect.left - cell.w) / 2, y = rect.top + (rect.bottom - rect.top - cell.h) / 2;
    Present(dc, RECT{x, y, x + cell.w, y + cell.h}, piece, transparent);
}

void DrawRectTile(TCanvas& canvas, const RECT& rect, TBitmap& bmp, const paint::SliceMargins& m, int I, int N,
                  bool transparent, bool vertical) {
    if (Inverted(rect) || Oversized(rect)) return;
    const SliceBox cell = paint::FrameBox(bmp.Width(), bmp.Height(), I, N, vertical);
    if (cell.Empty()) return;
    HDC dc = canvas.Handle();
    RECT visible{};
    if (!VisiblePart(dc, rect, visible)) return;
    const int W = rect.right - rect.left, H = rect.bottom - rect.top;
    // The scratch covers only what can be seen; pieces are placed relative to
    // it and the stretching copies cut them at its edges.
    const int ox = visible.left - rect.left, oy = visible.top - rect.top;
    TBitmap piece(visible.right - visible.left, visible.bottom - visible.top);
    HDC dst = piece.Canvas().Handle();
    HDC src = bmp.Canvas().Handle();
    SetStretchBltMode(dst, COLORONCOLOR);
    for (const paint::SlicePiece& p : paint::TileBandPlan(cell, m, W, H, ox, ox + piece.Width()))
        Copy(dst, {p.dst.x - ox, p.dst.y - oy, p.dst.w, p.dst.h}, src, p.src);
    Present(dc, visible, piece, transparent);
}

void DrawRectH(HDC dc, const RECT& rect, TBitmap& bmp, const paint::SliceMargins& m, int I, int N, bool vertical) {
    if (Inverted(rect) || Oversized(rect)) return;
    const SliceBox cell = paint::FrameBox(bmp.Width(), bmp.Height(), I, N, vertical);
    if (cell.Empty()) return;
    HDC src = bmp.Canvas().Handle();
    StretchModeGuard mode(dc, COLORONCOLOR);
    for (const paint::SlicePiece& p : paint::StretchBandPlan(cell, m, rect.right - rect.left, rect.bottom - rect.top))
        Copy(dc, {rect.left + p.dst.x, rect.top + p.dst.y, p.dst.w, p.dst.h}, src, p.src);
}

void DrawBGbmp(TCanvas& canvas, const RECT& dest, TBitmap& bmp, const RECT& src) {
    RECT piece{};
    const RECT whole{0, 0, bmp.Width(), bmp.Height()};
    if (src.right <= src.left || src.bottom <= src.top || !IntersectRect(&piece, &src, &whole)) return;
    if (Inverted(dest)) return;
    HDC dc = canvas.Handle();
    RECT clip{};
    if (GetClipBox(dc, &clip) == ERROR) return;
    const int w = piece.right - piece.left, h = piece.bottom - piece.top;
    TBitmap tile(w, h);
    BitBlt(tile.Canvas().Handle(), 0, 0, w, h, bmp.Canvas().Handle(), piece.left, piece.top, SRCCOPY);
    HDC tileDc = tile.Canvas().Handle();
    // Tiles wholly before the clip box are skipped, so a huge destination
    // costs only the tiles that can be seen.
    auto first = [](LONG from, LONG clipFrom, int step) {
        return clipFrom > from ? int64_t(from) + int64_t(clipFrom - from) / step * step : int64_t(from);
    };
    const int64_t yEnd = std::min<int64_t>(dest.bottom, clip.bottom), xEnd = std::min<int64_t>(dest.right, clip.right);
    for (int64_t y = first(dest.top, clip.top, h); y < yEnd; y += h)
        for (int64_t x = first(dest.left, clip.left, w); x < xEnd; x += w)
            BitBlt(dc, int(x), int(y), w, h, tileDc, 0, 0, SRCCOPY);
}

void DrawTranmap(HDC dc, const RECT& rect, TBitmap& bmp, COLORREF key) {
    if (Inverted(rect) || bmp.Empty()) return;
    // Never read past the image: the rectangle is cut to the bitmap's size.
    const int w = std::min<int>(rect.right - rect.left, bmp.Width()), h = std::min<int>(rect.bottom - rect.top, bmp.Height());
    if (w <= 0 || h <= 0) return;
    HDC src = bmp.Canvas().Handle();
    // Mask: key pixels white, all others black.
    GdiObject<HBITMAP> mask(CreateBitmap(w, h, 1, 1, nullptr));
    MemoryDC maskDc(dc);
    {
        SelectGuard select(maskDc.get(), mask.get());
        const COLORREF oldBk = SetBkColor(src, key);
        BitBlt(maskDc.get(), 0, 0, w, h, src, 0, 0, SRCCOPY);
        SetBkColor(src, oldBk);
    }
    // Where the mask is set the destination stays; elsewhere the image is copied.
    MaskBlt(dc, rect.left, rect.top, w, h, src, 0, 0, mask.get(), 0, 0, MAKEROP4(0x00AA0029, SRCCOPY));
}

HRGN BitmapToRegion(TBitmap& bmp, int xo, int yo, COLORREF key, int tr, int tg, int tb) {
    if (bmp.Empty()) return nullptr;
    const PixelImage image = bmp.ToPixelImage();
    const int r0 = GetRValue(key), g0 = GetGValue(key), b0 = GetBValue(key);
    const int r1 = std::min(255, r0 + tr), g1 = std::min(255, g0 + tg), b1 = std::min(255, b0 + tb);
    auto isKey = [&](uint32_t c) {
        const int r = RedOf(c), g = GreenOf(c), b = BlueOf(c);
        return r >= r0 && r <= r1 && g >= g0 && g <= g1 && b >= b0 && b <= b1;
    };
    constexpr size_t kBatch = 2000;
    std::vector<RECT> rects;
    rects.reserve(500);
    HRGN result = nullptr;
    // Rectangles become a region in batches, merged into the result.
    auto flush = [&] {
        if (rects.empty()) return;
        std::vector<uint8_t> buffer(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
        auto* header = reinterpret_cast<RGNDATAHEADER*>(buffer.data());
        header->dwSize = sizeof(RGNDATAHEADER);
        header->iType = RDH_RECTANGLES;
        header->nCount = static_cast<DWORD>(rects.size());
        header->nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
        RECT bound = rects.front();
        for (const RECT& r : rects) {
            bound.left = std::min(bound.left, r.left);
            bound.top = std::min(bound.top, r.top);
            bound.right = std::max(bound.right, r.right);
            bound.bottom = std::max(bound.bottom, r.bottom);
        }
        header->rcBound = bound;
        std::copy(rects.begin(), rects.end(), reinterpret_cast<RECT*>(buffer.data() + sizeof(RGNDATAHEADER)));
        HRGN part = ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), reinterpret_cast<RGNDATA*>(buffer.data()));
        rects.clear();
        if (!part) return;
        if (!result) {
            result = part;
        } else {
            CombineRgn(result, result, part, RGN_OR);
            DeleteObject(part);
        }
    };
    for (int y = 0; y < image.height; ++y) {
        int x = 0;
        while (x < image.width) {
            while (x < image.width && isKey(image.Color(x, y))) ++x;
            const int start = x;
            while (x < image.width && !isKey(image.Color(x, y))) ++x;
            if (x > start) rects.push_back(RECT{start + xo, y + yo, x + xo, y + yo + 1});
            if (rects.size() == kBatch) flush();
        }
    }
    flush();
    return result ? result : CreateRectRgn(0, 0, 0, 0);
}

}  // namespace relayon::skin
