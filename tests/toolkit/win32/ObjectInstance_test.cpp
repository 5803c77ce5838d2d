// Object window procedures: thousands of windows subclassed at once, each
// reaching its own object; freed procedures handed out again; exceptions
// kept inside; nested messages.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/ObjectInstance.h"

namespace {

constexpr UINT kAsk = WM_APP + 1;
constexpr UINT kForward = WM_APP + 2;
constexpr UINT kThrow = WM_APP + 3;

// Subclasses one window; answers kAsk with its own number.
class Router : public TObject {
public:
    Router(HWND window, int id) : window_(window), id_(id) {}
    ~Router() override { Release(); }

    void Attach() {
        proc = MakeObjectInstance(TWndMethod(this, &Router::Proc));
        old_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
    }
    void Release() {
        if (!proc) return;
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old_));
        FreeObjectInstance(proc);
        proc = nullptr;
    }
    void Proc(TMessage& m) {
        switch (m.Msg) {
        case kAsk:
            seenWindow = ObjectInstanceWindow();
            m.Result = 1000 + id_;
            return;
        case kForward:
            // Another subclassed window answers; this one is current again afterwards.
            m.Result = SendMessageW(reinterpret_cast<HWND>(m.LParam), kAsk, 0, 0);
            afterNested = ObjectInstanceWindow();
            return;
        case kThrow: throw std::runtime_error("router " + std::to_string(id_) + " failed");
        default: m.Result = CallWindowProcW(old_, window_, m.Msg, m.WParam, m.LParam);
        }
    }

    WNDPROC proc = nullptr;
    HWND seenWindow = nullptr;
    HWND afterNested = nullptr;

private:
    HWND window_;
    int id_;
    WNDPROC old_ = nullptr;
};

struct Windows {
    explicit Windows(int count) {
        for (int i = 0; i < count; ++i)
            handles.push_back(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr));
    }
    ~Windows() {
        for (HWND h : handles) DestroyWindow(h);
    }
    std::vector<HWND> handles;
};

struct ErrorLog : TObject {
    void Record(TObject*, const std::wstring& message) { messages.push_back(message); }
    std::vector<std::wstring> messages;
};

}  // namespace

TEST(ObjectInstance, ThousandsOfWindowsEachReachTheirOwnObject) {
    constexpr int kCount = 3000;  // more than one block of procedures
    Windows windows(kCount);
    std::vector<std::unique_ptr<Router>> routers;
    for (int i = 0; i < kCount; ++i) {
        ASSERT_NE(windows.handles[static_cast<size_t>(i)], nullptr) << i;
        routers.push_back(std::make_unique<Router>(windows.handles[static_cast<size_t>(i)], i));
        routers.back()->Attach();
    }
    std::set<WNDPROC> distinct;
    for (auto& r : routers) distinct.insert(r->proc);
    EXPECT_EQ(distinct.size(), static_cast<size_t>(kCount));

    for (int i = 0; i < kCount; ++i) {
        HWND h = windows.handles[static_cast<size_t>(i)];
        ASSERT_EQ(SendMessageW(h, kAsk, 0, 0), 1000 + i);
        ASSERT_EQ(routers[static_cast<size_t>(i)]->seenWindow, h);
    }
    // Messages the object passes on still reach the window's own procedure.
    SetWindowTextW(windows.handles[1234], L"still a static");
    wchar_t text[32] = {};
    GetWindowTextW(windows.handles[1234], text, 32);
    EXPECT_STREQ(text, L"still a static");

    // Every third window lets go; new procedures for them are the freed ones.
    std::set<WNDPROC> freed, remade;
    for (int i = 0; i < kCount; i += 3) {
        freed.insert(routers[static_cast<size_t>(i)]->proc);
        routers[static_cast<size_t>(i)]->Release();
    }
    for (int i = 0; i < kCount; i += 3) {
        routers[static_cast<size_t>(i)]->Attach();
        remade.insert(routers[static_cast<size_t>(i)]->proc);
    }
    EXPECT_EQ(remade, freed);
    for (int i = 0; i < kCount; ++i)
        ASSERT_EQ(SendMessageW(windows.handles[static_cast<size_t>(i)], kAsk, 0, 0), 1000 + i);

    // Once all are freed, one of the two blocks goes back to the system and
    // one is kept in reserve.
    const WNDPROC first = routers.front()->proc, last = routers.back()->proc;
    routers.clear();
    int released = 0;
    for (WNDPROC proc : {first, last}) {
        MEMORY_BASIC_INFORMATION info{};
        ASSERT_NE(VirtualQuery(reinterpret_cast<void*>(proc), &info, sizeof info), 0u);
        if (info.State == MEM_FREE) ++released;
    }
    EXPECT_EQ(released, 1);
}

TEST(ObjectInstance, NestedMessagesAndExceptionsStayInside) {
    Windows windows(2);
    Router outer(windows.handles[0], 1), inner(windows.handles[1], 2);
    outer.Attach();
    inner.Attach();
    EXPECT_EQ(SendMessageW(windows.handles[0], kForward, 0, reinterpret_cast<LPARAM>(windows.handles[1])), 1002);
    EXPECT_EQ(inner.seenWindow, windows.handles[1]);
    EXPECT_EQ(outer.afterNested, windows.handles[0]);
    EXPECT_EQ(ObjectInstanceWindow(), nullptr);

    ErrorLog log;
    Application->OnException = TExceptionEvent(&log, &ErrorLog::Record);
    EXPECT_EQ(SendMessageW(windows.handles[1], kThrow, 0, 0), 0);
    Application->OnException = nullptr;
    EXPECT_EQ(log.messages, (std::vector<std::wstring>{L"router 2 failed"}));
    // The window keeps working afterwards.
    EXPECT_EQ(SendMessageW(windows.handles[1], kAsk, 0, 0), 1002);

    // Freeing what no instance made, or nothing, is ignored.
    FreeObjectInstance(nullptr);
    FreeObjectInstance(DefWindowProcW);
    EXPECT_EQ(SendMessageW(windows.handles[0], kAsk, 0, 0), 1001);
}
