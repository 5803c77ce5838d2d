#pragma once
// A group box holding one radio button per entry of Items, laid out in
// Columns columns (filled top to bottom, then left to right). ItemIndex is
// the checked entry (-1: none); a user choosing another entry sets it and
// runs OnClick. The buttons belong to the group and follow Items.
#include <vector>

#include "toolkit/GroupBox.h"
#include "toolkit/core/Strings.h"

class TRadioButton;

class TRadioGroup : public TGroupBox {
public:
    explicit TRadioGroup(TComponent* AOwner);
    ~TRadioGroup() override;

    TStrings& Items() { return items_; }
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    int Columns() const { return columns_; }
    void SetColumns(int columns);
    // The button showing entry `index` (nullptr outside the list).
    TRadioButton* Buttons(int index) const;

    void Loaded() override;

protected:
    void BoundsChanged() override { ArrangeButtons(); }
    void FontChanged() override;

private:
    void RebuildButtons();
    void ArrangeButtons();
    void ButtonClick(TObject* sender);

    TStrings items_;
    std::vector<TRadioButton*> buttons_;
    int itemIndex_ = -1;
    int columns_ = 1;
    bool updating_ = false;
};
