// Memos, list boxes and check list boxes: real windows, real clicks and
// keys, and form resources.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/CheckListBox.h"
#include "toolkit/ControlAtom.h"
#include "toolkit/Form.h"
#include "toolkit/FormReader.h"
#include "toolkit/ListBox.h"
#include "toolkit/Memo.h"
#include "toolkit/core/Rtti.h"
#include "toolkit/testing/UiDriver.h"

namespace {

class TListForm : public TForm {
public:
    using TForm::TForm;
    TMemo* Notes = nullptr;
    TListBox* Ports = nullptr;
    TCheckListBox* Outlets = nullptr;
    int clicks = 0;
    int checks = 0;
    void Clicked(TObject*) { ++clicks; }
    void Checked(TObject*) { ++checks; }
    static void Publish(TPublisher<TListForm>& p) {
        p.Field(L"Notes", &TListForm::Notes);
        p.Field(L"Ports", &TListForm::Ports);
        p.Field(L"Outlets", &TListForm::Outlets);
        p.Method(L"Clicked", &TListForm::Clicked);
        p.Method(L"Checked", &TListForm::Checked);
    }
};

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

LONG_PTR StyleOf(TWinControl& c) { return GetWindowLongPtrW(c.Handle(), GWL_STYLE); }

std::wstring Entry(TListBox& list, int i) {
    wchar_t text[128] = {};
    SendMessageW(list.Handle(), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    return text;
}

// Screen point inside entry `index` of a list, `x` pixels from its left edge.
POINT EntryPoint(TListBox& list, int index, int x) {
    RECT r{};
    SendMessageW(list.Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    POINT p{r.left + x, (r.top + r.bottom) / 2};
    ClientToScreen(list.Handle(), &p);
    return p;
}

class ListControls : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        RegisterPublishedClass<TListForm>();
        form = new TListForm(nullptr);
        form->SetBounds(50, 50, 460, 320);
    }
    void TearDown() override { delete form; }
    template <class T>
    T* Add(int left, int top) {
        auto* c = new T(form);
        c->SetParent(form);
        c->SetBounds(left, top, 180, 120);
        return c;
    }
    TListForm* form = nullptr;
};

}  // namespace

TEST_F(ListControls, MemoLinesFollowTypingAndStylesFollowProperties) {
    auto* memo = Add<TMemo>(10, 10);
    memo->Lines().Add(L"first");
    memo->Lines().Add(L"second");
    uitest::ShowAndActivate(*form);

    EXPECT_EQ(ClassOf(memo->Handle()), L"TMemo");
    EXPECT_EQ(FindControl(memo->Handle()), memo);
    EXPECT_EQ(uitest::WindowText(memo->Handle()), L"first\r\nsecond");
    EXPECT_TRUE(StyleOf(*memo) & ES_MULTILINE);
    EXPECT_FALSE(StyleOf(*memo) & ES_AUTOHSCROLL);  // wraps by default
    EXPECT_FALSE(StyleOf(*memo) & (WS_VSCROLL | WS_HSCROLL));

    // Enter typed into the memo is a line break, not the form's Enter.
    memo->SetFocus();
    LPARAM end = GetWindowTextLengthW(memo->Handle());
    SendMessageW(memo->Handle(), EM_SETSEL, static_cast<WPARAM>(end), end);
    uitest::PressKey(VK_RETURN);
    uitest::TypeText(L"third");
    ASSERT_EQ(memo->Lines().Count(), 3);
    EXPECT_EQ(memo->Lines()[2], L"third");

    memo->SetScrollBars(ssBoth);
    memo->SetWordWrap(false);
    EXPECT_TRUE(StyleOf(*memo) & WS_VSCROLL);
    EXPECT_TRUE(StyleOf(*memo) & WS_HSCROLL);
    EXPECT_TRUE(StyleOf(*memo) & ES_AUTOHSCROLL);
    EXPECT_EQ(memo->Lines().Count(), 3);  // the text survives the new window

    memo->SetReadOnly(true);
    uitest::TypeText(L"x");
    EXPECT_EQ(memo->Lines()[2], L"third");
    memo->Lines().Delete(0);
    EXPECT_EQ(uitest::WindowText(memo->Handle()), L"second\r\nthird");
}

