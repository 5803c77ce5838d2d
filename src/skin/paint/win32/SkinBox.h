#pragma once
// Container skinners that only recolour:
// - TSkinBox: panels, embedded forms, tool bars and navigator panels. It does
//   not subclass; with acolor the control's Color becomes csButtonFace and
//   goes back when unskinned, and so does its text colour (SkinnedText). A
//   tool bar's painters (SkinToolbarPainters.h) are given back with it.
// - TSkinBoxH: nested dialogs and tool-bar windows known only by handle:
//   the background is csButtonFace and static children get the skin's brush.
// - TSkinSizer: the size-grip scroll-bar window, filled with csButtonFace.
#include <vector>

#include "skin/paint/win32/Winsubclass.h"

namespace relayon::skin {

// A skinned container's text colour. Labels and the other children that take
// their parent's colour and font draw their own ground and text; the
// container's Color (csButtonFace) gives them the skin's ground, and this
// gives them the skin's text colour: a container whose font has a system
// text colour takes csButtonText while skinned, passed on to those children.
// Children with a ground of their own (edits, lists) that follow the
// container's font keep the system text colour on it. Everything gets its
// colour and font parentage back afterwards.
class SkinnedText {
public:
    void Apply(TWinControl* control, TSkinData* sd);
    // A new skin's text colour, when applied.
    void Reapply(TWinControl* control, TSkinData* sd);
    void Restore(TWinControl* control);

private:
    // Children (and, through those showing the container's ground, their
    // children) that follow the container's font but paint their own ground.
    template <class Visit>
    static void OwnGroundChildren(TWinControl* parent, Visit visit);

    bool applied_ = false;
    bool parentFont_ = false;
    TColor old_ = clWindowText;
    std::vector<TControl*> kept_;
};

class TSkinBox : public TSkinControl {
public:
    explicit TSkinBox(TComponent* AOwner);
    ~TSkinBox() override;

    void Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) override;
    void AfterProc(TMessage& Message) override;
    void Unsubclass() override;
    void SkinChange() override;

private:
    SkinnedText text_;
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
