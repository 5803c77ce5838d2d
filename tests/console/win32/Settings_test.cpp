// The settings file as the operator meets it: a first start creates it, every
// change is written at once into its own field, and a restart brings it back.
#include "ConsoleFixture.h"

#include <cmath>
#include <cstring>
#include <thread>

#include "console/Controls.h"
#include "console/SettingsFile.h"
#include "toolkit/testing/UiDriver.h"

namespace {

constexpr int32_t kChecked = 85;
constexpr int32_t kUnchecked = 170;

double TimeOfDay(double value)
{
    return value - std::floor(value);
}

// Leaves the focused field with the keyboard, as the operator would.
void TypeInto(TWinControl* field, const std::wstring& text)
{
    field->SetFocus();
    uitest::Pump(20);
    SendMessageW(field->Handle(), EM_SETSEL, 0, -1);
    uitest::TypeText(text);
    uitest::Tab();
}

}  // namespace

TEST_F(ConsoleTest, FirstStartCreatesTheFileAndShowsItsNewValues)
{
    const auto bytes = SettingsBytes();
    ASSERT_EQ(bytes.size(), 3471u);
    EXPECT_EQ(Int32At(bytes, 0), 1);
    EXPECT_EQ(Int32At(bytes, 64), 1);

    EXPECT_EQ(form().LangIndex, 1);
    EXPECT_EQ(form().TabSheet1->Caption(), L"Port Setup");
    EXPECT_EQ(form().Bn_ser_conn->Caption(), L"connect");
    EXPECT_EQ(form().CB_language->ItemIndex(), 1);
    EXPECT_EQ(form().CB_com->Text(), L"COM1");
    EXPECT_EQ(form().CB_com->ItemIndex(), 0);
    EXPECT_EQ(form().CB_baud_rate->ItemIndex(), -1);
    EXPECT_EQ(form().Ed_ip_address->Text(), L"192.168.0.178");
    EXPECT_EQ(form().Ed_conn_id->Text(), L"");
    for (int g = 0; g < kRealTimeGroups; ++g)
        EXPECT_EQ(form().Ed_grp_id[g]->Text(), L"");
    for (int d = 0; d < kWeekdays; ++d) {
        EXPECT_FALSE(form().CB_week[d]->Checked());
        for (int s = 0; s < kTaskSlots; ++s) {
            EXPECT_FALSE(form().CB_on_slot[d][s]->Checked());
            EXPECT_FALSE(form().CB_on_slot[d][s]->Enabled());
            EXPECT_FALSE(form().Dt_off_slot[d][s]->Enabled());
        }
    }
    const double day = ::EncodeDate(2013, 12, 25);
    const double time = ::EncodeTime(13, 50, 25, 0);
    EXPECT_DOUBLE_EQ(std::floor(form().DateTimePicker1->DateTime()), day);
    EXPECT_DOUBLE_EQ(std::floor(form().DateTimePicker3->DateTime()), day);
    EXPECT_NEAR(TimeOfDay(form().DateTimePicker2->DateTime()), time, 1e-6);
    EXPECT_NEAR(TimeOfDay(form().DateTimePicker4->DateTime()), time, 1e-6);
    EXPECT_EQ(Panel(2), L"Status:");
    EXPECT_EQ(Panel(4), L"Version: V0.5.5");
    EXPECT_EQ(boxes->Count(), 0);
}

TEST_F(ConsoleTest, ChoosingABaudRateGrowsTheFileToItsFullLength)
{
    form().CB_baud_rate->SetFocus();
    uitest::Pump(20);
    uitest::PressKey(VK_DOWN);  // 4800
    uitest::PressKey(VK_DOWN);  // 9600
    uitest::Pump(50);
    ASSERT_EQ(form().CB_baud_rate->ItemIndex(), 1);
    const auto bytes = SettingsBytes();
    ASSERT_EQ(bytes.size(), 3479u);
    EXPECT_EQ(Int32At(bytes, 3471), 0);
    EXPECT_EQ(Int32At(bytes, 3475), 1);
    EXPECT_EQ(bytes[3475], 0x01);

    StopConsole();
    StartConsole();
    EXPECT_EQ(form().CB_baud_rate->ItemIndex(), 1);
    EXPECT_EQ(form().CB_baud_rate->Text(), L"9600");
}

