// The console's texts in its three languages, and the rule that picks one.
//
// Every caption and message exists three times; LangIndex selects the form
// when the text is shown: 0 Simplified Chinese, 2 Traditional Chinese, any
// other value (1, and -1 after typing into the language box) English. Texts
// are kept as UTF-16 so they read correctly whatever the system code page.
// Keys named after a control are that control's caption.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace relayon::console {

enum class TextKey : uint8_t {
    TabSheet1,
    TabSheet2,
    TabSheet3,
    TabSheet4,
    Label13,
    Label8,
    Label7,
    TxtConnect,
    TxtDisconnect,
    Bn_read_id,
    Label14,
    Bn_write_id,
    Label4,
    Label1,
    GroupBox1,
    Bn_connect,
    CB_Opentime,
    Button1,
    CB_Closetime,
    Button2,
    GroupBox_dly_setup,
    GroupBox_dly0,
    GroupBox_dly1,
    TxtMinute,
    Button_same,
    Bn_default,
    Bn_app,
    CheckBox17,
    Label3,
    Label2,
    Button3,
    Label_status,
    Label_mask,
    CB_mask_all,
    Bn_seq_on,
    Bn_rev_off,
    TxtOn,
    TxtOff,
    CB_week0,
    CB_week1,
    CB_week2,
    CB_week3,
    CB_week4,
    CB_week5,
    CB_week6,
    Label5,
    Button7,
    TxtVersion,
    TxtStatus,
    TxtSentOk,
    TxtSentFailed,
    TxtOpenOk,
    TxtOpenFailed,
    MsgBadId,
    MsgBadDelay,
    MsgLocked,
    MsgRunning,
    MsgConnectFailed,
    MsgSerialInUse,
    MsgTcpInUse,
    MsgConfirmDefault,
    CapError,
    CapAttention,
    MsgPortInvalid,
    CapCommError,
    Count
};

inline constexpr int kTextKeyCount = static_cast<int>(TextKey::Count);

enum class Language : uint8_t { Simplified, Traditional, English };

// The three-way rule: 0 Simplified, 2 Traditional, anything else English.
constexpr Language LanguageOf(int32_t langIndex) {
    return langIndex == 0 ? Language::Simplified : langIndex == 2 ? Language::Traditional : Language::English;
}

// The text of a key in the language selected by langIndex. A key outside the
// table yields an empty text.
const std::wstring& Text(TextKey key, int32_t langIndex);
const std::wstring& Text(TextKey key, Language language);

// Name of a key as the system calls it ("MsgBadId", "CB_week3", ...), for
// diagnostics and test output.
std::string_view TextKeyName(TextKey key);

// A message box's text and caption: the error messages take CapError,
// MsgConfirmDefault CapAttention, MsgPortInvalid its fixed "Comm Error".
struct MessageTexts {
    const std::wstring& text;
    const std::wstring& caption;
};
TextKey MessageCaptionKey(TextKey message);
MessageTexts Message(TextKey message, int32_t langIndex);

}  // namespace relayon::console
