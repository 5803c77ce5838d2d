// Program entry: the application object, the main window, the message loop.
#include <windows.h>

#include "console/Form1.h"
#include "toolkit/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    try {
        Application->Initialize();
        Application->CreateForm(Form1);
        Application->Run();
    } catch (...) {
        Application->ShowException(CurrentExceptionMessage());
    }
    return 0;
}
