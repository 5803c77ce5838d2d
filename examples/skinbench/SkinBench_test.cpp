// The skin bench loads from its resources: every named control exists with
// a window (or, for graphic controls, a parent window), the frame brings its
// own contents, and the MDI child and the dialog open.
#include <gtest/gtest.h>

#include "BenchForms.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/ScrollBox.h"
#include "toolkit/StringGrid.h"
#include "toolkit/testing/UiDriver.h"

TEST(SkinBench, EveryNamedControlLoadsAndTheOtherWindowsOpen) {
    Application->Initialize();
    TBenchForm::RegisterBenchClasses();
    TBenchMdiForm* frame = nullptr;
    Application->CreateForm(frame);  // MDI children live in the main form
    auto* form = TForm::Create<TBenchForm>(nullptr);
    uitest::ShowAndActivate(*form);

    for (const std::wstring& name : TBenchForm::ControlNames()) {
        SCOPED_TRACE(std::string(name.begin(), name.end()));
        auto* control = dynamic_cast<TControl*>(form->FindComponent(name));
        ASSERT_NE(control, nullptr);
        ASSERT_NE(control->Parent(), nullptr);
        // Controls on the page that is not shown wait for it; all others have windows.
        if (auto* win = dynamic_cast<TWinControl*>(control); win && name != L"LabelTimer" && name != L"TabSheetTimer") {
            EXPECT_TRUE(win->HandleAllocated());
        }
    }
    EXPECT_EQ(form->ActiveControl(), form->FindComponent(L"EditFocused"));
    EXPECT_EQ(GetFocus(), dynamic_cast<TWinControl*>(form->FindComponent(L"EditFocused"))->Handle());
    EXPECT_EQ(dynamic_cast<TScrollBox*>(form->FindComponent(L"ScrollBox1"))->VertScrollBar().Position(), 40);
    EXPECT_EQ(form->StringGrid1->TopRow(), 4);
    EXPECT_EQ(form->StringGrid1->Cells(3, 1), L"开");

    // The frame read its own resource; its controls belong to it.
    ASSERT_NE(form->BenchFrame1, nullptr);
    ASSERT_NE(form->BenchFrame1->ButtonFrame, nullptr);
    EXPECT_EQ(form->BenchFrame1->ButtonFrame->Owner(), form->BenchFrame1);
    EXPECT_EQ(form->BenchFrame1->EditFrame->Text(), L"192.168.0.178");
    EXPECT_EQ(form->BenchFrame1->Left(), 4);  // the form's placement wins
    wchar_t cls[32] = {};
    GetClassNameW(form->BenchFrame1->Handle(), cls, 32);
    EXPECT_STREQ(cls, L"TBenchFrame");

    uitest::Click(*dynamic_cast<TButton*>(form->FindComponent(L"ButtonMdi")));
    ASSERT_EQ(form->MdiForm, frame);
    ASSERT_NE(form->MdiForm->Child, nullptr);
    EXPECT_EQ(GetParent(form->MdiForm->Child->Handle()), form->MdiForm->ClientHandle());
    EXPECT_NE(form->MdiForm->Child->FindComponent(L"MemoChild"), nullptr);
    uitest::Click(*dynamic_cast<TButton*>(form->FindComponent(L"ButtonDialog")));
    ASSERT_NE(form->Dialog, nullptr);
    EXPECT_TRUE(IsWindowVisible(form->Dialog->Handle()));
    EXPECT_NE(form->Dialog->FindComponent(L"ButtonCancel"), nullptr);
    delete form;
    delete frame;
}
