// State kept across new windows, form closing, edit changes and control
// properties reached by name.
#include <gtest/gtest.h>

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/ControlAtom.h"
#include "toolkit/DateTimePicker.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/core/Rtti.h"
#include "toolkit/testing/UiDriver.h"

namespace {

class TStateForm : public TForm {
public:
    using TForm::TForm;
};

class Counter : public TObject {
public:
    void Hit(TObject*) { ++hits; }
    void Close(TObject*, TCloseAction& action) {
        ++closes;
        action = closeAction;
    }
    void Query(TObject*, bool& canClose) { canClose = allowClose; }
    int hits = 0;
    int closes = 0;
    TCloseAction closeAction = caHide;
    bool allowClose = true;
};

class ControlState : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        form = new TStateForm(nullptr);
        form->SetBounds(60, 60, 400, 300);
    }
    void TearDown() override { delete form; }
    TForm* form = nullptr;
};

}  // namespace

TEST_F(ControlState, WindowStateSurvivesNewWindows) {
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    auto* combo = new TComboBox(form);
    combo->SetParent(form);
    combo->SetTop(40);
    for (const wchar_t* s : {L"4800", L"9600", L"19200"}) combo->Items().Add(s);
    auto* check = new TCheckBox(form);
    check->SetParent(form);
    check->SetTop(80);
    auto* picker = new TDateTimePicker(form);
    picker->SetParent(form);
    picker->SetTop(120);
    picker->SetDate(EncodeDate(2030, 6, 15));
    uitest::ShowAndActivate(*form);

    // What the user changed lives only in the windows at first.
    SetWindowTextW(edit->Handle(), L"192.168.0.178");
    SendMessageW(combo->Handle(), CB_SETCURSEL, 2, 0);
    SendMessageW(check->Handle(), BM_SETCHECK, BST_CHECKED, 0);
    HWND oldEdit = edit->Handle();

    // A border change needs a new form window, and with it new child windows.
    form->SetBorderStyle(bsDialog);
    EXPECT_NE(edit->Handle(), oldEdit);
    EXPECT_FALSE(IsWindow(oldEdit));
    EXPECT_EQ(uitest::WindowText(edit->Handle()), L"192.168.0.178");
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0), 3);
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(DecodeDate(picker->Date()).year, 2030);
    EXPECT_TRUE(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    EXPECT_EQ(FindControl(edit->Handle()), edit);

    // A combo style change recreates only the combo; typed text survives.
    combo->SetItemIndex(-1);
    combo->SetText(L"57600");
    combo->SetStyle(csSimple);
    EXPECT_EQ(combo->Text(), L"57600");
    EXPECT_EQ(GetWindowLongPtrW(combo->Handle(), GWL_STYLE) & 3, CBS_SIMPLE);
}

TEST_F(ControlState, EditChangesRunOnChangeForTypingAndForCode) {
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    Counter counter;
    edit->OnChange = TNotifyEvent(&counter, &Counter::Hit);
    uitest::ShowAndActivate(*form);
    edit->SetText(L"abc");
    EXPECT_EQ(counter.hits, 1);
    edit->SetText(L"abc");  // same text: nothing happens
    EXPECT_EQ(counter.hits, 1);
    edit->SetFocus();
    edit->SelectAll();
    uitest::TypeText(L"xy");
    EXPECT_EQ(edit->Text(), L"xy");
    EXPECT_EQ(counter.hits, 3);
    edit->SetReadOnly(true);
    uitest::TypeText(L"z");
    EXPECT_EQ(edit->Text(), L"xy");
}

