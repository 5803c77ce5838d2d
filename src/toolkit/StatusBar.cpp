#include "toolkit/StatusBar.h"

#include <commctrl.h>

#include "toolkit/Form.h"

#include <stdexcept>

void TStatusPanel::SetText(const std::wstring& text) {
    if (text == text_) return;
    text_ = text;
    bar_->UpdatePanelText(Index());
}
void TStatusPanel::SetWidth(int width) {
    width_ = width;
    bar_->UpdatePanels();
}
void TStatusPanel::SetAlignment(TAlignment a) {
    alignment_ = a;
    bar_->UpdatePanelText(Index());
}
void TStatusPanel::SetBevel(TStatusPanelBevel b) {
    bevel_ = b;
    bar_->UpdatePanelText(Index());
}
void TStatusPanel::SetStyle(TStatusPanelStyle s) {
    style_ = s;
    bar_->UpdatePanelText(Index());
}
int TStatusPanel::Index() const {
    for (int i = 0; i < bar_->Panels().Count(); ++i)
        if (bar_->Panels().Items(i) == this) return i;
    return -1;
}

TStatusPanel* TStatusPanels::Add() {
    panels_.push_back(std::make_unique<TStatusPanel>(bar_));
    bar_->UpdatePanels();
    return panels_.back().get();
}

TStatusPanel* TStatusPanels::Items(int index) const {
    if (index < 0 || index >= Count()) throw std::out_of_range("status panel index out of range");
    return panels_[static_cast<size_t>(index)].get();
}

void TStatusPanels::Delete(int index) {
    if (index < 0 || index >= Count()) throw std::out_of_range("status panel index out of range");
    panels_.erase(panels_.begin() + index);
    bar_->UpdatePanels();
}

void TStatusPanels::Clear() {
    panels_.clear();
    bar_->UpdatePanels();
}

TStatusBar::TStatusBar(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 200;
    height_ = 19;
}

void TStatusBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = STATUSCLASSNAMEW;
    params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    // A grip only means something on a form the user can resize.
    if (sizeGrip_ && ParentFormSizeable()) params.Style |= SBARS_SIZEGRIP;
}

bool TStatusBar::ParentFormSizeable() const {
    const TForm* form = ParentForm();
    if (!form) return true;
    return form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin;
}

void TStatusBar::UpdatePanels() {
    if (!HandleAllocated()) return;
    SendMessageW(handle_, SB_SIMPLE, simplePanel_, 0);
    if (simplePanel_) {
        SendMessageW(handle_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
        return;
    }
    std::vector<int> edges;
    int right = 0;
    for (int i = 0; i < panels_.Count(); ++i) {
        right += panels_.Items(i)->Width();
        edges.push_back(i == panels_.Count() - 1 ? -1 : right);
    }
    if (edges.empty()) edges.push_back(-1);
    SendMessageW(handle_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < panels_.Count(); ++i) UpdatePanelText(i);
}

void TStatusBar::UpdatePanelText(int index) {
    if (!HandleAllocated() || simplePanel_ || index < 0 || index >= panels_.Count()) return;
    TStatusPanel* panel = panels_.Items(index);
    WPARAM flags = static_cast<WPARAM>(index);
    if (panel->Bevel() == pbNone) flags |= SBT_NOBORDERS;
    if (panel->Bevel() == pbRaised) flags |= SBT_POPOUT;
    if (panel->Style() == psOwnerDraw) flags |= SBT_OWNERDRAW;
    // Centre and right alignment use the control's tab markers.
    std::wstring text = panel->Text();
    if (panel->Alignment() == taCenter) text = L"\t" + text;
    if (panel->Alignment() == taRightJustify) text = L"\t\t" + text;
    SendMessageW(handle_, SB_SETTEXTW, flags, reinterpret_cast<LPARAM>(text.c_str()));
}

void TStatusBar::SetSimplePanel(bool v) {
    simplePanel_ = v;
    UpdatePanels();
}

void TStatusBar::SetSimpleText(const std::wstring& text) {
    simpleText_ = text;
    if (HandleAllocated() && simplePanel_)
        SendMessageW(handle_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
}

void TStatusBar::SetSizeGrip(bool v) {
    if (v == sizeGrip_) return;
    sizeGrip_ = v;
    const bool grip = v && ParentFormSizeable();
    ApplyStyle(grip ? SBARS_SIZEGRIP : 0, grip ? 0 : SBARS_SIZEGRIP);
    Invalidate();
}

void TStatusBar::WndProc(TMessage& message) {
    if (message.Msg == CN_DRAWITEM && OnDrawPanel) {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
        int index = static_cast<int>(item->itemID);
        if (index >= 0 && index < panels_.Count()) OnDrawPanel(this, panels_.Items(index), item->rcItem);
        message.Result = TRUE;
        return;
    }
    TWinControl::WndProc(message);
}
