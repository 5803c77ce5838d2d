#pragma once
// Single-line edit over the system EDIT, with a sunken border
// (WS_EX_CLIENTEDGE). OnChange runs for every change of the text (typed or
// set); OnExit when focus leaves it for another control of the form.
#include "toolkit/WinControl.h"

class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* AOwner);

    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    TBorderStyle BorderStyle() const { return border_ ? bsSingle : bsNone; }
    void SetBorderStyle(TBorderStyle value);
    void SelectAll();

    TNotifyEvent OnChange;

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override;
    bool ClicksOnMouseUp() const override { return false; }
    virtual void Change();

private:
    int maxLength_ = 0;
    bool readOnly_ = false;
    bool border_ = true;
};
