// The skin store: item names and their uniqueness rule, copying items and
// stores, the stored bytes, and stores declared in form resources.
#include "skin/data/win32/Winskinstore.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "skin/data/SkinWriter.h"
#include "skin/data/Skinread.h"
#include "toolkit/FormReader.h"
#include "toolkit/core/Rtti.h"

namespace relayon::skin {
namespace {

std::vector<uint8_t> Bytes(std::string_view text) { return std::vector<uint8_t>(text.begin(), text.end()); }

// A form-resource binary value: { hex pairs }, 32 bytes a line.
std::string HexBlock(const std::vector<uint8_t>& bytes) {
    std::string out = "{";
    char pair[4];
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i % 32 == 0) out += "\n      ";
        std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
        out += pair;
    }
    return out + "}";
}

// A small but real skin file: a description and two "bitmaps".
std::vector<uint8_t> SampleSkinFile(const std::string& flavour) {
    return BuildSkinFile({{"skin.ini", Bytes("[Personality]\r\nName=" + flavour + "\r\n")},
                          {"Buttons.bmp", Bytes("BM" + std::string(300, flavour[0]))},
                          {"empty.bmp", {}}});
}

class SkinStoreTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterSkinStoreClasses(); }
};

TEST_F(SkinStoreTest, NewItemsAreNamedAfterTheirId) {
    TSkinStore store(nullptr);
    TSkinCollection& items = store.Store();
    EXPECT_EQ(items.Owner(), &store);
    EXPECT_EQ(items.Add()->Name(), L"SkinItem0");
    EXPECT_EQ(items.Add()->Name(), L"SkinItem1");
    items.Delete(0);
    TSkinCollectionItem* third = items.Add();
    EXPECT_EQ(third->Name(), L"SkinItem2");
    EXPECT_EQ(third->GetDisplayName(), L"SkinItem2");
    EXPECT_EQ(third->SkinData(), L"Load Skin");
    third->SetSkinData(L"C:\\some.skn");  // a design-time handle only
    EXPECT_EQ(third->SkinData(), L"Load Skin");
    EXPECT_EQ(third->DataSize(), 0);
    EXPECT_EQ(store.IndexOfName(L"SkinItem2"), 1);
    EXPECT_EQ(store.IndexOfName(L"skinitem2"), -1);
}

TEST_F(SkinStoreTest, ANameUsedByAnotherItemIsRefusedAndTheOldNameKept) {
    TSkinStore store(nullptr);
    TSkinCollectionItem* light = store.Store().Add();
    TSkinCollectionItem* dark = store.Store().Add();
    light->SetName(L"Light");
    dark->SetName(L"Dark");
    try {
        dark->SetName(L"Light");
        FAIL() << "a duplicate name was accepted";
    } catch (const ESkinNameUsed& e) {
        EXPECT_STREQ(e.what(), "The name Light is already used.");
    }
    EXPECT_EQ(dark->Name(), L"Dark");
    // Its own name again is fine; names differing in case only are different names.
    EXPECT_NO_THROW(light->SetName(L"Light"));
    EXPECT_NO_THROW(dark->SetName(L"light"));
    EXPECT_EQ(dark->Name(), L"light");
    // Items of another store do not count.
    TSkinStore other(nullptr);
    EXPECT_NO_THROW(other.Store().Add()->SetName(L"Light"));
    // A lone item has nobody to clash with.
    TSkinCollectionItem lone(nullptr);
    EXPECT_EQ(lone.Name(), L"SkinItem0");
    EXPECT_NO_THROW(lone.SetName(L"Light"));
}

TEST_F(SkinStoreTest, AssignCopiesNameAndBytesWithoutTheNameCheck) {
    TSkinStore store(nullptr);
    TSkinCollectionItem* a = store.Store().Add();
    TSkinCollectionItem* b = store.Store().Add();
    a->SetName(L"Light");
    a->SetDataStream(SampleSkinFile("light"));
    b->Assign(*a);
    EXPECT_EQ(b->Name(), L"Light");  // two items of one name through Assign
    EXPECT_EQ(b->DataStream(), a->DataStream());
    EXPECT_EQ(b->DataSize(), static_cast<int>(a->DataStream().size()));
    // A copy, not a shared buffer.
    a->SetDataStream(Bytes("other"));
    EXPECT_NE(b->DataStream(), a->DataStream());

    TCollection plain;
    EXPECT_THROW(b->Assign(*plain.Add()), EConvertError);
    EXPECT_EQ(b->Name(), L"Light");

    // Assigning a whole store's collection replaces the items.
    TSkinStore copy(nullptr);
    copy.Store().Add()->SetName(L"Gone");
    copy.SetStore(store.Store());
    ASSERT_EQ(copy.Store().Count(), 2);
    EXPECT_EQ(copy.Store().Items(0)->DataStream(), Bytes("other"));
    EXPECT_EQ(copy.Store().Items(1)->DataStream(), b->DataStream());
    EXPECT_EQ(copy.IndexOfName(L"Gone"), -1);
}

