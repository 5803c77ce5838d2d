// The device setup page's requests, built from what the operator typed. Each
// builder applies the page's checks in the page's order and returns either the
// payload to hand to SendRequest or the refusal to show; a refused command
// sends nothing and changes no field.
//
//   | handler          | reads                                  | refusals, in order                 |
//   |------------------|----------------------------------------|------------------------------------|
//   | Bn_connectClick  | Ed_conn_id                             | BadId                              |
//   | Bn_read_idClick  | nothing                                | none                               |
//   | Bn_write_idClick | Ed_read_id (0..255), Ed_write_id       | BadId (old, then new)              |
//   | Bn_appClick      | Ed_conn_id, Ed_dly[h][c], CB_min[h][c] | BadId, then BadDelay (first field) |
//   | CheckBox17Click, Cb_chChange, Button1/2/3Click | Ed_conn_id, Cb_ch | BadId                  |
//   | CB_lockClick     | Ed_conn_id, CB_lock                    | BadId                              |
//   | Timer2Timer      | Ed_conn_id, Cb_ch (see Schedule.h)     | BadId                              |
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "link/Refusal.h"

namespace relayon::link {

using Payload = std::vector<uint8_t>;
using BuiltRequest = Checked<Payload>;

// Delay fields in payload order: [0] switch-on LCD..CH8, [1] switch-off.
// Texts are held by value: the toolkit hands out field texts as temporaries.
using DelayTexts = std::array<std::array<std::wstring, 9>, 2>;
using MinuteBoxes = std::array<std::array<bool, 9>, 2>;

// Bn_connectClick: ReadInfo to the device in Ed_conn_id.
BuiltRequest BuildReadInfo(std::wstring_view connIdText);

// Bn_read_idClick: ReadId to whatever unit is on the line; never refused.
BuiltRequest BuildReadId();

// Bn_write_idClick: WriteId from the old ID (0 accepted) to the new (1..255).
BuiltRequest BuildWriteId(std::wstring_view oldIdText, std::wstring_view newIdText);

// Bn_appClick: SetDelays with the eighteen fields. Fields are checked in
// payload order; the first unreadable one refuses with BadDelay.
BuiltRequest BuildApplyDelays(std::wstring_view connIdText, const DelayTexts& texts,
                              const MinuteBoxes& minutes);

// SequenceControl with `subCommand` (CascadeOn, CascadeOff, StartSequence,
// SwitchOn, SwitchOff) and the start channel: the item index of Cb_ch, where
// -1 (no item selected) goes out as 0xFF.
BuiltRequest BuildSequenceControl(std::wstring_view connIdText, uint8_t subCommand, int startItemIndex);

// CheckBox17Click: CascadeOn when the box is now checked, else CascadeOff.
BuiltRequest BuildCascade(std::wstring_view connIdText, bool checkedNow, int startItemIndex);

// CB_lockClick: SetLock with SwitchSet when the box is now checked.
BuiltRequest BuildSetLock(std::wstring_view connIdText, bool checkedNow);

}  // namespace relayon::link
