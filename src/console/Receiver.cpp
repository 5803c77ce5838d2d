// What a reply read by the receive timer shows: delivery in status panel 2,
// the read ID, the status of the real-time groups and the settings of the
// device on the device setup page. One reading is one frame or nothing.
//
// The frame's shape decides what happens even when its check byte is wrong:
// a 6-byte or 25-byte frame always stops the watchdog and reports delivery,
// a 7-byte frame stops it and reports delivery for StatusReply only. Only the
// contents need an intact frame; they are read by the link's decoders.
#include "console/Form1.h"

#include "console/core/IntText.h"
#include "link/DelayText.h"
#include "link/Frame.h"
#include "link/Opcodes.h"
#include "link/Replies.h"
#include "console/Controls.h"

using relayon::console::TextKey;
namespace link = relayon::link;

namespace {

constexpr TColor kLampOn = 0x0000FF;   // RGB 255, 0, 0
constexpr TColor kLampOff = clWhite;

}  // namespace

void TForm1::ApplyReply(std::span<const uint8_t> chunk)
{
    const auto head = link::ReadReplyHead(chunk);
    if (!head)
        return;
    // Only an intact frame proves that its unit answers.
    if (link::IsValidReply(chunk))
        realTime_.ReplyAccepted(head->deviceId);
    switch (head->shape) {
    case link::ReplyShape::Ack: OnAcknowledgement(head->deviceId, head->opcode); break;
    case link::ReplyShape::Short: OnShortReply(chunk); break;
    case link::ReplyShape::Status: OnStatusFrame(chunk, head->opcode); break;
    case link::ReplyShape::Long: OnInformationReply(chunk); break;
    }
}

void TForm1::ShowDelivered()
{
    Timer1->SetEnabled(false);
    SetPanelText(2, Txt(TextKey::TxtSentOk));
}

// An acknowledgement counts only when it names the last short request.
void TForm1::OnAcknowledgement(uint8_t deviceId, uint8_t opcode)
{
    if (linkState_.Acknowledges(deviceId, opcode))
        ShowDelivered();
}

void TForm1::OnShortReply(std::span<const uint8_t> chunk)
{
    if (const auto id = link::DecodeReadId(chunk))
        Ed_read_id->SetText(std::to_wstring(*id));
    else if (const auto status = link::DecodeStatus(chunk))
        for (int g = 0; g < kRealTimeGroups; ++g)
            if (GroupShowsDevice(g, status->deviceId))
                ApplyStatus(g, *status);
    ShowDelivered();
}

void TForm1::OnStatusFrame(std::span<const uint8_t> chunk, uint8_t opcode)
{
    // A queued real-time action will bring its own status; until it is
    // sent, status frames would paint a state the operator is changing.
    if (linkState_.IsActionPending())
        return;
    if (const auto status = link::DecodeStatus(chunk))
        for (int g = 0; g < kRealTimeGroups; ++g)
            if (GroupShowsDevice(g, status->deviceId)) {
                ApplyStatus(g, *status);
                ApplyEnableBits(g, *status);
            }
    Timer1->SetEnabled(false);
    if (opcode == link::StatusReply)
        SetPanelText(2, Txt(TextKey::TxtSentOk));
}

void TForm1::OnInformationReply(std::span<const uint8_t> chunk)
{
    // The reply belongs to the device the setup page names; text that is not
    // a number counts as 999 and matches no device.
    const auto info = link::DecodeInfo(chunk);
    if (info && info->deviceId == relayon::console::TextToIntDef(Ed_conn_id->Text(), 999))
        ApplyInformation(*info);
    ShowDelivered();
}

bool TForm1::GroupShowsDevice(int g, uint8_t deviceId)
{
    // Empty or non-numeric fields read as -1, which no device ID equals.
    return relayon::console::TextToIntDef(Ed_grp_id[g]->Text(), -1) == deviceId;
}

void TForm1::SetChannelLamp(int g, int c, bool on)
{
    Shape_ch[g][c]->Brush().SetColor(on ? kLampOn : kLampOff);
    Bn_ch[g][c]->SetCaption(Txt(on ? TextKey::TxtOff : TextKey::TxtOn));
}

void TForm1::ApplyStatus(int g, const link::StatusReport& status)
{
    linkState_.SetGroupRunning(g, status.Running());
    CB_grp_lock[g]->SetChecked(status.Locked());
    SetChannelLamp(g, link::kLcdChannel, status.LcdOn());
    for (int k = 1; k <= link::kSwitchedChannelCount; ++k)
        SetChannelLamp(g, k, status.ChannelOn(k));
}

void TForm1::ApplyEnableBits(int g, const link::StatusReport& status)
{
    for (int k = 1; k <= link::kSwitchedChannelCount; ++k) {
        const bool usable = status.ChannelUsable(k).value_or(true);
        CB_mask[g][k - 1]->SetCheckedSilently(!usable);
        Bn_ch[g][k]->SetEnabled(usable);
    }
}

// Boxes set from a reply keep their click actions quiet: a reply must never
// send a request nobody asked for (the lock box's action would send SetLock).
void TForm1::ApplyInformation(const link::InfoReport& info)
{
    for (int h = 0; h < kDelayKinds; ++h)
        for (int c = 0; c < kChannels; ++c) {
            const uint8_t code = info.DelayCodeOf(h, c);
            CB_min[h][c]->SetCheckedSilently(link::DelayCode::IsMinutes(code));
            Ed_dly[h][c]->SetText(link::DelayCodeText(code));
        }
    const bool cascade = info.CascadeIsOn();
    CheckBox17->SetCheckedSilently(cascade);
    Cb_ch->SetEnabled(cascade);
    Label3->SetEnabled(cascade);
    Label2->SetEnabled(cascade);
    // Without cascade the start position keeps what it showed.
    if (cascade)
        Cb_ch->SetItemIndex(info.StartPosition());
    Button3->SetEnabled(cascade);
    CB_lock->SetCheckedSilently(info.IsLocked());
}
