// A page that is not shown makes no windows for its controls; they are made
// when the page is first shown, carrying everything set on the objects before,
// and any of them can still be asked for its window earlier.
#include <gtest/gtest.h>

#include <windows.h>

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/GroupBox.h"
#include "toolkit/PageControl.h"
#include "toolkit/testing/UiDriver.h"

namespace {

class TPagesForm : public TForm {
public:
    using TForm::TForm;
};

class LazyPages : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        form = new TPagesForm(nullptr);
        form->SetBounds(30, 30, 500, 360);
        pages = new TPageControl(form);
        pages->SetParent(form);
        pages->SetBounds(8, 8, 400, 250);
        for (auto*& sheet : sheets) {
            sheet = new TTabSheet(form);
            sheet->SetPageControl(pages);
        }
        group = new TGroupBox(form);
        group->SetParent(sheets[1]);
        group->SetBounds(5, 5, 300, 150);
        edit = new TEdit(form);
        edit->SetParent(group);
        edit->SetBounds(10, 20, 100, 24);
        box = new TCheckBox(form);
        box->SetParent(group);
        box->SetBounds(10, 50, 120, 20);
        button = new TButton(form);
        button->SetParent(group);
        button->SetBounds(10, 80, 80, 25);
    }
    void TearDown() override { delete form; }

    RECT PlacedRect(TWinControl* control) {
        RECT r{};
        GetWindowRect(control->Handle(), &r);
        MapWindowPoints(nullptr, GetParent(control->Handle()), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    TForm* form = nullptr;
    TPageControl* pages = nullptr;
    TTabSheet* sheets[2]{};
    TGroupBox* group = nullptr;
    TEdit* edit = nullptr;
    TCheckBox* box = nullptr;
    TButton* button = nullptr;
};

}  // namespace

TEST_F(LazyPages, StateSetBeforeAndAfterTheFormIsShownReachesTheWindowsAtFirstShow) {
    edit->SetText(L"before");
    box->SetCheckedSilently(true);
    button->SetCaption(L"Early");
    uitest::ShowAndActivate(*form);
    EXPECT_TRUE(sheets[1]->HandleAllocated());
    EXPECT_FALSE(group->HandleAllocated());
    EXPECT_FALSE(edit->HandleAllocated());

    // Changed while the page waits: the objects answer for their windows.
    edit->SetText(L"after");
    button->SetCaption(L"Late");
    button->SetEnabled(false);
    box->SetCheckedSilently(false);
    box->SetChecked(true);
    EXPECT_EQ(edit->Text(), L"after");
    EXPECT_TRUE(box->Checked());
    EXPECT_FALSE(edit->HandleAllocated());

    pages->SetActivePage(sheets[1]);
    uitest::Pump(20);
    ASSERT_TRUE(edit->HandleAllocated());
    EXPECT_EQ(uitest::WindowText(edit->Handle()), L"after");
    EXPECT_EQ(uitest::WindowText(button->Handle()), L"Late");
    EXPECT_FALSE(IsWindowEnabled(button->Handle()));
    EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(IsWindowVisible(edit->Handle()));
    const RECT r = PlacedRect(box);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(r.right - r.left, 120);
    // Later siblings lie above earlier ones, as when made at once.
    EXPECT_EQ(GetWindow(button->Handle(), GW_HWNDPREV), nullptr);
    EXPECT_EQ(GetWindow(button->Handle(), GW_HWNDNEXT), box->Handle());

    // Back on the first page the windows stay; the keyboard skips them.
    pages->SetActivePage(sheets[0]);
    uitest::Pump(20);
    EXPECT_TRUE(edit->HandleAllocated());
    EXPECT_FALSE(IsWindowVisible(edit->Handle()));
}

TEST_F(LazyPages, AControlOnAWaitingPageGetsItsWindowWhenAskedAndItsNewSiblingsWait) {
    uitest::ShowAndActivate(*form);
    HWND window = edit->Handle();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window), group->Handle());
    EXPECT_FALSE(IsWindowVisible(window));

    // A control added to the waiting page itself waits as well.
    auto* late = new TEdit(form);
    late->SetParent(sheets[1]);
    late->SetText(L"late");
    EXPECT_FALSE(late->HandleAllocated());
    pages->SetActivePage(sheets[1]);
    uitest::Pump(20);
    EXPECT_EQ(edit->Handle(), window);
    EXPECT_TRUE(IsWindowVisible(window));
    ASSERT_TRUE(late->HandleAllocated());
    EXPECT_EQ(uitest::WindowText(late->Handle()), L"late");

    // Once shown, new controls get their windows at once.
    auto* later = new TButton(form);
    later->SetParent(sheets[1]);
    EXPECT_TRUE(later->HandleAllocated());
}
