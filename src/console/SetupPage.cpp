// Device setup page: the switch-on and switch-off delay groups built at run
// time inside GroupBox_dly_setup.
#include "console/Form1.h"

#include "console/PageLayout.h"
#include "console/core/FixedTexts.h"
#include "console/Controls.h"

using relayon::console::DelayLabelCaption;
using relayon::console::TextKey;

namespace {

// Tab position given to Bn_default and Bn_app after each delay group; beyond
// the last position, so both buttons follow the delay groups.
constexpr int kAfterDelayGroups = 38;

}  // namespace

void TForm1::BuildDelayGroups()
{
    for (int h = 0; h < kDelayKinds; ++h) {
        auto* group = new TGroupBox(this);
        group->SetParent(GroupBox_dly_setup);
        group->SetBounds(16, 28 + 132 * h, 676, 126);
        group->SetCaption(Txt(h == 0 ? TextKey::GroupBox_dly0 : TextKey::GroupBox_dly1));
        GroupBox_dly[h] = group;

        for (int c = 0; c < kChannels; ++c) {
            const int row = c / 5;
            const int column = c % 5;

            auto* label = new TLabel(this);
            label->SetParent(group);
            SetFont(label, L"MS Sans Serif", 12);
            label->SetBounds(10 + 134 * column, 35 + 48 * row, 36, 20);
            label->SetCaption(*DelayLabelCaption(c));
            Label_dly[h][c] = label;

            auto* edit = new TEdit(this);
            edit->SetParent(group);
            SetFontSize(edit, 12);
            edit->SetBounds(50 + 134 * column, 32 + 48 * row, 42, 28);
            edit->SetMaxLength(4);
            edit->SetText(L"");
            Ed_dly[h][c] = edit;

            auto* minutes = new TCheckBox(this);
            minutes->SetParent(group);
            SetFontSize(minutes, 12);
            minutes->SetBounds(95 + 134 * column, 29 + 48 * row, 39, 33);
            minutes->SetCaption(Txt(TextKey::TxtMinute));
            CB_min[h][c] = minutes;
        }
        Bn_default->SetTabOrder(kAfterDelayGroups);
        Bn_app->SetTabOrder(kAfterDelayGroups);
    }
}
