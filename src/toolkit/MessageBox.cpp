#include "toolkit/MessageBox.h"

#include "toolkit/Form.h"

namespace {
MessageBoxHook& Hook() {
    static MessageBoxHook hook;
    return hook;
}
}  // namespace

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook) {
    MessageBoxHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

int ShowMessageBox(const MessageBoxRequest& request) {
    if (Hook()) return Hook()(request);
    return MessageBoxW(request.Owner, request.Text.c_str(), request.Caption.c_str(), request.Flags);
}

int TaskMessageBox(const std::wstring& text, const std::wstring& caption) {
    return ShowMessageBox(MessageBoxRequest{text, caption, MB_OK | MB_TASKMODAL, nullptr, nullptr});
}

int OwnedQuestionBox(TForm* owner, const std::wstring& text, const std::wstring& caption) {
    HWND window = owner ? owner->Handle() : nullptr;
    return ShowMessageBox(MessageBoxRequest{text, caption, MB_OKCANCEL, window, owner});
}
