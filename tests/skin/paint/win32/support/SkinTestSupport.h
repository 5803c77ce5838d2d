#pragma once
// What the skin engine's Wine tests share: the engine started and stopped
// around each test, skin data components carrying the light skin, windows
// of the kinds the manager must decide about, and pumping until something holds.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "skin/data/win32/Winskindata.h"
#include "skin/paint/win32/Winskindlg.h"
#include "skin/paint/win32/Winskinform.h"
#include "toolkit/Form.h"

namespace skintest {

// The light skin's file bytes (built by the native tree).
const std::vector<uint8_t>& LightSkin();

// A loaded skin data component owned by `owner`; Active as asked.
relayon::skin::TSkinData* MakeSkinData(TComponent* owner, relayon::skin::TSkinFormType type = relayon::skin::sfMainform,
                                       bool active = true);

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    relayon::skin::TSkinManage* mgr() { return relayon::skin::Manager(); }
    // The engine's own skin data: on `root`, created by SetUp.
    std::unique_ptr<TComponent> root_;
};

// A toolkit form shown and activated (taken over by the hook when the engine is on).
std::unique_ptr<TForm> ShowForm(int width = 320, int height = 240);
// A dialog box ("#32770") made from a template in memory with the given
// module as its instance; visible, not activated.
HWND MakeDialog(HINSTANCE instance, HWND owner = nullptr, DWORD extraStyle = 0);
// A top-level window of a class registered for `instance`.
HWND MakeWindow(const wchar_t* className, HINSTANCE instance, int width, int height, DWORD style = WS_OVERLAPPEDWINDOW);

bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 2000);
// Real mouse input: the pointer moved to a screen point, the left button
// pressed or released where it is; each followed by a short pump.
void MoveMouseTo(POINT screen);
void MouseButton(bool down);
// The client area's pixels as the screen shows them (32-bit, top row first).
std::vector<uint32_t> Snapshot(HWND h);
void Pump(int ms);
WNDPROC ProcOf(HWND h);
// Windows of this process's threads, top-level and children (USER objects the engine could leak).
size_t WindowCount();

}  // namespace skintest
