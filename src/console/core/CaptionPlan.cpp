#include "console/core/CaptionPlan.h"

#include <initializer_list>

#include "console/core/FixedTexts.h"

namespace relayon::console {
namespace {

constexpr ControlCaption Plain(std::string_view control, TextKey key) {
    return {control, key, CaptionRule::Plain};
}

constexpr ControlCaption kWindowCaptionOrder[] = {
    Plain("TabSheet1", TextKey::TabSheet1),
    Plain("TabSheet2", TextKey::TabSheet2),
    Plain("TabSheet3", TextKey::TabSheet3),
    Plain("TabSheet4", TextKey::TabSheet4),
    Plain("Label13", TextKey::Label13),
    Plain("Bn_read_id", TextKey::Bn_read_id),
    Plain("Bn_write_id", TextKey::Bn_write_id),
    Plain("Bn_connect", TextKey::Bn_connect),
    Plain("Button1", TextKey::Button1),
    Plain("Button2", TextKey::Button2),
    Plain("Button_same", TextKey::Button_same),
    Plain("Bn_default", TextKey::Bn_default),
    Plain("Bn_app", TextKey::Bn_app),
    Plain("Button3", TextKey::Button3),
    Plain("Button7", TextKey::Button7),
    Plain("Label5", TextKey::Label5),
    Plain("Label8", TextKey::Label8),
    Plain("Label14", TextKey::Label14),
    Plain("Label4", TextKey::Label4),
    Plain("Label1", TextKey::Label1),
    Plain("Label3", TextKey::Label3),
    Plain("Label2", TextKey::Label2),
    Plain("GroupBox1", TextKey::GroupBox1),
    Plain("GroupBox_dly_setup", TextKey::GroupBox_dly_setup),
    Plain("CB_Opentime", TextKey::CB_Opentime),
    Plain("CB_Closetime", TextKey::CB_Closetime),
    Plain("CheckBox17", TextKey::CheckBox17),
    {"Bn_ser_conn", TextKey::TxtConnect, CaptionRule::ConnectButton},
    {"Bn_ip_conn", TextKey::TxtConnect, CaptionRule::ConnectButton},
    Plain("Label7", TextKey::Label7),
};

// The first key whose previous-language text equals the current text, carried
// into the new language; text that matches none is left alone.
std::wstring Retranslate(std::wstring_view current, int32_t previousLang, int32_t newLang,
                         std::initializer_list<TextKey> candidates) {
    for (const TextKey key : candidates)
        if (current == Text(key, previousLang)) return Text(key, newLang);
    return std::wstring(current);
}

static_assert(static_cast<int>(TextKey::CB_week6) - static_cast<int>(TextKey::CB_week0) == 6,
              "weekday names are consecutive keys");

}  // namespace

std::span<const ControlCaption> WindowCaptionOrder() { return kWindowCaptionOrder; }

std::wstring ConnectButtonCaption(std::wstring_view current, int32_t previousLang, int32_t newLang) {
    if (current == Text(TextKey::TxtDisconnect, previousLang)) return Text(TextKey::TxtDisconnect, newLang);
    return Text(TextKey::TxtConnect, newLang);
}

std::wstring RetranslateOpenResultPanel(std::wstring_view current, int32_t previousLang, int32_t newLang) {
    return Retranslate(current, previousLang, newLang, {TextKey::TxtOpenFailed, TextKey::TxtOpenOk});
}

std::wstring RetranslateSendStatusPanel(std::wstring_view current, int32_t previousLang, int32_t newLang) {
    return Retranslate(current, previousLang, newLang,
                       {TextKey::TxtSentFailed, TextKey::TxtSentOk, TextKey::TxtStatus});
}

std::wstring VersionPanelText(int32_t langIndex) {
    return Text(TextKey::TxtVersion, langIndex) + std::wstring(kVersionNumber);
}

std::optional<TextKey> DelayGroupCaptionKey(int delayKind) {
    if (delayKind == 0) return TextKey::GroupBox_dly0;
    if (delayKind == 1) return TextKey::GroupBox_dly1;
    return std::nullopt;
}

std::optional<TextKey> WeekdayCaptionKey(int day) {
    if (day < 0 || day > 6) return std::nullopt;
    return static_cast<TextKey>(static_cast<int>(TextKey::CB_week0) + day);
}

}  // namespace relayon::console
