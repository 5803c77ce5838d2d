#pragma once
// A font description plus the GDI font made from it on demand. Height is in
// pixels (negative: character height without internal leading, as in
// LOGFONT); Size is in points at the screen's pixels per inch. Every change
// drops the cached handle and fires OnChange.
//
// Fonts with the same attributes share one GDI font: a window of hundreds of
// controls in three or four sizes holds three or four fonts, not hundreds.
// The GDI font lives as long as some TFont holds it.
#include <windows.h>

#include <memory>
#include <string>

#include "toolkit/Color.h"
#include "toolkit/core/Events.h"
#include "toolkit/GdiObject.h"
#include "toolkit/core/Object.h"
#include "toolkit/core/Set.h"

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = uint8_t;

class TFont : public TObject {
public:
    TFont();

    const std::wstring& Name() const { return name_; }
    void SetName(const std::wstring& name);
    int Height() const { return height_; }
    void SetHeight(int height);
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontCharset Charset() const { return charset_; }
    void SetCharset(TFontCharset charset);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch pitch);

    // The GDI font; created on first use, shared with every TFont of the same
    // attributes, and valid while this object keeps them.
    HFONT Handle() const;
    // Copies every attribute (one OnChange at the end).
    void Assign(const TFont& source);
    bool SameAs(const TFont& other) const;

    TNotifyEvent OnChange;

    static int ScreenPixelsPerInch();

private:
    void Changed();

    std::wstring name_ = L"MS Sans Serif";
    int height_ = -11;
    TFontStyles style_;
    TColor color_ = clWindowText;
    TFontCharset charset_ = DEFAULT_CHARSET;
    TFontPitch pitch_ = fpDefault;
    mutable std::shared_ptr<const GdiObject<HFONT>> handle_;
};
