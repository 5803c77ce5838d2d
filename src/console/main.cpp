// Program entry: the application object, the main window, the message loop.
//   relayon.exe [--settings PATH]   PATH: the settings file to use instead of qarn.dat
#include <windows.h>

#include <cstdlib>
#include <exception>

#include "console/Form1.h"
#include "console/SettingsFile.h"
#include "skin/paint/win32/Winskindlg.h"
#include "toolkit/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // The runtime has split the command line already (the program is built as
    // a wide-character one); shell32's splitter would load shell32 for it.
    if (const auto path = relayon::console::SettingsPathFromArguments(__argc, __wargv))
        relayon::console::SetSettingsPathOverride(*path);
    try {
        Application->Initialize();
        // Before Form1 loads: its SkinData1 creates the skin manager when it is read.
        relayon::skin::InstallSkinEngine();
        Application->CreateForm(Form1);
        Application->Run();
        relayon::skin::ShutdownSkinEngine();
    } catch (const std::exception&) {
        Application->ShowException(CurrentExceptionMessage());
    } catch (...) {
        // Not one of the toolkit's exceptions: it carries no message to show.
        Application->ShowException(L"");
    }
    return 0;
}
