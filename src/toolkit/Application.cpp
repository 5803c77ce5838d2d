#include "toolkit/Application.h"

#include <commctrl.h>

#include <stdexcept>

#include "toolkit/ControlAtom.h"
#include "toolkit/Form.h"
#include "toolkit/MessageBox.h"
#include "toolkit/ModuleInstance.h"
#include "toolkit/TextConvert.h"

namespace {
TApplication gApplication;

LRESULT CALLBACK ApplicationWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, msg, wParam, lParam);
}
}  // namespace

TApplication* Application = &gApplication;

HICON ApplicationIcon(WPARAM size) {
    int cx = GetSystemMetrics(size == ICON_SMALL ? SM_CXSMICON : SM_CXICON);
    int cy = GetSystemMetrics(size == ICON_SMALL ? SM_CYSMICON : SM_CYICON);
    for (const wchar_t* name : std::initializer_list<const wchar_t*>{L"MAINICON", MAKEINTRESOURCEW(1)})
        if (auto icon = static_cast<HICON>(LoadImageW(ModuleInstance(), name, IMAGE_ICON, cx, cy, LR_SHARED)))
            return icon;
    if (auto icon = static_cast<HICON>(LoadImageW(nullptr, MAKEINTRESOURCEW(32512) /* IDI_APPLICATION */, IMAGE_ICON,
                                                  cx, cy, LR_SHARED)))
        return icon;
    return LoadIconW(nullptr, MAKEINTRESOURCEW(32512));
}

void SetApplicationIcons(HWND window) {
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ApplicationIcon(ICON_BIG)));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ApplicationIcon(ICON_SMALL)));
}

std::wstring CurrentExceptionMessage() {
    try {
        throw;
    } catch (const std::exception& e) {
        return Utf8ToWide(e.what());
    } catch (const std::wstring& s) {
        return s;
    } catch (...) {
        return L"Unknown error";
    }
}

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() {
    // Forms owned by the application go before the process does; windows are
    // not touched here because the system may already be tearing them down.
    SetDestroying();
}

void TApplication::Initialize() {
    RegisterToolkitClasses();
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_DATE_CLASSES |
                                             ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    Handle();
}

HWND TApplication::Handle() {
    if (!handle_) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = ApplicationWindowProc;
        wc.hInstance = ModuleInstance();
        wc.lpszClassName = L"TApplication";
        RegisterClassExW(&wc);
        handle_ = CreateWindowExW(0, L"TApplication", title_.c_str(), WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS |
                                  WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, nullptr, nullptr, ModuleInstance(), nullptr);
        // A skin asks the application window for the icon it draws in captions.
        if (handle_) SetApplicationIcons(handle_);
    }
    return handle_;
}

void TApplication::SetTitle(const std::wstring& title) {
    title_ = title;
    if (handle_) SetWindowTextW(handle_, title.c_str());
}

void TApplication::Run() {
    if (mainForm_ && !mainForm_->Visible()) mainForm_->Show();
    while (!terminated_) HandleMessage();
    // Free the forms while the message loop's windows still exist.
    while (ComponentCount() > 0) {
        TComponent* c = Components(ComponentCount() - 1);
        if (auto* form = dynamic_cast<TForm*>(c); form && form->OnDestroy) {
            try {
                form->OnDestroy(form);
            } catch (...) {
                HandleException(form);
            }
        }
        delete c;
    }
}

void TApplication::Terminate() {
    terminated_ = true;
    PostQuitMessage(0);
}

bool TApplication::IsKeyMessage(MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    TWinControl* target = FindControlOrAncestor(msg.hwnd);
    if (!target) return false;
    // Menu shortcuts come before the control sees the key.
    if (TForm* form = target->ParentForm();
        form && form->IsShortCut(target, static_cast<WORD>(msg.wParam), KeyboardShiftState()))
        return true;
    UINT reflected = msg.message == WM_KEYDOWN ? CN_KEYDOWN : CN_SYSKEYDOWN;
    return target->Perform(reflected, msg.wParam, msg.lParam) != 0;
}

bool TApplication::ProcessMessage() {
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    if (!IsKeyMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

void TApplication::ProcessMessages() {
    while (ProcessMessage()) {
    }
}

void TApplication::HandleMessage() {
    if (!ProcessMessage()) WaitMessage();
}

void TApplication::HandleException(TObject* sender) {
    std::wstring message = CurrentExceptionMessage();
    if (OnException) {
        OnException(sender, message);
        return;
    }
    ShowException(message);
}

void TApplication::ShowException(const std::wstring& message) {
    std::wstring text = message;
    if (!text.empty() && text.back() != L'.') text += L'.';
    ShowMessageBox(MessageBoxRequest{text, title_.empty() ? L"Error" : title_, MB_OK | MB_ICONSTOP, nullptr, nullptr});
}