TEST_F(ListControls, ListBoxSelectionSortingAndMultiSelect) {
    auto* list = Add<TListBox>(10, 10);
    list->OnClick = TNotifyEvent(form, &TListForm::Clicked);
    for (const wchar_t* s : {L"COM3", L"com1", L"COM2"}) list->Items().Add(s);
    list->SetItemIndex(1);
    uitest::ShowAndActivate(*form);

    EXPECT_EQ(ClassOf(list->Handle()), L"TListBox");
    EXPECT_EQ(SendMessageW(list->Handle(), LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(list->Handle(), LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(form->clicks, 0);

    // A real click selects and runs OnClick; Down arrow moves the selection.
    uitest::ClickAt(EntryPoint(*list, 2, 30));
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(form->clicks, 1);
    uitest::PressKey(VK_UP);
    uitest::Pump(20);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(form->clicks, 2);

    // Sorting orders Items and the window alike; the selected entry stays selected.
    list->SetSorted(true);
    EXPECT_TRUE(StyleOf(*list) & LBS_SORT);
    EXPECT_EQ(list->Items().ToVector(), (std::vector<std::wstring>{L"com1", L"COM2", L"COM3"}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Entry(*list, i), list->Items()[i]);
    EXPECT_EQ(list->Items()[list->ItemIndex()], L"com1");
    list->Items().Add(L"COM0");
    EXPECT_EQ(Entry(*list, 0), L"COM0");
    EXPECT_EQ(list->Items()[list->ItemIndex()], L"com1");

    // MultiSelect: a new window with LBS_EXTENDEDSEL; a click with Ctrl adds to the selection.
    list->SetMultiSelect(true);
    EXPECT_TRUE(StyleOf(*list) & LBS_EXTENDEDSEL);
    EXPECT_TRUE(list->Selected(1));
    list->SetSelected(3, true);
    EXPECT_EQ(list->SelCount(), 2);
    POINT at = EntryPoint(*list, 0, 30);
    ScreenToClient(list->Handle(), &at);
    PostMessageW(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(at.x, at.y));
    PostMessageW(list->Handle(), WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(at.x, at.y));
    uitest::Pump(30);
    EXPECT_EQ(list->SelCount(), 3);
    EXPECT_TRUE(list->Selected(0));

    // LBN_SELCHANGE reaching the parent is reflected to the list.
    int before = form->clicks;
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list->Handle()));
    EXPECT_EQ(form->clicks, before + 1);
}

TEST_F(ListControls, CheckListBoxTogglesByBoxClickAndSpace) {
    auto* list = Add<TCheckListBox>(10, 10);
    list->OnClickCheck = TNotifyEvent(form, &TListForm::Checked);
    for (const wchar_t* s : {L"Amp", L"Lights", L"Desk"}) list->Items().Add(s);
    list->SetChecked(2, true);
    uitest::ShowAndActivate(*form);

    EXPECT_EQ(ClassOf(list->Handle()), L"TCheckListBox");
    EXPECT_TRUE(StyleOf(*list) & LBS_OWNERDRAWFIXED);
    EXPECT_EQ(Entry(*list, 1), L"Lights");
    EXPECT_EQ(form->checks, 0);

    // A click on the box toggles; a click on the text only selects.
    uitest::ClickAt(EntryPoint(*list, 0, 8));
    EXPECT_TRUE(list->Checked(0));
    EXPECT_EQ(form->checks, 1);
    uitest::ClickAt(EntryPoint(*list, 1, 80));
    EXPECT_FALSE(list->Checked(1));
    EXPECT_EQ(list->ItemIndex(), 1);
    uitest::PressKey(VK_SPACE);
    uitest::Pump(20);
    EXPECT_TRUE(list->Checked(1));
    EXPECT_EQ(form->checks, 2);

    // The box is drawn with the mark: the checked and unchecked boxes differ.
    UpdateWindow(list->Handle());
    HDC dc = GetDC(list->Handle());
    auto BoxPixels = [&](int index) {
        RECT r{};
        SendMessageW(list->Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        std::vector<COLORREF> pixels;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.left + 16; ++x) pixels.push_back(GetPixel(dc, x, y));
        return pixels;
    };
    list->SetItemIndex(-1);
    list->SetChecked(0, false);
    UpdateWindow(list->Handle());
    EXPECT_NE(BoxPixels(0), BoxPixels(1));
    list->SetChecked(0, true);
    UpdateWindow(list->Handle());
    EXPECT_EQ(BoxPixels(0), BoxPixels(1));
    ReleaseDC(list->Handle(), dc);

    // Marks move with their entries.
    list->Items().Insert(0, L"Rack");
    EXPECT_FALSE(list->Checked(0));
    EXPECT_TRUE(list->Checked(2));
    list->SetChecked(2, false);  // Lights
    list->SetSorted(true);       // Amp, Desk, Lights, Rack
    std::vector<bool> marks;
    for (int i = 0; i < 4; ++i) marks.push_back(list->Checked(i));
    EXPECT_EQ(marks, (std::vector<bool>{true, true, false, false}));
}

TEST_F(ListControls, FormResourceSetsPublishedProperties) {
    ReadFormText(*form,
                 "object ListForm: TListForm\n"
                 "  object Notes: TMemo\n    ScrollBars = ssVertical\n    WordWrap = False\n    ReadOnly = True\n"
                 "    Lines.Strings = (\n      'one'\n      'two')\n  end\n"
                 "  object Ports: TListBox\n    Top = 100\n    ItemIndex = 1\n    MultiSelect = True\n    Sorted = True\n"
                 "    Items.Strings = (\n      'b'\n      'a'\n      'c')\n    OnClick = Clicked\n  end\n"
                 "  object Outlets: TCheckListBox\n    Top = 200\n    Items.Strings = (\n      'x')\n"
                 "    OnClickCheck = Checked\n  end\n"
                 "end\n");
    ASSERT_NE(form->Outlets, nullptr);
    EXPECT_EQ(uitest::WindowText(form->Notes->Handle()), L"one\r\ntwo");
    EXPECT_TRUE(StyleOf(*form->Notes) & WS_VSCROLL);
    EXPECT_TRUE(StyleOf(*form->Notes) & ES_AUTOHSCROLL);
    EXPECT_TRUE(StyleOf(*form->Notes) & ES_READONLY);
    EXPECT_EQ(form->Ports->Items().ToVector(), (std::vector<std::wstring>{L"a", L"b", L"c"}));
    EXPECT_EQ(form->Ports->ItemIndex(), 1);
    EXPECT_TRUE(StyleOf(*form->Ports) & LBS_EXTENDEDSEL);
    EXPECT_EQ(GetPropText(form->Ports, L"Sorted"), L"True");
    EXPECT_EQ(form->clicks, 0);
    EXPECT_TRUE(form->Outlets->OnClickCheck);
}
