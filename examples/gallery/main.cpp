// gallery.exe: shows every toolkit control in one window.
#include <windows.h>

#include "GalleryForm.h"
#include "toolkit/Application.h"

TGalleryForm* GalleryForm = nullptr;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        Application->Initialize();
        Application->SetTitle(L"Gallery");
        Application->CreateForm(GalleryForm);
        Application->Run();
    } catch (...) {
        Application->ShowException(CurrentExceptionMessage());
        return 1;
    }
    return 0;
}
