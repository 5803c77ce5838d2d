// The real-time page at work: Timer3 polls the four groups and sends the
// queued action, the group click handlers queue actions after their checks,
// and the page is updated right after each send without waiting for the unit.
// The decisions are the link core's (RealTimeTimer, GroupActions); this file
// reads the page for them and applies what they return.
#include "console/Form1.h"

#include "console/core/FixedTexts.h"
#include "console/Controls.h"

using relayon::console::TextKey;
namespace fixed = relayon::console;
namespace link = relayon::link;

namespace {

// PageControl1's tab index of the real-time page.
constexpr int kRealTimePage = 2;

struct Place {
    int group = -1;
    int index = -1;
};

template <class Row>
int GroupOf(const Row& row, const TObject* sender)
{
    for (int g = 0; g < static_cast<int>(row.size()); ++g)
        if (row[g] == sender)
            return g;
    return -1;
}

template <class Grid>
Place PlaceOf(const Grid& grid, const TObject* sender)
{
    for (int g = 0; g < static_cast<int>(grid.size()); ++g)
        for (int i = 0; i < static_cast<int>(grid[g].size()); ++i)
            if (grid[g][i] == sender)
                return {g, i};
    return {};
}

}  // namespace

void TForm1::Timer3Timer(TObject* Sender)
{
    const auto ids = RealTimeGroupIds();
    const auto tick = realTime_.Tick(PageControl1->ActivePageIndex() == kRealTimePage, ids);
    for (int g : tick.resetGroups)
        ResetGroupDisplay(g);
    if (tick.send) {
        SendRequest(*tick.send);
        for (const auto& update : tick.updates)
            ApplyPageUpdate(update);
    }
    // Every poll restarts the watchdog, so a silent unit is only noticed here.
    if (tick.silentGroup)
        SetPanelText(2, Txt(TextKey::TxtSentFailed));
    linkState_.SetActionPending(realTime_.ActionPending());
    // Setting the interval starts a fresh period; only a change should.
    if (Timer3->Interval() != realTime_.IntervalMs())
        Timer3->SetInterval(realTime_.IntervalMs());
}

// --- Group click handlers: find the group, check, queue ---

void TForm1::Bn_seq_onClick(TObject* Sender)
{
    if (const int g = GroupOf(Bn_seq_on, Sender); g >= 0)
        QueueAction(link::SequenceOnClick(g, RealTimeGroupState(g)));
}

void TForm1::Bn_rev_offClick(TObject* Sender)
{
    if (const int g = GroupOf(Bn_rev_off, Sender); g >= 0)
        QueueAction(link::ReverseOffClick(g, RealTimeGroupState(g)));
}

void TForm1::Bn_chClick(TObject* Sender)
{
    const Place at = PlaceOf(Bn_ch, Sender);
    if (at.group < 0)
        return;
    // The caption is the page's memory of the outlet: "on" means it is off.
    const bool captionIsOnWord = Bn_ch[at.group][at.index]->Caption() == Txt(TextKey::TxtOn);
    QueueAction(link::ChannelClick(at.group, at.index, RealTimeGroupState(at.group), captionIsOnWord));
}

void TForm1::Bn_grp_allClick(TObject* Sender)
{
    if (const int g = GroupOf(Bn_grp_all, Sender); g >= 0)
        QueueAction(link::GroupAllClick(g, RealTimeGroupState(g), Bn_grp_all[g]->Caption() == fixed::kAllCaption));
}

void TForm1::CB_maskClick(TObject* Sender)
{
    const Place at = PlaceOf(CB_mask, Sender);
    if (at.group < 0)
        return;
    QueueAction(link::MaskClick(at.group, at.index, Ed_grp_id[at.group]->Text(),
                                CB_mask[at.group][at.index]->Checked()));
}

void TForm1::CB_mask_allClick(TObject* Sender)
{
    if (const int g = GroupOf(CB_mask_all, Sender); g >= 0)
        QueueAction(link::MaskAllClick(g, Ed_grp_id[g]->Text(), CB_mask_all[g]->Checked()));
}

void TForm1::Bn_ch_allClick(TObject* Sender)
{
    QueueAction(link::AllDevicesClick(true));
}

void TForm1::Bn_ch_clrClick(TObject* Sender)
{
    QueueAction(link::AllDevicesClick(false));
}

void TForm1::RUN_NULL(TObject* Sender) {}

// --- The queue and the page ---

void TForm1::QueueAction(const link::QueuedAction& action)
{
    switch (action.refusal) {
    case link::Refusal::None: QueueAction(action.value); break;
    case link::Refusal::BadId: ShowMessage(TextKey::MsgBadId); break;
    case link::Refusal::Locked: ShowMessage(TextKey::MsgLocked); break;
    case link::Refusal::Running: ShowMessage(TextKey::MsgRunning); break;
    case link::Refusal::BadDelay: break;  // no real-time control has a delay
    }
}

void TForm1::QueueAction(const link::RealTimeAction& action)
{
    realTime_.Queue(action);
    linkState_.SetActionPending(true);
    Timer3->SetInterval(realTime_.IntervalMs());
}

link::GroupState TForm1::RealTimeGroupState(int g)
{
    return {Ed_grp_id[g]->Text(), CB_grp_lock[g]->Checked(), linkState_.IsGroupRunning(g)};
}

link::GroupIdTexts TForm1::RealTimeGroupIds()
{
    link::GroupIdTexts ids;
    for (int g = 0; g < kRealTimeGroups; ++g)
        ids[g] = Ed_grp_id[g]->Text();
    return ids;
}

void TForm1::ApplyPageUpdate(const link::PageUpdate& update)
{
    const int g = update.group;
    switch (update.kind) {
    case link::PageUpdate::Kind::Channel:
        SetChannelLamp(g, update.channel, update.on);
        break;
    case link::PageUpdate::Kind::GroupAll:
        Bn_grp_all[g]->SetCaption(std::wstring(update.on ? fixed::kClearCaption : fixed::kAllCaption));
        SetChannelLamp(g, 0, update.on);
        // Masked outlets are left out of group operations.
        for (int k = 1; k < kChannels; ++k)
            if (!CB_mask[g][k - 1]->Checked())
                SetChannelLamp(g, k, update.on);
        break;
    case link::PageUpdate::Kind::CopyMaskAll: {
        const bool masked = CB_mask_all[g]->Checked();
        for (int k = 0; k < kMaskChannels; ++k) {
            SetMaskBox(g, k, masked);
            Bn_ch[g][k + 1]->SetEnabled(!masked);
        }
        break;
    }
    case link::PageUpdate::Kind::ChannelEnabled:
        Bn_ch[g][update.channel]->SetEnabled(update.on);
        break;
    }
}

// A group without a usable ID shows the start-up look of its outlets. This
// runs on most poll ticks, so outlets already showing it are not repainted.
void TForm1::ResetGroupDisplay(int g)
{
    for (int c = 0; c < kChannels; ++c)
        if (Shape_ch[g][c]->Brush().Color() != clWhite || Bn_ch[g][c]->Caption() != Txt(TextKey::TxtOn))
            SetChannelLamp(g, c, false);
}

// Setting a box runs its click action; the page and the receiver set mask
// boxes to show a state, which must not send a mask request nobody asked for.
void TForm1::SetMaskBox(int g, int k, bool checked)
{
    TCheckBox* box = CB_mask[g][k];
    box->OnClick = TNotifyEvent(this, &TForm1::RUN_NULL);
    box->SetChecked(checked);
    box->OnClick = TNotifyEvent(this, &TForm1::CB_maskClick);
}
