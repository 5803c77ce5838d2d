// DLL mode: a module with its own copy of the engine takes over its own
// form into the host's lists, and leaves them clean when it goes.
#include "SkinTestSupport.h"

using namespace relayon::skin;
using namespace skintest;

namespace {
class DllMode : public EngineTest {};
}

TEST_F(DllMode, ModuleFormJoinsHostListsAndLeavesWithTheModule) {
    MakeSkinData(root_.get());
    auto hostForm = ShowForm();
    ASSERT_TRUE(PumpUntil([&] { return mgr()->FindSkinForm(hostForm->Handle()) != nullptr; }));

    HMODULE module = LoadLibraryW(L"skin_paint_dll_module.dll");
    ASSERT_NE(module, nullptr);
    auto open = reinterpret_cast<HWND (*)(TSkinManage*)>(GetProcAddress(module, "OpenDllForm"));
    auto close = reinterpret_cast<void (*)()>(GetProcAddress(module, "CloseDllForm"));
    ASSERT_TRUE(open && close);
    HWND h = open(mgr());
    ASSERT_TRUE(PumpUntil([&] { return mgr()->FindSkinForm(h) && mgr()->FindSkinForm(h)->FActive; }));
    TWinSkinForm* sf = mgr()->FindSkinForm(h);
    EXPECT_EQ(sf->mode, reinterpret_cast<intptr_t>(module));
    EXPECT_EQ(mgr()->sublist.size(), 1u);
    EXPECT_EQ(mgr()->Forms().size(), 2u);
    EXPECT_EQ(SendMessageW(h, CN_IsSkinned, 0, 0), 1);

    close();
    EXPECT_TRUE(mgr()->sublist.empty());
    ASSERT_EQ(mgr()->Forms().size(), 1u);
    EXPECT_EQ(mgr()->Forms()[0]->Hwnd, hostForm->Handle());
    FreeLibrary(module);
}
