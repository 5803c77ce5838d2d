#pragma once
// Message boxes, all going through one seam: a hook (for tests) sees every
// box with its text, caption, flags and owner and answers it instead of the
// user. Without a hook the system box is shown.
#include <windows.h>

#include <functional>
#include <string>

class TForm;

struct MessageBoxRequest {
    std::wstring Text;
    std::wstring Caption;
    UINT Flags = 0;
    HWND Owner = nullptr;
    TForm* OwnerForm = nullptr;
};

using MessageBoxHook = std::function<int(const MessageBoxRequest&)>;

// Installs `hook` (empty: show real boxes) and returns the previous one.
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);

int ShowMessageBox(const MessageBoxRequest& request);
// A task-modal box with OK and no owner.
int TaskMessageBox(const std::wstring& text, const std::wstring& caption);
// An OK/Cancel question owned by `owner` (IDOK or IDCANCEL).
int OwnedQuestionBox(TForm* owner, const std::wstring& text, const std::wstring& caption);
