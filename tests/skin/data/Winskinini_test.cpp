// Quick INI store: lookup rules, numbers, editing with a consistent section
// index, line endings, saving, files and the compressed file form.

#include "skin/data/Winskinini.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "skin/data/Winconvert.h"
#include "skin/data/Winskinini_text.h"

namespace relayon::skin {
namespace {

using Lines = std::vector<std::string>;

TQuickIni Load(std::string_view text) {
    TQuickIni ini;
    ini.LoadFromText(text);
    return ini;
}

// Every index entry names the header at its recorded line, and every
// header line has an entry.
void ExpectIndexConsistent(const TQuickIni& ini) {
    const TAnsiStringList& lines = ini.IniFile();
    const TAnsiStringList& sections = ini.Sections();
    int headers = 0;
    for (int i = 0; i < lines.Count(); ++i)
        if (ini::HasHeaderShape(lines[i])) ++headers;
    ASSERT_EQ(sections.Count(), headers);
    for (int s = 0; s < sections.Count(); ++s) {
        const auto at = sections.Data(s);
        ASSERT_GE(at, 0);
        ASSERT_LT(at, lines.Count());
        EXPECT_EQ(std::string(ini::Trim(lines[static_cast<int>(at)])), sections[s]);
    }
}

Lines ReadSectionsOf(const TQuickIni& ini) {
    TAnsiStringList names;
    ini.ReadSections(&names);
    return names.ToVector();
}

const char* kSkin =
    "; skin description\r\n"
    "\r\n"
    "[Form]\r\n"
    "Caption=Main\r\n"
    "TopHeight=\r\n"
    "Width = 9px\r\n"
    "  [Buttons]  \r\n"
    "   Bitmap = Buttons.bmp   \r\n"
    "Trans=1\r\n"
    "Trans=0\r\n"
    "Hex1=0x1A\r\n"
    "Hex2=$1A\r\n"
    "Hex3=0x\r\n"
    "Neg=-42\r\n"
    "Note=a;b \"quoted\"\r\n"
    "loose line\r\n"
    "[Bars]\r\n"
    "Bitmap=bars.bmp\r\n"
    "[buttons]\r\n"
    "Bitmap=shadowed.bmp\r\n";

TEST(Winskinini, LookupIgnoresCaseAndTrims) {
    const TQuickIni ini = Load(kSkin);
    EXPECT_EQ(ini.ReadString("buttons", "BITMAP", "none"), "Buttons.bmp");
    EXPECT_EQ(ini.ReadString("FORM", "caption", ""), "Main");
    // First of two keys wins; the later duplicate section is never read by key.
    EXPECT_EQ(ini.ReadInteger("Buttons", "Trans", -1), 1);
    EXPECT_EQ(ReadSectionsOf(ini), (Lines{"Form", "Buttons", "Bars", "buttons"}));
    // No quoting and no inline comments.
    EXPECT_EQ(ini.ReadString("Buttons", "Note", ""), "a;b \"quoted\"");
    // Missing section, missing key, empty value, a key asked with blanks.
    EXPECT_EQ(ini.ReadString("Nope", "Bitmap", "d"), "d");
    EXPECT_EQ(ini.ReadString("Bars", "Caption", "d"), "d");
    EXPECT_EQ(ini.ReadString("Form", "TopHeight", "d"), "d");
    EXPECT_EQ(ini.ReadString("Bars", " Bitmap", "d"), "d");
    // A line without "=" is kept but is no key; the section is not "[Buttons] ".
    EXPECT_EQ(ini.ReadString("Buttons", "loose line", "d"), "d");
    EXPECT_EQ(ini.ReadString(" Buttons", "Bitmap", "d"), "d");
}

TEST(Winskinini, NumbersAndBooleans) {
    const TQuickIni ini = Load(kSkin);
    EXPECT_EQ(ini.ReadInteger("Form", "TopHeight", 7), 7);
    EXPECT_EQ(ini.ReadInteger("Form", "Width", 7), 7);
    EXPECT_EQ(ini.ReadInteger("Buttons", "Hex1", 0), 26);
    EXPECT_EQ(ini.ReadInteger("Buttons", "Hex2", 0), 26);
    EXPECT_EQ(ini.ReadInteger("Buttons", "Hex3", 5), 5);
    EXPECT_EQ(ini.ReadInteger("Buttons", "Neg", 0), -42);
    EXPECT_TRUE(ini.ReadBool("Buttons", "Trans", false));
    EXPECT_FALSE(ini.ReadBool("Buttons", "Missing", false));
    EXPECT_TRUE(ini.ReadBool("Buttons", "Missing", true));
    EXPECT_TRUE(ini.ReadBool("Buttons", "Note", true));  // words are no numbers

    struct Case {
        const char* text;
        std::optional<int32_t> value;
    };
    const Case cases[] = {
        {"0", 0},           {"+17", 17},          {"-2147483648", INT32_MIN}, {"2147483647", INT32_MAX},
        {"2147483648", {}}, {"-2147483649", {}},  {"$FFFFFFFF", -1},          {"0XfF", 255},
        {"$100000000", {}}, {"-$10", -16},        {"$", {}},                  {"0x", {}},
        {"-", {}},          {"1 2", {}},          {"true", {}},               {"", {}},
        {"0x-1", {}},       {"00012", 12},
    };
    for (const Case& c : cases) EXPECT_EQ(ini::ParseInteger(c.text), c.value) << c.text;
}

TEST(Winskinini, SectionListsAndAssertions) {
    const TQuickIni ini = Load(kSkin);
    TAnsiStringList list;
    list.Add("stale");
    ini.ReadSection("Buttons", &list);
    EXPECT_EQ(list.ToVector(), (Lines{"bitmap", "trans", "trans", "hex1", "hex2", "hex3", "neg", "note"}));
    ini.ReadSectionValues("Form", &list);
    EXPECT_EQ(list.ToVector(), (Lines{"Caption=Main", "TopHeight=", "Width = 9px"}));
    ini.ReadSectionValues("Missing", &list);
    EXPECT_TRUE(list.Empty());
    try {
        ini.ReadSection("Form", nullptr);
        FAIL();
    } catch (const EAssertionFailed& e) {
        EXPECT_STREQ(e.what(), "The parameter Strings is unassigned!");
    }
    EXPECT_THROW(ini.ReadSections(nullptr), EAssertionFailed);
    EXPECT_THROW(ini.ReadSectionValues("Form", nullptr), EAssertionFailed);
}

TEST(Winskinini, LineEndingsCommentsAndSaving) {
    const std::string crlf = "[A]\r\nk=1\r\n;c\r\n\r\n  x = 2 \r\n[B]\r\ny=3\r\n";
    std::string lf = crlf;
    std::erase(lf, '\r');
    std::string cr = crlf;
    std::erase(cr, '\n');
    const std::string expected = "[A]\r\nk=1\r\nx = 2\r\n[B]\r\ny=3\r\n";
    for (const std::string& text : {crlf, lf, cr, std::string("[A]\nk=1\n\r;c\n\rx = 2\n\r[B]\n\ry=3")}) {
        TQuickIni ini = Load(text);
        EXPECT_EQ(ini.SaveToText(), expected) << text;
        EXPECT_EQ(ini.ReadInteger("b", "Y", 0), 3);
        ExpectIndexConsistent(ini);
    }
    // A zero byte ends the text.
    const std::string withZero("[A]\nk=1\n\0[B]\ny=3\n", 18);
    EXPECT_EQ(Load(withZero).SaveToText(), "[A]\r\nk=1\r\n");

    std::stringstream in("skipped[A]\nk=5\n");
    in.seekg(7);  // loading starts at the stream's position
    TQuickIni ini;
    ini.LoadFromStream(&in);
    EXPECT_EQ(ini.ReadInteger("A", "k", 0), 5);
    ini.LoadFromStream(nullptr);  // no stream: content stays
    EXPECT_EQ(ini.ReadInteger("A", "k", 0), 5);
    std::ostringstream out;
    ini.SaveToStream(&out);
    ini.SaveToStream(nullptr);
    EXPECT_EQ(out.str(), "[A]\r\nk=5\r\n");
}

TEST(Winskinini, WriteStringPlacesKeysInTheirSection) {
    TQuickIni ini = Load("[A]\na=1\n[B]\nb=1\n[C]\nc=1\n");
    ini.WriteString("b", "New", "x");  // middle section: just before [C]
    ini.WriteString("C", "Tail", "y");  // last section: at the end
    ini.WriteString("A", "A", "2");     // existing key, other case: replaced
    ini.WriteString("D", "d", "4");     // new section at the end
    ini.WriteString("E", "", "ignored");
    ini.WriteInteger("B", "Num", -7);
    ini.WriteBool("B", "Flag", true);
    EXPECT_EQ(ini.IniFile().ToVector(), (Lines{"[A]", "A=2", "[B]", "b=1", "New=x", "Num=-7", "Flag=1", "[C]", "c=1",
                                               "Tail=y", "[D]", "d=4", "[E]"}));
    ExpectIndexConsistent(ini);
    EXPECT_EQ(ini.ReadString("B", "new", ""), "x");
    EXPECT_EQ(ini.ReadString("C", "c", ""), "1");
    EXPECT_EQ(ini.ReadInteger("B", "num", 0), -7);
    EXPECT_TRUE(ini.ReadBool("B", "flag", false));
    EXPECT_EQ(ini.GetSectionIndex("c"), 7);
    EXPECT_EQ(ReadSectionsOf(ini), (Lines{"A", "B", "C", "D", "E"}));
}

TEST(Winskinini, DeleteKeyAndEraseSectionKeepTheIndex) {
    TQuickIni ini = Load("[A]\nTrans=1\nTrans=0\n[B]\nb=1\n[C]\nc=1\n");
    ini.DeleteKey("a", "TRANS");  // the line ReadString would have read
    EXPECT_EQ(ini.ReadInteger("A", "Trans", 9), 0);
    ini.DeleteKey("A", "missing");
    ini.DeleteKey("Missing", "Trans");
    EXPECT_EQ(ini.IniFile().Count(), 6);

    ini.EraseSection("B");
    EXPECT_EQ(ini.IniFile().ToVector(), (Lines{"[A]", "Trans=0", "", "[C]", "c=1"}));
    ExpectIndexConsistent(ini);
    EXPECT_EQ(ini.GetSectionIndex("B"), -1);
    EXPECT_EQ(ini.ReadString("C", "c", ""), "1");

    // The first section: nothing is left in its place (the blank line was
    // part of its body).
    ini.EraseSection("A");
    EXPECT_EQ(ini.IniFile().ToVector(), (Lines{"[C]", "c=1"}));
    ExpectIndexConsistent(ini);
    ini.EraseSection("Missing");
    EXPECT_EQ(ini.IniFile().Count(), 2);
    ini.Clear();
    EXPECT_TRUE(ini.IniFile().Empty());
    EXPECT_TRUE(ini.Sections().Empty());
}

TEST(Winskinini, SetIniFileKeepsLinesAsGiven) {
    TAnsiStringList lines;
    for (const char* l : {"; kept", "  [A]  ", "  k = 1 ", "", "[B]", "k=2"}) lines.Add(l);
    TQuickIni ini;
    ini.SetIniFile(lines);
    EXPECT_EQ(ini.IniFile(), lines);
    // The untrimmed "  [A]  " is not indexed, but still ends no body: [B] does.
    EXPECT_EQ(ini.GetSectionIndex("A"), -1);
    EXPECT_EQ(ini.GetSectionIndex("B"), 4);
    EXPECT_EQ(ini.ReadInteger("B", "k", 0), 2);
    EXPECT_EQ(ini.SaveToText(), "; kept\r\n  [A]  \r\n  k = 1 \r\n\r\n[B]\r\nk=2\r\n");
}

class WinskininiFiles : public ::testing::Test {
protected:
    std::filesystem::path dir_ = std::filesystem::temp_directory_path() /
                                 ("winskinini_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                  "_" + std::to_string(reinterpret_cast<uintptr_t>(this)));
    void SetUp() override { std::filesystem::create_directories(dir_); }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Path(const char* name) const { return (dir_ / name).string(); }
};

TEST_F(WinskininiFiles, PlainAndCompressedFilesRoundTrip) {
    TQuickIni ini = Load(kSkin);
    ini.SaveToFile(Path("skin.ini"));
    TQuickIni plain;
    plain.LoadFromFile(Path("skin.ini"));
    EXPECT_EQ(plain.IniFile(), ini.IniFile());
    EXPECT_EQ(plain.Sections(), ini.Sections());

    ini.SavetoZip(Path("skin.lzh"));
    std::ifstream f(Path("skin.lzh"), std::ios::binary);
    const std::vector<uint8_t> container((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    const std::string text = ini.SaveToText();
    EXPECT_EQ(BlockStreamDeclaredSize(container), static_cast<int32_t>(text.size()));
    EXPECT_EQ(GetBlockStream(container, text.size()), std::vector<uint8_t>(text.begin(), text.end()));

    TQuickIni zipped;
    zipped.LoadFromZip(Path("skin.lzh"));
    EXPECT_EQ(zipped.IniFile(), ini.IniFile());
    EXPECT_EQ(zipped.ReadString("Buttons", "Bitmap", ""), "Buttons.bmp");
    // A size header above the limit fails and leaves the content alone.
    EXPECT_THROW(zipped.LoadFromZip(Path("skin.lzh"), text.size() - 1), ElzhException);
    EXPECT_EQ(zipped.IniFile(), ini.IniFile());
}

TEST_F(WinskininiFiles, FileErrorsThrowAndKeepTheContent) {
    TQuickIni ini = Load("[A]\nk=1\n");
    EXPECT_THROW(ini.LoadFromFile(Path("missing.ini")), std::system_error);
    EXPECT_THROW(ini.LoadFromZip(Path("missing.lzh")), std::system_error);
    EXPECT_EQ(ini.ReadInteger("A", "k", 0), 1);
    EXPECT_THROW(ini.SaveToFile(Path("no/such/dir/x.ini")), std::system_error);
    EXPECT_THROW(ini.SavetoZip(Path("no/such/dir/x.lzh")), std::system_error);
}

TEST(Winskinini, CompressAndDecompressStreams) {
    const std::string text = TQuickIni(Load(kSkin)).SaveToText();
    std::stringstream source(text);
    std::stringstream packed;
    TQuickIni::Compress(source, packed);
    std::stringstream unpacked;
    TQuickIni::Decompress(packed, unpacked);
    EXPECT_EQ(unpacked.str(), text);
    std::stringstream again(packed.str());
    std::stringstream sink;
    EXPECT_THROW(TQuickIni::Decompress(again, sink, 10), ElzhException);
}

TEST(Winskinini, AnyBytesLoadWithoutHarm) {
    std::string junk;
    for (int i = 0; i < 4096; ++i) junk.push_back(static_cast<char>((i * 7919) % 251 + 1));
    junk += "\n[\n]\n[]\n=\n==\n[x]=y\n";
    TQuickIni ini = Load(junk);
    ExpectIndexConsistent(ini);
    // "[]" names the empty section; "[x]=y" does not end in "]", so it is a
    // key line of that section; lone brackets are plain lines.
    ASSERT_GE(ini.GetSectionIndex(""), 0);
    EXPECT_EQ(ini.ReadString("", "[x]", "d"), "y");
    EXPECT_EQ(ini.GetSectionIndex("x"), -1);
}

}  // namespace
}  // namespace relayon::skin
