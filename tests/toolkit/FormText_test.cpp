// The form text reader: values of every kind, nesting, and hostile input.
#include <gtest/gtest.h>

#include <string>

#include "toolkit/core/FormText.h"

namespace {
const FormProperty& Prop(const FormObject& o, const std::wstring& name) {
    for (auto& p : o.properties)
        if (p.name == name) return p;
    throw std::runtime_error("missing property");
}
}  // namespace

TEST(FormText, ReadsObjectsPropertiesAndEveryValueKind) {
    const char* text =
        "\xEF\xBB\xBF"  // byte-order mark
        "object Form1: TForm1\n"
        "  Left = 223\n"
        "  Top = -30 // a comment\n"
        "  Big = $7FFFFFFF\n"
        "  Ratio = 1.5E2\n"
        "  Caption = '\xE7\xAB\xAF\xE5\x8F\xA3' + \n"
        "    ' it''s'#13#10'ok'\n"
        "  Visible = True\n"
        "  BorderIcons = [biSystemMenu, biMinimize]\n"
        "  Empty = []\n"
        "  Font.Height = -16\n"
        "  Data = {0A0b FF\n   00}\n"
        "  Items.Strings = (\n    'one'\n    'two')\n"
        "  Panels = <\n    item\n      Width = 200\n    end\n    item\n      Text = 'x'\n    end>\n"
        "  object Page: TPageControl\n"
        "    object Sheet: TTabSheet\n"
        "    end\n"
        "  end\n"
        "  inherited Other: TButton\n"
        "  end\n"
        "end\n";
    FormObject root = ParseFormText(text);
    EXPECT_EQ(root.name, L"Form1");
    EXPECT_EQ(root.className, L"TForm1");
    EXPECT_EQ(Prop(root, L"Left").value.integer, 223);
    EXPECT_EQ(Prop(root, L"Top").value.integer, -30);
    EXPECT_EQ(Prop(root, L"Top").line, 3);
    EXPECT_EQ(Prop(root, L"Big").value.integer, 0x7FFFFFFF);
    EXPECT_EQ(Prop(root, L"Ratio").value.kind, FormValue::Kind::Float);
    EXPECT_DOUBLE_EQ(Prop(root, L"Ratio").value.real, 150.0);
    EXPECT_EQ(Prop(root, L"Caption").value.text, std::wstring(L"\u7AEF\u53E3 it's\r\nok"));
    EXPECT_EQ(Prop(root, L"Visible").value.kind, FormValue::Kind::Ident);
    EXPECT_EQ(Prop(root, L"Visible").value.text, L"True");
    EXPECT_EQ(Prop(root, L"BorderIcons").value.members, (std::vector<std::wstring>{L"biSystemMenu", L"biMinimize"}));
    EXPECT_EQ(Prop(root, L"Empty").value.kind, FormValue::Kind::Set);
    EXPECT_TRUE(Prop(root, L"Empty").value.members.empty());
    EXPECT_EQ(Prop(root, L"Font.Height").value.integer, -16);
    EXPECT_EQ(Prop(root, L"Data").value.bytes, (std::vector<uint8_t>{0x0A, 0x0B, 0xFF, 0x00}));
    const FormValue& items = Prop(root, L"Items.Strings").value;
    ASSERT_EQ(items.items.size(), 2u);
    EXPECT_EQ(items.items[1].text, L"two");
    const FormValue& panels = Prop(root, L"Panels").value;
    ASSERT_EQ(panels.entries.size(), 2u);
    EXPECT_EQ(panels.entries[0][0].name, L"Width");
    EXPECT_EQ(panels.entries[1][0].value.text, L"x");
    ASSERT_EQ(root.children.size(), 2u);
    EXPECT_EQ(root.children[0].children.at(0).className, L"TTabSheet");
    EXPECT_TRUE(root.children[1].inherited);
}

TEST(FormText, ReportsMalformedInputWithItsLine) {
    struct Case {
        const char* text;
        int line;
    } cases[] = {
        {"", 1},
        {"object A: TA\n", 2},                                  // no end
        {"object A: TA\n  X = 'open\nend\n", 2},                // unterminated string
        {"object A: TA\n  X = {0A1}\nend\n", 2},                // odd hex digits
        {"object A: TA\n  X = {0G}\nend\n", 2},                 // not hex
        {"object A: TA\n  X = 99999999999999999999\nend\n", 2}, // overflow
        {"object A: TA\n  X = [a, \nend\n", 4},                // "end" taken as a member; ] missing at the end
        {"object A: TA\n  X = #70000\nend\n", 2},
        {"object A: TA\n  X = 'a' +\nend\n", 3},
        {"object A: TA\nend\nend\n", 3},                         // text after the end
        {"thing A: TA\nend\n", 1},
        {"object A: TA\n  = 5\nend\n", 2},
        {"object A: TA\n  X = <item Y = 1 end\nend\n", 3},
    };
    for (const Case& c : cases) {
        try {
            ParseFormText(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const FormTextError& e) {
            EXPECT_EQ(e.Line(), c.line) << c.text;
        }
    }
}

TEST(FormText, NestingDeeperThanTheLimitIsRefused) {
    std::string deep;
    for (int i = 0; i < kMaxFormDepth + 5; ++i) deep += "object A: TA\n";
    for (int i = 0; i < kMaxFormDepth + 5; ++i) deep += "end\n";
    EXPECT_THROW(ParseFormText(deep), FormTextError);
    std::string lists = "object A: TA\n X = ";
    for (int i = 0; i < 200; ++i) lists += "(";
    EXPECT_THROW(ParseFormText(lists), FormTextError);
    std::string ok;
    for (int i = 0; i < 10; ++i) ok += "object A: TA\n";
    for (int i = 0; i < 10; ++i) ok += "end\n";
    EXPECT_NO_THROW(ParseFormText(ok));
}

TEST(FormText, Utf8DecodingReplacesMalformedSequences) {
    EXPECT_EQ(DecodeUtf8("a\xC3\xA9"), std::wstring(L"a\u00E9"));
    EXPECT_EQ(DecodeUtf8("\xC3"), std::wstring(1, static_cast<wchar_t>(0xFFFD)));
    EXPECT_EQ(DecodeUtf8("\xE0\x80\x80"), std::wstring(3, static_cast<wchar_t>(0xFFFD)));  // overlong
    EXPECT_EQ(DecodeUtf8("\xED\xA0\x80").size(), 3u);                                      // surrogate
    std::wstring round = DecodeUtf8("\xF0\x9F\x98\x80 \xE6\xBC\xA2");
    EXPECT_EQ(EncodeUtf8(round), "\xF0\x9F\x98\x80 \xE6\xBC\xA2");
}
