// The real-time page's click handlers, as actions to queue on RealTimeTimer.
// Each checks the group's ID field first (BadId), then, for the switching
// buttons only, the group's Lock box (Locked) and its running flag (Running).
// The mask boxes are checked for the ID only, and the page-wide ALL and CLEAR
// not at all. A refused click queues nothing.
//
//   | handler          | queued DeviceId, Opcode, Param1, Param2                     | Group, Button |
//   |------------------|-------------------------------------------------------------|---------------|
//   | Bn_seq_onClick   | ID, SequenceOn, 0, 0                                        | g, 0          |
//   | Bn_rev_offClick  | ID, ReverseOff, 0, 0                                        | g, 0          |
//   | Bn_chClick       | ID, ChannelOn if the caption is the on word else ChannelOff, 0, k | g, k + 3 |
//   | Bn_grp_allClick  | ID, GroupAllOn if the caption is "ALL" else GroupAllOff, 0, 0 | g, 0        |
//   | CB_maskClick     | ID, SetMask, k (0 = CH1), SwitchSet if now checked else SwitchClear | g, k  |
//   | CB_mask_allClick | ID, SetMask, 0xFF, SwitchSet if now checked else SwitchClear | g, 0         |
//   | Bn_ch_allClick   | 0, AllDevicesOn, 0, 0                                       | 0, 0          |
//   | Bn_ch_clrClick   | 0, AllDevicesOff, 0, 0                                      | 0, 0          |
#pragma once

#include <string>
#include <string_view>

#include "link/RealTime.h"
#include "link/Refusal.h"

namespace relayon::link {

using QueuedAction = Checked<RealTimeAction>;

// What a group's switching buttons consult before they act.
struct GroupState {
    std::wstring idText;       // Ed_grp_id[g]
    bool lockChecked = false;  // CB_grp_lock[g]
    bool running = false;      // GroupRunning[g]
};

QueuedAction SequenceOnClick(int group, const GroupState& state);
QueuedAction ReverseOffClick(int group, const GroupState& state);
// `channel` 0 = LCD, 1..8 = CH1..CH8; `captionIsOnWord`: Bn_ch's caption
// equals TxtOn of the selected language.
QueuedAction ChannelClick(int group, int channel, const GroupState& state, bool captionIsOnWord);
// `captionIsAll`: Bn_grp_all's caption equals "ALL".
QueuedAction GroupAllClick(int group, const GroupState& state, bool captionIsAll);
// `maskIndex` 0..7 = CH1..CH8; `checkedNow`: the box's state after the click.
QueuedAction MaskClick(int group, int maskIndex, std::wstring_view idText, bool checkedNow);
QueuedAction MaskAllClick(int group, std::wstring_view idText, bool checkedNow);
// Bn_ch_allClick (on) and Bn_ch_clrClick (off): never refused.
RealTimeAction AllDevicesClick(bool on);

}  // namespace relayon::link
