#pragma once
// The application object: its hidden "TApplication" window, the main form,
// the message loop (with dialog-key handling for the forms), and the place
// where exceptions escaping event handlers end up.
#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "toolkit/core/Component.h"
#include "toolkit/ControlTypes.h"
#include "toolkit/RegisterClasses.h"
#include "toolkit/core/Rtti.h"

class TForm;

using TExceptionEvent = TMethod<void(TObject* Sender, const std::wstring& Message)>;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    // Registers the toolkit's classes, the common controls and the
    // application window.
    void Initialize();
    // Creates the form, stores it in `ref` before its OnCreate runs, and
    // makes the first created form the main form. The toolkit's classes are
    // registered first, so a form can be read even before Initialize.
    template <class T>
    void CreateForm(T*& ref) {
        RegisterToolkitClasses();
        RegisterPublishedClass<T>();
        T* form = new T(this);
        ref = form;
        if (!mainForm_) mainForm_ = form;
        form->AfterConstruction();
    }
    // Shows the main form and runs the message loop until Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles every waiting message, then returns.
    void ProcessMessages();
    // Waits for one message and handles it.
    void HandleMessage();
    // Handles one message; false when the queue was empty.
    bool ProcessMessage();

    TForm* MainForm() const { return mainForm_; }
    void MainFormDestroyed() { mainForm_ = nullptr; }
    HWND Handle();
    const std::wstring& Title() const { return title_; }
    void SetTitle(const std::wstring& title);

    // Called with the exception currently being handled (inside a catch).
    void HandleException(TObject* sender);
    // Shows the message of an exception in an error box.
    void ShowException(const std::wstring& message);

    TExceptionEvent OnException;

private:
    bool IsKeyMessage(MSG& msg);

    HWND handle_ = nullptr;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    std::wstring title_;
};

extern TApplication* Application;

// The program's icon at the small or large size (ICON_SMALL / ICON_BIG): the
// module's "MAINICON" or first icon resource, else the system's application icon.
HICON ApplicationIcon(WPARAM size);
// Gives `window` the program's small and large icons (WM_SETICON).
void SetApplicationIcons(HWND window);

// Text of the exception being handled (call inside a catch block).
std::wstring CurrentExceptionMessage();
