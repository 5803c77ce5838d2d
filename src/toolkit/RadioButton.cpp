#include "toolkit/RadioButton.h"

TRadioButton::TRadioButton(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 113;
    height_ = 17;
}

void TRadioButton::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = L"BUTTON";
    params.Style |= BS_RADIOBUTTON;
    if (alignment_ == taLeftJustify) params.Style |= BS_LEFTTEXT;
}

void TRadioButton::CreateWindowHandleDone() { ShowMark(); }

void TRadioButton::SaveWindowState() {
    Checked();
    TWinControl::SaveWindowState();
}

void TRadioButton::ShowMark() {
    if (!HandleAllocated()) return;
    SendMessageW(handle_, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TRadioButton::Checked() {
    if (HandleAllocated()) checked_ = SendMessageW(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED;
    return checked_;
}

void TRadioButton::SetChecked(bool value) {
    if (Checked() == value) return;
    checked_ = value;
    // Only the checked button of a group is a tab stop, as in dialogs: Tab
    // enters the group at its current choice.
    SetTabStop(value);
    ShowMark();
    if (!value) return;
    if (TWinControl* parent = Parent()) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i));
            if (sibling && sibling != this) sibling->SetChecked(false);
        }
    }
    if (!IsLoading()) Click();
}

void TRadioButton::SetAlignment(TAlignment a) {
    alignment_ = a;
    ApplyStyle(a == taLeftJustify ? BS_LEFTTEXT : 0, a == taLeftJustify ? 0 : BS_LEFTTEXT);
    Invalidate();
}

void TRadioButton::WndProc(TMessage& message) {
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
        SetChecked(true);
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}
