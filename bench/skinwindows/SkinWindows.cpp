#include "SkinWindows.h"

#include <cstdio>

#include "BenchForms.h"
#include "console/Form1.h"
#include "console/SettingsFile.h"
#include "skin/data/win32/Winskindata.h"
#include "skin/paint/win32/Winskindlg.h"
#include "skin/paint/win32/Winskinform.h"
#include "toolkit/Application.h"
#include "toolkit/Memo.h"
#include "toolkit/PageControl.h"
#include "toolkit/ListBox.h"
#include "toolkit/TabControl.h"

using relayon::skin::TSkinData;

namespace skinbench {

double NowMs() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

size_t ThreadWindowCount() {
    size_t n = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM p) -> BOOL {
            ++*reinterpret_cast<size_t*>(p);
            EnumChildWindows(h, [](HWND, LPARAM q) -> BOOL { ++*reinterpret_cast<size_t*>(q); return TRUE; }, p);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&n));
    return n;
}

void PumpOnce() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
}

bool BenchWindow::Skinned() const { return SendMessageW(Handle(), relayon::skin::CN_IsSkinned, 0, 0) == 1; }

namespace {

bool Switch(BenchWindow& w, TSkinData* skin, bool active) {
    skin->SetActive(active);
    if (!PumpUntil([&] { return w.Skinned() == active; }, 5000)) return false;
    PumpUntil([] { return false; }, 300);  // the controls' skinners follow the form's
    return true;
}

class ConsoleWindow : public BenchWindow {
public:
    ConsoleWindow() {
        // A settings file of its own, so the operator's is not touched.
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        settings_ = std::wstring(temp) + L"relayon_skinbench_console.dat";
        DeleteFileW(settings_.c_str());
        relayon::console::SetSettingsPathOverride(settings_);
        Application->Initialize();
        relayon::skin::InstallSkinEngine();
        Application->CreateForm(Form1);
        Form1->Show();
        SetForegroundWindow(Form1->Handle());
    }
    ~ConsoleWindow() override {
        delete Form1;
        Form1 = nullptr;
        relayon::skin::ShutdownSkinEngine();
        DeleteFileW(settings_.c_str());
    }
    HWND Handle() const override { return Form1->Handle(); }
    bool SetSkinActive(bool active) override { return Switch(*this, Form1->SkinData1, active); }

private:
    std::wstring settings_;
};

class SkinBenchWindow : public BenchWindow {
public:
    SkinBenchWindow(const std::wstring& skinFile, bool frame) {
        Application->Initialize();
        relayon::skin::InstallSkinEngine();
        relayon::skin::RegisterSkinDataClasses();
        TBenchForm::RegisterBenchClasses();
        root_ = std::make_unique<TComponent>(nullptr);
        skin_ = new TSkinData(root_.get());
        skin_->LoadFromFile(skinFile);
        skin_->Loaded();
        loaded_ = !skin_->Empty;
        if (frame) DrawFramesToo();
        skin_->SetActive(true);
        form_.reset(TForm::Create<TBenchForm>(nullptr));
        form_->Show();
        SetForegroundWindow(form_->Handle());
        pages_ = dynamic_cast<TPageControl*>(form_->FindComponent(L"PageControl1"));
        tabs_ = dynamic_cast<TTabControl*>(form_->FindComponent(L"TabControl1"));
        memo_ = dynamic_cast<TMemo*>(form_->FindComponent(L"MemoGerman"));
        list_ = dynamic_cast<TListBox*>(form_->FindComponent(L"ListChinese"));
    }
    ~SkinBenchWindow() override {
        form_.reset();
        relayon::skin::ShutdownSkinEngine();
        root_.reset();
    }
    bool Loaded() const { return loaded_; }
    HWND Handle() const override { return form_->Handle(); }
    bool SetSkinActive(bool active) override { return Switch(*this, skin_, active); }
    // Every few repaints a page switch, a tab switch or a line scrolled in the
    // memo and the list, back and forth.
    void Exercise(int i) override {
        const WPARAM scroll = (i / 8) % 2 ? SB_LINEUP : SB_LINEDOWN;
        switch (i % 4) {
        case 0:
            if (pages_ && pages_->PageCount() > 1) pages_->SetActivePageIndex((pages_->ActivePageIndex() + 1) % pages_->PageCount());
            break;
        case 1:
            if (memo_) SendMessageW(memo_->Handle(), WM_VSCROLL, scroll, 0);
            break;
        case 2:
            if (list_) SendMessageW(list_->Handle(), WM_VSCROLL, scroll, 0);
            break;
        case 3:
            if (tabs_ && tabs_->Tabs().Count() > 1) tabs_->SetTabIndex((tabs_->TabIndex() + 1) % tabs_->Tabs().Count());
            break;
        }
    }

private:
    // What skinbench.exe --frame chooses after Loaded: the skin draws the
    // window frames, menu bars, menu items and system menus too.
    void DrawFramesToo() {
        using namespace relayon::skin;
        skin_->SetSkinControls(skin_->SkinControls().Include(xcMainMenu).Include(xcMenuItem).Include(xcSystemMenu));
        skin_->SetOptions(skin_->Options().Include(xoMDIChildBorder));
    }

    std::unique_ptr<TComponent> root_;
    TSkinData* skin_ = nullptr;
    std::unique_ptr<TBenchForm> form_;
    TPageControl* pages_ = nullptr;
    TTabControl* tabs_ = nullptr;
    TMemo* memo_ = nullptr;
    TListBox* list_ = nullptr;
    bool loaded_ = false;
};

template <class W>
std::unique_ptr<BenchWindow> Opened(std::unique_ptr<W> w, const char* what) {
    if (!PumpUntil([&] { return w->Skinned(); }, 5000)) {
        std::fprintf(stderr, "%s: the engine did not take the window over\n", what);
        return nullptr;
    }
    PumpUntil([] { return false; }, 300);  // the controls' skinners follow the form's
    return w;
}

}  // namespace

std::unique_ptr<BenchWindow> OpenConsoleWindow() { return Opened(std::make_unique<ConsoleWindow>(), "console"); }

std::unique_ptr<BenchWindow> OpenSkinBenchWindow(const std::wstring& skinFile, bool frame) {
    auto w = std::make_unique<SkinBenchWindow>(skinFile, frame);
    if (!w->Loaded()) {
        std::fprintf(stderr, "skin bench: the skin file could not be read\n");
        return nullptr;
    }
    return Opened(std::move(w), "skin bench");
}

}  // namespace skinbench
