#pragma once
// Driving menus in the skin tests: a menu runs a modal loop of its own, so the
// test's steps run one per timer tick, each only while a menu window is open
// (ticks before a menu shows, or while the bar moves from one menu to the
// next, wait).
#include <windows.h>

#include <functional>
#include <vector>

namespace skintest {

// The visible popup menu window, or null.
HWND OpenMenuWindow();

class MenuScript {
public:
    explicit MenuScript(std::vector<std::function<void()>> steps);
    ~MenuScript();
    MenuScript(const MenuScript&) = delete;
    MenuScript& operator=(const MenuScript&) = delete;
    bool Done() const { return next_ >= steps_.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    static inline MenuScript* current_ = nullptr;
    std::vector<std::function<void()>> steps_;
    size_t next_ = 0;
    UINT_PTR id_ = 0;
};

}  // namespace skintest