TEST_F(ConsoleTest, IdsAreSavedAsTypedAndOnlyOneTo254ComeBack)
{
    TypeInto(form().Ed_conn_id, L"255");
    form().PageControl1->SetActivePageIndex(2);
    uitest::Pump(30);
    TypeInto(form().Ed_grp_id[2], L"12");
    TypeInto(form().Ed_grp_id[0], L"abc");
    const auto bytes = SettingsBytes();
    EXPECT_EQ(Int32At(bytes, 44), 255);
    EXPECT_EQ(Int32At(bytes, 56), 12);
    EXPECT_EQ(Int32At(bytes, 48), 0);

    StopConsole();
    StartConsole();
    EXPECT_EQ(form().Ed_conn_id->Text(), L"");
    EXPECT_EQ(form().Ed_grp_id[2]->Text(), L"12");
    EXPECT_EQ(form().Ed_grp_id[0]->Text(), L"");
}

TEST_F(ConsoleTest, IpAddressOfFifteenCharactersComesBackWholeAndLongerIsCut)
{
    TypeInto(form().Ed_ip_address, L"192.168.100.200");
    auto bytes = SettingsBytes();
    EXPECT_EQ(std::string(bytes.begin() + 68, bytes.begin() + 83), "192.168.100.200");
    EXPECT_EQ(bytes[83], static_cast<uint8_t>(kUnchecked));  // the next field is untouched
    StopConsole();
    StartConsole();
    EXPECT_EQ(form().Ed_ip_address->Text(), L"192.168.100.200");

    TypeInto(form().Ed_ip_address, L"10.0.0.1 and more text");
    bytes = SettingsBytes();
    EXPECT_EQ(std::string(bytes.begin() + 68, bytes.begin() + 83), "10.0.0.1 and mo");
    EXPECT_EQ(Int32At(bytes, 83), kUnchecked);
}

TEST_F(ConsoleTest, WeekdayBoxSavesItsFlagAndEnablesItsSlots)
{
    form().PageControl1->SetActivePageIndex(3);
    uitest::Pump(50);
    uitest::Click(*form().CB_week[1]);
    ASSERT_TRUE(form().CB_week[1]->Checked());
    EXPECT_EQ(Int32At(SettingsBytes(), 87), kChecked);
    for (int s = 0; s < kTaskSlots; ++s) {
        EXPECT_TRUE(form().CB_on_slot[1][s]->Enabled());
        EXPECT_TRUE(form().Dt_off_slot[1][s]->Enabled());
    }
    uitest::Click(*form().CB_on_slot[1][2]);
    EXPECT_EQ(Int32At(SettingsBytes(), 111 + 40 + 8), kChecked);

    uitest::Click(*form().CB_week[1]);
    EXPECT_EQ(Int32At(SettingsBytes(), 87), kUnchecked);
    EXPECT_FALSE(form().CB_on_slot[1][2]->Enabled());
    EXPECT_TRUE(form().CB_on_slot[1][2]->Checked());  // kept for later
    EXPECT_EQ(Int32At(SettingsBytes(), 111 + 40 + 8), kChecked);
}

