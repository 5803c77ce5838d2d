#pragma once
// List box over the system LISTBOX. The window's entries follow Items one to
// one, in the same order: with Sorted the toolkit keeps Items itself in the
// order the user sees (case-insensitive, as the system sorts). MultiSelect
// lets Shift and Ctrl extend the selection (LBS_EXTENDEDSEL). A selection
// made by the user runs OnClick; setting ItemIndex from code does not.
#include <vector>

#include "toolkit/WinControl.h"
#include "toolkit/core/Strings.h"

class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* AOwner);

    TStrings& Items() { return items_; }
    int ItemIndex();
    // -1 or an index out of range clears the selection.
    void SetItemIndex(int index);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    bool Selected(int index);
    void SetSelected(int index, bool value);
    int SelCount();

    void WndProc(TMessage& message) override;
    void Loaded() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override;
    void SaveWindowState() override;
    bool ClicksOnMouseUp() const override { return false; }
    // Told after an entry was inserted or deleted (owner-drawn lists keep per-entry state).
    virtual void ItemInserted(int) {}
    virtual void ItemDeleted(int) {}
    virtual void ItemsCleared() {}
    // Entry i now is what was entry from[i] (after sorting).
    virtual void ItemsReordered(const std::vector<int>&) {}

private:
    void ItemsChanged(TStrings::Change change, int index, const std::wstring& value);
    void ShowChange(TStrings::Change change, int index, const std::wstring& value);
    void SortItems();
    void FillWindow();

    TStrings items_;
    std::vector<int> savedSelection_;
    int itemIndex_ = -1;
    bool multiSelect_ = false;
    bool sorted_ = false;
    bool sorting_ = false;
};
