// Published properties of one control family (see RegisterFamilies.h).
#include "toolkit/RegisterFamilies.h"

#include "toolkit/HeaderControl.h"
#include "toolkit/ImageList.h"
#include "toolkit/ListView.h"
#include "toolkit/MenuItem.h"
#include "toolkit/TabControl.h"
#include "toolkit/ToolBar.h"
#include "toolkit/TreeView.h"
#include "toolkit/core/Rtti.h"

namespace {

// Columns = < item Caption = '...' Width = 80 end ... > (and Sections alike):
// the collection is replaced by the items read.
template <class Owner, class Collection>
void ReadCollection(Owner* owner, Collection& (Owner::*get)(), const wchar_t* name, const FormValue& v, TPropContext& ctx) {
    if (v.kind != FormValue::Kind::Collection) rtti::KindMismatch(name, "collection");
    Collection& collection = (owner->*get)();
    collection.Clear();
    for (const auto& entry : v.entries) {
        auto* item = collection.Add();
        for (const FormProperty& p : entry) SetPropValue(item, p.name, p.value, &ctx);
    }
}

}  // namespace

void RegisterCommonControlClasses() {
    // The ancestors a skin engine asks about (InheritsFrom) when it picks a
    // painter for a control family.
    RegisterClass<TImageList>(L"TCustomImageList", L"TComponent");
    RegisterClass<TListView>(L"TCustomListView", L"TWinControl");
    RegisterClass<TTreeView>(L"TCustomTreeView", L"TWinControl");
    RegisterClass<THeaderControl>(L"TCustomHeaderControl", L"TWinControl");
    RegisterClass<TTabControl>(L"TCustomTabControl", L"TWinControl");

    RegisterClass<TImageList>(L"TImageList", L"TCustomImageList")
        .Prop(L"Width", &TImageList::Width, &TImageList::SetWidth)
        .Prop(L"Height", &TImageList::Height, &TImageList::SetHeight)
        .Prop(L"Masked", &TImageList::Masked, &TImageList::SetMasked)
        .ColorProp(L"BkColor", &TImageList::BkColor, &TImageList::SetBkColor);

    RegisterEnum<TViewStyle>(L"TViewStyle", {{L"vsIcon", vsIcon}, {L"vsSmallIcon", vsSmallIcon}, {L"vsList", vsList}, {L"vsReport", vsReport}});
    RegisterClass<TListColumn>(L"TListColumn", L"")
        .Prop(L"Caption", &TListColumn::Caption, &TListColumn::SetCaption)
        .Prop(L"Width", &TListColumn::Width, &TListColumn::SetWidth)
        .Prop(L"Alignment", &TListColumn::Alignment, &TListColumn::SetAlignment);
    RegisterClass<TListView>(L"TListView", L"TCustomListView")
        .Custom(L"Columns", TPropKind::Collection,
                [](TListView* view, const FormValue& v, TPropContext& ctx) { ReadCollection(view, &TListView::Columns, L"Columns", v, ctx); })
        .Prop(L"ViewStyle", &TListView::ViewStyle, &TListView::SetViewStyle)
        .Prop(L"Checkboxes", &TListView::Checkboxes, &TListView::SetCheckboxes)
        .Prop(L"RowSelect", &TListView::RowSelect, &TListView::SetRowSelect)
        .Prop(L"ReadOnly", &TListView::ReadOnly, &TListView::SetReadOnly)
        .Prop(L"GridLines", &TListView::GridLines, &TListView::SetGridLines)
        .Prop(L"MultiSelect", &TListView::MultiSelect, &TListView::SetMultiSelect)
        .ComponentProp(L"SmallImages", &TListView::SmallImages, &TListView::SetSmallImages)
        .ComponentProp(L"LargeImages", &TListView::LargeImages, &TListView::SetLargeImages)
        .Event(L"OnChange", &TListView::OnChange)
        .Event(L"OnSelectItem", &TListView::OnSelectItem)
        .Event(L"OnColumnClick", &TListView::OnColumnClick);

    RegisterClass<TTreeView>(L"TTreeView", L"TCustomTreeView")
        .Prop(L"ShowLines", &TTreeView::ShowLines, &TTreeView::SetShowLines)
        .Prop(L"ShowButtons", &TTreeView::ShowButtons, &TTreeView::SetShowButtons)
        .Prop(L"ShowRoot", &TTreeView::ShowRoot, &TTreeView::SetShowRoot)
        .Prop(L"ReadOnly", &TTreeView::ReadOnly, &TTreeView::SetReadOnly)
        .ComponentProp(L"Images", &TTreeView::Images, &TTreeView::SetImages)
        .Event(L"OnChange", &TTreeView::OnChange)
        .Event(L"OnExpanding", &TTreeView::OnExpanding)
        .Event(L"OnCollapsing", &TTreeView::OnCollapsing)
        .Event(L"OnExpanded", &TTreeView::OnExpanded)
        .Event(L"OnCollapsed", &TTreeView::OnCollapsed);

    RegisterClass<THeaderSection>(L"THeaderSection", L"")
        .Prop(L"Text", &THeaderSection::Text, &THeaderSection::SetText)
        .Prop(L"Width", &THeaderSection::Width, &THeaderSection::SetWidth)
        .Prop(L"Alignment", &THeaderSection::Alignment, &THeaderSection::SetAlignment)
        .Prop(L"ImageIndex", &THeaderSection::ImageIndex, &THeaderSection::SetImageIndex);
    RegisterClass<THeaderControl>(L"THeaderControl", L"TCustomHeaderControl")
        .Custom(L"Sections", TPropKind::Collection,
                [](THeaderControl* header, const FormValue& v, TPropContext& ctx) {
                    ReadCollection(header, &THeaderControl::Sections, L"Sections", v, ctx);
                })
        .ComponentProp(L"Images", &THeaderControl::Images, &THeaderControl::SetImages)
        .Event(L"OnSectionClick", &THeaderControl::OnSectionClick)
        .Event(L"OnSectionResize", &THeaderControl::OnSectionResize);

    RegisterClass<TTabControl>(L"TTabControl", L"TCustomTabControl")
        .ObjectProp(L"Tabs", &TTabControl::Tabs)
        .Prop(L"TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex)
        .Prop(L"MultiLine", &TTabControl::MultiLine, &TTabControl::SetMultiLine)
        .Prop(L"Style", &TTabControl::Style, &TTabControl::SetStyle)
        .Prop(L"TabPosition", &TTabControl::TabPosition, &TTabControl::SetTabPosition)
        .ComponentProp(L"Images", &TTabControl::Images, &TTabControl::SetImages)
        .Event(L"OnChange", &TTabControl::OnChange)
        .Event(L"OnChanging", &TTabControl::OnChanging);

    RegisterEnum<TToolButtonStyle>(L"TToolButtonStyle", {{L"tbsButton", tbsButton}, {L"tbsCheck", tbsCheck},
                                                         {L"tbsDropDown", tbsDropDown}, {L"tbsSeparator", tbsSeparator},
                                                         {L"tbsDivider", tbsDivider}});
    RegisterClass<TToolButton>(L"TToolButton", L"TControl")
        .Prop(L"ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex)
        .Prop(L"Style", &TToolButton::Style, &TToolButton::SetStyle)
        .Prop(L"Down", &TToolButton::Down, &TToolButton::SetDown)
        .Prop(L"Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped)
        .ComponentProp(L"MenuItem", &TToolButton::MenuItem, &TToolButton::SetMenuItem);
    RegisterClass<TToolBar>(L"TToolBar", L"TWinControl")
        .ComponentProp(L"Images", &TToolBar::Images, &TToolBar::SetImages)
        .Prop(L"ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions)
        .Prop(L"Flat", &TToolBar::Flat, &TToolBar::SetFlat)
        .Prop(L"ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth)
        .Prop(L"ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight)
        .Event(L"OnCustomDraw", &TToolBar::OnCustomDraw)
        .Event(L"OnCustomDrawButton", &TToolBar::OnCustomDrawButton)
        .Event(L"OnAdvancedCustomDraw", &TToolBar::OnAdvancedCustomDraw)
        .Event(L"OnAdvancedCustomDrawButton", &TToolBar::OnAdvancedCustomDrawButton);
}