TEST_F(ControlState, ClosingASecondaryFormHidesOrFreesIt) {
    Counter counter;
    form->OnClose = TCloseEvent(&counter, &Counter::Close);
    form->OnCloseQuery = TCloseQueryEvent(&counter, &Counter::Query);
    uitest::ShowAndActivate(*form);
    counter.allowClose = false;
    form->Close();
    EXPECT_EQ(counter.closes, 0);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    counter.allowClose = true;
    form->Close();  // default for a form that is not the main form: hide
    EXPECT_EQ(counter.closes, 1);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(Application->Terminated());

    // caFree: the form goes once the current messages are done, and its owner hears of it.
    TComponent owner(nullptr);
    auto* freed = new TStateForm(&owner);
    freed->OnClose = TCloseEvent(&counter, &Counter::Close);
    counter.closeAction = caFree;
    freed->Show();
    SendMessageW(freed->Handle(), WM_CLOSE, 0, 0);  // the system close button
    EXPECT_EQ(owner.ComponentCount(), 1);
    uitest::Pump(30);
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST_F(ControlState, ControlPropertiesByName) {
    auto* button = new TButton(form);
    button->SetParent(form);
    auto* check = new TCheckBox(form);
    check->SetParent(form);
    Counter counter;
    check->OnClick = TNotifyEvent(&counter, &Counter::Hit);

    SetPropText(button, L"font.style", L"[fsBold, fsItalic]");
    EXPECT_TRUE(button->Font().Style().Contains(fsBold));
    EXPECT_TRUE(button->Font().Style().Contains(fsItalic));
    EXPECT_EQ(GetSetProp(button, L"Font.Style"), L"[fsBold,fsItalic]");
    SetPropText(button, L"Default", L"true");
    EXPECT_EQ(GetPropText(button, L"Default"), L"True");
    EXPECT_TRUE(GetWindowLongPtrW(button->Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
    SetPropText(form, L"Color", L"clWhite");
    EXPECT_EQ(GetOrdProp(form, L"Color"), clWhite);
    SetPropText(form, L"Color", L"$00FF00");
    EXPECT_EQ(form->Color(), clLime);
    EXPECT_THROW(SetPropText(form, L"Color", L"clPlaid"), EPropertyConvertError);
    SetPropText(button, L"Caption", L"连接");
    EXPECT_EQ(uitest::WindowText(button->Handle()), L"连接");
    SetPropText(button, L"Left", L"33");
    EXPECT_EQ(button->Left(), 33);

    // Writing Checked by name behaves like the setter: BM_SETCHECK and OnClick.
    SetPropText(check, L"Checked", L"True");
    EXPECT_EQ(SendMessageW(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(counter.hits, 1);
    EXPECT_EQ(GetEnumProp(check, L"State"), L"cbChecked");
    SetEnumProp(check, L"State", L"cbGrayed");
    EXPECT_EQ(SendMessageW(check->Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    EXPECT_THROW(SetEnumProp(check, L"State", L"cbHalf"), EPropertyConvertError);
    EXPECT_EQ(check->State(), cbGrayed);
}

TEST_F(ControlState, FormScrollBarsAppearWhenTheRangeExceedsTheClientArea) {
    uitest::ShowAndActivate(*form);
    EXPECT_FALSE(GetWindowLongPtrW(form->Handle(), GWL_STYLE) & WS_VSCROLL);
    form->VertScrollBar().SetRange(1000);
    EXPECT_TRUE(GetWindowLongPtrW(form->Handle(), GWL_STYLE) & WS_VSCROLL);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    ASSERT_TRUE(GetScrollInfo(form->Handle(), SB_VERT, &info));
    EXPECT_EQ(info.nMax, 999);
    EXPECT_EQ(static_cast<int>(info.nPage), form->ClientHeight());
    // Scrolling moves the controls with the view.
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(10, 100, 80, 25);
    SendMessageW(form->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 60), 0);
    EXPECT_EQ(form->VertScrollBar().Position(), 60);
    EXPECT_EQ(button->Top(), 40);
    form->VertScrollBar().SetVisible(false);
    EXPECT_FALSE(GetWindowLongPtrW(form->Handle(), GWL_STYLE) & WS_VSCROLL);
    // Without the bar the view goes back to the top.
    EXPECT_EQ(form->VertScrollBar().Position(), 0);
    EXPECT_EQ(button->Top(), 100);
}
