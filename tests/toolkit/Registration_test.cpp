// Classes are known by name only after they were registered, and the core
// classes publish their properties once registered.
#include <gtest/gtest.h>

#include "toolkit/core/Rtti.h"
#include "toolkit/core/Strings.h"

namespace {

class TGadget : public TComponent {
public:
    using TComponent::TComponent;
    TStrings& Lines() { return lines_; }
    int Size() const { return size_; }
    void SetSize(int size) { size_ = size; }

private:
    TStrings lines_;
    int size_ = 0;
};
// Registered under its parent's name only.
class TSpecialGadget : public TGadget {
public:
    using TGadget::TGadget;
};

}  // namespace

// Runs first in this executable: nothing may have registered before.
TEST(Registration, NothingIsRegisteredBeforeTheCall) {
    ClassRegistry& registry = ClassRegistry::Instance();
    EXPECT_EQ(registry.Find(L"TComponent"), nullptr);
    TComponent plain(nullptr);
    EXPECT_EQ(GetPropText(&plain, L"Name"), L"");
    EXPECT_THROW(registry.Create(L"TComponent", nullptr), EPropertyError);

    RegisterCoreClasses();
    RegisterCoreClasses();  // a second call changes nothing
    ASSERT_NE(registry.Find(L"tcomponent"), nullptr);
    EXPECT_EQ(registry.Props(L"TComponent").size(), 2u);
    EXPECT_NE(registry.Find(L"TStrings"), nullptr);
    EXPECT_EQ(registry.Find(L"TForm"), nullptr);  // window classes come from the Win32 library
}

TEST(Registration, CoreClassesPublishTheirProperties) {
    RegisterCoreClasses();
    RegisterClass<TGadget>(L"TGadget", L"TComponent")
        .Prop(L"Size", &TGadget::Size, &TGadget::SetSize)
        .ObjectProp(L"Lines", &TGadget::Lines);

    TComponent owner(nullptr);
    TComponent* made = ClassRegistry::Instance().Create(L"TGadget", &owner);
    auto* gadget = dynamic_cast<TGadget*>(made);
    ASSERT_NE(gadget, nullptr);
    EXPECT_EQ(gadget->Owner(), &owner);

    SetPropText(gadget, L"Name", L"Gadget1");
    SetPropText(gadget, L"Tag", L"-7");
    SetPropText(gadget, L"size", L"$10");
    EXPECT_EQ(gadget->Name(), L"Gadget1");
    EXPECT_EQ(gadget->Tag(), -7);
    EXPECT_EQ(GetOrdProp(gadget, L"Size"), 16);
    EXPECT_TRUE(gadget->InheritsFrom(L"TComponent"));

    // A string list property takes a list of strings, and refuses anything else whole.
    FormValue list;
    list.kind = FormValue::Kind::List;
    list.items = {FormValue::String(L"COM1"), FormValue::Ident(L"COM2")};
    SetPropValue(gadget, L"Lines.Strings", list);
    EXPECT_EQ(gadget->Lines().ToVector(), (std::vector<std::wstring>{L"COM1", L"COM2"}));
    EXPECT_EQ(GetPropValue(gadget, L"Lines.Strings").items.size(), 2u);
    list.items = {FormValue::String(L"COM3"), FormValue::Integer(4)};
    EXPECT_THROW(SetPropValue(gadget, L"Lines.Strings", list), EPropertyConvertError);
    EXPECT_EQ(gadget->Lines().Count(), 2);

    // A sibling's name is refused through the property as well.
    auto* other = new TGadget(&owner);
    EXPECT_THROW(SetPropText(other, L"Name", L"GADGET1"), std::invalid_argument);

    // An unregistered subclass is described by its nearest registered class.
    TSpecialGadget special(nullptr);
    EXPECT_EQ(ClassRegistry::Instance().RegisteredClassOf(&special), L"TGadget");
    SetPropText(&special, L"Size", L"3");
    EXPECT_EQ(special.Size(), 3);
    EXPECT_TRUE(special.InheritsFrom(L"tgadget"));
    EXPECT_FALSE(special.InheritsFrom(L"TStrings"));
}
