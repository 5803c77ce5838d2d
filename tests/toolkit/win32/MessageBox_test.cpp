// Message boxes go through the seam, which sees and answers them.
#include <gtest/gtest.h>

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/MessageBox.h"
#include "toolkit/testing/MessageBoxRecorder.h"
#include "toolkit/testing/UiDriver.h"

TEST(MessageBoxes, TaskModalBoxHasOkNoOwnerAndGivenTexts) {
    uitest::MessageBoxRecorder boxes;
    EXPECT_EQ(TaskMessageBox(L"串口打开失败", L"Relayon"), IDOK);
    ASSERT_EQ(boxes.Count(), 1);
    const MessageBoxRequest& box = boxes.Seen()[0];
    EXPECT_EQ(box.Text, L"串口打开失败");
    EXPECT_EQ(box.Caption, L"Relayon");
    EXPECT_EQ(box.Flags & MB_TYPEMASK, static_cast<UINT>(MB_OK));
    EXPECT_TRUE(box.Flags & MB_TASKMODAL);
    EXPECT_EQ(box.Owner, nullptr);
}

TEST(MessageBoxes, OwnedQuestionIsAnsweredByTheSeam) {
    Application->Initialize();
    TForm form(nullptr);
    uitest::MessageBoxRecorder boxes;
    boxes.QueueAnswer(IDCANCEL);
    boxes.QueueAnswer(IDOK);
    EXPECT_EQ(OwnedQuestionBox(&form, L"Apply?", L"Question"), IDCANCEL);
    EXPECT_EQ(OwnedQuestionBox(&form, L"Apply again?", L"Question"), IDOK);
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.Seen()[0].Owner, form.Handle());
    EXPECT_EQ(boxes.Seen()[0].OwnerForm, &form);
    EXPECT_EQ(boxes.Seen()[0].Flags & MB_TYPEMASK, static_cast<UINT>(MB_OKCANCEL));
    EXPECT_EQ(boxes.Seen()[1].Text, L"Apply again?");
}

TEST(MessageBoxes, RecorderRestoresThePreviousHook) {
    uitest::MessageBoxRecorder outer;
    {
        uitest::MessageBoxRecorder inner;
        TaskMessageBox(L"inner", L"c");
        EXPECT_EQ(inner.Count(), 1);
    }
    TaskMessageBox(L"outer", L"c");
    ASSERT_EQ(outer.Count(), 1);
    EXPECT_EQ(outer.Seen()[0].Text, L"outer");
}

TEST(MessageBoxes, ExceptionEscapingAClickHandlerIsShownAsAnErrorBox) {
    Application->Initialize();
    TForm form(nullptr);
    auto* button = new TButton(&form);
    button->SetParent(&form);
    struct Failing : TObject {
        void Click(TObject*) { throw std::runtime_error("Port is busy"); }
    } failing;
    button->OnClick = TNotifyEvent(&failing, &Failing::Click);
    uitest::MessageBoxRecorder boxes;
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    uitest::Pump(20);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Seen()[0].Text, L"Port is busy.");
    EXPECT_TRUE(boxes.Seen()[0].Flags & MB_ICONSTOP);
}
