#include "toolkit/Font.h"

#include <cmath>
#include <map>
#include <mutex>
#include <tuple>

namespace {

// What makes two GDI fonts the same (the colour is drawn, not part of the font).
struct FontKey {
    std::wstring face;
    LONG height, weight;
    BYTE italic, underline, strikeOut, charset, pitch;
    bool operator<(const FontKey& o) const {
        return std::tie(face, height, weight, italic, underline, strikeOut, charset, pitch) <
               std::tie(o.face, o.height, o.weight, o.italic, o.underline, o.strikeOut, o.charset, o.pitch);
    }
};

using SharedFont = std::shared_ptr<const GdiObject<HFONT>>;

// Live fonts by attributes. Entries whose font went are replaced on the next
// request for them; the map stays as small as the set of attributes used.
std::map<FontKey, std::weak_ptr<const GdiObject<HFONT>>>& FontCache() {
    static std::map<FontKey, std::weak_ptr<const GdiObject<HFONT>>> cache;
    return cache;
}

SharedFont FontFor(const LOGFONTW& lf) {
    FontKey key{lf.lfFaceName, lf.lfHeight, lf.lfWeight, lf.lfItalic, lf.lfUnderline, lf.lfStrikeOut,
                lf.lfCharSet, lf.lfPitchAndFamily};
    static std::mutex lock;
    std::lock_guard<std::mutex> guard(lock);
    auto& slot = FontCache()[key];
    if (SharedFont font = slot.lock()) return font;
    auto font = std::make_shared<const GdiObject<HFONT>>(CreateFontIndirectW(&lf));
    slot = font;
    return font;
}

}  // namespace

TFont::TFont() = default;

int TFont::ScreenPixelsPerInch() {
    static const int ppi = [] {
        ScreenDC dc;
        int v = dc.get() ? GetDeviceCaps(dc.get(), LOGPIXELSY) : 96;
        return v > 0 ? v : 96;
    }();
    return ppi;
}

void TFont::Changed() {
    handle_.reset();
    if (OnChange) OnChange(this);
}

void TFont::SetName(const std::wstring& name) {
    if (name == name_ || name.empty()) return;
    name_ = name;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == height_) return;
    height_ = height;
    Changed();
}

int TFont::Size() const {
    return static_cast<int>(std::lround(-height_ * 72.0 / ScreenPixelsPerInch()));
}

void TFont::SetSize(int points) {
    SetHeight(-static_cast<int>(std::lround(points * ScreenPixelsPerInch() / 72.0)));
}

void TFont::SetStyle(TFontStyles style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    // The colour is not part of the GDI font; keep the handle.
    if (OnChange) OnChange(this);
}

void TFont::SetCharset(TFontCharset charset) {
    if (charset == charset_) return;
    charset_ = charset;
    Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch == pitch_) return;
    pitch_ = pitch;
    Changed();
}

HFONT TFont::Handle() const {
    if (!handle_) {
        LOGFONTW lf{};
        lf.lfHeight = height_;
        lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = style_.Contains(fsItalic);
        lf.lfUnderline = style_.Contains(fsUnderline);
        lf.lfStrikeOut = style_.Contains(fsStrikeOut);
        lf.lfCharSet = charset_;
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = pitch_ == fpFixed ? FIXED_PITCH : pitch_ == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
        lstrcpynW(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
        handle_ = FontFor(lf);
    }
    return handle_->get();
}

void TFont::Assign(const TFont& source) {
    if (&source == this) return;
    bool sameColor = color_ == source.color_;
    bool sameFont = name_ == source.name_ && height_ == source.height_ && style_ == source.style_ &&
                    charset_ == source.charset_ && pitch_ == source.pitch_;
    if (sameFont && sameColor) return;
    name_ = source.name_;
    height_ = source.height_;
    style_ = source.style_;
    color_ = source.color_;
    charset_ = source.charset_;
    pitch_ = source.pitch_;
    if (!sameFont) handle_.reset();
    if (OnChange) OnChange(this);
}

bool TFont::SameAs(const TFont& other) const {
    return name_ == other.name_ && height_ == other.height_ && style_ == other.style_ && color_ == other.color_ &&
           charset_ == other.charset_ && pitch_ == other.pitch_;
}
