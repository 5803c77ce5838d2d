// skinbench.exe: every toolkit control in several states, three languages,
// in three windows side by side: the control bench, an MDI frame with its
// child, and a plain dialog.
//   skinbench.exe [--skin FILE.skn] [--frame] [--max]
//     FILE: a skin to draw every window with; the window frames stay the
//     system's, as in the console. --frame: the skin draws the frames too
//     (borders, caption buttons, the menu bars, menu items and system menus).
//     --max: the MDI child starts maximised (its buttons in the frame's bar).
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "BenchForms.h"
#include "skin/data/win32/Winskindata.h"
#include "skin/paint/win32/Winskindlg.h"
#include "toolkit/Application.h"

TBenchMdiForm* BenchMdiForm = nullptr;

namespace {

struct BenchOptions {
    std::wstring skinFile;  // the value after "--skin", empty without one
    bool frame = false;     // "--frame"
    bool maxChild = false;  // "--max"
};

BenchOptions OptionsFromCommandLine() {
    BenchOptions o;
    int argc = 0;
    std::unique_ptr<LPWSTR, decltype(&LocalFree)> argv(CommandLineToArgvW(GetCommandLineW(), &argc), LocalFree);
    if (!argv) return o;
    for (int i = 1; i < argc; ++i) {
        std::wstring arg = argv.get()[i];
        if (arg == L"--skin" && i + 1 < argc) o.skinFile = argv.get()[++i];
        else if (arg == L"--frame") o.frame = true;
        else if (arg == L"--max") o.maxChild = true;
    }
    return o;
}

// Loads the skin and makes it active before the first form is created, so
// the engine takes every bench window over as it is shown. The frame choice
// is made after Loaded, which settles the menu kinds for the frame switch.
void StartSkin(const std::wstring& file, bool frame) {
    using namespace relayon::skin;
    RegisterSkinDataClasses();
    auto* skin = new TSkinData(Application);
    skin->SetName(L"BenchSkin");
    skin->LoadFromFile(file);
    if (skin->Empty) throw std::runtime_error("the skin file could not be read");
    skin->Loaded();
    TSkinControlTypes kinds = skin->SkinControls();
    if (frame) kinds.Include(xcMainMenu).Include(xcMenuItem).Include(xcSystemMenu);
    else kinds.Exclude(xcMainMenu).Exclude(xcSystemMenu);
    skin->SetSkinControls(kinds);
    if (frame) skin->SetOptions(skin->Options().Include(xoMDIChildBorder));
    skin->SetActive(true);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        Application->Initialize();
        Application->SetTitle(L"Skin bench");
        relayon::skin::InstallSkinEngine();
        TBenchForm::RegisterBenchClasses();
        BenchOptions options = OptionsFromCommandLine();
        if (!options.skinFile.empty()) StartSkin(options.skinFile, options.frame);
        // The MDI frame is the main form: MDI children need it to be.
        Application->CreateForm(BenchMdiForm);
        auto* bench = TForm::Create<TBenchForm>(Application);
        bench->Show();
        bench->OpenMdiClick(nullptr);
        if (options.maxChild && BenchMdiForm->Child) BenchMdiForm->Child->SetWindowState(wsMaximized);
        bench->OpenDialogClick(nullptr);
        Application->Run();
        relayon::skin::ShutdownSkinEngine();
    } catch (...) {
        Application->ShowException(CurrentExceptionMessage());
        return 1;
    }
    return 0;
}
