#include "skin/data/Skinread.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "base/ByteIo.h"
#include "skin/data/SkinWriter.h"
#include "skin/data/Winconvert.h"

using namespace relayon::skin;

namespace {

std::vector<uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

void PutLe32(std::vector<uint8_t>& out, int32_t value) { relayon::ByteWriter(out).I32(value); }

// A package laid out by hand, so the tests control every field. The version
// block is filled with 0xEE so that a wrong skip shows up in names or data.
std::vector<uint8_t> RawPackage(int32_t version, int blockSize, std::string_view directory,
                                const std::vector<int32_t>& sizeTable, std::string_view data) {
    std::vector<uint8_t> out;
    PutLe32(out, version);
    PutLe32(out, static_cast<int32_t>(directory.size()));
    PutLe32(out, 0x11111111);
    PutLe32(out, 0x22222222);
    out.insert(out.end(), static_cast<size_t>(blockSize), 0xEE);
    out.insert(out.end(), directory.begin(), directory.end());
    for (int32_t s : sizeTable) PutLe32(out, s);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

std::string Entry(const TSkinReader& reader, const std::string& name) {
    std::vector<uint8_t> m;
    reader.readfile(name, m);
    return {m.begin(), m.end()};
}

// A reader holding a known, valid package, to check that failures leave it alone.
TSkinReader LoadedReader() {
    TSkinReader reader;
    EXPECT_TRUE(reader.LoadPackage(RawPackage(20000, 0, "keep.ini\r\nkeep.bmp", {3, 2}, "abcde")));
    return reader;
}

void ExpectStillLoaded(const TSkinReader& reader) {
    EXPECT_EQ(reader.Num, 2);
    EXPECT_EQ(reader.Dir, (std::vector<std::string>{"keep.ini", "keep.bmp"}));
    EXPECT_EQ(reader.header.Version, 20000);
    EXPECT_EQ(Entry(reader, "keep.ini"), "abc");
    EXPECT_EQ(Entry(reader, "keep.bmp"), "de");
}

} // namespace

TEST(Skinread, DirectoryLinesWithAndWithoutFinalBreakAndEveryLineEnding) {
    struct Case {
        std::string_view dir;
        std::vector<std::string> names;
    } cases[] = {
        {"a.ini\r\nb.bmp\r\n", {"a.ini", "b.bmp"}},
        {"a.ini\r\nb.bmp", {"a.ini", "b.bmp"}},
        {"a.ini\nb.bmp\n", {"a.ini", "b.bmp"}},
        {"a.ini\rb.bmp\r", {"a.ini", "b.bmp"}},
        {"a.ini\n\rb.bmp", {"a.ini", "", "b.bmp"}},  // LF then CR: two line ends
        {"a.ini\r\n\r\nb.bmp", {"a.ini", "", "b.bmp"}},
    };
    for (const Case& c : cases) {
        const std::string data(c.names.size(), 'x');
        std::vector<int32_t> sizes(c.names.size(), 1);
        TSkinReader reader;
        ASSERT_TRUE(reader.LoadPackage(RawPackage(20000, 0, c.dir, sizes, data))) << reader.LastError();
        EXPECT_EQ(reader.Dir, c.names);
        EXPECT_EQ(reader.Num, static_cast<int>(c.names.size()));
    }
    EXPECT_TRUE(SplitSkinDirectory("").empty());
    EXPECT_EQ(SplitSkinDirectory("\r\n"), std::vector<std::string>{""});
}

TEST(Skinread, NamesAreLowerCasedAndLookupsIgnoreCase) {
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadPackage(RawPackage(20000, 0, "Skin.INI\r\nButtons.BMP\r\nCheckBox.bmp\r\n", {2, 3, 4}, "IIBBBCCCC")));
    EXPECT_EQ(reader.Dir, (std::vector<std::string>{"skin.ini", "buttons.bmp", "checkbox.bmp"}));
    EXPECT_EQ(Entry(reader, "BUTTONS.bmp"), "BBB");
    EXPECT_EQ(Entry(reader, "buttons.bmp"), "BBB");
    EXPECT_EQ(Entry(reader, "CheckBox.BMP"), "CCCC");
    // Only exact names match: no prefix, no substring, no path.
    EXPECT_EQ(Entry(reader, "buttons"), "");
    EXPECT_EQ(Entry(reader, "x/buttons.bmp"), "");

