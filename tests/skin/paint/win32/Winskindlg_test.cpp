// The skin manager on real windows: which windows it takes over, which skin
// data serves them, deferred actions, other threads and shutdown.
#include <atomic>
#include <chrono>
#include <thread>

#include "SkinTestSupport.h"
#include "toolkit/ModuleInstance.h"
#include "toolkit/testing/UiDriver.h"

using namespace relayon::skin;
using namespace skintest;

namespace {

class SkinManager : public EngineTest {};

int gSkinnedQueries = 0;
// A foreign skinned window: answers the engine's query with 1.
LRESULT CALLBACK AlreadySkinnedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == CN_IsSkinned) {
        ++gSkinnedQueries;
        return 1;
    }
    return DefWindowProcW(h, m, w, l);
}

}  // namespace

TEST_F(SkinManager, TakesOverAnActivatedFormAndRefusesWhatItMustNot) {
    MakeSkinData(root_.get());
    auto form = ShowForm();
    HWND h = form->Handle();
    ASSERT_TRUE(PumpUntil([&] { return mgr()->FindSkinForm(h) && mgr()->FindSkinForm(h)->FActive; }));
    EXPECT_EQ(SendMessageW(h, CN_IsSkinned, 0, 0), 1);
    EXPECT_EQ(mgr()->state, 1);
    // Only once, however often it is activated.
    EXPECT_FALSE(mgr()->AddForm(h));
    EXPECT_EQ(mgr()->Forms().size(), 1u);

    // Tag 99 is refused whatever DisableTag says.
    auto tagged = std::make_unique<TForm>(nullptr);
    tagged->SetBounds(10, 10, 200, 100);
    tagged->SetTag(99);
    tagged->Show();
    EXPECT_FALSE(mgr()->AddForm(tagged->Handle()));

    HINSTANCE own = ModuleInstance();
    HINSTANCE other = GetModuleHandleW(L"kernel32.dll");
    HWND app = MakeWindow(L"TApplication", own, 100, 100);
    HWND empty = MakeWindow(L"RelayonEmptyWindow", own, 0, 0, WS_POPUP);
    HWND foreign = MakeWindow(L"RelayonForeignWindow", other, 100, 100);
    HWND foreignDialog = MakeDialog(other);
    EXPECT_FALSE(mgr()->AddForm(app));
    EXPECT_FALSE(mgr()->AddForm(empty));
    EXPECT_FALSE(mgr()->AddForm(foreign));
    mgr()->AddForm(foreignDialog);  // unless its activation was already seen
    ASSERT_NE(mgr()->FindSkinForm(foreignDialog), nullptr);
    EXPECT_TRUE(mgr()->FindSkinForm(foreignDialog)->ismessagebox);

    // A window that says it is skinned is asked once and left alone.
    WNDCLASSW wc{};
    wc.lpfnWndProc = AlreadySkinnedProc;
    wc.hInstance = own;
    wc.lpszClassName = L"RelayonAlreadySkinned";
    RegisterClassW(&wc);
    HWND skinned = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                   own, nullptr);
    gSkinnedQueries = 0;
    EXPECT_FALSE(mgr()->AddForm(skinned));
    EXPECT_EQ(gSkinnedQueries, 1);

    // A window nested in another is left to its host unless asked for.
    HWND nested = CreateWindowExW(0, L"RelayonEmptyWindow", L"", WS_CHILD | WS_VISIBLE, 5, 5, 80, 60, h, nullptr,
                                  own, nullptr);
    EXPECT_FALSE(mgr()->AddForm(nested));
    mgr()->FindSkinForm(h)->fsd->SkinForm(nested);
    EXPECT_NE(mgr()->FindSkinForm(nested), nullptr);

    for (HWND w : {app, empty, foreign, foreignDialog, skinned}) DestroyWindow(w);
}

TEST_F(SkinManager, SkinDataChosenForEachKindOfWindow) {
    TSkinData* main1 = MakeSkinData(root_.get());
    TSkinData* dialog1 = MakeSkinData(root_.get(), sfDialog);
    TSkinData* main2 = MakeSkinData(root_.get());
    TSkinData* dialog2 = MakeSkinData(root_.get(), sfDialog);
    auto own = std::make_unique<TForm>(nullptr);
    own->SetBounds(20, 20, 200, 150);
    TSkinData* onlyThis = MakeSkinData(own.get(), sfOnlyThisForm);
    mgr()->state = 1;
    mgr()->active = true;
    EXPECT_EQ(mgr()->MainData, main1);

    auto other = std::make_unique<TForm>(nullptr);
    other->SetBounds(30, 30, 200, 150);
    other->Show();
    own->Show();
    HWND box = MakeDialog(ModuleInstance());
    // Shown windows may already have been taken over on activation.
    for (HWND w : {other->Handle(), own->Handle(), box}) {
        mgr()->AddForm(w);
        ASSERT_NE(mgr()->FindSkinForm(w), nullptr);
    }
    EXPECT_EQ(mgr()->FindSkinForm(other->Handle())->fsd, main2);
    EXPECT_EQ(mgr()->FindSkinForm(own->Handle())->fsd, onlyThis);
    EXPECT_EQ(mgr()->FindSkinForm(box)->fsd, dialog2);
    (void)dialog1;
    DestroyWindow(box);

    // A component freed while its action waits leaves nothing to run.
    int fired = 0;
    struct Counter : TObject {
        int* n;
        void Changed(TObject*) { ++*n; }
    } counter;
    counter.n = &fired;
    main2->fOnSkinChanged = TNotifyEvent(&counter, &Counter::Changed);
    main2->UpdateSkin();
    EXPECT_TRUE(mgr()->ActionPending());
    delete main2;
    Pump(400);
    EXPECT_EQ(fired, 0);
    // The window it drew is given back at once, not left with a skin that is gone.
    EXPECT_EQ(mgr()->FindSkinForm(other->Handle()), nullptr);
    EXPECT_NE(SendMessageW(other->Handle(), CN_IsSkinned, 0, 0), 1);
}

