// What a language switch does to captions and status panels.
#include "console/core/CaptionPlan.h"

#include <gtest/gtest.h>

#include <set>

#include "console/core/FixedTexts.h"

namespace relayon::console {
namespace {

TEST(CaptionPlan, WindowCaptionsInSetLanguageOrder) {
    const auto order = WindowCaptionOrder();
    ASSERT_EQ(order.size(), 30u);
    const std::string_view expected[] = {
        "TabSheet1", "TabSheet2", "TabSheet3", "TabSheet4", "Label13", "Bn_read_id", "Bn_write_id", "Bn_connect",
        "Button1", "Button2", "Button_same", "Bn_default", "Bn_app", "Button3", "Button7", "Label5", "Label8",
        "Label14", "Label4", "Label1", "Label3", "Label2", "GroupBox1", "GroupBox_dly_setup", "CB_Opentime",
        "CB_Closetime", "CheckBox17", "Bn_ser_conn", "Bn_ip_conn", "Label7"};
    std::set<std::string_view> seen;
    for (size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(order[i].control, expected[i]);
        EXPECT_TRUE(seen.insert(order[i].control).second);
        if (order[i].rule == CaptionRule::Plain)
            EXPECT_EQ(TextKeyName(order[i].key), order[i].control);  // keys named after their control
        else
            EXPECT_EQ(order[i].key, TextKey::TxtConnect);
    }
    EXPECT_EQ(order[27].rule, CaptionRule::ConnectButton);
    EXPECT_EQ(order[28].rule, CaptionRule::ConnectButton);
}

TEST(CaptionPlan, OpenTransportKeepsDisconnectInTheNewLanguage) {
    EXPECT_EQ(ConnectButtonCaption(L"disconnect", 1, 0), Text(TextKey::TxtDisconnect, 0));
    EXPECT_EQ(ConnectButtonCaption(Text(TextKey::TxtDisconnect, 0), 0, 2), Text(TextKey::TxtDisconnect, 2));
    EXPECT_EQ(ConnectButtonCaption(L"connect", 1, 2), Text(TextKey::TxtConnect, 2));
    EXPECT_EQ(ConnectButtonCaption(Text(TextKey::TxtConnect, 2), 2, 1), L"connect");
    // The resource's caption at start-up and any stray text become connect.
    EXPECT_EQ(ConnectButtonCaption(Text(TextKey::TxtConnect, 0), 0, 1), L"connect");
    EXPECT_EQ(ConnectButtonCaption(L"xyz", 1, 1), L"connect");
    // A disconnect caption of another language than the previous one is not recognised.
    EXPECT_EQ(ConnectButtonCaption(Text(TextKey::TxtDisconnect, 2), 0, 1), L"connect");
    // After typing into the language box (-1) English was shown; an open
    // port's caption must survive the next switch.
    EXPECT_EQ(ConnectButtonCaption(L"disconnect", -1, 0), Text(TextKey::TxtDisconnect, 0));
}

TEST(CaptionPlan, StatusPanelsFollowTheLanguage) {
    EXPECT_EQ(RetranslateSendStatusPanel(L"Status: Data sent failed", 1, 0), Text(TextKey::TxtSentFailed, 0));
    EXPECT_EQ(RetranslateSendStatusPanel(L"Status:Data sent successfully", 1, 2), Text(TextKey::TxtSentOk, 2));
    EXPECT_EQ(RetranslateOpenResultPanel(L"failing", 1, 0), Text(TextKey::TxtOpenFailed, 0));
    EXPECT_EQ(RetranslateOpenResultPanel(L"successful", 1, 2), L"\x6253\x958B\x6210\x529F");
    // Start-up: the resource's Simplified status becomes the stored language's.
    EXPECT_EQ(RetranslateSendStatusPanel(Text(TextKey::TxtStatus, 0), 0, 1), L"Status:");
    EXPECT_EQ(RetranslateSendStatusPanel(Text(TextKey::TxtStatus, 0), 0, 0), Text(TextKey::TxtStatus, 0));
    // Texts of other keys or other languages are left alone.
    EXPECT_EQ(RetranslateOpenResultPanel(L"", 1, 0), L"");
    EXPECT_EQ(RetranslateOpenResultPanel(L"Port:COM1:19200,8,None,1", 1, 0), L"Port:COM1:19200,8,None,1");
    EXPECT_EQ(RetranslateSendStatusPanel(L"failing", 1, 0), L"failing");
    EXPECT_EQ(RetranslateSendStatusPanel(Text(TextKey::TxtSentOk, 2), 0, 1), Text(TextKey::TxtSentOk, 2));
    // Previous index -1 showed English.
    EXPECT_EQ(RetranslateOpenResultPanel(L"failing", -1, 2), Text(TextKey::TxtOpenFailed, 2));
}

TEST(CaptionPlan, VersionAndRunTimeCaptions) {
    EXPECT_EQ(VersionPanelText(1), L"Version: V0.5.5");
    EXPECT_EQ(VersionPanelText(0), L"\x7248\x672C\xFF1AV0.5.5");
    EXPECT_EQ(Text(*DelayGroupCaptionKey(0), 1), L"turn on delay");
    EXPECT_EQ(Text(*DelayGroupCaptionKey(1), 1), L"turn off delay");
    EXPECT_FALSE(DelayGroupCaptionKey(2));
    EXPECT_EQ(Text(*WeekdayCaptionKey(0), 1), L"Sunday");
    EXPECT_EQ(Text(*WeekdayCaptionKey(6), 1), L"Saturday");
    EXPECT_FALSE(WeekdayCaptionKey(7));
    EXPECT_FALSE(WeekdayCaptionKey(-1));
    EXPECT_EQ(Text(kDelayUnitCaptionKey, 1), L"M");
    EXPECT_EQ(Text(kOnSlotCaptionKey, 1), L"on");
    EXPECT_EQ(Text(kOffSlotCaptionKey, 1), L"off");
    EXPECT_EQ(Text(kRealTimeGroupCaptionOrder[0], 1), L"  STATUS");
    EXPECT_EQ(Text(kRealTimeGroupCaptionOrder[4], 0), L"\x9006\x5E8F\x5173\x95ED");
}

TEST(FixedTexts, CaptionsThatNeverChange) {
    EXPECT_EQ(*ChannelLabelCaption(0), L"ID:");
    EXPECT_EQ(*ChannelLabelCaption(1), L"LCD");
    EXPECT_EQ(*ChannelLabelCaption(2), L"CH1");
    EXPECT_EQ(*ChannelLabelCaption(9), L"CH8");
    EXPECT_FALSE(ChannelLabelCaption(10));
    EXPECT_EQ(*DelayLabelCaption(0), L"LCD:");
    EXPECT_EQ(*DelayLabelCaption(8), L"CH8:");
    EXPECT_FALSE(DelayLabelCaption(9));
    EXPECT_EQ(SerialPortPanelText(1, 19200), L"Port:COM1:19200,8,None,1");
    EXPECT_EQ(EthernetPanelText(L"127.0.0.1"), L"Port:ethernet IP:127.0.0.1");
    EXPECT_EQ(kLabel6Caption, L"ID\xFF1A");
    EXPECT_EQ(kLanguageItems[2], L"Chinese(Traditional)");
}

}  // namespace
}  // namespace relayon::console
