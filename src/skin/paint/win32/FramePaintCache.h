#pragma once
// The skinned frame's composed pictures kept between paints (the form
// skinner's FrameCache): the border pieces, and what the caption bar in the
// form skinner's CaptionBuf was composed from. A frame paint composes again
// only what changed: the window's size, its activation or state, its
// caption text, font, icon or buttons, the skin (every skin load counts as
// a change, a reload may refill the same bitmaps), or the pixels that show
// through the caption bar's transparent parts. Everything else is copied
// from the kept pictures, pixel for pixel what composing would draw.
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "skin/paint/core/NineSlice.h"
#include "toolkit/Bitmap.h"

namespace relayon::skin {

// What a border piece is composed from.
struct TBorderPieceKey {
    const TBitmap* map = nullptr;
    uint64_t generation = 0;  // TSkinData::LoadGeneration at composing
    int width = 0, height = 0;
    paint::SliceMargins margins;
    int cell = 0, cells = 0;
    bool tile = false, vertical = false;
    bool operator==(const TBorderPieceKey& o) const;
};

// What the caption bar is composed from, besides the pixels under it.
struct TCaptionKey {
    struct Button {
        const void* data = nullptr;
        bool visible = false, enabled = false;
        bool operator==(const Button&) const = default;
    };
    const void* skin = nullptr;
    uint64_t generation = 0;
    int width = 0, height = 0;
    bool active = false, rightToLeft = false;
    int windowState = 0, border = 0, borderLeft = 0, borderRight = 0, menuHeight = 0, iconSize = 0;
    DWORD style = 0;
    std::wstring text;
    std::array<uint8_t, sizeof(LOGFONTW)> font{};  // the caption font's description
    COLORREF textColour = 0;
    HICON icon = nullptr;
    std::vector<Button> buttons;
    bool operator==(const TCaptionKey&) const = default;
};

// What composing the caption bar left in the form skinner (the text's place,
// the buttons' bounds), given back when the kept picture is used again.
struct TCaptionLayout {
    RECT text{};
    int rightButtons = 0;
    std::vector<RECT> buttons;
};

// What the menu band is drawn from: the bar (its saved background and
// place), its buttons as the bar will draw them, the look and the skin.
struct TMenuBandKey {
    struct Button {
        const void* button = nullptr;
        std::wstring caption;
        bool visible = false, enabled = false;
        int state = 0;
        std::array<LONG, 4> bounds{};
        bool operator==(const Button&) const = default;
    };
    const void* bar = nullptr;
    const void* background = nullptr;  // the bar's saved background picture
    std::array<LONG, 4> band{}, barRect{};
    const void* skin = nullptr;
    uint64_t generation = 0;
    bool active = false, rightToLeft = false;
    std::array<uint8_t, sizeof(LOGFONTW)> font{};
    std::array<COLORREF, 8> colours{};
    std::vector<Button> buttons;
    bool operator==(const TMenuBandKey&) const = default;
};

class TFramePaintCache {
public:
    // The kept piece of border `index` (1..4) when it was composed from
    // `key`, else null.
    TBitmap* BorderPiece(int index, const TBorderPieceKey& key);
    // Keeps `piece` as border `index` composed from `key`; answers it.
    TBitmap* KeepBorderPiece(int index, const TBorderPieceKey& key, std::unique_ptr<TBitmap> piece);

    // Reads the pixels of `dc` under the caption bar (key.width x key.height
    // from the corner); answers whether the caption bar last composed was
    // composed from `key` over exactly these pixels.
    bool CaptionKept(HDC dc, const TCaptionKey& key);
    // The pixels read by the last CaptionKept, for composing over them.
    TBitmap& Under() { return *under_; }
    // Notes that the caption bar now composed came from `key` over the
    // pixels last read, leaving `layout`.
    void KeepCaption(TCaptionKey key, TCaptionLayout layout);
    const TCaptionLayout& Layout() const { return layout_; }
    // The next caption bar is composed again (something else drew it).
    void ForgetCaption() { captionKept_ = false; }

    // The menu band as last drawn into Band() when it was drawn from `key`.
    bool BandKept(const TMenuBandKey& key) const { return bandKept_ && key == bandKey_; }
    // The picture the bar draws the band into, at window coordinates: at
    // least `width` x `height` (the band's right and bottom edges).
    TBitmap& Band(int width, int height);
    void KeepBand(TMenuBandKey key);
    void ForgetBand() { bandKept_ = false; }

private:
    struct Piece {
        TBorderPieceKey key;
        std::unique_ptr<TBitmap> picture;
    };
    std::array<Piece, 4> pieces_;
    bool captionKept_ = false;
    TCaptionKey captionKey_;
    TCaptionLayout layout_;
    std::unique_ptr<TBitmap> under_ = std::make_unique<TBitmap>(), underKept_ = std::make_unique<TBitmap>();
    bool bandKept_ = false;
    TMenuBandKey bandKey_;
    TBitmap band_;
};

}  // namespace relayon::skin