    std::vector<uint8_t> ini;
    std::string fname = "unchanged";
    reader.readIni(".ini", ini, fname);
    EXPECT_EQ(std::string(ini.begin(), ini.end()), "II");
    EXPECT_EQ(fname, "skin.ini");
    // The substring test is on the lower-cased names and is case-sensitive.
    fname = "unchanged";
    reader.readIni(".INI", ini, fname);
    EXPECT_TRUE(ini.empty());
    EXPECT_EQ(fname, "unchanged");
    reader.readIni("", ini, fname);
    EXPECT_TRUE(ini.empty());
    EXPECT_EQ(fname, "unchanged");
}

TEST(Skinread, DuplicateAndEmptyEntriesAndMissingNames) {
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadPackage(
        RawPackage(20000, 0, "one.bmp\r\nempty.bmp\r\nONE.bmp\r\nb.ini\r\na.ini", {3, 0, 4, 1, 2}, "111" "2222" "b" "aa")));
    EXPECT_EQ(Entry(reader, "one.bmp"), "111");  // the first of two equal names
    std::vector<uint8_t> m = {9, 9, 9};
    reader.readfile("empty.bmp", m);
    EXPECT_TRUE(m.empty());
    m = {9};
    reader.readfile("absent.bmp", m);
    EXPECT_TRUE(m.empty());
    std::string fname;
    reader.readIni(".ini", m, fname);
    EXPECT_EQ(fname, "b.ini");  // the first entry whose name contains ".ini"
    EXPECT_EQ(std::string(m.begin(), m.end()), "b");
    EXPECT_EQ(reader.EntryOffset(3), 7u);
}

TEST(Skinread, EachVersionSkipsItsOwnBlock) {
    const std::pair<int32_t, int> versions[] = {{20000, 0}, {30000, 256}, {40000, 80}, {50000, 48}, {60000, 117}, {70000, 69}};
    for (auto [version, block] : versions) {
        ASSERT_EQ(SkinVersionBlockSize(version), block);
        TSkinReader reader;
        ASSERT_TRUE(reader.LoadPackage(RawPackage(version, block, "x.ini\r\ny.bmp\r\n", {2, 3}, "ab" "cde")))
            << version << ": " << reader.LastError();
        EXPECT_EQ(reader.header.Version, version);
        EXPECT_EQ(reader.header.DirLen, 14);
        EXPECT_EQ(reader.header.U1, 0x11111111);
        EXPECT_EQ(reader.Dir, (std::vector<std::string>{"x.ini", "y.bmp"}));
        EXPECT_EQ(Entry(reader, "y.bmp"), "cde");
        // The same package with the block one byte shorter no longer adds up.
        TSkinReader shortBlock;
        if (block > 0) EXPECT_FALSE(shortBlock.LoadPackage(RawPackage(version, block - 1, "x.ini\r\ny.bmp\r\n", {2, 3}, "ab" "cde")));
    }
    EXPECT_FALSE(SkinVersionBlockSize(45000).has_value());
}

TEST(Skinread, UnknownVersionReportsTheMessageAndChangesNothing) {
    TSkinReader reader = LoadedReader();
    std::vector<std::string> messages;
    reader.SetMessageHandler([&](const std::string& text) { messages.push_back(text); });
    EXPECT_FALSE(reader.LoadPackage(RawPackage(10000, 0, "new.ini", {1}, "n")));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "This is Older Skin File\rPlease update to new version !");
    EXPECT_EQ(reader.LastStatus(), SkinLoadStatus::UnknownVersion);
    ExpectStillLoaded(reader);
    // Through the compressed form as well.
    EXPECT_FALSE(reader.Loadfromstream(PutBlockStream(RawPackage(40001, 80, "new.ini", {1}, "n"))));
    EXPECT_EQ(messages.size(), 2u);
    ExpectStillLoaded(reader);
}

