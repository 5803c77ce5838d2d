#pragma once
// Radio button over the system BUTTON (BS_RADIOBUTTON: the toolkit keeps the
// mark, so a group is exactly the radio buttons sharing one parent). Checking
// one clears its checked siblings and runs OnClick; unchecking runs nothing.
// A user click or Space (BN_CLICKED) checks it.
#include "toolkit/WinControl.h"

class TRadioButton : public TWinControl {
public:
    explicit TRadioButton(TComponent* AOwner);

    bool Checked();
    void SetChecked(bool value);
    // taRightJustify (mark left of the caption) or taLeftJustify (BS_LEFTTEXT).
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    bool ClicksOnMouseUp() const override { return false; }
    void CreateWindowHandleDone() override;
    void SaveWindowState() override;

private:
    void ShowMark();

    bool checked_ = false;
    TAlignment alignment_ = taRightJustify;
};
