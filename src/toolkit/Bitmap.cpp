#include "toolkit/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <istream>
#include <ostream>
#include <stdexcept>

// The bitmap's canvas makes its memory DC on first use with the DIB selected.
// Deleting that DC puts the DIB down, which is why FreeHandle comes before
// any change of the DIB.
class TBitmap::TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap& owner) : owner_(owner) {}
    ~TBitmapCanvas() override { FreeHandle(); }
    void Release() { FreeHandle(); }

protected:
    void CreateHandle() override {
        HDC dc = CreateCompatibleDC(nullptr);
        if (!dc) return;
        if (owner_.dib_) SelectObject(dc, owner_.dib_.get());
        OwnHandle(dc);
    }

private:
    TBitmap& owner_;
};

namespace {

PixelLayout LayoutOf(TPixelFormat format) {
    switch (format) {
        case pf1bit: return PixelLayout::Indexed1;
        case pf4bit: return PixelLayout::Indexed4;
        case pf8bit: return PixelLayout::Indexed8;
        case pf15bit: return PixelLayout::Rgb555;
        case pf16bit: return PixelLayout::Rgb565;
        case pf24bit: return PixelLayout::Bgr24;
        case pf32bit: return PixelLayout::Bgra32;
        case pfDevice: {
            ScreenDC screen;
            const int bits = screen.get() ? GetDeviceCaps(screen.get(), BITSPIXEL) : 32;
            if (bits <= 1) return PixelLayout::Indexed1;
            if (bits <= 4) return PixelLayout::Indexed4;
            if (bits <= 8) return PixelLayout::Indexed8;
            if (bits <= 16) return PixelLayout::Rgb565;
            return bits == 24 ? PixelLayout::Bgr24 : PixelLayout::Bgra32;
        }
        case pfCustom: break;
    }
    throw std::invalid_argument("pfCustom is not a format a bitmap can be given");
}

// Header plus room for a full colour table or the three 5-6-5 masks.
struct DibInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace

TBitmap::TBitmap() : canvas_(std::make_unique<TBitmapCanvas>(*this)) {}

TBitmap::TBitmap(int width, int height, TPixelFormat format) : TBitmap() {
    SetPixelFormat(format);
    SetSize(width, height);
}

TBitmap::~TBitmap() {
    // The DC holding the DIB goes first.
    canvas_.reset();
}

void TBitmap::Changed() {
    if (OnChange) OnChange(this);
}

void TBitmap::Replace(const PixelImage& image) {
    if (image.Empty()) {
        canvas_->Release();
        dib_.reset();
        bits_ = nullptr;
        image_.width = image_.height = 0;
        image_.layout = image.layout;
        image_.palette = image.palette;
        image_.pixels.clear();
        return;
    }
    DibInfo info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = image.width;
    info.header.biHeight = image.height;  // positive: bottom row first
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(BitsPerPixel(image.layout));
    info.header.biCompression = BI_RGB;
    if (image.layout == PixelLayout::Rgb565) {
        info.header.biCompression = BI_BITFIELDS;
        const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
        std::memcpy(info.colors, masks, sizeof masks);
    }
    if (IsIndexed(image.layout)) {
        // The table is always full; entries past the image's palette are
        // black, which is also how the image reads them.
        const size_t count = std::min(image.palette.size(), size_t(1) << BitsPerPixel(image.layout));
        for (size_t i = 0; i < count; ++i)
            info.colors[i] = RGBQUAD{image.palette[i].blue, image.palette[i].green, image.palette[i].red, 0};
    }
    void* bits = nullptr;
    GdiObject<HBITMAP> dib(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits) throw EInvalidGraphicOperation("Out of system resources: cannot create a bitmap");

    canvas_->Release();
    dib_ = std::move(dib);
    bits_ = static_cast<uint8_t*>(bits);
    image_.width = image.width;
    image_.height = image.height;
    image_.layout = image.layout;
    image_.palette = image.palette;
    image_.pixels.clear();
    const size_t stride = image_.Stride();
    if (image.pixels.size() == stride * size_t(image.height))
        for (int y = 0; y < image.height; ++y) std::memcpy(DibRow(y), image.Row(y), stride);
}

PixelImage TBitmap::ToPixelImage() const {
    PixelImage copy;
    copy.width = image_.width;
    copy.height = image_.height;
    copy.layout = image_.layout;
    copy.palette = image_.palette;
    if (Empty() || !bits_) {
        copy.width = copy.height = 0;
        return copy;
    }
    GdiFlush();
    const size_t stride = copy.Stride();
    copy.pixels.resize(stride * size_t(copy.height));
    for (int y = 0; y < copy.height; ++y) std::memcpy(copy.Row(y), DibRow(y), stride);
    return copy;
}

void TBitmap::FromPixelImage(const PixelImage& image) {
    if (!image.Empty() && image.pixels.size() != image.Stride() * size_t(image.height))
        throw std::invalid_argument("pixel buffer does not match the image size");
    Replace(image);
    Changed();
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == Width() && height == Height()) return;
    const PixelImage old = ToPixelImage();
    PixelImage resized = MakePixelImage(width, height, image_.layout);
    if (IsIndexed(image_.layout) && !image_.palette.empty()) resized.palette = image_.palette;
    if (!resized.Empty()) {
        const uint32_t fill = static_cast<uint32_t>(ColorToRGB(canvas_->Brush().Color()));
        for (int x = 0; x < width; ++x) resized.SetColor(x, 0, fill);
        for (int y = 1; y < height; ++y) std::memcpy(resized.Row(y), resized.Row(0), resized.Stride());
        const int keepWidth = std::min(width, old.width), keepHeight = std::min(height, old.height);
        const int bits = BitsPerPixel(image_.layout);
        for (int y = 0; y < keepHeight; ++y) {
            if (bits >= 8) {
                std::memcpy(resized.Row(y), old.Row(y), size_t(keepWidth) * size_t(bits / 8));
            } else {
                for (int x = 0; x < keepWidth; ++x) resized.SetIndex(x, y, old.Index(x, y));
            }
        }
    }
    Replace(resized);
    Changed();
}

