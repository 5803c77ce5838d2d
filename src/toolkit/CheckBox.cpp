#include "toolkit/CheckBox.h"

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner) {
    tabStop_ = true;
    width_ = 97;
    height_ = 17;
}

void TCheckBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = L"BUTTON";
    params.Style |= BS_3STATE;
    if (alignment_ == taLeftJustify) params.Style |= BS_LEFTTEXT;
}


void TCheckBox::CreateWindowHandleDone() {
    SendMessageW(handle_, BM_SETCHECK,
                 state_ == cbChecked ? BST_CHECKED : state_ == cbGrayed ? BST_INDETERMINATE : BST_UNCHECKED, 0);
}

void TCheckBox::SaveWindowState() {
    State();
    TWinControl::SaveWindowState();
}

TCheckBoxState TCheckBox::State() {
    if (HandleAllocated()) {
        LRESULT r = SendMessageW(handle_, BM_GETCHECK, 0, 0);
        state_ = r == BST_CHECKED ? cbChecked : r == BST_INDETERMINATE ? cbGrayed : cbUnchecked;
    }
    return state_;
}

bool TCheckBox::Checked() { return State() == cbChecked; }

void TCheckBox::ApplyState(TCheckBoxState state, bool fireClick) {
    if (State() == state) return;
    state_ = state;
    if (HandleAllocated())
        SendMessageW(handle_, BM_SETCHECK,
                     state == cbChecked ? BST_CHECKED : state == cbGrayed ? BST_INDETERMINATE : BST_UNCHECKED, 0);
    if (fireClick && !IsLoading()) Click();
}

void TCheckBox::SetChecked(bool value) { ApplyState(value ? cbChecked : cbUnchecked, true); }
void TCheckBox::SetCheckedSilently(bool value) { ApplyState(value ? cbChecked : cbUnchecked, false); }
void TCheckBox::SetState(TCheckBoxState state) { ApplyState(state, true); }

void TCheckBox::SetAlignment(TAlignment a) {
    alignment_ = a;
    ApplyStyle(a == taLeftJustify ? BS_LEFTTEXT : 0, a == taLeftJustify ? 0 : BS_LEFTTEXT);
    Invalidate();
}

void TCheckBox::Toggle() {
    switch (State()) {
    case cbUnchecked: SetState(allowGrayed_ ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TCheckBox::WndProc(TMessage& message) {
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
        Toggle();
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}
