// Published properties of the portable classes.
#include "toolkit/core/Rtti.h"
#include "toolkit/core/Strings.h"

namespace {

// Items.Strings = ( 'a' 'b' ... )
void SetStringsList(TStrings* strings, const FormValue& v, TPropContext&) {
    if (v.kind != FormValue::Kind::List) rtti::KindMismatch(L"Strings", "list of strings");
    // Checked before the list changes: a bad entry leaves the old items.
    for (const FormValue& item : v.items)
        if (item.kind != FormValue::Kind::String && item.kind != FormValue::Kind::Ident)
            rtti::KindMismatch(L"Strings", "string");
    strings->Clear();
    for (const FormValue& item : v.items) strings->Add(item.text);
}

FormValue GetStringsList(TStrings* strings) {
    FormValue list;
    list.kind = FormValue::Kind::List;
    for (int i = 0; i < strings->Count(); ++i) list.items.push_back(FormValue::String(strings->Strings(i)));
    return list;
}

}  // namespace

void RegisterCoreClasses() {
    static const bool registered = [] {
        RegisterClass<TComponent>(L"TComponent", L"")
            .Prop(L"Name", &TComponent::Name, &TComponent::SetName)
            .Prop(L"Tag", &TComponent::Tag, &TComponent::SetTag);
        RegisterClass<TStrings>(L"TStrings", L"").Custom(L"Strings", TPropKind::Strings, SetStringsList, GetStringsList);
        return true;
    }();
    (void)registered;
}