TEST(Skinread, MalformedPackagesAreRejectedAndLeaveTheReaderAlone) {
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    std::vector<Case> cases = {
        {"empty", {}},
        {"short header", {0x20, 0x4E, 0, 0, 0, 0, 0}},
        {"version block past the end", RawPackage(30000, 100, "", {}, "")},
        {"directory past the end", [] {
             auto p = RawPackage(20000, 0, "a.ini", {1}, "x");
             p[4] = 200;  // DirLen 200
             return p;
         }()},
        {"negative directory length", [] {
             auto p = RawPackage(20000, 0, "a.ini", {1}, "x");
             p[7] = 0x80;
             return p;
         }()},
        {"size table past the end", RawPackage(20000, 0, "a.ini\r\nb.bmp\r\nc.bmp", {1, 1}, "")},
        {"negative size", RawPackage(20000, 0, "a.ini\r\nb.bmp", {-1, 2}, "x")},
        {"sizes beyond the data", RawPackage(20000, 0, "a.ini\r\nb.bmp", {1, 5}, "xy")},
        {"sizes short of the data", RawPackage(20000, 0, "a.ini\r\nb.bmp", {1, 1}, "xyz")},
        {"sizes that overflow 32 bits", RawPackage(20000, 0, "a\r\nb", {0x7FFFFFFF, 0x7FFFFFFF}, "xy")},
    };
    std::string many;
    std::vector<int32_t> manySizes;
    for (int i = 0; i < 1002; ++i) {
        many += "e" + std::to_string(i) + ".bmp\r\n";
        manySizes.push_back(0);
    }
    cases.push_back({"1002 entries", RawPackage(20000, 0, many, manySizes, "")});

    for (const Case& c : cases) {
        TSkinReader reader = LoadedReader();
        bool messaged = false;
        reader.SetMessageHandler([&](const std::string&) { messaged = true; });
        EXPECT_FALSE(reader.LoadPackage(c.bytes)) << c.what;
        EXPECT_EQ(reader.LastStatus(), SkinLoadStatus::Malformed) << c.what;
        EXPECT_FALSE(reader.LastError().empty()) << c.what;
        EXPECT_FALSE(messaged) << c.what;
        ExpectStillLoaded(reader);
    }

    // 1,001 entries is the most a package may hold, and it loads.
    many.clear();
    manySizes.assign(1001, 1);
    for (int i = 0; i < 1001; ++i) many += "e" + std::to_string(i) + ".bmp\r\n";
    TSkinReader full;
    ASSERT_TRUE(full.LoadPackage(RawPackage(20000, 0, many, manySizes, std::string(1001, 'z')))) << full.LastError();
    EXPECT_EQ(full.Num, 1001);
    EXPECT_EQ(Entry(full, "e1000.bmp"), "z");
}

TEST(Skinread, EveryTruncationOfAPackageIsRejected) {
    const auto package = BuildSkinPackage({{"s.ini", Bytes("[Buttons]\r\n")}, {"a.bmp", Bytes("BMxxxxxx")}});
    for (size_t cut = 0; cut < package.size(); ++cut) {
        TSkinReader reader = LoadedReader();
        EXPECT_FALSE(reader.LoadPackage(std::span(package.data(), cut))) << cut;
        ExpectStillLoaded(reader);
    }
}

