// Controls driven like a user: real clicks and keys, focus moves, typing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/testing/UiDriver.h"

namespace {

class TInputForm : public TForm {
public:
    using TForm::TForm;
};

// Collects "<event> <control name>" lines from every handler it is bound to.
class Log : public TObject {
public:
    void Click(TObject* s) { lines.push_back(L"click " + static_cast<TComponent*>(s)->Name()); }
    void Exit(TObject* s) { lines.push_back(L"exit " + static_cast<TComponent*>(s)->Name()); }
    void Enter(TObject* s) { lines.push_back(L"enter " + static_cast<TComponent*>(s)->Name()); }
    void Change(TObject* s) {
        auto* combo = dynamic_cast<TComboBox*>(s);
        lines.push_back(L"change " + static_cast<TComponent*>(s)->Name() +
                        (combo ? L" " + std::to_wstring(combo->ItemIndex()) + L" " + combo->Text() : L""));
    }
    int Count(const std::wstring& line) const { return static_cast<int>(std::count(lines.begin(), lines.end(), line)); }
    std::vector<std::wstring> lines;
};

class UserInput : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        form = new TInputForm(nullptr);
        form->SetBounds(40, 40, 420, 260);
        form->SetCaption(L"Input");
        ok = Add<TButton>(L"Ok", 10, 10, 80, 28);
        ok->SetCaption(L"OK");
        ok->SetDefault(true);
        cancel = Add<TButton>(L"CancelButton", 100, 10, 80, 28);
        cancel->SetCaption(L"Cancel");
        cancel->SetCancel(true);
        edit = Add<TEdit>(L"Edit1", 10, 50, 120, 24);
        second = Add<TEdit>(L"Edit2", 140, 50, 120, 24);
        check = Add<TCheckBox>(L"Check", 10, 90, 120, 22);
        check->SetCaption(L"Check me");
        combo = Add<TComboBox>(L"Combo", 10, 130, 150, 24);
        for (const wchar_t* item : {L"COM1", L"COM2", L"COM3"}) combo->Items().Add(item);
        for (TWinControl* c : std::initializer_list<TWinControl*>{ok, cancel, check}) {
            c->OnClick = TNotifyEvent(&log, &Log::Click);
        }
        for (TWinControl* c : std::initializer_list<TWinControl*>{edit, second, ok, combo}) {
            c->OnExit = TNotifyEvent(&log, &Log::Exit);
            c->OnEnter = TNotifyEvent(&log, &Log::Enter);
        }
        combo->OnChange = TNotifyEvent(&log, &Log::Change);
        uitest::ShowAndActivate(*form);
    }
    void TearDown() override { delete form; }

    template <class T>
    T* Add(const std::wstring& name, int l, int t, int w, int h) {
        T* c = new T(form);
        c->SetName(name);
        c->SetParent(form);
        c->SetBounds(l, t, w, h);
        return c;
    }

    TForm* form = nullptr;
    TButton* ok = nullptr;
    TButton* cancel = nullptr;
    TEdit* edit = nullptr;
    TEdit* second = nullptr;
    TCheckBox* check = nullptr;
    TComboBox* combo = nullptr;
    Log log;
};

}  // namespace

TEST_F(UserInput, RealMouseClickRunsOnClickOnce) {
    uitest::Click(*cancel);
    EXPECT_EQ(log.Count(L"click CancelButton"), 1);
    EXPECT_EQ(log.Count(L"click Ok"), 0);
    // A posted press and release works the same way.
    uitest::PostClick(*ok);
    EXPECT_EQ(log.Count(L"click Ok"), 1);
}

TEST_F(UserInput, KeyboardClicksButtons) {
    cancel->SetFocus();
    uitest::Pump(20);
    uitest::PressKey(VK_SPACE);
    EXPECT_EQ(log.Count(L"click CancelButton"), 1);
    // Enter on a focused button clicks that button, not the default one.
    uitest::PressKey(VK_RETURN);
    EXPECT_EQ(log.Count(L"click CancelButton"), 2);
    EXPECT_EQ(log.Count(L"click Ok"), 0);
    // Enter in an edit clicks the Default button; Esc anywhere the Cancel button.
    edit->SetFocus();
    uitest::Pump(20);
    uitest::PressKey(VK_RETURN);
    EXPECT_EQ(log.Count(L"click Ok"), 1);
    uitest::PressKey(VK_ESCAPE);
    EXPECT_EQ(log.Count(L"click CancelButton"), 3);
}

TEST_F(UserInput, AltWithTheMarkedLetterClicksTheButton) {
    cancel->SetCaption(L"&Quit");
    edit->SetFocus();
    uitest::Pump(20);
    INPUT alt[4]{};
    alt[0].type = alt[1].type = alt[2].type = alt[3].type = INPUT_KEYBOARD;
    alt[0].ki.wVk = VK_MENU;
    alt[1].ki.wVk = 'Q';
    alt[2].ki.wVk = 'Q';
    alt[2].ki.dwFlags = KEYEVENTF_KEYUP;
    alt[3].ki.wVk = VK_MENU;
    alt[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, alt, sizeof alt[0]);
    uitest::Pump(50);
    EXPECT_EQ(log.Count(L"click CancelButton"), 1);
    EXPECT_TRUE(IsAccelerator(L'q', L"&Quit"));
    EXPECT_FALSE(IsAccelerator(L'q', L"Q&&uit"));
    EXPECT_FALSE(IsAccelerator(L'x', L"&Quit"));
}

