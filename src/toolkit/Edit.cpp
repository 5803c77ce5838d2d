#include "toolkit/Edit.h"

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner) {
    tabStop_ = true;
    color_ = clWindow;
    width_ = 121;
    height_ = 21;
}

void TEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = L"EDIT";
    params.Style |= ES_AUTOHSCROLL | ES_LEFT;
    if (readOnly_) params.Style |= ES_READONLY;
    if (border_) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::CreateWindowHandleDone() {
    SendMessageW(handle_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TEdit::SetMaxLength(int value) {
    maxLength_ = value < 0 ? 0 : value;
    if (HandleAllocated()) SendMessageW(handle_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TEdit::SetReadOnly(bool value) {
    readOnly_ = value;
    if (HandleAllocated()) SendMessageW(handle_, EM_SETREADONLY, value, 0);
}

void TEdit::SetBorderStyle(TBorderStyle style) {
    bool value = style != bsNone;
    border_ = value;
    ApplyExStyle(value ? WS_EX_CLIENTEDGE : 0, value ? 0 : WS_EX_CLIENTEDGE);
}

void TEdit::SelectAll() {
    if (HandleAllocated()) SendMessageW(handle_, EM_SETSEL, 0, -1);
}

void TEdit::Change() {
    if (OnChange && !IsLoading()) OnChange(this);
}

void TEdit::WndProc(TMessage& message) {
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == EN_CHANGE) {
        Change();
        return;
    }
    if (message.Msg == CN_CTLCOLORSTATIC && !Enabled()) {
        // Disabled edits keep the system's grey look.
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        message.Result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    TWinControl::WndProc(message);
}
