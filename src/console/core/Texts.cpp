// The text table: one row per key, in the order of TextKey.
#include "console/core/Texts.h"

#include <array>

namespace relayon::console {
namespace {

struct TextRow {
    TextKey key;
    const char16_t* simplified;
    const char16_t* traditional;
    const char16_t* english;
};

// Every character inside the quotes belongs to the text: leading and trailing
// spaces, full-width colons (U+FF1A) and commas, the ASCII quotes of Button_same.
constexpr TextRow kRows[] = {
    {TextKey::TabSheet1, u"端口设置", u"端口設置", u"Port Setup"},
    {TextKey::TabSheet2, u"设备设置", u"設備設置", u"Device Setup"},
    {TextKey::TabSheet3, u"实时控制", u"實時控制", u"Real-time Control"},
    {TextKey::TabSheet4, u"定时任务", u"定時任務", u"Timer Task"},
    {TextKey::Label13, u"串行端口：", u"串行端口：", u"Serial Port: "},
    {TextKey::Label8, u"波特率:", u"波特率:", u"Baud Rate:"},
    {TextKey::Label7, u"IP地址：", u"IP地址：", u"IP address: "},
    {TextKey::TxtConnect, u"连接", u"連接", u"connect"},
    {TextKey::TxtDisconnect, u"断开", u"斷開", u"disconnect"},
    {TextKey::Bn_read_id, u"读出", u"讀出", u"read"},
    {TextKey::Label14, u"原ID：", u"原ID：", u"old ID:"},
    {TextKey::Bn_write_id, u"写入", u"寫入", u"write"},
    {TextKey::Label4, u"新ID：", u"新ID：", u"new ID:"},
    {TextKey::Label1, u"(读或写ID时，只与一台设备相连接)", u"(讀或寫ID時，只與壹臺設備相連接)", u"(while reading or writing ID, only connect one)"},
    {TextKey::GroupBox1, u"设置", u"設置", u"setup"},
    {TextKey::Bn_connect, u"读取信息", u"讀取信息", u"read device"},
    {TextKey::CB_Opentime, u"定时开机", u"定時開機", u"on by alarm"},
    {TextKey::Button1, u"开机", u"開機", u"turn on"},
    {TextKey::CB_Closetime, u"定时关机", u"定時關機", u"off by alarm"},
    {TextKey::Button2, u"关机", u"關機", u"turn off"},
    {TextKey::GroupBox_dly_setup, u"延时设置", u"延時設置", u"delay setup"},
    {TextKey::GroupBox_dly0, u"开机延时", u"開機延時", u"turn on delay"},
    {TextKey::GroupBox_dly1, u"关机延时", u"關機延時", u"turn off delay"},
    {TextKey::TxtMinute, u"分", u"分", u"M"},
    {TextKey::Button_same, u"跟\"1\"相同", u"跟\"1\"相同", u"same as \"1\""},
    {TextKey::Bn_default, u"默认值", u"默認值", u"default"},
    {TextKey::Bn_app, u"应用", u"應用", u"apply"},
    {TextKey::CheckBox17, u"级联", u"級聯", u"cascade"},
    {TextKey::Label3, u"启始位", u"啟始位", u"start bit"},
    {TextKey::Label2, u"启始位设置只用于顺序开", u"啟始位設置只用於順序開", u"the bit only for sequential turn on"},
    {TextKey::Button3, u"开关", u"開關", u"start"},
    {TextKey::Label_status, u"状态显示", u"狀態顯示", u"  STATUS"},
    {TextKey::Label_mask, u"屏蔽选择：", u"屏蔽選擇：", u"MASK OPTION: "},
    {TextKey::CB_mask_all, u"所有", u"所有", u"ALL"},
    {TextKey::Bn_seq_on, u"顺序打开", u"順序打開", u"turn on"},
    {TextKey::Bn_rev_off, u"逆序关闭", u"逆序關閉", u"turn off"},
    {TextKey::TxtOn, u"开", u"開", u"on"},
    {TextKey::TxtOff, u"关", u"關", u"off"},
    {TextKey::CB_week0, u"星期天", u"星期天", u"Sunday"},
    {TextKey::CB_week1, u"星期一", u"星期壹", u"Monday"},
    {TextKey::CB_week2, u"星期二", u"星期二", u"Tuesday"},
    {TextKey::CB_week3, u"星期三", u"星期三", u"Wednesday"},
    {TextKey::CB_week4, u"星期四", u"星期四", u"Thursday"},
    {TextKey::CB_week5, u"星期五", u"星期五", u"Friday"},
    {TextKey::CB_week6, u"星期六", u"星期六", u"Saturday"},
    {TextKey::Label5, u"    语言:", u"    語言:", u"Language:"},
    {TextKey::Button7, u"退出", u"退出", u"EXIT"},
    {TextKey::TxtVersion, u"版本：", u"版本：", u"Version: "},
    {TextKey::TxtStatus, u"状态:", u"狀態:", u"Status:"},
    {TextKey::TxtSentOk, u"状态:数据发送成功", u"狀態:數據發送成功", u"Status:Data sent successfully"},
    {TextKey::TxtSentFailed, u"状态:数据发送失败", u"狀態:數據發送失敗", u"Status: Data sent failed"},
    {TextKey::TxtOpenOk, u"打开成功", u"打開成功", u"successful"},
    {TextKey::TxtOpenFailed, u"打开失败", u"打開失敗", u"failing"},
    {TextKey::MsgBadId, u"请输入正确的ID值,范围为1-255", u"請輸入正確的ID值,範圍為1-255", u"please input a valid ID, range: 1-255"},
    {TextKey::MsgBadDelay, u"请输入正确的值,范围为0.5秒-60分钟,且应为数值0.5的倍数", u"請輸入正確的值,範圍為0.5秒-60分鐘,且應為數值0.5的倍數", u"please input a valid ID, from 0.5 second to 60 minute, and should be a multiple of 0.5"},
    {TextKey::MsgLocked, u"该设备处于锁定状态", u"該設備處於鎖定狀態", u"the device is in locked status"},
    {TextKey::MsgRunning, u"该设备处于运行状态", u"該設備處於運行狀態", u"the device is in running status"},
    {TextKey::MsgConnectFailed, u"连接主机失败，请重新检查！", u"連接主機失敗，請重新檢查！", u"connect failed, please check it!"},
    {TextKey::MsgSerialInUse, u"已连接COM端口,请断开再连接以太网端口!", u"已連接COM端口,請斷開再連接以太網端口!", u"Had connected the serial port!"},
    {TextKey::MsgTcpInUse, u"已连接以太网端口,请断开再连接COM口!", u"已連接以太網端口,請斷開再連接COM口!", u"Had connected the ethernet port!"},
    {TextKey::MsgConfirmDefault, u"确定恢复默认值吗?", u"確定恢復默認值嗎?", u"Are you sure restore the default value?"},
    {TextKey::CapError, u"错误", u"錯誤", u"Error"},
    {TextKey::CapAttention, u"注意", u"註意", u"Attention"},
    {TextKey::MsgPortInvalid, u"Port Invalid!", u"Port Invalid!", u"Port Invalid!"},
    {TextKey::CapCommError, u"Comm Error", u"Comm Error", u"Comm Error"},
};

static_assert(std::size(kRows) == kTextKeyCount, "one row per key");

constexpr bool RowsInKeyOrder() {
    for (size_t i = 0; i < std::size(kRows); ++i)
        if (static_cast<size_t>(kRows[i].key) != i) return false;
    return true;
}
static_assert(RowsInKeyOrder(), "rows must follow the order of TextKey");

constexpr std::string_view kKeyNames[] = {
    "TabSheet1",
    "TabSheet2",
    "TabSheet3",
    "TabSheet4",
    "Label13",
    "Label8",
    "Label7",
    "TxtConnect",
    "TxtDisconnect",
    "Bn_read_id",
    "Label14",
    "Bn_write_id",
    "Label4",
    "Label1",
    "GroupBox1",
    "Bn_connect",
    "CB_Opentime",
    "Button1",
    "CB_Closetime",
    "Button2",
    "GroupBox_dly_setup",
    "GroupBox_dly0",
    "GroupBox_dly1",
    "TxtMinute",
    "Button_same",
    "Bn_default",
    "Bn_app",
    "CheckBox17",
    "Label3",
    "Label2",
    "Button3",
    "Label_status",
    "Label_mask",
    "CB_mask_all",
    "Bn_seq_on",
    "Bn_rev_off",
    "TxtOn",
    "TxtOff",
    "CB_week0",
    "CB_week1",
    "CB_week2",
    "CB_week3",
    "CB_week4",
    "CB_week5",
    "CB_week6",
    "Label5",
    "Button7",
    "TxtVersion",
    "TxtStatus",
    "TxtSentOk",
    "TxtSentFailed",
    "TxtOpenOk",
    "TxtOpenFailed",
    "MsgBadId",
    "MsgBadDelay",
    "MsgLocked",
    "MsgRunning",
    "MsgConnectFailed",
    "MsgSerialInUse",
    "MsgTcpInUse",
    "MsgConfirmDefault",
    "CapError",
    "CapAttention",
    "MsgPortInvalid",
    "CapCommError",
};
static_assert(std::size(kKeyNames) == kTextKeyCount, "one name per key");

std::wstring Widen(const char16_t* text) {
    // All texts lie in the Basic Multilingual Plane, so one UTF-16 unit is one
    // wchar_t on both 16-bit (Windows) and 32-bit (Linux) wchar_t.
    std::wstring out;
    for (const char16_t* p = text; *p; ++p) out.push_back(static_cast<wchar_t>(*p));
    return out;
}

using LanguageTexts = std::array<std::wstring, 3>;  // indexed by Language

const std::array<LanguageTexts, kTextKeyCount>& Table() {
    static const auto table = [] {
        std::array<LanguageTexts, kTextKeyCount> t;
        for (size_t i = 0; i < std::size(kRows); ++i) {
            t[i][static_cast<size_t>(Language::Simplified)] = Widen(kRows[i].simplified);
            t[i][static_cast<size_t>(Language::Traditional)] = Widen(kRows[i].traditional);
            t[i][static_cast<size_t>(Language::English)] = Widen(kRows[i].english);
        }
        return t;
    }();
    return table;
}

}  // namespace

const std::wstring& Text(TextKey key, Language language) {
    static const std::wstring kEmpty;
    const auto index = static_cast<size_t>(key);
    const auto lang = static_cast<size_t>(language);
    if (index >= static_cast<size_t>(kTextKeyCount) || lang >= 3) return kEmpty;
    return Table()[index][lang];
}

const std::wstring& Text(TextKey key, int32_t langIndex) {
    return Text(key, LanguageOf(langIndex));
}

std::string_view TextKeyName(TextKey key) {
    const auto index = static_cast<size_t>(key);
    return index < std::size(kKeyNames) ? kKeyNames[index] : std::string_view{};
}

TextKey MessageCaptionKey(TextKey message) {
    switch (message) {
        case TextKey::MsgConfirmDefault: return TextKey::CapAttention;
        case TextKey::MsgPortInvalid: return TextKey::CapCommError;
        default: return TextKey::CapError;
    }
}

MessageTexts Message(TextKey message, int32_t langIndex) {
    return {Text(message, langIndex), Text(MessageCaptionKey(message), langIndex)};
}

}  // namespace relayon::console