TEST_F(SkinManager, DeferredRequestReplacesThePendingOne) {
    TSkinData* d = MakeSkinData(root_.get());
    auto form = ShowForm();
    HWND h = form->Handle();
    ASSERT_TRUE(PumpUntil([&] { return mgr()->FindSkinForm(h) != nullptr; }));
    int changed = 0;
    struct Counter : TObject {
        int* n;
        void Changed(TObject*) { ++*n; }
    } counter;
    counter.n = &changed;
    d->fOnSkinChanged = TNotifyEvent(&counter, &Counter::Changed);

    auto start = std::chrono::steady_clock::now();
    d->SetActive(false);  // uninstall in 250 ms ...
    Pump(120);
    d->UpdateSkin();      // ... replaced by "skin changed" within the delay
    ASSERT_TRUE(PumpUntil([&] { return changed > 0; }));
    auto waited = std::chrono::steady_clock::now() - start;
    Pump(300);
    EXPECT_EQ(changed, 1);
    EXPECT_GE(waited, std::chrono::milliseconds(120 + 240));
    // The uninstall never ran: the window is still skinned.
    EXPECT_NE(mgr()->FindSkinForm(h), nullptr);
    EXPECT_EQ(SendMessageW(h, CN_IsSkinned, 0, 0), 1);
}

TEST_F(SkinManager, ActiveSetAfterFirstActivationTakesOverTheActiveWindow) {
    TSkinData* d = MakeSkinData(root_.get(), sfMainform, false);
    auto form = ShowForm();
    HWND h = form->Handle();
    Pump(100);
    EXPECT_GE(mgr()->state, 1);
    EXPECT_EQ(mgr()->FindSkinForm(h), nullptr);  // inactive: left alone
    d->SetActive(true);
    EXPECT_EQ(mgr()->FindSkinForm(h), nullptr);  // deferred
    ASSERT_TRUE(PumpUntil([&] { return mgr()->FindSkinForm(h) != nullptr; }));
    EXPECT_EQ(SendMessageW(h, CN_IsSkinned, 0, 0), 1);
}

TEST_F(SkinManager, HookOfSecondThreadTakesOverThatThreadsDialog) {
    MakeSkinData(root_.get());
    mgr()->state = 1;
    std::atomic<HWND> dialog{nullptr};
    std::atomic<bool> hooked{false}, quit{false};
    std::atomic<DWORD> tid{0};
    std::thread worker([&] {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
        tid = GetCurrentThreadId();
        while (!hooked) Sleep(1);
        HWND h = MakeDialog(ModuleInstance());
        SetActiveWindow(h);
        dialog = h;
        while (!quit) {
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            Sleep(1);
        }
        DestroyWindow(h);
    });
    while (!tid) Sleep(1);
    mgr()->InstallThread(tid);
    mgr()->InstallThread(tid);  // once per thread
    EXPECT_EQ(mgr()->Threadlist->size(), 1u);
    hooked = true;
    ASSERT_TRUE(PumpUntil([&] { return dialog && mgr()->FindSkinForm(dialog); }));
    HWND h = dialog;
    // Taken over on its own thread: it answers there.
    EXPECT_TRUE(PumpUntil([&] { return SendMessageW(h, CN_IsSkinned, 0, 0) == 1; }));
    quit = true;
    worker.join();
    mgr()->UnInstallThread(tid);
    EXPECT_TRUE(mgr()->Threadlist->empty());
    // The dialog is gone; its skinner is marked and purged by the next purge.
    mgr()->DeleteDeleted();
    EXPECT_EQ(mgr()->FindSkinForm(h), nullptr);
    EXPECT_TRUE(mgr()->Forms().empty());
}

TEST_F(SkinManager, ShutdownGivesEveryWindowBack) {
    MakeSkinData(root_.get());
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 300, 200);
    HWND h = form->Handle();
    WNDPROC original = ProcOf(h);
    uitest::ShowAndActivate(*form);
    ASSERT_TRUE(PumpUntil([&] { return mgr()->FindSkinForm(h) != nullptr; }));
    EXPECT_NE(ProcOf(h), original);
    ShutdownSkinEngine();
    EXPECT_EQ(ProcOf(h), original);
    EXPECT_FALSE(OwnHookInstalled());
    EXPECT_EQ(SendMessageW(h, CN_IsSkinned, 0, 0), 0);
    form.reset();  // the form still closes normally
}
