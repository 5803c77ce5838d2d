#include "MenuScript.h"

namespace skintest {

HWND OpenMenuWindow() {
    HWND h = FindWindowW(L"#32768", nullptr);
    return h && IsWindowVisible(h) ? h : nullptr;
}

MenuScript::MenuScript(std::vector<std::function<void()>> steps) : steps_(std::move(steps)) {
    current_ = this;
    id_ = SetTimer(nullptr, 0, 150, Tick);
}

MenuScript::~MenuScript() {
    KillTimer(nullptr, id_);
    current_ = nullptr;
}

void CALLBACK MenuScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (current_ && current_->next_ < current_->steps_.size() && OpenMenuWindow())
        current_->steps_[current_->next_++]();
}

}  // namespace skintest
