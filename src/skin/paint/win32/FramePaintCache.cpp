#include "skin/paint/win32/FramePaintCache.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "toolkit/Canvas.h"

namespace relayon::skin {

bool TBorderPieceKey::operator==(const TBorderPieceKey& o) const {
    return map == o.map && generation == o.generation && width == o.width && height == o.height &&
           margins.left == o.margins.left && margins.top == o.margins.top && margins.right == o.margins.right &&
           margins.bottom == o.margins.bottom && cell == o.cell && cells == o.cells && tile == o.tile &&
           vertical == o.vertical;
}

TBitmap* TFramePaintCache::BorderPiece(int index, const TBorderPieceKey& key) {
    if (index < 1 || index > 4) return nullptr;
    Piece& p = pieces_[static_cast<size_t>(index - 1)];
    return p.picture && p.key == key ? p.picture.get() : nullptr;
}

TBitmap* TFramePaintCache::KeepBorderPiece(int index, const TBorderPieceKey& key, std::unique_ptr<TBitmap> piece) {
    if (index < 1 || index > 4) return nullptr;
    Piece& p = pieces_[static_cast<size_t>(index - 1)];
    p.key = key;
    p.picture = std::move(piece);
    return p.picture.get();
}

bool TFramePaintCache::CaptionKept(HDC dc, const TCaptionKey& key) {
    if (key.width <= 0 || key.height <= 0) return false;
    if (under_->Width() != key.width || under_->Height() != key.height) under_->SetSize(key.width, key.height);
    BitBlt(under_->Canvas().Handle(), 0, 0, key.width, key.height, dc, 0, 0, SRCCOPY);
    if (!captionKept_ || !(key == captionKey_)) return false;
    if (underKept_->Width() != key.width || underKept_->Height() != key.height) return false;
    // Both are DIB sections of one layout: their rows compare directly once
    // GDI has finished writing them.
    GdiFlush();
    // Only the pixels: the rows' padding is not drawn.
    const TPixelFormat format = under_->PixelFormat();
    const size_t bytes = format == pf24bit   ? size_t(key.width) * 3
                         : format == pf32bit ? size_t(key.width) * 4
                                             : under_->Stride();
    for (int y = 0; y < key.height; ++y)
        if (std::memcmp(under_->ScanLine(y), underKept_->ScanLine(y), bytes) != 0) return false;
    return true;
}

void TFramePaintCache::KeepCaption(TCaptionKey key, TCaptionLayout layout) {
    captionKey_ = std::move(key);
    layout_ = std::move(layout);
    std::swap(under_, underKept_);
    captionKept_ = true;
}

TBitmap& TFramePaintCache::Band(int width, int height) {
    if (band_.Width() < width || band_.Height() < height) {
        bandKept_ = false;
        band_.SetSize(std::max(width, band_.Width()), std::max(height, band_.Height()));
    }
    return band_;
}

void TFramePaintCache::KeepBand(TMenuBandKey key) {
    bandKey_ = std::move(key);
    bandKept_ = true;
}

}  // namespace relayon::skin
