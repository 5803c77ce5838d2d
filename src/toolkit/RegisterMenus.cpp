// Published properties of one control family (see RegisterFamilies.h):
// menus, menu items, the form's menu bar and MDI properties, and the popup
// menu of every control.
#include "toolkit/Form.h"
#include "toolkit/Menus.h"
#include "toolkit/RegisterFamilies.h"
#include "toolkit/core/Rtti.h"

namespace {

// Values form designers write that have no meaning here.
template <class T>
void IgnoreProps(ClassBuilder<T>& b, std::initializer_list<const wchar_t*> names) {
    for (const wchar_t* name : names) b.Custom(name, TPropKind::Integer, [](T*, const FormValue&, TPropContext&) {});
}

}  // namespace

void RegisterMenuClasses() {
    RegisterEnum<TTileMode>(L"TTileMode", {{L"tbHorizontal", tbHorizontal}, {L"tbVertical", tbVertical}});

    auto item = RegisterClass<TMenuItem>(L"TMenuItem", L"TComponent");
    item.Prop(L"Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
        .Prop(L"Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
        .Prop(L"Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
        .Prop(L"Visible", &TMenuItem::Visible, &TMenuItem::SetVisible)
        .Prop(L"Default", &TMenuItem::Default, &TMenuItem::SetDefault)
        .Prop(L"ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut)
        .Prop(L"ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex)
        .Prop(L"GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex)
        .Event(L"OnClick", &TMenuItem::OnClick)
        .Event(L"OnDrawItem", &TMenuItem::OnDrawItem)
        .Event(L"OnMeasureItem", &TMenuItem::OnMeasureItem);
    IgnoreProps(item, {L"RadioItem", L"AutoCheck", L"Hint", L"HelpContext", L"Break"});

    auto menu = RegisterClass<TMenu>(L"TMenu", L"TComponent");
    menu.Prop(L"OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw);
    IgnoreProps(menu, {L"Images", L"AutoHotkeys", L"AutoLineReduction", L"BiDiMode", L"ParentBiDiMode"});
    RegisterClass<TMainMenu>(L"TMainMenu", L"TMenu");
    auto popup = RegisterClass<TPopupMenu>(L"TPopupMenu", L"TMenu");
    popup.Prop(L"AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup).Event(L"OnPopup", &TPopupMenu::OnPopup);
    IgnoreProps(popup, {L"Alignment", L"TrackButton", L"MenuAnimation"});

    // Added to classes registered before this family.
    RegisterClass<TControl>(L"TControl", L"TComponent")
        .ComponentProp(L"PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
    RegisterClass<TForm>(L"TForm", L"TCustomControl")
        .ComponentProp(L"Menu", &TForm::Menu, &TForm::SetMenu)
        .ComponentProp(L"WindowMenu", &TForm::WindowMenu, &TForm::SetWindowMenu)
        .Prop(L"TileMode", &TForm::TileMode, &TForm::SetTileMode);
}
