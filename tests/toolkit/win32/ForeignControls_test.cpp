// The stand-ins for other vendors' controls: their class names as window
// classes, and the published properties a skinner reads and writes.
#include <gtest/gtest.h>

#include "support/ForeignControls.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/FormReader.h"
#include "toolkit/core/Rtti.h"
#include "toolkit/testing/UiDriver.h"

namespace {

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

}  // namespace

TEST(ForeignControls, ClassesPropertiesAndCustomGlyphs) {
    Application->Initialize();
    RegisterForeignControlClasses();
    auto* form = new TForm(nullptr);
    form->SetBounds(40, 40, 320, 200);
    ReadFormText(*form,
                 "object Form: TForm\n"
                 "  object Check: TRzCheckBox\n    Left = 10\n    Top = 10\n    Width = 150\n"
                 "    Caption = 'Kaskade'\n    State = cbChecked\n  end\n"
                 "  object Menu: TRzMenuButton\n    Left = 10\n    Top = 50\n    Caption = 'Mehr'\n    Margin = 4\n  end\n"
                 "end\n");
    auto* check = dynamic_cast<TRzCheckBox*>(form->FindComponent(L"Check"));
    auto* menu = dynamic_cast<TRzMenuButton*>(form->FindComponent(L"Menu"));
    ASSERT_TRUE(check && menu);
    uitest::ShowAndActivate(*form);
    EXPECT_EQ(ClassOf(check->Handle()), L"TRzCheckBox");
    EXPECT_EQ(ClassOf(menu->Handle()), L"TRzMenuButton");
    EXPECT_EQ(GetPropText(check, L"Caption"), L"Kaskade");
    EXPECT_EQ(GetPropText(check, L"Checked"), L"True");
    EXPECT_EQ(GetEnumProp(check, L"State"), L"cbChecked");
    EXPECT_EQ(GetOrdProp(menu, L"Margin"), 4);

    // A skinner hands over a strip of three 13-pixel cells: red, green, blue.
    TBitmap strip(39, 13);
    for (int i = 0; i < 3; ++i) {
        strip.Canvas().Brush().SetColor(i == 0 ? clRed : i == 1 ? clLime : clBlue);
        strip.Canvas().FillRect(RECT{i * 13, 0, i * 13 + 13, 13});
    }
    auto* target = dynamic_cast<TBitmap*>(GetObjectProp(check, L"CustomGlyphs"));
    ASSERT_NE(target, nullptr);
    target->Assign(&strip);
    SetOrdProp(check, L"transparentcolor", 16711935);
    SetEnumProp(check, L"UseCustomGlyphs", L"False");
    SetEnumProp(check, L"UseCustomGlyphs", L"True");
    EXPECT_EQ(check->Reloads(), 1);
    EXPECT_EQ(check->TransparentColor(), clFuchsia);
    RedrawWindow(check->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(check->Handle());
    RECT r = check->ClientRect();
    COLORREF mark = GetPixel(dc, 6, r.bottom / 2);
    ReleaseDC(check->Handle(), dc);
    EXPECT_EQ(mark, RGB(0, 255, 0));  // the checked cell
    delete form;
}
