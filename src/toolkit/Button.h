#pragma once
// Push button over the system BUTTON. OnClick runs for a mouse click, Space
// (both reported by the system as BN_CLICKED) and Enter while focused; Enter
// anywhere in the form clicks the Default button and Esc the Cancel button.
#include "toolkit/WinControl.h"

// True when `caption` marks `key` as its accelerator with '&' (case-insensitive).
bool IsAccelerator(wchar_t key, const std::wstring& caption);

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* AOwner);

    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }

    void Click() override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;
};
