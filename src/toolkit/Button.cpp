#include "toolkit/Button.h"

#include "toolkit/ControlAtom.h"
#include "toolkit/Form.h"

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
    tabStop_ = true;
    width_ = 75;
    height_ = 25;
}

void TButton::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = L"BUTTON";
    params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool value) {
    if (value == default_) return;
    default_ = value;
    if (HandleAllocated()) SendMessageW(handle_, BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

bool IsAccelerator(wchar_t key, const std::wstring& caption) {
    // The character after a single '&' ("&&" is a literal ampersand).
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        return CharUpperW(reinterpret_cast<LPWSTR>(static_cast<uintptr_t>(caption[i + 1]))) ==
               CharUpperW(reinterpret_cast<LPWSTR>(static_cast<uintptr_t>(key)));
    }
    return false;
}

void TButton::Click() { TWinControl::Click(); }

void TButton::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CN_COMMAND:
        if (HIWORD(message.WParam) == BN_CLICKED) {
            Click();
            message.Result = 0;
            return;
        }
        break;
    case CM_DIALOGCHAR:
        if (CanFocus() && IsAccelerator(static_cast<wchar_t>(message.WParam), GetText())) {
            Click();
            message.Result = 1;
            return;
        }
        break;
    case CM_DIALOGKEY: {
        if (!CanFocus()) break;
        WORD key = static_cast<WORD>(message.WParam);
        bool focused = Focused();
        bool otherButtonFocused = false;
        if (!focused) {
            TWinControl* f = FindControlOrAncestor(GetFocus());
            otherButtonFocused = dynamic_cast<TButton*>(f) != nullptr;
        }
        if ((key == VK_RETURN && (focused || (default_ && !otherButtonFocused))) || (key == VK_ESCAPE && cancel_)) {
            Click();
            message.Result = 1;
            return;
        }
        break;
    }
    }
    TWinControl::WndProc(message);
}
