#include "skin/paint/win32/SkinTab31.h"

#include <algorithm>

#include "skin/data/win32/ImgutilWin32.h"
#include "skin/paint/win32/SkinTabParts.h"
#include "skin/paint/win32/SkinnerFamilies.h"
#include "toolkit/TabSet.h"

namespace relayon::skin {

TSkinTab31::TSkinTab31(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinTab31::Notification(TComponent* component, TOperation operation) {
    TSkinControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == updown) updown = nullptr;
    if (component == scroller) scroller = nullptr;
}

void TSkinTab31::Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool) {
    auto* tabSet = dynamic_cast<TWinControl*>(Owner());
    if (Inited || !tabSet) return;
    // The tab set paints itself in its own window procedure; the skinner sits
    // in front of the window so it sees the paint before the control does.
    Inithwnd(tabSet->Handle(), sd, acanvas, sf);
    control = tabSet;
    inittab();
    auto* set = dynamic_cast<TTabSet*>(tabSet);
    if (set && set->ComponentCount() > 0 && set->Components(0) == &set->Scroller()) {
        scroller = &set->Scroller();
        FreeNotification(scroller);
        if (sf && set->Scroller().HandleAllocated()) {
            SkinnerRequest request;
            request.owner = Owner();
            updown = StartSkinner(sf, L"TSkinUpDown", nullptr, set->Scroller().Handle(), request);
            if (updown) FreeNotification(updown);
        }
    }
}

void TSkinTab31::inittab() {
    tabbmp = fsd && fsd->tab ? WorkingCopy(fsd->tab->Map.get()) : nullptr;
    if (tabbmp) SpiegelnVertikal(*tabbmp);
}

bool TSkinTab31::BeforeProc(TMessage& Message) {
    switch (Message.Msg) {
    // Painted here completely: the tab set's own picture would cover the skin's.
    case WM_PAINT: WMPaint(Message); return false;
    case WM_ERASEBKGND: Message.Result = 1; return false;
    }
    return TSkinControl::BeforeProc(Message);
}

void TSkinTab31::DrawControl(HDC dc, const RECT& rc) {
    auto* set = dynamic_cast<TTabSet*>(control);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    HDC m = canvas_.Prepare(w, h);
    if (!dc || !m || !set || !fsd) return;
    {
        DcStateGuard keep(m);
        FillColor(m, RECT{0, 0, w, h}, SchemeColor(fsd, csButtonFace));
        SelectObject(m, set->Font().Handle());
        const int shown = set->VisibleTabs();
        for (int i = set->FirstIndex(); i < set->FirstIndex() + shown && i < set->Tabs().Count(); ++i) {
            RECT r = set->ItemRect(i);
            r.bottom = std::min<LONG>(r.bottom, h);
            if (r.right <= r.left || r.bottom <= r.top) continue;
            const int I = i == set->TabIndex() ? 2 : 1;
            if (tabbmp) DrawObjectCell(m, r, *tabbmp, *fsd->tab, I, fsd->tab->trans == 1);
            TColor colour = SchemeColor(fsd, csButtonText);
            if (fsd->tab) colour = I == 1 ? fsd->tab->Normalcolor2 : fsd->tab->Overcolor2;
            SetTextColor(m, ColorToRGB(colour));
            SetBkMode(m, TRANSPARENT);
            const std::wstring& text = set->Tabs().Strings(i);
            DrawTextW(m, text.c_str(), static_cast<int>(text.size()), &r,
                      CheckBiDi(DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX));
        }
    }
    canvas_.CopyTo(dc, rc.left, rc.top);
}

void TSkinTab31::SkinChange() {
    inittab();
    TSkinControl::SkinChange();
}

}  // namespace relayon::skin
