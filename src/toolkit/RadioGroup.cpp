#include "toolkit/RadioGroup.h"

#include <algorithm>

#include "toolkit/RadioButton.h"

TRadioGroup::TRadioGroup(TComponent* AOwner) : TGroupBox(AOwner) {
    tabStop_ = true;
    items_.Listener = [this](TStrings::Change, int, const std::wstring&) { RebuildButtons(); };
}

TRadioGroup::~TRadioGroup() {
    items_.Listener = nullptr;
    for (TRadioButton* b : buttons_) delete b;
}

TRadioButton* TRadioGroup::Buttons(int index) const {
    return index >= 0 && index < static_cast<int>(buttons_.size()) ? buttons_[static_cast<size_t>(index)] : nullptr;
}

void TRadioGroup::RebuildButtons() {
    // Rebuilding is simpler than mirroring each change and keeps the order
    // of the buttons (and the tab order) equal to the order of the entries.
    updating_ = true;
    for (TRadioButton* b : buttons_) delete b;
    buttons_.clear();
    for (int i = 0; i < items_.Count(); ++i) {
        auto* button = new TRadioButton(nullptr);
        button->SetCaption(items_.Strings(i));
        button->SetParent(this);
        button->OnClick = TNotifyEvent(this, &TRadioGroup::ButtonClick);
        buttons_.push_back(button);
    }
    if (itemIndex_ >= items_.Count() && !IsLoading()) itemIndex_ = -1;
    if (TRadioButton* chosen = Buttons(itemIndex_)) chosen->SetChecked(true);
    updating_ = false;
    ArrangeButtons();
}

void TRadioGroup::ArrangeButtons() {
    if (buttons_.empty()) return;
    int count = static_cast<int>(buttons_.size());
    int rows = (count + columns_ - 1) / columns_;
    // Room below the caption line, inside the frame.
    int top = std::max(Font().Height() < 0 ? -Font().Height() : Font().Height(), 13) + 4;
    int columnWidth = std::max((Width() - 10) / columns_, 1);
    int rowHeight = std::max((Height() - top - 4) / rows, 1);
    for (int i = 0; i < count; ++i) {
        int column = i / rows, row = i % rows;
        buttons_[static_cast<size_t>(i)]->SetBounds(8 + column * columnWidth, top + row * rowHeight,
                                                    columnWidth - 4, std::min(rowHeight, 20));
    }
}

void TRadioGroup::FontChanged() {
    TGroupBox::FontChanged();
    ArrangeButtons();
}

void TRadioGroup::SetColumns(int columns) {
    columns = std::clamp(columns, 1, 16);
    if (columns == columns_) return;
    columns_ = columns;
    ArrangeButtons();
}

void TRadioGroup::SetItemIndex(int index) {
    if (IsLoading()) {
        itemIndex_ = index;  // Items may follow in a form resource
        return;
    }
    if (index < -1 || index >= items_.Count()) index = -1;
    if (index == itemIndex_) return;
    itemIndex_ = index;
    updating_ = true;
    if (TRadioButton* chosen = Buttons(index)) {
        chosen->SetChecked(true);
    } else {
        for (TRadioButton* b : buttons_) b->SetChecked(false);
    }
    updating_ = false;
}

void TRadioGroup::Loaded() {
    TGroupBox::Loaded();
    int index = itemIndex_;
    itemIndex_ = -1;
    SetItemIndex(index);
}

void TRadioGroup::ButtonClick(TObject* sender) {
    // Buttons checked by the group itself report nothing; a user's choice
    // moves ItemIndex and runs the group's OnClick.
    if (updating_) return;
    auto it = std::find(buttons_.begin(), buttons_.end(), sender);
    if (it == buttons_.end()) return;
    itemIndex_ = static_cast<int>(it - buttons_.begin());
    Click();
}
