#pragma once
// Container skinners that only recolour:
// - TSkinBox: panels, embedded forms, tool bars and navigator panels. It does
//   not subclass; with acolor the control's Color becomes csButtonFace and
//   goes back when unskinned. A tool bar's painters (SkinToolbarPainters.h)
//   are given back with it.
// - TSkinBoxH: nested dialogs and tool-bar windows known only by handle:
//   the background is csButtonFace and static children get the skin's brush.
// - TSkinSizer: the size-grip scroll-bar window, filled with csButtonFace.
#include "skin/paint/win32/Winsubclass.h"

namespace relayon::skin {

class TSkinBox : public TSkinControl {
public:
    explicit TSkinBox(TComponent* AOwner);
    ~TSkinBox() override;

    void Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) override;
    void AfterProc(TMessage& Message) override;
    void Unsubclass() override;
};

class TSkinBoxH : public TSkinControl {
public:
    explicit TSkinBoxH(TComponent* AOwner);
    bool BeforeProc(TMessage& Message) override;
};

class TSkinSizer : public TSkinControl {
public:
    explicit TSkinSizer(TComponent* AOwner);
    bool BeforeProc(TMessage& Message) override;
    void DrawControl(HDC dc, const RECT& rc) override;
};

}  // namespace relayon::skin
