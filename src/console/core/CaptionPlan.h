// What Set_Language and Set_TaskCaptions put where, in their order, and the
// rules that carry state-bearing texts (connect buttons, status panels 1 and 2)
// over into the new language. The console walks these tables over its
// controls; the texts themselves come from Texts.h.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "console/core/Texts.h"

namespace relayon::console {

enum class CaptionRule : uint8_t {
    Plain,          // the key's text in the new language
    ConnectButton,  // ConnectButtonCaption(): keeps "disconnect" while the transport is open
};

struct ControlCaption {
    std::string_view control;  // name of the control in TForm1
    TextKey key;
    CaptionRule rule;
};

// Captions of the window's own controls, in the order Set_Language sets them:
// the four page tabs, the fixed list of labels and buttons, the two connect
// buttons, then Label7.
std::span<const ControlCaption> WindowCaptionOrder();

// Caption of Bn_ser_conn or Bn_ip_conn after a language switch: the new
// TxtDisconnect when it showed the previous language's TxtDisconnect, else the
// new TxtConnect. The previous language is read by the three-way rule like
// every other text, so a previous index of -1 (typed text, English shown)
// still recognises "disconnect" and an open port keeps a caption that closes it.
std::wstring ConnectButtonCaption(std::wstring_view current, int32_t previousLang, int32_t newLang);

// Status panel 1 (result of opening the serial port): TxtOpenFailed, then
// TxtOpenOk of the previous language become the new one's; other text stays.
std::wstring RetranslateOpenResultPanel(std::wstring_view current, int32_t previousLang, int32_t newLang);

// Status panel 2 (send state): tried in the order TxtSentFailed, TxtSentOk,
// TxtStatus; other text stays.
std::wstring RetranslateSendStatusPanel(std::wstring_view current, int32_t previousLang, int32_t newLang);

// Status panel 4: TxtVersion followed by the version number.
std::wstring VersionPanelText(int32_t langIndex);

// Captions of the run-time controls.
std::optional<TextKey> DelayGroupCaptionKey(int delayKind);  // GroupBox_dly[h], h 0 on, 1 off
inline constexpr TextKey kDelayUnitCaptionKey = TextKey::TxtMinute;  // all 18 CB_min
// Per real-time group, in Set_Language's order; then its nine Bn_ch get TxtOn.
inline constexpr std::array<TextKey, 5> kRealTimeGroupCaptionOrder = {
    TextKey::Label_status, TextKey::Label_mask, TextKey::CB_mask_all, TextKey::Bn_seq_on, TextKey::Bn_rev_off};
inline constexpr TextKey kChannelButtonResetKey = TextKey::TxtOn;
// Set_TaskCaptions: per day its name, then ten CB_on_slot TxtOn, ten CB_off_slot TxtOff.
std::optional<TextKey> WeekdayCaptionKey(int day);
inline constexpr TextKey kOnSlotCaptionKey = TextKey::TxtOn;
inline constexpr TextKey kOffSlotCaptionKey = TextKey::TxtOff;

}  // namespace relayon::console
