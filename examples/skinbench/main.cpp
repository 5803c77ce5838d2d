// skinbench.exe: every toolkit control in several states, three languages,
// in three windows side by side: the control bench, an MDI frame with its
// child, and a plain dialog.
//   skinbench.exe [--skin FILE.skn]   FILE: a skin to draw every window with
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

// The value after "--skin" on the command line, empty without one.
std::wstring SkinFileFromCommandLine() {
    int argc = 0;
    std::unique_ptr<LPWSTR, decltype(&LocalFree)> argv(CommandLineToArgvW(GetCommandLineW(), &argc), LocalFree);
    if (!argv) return {};
    for (int i = 1; i + 1 < argc; ++i)
        if (std::wstring(argv.get()[i]) == L"--skin") return argv.get()[i + 1];
    return {};
}

// Loads the skin and makes it active before the first form is created, so
// the engine takes every bench window over as it is shown.
void StartSkin(const std::wstring& file) {
    relayon::skin::RegisterSkinDataClasses();
    auto* skin = new relayon::skin::TSkinData(Application);
    skin->SetName(L"BenchSkin");
    skin->LoadFromFile(file);
    if (skin->Empty) throw std::runtime_error("the skin file could not be read");
    skin->Loaded();
    skin->SetActive(true);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        Application->Initialize();
        Application->SetTitle(L"Skin bench");
        relayon::skin::InstallSkinEngine();
        TBenchForm::RegisterBenchClasses();
        if (std::wstring skinFile = SkinFileFromCommandLine(); !skinFile.empty()) StartSkin(skinFile);
        // The MDI frame is the main form: MDI children need it to be.
        Application->CreateForm(BenchMdiForm);
        auto* bench = TForm::Create<TBenchForm>(Application);
        bench->Show();
        bench->OpenMdiClick(nullptr);
        bench->OpenDialogClick(nullptr);
        Application->Run();
        relayon::skin::ShutdownSkinEngine();
    } catch (...) {
        Application->ShowException(CurrentExceptionMessage());
        return 1;
    }
    return 0;
}
