#pragma once
// Text drawn by the parent (no window). AutoSize (default) fits the bounds
// to the text; with AutoSize false the given size is kept. A disabled label
// is drawn embossed in grey.
#include "toolkit/GraphicControl.h"

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* AOwner);
    ~TLabel() override;

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout v);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool v);

    void WndProc(TMessage& message) override;
    void Loaded() override;

protected:
    void Paint(HDC dc) override;
    void TextChanged() override;
    void FontChanged() override;
    void AdjustBounds();

private:
    friend class LabelFitScope;
    UINT DrawFlags() const;
    // Measures the text now and sets the bounds.
    void FitBoundsToText();

    bool autoSize_ = true;
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool transparent_ = false;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
};
