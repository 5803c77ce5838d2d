#include "ConsoleFixture.h"

#include <commctrl.h>

#include <fstream>
#include <iterator>

#include "console/Controls.h"
#include "console/SettingsFile.h"
#include "skin/paint/win32/Winskindlg.h"
#include "toolkit/Application.h"
#include "toolkit/TextConvert.h"
#include "toolkit/testing/UiDriver.h"

namespace {

std::wstring TempSettingsPath()
{
    wchar_t dir[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, dir);
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::wstring name = Utf8ToWide(std::string(info->test_suite_name()) + "_" + info->name());
    return std::wstring(dir) + L"relayon_" + name + L".dat";
}

}  // namespace

void ConsoleTest::SetUp()
{
    settingsFile_ = TempSettingsPath();
    DeleteFileW(settingsFile_.c_str());
    relayon::console::SetSettingsPathOverride(settingsFile_);
    boxes = std::make_unique<uitest::MessageBoxRecorder>();
    // As relayon.exe does: the main window's own skin data draws it.
    relayon::skin::InstallSkinEngine();
    if (startLanguage != 1) {
        // A first start makes the file; then the language is chosen as stored.
        StartConsole();
        StopConsole();
        auto bytes = SettingsBytes();
        for (int i = 0; i < 4; ++i)
            bytes[64 + i] = static_cast<uint8_t>(static_cast<uint32_t>(startLanguage) >> (8 * i));
        WriteSettingsBytes(bytes);
    }
    StartConsole();
}

void ConsoleTest::StartConsole()
{
    Application->CreateForm(Form1);
    ASSERT_NE(Form1, nullptr);
    uitest::ShowAndActivate(*Form1);
}

void ConsoleTest::StopConsole()
{
    delete Form1;
    Form1 = nullptr;
    uitest::Pump(20);
}

void ConsoleTest::TearDown()
{
    if (Form1)
        StopConsole();
    boxes.reset();
    relayon::skin::ShutdownSkinEngine();
    DeleteFileW(settingsFile_.c_str());
}

std::wstring ConsoleTest::Panel(int index)
{
    return form().StatusBar1->Panels().Items(index)->Text();
}

std::wstring ConsoleTest::LastBoxText() const
{
    return boxes->Seen().empty() ? std::wstring() : boxes->Seen().back().Text;
}

std::wstring ConsoleTest::LastBoxCaption() const
{
    return boxes->Seen().empty() ? std::wstring() : boxes->Seen().back().Caption;
}

std::vector<uint8_t> ConsoleTest::SettingsBytes() const
{
    std::ifstream in(WideToUtf8(settingsFile_), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void ConsoleTest::WriteSettingsBytes(const std::vector<uint8_t>& bytes) const
{
    std::ofstream out(WideToUtf8(settingsFile_), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

int32_t Int32At(const std::vector<uint8_t>& bytes, size_t offset)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | bytes.at(offset + i);
    return static_cast<int32_t>(v);
}

std::wstring W(const char* utf8)
{
    return Utf8ToWide(utf8);
}

void ConsoleTest::ClickTab(int index)
{
    TPageControl& pages = *form().PageControl1;
    RECT tab{};
    SendMessageW(pages.Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tab));
    POINT centre{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2};
    ClientToScreen(pages.Handle(), &centre);
    uitest::ClickAt(centre);
    uitest::Pump(50);
}
