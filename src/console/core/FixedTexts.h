// Texts that are the same in every language: the window caption, combo-box
// items, the captions of controls that never change, the status-bar pieces of
// the transports and the version number.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace relayon::console {

inline constexpr std::wstring_view kWindowCaption = L"Relayon";
inline constexpr std::wstring_view kVersionNumber = L"V0.5.5";

// CB_language items in LangIndex order.
inline constexpr std::array<std::wstring_view, 3> kLanguageItems = {
    L"Chinese (Simplified)", L"English", L"Chinese(Traditional)"};
inline constexpr std::array<std::wstring_view, 8> kComItems = {
    L"COM1", L"COM2", L"COM3", L"COM4", L"COM5", L"COM6", L"COM7", L"COM8"};
inline constexpr std::array<std::wstring_view, 4> kBaudRateItems = {L"4800", L"9600", L"14400", L"19200"};
// Cb_ch: start channel of sequential switching.
inline constexpr std::array<std::wstring_view, 9> kStartChannelItems = {
    L"LCD", L"CH1", L"CH2", L"CH3", L"CH4", L"CH5", L"CH6", L"CH7", L"CH8"};

inline constexpr std::wstring_view kLabel6Caption = L"ID\xFF1A";  // full-width colon
inline constexpr std::wstring_view kLockCaption = L"Lock";        // CB_lock, CB_grp_lock
inline constexpr std::wstring_view kAllCaption = L"ALL";          // Bn_ch_all, Bn_grp_all
inline constexpr std::wstring_view kClearCaption = L"CLEAR";      // Bn_ch_clr, Bn_grp_all
inline constexpr std::wstring_view kMaskCaption = L"M";           // CB_mask
inline constexpr std::wstring_view kGroupIdLabel = L"ID:";        // Label_ch[g][0]

// Status panel 0: "Port:" alone, "Port:COM1:19200,8,None,1" for a serial
// port, "Port:ethernet IP:" + address for TCP.
inline constexpr std::wstring_view kPortPanelPrefix = L"Port:";
inline constexpr std::wstring_view kSerialLineSuffix = L",8,None,1";
inline constexpr std::wstring_view kEthernetPrefix = L"ethernet IP:";

// Label_ch[g][i]: "ID:", "LCD", "CH1" .. "CH8" (i 0 .. 9); nullopt outside.
std::optional<std::wstring> ChannelLabelCaption(int index);
// Label_dly[h][c]: "LCD:", "CH1:" .. "CH8:" (c 0 .. 8); nullopt outside.
std::optional<std::wstring> DelayLabelCaption(int channel);
// "Port:COM<n>:<baud>,8,None,1".
std::wstring SerialPortPanelText(int portNumber, int baudRate);
// "Port:ethernet IP:<address>".
std::wstring EthernetPanelText(std::wstring_view address);

}  // namespace relayon::console
