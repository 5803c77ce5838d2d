#include "skin/paint/win32/SkinToolbarPainters.h"

#include <algorithm>
#include <vector>

#include "skin/paint/win32/SkinButtonParts.h"
#include "skin/paint/win32/SkinEngineDebug.h"
#include "skin/paint/win32/SkinPrimitives.h"
#include "skin/paint/win32/SkinnerFamilies.h"

namespace relayon::skin {

namespace {

// Every live hook; a bar has at most one.
std::vector<TToolBarPainters*>& Hooks() {
    static std::vector<TToolBarPainters*> hooks;
    return hooks;
}

bool HasImage(const TDataSkinObject* o) { return o && o->Map && !o->Map->Empty(); }

TTBCustomDrawEvent BackgroundEvent(TToolBarPainters* p) {
    return TTBCustomDrawEvent(p, &TToolBarPainters::ToolBarDrawBackground);
}
TTBCustomDrawBtnEvent ButtonEvent(TToolBarPainters* p) {
    return TTBCustomDrawBtnEvent(p, &TToolBarPainters::ToolBarDrawButton);
}

}  // namespace

int ToolButtonCell(TCustomDrawState state) {
    if (state.Contains(cdsGrayed) || state.Contains(cdsDisabled)) return 0;
    if (state.Contains(cdsSelected)) return 2;
    if (state.Contains(cdsFocused) || state.Contains(cdsHot)) return 4;
    // Checked, marked and indeterminate buttons get the bar's own patterned
    // ground over any plate; their text then keeps the bar's colour so it
    // stays readable on it.
    for (TCustomDrawStateFlag f : {cdsChecked, cdsMarked, cdsIndeterminate})
        if (state.Contains(f)) return 0;
    return 1;
}

TToolBarPainters::TToolBarPainters(TWinSkinForm* sf, TToolBar* bar) : TComponent(sf), sf_(sf), bar_(bar) {
    FreeNotification(bar);
    if (!bar->OnCustomDraw) {
        bar->OnCustomDraw = BackgroundEvent(this);
        background_ = true;
    }
    if (!bar->OnCustomDrawButton) {
        bar->OnCustomDrawButton = ButtonEvent(this);
        buttons_ = true;
        oldBarProc_ = bar->WindowProc;
        bar->WindowProc = TWndMethod(this, &TToolBarPainters::BarWindowProc);
    }
    Hooks().push_back(this);
    if (bar->HandleAllocated()) bar->Invalidate();
}

TToolBarPainters::~TToolBarPainters() {
    GiveBack();
    auto& hooks = Hooks();
    hooks.erase(std::remove(hooks.begin(), hooks.end(), this), hooks.end());
}

void TToolBarPainters::GiveBack() {
    TToolBar* bar = bar_;
    bar_ = nullptr;
    if (!bar || bar->IsDestroying()) return;
    RemoveFreeNotification(bar);
    // Someone may have set their own handler since; theirs stays.
    if (background_ && bar->OnCustomDraw == BackgroundEvent(this)) bar->OnCustomDraw = nullptr;
    if (buttons_ && bar->OnCustomDrawButton == ButtonEvent(this)) bar->OnCustomDrawButton = nullptr;
    if (buttons_ && bar->WindowProc == TWndMethod(this, &TToolBarPainters::BarWindowProc)) bar->WindowProc = oldBarProc_;
    if (bar->HandleAllocated()) bar->Invalidate();
}

void TToolBarPainters::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == bar_) bar_ = nullptr;
    if (operation == opRemove && component == sf_) sf_ = nullptr;
}

