// A module of the process that carries its own copy of the skin engine and
// a form, attached to the host's manager: what DLL mode serves.
#include <windows.h>

#include "skin/paint/win32/Winskindlg.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace {
TForm* gForm = nullptr;
}

extern "C" __declspec(dllexport) HWND OpenDllForm(relayon::skin::TSkinManage* host) {
    Application->Initialize();
    relayon::skin::SkinDll(host);
    gForm = new TForm(nullptr);
    gForm->SetBounds(200, 150, 260, 180);
    gForm->SetCaption(L"From the module");
    gForm->Show();
    SetActiveWindow(gForm->Handle());
    return gForm->Handle();
}

extern "C" __declspec(dllexport) void CloseDllForm() {
    delete gForm;
    gForm = nullptr;
    // The module's manager lets go of the host's lists.
    relayon::skin::ShutdownSkinEngine();
}
