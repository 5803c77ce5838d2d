// Window-side classes: registered by the application's start-up, created by
// name, and given windows of their own class.
#include <gtest/gtest.h>

#include <memory>

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"

namespace {
class TFancyButton : public TButton {
public:
    using TButton::TButton;
};
}  // namespace

TEST(ToolkitClasses, InitializeRegistersTheWindowClasses) {
    Application->Initialize();
    ClassRegistry& registry = ClassRegistry::Instance();
    for (const wchar_t* name : {L"TComponent", L"TStrings", L"TFont", L"TForm", L"TButton", L"TTimer"})
        EXPECT_NE(registry.Find(name), nullptr) << "missing " << std::string(name, name + wcslen(name));
    const size_t props = registry.Props(L"TButton").size();
    RegisterToolkitClasses();  // once is enough; again adds nothing
    EXPECT_EQ(registry.Props(L"TButton").size(), props);

    TComponent owner(nullptr);
    auto* made = dynamic_cast<TButton*>(registry.Create(L"tbutton", &owner));
    ASSERT_NE(made, nullptr);
    SetPropText(made, L"Caption", L"连接");
    EXPECT_EQ(made->Caption(), L"连接");
}

TEST(ToolkitClasses, ClassNamesAndAncestry) {
    Application->Initialize();
    TButton button(nullptr);
    TFancyButton fancy(nullptr);
    EXPECT_EQ(button.ClassName(), L"TButton");
    EXPECT_EQ(fancy.ClassName(), L"TFancyButton");
    EXPECT_TRUE(button.InheritsFrom(L"TWinControl"));
    EXPECT_TRUE(button.InheritsFrom(L"tcontrol"));
    EXPECT_FALSE(button.InheritsFrom(L"TForm"));
    // A subclass's window is of its own class and still a BUTTON underneath.
    TForm form(nullptr);
    fancy.SetParent(&form);
    wchar_t name[64];
    GetClassNameW(fancy.Handle(), name, 64);
    EXPECT_STREQ(name, L"TFancyButton");
    EXPECT_EQ(SendMessageW(fancy.Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    fancy.SetParent(nullptr);
    // Without a parent window there is no window to hand out.
    try {
        fancy.Handle();
        ADD_FAILURE() << "a parentless child control gave a window";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("no parent window"), std::string::npos);
    }
    EXPECT_FALSE(fancy.HandleAllocated());
}