TEST_F(SkinStoreTest, CopyDataAppendsAndLoadFromFileReplaces) {
    TSkinCollectionItem item(nullptr);
    item.SetDataStream(Bytes("skin"));
    std::vector<uint8_t> out = Bytes(">>");
    item.CopyData(out);
    item.CopyData(out);
    EXPECT_EQ(out, Bytes(">>skinskin"));
    EXPECT_EQ(item.DataStream(), Bytes("skin"));

    // Into its own buffer: the bytes twice, nothing read from freed memory.
    item.CopyData(const_cast<std::vector<uint8_t>&>(item.DataStream()));
    EXPECT_EQ(item.DataStream(), Bytes("skinskin"));

    const std::vector<uint8_t> file = SampleSkinFile("file");
    const std::filesystem::path path = std::filesystem::temp_directory_path() / L"h8_store_item.skn";
    {
        std::ofstream out_file(path, std::ios::binary);
        out_file.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    }
    item.LoadFromFile(path);
    EXPECT_EQ(item.DataStream(), file);
    std::filesystem::remove(path);

    // A missing file raises and keeps the skin.
    EXPECT_THROW(item.LoadFromFile(path), std::runtime_error);
    EXPECT_EQ(item.DataStream(), file);
}

TEST_F(SkinStoreTest, AFormResourceFillsTheStoreWithItsSkins) {
    const std::vector<uint8_t> light = SampleSkinFile("light");
    const std::vector<uint8_t> dark = SampleSkinFile("dark");
    const std::string text = "object Holder: TComponent\n"
                             "  object Skins: TSkinStore\n"
                             "    Store = <\n"
                             "      item\n"
                             "        Name = 'Light'\n"
                             "        SkinData = 'Load Skin'\n"
                             "        DataStream = " + HexBlock(light) + "\n"
                             "      end\n"
                             "      item\n"
                             "        Name = 'Dark'\n"
                             "        DataStream = " + HexBlock(dark) + "\n"
                             "      end>\n"
                             "  end\n"
                             "end\n";
    TComponent holder(nullptr);
    ReadFormText(holder, text);
    auto* store = dynamic_cast<TSkinStore*>(holder.FindComponent(L"Skins"));
    ASSERT_NE(store, nullptr);
    ASSERT_EQ(store->Store().Count(), 2);
    EXPECT_EQ(store->Store().Items(0)->Name(), L"Light");
    EXPECT_EQ(store->Store().Items(1)->Name(), L"Dark");
    EXPECT_EQ(store->Store().Items(0)->DataStream(), light);
    EXPECT_EQ(store->Store().Items(1)->DataStream(), dark);
    EXPECT_EQ(GetOrdProp(store->Store().Items(1), L"DataSize"), static_cast<int64_t>(dark.size()));

    // The stored bytes are a usable skin: the reader finds the entries.
    TSkinReader reader;
    std::vector<uint8_t> skinBytes;
    store->Store().Items(1)->CopyData(skinBytes);
    ASSERT_TRUE(reader.Loadfromstream(skinBytes));
    std::vector<uint8_t> entry;
    reader.readfile("buttons.bmp", entry);
    EXPECT_EQ(entry, Bytes("BM" + std::string(300, 'd')));
    std::string iniName;
    reader.readIni(".ini", entry, iniName);
    EXPECT_EQ(iniName, "skin.ini");
    EXPECT_EQ(entry, Bytes("[Personality]\r\nName=dark\r\n"));
}

TEST_F(SkinStoreTest, TheStoreValueCarriesNamesAndBytesToAnotherStore) {
    TSkinStore source(nullptr);
    TSkinCollectionItem* a = source.Store().Add();
    a->SetName(L"Light");
    a->SetDataStream(SampleSkinFile("light"));
    source.Store().Add()->SetName(L"Empty");

    const FormValue value = GetPropValue(&source, L"Store");
    ASSERT_EQ(value.kind, FormValue::Kind::Collection);
    ASSERT_EQ(value.entries.size(), 2u);
    for (const auto& entry : value.entries)
        for (const FormProperty& p : entry) {
            // Display-only values are not part of what is stored.
            EXPECT_NE(p.name, L"SkinData");
            EXPECT_NE(p.name, L"DataSize");
        }

    TSkinStore target(nullptr);
    target.Store().Add()->SetName(L"Stale");
    SetPropValue(&target, L"Store", value);
    ASSERT_EQ(target.Store().Count(), 2);
    EXPECT_EQ(target.Store().Items(0)->Name(), L"Light");
    EXPECT_EQ(target.Store().Items(0)->DataStream(), a->DataStream());
    EXPECT_EQ(target.Store().Items(1)->Name(), L"Empty");
    EXPECT_TRUE(target.Store().Items(1)->DataStream().empty());
}

TEST_F(SkinStoreTest, BadStoreValuesInAFormResourceAreReported) {
    auto read = [](const std::string& items) {
        TComponent holder(nullptr);
        ReadFormText(holder, "object Holder: TComponent\n  object Skins: TSkinStore\n    Store = <" + items +
                                 ">\n  end\nend\n");
    };
    auto messageOf = [&](const std::string& items) -> std::string {
        try {
            read(items);
        } catch (const std::exception& e) {
            return e.what();
        }
        return "";
    };
    EXPECT_NO_THROW(read(""));
    const std::string duplicate =
        messageOf("item Name = 'Same' end item Name = 'Same' DataStream = { 00 } end");
    EXPECT_NE(duplicate.find("The name Same is already used."), std::string::npos) << duplicate;
    EXPECT_NE(messageOf("item DataSize = 5 end").find("read-only"), std::string::npos);
    EXPECT_NE(messageOf("item DataStream = 'text' end").find("DataStream"), std::string::npos);
    EXPECT_NE(messageOf("item Colour = 5 end").find("Colour"), std::string::npos);

    TComponent holder(nullptr);
    EXPECT_THROW(ReadFormText(holder, "object Holder: TComponent\n  object Skins: TSkinStore\n    Store = 5\n  end\nend\n"),
                 EPropertyError);
}

}  // namespace
}  // namespace relayon::skin
