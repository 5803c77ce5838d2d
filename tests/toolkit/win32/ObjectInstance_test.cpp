// Object window procedures: thousands of them subclassing real windows at
// once, each reaching its own object; freed procedures handed out again;
// exceptions kept inside; nested messages.
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

// Subclasses one window (on top of whatever procedure it has). kAsk leaves
// the router's number in the window's trail and goes on down the chain; the
// answer counts the routers it passed.
class Router : public TObject {
public:
    Router(HWND window, int id, std::vector<int>* trail = nullptr) : window_(window), id_(id), trail_(trail) {}
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
            if (trail_) trail_->push_back(id_);
            m.Result = 1 + CallWindowProcW(old_, window_, m.Msg, m.WParam, m.LParam);
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
    std::vector<int>* trail_;
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

TEST(ObjectInstance, ThousandsOfProceduresEachReachTheirOwnObject) {
    // 3000 live procedures (more than one block of them) on 300 windows, ten
    // layers deep: creating windows is what takes time under Wine.
    constexpr int kWindows = 300, kLayers = 10;
    Windows windows(kWindows);
    std::vector<std::vector<int>> trails(kWindows);
    std::vector<std::unique_ptr<Router>> routers;  // window w, layer l at w * kLayers + l
    for (int w = 0; w < kWindows; ++w) {
        ASSERT_NE(windows.handles[static_cast<size_t>(w)], nullptr) << w;
        for (int l = 0; l < kLayers; ++l) {
            routers.push_back(std::make_unique<Router>(windows.handles[static_cast<size_t>(w)], w * kLayers + l,
                                                       &trails[static_cast<size_t>(w)]));
            routers.back()->Attach();
        }
    }
    std::set<WNDPROC> distinct;
    for (auto& r : routers) distinct.insert(r->proc);
    EXPECT_EQ(distinct.size(), routers.size());

    // Every window's message passes its own routers, newest first, and each
    // router is told which window it is serving.
    auto expectRouted = [&] {
        for (int w = 0; w < kWindows; ++w) {
            HWND h = windows.handles[static_cast<size_t>(w)];
            auto& trail = trails[static_cast<size_t>(w)];
            trail.clear();
            ASSERT_EQ(SendMessageW(h, kAsk, 0, 0), kLayers) << w;
            std::vector<int> expected;
            for (int l = kLayers - 1; l >= 0; --l) expected.push_back(w * kLayers + l);
            ASSERT_EQ(trail, expected) << w;
            ASSERT_EQ(routers[static_cast<size_t>(w * kLayers)]->seenWindow, h) << w;
        }
    };
    expectRouted();
    // Messages the routers pass on still reach the window's own procedure.
    SetWindowTextW(windows.handles[123], L"still a static");
    wchar_t text[32] = {};
    GetWindowTextW(windows.handles[123], text, 32);
    EXPECT_STREQ(text, L"still a static");

    // The top router of every window lets go; new procedures are the freed ones.
    std::set<WNDPROC> freed, remade;
    for (int w = 0; w < kWindows; ++w) {
        Router& top = *routers[static_cast<size_t>(w * kLayers + kLayers - 1)];
        freed.insert(top.proc);
        top.Release();
    }
    for (int w = 0; w < kWindows; ++w) {
        Router& top = *routers[static_cast<size_t>(w * kLayers + kLayers - 1)];
        top.Attach();
        remade.insert(top.proc);
    }
    EXPECT_EQ(remade, freed);
    expectRouted();

    // Once all are freed (newest first, as a chain unwinds), one of the two
    // blocks goes back to the system and one is kept in reserve.
    const WNDPROC first = routers.front()->proc, last = routers.back()->proc;
    while (!routers.empty()) routers.pop_back();
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
    EXPECT_EQ(SendMessageW(windows.handles[0], kForward, 0, reinterpret_cast<LPARAM>(windows.handles[1])), 1);
    EXPECT_EQ(inner.seenWindow, windows.handles[1]);
    EXPECT_EQ(outer.afterNested, windows.handles[0]);
    EXPECT_EQ(ObjectInstanceWindow(), nullptr);

    ErrorLog log;
    Application->OnException = TExceptionEvent(&log, &ErrorLog::Record);
    EXPECT_EQ(SendMessageW(windows.handles[1], kThrow, 0, 0), 0);
    Application->OnException = nullptr;
    EXPECT_EQ(log.messages, (std::vector<std::wstring>{L"router 2 failed"}));
    // The window keeps working afterwards.
    EXPECT_EQ(SendMessageW(windows.handles[1], kAsk, 0, 0), 1);

    // Freeing what no instance made, or nothing, is ignored.
    FreeObjectInstance(nullptr);
    FreeObjectInstance(DefWindowProcW);
    EXPECT_EQ(SendMessageW(windows.handles[0], kAsk, 0, 0), 1);
}
