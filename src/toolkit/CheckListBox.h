#pragma once
// List box whose entries carry a check mark, drawn by the toolkit
// (LBS_OWNERDRAWFIXED): a box at the left of each entry, then its text.
// A click on the box or Space on the focused entry toggles the mark and runs
// OnClickCheck; setting Checked from code runs nothing.
#include <vector>

#include "toolkit/ListBox.h"

class TCheckListBox : public TListBox {
public:
    explicit TCheckListBox(TComponent* AOwner);

    bool Checked(int index) const;
    void SetChecked(int index, bool value);

    TNotifyEvent OnClickCheck;

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override;
    void ItemInserted(int index) override;
    void ItemDeleted(int index) override;
    void ItemsCleared() override { checked_.clear(); }
    void ItemsReordered(const std::vector<int>& from) override;

private:
    int ItemHeight();
    void DrawItem(const DRAWITEMSTRUCT& item);
    void Toggle(int index);

    std::vector<bool> checked_;
};