void TToolBarPainters::BarWindowProc(TMessage& message) {
    TToolBar* bar = bar_;
    const bool custom = message.Msg == CN_NOTIFY && message.LParam &&
                        reinterpret_cast<NMHDR*>(message.LParam)->code == static_cast<UINT>(NM_CUSTOMDRAW);
    plated_ = false;
    if (oldBarProc_) oldBarProc_(message);
    else if (bar) bar->WndProc(message);
    if (!custom) return;
    auto* draw = reinterpret_cast<NMTBCUSTOMDRAW*>(message.LParam);
    if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT || (message.Result & CDRF_SKIPDEFAULT)) return;
    if (plated_) message.Result |= TBCDRF_NOBACKGROUND | TBCDRF_NOEDGES;
    // A disabled caption is etched: a copy in the highlight colour one pixel
    // down and right under the grey one, which on a dark skin's bar reads
    // as bright text. In the skin's face colour that copy melts into the bar.
    TSkinData* sd = sf_ ? sf_->fsd : nullptr;
    if ((draw->nmcd.uItemState & CDIS_DISABLED) && sd && sf_->Skinstate == 1)
        draw->clrBtnHighlight = FaceColour(sd);
}

void TToolBarPainters::ToolBarDrawBackground(TToolBar* Sender, const RECT& ARect, bool&) {
    try {
        TSkinData* sd = sf_ ? sf_->fsd : nullptr;
        if (!Sender || !sd || !HasImage(sd->Toolbar.get()) || sd->Options().Contains(xoToolbarBK)) return;
        HDC dc = Sender->Canvas().Handle();
        TBitmap& map = *sd->Toolbar->Map;
        if (!dc || ARect.right <= ARect.left || ARect.bottom <= ARect.top) return;
        int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, ARect.left, ARect.top, ARect.right - ARect.left, ARect.bottom - ARect.top,
                   map.Canvas().Handle(), 0, 0, map.Width(), map.Height(), SRCCOPY);
        SetStretchBltMode(dc, oldMode);
    } catch (...) {
        // The bar then shows its own ground.
    }
}

void TToolBarPainters::ToolBarDrawButton(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, bool&) {
    try {
        TSkinData* sd = sf_ ? sf_->fsd : nullptr;
        if (!Sender || !Button || !sd || !HasImage(sd->Button.get()) || sf_->Skinstate != 1 ||
            sd->Options().Contains(xoToolbarButton))
            return;
        const int cell = ToolButtonCell(State);
        if (cell == 0) return;
        TDataSkinButton& skin = *sd->Button;
        TCanvas& canvas = Sender->Canvas();
        if (cell == 1 && skin.newnormal) canvas.Font().SetColor(skin.Normalcolor2);
        if (cell == 4 && skin.newover) canvas.Font().SetColor(skin.Overcolor2);
        if (cell == 2 && skin.newdown) canvas.Font().SetColor(skin.Downcolor2);
        RECT r{};
        if (!Sender->HandleAllocated() ||
            !SendMessageW(Sender->Handle(), TB_GETRECT, static_cast<WPARAM>(Button->CommandId()),
                          reinterpret_cast<LPARAM>(&r)))
            return;
        InflateRect(&r, -1, -1);
        HDC dc = canvas.Handle();
        if (!dc || r.right <= r.left || r.bottom <= r.top) return;
        DrawRect2(dc, r, *skin.Map, {skin.r.Left, skin.r.Top, skin.r.Right, skin.r.Bottom}, cell, 5, skin.trans == 1,
                  skin.Tile != 0, false);
        plated_ = true;
    } catch (...) {
        // The button keeps the bar's own drawing.
    }
}

void HookPainters(TWinSkinForm* sf, TToolBar* bar) {
    if (!sf || !bar || FindToolBarPainters(bar)) return;
    auto* hook = new TToolBarPainters(sf, bar);
    if (!hook->HookedBackground() && !hook->HookedButtons()) delete hook;
}

TToolBarPainters* FindToolBarPainters(const TComponent* bar) {
    for (TToolBarPainters* p : Hooks())
        if (bar && p->Bar() == bar) return p;
    return nullptr;
}

void ReleaseToolBarPainters(TComponent* bar) { delete FindToolBarPainters(bar); }

void HookToolBarPainters(TWinSkinForm* sf, TComponent* toolBar) {
    HookPainters(sf, dynamic_cast<TToolBar*>(toolBar));
}

}  // namespace relayon::skin