TEST_F(ConsoleTest, RestartRestoresEverythingThatWasSaved)
{
    form().CB_com->SetFocus();
    uitest::Pump(20);
    uitest::PressKey(VK_DOWN);
    uitest::PressKey(VK_DOWN);  // COM3
    uitest::Pump(30);
    EXPECT_EQ(Int32At(SettingsBytes(), 0), 3);

    form().PageControl1->SetActivePageIndex(3);
    uitest::Pump(50);
    uitest::Click(*form().CB_week[3]);
    uitest::Click(*form().CB_on_slot[3][2]);
    EXPECT_EQ(Int32At(SettingsBytes(), 239), kChecked);
    // Saturday's last off time stepped with the keyboard.
    uitest::Click(*form().CB_week[6]);
    TDateTimePicker& picker = *form().Dt_off_slot[6][9];
    const double before = picker.DateTime();
    uitest::Click(picker);
    uitest::PressKey(VK_UP);
    ASSERT_TRUE(uitest::PumpUntil([&] { return picker.DateTime() != before; }, 1000));
    const double evening = TimeOfDay(picker.DateTime());
    const auto bytes = SettingsBytes();
    double storedB = 0;
    std::memcpy(&storedB, &bytes[3459], 8);
    EXPECT_NEAR(TimeOfDay(storedB), evening, 1e-6);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(bytes[3451 + i], 0) << i;

    StopConsole();
    StartConsole();
    EXPECT_EQ(form().CB_com->ItemIndex(), 2);
    EXPECT_TRUE(form().CB_week[3]->Checked());
    EXPECT_TRUE(form().CB_on_slot[3][2]->Checked());
    EXPECT_TRUE(form().CB_on_slot[3][2]->Enabled());
    EXPECT_FALSE(form().CB_on_slot[4][2]->Enabled());
    EXPECT_NEAR(TimeOfDay(form().Dt_off_slot[6][9]->DateTime()), evening, 1e-6);
    // Loading wrote nothing back.
    EXPECT_EQ(SettingsBytes(), bytes);
}

TEST_F(ConsoleTest, FileCutShortLoadsWhatIsWhollyInside)
{
    auto bytes = SettingsBytes();
    bytes[83] = kChecked;  // Sunday
    bytes[84] = bytes[85] = bytes[86] = 0;
    bytes.resize(87);
    StopConsole();
    WriteSettingsBytes(bytes);
    StartConsole();
    EXPECT_TRUE(form().CB_week[0]->Checked());
    EXPECT_TRUE(form().CB_on_slot[0][0]->Enabled());
    for (int d = 1; d < kWeekdays; ++d) {
        EXPECT_FALSE(form().CB_week[d]->Checked());
        EXPECT_FALSE(form().CB_on_slot[d][0]->Enabled());
    }
    for (int d = 0; d < kWeekdays; ++d)
        for (int s = 0; s < kTaskSlots; ++s) {
            EXPECT_FALSE(form().CB_on_slot[d][s]->Checked());
            EXPECT_NEAR(TimeOfDay(form().Dt_on_slot[d][s]->DateTime()), 0.0, 1e-9);
        }
    EXPECT_EQ(form().CB_baud_rate->ItemIndex(), -1);
    EXPECT_EQ(form().Ed_ip_address->Text(), L"192.168.0.178");
    EXPECT_EQ(SettingsBytes().size(), 87u);
}

