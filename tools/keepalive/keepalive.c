/* A tiny GUI process kept alive for a whole Wine test run, so that Wine's
   desktop process stays up between test executables instead of holding each
   test's output open while it shuts down. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    (void)instance; (void)previous; (void)commandLine; (void)show;
    GetDesktopWindow();
    for (;;)
        Sleep(INFINITE);
}
