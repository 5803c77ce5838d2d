// The application: CreateForm, OnCreate order, the message loop and closing
// the main form.
#include <gtest/gtest.h>

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/TextConvert.h"
#include "toolkit/Timer.h"
#include "toolkit/testing/MessageBoxRecorder.h"

namespace {

class TMainForm;
TMainForm* MainForm = nullptr;

class TMainForm : public TForm {
public:
    explicit TMainForm(TComponent* owner) : TForm(owner) {
        OnCreate = TNotifyEvent(this, &TMainForm::FormCreate);
    }
    void FormCreate(TObject*) {
        globalWasSet = MainForm == this;
        exitButton = new TButton(this);
        exitButton->SetParent(this);
        exitButton->SetCaption(L"Exit");
        exitButton->SetCancel(true);
        exitButton->OnClick = TNotifyEvent(this, &TMainForm::ExitClick);
        closer = new TTimer(this);
        closer->SetInterval(150);
        closer->OnTimer = TNotifyEvent(this, &TMainForm::CloserTimer);
    }
    // The timer presses Esc's button the way the console's exit button closes the window.
    void CloserTimer(TObject*) {
        ++ticks;
        closer->SetEnabled(false);
        // The key goes through the application's loop as a dialog key.
        PostMessageW(Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    }
    void ExitClick(TObject*) {
        ++exits;
        ++exitsTotal;
        Close();
    }
    static inline int exitsTotal = 0;
    static inline int destroyed = 0;
    ~TMainForm() override { ++destroyed; }
    bool globalWasSet = false;
    int ticks = 0;
    int exits = 0;
    TButton* exitButton = nullptr;
    TTimer* closer = nullptr;
};

}  // namespace

TEST(Application, CreateFormSetsTheGlobalBeforeOnCreateAndRunEndsWhenTheMainFormCloses) {
    Application->Initialize();
    Application->CreateForm(MainForm);
    ASSERT_NE(MainForm, nullptr);
    EXPECT_TRUE(MainForm->globalWasSet);
    EXPECT_EQ(Application->MainForm(), MainForm);
    EXPECT_FALSE(MainForm->Visible());  // shown by Run, not before
    // A safety net: a second timer ends the loop if closing fails.
    struct Guard : TObject {
        void Stop(TObject*) { Application->Terminate(); }
    } guard;
    TTimer stopper(nullptr);
    stopper.SetInterval(5000);
    stopper.OnTimer = TNotifyEvent(&guard, &Guard::Stop);

    DWORD start = GetTickCount();
    Application->Run();
    EXPECT_LT(GetTickCount() - start, 4000u) << "the main form did not close the application";
    // Esc clicked the Cancel button, whose handler closed the main form.
    EXPECT_EQ(TMainForm::exitsTotal, 1);
    // Run frees the forms it owns when the loop ends.
    EXPECT_EQ(TMainForm::destroyed, 1);
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST(Application, TextConversionsHandleChineseCodePages) {
    // "连接" in GBK (code page 936) and UTF-8.
    const std::string gbk = "\xC1\xAC\xBD\xD3";
    const std::string utf8 = "\xE8\xBF\x9E\xE6\x8E\xA5";
    EXPECT_EQ(AnsiToWide(gbk, 936), L"连接");
    EXPECT_EQ(WideToAnsi(L"连接", 936), gbk);
    EXPECT_EQ(Utf8ToWide(utf8), L"连接");
    EXPECT_EQ(WideToUtf8(L"连接"), utf8);
    EXPECT_EQ(AnsiToWide(""), L"");
}