// Another console saving a field holds the file, unshared, for a moment: a
// start in that moment waits for it instead of taking the file as missing.
TEST_F(ConsoleTest, StartWhileTheFileIsHeldWaitsForItAndKeepsIt)
{
    auto bytes = SettingsBytes();
    bytes[64] = 0;  // Simplified Chinese
    StopConsole();
    WriteSettingsBytes(bytes);
    HANDLE held = CreateFileW(SettingsFile().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread release([held] {
        Sleep(200);
        CloseHandle(held);
    });
    StartConsole();
    release.join();
    EXPECT_EQ(form().LangIndex, 0);
    EXPECT_EQ(form().Bn_ser_conn->Caption(), W("连接"));
    EXPECT_EQ(SettingsBytes(), bytes);
}

TEST_F(ConsoleTest, UnwritableWindowsDirectoryFileFallsBackToAPerUserCopy)
{
    using relayon::console::ResolveSettingsPath;
    StopConsole();
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring dir = std::wstring(temp) + L"relayon_location";
    const std::wstring systemFile = dir + L"\\windows\\qarn.dat";
    const std::wstring userFile = dir + L"\\user\\qarn.dat";
    CreateDirectoryW(dir.c_str(), nullptr);
    CreateDirectoryW((dir + L"\\user").c_str(), nullptr);
    DeleteFileW(userFile.c_str());

    // No Windows directory to create the file in: the per-user file, fresh.
    EXPECT_EQ(ResolveSettingsPath(systemFile, userFile), userFile);
    EXPECT_EQ(GetFileAttributesW(userFile.c_str()), INVALID_FILE_ATTRIBUTES);

    // A Windows directory that takes the file keeps it there.
    CreateDirectoryW((dir + L"\\windows").c_str(), nullptr);
    EXPECT_EQ(ResolveSettingsPath(systemFile, userFile), systemFile);
    EXPECT_EQ(GetFileAttributesW(systemFile.c_str()), INVALID_FILE_ATTRIBUTES) << "the probe leaves no file";

    // An existing file this user may not write: the per-user file starts as its copy.
    auto bytes = SettingsBytes();
    bytes[64] = 0;  // Simplified Chinese
    ASSERT_TRUE(CopyFileW(SettingsFile().c_str(), systemFile.c_str(), FALSE));
    {
        HANDLE h = CreateFileW(systemFile.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        DWORD n = 0;
        WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
        CloseHandle(h);
    }
    const auto readOnly = [](const std::wstring&) { return false; };
    const std::wstring chosen = ResolveSettingsPath(systemFile, userFile, readOnly);
    ASSERT_EQ(chosen, userFile);

    relayon::console::SetSettingsPathOverride(chosen);
    StartConsole();
    EXPECT_EQ(form().LangIndex, 0);
    EXPECT_EQ(form().Bn_ser_conn->Caption(), W("连接"));
    TypeInto(form().Ed_ip_address, L"10.1.2.3");
    StopConsole();

    // Later starts keep using the per-user file; the copy is not made again.
    EXPECT_EQ(ResolveSettingsPath(systemFile, userFile, readOnly), userFile);
    char ip[16] = {};
    HANDLE h = CreateFileW(userFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD n = 0;
    SetFilePointer(h, 68, nullptr, FILE_BEGIN);
    ReadFile(h, ip, 15, &n, nullptr);
    CloseHandle(h);
    EXPECT_STREQ(ip, "10.1.2.3");

    DeleteFileW(systemFile.c_str());
    DeleteFileW(userFile.c_str());
    RemoveDirectoryW((dir + L"\\windows").c_str());
    RemoveDirectoryW((dir + L"\\user").c_str());
    RemoveDirectoryW(dir.c_str());
    relayon::console::SetSettingsPathOverride(SettingsFile());
}

TEST_F(ConsoleTest, ChangingAnAlarmTimeSavesItsRecordAndARestartShowsIt)
{
    form().PageControl1->SetActivePageIndex(1);
    uitest::Pump(50);
    const double before = form().DateTimePicker2->DateTime();
    // A click selects the field under the cursor; the Up key steps it by one.
    uitest::Click(*form().DateTimePicker2);
    uitest::PressKey(VK_UP);
    ASSERT_TRUE(uitest::PumpUntil([&] { return form().DateTimePicker2->DateTime() != before; }, 1000));
    const double changed = form().DateTimePicker2->DateTime();

    const auto bytes = SettingsBytes();
    double dateA = 0, timeB = 0;
    std::memcpy(&dateA, &bytes[4], 8);
    std::memcpy(&timeB, &bytes[12], 8);
    EXPECT_DOUBLE_EQ(std::floor(dateA), ::EncodeDate(2013, 12, 25));
    EXPECT_NEAR(TimeOfDay(timeB), TimeOfDay(changed), 1e-6);
    // The switch-off record is untouched.
    double offB = 0;
    std::memcpy(&offB, &bytes[32], 8);
    EXPECT_NEAR(TimeOfDay(offB), ::EncodeTime(13, 50, 25, 0), 1e-6);

    StopConsole();
    StartConsole();
    EXPECT_NEAR(TimeOfDay(form().DateTimePicker2->DateTime()), TimeOfDay(changed), 1e-6);
    EXPECT_DOUBLE_EQ(std::floor(form().DateTimePicker1->DateTime()), ::EncodeDate(2013, 12, 25));
}

TEST_F(ConsoleTest, AlarmDateNoPickerCanShowCountsAsMissing)
{
    auto bytes = SettingsBytes();
    const double before1601 = ::EncodeDate(1500, 6, 1) - 0.25;
    const double farFuture = 1e9;
    std::memcpy(&bytes[4], &before1601, 8);
    std::memcpy(&bytes[24], &farFuture, 8);
    StopConsole();
    WriteSettingsBytes(bytes);
    StartConsole();
    ASSERT_NE(Form1, nullptr);

    for (TDateTimePicker* picker : {form().DateTimePicker1, form().DateTimePicker3})
        EXPECT_DOUBLE_EQ(std::floor(picker->DateTime()), ::EncodeDate(2013, 12, 25));
    // The time stored beside the damaged date is still good and is shown.
    EXPECT_NEAR(TimeOfDay(form().DateTimePicker2->DateTime()), ::EncodeTime(13, 50, 25, 0), 1e-6);
    // The load finished: later changes are saved again.
    TypeInto(form().Ed_conn_id, L"42");
    EXPECT_EQ(Int32At(SettingsBytes(), 44), 42);
}

namespace {

std::vector<uint8_t> FileBytes(const std::wstring& path)
{
    std::vector<uint8_t> bytes;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return bytes;
    uint8_t buffer[4096];
    DWORD n = 0;
    while (ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    CloseHandle(h);
    return bytes;
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

// The file's place is chosen once, at start-up. When the Windows directory's
// file turns unusable later (here a folder takes its name) while a per-user
// file exists, a change is lost rather than written to that other file.
TEST_F(ConsoleTest, LocationIsDecidedOnceAtStartUp)
{
    StopConsole();
    wchar_t windowsDir[MAX_PATH] = {};
    GetWindowsDirectoryW(windowsDir, MAX_PATH);
    wchar_t localAppData[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableW(L"LOCALAPPDATA", localAppData, MAX_PATH), 0u);
    const std::wstring systemFile = std::wstring(windowsDir) + L"\\qarn.dat";
    const std::wstring userDir = std::wstring(localAppData) + L"\\Relayon";
    const std::wstring userFile = userDir + L"\\qarn.dat";
    const auto cleanUp = [&] {
        RemoveDirectoryW(systemFile.c_str());
        DeleteFileW(systemFile.c_str());
        DeleteFileW(userFile.c_str());
    };
    cleanUp();
    relayon::console::SetSettingsPathOverride(L"");
    StartConsole();
    ASSERT_TRUE(Exists(systemFile));

    CreateDirectoryW(userDir.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(systemFile.c_str(), userFile.c_str(), FALSE));
    const auto userBytes = FileBytes(userFile);
    ASSERT_TRUE(DeleteFileW(systemFile.c_str()));
    ASSERT_TRUE(CreateDirectoryW(systemFile.c_str(), nullptr));

    TypeInto(form().Ed_ip_address, L"10.9.8.7");
    EXPECT_TRUE(FileBytes(userFile) == userBytes) << "a write moved to the per-user file";

    StopConsole();
    cleanUp();
    relayon::console::SetSettingsPathOverride(SettingsFile());
}
