#pragma once
// Combo box over the system COMBOBOX. csDropDown is editable. Setting
// ItemIndex selects without running OnChange; choosing an item and typing
// both run OnChange, and after typing ItemIndex reads -1 until an item is
// chosen again.
#include "toolkit/core/Strings.h"
#include "toolkit/WinControl.h"

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* AOwner);

    TStrings& Items() { return items_; }
    int ItemIndex();
    // -1 or an index out of range clears the selection.
    void SetItemIndex(int index);
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle style);
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int n) { dropDownCount_ = n; }
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int n);
    bool DroppedDown();
    void SetDroppedDown(bool value);
    void SetBounds(int left, int top, int width, int height) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TNotifyEvent OnSelect;

    void WndProc(TMessage& message) override;
    void Loaded() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override;
    void SaveWindowState() override;
    bool ClicksOnMouseUp() const override { return false; }
    virtual void Change();

private:
    void ItemsChanged(TStrings::Change change, int index, const std::wstring& value);
    int WindowHeight() const;

    TStrings items_;
    TComboBoxStyle style_ = csDropDown;
    int itemIndex_ = -1;
    int dropDownCount_ = 8;
    int maxLength_ = 0;
    bool typedSinceSelection_ = false;
};
