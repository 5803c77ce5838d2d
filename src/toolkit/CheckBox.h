#pragma once
// Check box over the system BUTTON (BS_CHECKBOX: the toolkit toggles it).
// Setting Checked sends BM_SETCHECK and runs OnClick, like a user click;
// SetCheckedSilently changes the mark without running OnClick.
#include "toolkit/WinControl.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* AOwner);

    bool Checked();
    void SetChecked(bool value);
    void SetCheckedSilently(bool value);
    TCheckBoxState State();
    void SetState(TCheckBoxState state);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool v) { allowGrayed_ = v; }
    // taRightJustify (box left of the caption) or taLeftJustify (BS_LEFTTEXT).
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    bool ClicksOnMouseUp() const override { return false; }
    virtual void Toggle();
    void CreateWindowHandleDone() override;
    void SaveWindowState() override;

private:
    void ApplyState(TCheckBoxState state, bool fireClick);

    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
    TAlignment alignment_ = taRightJustify;
};
