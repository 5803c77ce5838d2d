// skinbench.exe: every toolkit control in several states, three languages,
// in three windows side by side: the control bench, an MDI frame with its
// child, and a plain dialog.
#include <windows.h>

#include "BenchForms.h"
#include "toolkit/Application.h"

TBenchMdiForm* BenchMdiForm = nullptr;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        Application->Initialize();
        Application->SetTitle(L"Skin bench");
        TBenchForm::RegisterBenchClasses();
        // The MDI frame is the main form: MDI children need it to be.
        Application->CreateForm(BenchMdiForm);
        auto* bench = TForm::Create<TBenchForm>(Application);
        bench->Show();
        bench->OpenMdiClick(nullptr);
        bench->OpenDialogClick(nullptr);
        Application->Run();
    } catch (...) {
        Application->ShowException(CurrentExceptionMessage());
        return 1;
    }
    return 0;
}
