// The tab set: tabs chosen with the mouse, OnChange refusing a change, the
// scroller appearing when the tabs overflow, and form resources.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/FormReader.h"
#include "toolkit/TabSet.h"
#include "toolkit/core/Rtti.h"
#include "toolkit/testing/UiDriver.h"

namespace {

class TTabsForm : public TForm {
public:
    using TForm::TForm;
    TTabSet* Tabs = nullptr;
    std::vector<int> changes;
    int refuse = -2;
    void TabsChange(TObject*, int newTab, bool& allow) {
        changes.push_back(newTab);
        if (newTab == refuse) allow = false;
    }
    static void Publish(TPublisher<TTabsForm>& p) {
        p.Field(L"Tabs", &TTabsForm::Tabs);
        p.Method(L"TabsChange", &TTabsForm::TabsChange);
    }
};

POINT TabCentre(TTabSet& tabs, int index) {
    RECT r = tabs.ItemRect(index);
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(tabs.Handle(), &p);
    return p;
}

class TabSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        RegisterPublishedClass<TTabsForm>();
        form = new TTabsForm(nullptr);
        form->SetBounds(40, 40, 420, 200);
    }
    void TearDown() override { delete form; }
    TTabsForm* form = nullptr;
};

}  // namespace

TEST_F(TabSetTest, ClicksSwitchTabsAndTheScrollerShowsTheRest) {
    auto* tabs = new TTabSet(form);
    tabs->SetParent(form);
    tabs->SetBounds(10, 100, 380, 21);
    for (const wchar_t* t : {L"Port", L"Gerät", L"实时控制", L"Timer"}) tabs->Tabs().Add(t);
    tabs->OnChange = TTabChangeEvent(form, &TTabsForm::TabsChange);
    uitest::ShowAndActivate(*form);

    wchar_t cls[32] = {};
    GetClassNameW(tabs->Handle(), cls, 32);
    EXPECT_STREQ(cls, L"TTabSet");
    ASSERT_GT(tabs->ComponentCount(), 0);
    EXPECT_EQ(tabs->Components(0), &tabs->Scroller());
    EXPECT_FALSE(IsWindowVisible(tabs->Scroller().Handle()));  // everything fits
    EXPECT_EQ(tabs->VisibleTabs(), 4);
    RECT first = tabs->ItemRect(0), second = tabs->ItemRect(1);
    EXPECT_EQ(first.left, tabs->StartMargin());
    EXPECT_EQ(second.left, first.right);

    uitest::ClickAt(TabCentre(*tabs, 2));
    EXPECT_EQ(tabs->TabIndex(), 2);
    form->refuse = 1;
    uitest::ClickAt(TabCentre(*tabs, 1));
    EXPECT_EQ(tabs->TabIndex(), 2);
    EXPECT_EQ(form->changes, (std::vector<int>{2, 1}));

    // Narrower than the tabs: the scroller appears and its right arrow moves on.
    tabs->SetWidth(110);
    uitest::Pump(20);
    ASSERT_TRUE(IsWindowVisible(tabs->Scroller().Handle()));
    wchar_t scrollerClass[32] = {};
    GetClassNameW(tabs->Scroller().Handle(), scrollerClass, 32);
    EXPECT_STREQ(scrollerClass, L"TTabScroller");
    EXPECT_LT(tabs->VisibleTabs(), 4);
    RECT scroller{};
    GetWindowRect(tabs->Scroller().Handle(), &scroller);
    int before = tabs->FirstIndex();
    uitest::ClickAt(POINT{scroller.right - 4, (scroller.top + scroller.bottom) / 2});
    EXPECT_EQ(tabs->FirstIndex(), before + 1);
    RECT shown = tabs->ItemRect(before + 1);
    EXPECT_EQ(shown.left, tabs->StartMargin());
    EXPECT_LE(shown.right, 110 - tabs->EndMargin() - TTabSet::kScrollerWidth);  // never under the scroller
    uitest::ClickAt(POINT{scroller.left + 4, (scroller.top + scroller.bottom) / 2});
    EXPECT_EQ(tabs->FirstIndex(), before);
}

TEST_F(TabSetTest, FormResourceSetsTabsAndIndex) {
    ReadFormText(*form,
                 "object TabsForm: TTabsForm\n"
                 "  object Tabs: TTabSet\n    Width = 300\n    TabIndex = 1\n    StartMargin = 12\n"
                 "    Tabs.Strings = (\n      'One'\n      'Two')\n    SelectedColor = clYellow\n"
                 "    OnChange = TabsChange\n  end\n"
                 "end\n");
    ASSERT_NE(form->Tabs, nullptr);
    EXPECT_EQ(form->Tabs->TabIndex(), 1);  // read before the tabs, kept once they came
    EXPECT_TRUE(form->changes.empty());
    EXPECT_EQ(form->Tabs->Tabs().Count(), 2);
    uitest::ShowAndActivate(*form);
    EXPECT_EQ(form->Tabs->ItemRect(0).left, 12);
    EXPECT_EQ(GetOrdProp(form->Tabs, L"SelectedColor"), clYellow);
    form->Tabs->SetTabIndex(7);  // out of range: nothing selected
    EXPECT_EQ(form->Tabs->TabIndex(), -1);
}
