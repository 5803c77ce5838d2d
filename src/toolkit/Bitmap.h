#pragma once
// A bitmap held as a DIB section: its rows are plain memory (ScanLine) and
// GDI draws into it through Canvas. Rows are stored bottom row first, as in
// a .bmp file, so ScanLine(1) lies Stride() bytes *below* ScanLine(0).
//
// Ownership: the DIB section, the canvas' memory DC and every brush, pen and
// font belong to RAII members; replacing the image (size, format, load,
// Assign) first lets the canvas put the old DIB down, then deletes it.
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <span>
#include <stdexcept>
#include <vector>

#include "toolkit/Canvas.h"
#include "toolkit/Color.h"
#include "toolkit/core/Events.h"
#include "toolkit/GdiObject.h"
#include "toolkit/core/Object.h"
#include "toolkit/core/BmpCodec.h"
#include "toolkit/core/PixelImage.h"

// pfDevice is the screen's depth; pf15bit is 5-5-5 and pf16bit 5-6-5.
enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TBitmapHandleType { bmDIB, bmDDB };
// tmAuto: the transparent colour is the bottom-left pixel; tmFixed: the set one.
enum TTransparentMode { tmAuto, tmFixed };

// Asked for something the bitmap cannot do (a row that does not exist, a
// resource that is not there, a file that cannot be opened).
class EInvalidGraphicOperation : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TBitmap : public TObject {
public:
    TBitmap();
    TBitmap(int width, int height, TPixelFormat format = pf24bit);
    ~TBitmap() override;

    int Width() const { return image_.width; }
    int Height() const { return image_.height; }
    bool Empty() const { return image_.width <= 0 || image_.height <= 0; }
    // Resizing keeps the overlapping top-left part; new pixels are filled
    // with the canvas brush colour (white unless changed).
    void SetWidth(int width) { SetSize(width, Height()); }
    void SetHeight(int height) { SetSize(Width(), height); }
    void SetSize(int width, int height);

    TPixelFormat PixelFormat() const;
    // Converts the pixels: exact towards more bits, nearest palette entry of
    // the standard palette towards 1, 4 or 8 bits. pfCustom is refused.
    void SetPixelFormat(TPixelFormat format);

    // Row `row` (0 = top) of the DIB: Width() pixels in the layout of
    // PixelFormat(). Out of range throws EInvalidGraphicOperation.
    void* ScanLine(int row);
    size_t Stride() const { return image_.Stride(); }

    TCanvas& Canvas();
    // The DIB section; nullptr for an empty bitmap.
    HBITMAP Handle();
    // Takes ownership of any bitmap handle (a DDB from LoadBitmap or
    // CreateCompatibleBitmap, or a DIB section): its pixels are copied into a
    // new DIB section of the same depth (32 bits for device bitmaps deeper
    // than 8 bits) and the handle is deleted. nullptr empties the bitmap.
    void SetHandle(HBITMAP bitmap);
    // Every bitmap is a DIB section so that rows stay reachable; bmDDB is
    // accepted and keeps it so.
    TBitmapHandleType HandleType() const { return bmDIB; }
    void SetHandleType(TBitmapHandleType) {}

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    TColor TransparentColor();
    void SetTransparentColor(TColor color);
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode mode);

    // Loading decodes completely before anything changes: on EInvalidGraphic
    // the bitmap is as it was. Streams are read from their current position
    // and left just past the bitmap.
    void LoadFromStream(std::istream& stream);
    void LoadFromFile(const std::filesystem::path& path);
    // Returns the number of bytes the bitmap occupied.
    size_t LoadFromBytes(std::span<const uint8_t> bytes);
    // A RT_BITMAP resource of the module (a packed DIB).
    void LoadFromResourceName(HINSTANCE instance, const wchar_t* name);
    void LoadFromResourceID(HINSTANCE instance, int id) { LoadFromResourceName(instance, MAKEINTRESOURCEW(id)); }
    void SaveToStream(std::ostream& stream);
    void SaveToFile(const std::filesystem::path& path);
    std::vector<uint8_t> SaveToBytes();

    // Copies size, format, palette, pixels and transparency (nullptr empties).
    void Assign(const TBitmap* source);
    // Pixels out of and into the DIB section.
    PixelImage ToPixelImage() const;
    void FromPixelImage(const PixelImage& image);
    // The palette of an indexed bitmap (empty otherwise).
    const std::vector<PaletteEntry>& Palette() const { return image_.palette; }

    TNotifyEvent OnChange;

private:
    class TBitmapCanvas;
    friend class TBitmapCanvas;

    // Makes a DIB section for `image` (its size, layout and palette) and
    // copies its pixels in; the old DIB goes only after the canvas let go.
    void Replace(const PixelImage& image);
    void Changed();
    uint8_t* DibRow(int row) const { return bits_ + size_t(image_.height - 1 - row) * image_.Stride(); }

    PixelImage image_;  // size, layout, palette; pixels live in the DIB
    GdiObject<HBITMAP> dib_;
    uint8_t* bits_ = nullptr;
    std::unique_ptr<TBitmapCanvas> canvas_;
    bool transparent_ = false;
    TColor transparentColor_ = clDefault;
    TTransparentMode transparentMode_ = tmAuto;
};