TEST(Skinread, DecompressionIsCappedAndChecked) {
    TSkinReader reader = LoadedReader();
    std::vector<uint8_t> out = {1, 2, 3};
    std::string why;
    // Shorter than the size word.
    EXPECT_FALSE(TSkinReader::Decompress(std::vector<uint8_t>{1, 0}, out, &why));
    // A forged size above the cap.
    std::vector<uint8_t> huge;
    PutLe32(huge, kMaxPackageSize + 1);
    huge.insert(huge.end(), 1000, 0x55);
    EXPECT_FALSE(TSkinReader::Decompress(huge, out, &why));
    EXPECT_NE(why.find("limit"), std::string::npos);
    // A size that ten code bytes cannot possibly produce.
    std::vector<uint8_t> tooShort;
    PutLe32(tooShort, 10 * 480 + 61);
    tooShort.insert(tooShort.end(), 10, 0);
    EXPECT_FALSE(TSkinReader::Decompress(tooShort, out, &why));
    EXPECT_EQ(out, (std::vector<uint8_t>{1, 2, 3}));
    // Negative size.
    std::vector<uint8_t> negative;
    PutLe32(negative, -5);
    negative.push_back(0);
    EXPECT_FALSE(TSkinReader::Decompress(negative, out, &why));
    for (const auto* bad : {&huge, &tooShort, &negative}) {
        EXPECT_FALSE(reader.Loadfromstream(*bad));
        EXPECT_EQ(reader.LastStatus(), SkinLoadStatus::Malformed);
        ExpectStillLoaded(reader);
    }
}

TEST(Skinread, PackThenReadGivesBackEveryEntryByteForByte) {
    std::vector<SkinEntry> entries = {{"Console.ini", Bytes("[TitlebarSkin]\r\nSkinName=Test\r\n")},
                                      {"Empty.bmp", {}}};
    // Binary entries with every byte value, including CR, LF and zero.
    for (int i = 0; i < 6; ++i) {
        std::vector<uint8_t> data(static_cast<size_t>(1 + i * 997));
        for (size_t k = 0; k < data.size(); ++k) data[k] = static_cast<uint8_t>((k * 31 + i * 7) ^ (k >> 3));
        entries.push_back({"Image" + std::to_string(i) + ".bmp", std::move(data)});
    }
    for (int32_t version : {20000, 30000, 40000, 50000, 60000, 70000}) {
        const auto file = BuildSkinFile(entries, version);
        TSkinReader reader;
        ASSERT_TRUE(reader.Loadfromstream(file)) << reader.LastError();
        EXPECT_EQ(reader.header.Version, version);
        ASSERT_EQ(reader.Num, static_cast<int>(entries.size()));
        for (size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(reader.Dir[i], LowerAscii(entries[i].name));
            std::vector<uint8_t> m;
            reader.readfile(entries[i].name, m);
            EXPECT_EQ(m, entries[i].data) << entries[i].name;
        }
    }
    // A version-40000 package carries an 80-byte zero block after the header.
    const auto package = BuildSkinPackage(entries);
    for (int i = 16; i < 96; ++i) ASSERT_EQ(package[i], 0) << i;
    EXPECT_EQ(std::string(package.begin() + 96, package.begin() + 96 + 13), "Console.ini\r\n");

    EXPECT_THROW(BuildSkinPackage({{"bad\nname", {}}}), std::invalid_argument);
    EXPECT_THROW(BuildSkinPackage({{"", {}}}), std::invalid_argument);
    EXPECT_THROW(BuildSkinPackage(entries, 12345), std::invalid_argument);
    EXPECT_THROW(BuildSkinPackage(std::vector<SkinEntry>(1002, SkinEntry{"x.bmp", {}})), std::invalid_argument);
}

TEST(Skinread, LoadFromFileMissingAndPresent) {
    TSkinReader reader = LoadedReader();
    bool messaged = false;
    reader.SetMessageHandler([&](const std::string&) { messaged = true; });
    EXPECT_FALSE(reader.loadfromfile("/nonexistent/dir/skin.skn"));
    EXPECT_EQ(reader.LastStatus(), SkinLoadStatus::FileMissing);
    EXPECT_FALSE(messaged);
    ExpectStillLoaded(reader);

    const std::string path = ::testing::TempDir() + "skinread_test.skn";
    const auto file = BuildSkinFile({{"t.ini", Bytes("[Colours]")}, {"t.bmp", Bytes("BM12")}});
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    }
    EXPECT_TRUE(reader.loadfromfile(path)) << reader.LastError();
    EXPECT_EQ(Entry(reader, "t.bmp"), "BM12");
    std::remove(path.c_str());
}
