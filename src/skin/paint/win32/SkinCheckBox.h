#pragma once
// TSkinCheckBox: check boxes drawn with a cell of the skin's CheckMap beside
// the caption. Without a CheckMap (kind 0) the box keeps its own painting.
// The system button paints itself straight to the screen when its check,
// push state, focus or text changes; the skinner paints over it right after
// each of those messages.
#include "skin/paint/win32/SkinButtonParts.h"
#include "skin/paint/win32/Winsubclass.h"

namespace relayon::skin {

class TSkinCheckBox : public TSkinControl {
public:
    explicit TSkinCheckBox(TComponent* AOwner);

    void Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) override;
    void Inithwnd(HWND ahwnd, TSkinData* sd, TCanvas* acanvas, TWinSkinForm* sf) override;
    bool BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC dc, const RECT& rc) override;

    // The last BM_SETCHECK's wParam + 1; 0 while none came.
    int checkState = 0;
    bool trans = false;

protected:
    // The cell to show out of `frames` (see ButtonFrames).
    virtual int CellFor(int frames);
    virtual TBitmap* GlyphMap(int& frames);
    // The glyph sits this many pixels inside the right edge for left-text boxes.
    virtual int RightInset() const { return 0; }
    virtual bool DrawsFocus() const { return true; }
    ButtonCanvas buffer;

private:
    void ChooseKind();
};

// Same drawing with RadioMap; no third state, no focus rectangle.
class TSkinRadioButton : public TSkinCheckBox {
public:
    explicit TSkinRadioButton(TComponent* AOwner);
    void AfterProc(TMessage& Message) override;

protected:
    int CellFor(int frames) override;
    TBitmap* GlyphMap(int& frames) override;
    int RightInset() const override { return 1; }
    bool DrawsFocus() const override { return false; }
};

}  // namespace relayon::skin
