// Controls whose fonts have the same attributes share one GDI font: a window
// of hundreds of controls holds a handful of fonts, and a font that changes
// leaves the others' font intact.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/testing/UiDriver.h"

namespace {

class TFontForm : public TForm {
public:
    using TForm::TForm;
};

HFONT FontOf(TWinControl* control)
{
    return reinterpret_cast<HFONT>(SendMessageW(control->Handle(), WM_GETFONT, 0, 0));
}

LONG HeightOf(HFONT font)
{
    LOGFONTW lf{};
    return GetObjectW(font, sizeof lf, &lf) == sizeof lf ? lf.lfHeight : 0;
}

}  // namespace

TEST(FontSharing, ManyControlsInTwoSizesHoldTwoFontsAndAChangeLeavesTheOthersAlone)
{
    Application->Initialize();
    auto* form = new TFontForm(nullptr);
    form->SetBounds(30, 30, 600, 400);
    uitest::ShowAndActivate(*form);

    std::vector<TButton*> buttons;
    for (int i = 0; i < 100; ++i) {
        auto* button = new TButton(form);
        button->SetParent(form);
        button->SetBounds(5 + (i % 10) * 55, 5 + (i / 10) * 30, 50, 25);
        button->SetParentFont(false);
        button->Font().SetName(L"MS Sans Serif");
        button->Font().SetHeight(i % 2 ? -13 : -16);
        buttons.push_back(button);
    }
    std::set<HFONT> fonts;
    for (TButton* button : buttons)
        fonts.insert(FontOf(button));
    ASSERT_EQ(fonts.size(), 2u);
    for (HFONT font : fonts)
        EXPECT_TRUE(HeightOf(font) == -13 || HeightOf(font) == -16);

    // One control changes size: it gets a font of its own, the rest keep
    // theirs, still whole.
    const HFONT shared = FontOf(buttons[2]);
    buttons[0]->Font().SetHeight(-20);
    uitest::Pump(20);
    EXPECT_EQ(HeightOf(FontOf(buttons[0])), -20);
    EXPECT_EQ(FontOf(buttons[2]), shared);
    EXPECT_EQ(HeightOf(shared), -16);

    // The last holder of a font lets it go; the font is deleted then.
    const HFONT alone = FontOf(buttons[0]);
    delete buttons[0];
    EXPECT_EQ(GetObjectType(alone), 0u);
    EXPECT_EQ(HeightOf(FontOf(buttons[1])), -13);
    delete form;
}
