#pragma once
// TSkinScrollbar: a toolkit control with window scroll bars (memo, grid,
// scroll box, tree, rich edit, other vendors' lists) gets two overlays
// (TWScrollbar), horizontal and vertical, over its native bars, the square
// where they meet filled with the scheme's face colour and, unless the
// control has no border, a flat 2-pixel border (shadow outside, face inside)
// instead of its sunken edge. A grid's FixedColor takes the face colour while
// skinned. TSkinListView adds the list view's column header (skinned by the
// tab family's TSkinHeader when that family makes one).
//
// The skinner follows its control: size, position and visibility changes
// place the overlays again; the control's scroll notifications show the part
// being operated pressed; a window the control recreates is taken over again
// by the same skinner (the control's WindowProc hook outlives the window).
#include "skin/paint/win32/SkinScrollOverlay.h"
#include "skin/paint/win32/Winsubclass.h"

namespace relayon::skin {

class TSkinScrollbar : public TSkinControl {
public:
    explicit TSkinScrollbar(TComponent* AOwner);
    ~TSkinScrollbar() override;

    void Unsubclass() override;
    bool BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC dc, const RECT& rc) override;
    void SkinChange() override;
    virtual void InitScrollbar(TWinControl* acontrol, TSkinData* sd, TCanvas* acanvas, TWinSkinForm* sf);

    // Places both overlays over the control window's bars.
    void SetScrollbarPos();
    // The flat border: shadow on the outermost pixels, face just inside.
    void DrawBorder(HDC dc, const RECT& rect);
    void BENCPAINT(HDC dc);

    TWScrollbar* hb = nullptr;  // owned (components of this skinner)
    TWScrollbar* vb = nullptr;
    bool border = false;

protected:
    // Takes over the control's new window after it recreated it.
    void FollowRecreatedWindow();
    bool recreating_ = false;
    // A grid's fixed-cell text was given the skin's text colour.
    bool fixedText_ = false;
};

class TSkinListView : public TSkinScrollbar {
public:
    using TSkinScrollbar::TSkinScrollbar;
    void InitScrollbar(TWinControl* acontrol, TSkinData* sd, TCanvas* acanvas, TWinSkinForm* sf) override;
    TSkinControl* header = nullptr;  // the header's skinner, when one was made
};

// Shared by the skinners with a pair of window-bar overlays.
namespace scrollbars {
// A scroll notification names the part being operated; SB_ENDSCROLL (8)
// matches no part and so clears the highlight.
void ShowOperatedPart(TWScrollbar* bar, WPARAM wParam);
void RepaintShown(TWScrollbar* hb, TWScrollbar* vb);
// Fills the square between the two bars of `h` (when both show) in `colour`.
void FillCorner(HWND h, TWScrollbar* hb, TWScrollbar* vb, TColor colour);
}  // namespace scrollbars

}  // namespace relayon::skin
