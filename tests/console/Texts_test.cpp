// The three-language text table. Expected texts are spelled with code-point
// escapes, so an encoding slip in the table (a half-width colon, a lost
// space, typographic quotes) shows here.
#include "console/core/Texts.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>

namespace relayon::console {
namespace {

std::string Narrow(const std::wstring& w) {
    std::string s;
    for (wchar_t c : w) s += c < 0x80 ? static_cast<char>(c) : '?';
    return s;
}

TEST(Texts, ThreeWayRule) {
    EXPECT_EQ(LanguageOf(0), Language::Simplified);
    EXPECT_EQ(LanguageOf(2), Language::Traditional);
    for (int32_t index : {-1, 1, 3, 4, -2, INT32_MIN, INT32_MAX}) EXPECT_EQ(LanguageOf(index), Language::English);

    EXPECT_EQ(Text(TextKey::TxtOn, 0), L"\x5F00");
    EXPECT_EQ(Text(TextKey::TxtOn, 2), L"\x958B");
    for (int32_t index : {-1, 1, 3}) {
        EXPECT_EQ(Text(TextKey::TxtOn, index), L"on");
        EXPECT_EQ(Text(TextKey::TxtOff, index), L"off");
    }
    EXPECT_EQ(Text(TextKey::TxtOff, 0), L"\x5173");
    EXPECT_EQ(Text(TextKey::TxtOff, 2), L"\x95DC");
}

TEST(Texts, SpacesColonsAndQuotesAreExact) {
    // Button_same: ASCII double quotes around the digit in all three forms.
    EXPECT_EQ(Text(TextKey::Button_same, 0), L"\x8DDF\"1\"\x76F8\x540C");
    EXPECT_EQ(Text(TextKey::Button_same, 2), L"\x8DDF\"1\"\x76F8\x540C");
    EXPECT_EQ(Text(TextKey::Button_same, 1), L"same as \"1\"");
    // Full-width colon in Chinese, trailing space in English.
    EXPECT_EQ(Text(TextKey::Label13, 0), L"\x4E32\x884C\x7AEF\x53E3\xFF1A");
    EXPECT_EQ(Text(TextKey::Label13, 1), L"Serial Port: ");
    EXPECT_EQ(Text(TextKey::Label7, 0), L"IP\x5730\x5740\xFF1A");
    EXPECT_EQ(Text(TextKey::Label7, 1), L"IP address: ");
    EXPECT_EQ(Text(TextKey::Label8, 2), L"\x6CE2\x7279\x7387:");  // ASCII colon here
    // Four leading spaces and an ASCII colon in the language label.
    EXPECT_EQ(Text(TextKey::Label5, 0), L"    \x8BED\x8A00:");
    EXPECT_EQ(Text(TextKey::Label5, 2), L"    \x8A9E\x8A00:");
    EXPECT_EQ(Text(TextKey::Label5, 1), L"Language:");
    EXPECT_EQ(Text(TextKey::Label_status, 1), L"  STATUS");
    EXPECT_EQ(Text(TextKey::Label_mask, 1), L"MASK OPTION: ");
    EXPECT_EQ(Text(TextKey::Label_mask, 0), L"\x5C4F\x853D\x9009\x62E9\xFF1A");
    EXPECT_EQ(Text(TextKey::TxtVersion, 0), L"\x7248\x672C\xFF1A");
    EXPECT_EQ(Text(TextKey::TxtVersion, 1), L"Version: ");
    EXPECT_EQ(Text(TextKey::Label14, 1), L"old ID:");
    EXPECT_EQ(Text(TextKey::Label1, 2),
              L"(\x8B80\x6216\x5BEB" L"ID\x6642\xFF0C\x53EA\x8207\x58F9\x81FA\x8A2D\x5099\x76F8\x9023\x63A5)");
    // Panel 2 texts differ in a space after the colon.
    EXPECT_EQ(Text(TextKey::TxtSentOk, 1), L"Status:Data sent successfully");
    EXPECT_EQ(Text(TextKey::TxtSentFailed, 1), L"Status: Data sent failed");
    EXPECT_EQ(Text(TextKey::TxtSentFailed, 0), L"\x72B6\x6001:\x6570\x636E\x53D1\x9001\x5931\x8D25");
    EXPECT_EQ(Text(TextKey::TxtStatus, 2), L"\x72C0\x614B:");
}

TEST(Texts, MessagesAndTheirCaptions) {
    // Full-width comma and exclamation mark in one message, ASCII in the next.
    EXPECT_EQ(Text(TextKey::MsgConnectFailed, 0),
              L"\x8FDE\x63A5\x4E3B\x673A\x5931\x8D25\xFF0C\x8BF7\x91CD\x65B0\x68C0\x67E5\xFF01");
    EXPECT_EQ(Text(TextKey::MsgSerialInUse, 0),
              L"\x5DF2\x8FDE\x63A5" L"COM\x7AEF\x53E3,\x8BF7\x65AD\x5F00\x518D\x8FDE\x63A5\x4EE5\x592A\x7F51\x7AEF\x53E3!");
    EXPECT_EQ(Text(TextKey::MsgTcpInUse, 1), L"Had connected the ethernet port!");
    EXPECT_EQ(Text(TextKey::MsgBadId, 1), L"please input a valid ID, range: 1-255");
    EXPECT_EQ(Text(TextKey::MsgBadDelay, 1),
              L"please input a valid ID, from 0.5 second to 60 minute, and should be a multiple of 0.5");

    const auto badId = Message(TextKey::MsgBadId, 0);
    EXPECT_EQ(badId.caption, L"\x9519\x8BEF");
    EXPECT_EQ(Message(TextKey::MsgLocked, 2).caption, L"\x932F\x8AA4");
    EXPECT_EQ(Message(TextKey::MsgRunning, -1).caption, L"Error");
    EXPECT_EQ(Message(TextKey::MsgRunning, -1).text, L"the device is in running status");
    const auto confirm = Message(TextKey::MsgConfirmDefault, 2);
    EXPECT_EQ(confirm.caption, L"\x8A3B\x610F");
    EXPECT_EQ(Message(TextKey::MsgConfirmDefault, 1).caption, L"Attention");
    // The one message with a single form.
    for (int32_t lang : {0, 1, 2, -1}) {
        EXPECT_EQ(Message(TextKey::MsgPortInvalid, lang).text, L"Port Invalid!");
        EXPECT_EQ(Message(TextKey::MsgPortInvalid, lang).caption, L"Comm Error");
    }
}

TEST(Texts, TraditionalFormsDifferWhereTheyShould) {
    EXPECT_EQ(Text(TextKey::CB_week1, 0), L"\x661F\x671F\x4E00");
    EXPECT_EQ(Text(TextKey::CB_week1, 2), L"\x661F\x671F\x58F9");
    EXPECT_EQ(Text(TextKey::TxtDisconnect, 0), L"\x65AD\x5F00");
    EXPECT_EQ(Text(TextKey::TxtDisconnect, 2), L"\x65B7\x958B");
    EXPECT_EQ(Text(TextKey::TxtOpenOk, 2), L"\x6253\x958B\x6210\x529F");
    EXPECT_EQ(Text(TextKey::TxtOpenFailed, 0), L"\x6253\x5F00\x5931\x8D25");
    const char* days[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    for (int d = 0; d < 7; ++d)
        EXPECT_EQ(Narrow(Text(static_cast<TextKey>(static_cast<int>(TextKey::CB_week0) + d), 1)), days[d]);
}

// Whole-table properties: every key has three non-empty forms, the English
// forms are plain ASCII, the Chinese forms hold Chinese characters, and no
// two keys share a name.
TEST(Texts, EveryKeyHasThreeForms) {
    std::set<std::string_view> names;
    for (int i = 0; i < kTextKeyCount; ++i) {
        const auto key = static_cast<TextKey>(i);
        const std::string_view name = TextKeyName(key);
        EXPECT_FALSE(name.empty()) << i;
        EXPECT_TRUE(names.insert(name).second) << name;
        for (Language lang : {Language::Simplified, Language::Traditional, Language::English})
            EXPECT_FALSE(Text(key, lang).empty()) << name;
        for (wchar_t c : Text(key, Language::English)) EXPECT_LT(static_cast<unsigned>(c), 0x80u) << name;
        const bool singleForm = key == TextKey::MsgPortInvalid || key == TextKey::CapCommError;
        if (!singleForm) {
            for (Language lang : {Language::Simplified, Language::Traditional}) {
                bool hasHan = false;
                for (wchar_t c : Text(key, lang)) hasHan |= c >= 0x4E00 && c <= 0x9FFF;
                EXPECT_TRUE(hasHan) << name;
            }
        }
    }
    EXPECT_EQ(names.size(), static_cast<size_t>(kTextKeyCount));
    EXPECT_EQ(TextKeyName(TextKey::MsgBadId), "MsgBadId");
    EXPECT_EQ(Text(TextKey::Count, 1), L"");
    EXPECT_EQ(Text(static_cast<TextKey>(200), 0), L"");
}

}  // namespace
}  // namespace relayon::console
