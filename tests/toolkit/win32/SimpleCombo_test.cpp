// The combo box in its simple style: a list that is always shown under the
// edit, chosen from with the mouse, typed into, and Enter still reaching
// the form's default button.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Form.h"
#include "toolkit/FormReader.h"
#include "toolkit/core/Rtti.h"
#include "toolkit/testing/UiDriver.h"

namespace {

class TComboForm : public TForm {
public:
    using TForm::TForm;
    TComboBox* Units = nullptr;
    TButton* Ok = nullptr;
    std::vector<std::wstring> log;
    void UnitsChange(TObject*) { log.push_back(L"change " + Units->Text()); }
    void OkClick(TObject*) { log.push_back(L"ok"); }
    static void Publish(TPublisher<TComboForm>& p) {
        p.Field(L"Units", &TComboForm::Units);
        p.Field(L"Ok", &TComboForm::Ok);
        p.Method(L"UnitsChange", &TComboForm::UnitsChange);
        p.Method(L"OkClick", &TComboForm::OkClick);
    }
};

HWND ListOf(TComboBox& combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo.Handle(), &info);
    return info.hwndList;
}

}  // namespace

TEST(SimpleCombo, ListIsShownChosenFromAndEnterReachesTheForm) {
    Application->Initialize();
    RegisterPublishedClass<TComboForm>();
    auto* form = new TComboForm(nullptr);
    form->SetBounds(40, 40, 360, 260);
    ReadFormText(*form,
                 "object ComboForm: TComboForm\n"
                 "  object Units: TComboBox\n    Left = 10\n    Top = 10\n    Width = 160\n    Height = 120\n"
                 "    Style = csSimple\n    Items.Strings = (\n      'Sekunden'\n      'Minuten'\n      '分钟')\n"
                 "    ItemIndex = 1\n    OnChange = UnitsChange\n  end\n"
                 "  object Ok: TButton\n    Left = 200\n    Top = 10\n    Default = True\n    OnClick = OkClick\n  end\n"
                 "end\n");
    uitest::ShowAndActivate(*form);
    TComboBox& units = *form->Units;
    EXPECT_EQ(GetWindowLongPtrW(units.Handle(), GWL_STYLE) & 3, CBS_SIMPLE);
    EXPECT_EQ(GetEnumProp(&units, L"Style"), L"csSimple");
    RECT window{};
    GetWindowRect(units.Handle(), &window);
    EXPECT_EQ(window.bottom - window.top, 120);  // the list is inside the control's height
    HWND list = ListOf(units);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(IsWindowVisible(list));
    EXPECT_EQ(units.Text(), L"Minuten");
    EXPECT_FALSE(units.DroppedDown());

    // A click on the third entry of the list.
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    POINT p{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(list, &p);
    uitest::ClickAt(p);
    EXPECT_EQ(units.ItemIndex(), 2);
    EXPECT_EQ(units.Text(), L"分钟");

    units.SetFocus();
    uitest::TypeText(L"x");
    uitest::Pump(20);
    EXPECT_EQ(units.ItemIndex(), -1);
    uitest::PressKey(VK_RETURN);
    uitest::Pump(20);
    ASSERT_FALSE(form->log.empty());
    EXPECT_EQ(form->log.front(), L"change 分钟");
    EXPECT_EQ(form->log.back(), L"ok");
    delete form;
}