TPixelFormat TBitmap::PixelFormat() const {
    switch (image_.layout) {
        case PixelLayout::Indexed1: return pf1bit;
        case PixelLayout::Indexed4: return pf4bit;
        case PixelLayout::Indexed8: return pf8bit;
        case PixelLayout::Rgb555: return pf15bit;
        case PixelLayout::Rgb565: return pf16bit;
        case PixelLayout::Bgr24: return pf24bit;
        case PixelLayout::Bgra32: return pf32bit;
    }
    return pf24bit;
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    const PixelLayout layout = LayoutOf(format);
    if (layout == image_.layout) return;
    if (Empty()) {
        image_.layout = layout;
        image_.palette = DefaultPalette(layout);
    } else {
        Replace(ConvertLayout(ToPixelImage(), layout));
    }
    Changed();
}

void* TBitmap::ScanLine(int row) {
    if (Empty() || row < 0 || row >= Height()) throw EInvalidGraphicOperation("Scan line index out of range");
    GdiFlush();  // GDI may still be drawing into the rows
    return DibRow(row);
}

TCanvas& TBitmap::Canvas() { return *canvas_; }

HBITMAP TBitmap::Handle() { return dib_.get(); }

void TBitmap::SetHandle(HBITMAP handle) {
    GdiObject<HBITMAP> taken(handle);
    if (!handle) {
        Assign(nullptr);
        return;
    }
    if (handle == dib_.get()) {
        (void)taken.release();
        return;
    }
    DIBSECTION section{};
    const int described = GetObjectW(handle, sizeof section, &section);
    if (described < int(sizeof(BITMAP))) throw EInvalidGraphicOperation("Not a bitmap handle");
    const bool isDib = described == int(sizeof section);
    const int depth = isDib ? section.dsBmih.biBitCount : section.dsBm.bmBitsPixel * section.dsBm.bmPlanes;
    PixelLayout layout = PixelLayout::Bgra32;
    if (depth == 1) layout = PixelLayout::Indexed1;
    else if (depth == 4) layout = PixelLayout::Indexed4;
    else if (depth == 8) layout = PixelLayout::Indexed8;
    else if (isDib && depth == 24) layout = PixelLayout::Bgr24;
    else if (isDib && depth == 16)
        layout = section.dsBmih.biCompression == BI_BITFIELDS && section.dsBitfields[1] == 0x07E0 ? PixelLayout::Rgb565
                                                                                              : PixelLayout::Rgb555;

    PixelImage image = MakePixelImage(section.dsBm.bmWidth, section.dsBm.bmHeight, layout);
    if (!image.Empty()) {
        // GetDIBits converts to the asked-for layout, top row first with a
        // negative height, and fills the colour table of indexed layouts.
        DibInfo info{};
        info.header.biSize = sizeof(BITMAPINFOHEADER);
        info.header.biWidth = image.width;
        info.header.biHeight = -image.height;
        info.header.biPlanes = 1;
        info.header.biBitCount = static_cast<WORD>(BitsPerPixel(layout));
        info.header.biCompression = BI_RGB;
        if (layout == PixelLayout::Rgb565) {
            info.header.biCompression = BI_BITFIELDS;
            const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
            std::memcpy(info.colors, masks, sizeof masks);
        }
        ScreenDC screen;
        if (GetDIBits(screen, handle, 0, UINT(image.height), image.pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
                      DIB_RGB_COLORS) != image.height)
            throw EInvalidGraphicOperation("Cannot read the bitmap's pixels");
        if (IsIndexed(layout)) {
            image.palette.resize(size_t(1) << BitsPerPixel(layout));
            for (size_t i = 0; i < image.palette.size(); ++i)
                image.palette[i] = PaletteEntry{info.colors[i].rgbBlue, info.colors[i].rgbGreen, info.colors[i].rgbRed, 0};
        }
    }
    Replace(image);
    Changed();
}

