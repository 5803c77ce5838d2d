// Page control with tab sheets, status bar panels, labels and group boxes.
#include <gtest/gtest.h>

#include <vector>

#include <windows.h>

#include <commctrl.h>

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Label.h"
#include "toolkit/PageControl.h"
#include "toolkit/StatusBar.h"
#include "toolkit/testing/UiDriver.h"

namespace {

class TContainerForm : public TForm {
public:
    using TForm::TForm;
};

class Changes : public TObject {
public:
    void Change(TObject*) { ++count; }
    int count = 0;
};

class Containers : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        form = new TContainerForm(nullptr);
        form->SetBounds(30, 30, 500, 360);
    }
    void TearDown() override { delete form; }
    TForm* form = nullptr;
};

}  // namespace

TEST_F(Containers, PageControlShowsOnlyTheActiveSheetAndReportsUserTabChanges) {
    auto* pages = new TPageControl(form);
    pages->SetParent(form);
    pages->SetBounds(8, 8, 400, 250);
    TTabSheet* sheets[3];
    const wchar_t* captions[] = {L"端口设置", L"设备设置", L"Timer"};
    for (int i = 0; i < 3; ++i) {
        sheets[i] = new TTabSheet(form);
        sheets[i]->SetPageControl(pages);
        sheets[i]->SetCaption(captions[i]);
    }
    auto* button = new TButton(form);
    button->SetParent(sheets[1]);
    button->SetBounds(10, 10, 80, 25);
    Changes changes;
    pages->OnChange = TNotifyEvent(&changes, &Changes::Change);
    uitest::ShowAndActivate(*form);

    EXPECT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
    wchar_t text[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(pages->Handle(), TCM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, L"设备设置");
    // The sheet's controls are child windows of the sheet window, which is a child of the tab control.
    EXPECT_EQ(GetParent(button->Handle()), sheets[1]->Handle());
    EXPECT_EQ(GetParent(sheets[1]->Handle()), pages->Handle());
    EXPECT_TRUE(IsWindowVisible(sheets[0]->Handle()));
    EXPECT_FALSE(IsWindowVisible(sheets[1]->Handle()));

    // Setting the page in code runs no OnChange.
    pages->SetActivePageIndex(2);
    EXPECT_EQ(pages->TabIndex(), 2);
    EXPECT_TRUE(IsWindowVisible(sheets[2]->Handle()));
    EXPECT_FALSE(IsWindowVisible(sheets[0]->Handle()));
    EXPECT_EQ(changes.count, 0);

    // A click on the second tab switches pages and runs OnChange.
    RECT tab;
    SendMessageW(pages->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
    POINT p{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2};
    ClientToScreen(pages->Handle(), &p);
    uitest::ClickAt(p);
    EXPECT_EQ(changes.count, 1);
    EXPECT_EQ(pages->ActivePage(), sheets[1]);
    EXPECT_EQ(pages->TabIndex(), 1);
    EXPECT_TRUE(IsWindowVisible(button->Handle()));

    // Ctrl+Tab turns to the next page from a control on the page, wrapping;
    // Ctrl+Shift+Tab goes back. Each is the user's change.
    button->SetFocus();
    auto chord = [](bool shift) {
        std::vector<INPUT> in;
        auto key = [&in](WORD vk, bool up) {
            INPUT i{};
            i.type = INPUT_KEYBOARD;
            i.ki.wVk = vk;
            i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            in.push_back(i);
        };
        key(VK_CONTROL, false);
        if (shift) key(VK_SHIFT, false);
        key(VK_TAB, false);
        key(VK_TAB, true);
        if (shift) key(VK_SHIFT, true);
        key(VK_CONTROL, true);
        SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
        uitest::Pump(100);
    };
    chord(false);
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    EXPECT_EQ(changes.count, 2);
    chord(false);
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    chord(true);
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    EXPECT_EQ(changes.count, 4);

    // A renamed sheet renames its tab; a freed sheet takes its tab with it.
    sheets[2]->SetCaption(L"Renamed");
    SendMessageW(pages->Handle(), TCM_GETITEMW, 2, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, L"Renamed");
    delete sheets[1];
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
    ASSERT_NE(pages->ActivePage(), nullptr);
    EXPECT_TRUE(IsWindowVisible(pages->ActivePage()->Handle()));
}

TEST_F(Containers, StatusBarPanelsHaveTheirWidthsAndTexts) {
    auto* bar = new TStatusBar(form);
    bar->SetParent(form);
    bar->SetBounds(0, 280, 480, 26);
    const int widths[] = {200, 150, 70};
    for (int w : widths) bar->Panels().Add()->SetWidth(w);
    bar->Panels().Items(1)->SetText(L"已连接");
    form->Handle();
    int edges[8] = {};
    ASSERT_EQ(SendMessageW(bar->Handle(), SB_GETPARTS, 8, reinterpret_cast<LPARAM>(edges)), 3);
    EXPECT_EQ(edges[0], 200);
    EXPECT_EQ(edges[1], 350);
    EXPECT_EQ(edges[2], -1);
    wchar_t text[64] = {};
    SendMessageW(bar->Handle(), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"已连接");
    EXPECT_EQ(bar->Panels().Items(1)->Text(), L"已连接");
    bar->Panels().Items(0)->SetText(L"COM1");
    SendMessageW(bar->Handle(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"COM1");
    EXPECT_FALSE(bar->SimplePanel());
    EXPECT_THROW(bar->Panels().Items(3), std::out_of_range);
    // The bar keeps the bounds it was given (no docking by the system control).
    RECT r;
    GetWindowRect(bar->Handle(), &r);
    EXPECT_EQ(r.right - r.left, 480);
    EXPECT_EQ(r.bottom - r.top, 26);
}

TEST_F(Containers, LabelSizeFollowsTextOnlyWithAutoSize) {
    auto* fixed = new TLabel(form);
    fixed->SetParent(form);
    fixed->SetAutoSize(false);
    fixed->SetBounds(8, 8, 89, 20);
    fixed->SetCaption(L"    语言：");
    EXPECT_EQ(fixed->Width(), 89);
    EXPECT_EQ(fixed->Height(), 20);

    auto* grows = new TLabel(form);
    grows->SetParent(form);
    grows->SetBounds(8, 40, 10, 10);
    grows->SetCaption(L"A rather long caption for a label");
    int longWidth = grows->Width();
    EXPECT_GT(longWidth, 100);
    grows->SetCaption(L"Hi");
    EXPECT_LT(grows->Width(), longWidth);
    grows->Font().SetHeight(-30);
    EXPECT_GE(grows->Height(), 28);
    // A disabled label keeps its caption; only the look changes.
    grows->SetEnabled(false);
    EXPECT_EQ(grows->Caption(), L"Hi");
}

TEST_F(Containers, ChildrenFollowTheParentFontUntilTheyGetTheirOwn) {
    form->Font().SetHeight(-16);
    auto* group = new TGroupBox(form);
    group->SetParent(form);
    auto* inherits = new TButton(form);
    inherits->SetParent(group);
    auto* own = new TButton(form);
    own->SetParent(group);
    own->Font().SetHeight(-13);
    EXPECT_EQ(group->Font().Height(), -16);
    EXPECT_EQ(inherits->Font().Height(), -16);
    EXPECT_FALSE(own->ParentFont());
    form->Font().SetHeight(-20);
    EXPECT_EQ(inherits->Font().Height(), -20);
    EXPECT_EQ(own->Font().Height(), -13);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(inherits->Handle(), WM_GETFONT, 0, 0)), inherits->Font().Handle());
}

TEST_F(Containers, RepaintingDoesNotLeakGdiObjects) {
    auto* group = new TGroupBox(form);
    group->SetParent(form);
    group->SetBounds(8, 8, 300, 200);
    group->SetCaption(L"设置");
    for (int i = 0; i < 5; ++i) {
        auto* label = new TLabel(form);
        label->SetParent(group);
        label->SetBounds(10, 20 + 25 * i, 100, 20);
        label->SetCaption(L"Label " + std::to_wstring(i));
    }
    uitest::ShowAndActivate(*form);
    auto repaint = [&] {
        for (int i = 0; i < 20; ++i) {
            InvalidateRect(form->Handle(), nullptr, TRUE);
            RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        }
        uitest::Pump(20);
    };
    repaint();
    DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    repaint();
    repaint();
    DWORD after = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    EXPECT_LE(after, before + 2);
}
