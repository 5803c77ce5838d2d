// Real-time control page: four device groups built at run time in Panel1,
// one per row, each with lamps, channel buttons and mask boxes per outlet.
#include "console/Form1.h"

#include "console/PageLayout.h"
#include "console/core/FixedTexts.h"
#include "console/Controls.h"

using relayon::console::ChannelLabelCaption;
using relayon::console::TextKey;
namespace fixed = relayon::console;

namespace {

constexpr int kFontPoints = 10;
// Horizontal pitch of the outlet columns.
constexpr int kColumn = 43;

}  // namespace

void TForm1::BuildRealTimeGroups()
{
    for (int g = 0; g < kRealTimeGroups; ++g) {
        auto* group = new TGroupBox(this);
        group->SetParent(Panel1);
        group->SetBounds(6, 1 + 119 * g, 722, 120);
        group->SetCaption(L"");
        group->SetTabOrder(g);
        GroupBox_rt[g] = group;
    }

    for (int g = 0; g < kRealTimeGroups; ++g) {
        TGroupBox* group = GroupBox_rt[g];

        auto* id = new TEdit(this);
        id->SetParent(group);
        SetFontSize(id, kFontPoints);
        id->SetBounds(39, 22, 44, 24);
        id->SetMaxLength(3);
        id->SetText(L"");
        id->OnExit = TNotifyEvent(this, &TForm1::Ed_grp_idExit);
        Ed_grp_id[g] = id;

        for (int c = 0; c < kChannels; ++c) {
            auto* lamp = new TShape(this);
            lamp->SetParent(group);
            lamp->SetBounds(219 + kColumn * c, 20, 22, 22);
            lamp->SetShape(stCircle);
            lamp->Brush().SetColor(clWhite);
            Shape_ch[g][c] = lamp;
        }

        auto* status = new TLabel(this);
        status->SetParent(group);
        SetFontSize(status, kFontPoints);
        status->SetBounds(115, 25, 82, 30);
        status->SetCaption(Txt(TextKey::Label_status));
        Label_status[g] = status;

        auto* maskLabel = new TLabel(this);
        maskLabel->SetParent(group);
        SetFontSize(maskLabel, kFontPoints);
        maskLabel->SetBounds(24, 63, 64, 20);
        maskLabel->SetCaption(Txt(TextKey::Label_mask));
        Label_mask[g] = maskLabel;

        auto* maskAll = new TCheckBox(this);
        maskAll->SetParent(group);
        SetFontSize(maskAll, kFontPoints);
        maskAll->SetBounds(120, 64, 100, 17);
        maskAll->SetCaption(Txt(TextKey::CB_mask_all));
        maskAll->OnClick = TNotifyEvent(this, &TForm1::CB_mask_allClick);
        CB_mask_all[g] = maskAll;

        // The buttons and mask boxes are created first and placed into the
        // group afterwards, in keyboard order across the group.
        auto* seqOn = new TButton(this);
        seqOn->SetBounds(16, 84, 82, 30);
        seqOn->SetCaption(Txt(TextKey::Bn_seq_on));
        seqOn->OnClick = TNotifyEvent(this, &TForm1::Bn_seq_onClick);
        Bn_seq_on[g] = seqOn;

        auto* revOff = new TButton(this);
        revOff->SetBounds(104, 84, 82, 30);
        revOff->SetCaption(Txt(TextKey::Bn_rev_off));
        revOff->OnClick = TNotifyEvent(this, &TForm1::Bn_rev_offClick);
        Bn_rev_off[g] = revOff;

        for (int c = 0; c < kChannels; ++c) {
            if (c > 0) {
                auto* mask = new TCheckBox(this);
                mask->SetBounds(259 + kColumn * (c - 1), 64, 46, 17);
                mask->SetCaption(std::wstring(fixed::kMaskCaption));
                mask->OnClick = TNotifyEvent(this, &TForm1::CB_maskClick);
                CB_mask[g][c - 1] = mask;
            }
            auto* channel = new TButton(this);
            channel->SetBounds(212 + kColumn * c, 84, 37, 30);
            channel->SetCaption(Txt(TextKey::TxtOn));
            channel->OnClick = TNotifyEvent(this, &TForm1::Bn_chClick);
            Bn_ch[g][c] = channel;
        }

        auto* all = new TButton(this);
        all->SetBounds(616, 84, 82, 30);
        all->SetCaption(std::wstring(fixed::kAllCaption));
        all->OnClick = TNotifyEvent(this, &TForm1::Bn_grp_allClick);
        Bn_grp_all[g] = all;

        seqOn->SetParent(group);
        revOff->SetParent(group);
        Bn_ch[g][0]->SetParent(group);
        for (int m = 0; m < kMaskChannels; ++m) {
            CB_mask[g][m]->SetParent(group);
            SetFontSize(CB_mask[g][m], kFontPoints);
            Bn_ch[g][m + 1]->SetParent(group);
        }
        all->SetParent(group);

        for (int i = 0; i <= kChannels; ++i) {
            auto* label = new TLabel(this);
            label->SetParent(group);
            SetFontSize(label, kFontPoints);
            if (i == 0)
                label->SetBounds(16, 23, 17, 16);
            else
                label->SetBounds(219 + kColumn * (i - 1), 45, 22, 16);
            label->SetCaption(*ChannelLabelCaption(i));
            Label_ch[g][i] = label;
        }

        auto* lock = new TCheckBox(this);
        lock->SetParent(group);
        SetFontSize(lock, kFontPoints);
        lock->SetBounds(620, 45, 60, 17);
        lock->SetCaption(std::wstring(fixed::kLockCaption));
        lock->SetEnabled(false);
        CB_grp_lock[g] = lock;
    }
}
