// Radio buttons and radio groups: real windows, real clicks and keys, and
// form resources.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/ControlAtom.h"
#include "toolkit/Form.h"
#include "toolkit/FormReader.h"
#include "toolkit/RadioButton.h"
#include "toolkit/RadioGroup.h"
#include "toolkit/core/Rtti.h"
#include "toolkit/testing/UiDriver.h"

namespace {

class TRadioForm : public TForm {
public:
    using TForm::TForm;
    TRadioButton* Slow = nullptr;
    TRadioButton* Fast = nullptr;
    TRadioGroup* Baud = nullptr;
    std::vector<std::wstring> clicks;
    void Clicked(TObject* sender) { clicks.push_back(static_cast<TComponent*>(sender)->Name()); }
    static void Publish(TPublisher<TRadioForm>& p) {
        p.Field(L"Slow", &TRadioForm::Slow);
        p.Field(L"Fast", &TRadioForm::Fast);
        p.Field(L"Baud", &TRadioForm::Baud);
        p.Method(L"Clicked", &TRadioForm::Clicked);
    }
};

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

LONG_PTR StyleOf(TWinControl& c) { return GetWindowLongPtrW(c.Handle(), GWL_STYLE); }
bool Marked(TWinControl& c) { return SendMessageW(c.Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

class RadioControls : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        RegisterPublishedClass<TRadioForm>();
        form = new TRadioForm(nullptr);
        form->SetBounds(50, 50, 420, 300);
    }
    void TearDown() override { delete form; }
    TRadioButton* AddButton(const wchar_t* name, int top) {
        auto* b = new TRadioButton(form);
        b->SetName(name);
        b->SetCaption(name);
        b->SetParent(form);
        b->SetBounds(10, top, 120, 20);
        b->OnClick = TNotifyEvent(form, &TRadioForm::Clicked);
        return b;
    }
    TRadioForm* form = nullptr;
};

}  // namespace

TEST_F(RadioControls, RadioButtonsOfOneParentFormAGroup) {
    TRadioButton* a = AddButton(L"A", 10);
    TRadioButton* b = AddButton(L"B", 40);
    uitest::ShowAndActivate(*form);

    EXPECT_EQ(ClassOf(a->Handle()), L"TRadioButton");
    EXPECT_EQ(FindControl(a->Handle()), a);
    EXPECT_EQ(StyleOf(*a) & BS_TYPEMASK, BS_RADIOBUTTON);
    a->SetAlignment(taLeftJustify);
    EXPECT_TRUE(StyleOf(*a) & BS_LEFTTEXT);

    // From code: checking one clears the other, and only checking runs OnClick.
    a->SetChecked(true);
    EXPECT_TRUE(Marked(*a));
    EXPECT_TRUE(StyleOf(*a) & WS_TABSTOP);
    b->SetChecked(true);
    EXPECT_FALSE(Marked(*a));
    EXPECT_FALSE(a->Checked());
    EXPECT_FALSE(StyleOf(*a) & WS_TABSTOP);
    EXPECT_EQ(form->clicks, (std::vector<std::wstring>{L"A", L"B"}));

    // A real click on A, then Space on B (focused), as a user would choose.
    form->clicks.clear();
    uitest::Click(*a);
    EXPECT_TRUE(Marked(*a));
    EXPECT_FALSE(Marked(*b));
    b->SetFocus();
    uitest::PressKey(VK_SPACE);
    uitest::Pump(30);
    EXPECT_TRUE(Marked(*b));
    EXPECT_FALSE(Marked(*a));
    EXPECT_EQ(form->clicks, (std::vector<std::wstring>{L"A", L"B"}));

    // BN_CLICKED reaching the parent is reflected to the button.
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(a->Handle()));
    EXPECT_TRUE(a->Checked());

    // The mark survives a new window.
    form->SetBorderStyle(bsDialog);
    EXPECT_TRUE(Marked(*a));
    EXPECT_FALSE(Marked(*b));
}

