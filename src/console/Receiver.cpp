// What a reply read by the receive timer shows: delivery in status panel 2,
// the read ID, the status of the real-time groups and the settings of the
// device on the device setup page. One reading is one frame or nothing.
#include "console/Form1.h"

#include "console/core/IntText.h"
#include "link/Frame.h"
#include "link/Opcodes.h"
#include "console/Controls.h"

using relayon::console::TextKey;
namespace link = relayon::link;

namespace {

constexpr TColor kLampOn = 0x0000FF;   // RGB 255, 0, 0
constexpr TColor kLampOff = clWhite;
constexpr int kInfoDelaysAt = 3;
constexpr int kInfoCascadeAt = 21;
constexpr int kInfoStartChannelAt = 22;
constexpr int kInfoLockAt = 23;

// XOR of the bytes after the header, check byte included: zero when intact.
bool CheckOk(std::span<const uint8_t> frame)
{
    return link::XorCheck(frame.subspan(1)) == 0;
}

// "v div 2", followed by ".5" when the half units are odd.
std::wstring DelayText(uint8_t code)
{
    const int halves = code & link::DelayCode::HalfUnitsMask;
    std::wstring text = std::to_wstring(halves / 2);
    if (halves % 2)
        text += L".5";
    return text;
}

}  // namespace

void TForm1::ApplyReply(std::span<const uint8_t> chunk)
{
    const size_t length = chunk.size();
    const uint8_t header = chunk[0];

    if (length == link::kAckReplyLength && header == link::AckHeader) {
        if (chunk[1] == LastCmd[0] && chunk[2] == LastCmd[1]) {
            Timer1->SetEnabled(false);
            SetPanelText(2, Txt(TextKey::TxtSentOk));
        }
        return;
    }
    if (length == link::kShortReplyLength && header == link::ShortHeader) {
        if (CheckOk(chunk)) {
            if (chunk[2] == link::ReadId)
                Ed_read_id->SetText(std::to_wstring(chunk[4]));
            else if (chunk[2] == link::PollStatus)
                for (int g = 0; g < kRealTimeGroups; ++g)
                    if (GroupShowsDevice(g, chunk[1]))
                        ApplyStatus(g, chunk[3], chunk[4]);
        }
        Timer1->SetEnabled(false);
        SetPanelText(2, Txt(TextKey::TxtSentOk));
        return;
    }
    if (length == link::kStatusReplyLength && header == link::StatusHeader) {
        // A queued real-time action will bring its own status; until it is
        // sent, status frames would paint a state the operator is changing.
        if (LinkFlags & ActionPending)
            return;
        const uint8_t opcode = chunk[2];
        if (CheckOk(chunk) && (opcode == link::StatusReply || opcode == link::StatusNotice))
            for (int g = 0; g < kRealTimeGroups; ++g)
                if (GroupShowsDevice(g, chunk[1])) {
                    ApplyStatus(g, chunk[3], chunk[4]);
                    ApplyEnableBits(g, chunk[5]);
                }
        Timer1->SetEnabled(false);
        if (opcode == link::StatusReply)
            SetPanelText(2, Txt(TextKey::TxtSentOk));
        return;
    }
    if (length == link::kLongReplyLength && header == link::LongHeader) {
        if (CheckOk(chunk) && chunk[2] == link::InfoReply &&
            chunk[1] == relayon::console::TextToIntDef(Ed_conn_id->Text(), 999))
            ApplyInformation(chunk);
        Timer1->SetEnabled(false);
        SetPanelText(2, Txt(TextKey::TxtSentOk));
    }
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

void TForm1::ApplyStatus(int g, uint8_t flags, uint8_t channels)
{
    GroupRunning[g] = (flags & link::StatusFlags::Running) ? 1 : 0;
    CB_grp_lock[g]->SetChecked((flags & link::StatusFlags::Locked) != 0);
    SetChannelLamp(g, 0, (flags & link::StatusFlags::LcdOn) != 0);
    for (int b = 0; b < 8; ++b)
        SetChannelLamp(g, 8 - b, (channels >> b) & 1);
}

void TForm1::ApplyEnableBits(int g, uint8_t enable)
{
    for (int b = 0; b < 8; ++b) {
        const int k = 8 - b;
        const bool usable = (enable >> b) & 1;
        CB_mask[g][k - 1]->SetChecked(!usable);
        Bn_ch[g][k]->SetEnabled(usable);
    }
}

void TForm1::ApplyInformation(std::span<const uint8_t> frame)
{
    for (int h = 0; h < kDelayKinds; ++h)
        for (int c = 0; c < kChannels; ++c) {
            const uint8_t code = frame[kInfoDelaysAt + 9 * h + c];
            CB_min[h][c]->SetChecked((code & link::DelayCode::MinutesBit) != 0);
            Ed_dly[h][c]->SetText(DelayText(code));
        }
    if (frame[kInfoCascadeAt] == link::InfoCascadeOn) {
        CheckBox17->SetChecked(true);
        Cb_ch->SetEnabled(true);
        Label3->SetEnabled(true);
        Label2->SetEnabled(true);
        const uint8_t start = frame[kInfoStartChannelAt];
        Cb_ch->SetItemIndex(start <= 8 ? start : 0);
        Button3->SetEnabled(true);
    } else {
        CheckBox17->SetChecked(false);
        Cb_ch->SetEnabled(false);
        Label3->SetEnabled(false);
        Label2->SetEnabled(false);
        Button3->SetEnabled(false);
    }
    CB_lock->SetChecked(frame[kInfoLockAt] != link::InfoUnlocked);
}
