// The skin reader's message about a package of unknown version, as the user
// sees it: a task-modal OK box with the reader's text.
#include "skin/data/win32/SkinreadWin32.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "base/ByteIo.h"
#include "skin/data/SkinWriter.h"
#include "skin/data/Winconvert.h"
#include "toolkit/Application.h"
#include "toolkit/testing/MessageBoxRecorder.h"

namespace relayon::skin {
namespace {

std::vector<uint8_t> Bytes(std::string_view text) { return std::vector<uint8_t>(text.begin(), text.end()); }

// A skin file whose package declares `version` (the package is built as
// version 40000 and relabelled, so its layout is otherwise sound).
std::vector<uint8_t> SkinFileWithVersion(int32_t version) {
    const std::vector<uint8_t> sound = BuildSkinPackage({{"skin.ini", Bytes("[Personality]\r\n")}}, 40000);
    std::vector<uint8_t> package;
    ByteWriter(package).I32(version);
    package.insert(package.end(), sound.begin() + 4, sound.end());
    std::istringstream plain(std::string(package.begin(), package.end()));
    std::ostringstream packed;
    CompressStream(plain, packed);
    const std::string out = packed.str();
    return std::vector<uint8_t>(out.begin(), out.end());
}

// Restores the application title a test changed.
class TitleGuard {
public:
    TitleGuard() : saved_(Application->Title()) {}
    ~TitleGuard() { Application->SetTitle(saved_); }

private:
    std::wstring saved_;
};

TEST(SkinreadWin32, AnUnknownVersionIsShownInATaskModalBox) {
    TitleGuard title;
    Application->SetTitle(L"Relayon");
    uitest::MessageBoxRecorder boxes;
    TSkinReader reader;
    InstallSkinReaderMessageBox(reader);

    ASSERT_TRUE(reader.Loadfromstream(BuildSkinFile({{"first.ini", Bytes("a")}})));
    EXPECT_EQ(boxes.Count(), 0);

    EXPECT_FALSE(reader.Loadfromstream(SkinFileWithVersion(45000)));
    ASSERT_EQ(boxes.Count(), 1);
    const MessageBoxRequest& box = boxes.Seen()[0];
    EXPECT_EQ(box.Text, L"This is Older Skin File\rPlease update to new version !");
    EXPECT_EQ(box.Caption, L"Relayon");
    EXPECT_EQ(box.Flags & (MB_TYPEMASK | MB_MODEMASK), static_cast<UINT>(MB_OK | MB_TASKMODAL));
    EXPECT_EQ(box.Owner, nullptr);
    // The reader kept the package it had.
    ASSERT_EQ(reader.Num, 1);
    EXPECT_EQ(reader.Dir[0], "first.ini");

    // Each unreadable load tells the user again.
    EXPECT_FALSE(reader.Loadfromstream(SkinFileWithVersion(-1)));
    EXPECT_EQ(boxes.Count(), 2);
}

TEST(SkinreadWin32, BrokenOrMissingSkinsAreNotAnnouncedAsOldOnes) {
    uitest::MessageBoxRecorder boxes;
    TSkinReader reader;
    InstallSkinReaderMessageBox(reader);
    // Truncated skin file: a clear failure, but not the version message.
    std::vector<uint8_t> cut = BuildSkinFile({{"a.ini", Bytes("x")}});
    cut.resize(3);
    EXPECT_FALSE(reader.Loadfromstream(cut));
    EXPECT_FALSE(reader.loadfromfile("C:\\no such folder\\no such skin.skn"));
    EXPECT_EQ(boxes.Count(), 0);
}

TEST(SkinreadWin32, WithoutATitleTheBoxIsCaptionedWithTheProgramName) {
    TitleGuard title;
    Application->SetTitle(L"");
    uitest::MessageBoxRecorder boxes;
    TSkinReader reader;
    InstallSkinReaderMessageBox(reader);
    EXPECT_FALSE(reader.Loadfromstream(SkinFileWithVersion(20001)));
    ASSERT_EQ(boxes.Count(), 1);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring stem = path;
    stem = stem.substr(stem.find_last_of(L"\\/") + 1);
    stem = stem.substr(0, stem.rfind(L'.'));
    EXPECT_EQ(boxes.Seen()[0].Caption, stem);
    EXPECT_FALSE(stem.empty());
}

}  // namespace
}  // namespace relayon::skin
