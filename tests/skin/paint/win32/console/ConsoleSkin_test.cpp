// The console started the way the program starts it, with the skin engine:
// its main window is taken over (system frame kept) and a message box it
// shows is taken over as a dialog while it is open.
#include <gtest/gtest.h>

#include "console/Controls.h"
#include "console/Form1.h"
#include "console/SettingsFile.h"
#include "skin/paint/win32/Winskindlg.h"
#include "skin/paint/win32/Winskinform.h"
#include "toolkit/Application.h"
#include "toolkit/testing/UiDriver.h"

using namespace relayon::skin;

namespace {

struct BoxSeen {
    bool found = false, skinned = false, messageBox = false, dialogBorder = false;
    std::wstring text;
} gBox;

// Runs inside the message box's own loop: waits until the box is taken
// over, notes what the engine made of it, and closes it with OK.
void CALLBACK WatchBox(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM p) -> BOOL {
            wchar_t cls[16] = {};
            GetClassNameW(h, cls, 16);
            if (std::wstring(cls) == L"#32770" && IsWindowVisible(h)) *reinterpret_cast<HWND*>(p) = h;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    gBox.found = true;
    TWinSkinForm* sf = Manager() ? Manager()->FindSkinForm(box) : nullptr;
    if (!sf || !sf->FActive) return;  // not yet: the next tick looks again
    gBox.skinned = SendMessageW(box, CN_IsSkinned, 0, 0) == 1;
    gBox.messageBox = sf->ismessagebox;
    gBox.dialogBorder = sf->FormBorder == sbsDialog;
    KillTimer(nullptr, id);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

}  // namespace

TEST(ConsoleSkin, MainWindowAndItsMessageBoxAreTakenOver) {
    wchar_t dir[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, dir);
    std::wstring settings = std::wstring(dir) + L"relayon_console_skin.dat";
    DeleteFileW(settings.c_str());
    relayon::console::SetSettingsPathOverride(settings);
    Application->Initialize();
    InstallSkinEngine();
    Application->CreateForm(Form1);
    ASSERT_NE(Form1, nullptr);
    HWND h = Form1->Handle();
    RECT before{};
    GetWindowRect(h, &before);
    uitest::ShowAndActivate(*Form1);
    ASSERT_TRUE(uitest::PumpUntil([&] { return Manager() && Manager()->FindSkinForm(h) && Manager()->FindSkinForm(h)->FActive; }));
    TWinSkinForm* sf = Manager()->FindSkinForm(h);
    EXPECT_FALSE(sf->sMainMenu);  // SkinData1 leaves the frame to the system
    EXPECT_EQ(SendMessageW(h, CN_IsSkinned, 0, 0), 1);
    RECT after{};
    GetWindowRect(h, &after);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);

    // An ID the unit cannot have: the console refuses with a message box.
    Form1->Ed_conn_id->SetText(L"0");
    UINT_PTR timer = SetTimer(nullptr, 0, 20, WatchBox);
    Form1->Bn_connectClick(Form1->Bn_connect);
    uitest::PumpUntil([] { return gBox.skinned; }, 3000);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(gBox.found);
    EXPECT_TRUE(gBox.skinned);
    EXPECT_TRUE(gBox.messageBox);
    EXPECT_TRUE(gBox.dialogBorder);

    delete Form1;
    Form1 = nullptr;
    ShutdownSkinEngine();
    DeleteFileW(settings.c_str());
}
