#include "skin/paint/core/SkinnerChoice.h"
#include "skin/paint/core/TakeOverRules.h"

#include <gtest/gtest.h>

using namespace relayon::skin::paint;

namespace {
WindowFacts ToolkitForm() {
    WindowFacts w;
    w.managerActive = true;
    w.hasToolkitObject = true;
    w.ownModule = true;
    w.className = L"TForm1";
    w.width = 300;
    w.height = 200;
    return w;
}
}  // namespace

TEST(TakeOverRules, EachTestRefusesInItsOrder) {
    EXPECT_EQ(DecideTakeOver(ToolkitForm()), TakeOverVerdict::Yes);
    WindowFacts w = ToolkitForm();
    w.managerActive = false;
    w.answersSkinned = true;
    EXPECT_EQ(DecideTakeOver(w), TakeOverVerdict::Inactive);
    w = ToolkitForm();
    w.answersSkinned = true;
    EXPECT_EQ(DecideTakeOver(w), TakeOverVerdict::AlreadySkinned);

    w = ToolkitForm();
    w.childStyle = true;
    w.parentClass = L"TPanel";
    EXPECT_EQ(DecideTakeOver(w), TakeOverVerdict::NestedForm);
    w.parentClass = L"MDIClient";  // any case
    EXPECT_EQ(DecideTakeOver(w), TakeOverVerdict::Yes);
    w.parentClass = L"TPanel";
    w.skinChildForms = true;
    EXPECT_EQ(DecideTakeOver(w), TakeOverVerdict::Yes);

    // Other modules: only their dialog boxes.
    w = ToolkitForm();
    w.hasToolkitObject = false;
    w.ownModule = false;
    EXPECT_EQ(DecideTakeOver(w), TakeOverVerdict::ForeignModule);
    w.className = L"#32770";
    EXPECT_EQ(DecideTakeOver(w), TakeOverVerdict::Yes);

    w = ToolkitForm();
    w.height = 0;
    EXPECT_EQ(DecideTakeOver(w), TakeOverVerdict::ZeroSize);
    w.mdiChild = true;
    EXPECT_EQ(DecideTakeOver(w), TakeOverVerdict::Yes);

    w = ToolkitForm();
    w.tag = 99;
    EXPECT_EQ(DecideTakeOver(w), TakeOverVerdict::Tag99);
    w.tag = 98;
    EXPECT_EQ(DecideTakeOver(w), TakeOverVerdict::Yes);

    for (const wchar_t* cls : {L"TApplication", L"xTcxPopupEditPopupWindow", L"TTERenderWindow2"}) {
        w = ToolkitForm();
        w.className = cls;
        EXPECT_EQ(DecideTakeOver(w), TakeOverVerdict::ExcludedClass) << std::wstring(cls).size();
    }
    w = ToolkitForm();
    w.className = L"TPrintPreviewForm";
    w.hasMainData = true;
    EXPECT_EQ(DecideTakeOver(w), TakeOverVerdict::RefusedBeforeSkin);
    w.mainDataAllowsPreview = true;
    EXPECT_EQ(DecideTakeOver(w), TakeOverVerdict::Yes);
}

TEST(TakeOverRules, BeforeSkinNeedsMainDataToRefuse) {
    EXPECT_TRUE(BeforeSkinRules(L"MyPreview", 0, false, false));
    EXPECT_FALSE(BeforeSkinRules(L"MyPREVIEW", 0, true, false));
    EXPECT_FALSE(BeforeSkinRules(L"#32770", 0x200, true, true));
    EXPECT_TRUE(BeforeSkinRules(L"#32770", 0x80, true, true));
    EXPECT_FALSE(BeforeSkinRules(L"TPopupDBTreeView", 0, true, true));
}

TEST(TakeOverRules, SkinDataChosenByOwnerThenDialogThenMainThenFirst) {
    using F = FormType;
    EXPECT_FALSE(ChooseSkinData({}, L"TForm1").has_value());
    std::vector<DataFacts> list{{F::Dll, false}, {F::MainForm, false}, {F::Dialog, false},
                                {F::MainForm, false}, {F::Dialog, false}, {F::OnlyThisForm, false}};
    EXPECT_EQ(ChooseSkinData(list, L"TForm1"), 3u);          // last main one
    EXPECT_EQ(ChooseSkinData(list, L"#32770"), 4u);          // last dialog one
    EXPECT_EQ(ChooseSkinData(list, L"TMESSAGEFORM"), 4u);
    list[5].ownerWindowIsThisWindow = true;
    EXPECT_EQ(ChooseSkinData(list, L"#32770"), 5u);          // its own form's component first
    EXPECT_EQ(ChooseSkinData({{F::MainForm, false}, {F::Dll, false}}, L"#32770"), 0u);  // no dialog one: main
    EXPECT_EQ(ChooseSkinData({{F::Dll, false}, {F::Dialog, false}}, L"TForm1"), 0u);    // nothing fits: first
}

