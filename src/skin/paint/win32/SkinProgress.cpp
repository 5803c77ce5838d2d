#include "skin/paint/win32/SkinProgress.h"

#include <utility>

#include "skin/data/win32/ImgutilWin32.h"
#include "skin/paint/core/BarGeometry.h"
#include "skin/paint/win32/SkinButtonParts.h"

namespace relayon::skin {

namespace {

bool HasImage(const TDataSkinObject* o) { return o && o->Map && !o->Map->Empty(); }

paint::SliceMargins MarginsOf(const TDataSkinObject& o) { return {o.r.Left, o.r.Top, o.r.Right, o.r.Bottom}; }

}  // namespace

TSkinProgress::TSkinProgress(TComponent* AOwner) : TSkinControl(AOwner) {}

bool TSkinProgress::HasSkin() const { return fsd && HasImage(fsd->progress.get()); }

bool TSkinProgress::BeforeProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_PAINT:
        if (!HasSkin()) return TSkinControl::BeforeProc(Message);
        WMPaint(Message);
        return false;
    case WM_ERASEBKGND: Message.Result = 1; return false;
    default: return TSkinControl::BeforeProc(Message);
    }
}

void TSkinProgress::DrawControl(HDC dc, const RECT& rc) {
    if (!dc || !HasSkin()) return;
    const bool vertical = (StyleOf(*this) & PBS_VERTICAL) != 0;
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (w <= 0 || h <= 0) return;
    if (vertical) std::swap(w, h);
    pic_->SetPixelFormat(pf24bit);
    pic_->SetSize(w, h);
    HDC mem = pic_->Canvas().Handle();
    const RECT all{0, 0, w, h};
    FillColor(mem, all, SchemeColor(fsd, csButtonFace));

    PBRANGE range{};
    SendMessageW(hwnd, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    const int pos = static_cast<int>(SendMessageW(hwnd, PBM_GETPOS, 0, 0));
    const int filled = paint::ProgressFilled(w, pos, range.iLow, range.iHigh);

    TDataSkinObject& bar = *fsd->progress;
    if (bar.style == 1) {
        DrawControl1(mem, w, h, filled);
    } else {
        DrawRect2(mem, all, *bar.Map, MarginsOf(bar), 1, 2, true, bar.Tile != 0, false);
        if (filled > 0) DrawRect2(mem, RECT{0, 0, filled, h}, *bar.Map, MarginsOf(bar), 2, 2, true, bar.Tile != 0, false);
    }
    GdiFlush();
    if (vertical) Drehen270Grad(*pic_);
    BitBlt(dc, rc.left, rc.top, pic_->Width(), pic_->Height(), pic_->Canvas().Handle(), 0, 0, SRCCOPY);
}

void TSkinProgress::DrawControl1(HDC dc, int w, int h, int filled) {
    if (!fsd || !HasImage(fsd->progresschunk.get())) return;
    TDataSkinObject& bar = *fsd->progress;
    TDataSkinObject& chunk = *fsd->progresschunk;
    DrawRect2(dc, RECT{0, 0, w, h}, *bar.Map, MarginsOf(bar), 1, 1, true, false, false);
    if (filled <= 0) return;
    TBitmap& map = *chunk.Map;
    const int cells = chunk.frame > 0 ? chunk.frame : 1;
    const int cw = map.Width() / cells, ch = map.Height();
    if (cw <= 0) return;
    if (chunk.Tile == 1) {
        const paint::ChunkStrip strip = paint::ProgressChunks(w, filled, cw, chunk.r.Left);
        if (strip.visible.Length() <= 0) return;
        const int y = paint::CentredOffset(h, ch);
        DcStateGuard keep(dc);
        IntersectClipRect(dc, strip.visible.start, 0, strip.visible.end, h);
        for (int k = 0; k < strip.count; ++k) {
            const int x = strip.x + k * cw;
            if (x >= strip.visible.end) break;
            DrawRect1(dc, RECT{x, y, x + cw, y + ch}, map, 1, cells, true);
        }
    } else {
        // One band over the filled length, inside the trough's two-pixel rim.
        const int right = std::min(2 + filled, w - 2);
        if (right <= 2 || h - 4 <= 0) return;
        DrawRect2(dc, RECT{2, 2, right, h - 2}, map, {chunk.r.Left, 0, chunk.r.Right, 0}, 1, cells, true, false,
                  false);
    }
}

}  // namespace relayon::skin