void TBitmap::SetTransparent(bool transparent) {
    if (transparent == transparent_) return;
    transparent_ = transparent;
    Changed();
}

TColor TBitmap::TransparentColor() {
    if (transparentMode_ == tmFixed) return transparentColor_;
    if (Empty()) return clDefault;
    GdiFlush();
    // The bottom-left pixel, read through a one-row view of the last row.
    PixelImage lastRow = image_;
    lastRow.height = 1;
    lastRow.pixels.assign(DibRow(Height() - 1), DibRow(Height() - 1) + image_.Stride());
    return static_cast<TColor>(lastRow.Color(0, 0));
}

void TBitmap::SetTransparentColor(TColor color) {
    transparentColor_ = color;
    transparentMode_ = color == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
    if (mode == transparentMode_) return;
    if (mode == tmAuto) transparentColor_ = clDefault;
    else transparentColor_ = TransparentColor();
    transparentMode_ = mode;
    Changed();
}

size_t TBitmap::LoadFromBytes(std::span<const uint8_t> bytes) {
    DecodedBmp decoded = DecodeBmpFile(bytes);  // throws before anything changes
    Replace(decoded.image);
    Changed();
    return decoded.length;
}

void TBitmap::LoadFromStream(std::istream& stream) {
    const std::streampos start = stream.tellg();
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    const size_t length = LoadFromBytes(bytes);
    if (start != std::streampos(-1)) {
        stream.clear();
        stream.seekg(start + std::streamoff(length));
    }
}

void TBitmap::LoadFromFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw EInvalidGraphicOperation("Cannot open file \"" + Utf8(path) + "\"");
    LoadFromStream(file);
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const wchar_t* name) {
    HRSRC resource = FindResourceW(instance, name, MAKEINTRESOURCEW(2) /* RT_BITMAP */);
    HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) throw EInvalidGraphicOperation("Bitmap resource not found");
    const auto* bytes = static_cast<const uint8_t*>(data);
    DecodedBmp decoded = DecodePackedDib(std::span<const uint8_t>(bytes, SizeofResource(instance, resource)));
    Replace(decoded.image);
    Changed();
}

std::vector<uint8_t> TBitmap::SaveToBytes() { return EncodeBmpFile(ToPixelImage()); }

void TBitmap::SaveToStream(std::ostream& stream) {
    const std::vector<uint8_t> bytes = SaveToBytes();
    stream.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void TBitmap::SaveToFile(const std::filesystem::path& path) {
    const std::vector<uint8_t> bytes = SaveToBytes();  // an empty bitmap fails before the file is made
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) throw EInvalidGraphicOperation("Cannot create file \"" + Utf8(path) + "\"");
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!file) throw EInvalidGraphicOperation("Cannot write file \"" + Utf8(path) + "\"");
}

void TBitmap::Assign(const TBitmap* source) {
    if (source == this) return;
    if (!source) {
        PixelImage empty;
        empty.layout = image_.layout;
        Replace(empty);
    } else {
        Replace(source->ToPixelImage());
        image_.layout = source->image_.layout;
        transparent_ = source->transparent_;
        transparentColor_ = source->transparentColor_;
        transparentMode_ = source->transparentMode_;
    }
    Changed();
}