TEST_F(UserInput, DisabledButtonIgnoresClicksAndKeys) {
    cancel->SetEnabled(false);
    uitest::Click(*cancel);
    edit->SetFocus();
    uitest::Pump(20);
    uitest::PressKey(VK_ESCAPE);
    EXPECT_EQ(log.Count(L"click CancelButton"), 0);
}

TEST_F(UserInput, OnExitRunsWhenFocusMovesByTabAndByClick) {
    edit->SetFocus();
    uitest::Pump(20);
    ASSERT_TRUE(edit->Focused());
    log.lines.clear();
    uitest::Tab();
    EXPECT_TRUE(second->Focused());
    EXPECT_EQ(log.lines, (std::vector<std::wstring>{L"exit Edit1", L"enter Edit2"}));
    log.lines.clear();
    uitest::Click(*edit);
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(log.lines, (std::vector<std::wstring>{L"exit Edit2", L"enter Edit1"}));
    // Shift+Tab goes back in tab order (the button before the edit).
    log.lines.clear();
    uitest::Tab(true);
    EXPECT_TRUE(cancel->Focused());
    EXPECT_EQ(log.Count(L"exit Edit1"), 1);
}

TEST_F(UserInput, TypingGoesIntoTheFocusedEditAndMaxLengthHolds) {
    edit->SetMaxLength(3);
    edit->SetFocus();
    uitest::Pump(20);
    uitest::TypeText(L"12345");
    EXPECT_EQ(edit->Text(), L"123");
}

TEST_F(UserInput, CheckBoxClickTogglesAndSetCheckedRunsOnClick) {
    uitest::Click(*check);
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(SendMessageW(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(log.Count(L"click Check"), 1);
    check->SetChecked(false);
    EXPECT_EQ(log.Count(L"click Check"), 2);
    EXPECT_EQ(SendMessageW(check->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    // Setting the same value again changes nothing and runs nothing.
    check->SetChecked(false);
    EXPECT_EQ(log.Count(L"click Check"), 2);
    check->SetCheckedSilently(true);
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(log.Count(L"click Check"), 2);
    check->SetEnabled(false);
    uitest::Click(*check);
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(log.Count(L"click Check"), 2);
}

TEST_F(UserInput, ComboChangesOnSelectionAndTypingButNotOnItemIndex) {
    combo->SetItemIndex(1);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), L"COM2");
    EXPECT_TRUE(log.lines.empty() || log.Count(L"change Combo 1 COM2") == 0);
    combo->SetItemIndex(7);  // out of range: no selection
    EXPECT_EQ(combo->ItemIndex(), -1);

    // Selection with the keyboard (Down in the closed list selects the next item).
    combo->SetItemIndex(0);
    combo->SetFocus();
    uitest::Pump(20);
    log.lines.clear();
    uitest::PressKey(VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(log.lines, (std::vector<std::wstring>{L"change Combo 1 COM2"}));

    // Typing: OnChange for every character, ItemIndex reads -1 afterwards.
    log.lines.clear();
    SendMessageW(combo->Handle(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    uitest::TypeText(L"X9");
    EXPECT_EQ(log.lines.size(), 2u);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), L"X9");
    ASSERT_FALSE(log.lines.empty());
    EXPECT_EQ(log.lines.back(), L"change Combo -1 X9");
    // Choosing an item again gives its index back.
    combo->SetItemIndex(2);
    EXPECT_EQ(combo->ItemIndex(), 2);
}

TEST_F(UserInput, ComboSelectionWithTheMouseRunsOnChange) {
    combo->SetItemIndex(0);
    log.lines.clear();
    combo->SetDroppedDown(true);
    uitest::Pump(50);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
    RECT itemRect;
    SendMessageW(info.hwndList, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&itemRect));
    POINT p{(itemRect.left + itemRect.right) / 2, (itemRect.top + itemRect.bottom) / 2};
    ClientToScreen(info.hwndList, &p);
    uitest::ClickAt(p);
    uitest::Pump(50);
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(log.Count(L"change Combo 2 COM3"), 1);
}

TEST_F(UserInput, LabelClickReachesItThroughTheParent) {
    auto* label = Add<TLabel>(L"Label1", 200, 100, 80, 20);
    label->SetAutoSize(false);
    label->SetCaption(L"Click");
    label->OnClick = TNotifyEvent(&log, &Log::Click);
    uitest::Pump(20);
    uitest::Click(*label);
    EXPECT_EQ(log.Count(L"click Label1"), 1);
}