TEST(TakeOverRules, BorderAndWindowStateFromStyle) {
    constexpr unsigned caption = 0x00C00000, thick = 0x00040000;
    EXPECT_EQ(ChooseBorder(0x00800000, 0, L"TForm1").border, Border::None);  // border without title bar
    EXPECT_EQ(ChooseBorder(caption | thick, 0, L"TForm1").border, Border::Sizeable);
    EXPECT_EQ(ChooseBorder(caption | 0x80, 0, L"TForm1").border, Border::Dialog);
    EXPECT_EQ(ChooseBorder(caption, 0, L"TForm1").border, Border::Single);
    EXPECT_EQ(ChooseBorder(caption | thick, 1, L"TForm1").border, Border::Dialog);
    BorderChoice box = ChooseBorder(0, 0, L"#32770");
    EXPECT_EQ(box.border, Border::Dialog);
    EXPECT_TRUE(box.messageBox);
    EXPECT_TRUE(ChooseBorder(caption, 0, L"TMessageForm").messageBox);
    EXPECT_EQ(WindowStateFromShowCmd(3), 1);
    for (unsigned cmd : {2u, 6u, 7u}) EXPECT_EQ(WindowStateFromShowCmd(cmd), 2);
    for (unsigned cmd : {0u, 1u, 4u, 5u, 8u, 9u}) EXPECT_EQ(WindowStateFromShowCmd(cmd), 0);
}

TEST(SkinnerChoice, Skin3rdMatchesWholeClassNameAtLineStart) {
    std::vector<std::wstring> lines{L"TRzButtonEdit=Edit", L"TRzButton=button", L"xTAdvMemo=scrollbar",
                                    L"TLongKind=" + std::wstring(60, L'K'), L"TNothing=nil"};
    EXPECT_EQ(Skin3rdKind(lines, L"TRZBUTTON"), L"button");
    EXPECT_EQ(Skin3rdKind(lines, L"trzbuttonedit"), L"edit");
    EXPECT_FALSE(Skin3rdKind(lines, L"TRzButt").has_value());
    EXPECT_FALSE(Skin3rdKind(lines, L"TAdvMemo").has_value());
    EXPECT_EQ(Skin3rdKind(lines, L"TNOTHING"), L"nil");
    EXPECT_EQ(Skin3rdKind(lines, L"TLongKind")->size(), 50u);
    EXPECT_FALSE(Skin3rdKind(lines, L"").has_value());
}

TEST(SkinnerChoice, PlainWindowsByClassAndStyle) {
    HwndFlags all{true, true, true, true, true};
    EXPECT_EQ(ButtonKindOfStyle(0x0), ButtonKind::PushButton);
    EXPECT_EQ(ButtonKindOfStyle(0x1), ButtonKind::PushButton);   // default push button
    EXPECT_EQ(ButtonKindOfStyle(0x3), ButtonKind::CheckBox);     // auto check box
    EXPECT_EQ(ButtonKindOfStyle(0x6), ButtonKind::CheckBox);     // auto three-state
    EXPECT_EQ(ButtonKindOfStyle(0x9), ButtonKind::RadioButton);  // auto radio button
    EXPECT_EQ(ButtonKindOfStyle(0x4), ButtonKind::RadioButton);
    EXPECT_EQ(ButtonKindOfStyle(0x7), ButtonKind::None);         // group box
    EXPECT_EQ(ButtonKindOfStyle(0xB), ButtonKind::None);         // owner-drawn
    EXPECT_EQ(ButtonKindOfStyle(0x80), ButtonKind::None);        // bitmap
    EXPECT_EQ(ChooseHwndSkinner(L"Button", 0x7, all), HwndSkinner::None);
    EXPECT_EQ(ChooseHwndSkinner(L"BUTTON", 0x1, all), HwndSkinner::ButtonFamily);
    EXPECT_EQ(ChooseHwndSkinner(L"ComboBox", 0x1, all), HwndSkinner::None);  // simple combo
    EXPECT_EQ(ChooseHwndSkinner(L"ComboBox", 0x2, all), HwndSkinner::ComboBox);
    EXPECT_EQ(ChooseHwndSkinner(L"ComboBox", 0x2, {}), HwndSkinner::None);
    EXPECT_EQ(ChooseHwndSkinner(L"#32770", 0x10000, all), HwndSkinner::None);
    EXPECT_EQ(ChooseHwndSkinner(L"#32770", 0, all), HwndSkinner::NestedDialog);
    EXPECT_EQ(ChooseHwndSkinner(L"SysTabControl32", 0x2000, all), HwndSkinner::None);
    EXPECT_EQ(ChooseHwndSkinner(L"Edit", 0, all), HwndSkinner::Edit);
    EXPECT_EQ(ChooseHwndSkinner(L"Static", 0, all), HwndSkinner::None);
}