TEST_F(RadioControls, RadioGroupShowsItemsAsButtonsAndReportsTheChoice) {
    auto* group = new TRadioGroup(form);
    group->SetName(L"Group");
    group->SetParent(form);
    group->SetBounds(10, 10, 300, 120);
    group->OnClick = TNotifyEvent(form, &TRadioForm::Clicked);
    for (const wchar_t* s : {L"4800", L"9600", L"19200", L"38400"}) group->Items().Add(s);
    group->SetColumns(2);
    group->SetItemIndex(1);
    uitest::ShowAndActivate(*form);

    EXPECT_EQ(ClassOf(group->Handle()), L"TRadioGroup");
    ASSERT_EQ(group->ControlCount(), 4);
    EXPECT_EQ(uitest::WindowText(group->Buttons(2)->Handle()), L"19200");
    EXPECT_EQ(GetParent(group->Buttons(0)->Handle()), group->Handle());
    EXPECT_TRUE(Marked(*group->Buttons(1)));
    // Two columns: entries 0 and 1 above each other, 2 beside 0.
    EXPECT_EQ(group->Buttons(1)->Left(), group->Buttons(0)->Left());
    EXPECT_GT(group->Buttons(1)->Top(), group->Buttons(0)->Top());
    EXPECT_GT(group->Buttons(2)->Left(), group->Buttons(0)->Left());
    EXPECT_EQ(group->Buttons(2)->Top(), group->Buttons(0)->Top());
    group->SetColumns(1);
    EXPECT_EQ(group->Buttons(2)->Left(), group->Buttons(0)->Left());
    EXPECT_GT(group->Buttons(3)->Top(), group->Buttons(2)->Top());
    EXPECT_LE(group->Buttons(3)->Top() + group->Buttons(3)->Height(), group->Height());

    // Code sets ItemIndex silently; a user's click moves it and runs OnClick.
    EXPECT_TRUE(form->clicks.empty());
    uitest::Click(*group->Buttons(3));
    EXPECT_EQ(group->ItemIndex(), 3);
    EXPECT_FALSE(Marked(*group->Buttons(1)));
    EXPECT_EQ(form->clicks, std::vector<std::wstring>{L"Group"});
    group->SetItemIndex(-1);
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(Marked(*group->Buttons(i)));
    group->SetItemIndex(7);  // outside the list: nothing chosen
    EXPECT_EQ(group->ItemIndex(), -1);

    // Changing the items changes the buttons; a choice beyond the list goes.
    group->SetItemIndex(3);
    group->Items().Delete(3);
    EXPECT_EQ(group->ControlCount(), 3);
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_EQ(form->clicks.size(), 1u);
}

TEST_F(RadioControls, FormResourceSetsPublishedProperties) {
    // ItemIndex comes before Items, as form designers write it.
    ReadFormText(*form,
                 "object RadioForm: TRadioForm\n"
                 "  object Slow: TRadioButton\n    Caption = 'Slow'\n    Checked = True\n"
                 "    Alignment = taLeftJustify\n    OnClick = Clicked\n  end\n"
                 "  object Fast: TRadioButton\n    Top = 30\n    Caption = 'Fast'\n  end\n"
                 "  object Baud: TRadioGroup\n    Top = 60\n    Width = 300\n    Caption = 'Baud'\n"
                 "    Columns = 3\n    ItemIndex = 2\n"
                 "    Items.Strings = (\n      '1200'\n      '2400'\n      '4800')\n    OnClick = Clicked\n  end\n"
                 "end\n");
    ASSERT_NE(form->Baud, nullptr);
    EXPECT_TRUE(form->clicks.empty());  // loading runs no handlers
    EXPECT_TRUE(Marked(*form->Slow));
    EXPECT_FALSE(Marked(*form->Fast));
    EXPECT_TRUE(StyleOf(*form->Slow) & BS_LEFTTEXT);
    EXPECT_EQ(form->Baud->Columns(), 3);
    EXPECT_EQ(form->Baud->ItemIndex(), 2);
    EXPECT_TRUE(Marked(*form->Baud->Buttons(2)));
    EXPECT_EQ(GetPropText(form->Baud, L"ItemIndex"), L"2");
    EXPECT_EQ(GetPropText(form->Slow, L"Checked"), L"True");
    // The group's buttons are not the group's siblings: Slow keeps its mark.
    form->Baud->SetItemIndex(0);
    EXPECT_TRUE(form->Slow->Checked());
    form->Fast->SetChecked(true);
    EXPECT_FALSE(form->Slow->Checked());
    EXPECT_TRUE(form->Baud->Buttons(0)->Checked());
}
