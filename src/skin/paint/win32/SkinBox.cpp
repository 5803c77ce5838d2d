#include "skin/paint/win32/SkinBox.h"

#include <algorithm>
#include <utility>

#include "skin/paint/win32/SkinButtonParts.h"
#include "skin/paint/win32/SkinToolbarPainters.h"
#include "toolkit/WinControl.h"

namespace relayon::skin {

template <class Visit>
void SkinnedText::OwnGroundChildren(TWinControl* parent, Visit visit) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (!c->ParentFont()) continue;
        if (!c->ParentColor()) visit(c);
        else if (auto* inner = dynamic_cast<TWinControl*>(c)) OwnGroundChildren(inner, visit);
    }
}

void SkinnedText::Apply(TWinControl* control, TSkinData* sd) {
    if (applied_ || !control || !sd || sd->Empty || !IsSystemTextColour(control->Font().Color())) return;
    applied_ = true;
    old_ = control->Font().Color();
    parentFont_ = control->ParentFont();
    kept_.clear();
    OwnGroundChildren(control, [&](TControl* c) { kept_.push_back(c); });
    control->Font().SetColor(SchemeColor(sd, csButtonText));
    for (TControl* c : kept_) c->Font().SetColor(old_);
}

void SkinnedText::Reapply(TWinControl* control, TSkinData* sd) {
    if (!applied_ || !control || !sd || sd->Empty) return;
    control->Font().SetColor(SchemeColor(sd, csButtonText));
}

void SkinnedText::Restore(TWinControl* control) {
    if (!applied_) return;
    applied_ = false;
    std::vector<TControl*> kept = std::exchange(kept_, {});
    if (!control || control->IsDestroying()) return;
    control->Font().SetColor(old_);
    if (parentFont_) control->SetParentFont(true);
    // Only children still there get their parentage back: they are looked
    // for in the live tree, never reached through the kept pointers.
    std::vector<TControl*> back;
    auto walk = [&](auto&& self, TWinControl* parent) -> void {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            TControl* c = parent->Controls(i);
            if (std::find(kept.begin(), kept.end(), c) != kept.end()) back.push_back(c);
            if (auto* inner = dynamic_cast<TWinControl*>(c)) self(self, inner);
        }
    };
    walk(walk, control);
    for (TControl* c : back) c->SetParentFont(true);
}

TSkinBox::TSkinBox(TComponent* AOwner) : TSkinControl(AOwner) {}

TSkinBox::~TSkinBox() {
    // A form closing frees its skinners without unskinning them first.
    if (control) ReleaseToolBarPainters(control);
}

void TSkinBox::Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) {
    if (Inited) return;
    fsd = sd;
    fCanvas = acanvas;
    control = dynamic_cast<TWinControl*>(Owner());
    if (!control) return;
    hwnd = control->HandleAllocated() ? control->Handle() : nullptr;
    Register(sf);
    if (acolor) {
        oldcolor = control->Color();
        newColor = true;
        control->SetColor(SchemeColor(fsd, csButtonFace));
        text_.Apply(control, fsd);
    }
    Inited = true;
    skinstate = 1;
}

void TSkinBox::AfterProc(TMessage&) {}

void TSkinBox::Unsubclass() {
    if (control) ReleaseToolBarPainters(control);
    if (skinstate == 4) return;
    text_.Restore(control);
    TSkinControl::Unsubclass();
    if (control && !control->IsDestroying()) control->Invalidate();
    skinstate = 2;
}

void TSkinBox::SkinChange() {
    text_.Reapply(control, fsd);
    TSkinControl::SkinChange();
}

TSkinBoxH::TSkinBoxH(TComponent* AOwner) : TSkinControl(AOwner) {}

bool TSkinBoxH::BeforeProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_ERASEBKGND: {
        RECT wr{};
        GetWindowRect(hwnd, &wr);
        FillBG(reinterpret_cast<HDC>(Message.WParam), RECT{0, 0, wr.right - wr.left, wr.bottom - wr.top});
        Message.Result = 0;
        return false;
    }
    case WM_CTLCOLORSTATIC:
        Default(Message);
        if (fsd && fsd->BGBrush.get()) Message.Result = reinterpret_cast<LRESULT>(fsd->BGBrush.get());
        return false;
    default:
        return TSkinControl::BeforeProc(Message);
    }
}

TSkinSizer::TSkinSizer(TComponent* AOwner) : TSkinControl(AOwner) {}

bool TSkinSizer::BeforeProc(TMessage& Message) {
    if (Message.Msg == WM_PAINT) {
        WMPaint(Message);
        return false;
    }
    return TSkinControl::BeforeProc(Message);
}

void TSkinSizer::DrawControl(HDC dc, const RECT& rc) { FillBG(dc, rc); }

}  // namespace relayon::skin
