#pragma once
// TSkinToolbar: a tool-bar window whose ground is erased from the skin: the
// Toolbar image stretched over the client, or without one a vertical
// gradient from a light face tint down to a grey shade of the caption colour.
// The bar's buttons and notifications stay the system's.
#include "skin/paint/win32/Winsubclass.h"

namespace relayon::skin {

class TSkinToolbar : public TSkinControl {
public:
    explicit TSkinToolbar(TComponent* AOwner);

    void Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) override;
    void Inithwnd(HWND ahwnd, TSkinData* sd, TCanvas* acanvas, TWinSkinForm* sf) override;
    bool BeforeProc(TMessage& Message) override;
    void ERASEBKGND(TMessage& Message);

    TColor gradCol1 = clNone;
    TColor gradCol2 = clNone;

private:
    void ComputeGradient();
};

}  // namespace relayon::skin
