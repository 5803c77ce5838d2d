// What a language switch does to captions and status panels.
#include "console/core/CaptionPlan.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "console/core/FixedTexts.h"

namespace relayon::console {
namespace {

// The plan names every control once, by the key named after it; the page
// tabs come first, the connect buttons and their address label last, and no
// control whose caption never changes is in it.
TEST(CaptionPlan, WindowCaptionsInSetLanguageOrder) {
    const auto order = WindowCaptionOrder();
    ASSERT_EQ(order.size(), 30u);
    std::set<std::string_view> seen;
    for (const ControlCaption& entry : order) {
        EXPECT_TRUE(seen.insert(entry.control).second) << entry.control;
        if (entry.rule == CaptionRule::Plain)
            EXPECT_EQ(TextKeyName(entry.key), entry.control);
        else
            EXPECT_EQ(entry.key, TextKey::TxtConnect) << entry.control;
    }
    for (int i = 0; i < 4; ++i) EXPECT_EQ(order[i].control, "TabSheet" + std::to_string(i + 1));
    EXPECT_EQ(order[27].control, "Bn_ser_conn");
    EXPECT_EQ(order[28].control, "Bn_ip_conn");
    EXPECT_EQ(order[27].rule, CaptionRule::ConnectButton);
    EXPECT_EQ(order[28].rule, CaptionRule::ConnectButton);
    EXPECT_EQ(order[29].control, "Label7");
    for (std::string_view fixed : {"Label6", "CB_lock", "Bn_ch_all", "Bn_ch_clr", "CB_language"})
        EXPECT_EQ(seen.count(fixed), 0u) << fixed;
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
