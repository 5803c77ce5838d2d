// Published properties of one control family (see RegisterFamilies.h).
#include "toolkit/Frame.h"
#include "toolkit/MediaPlayer.h"
#include "toolkit/RegisterFamilies.h"
#include "toolkit/ScrollBox.h"
#include "toolkit/StringGrid.h"
#include "toolkit/TabSet.h"
#include "toolkit/core/Rtti.h"

void RegisterMoreControlClasses() {
    RegisterClass<TScrollBoxBar>(L"TScrollBoxBar", L"")
        .Prop(L"Visible", &TScrollBoxBar::Visible, &TScrollBoxBar::SetVisible)
        .Prop(L"Range", &TScrollBoxBar::Range, &TScrollBoxBar::SetRange)
        .Prop(L"Position", &TScrollBoxBar::Position, &TScrollBoxBar::SetPosition)
        .Prop(L"Increment", &TScrollBoxBar::Increment, &TScrollBoxBar::SetIncrement);
    RegisterClass<TScrollBox>(L"TScrollBox", L"TCustomControl")
        .ObjectProp(L"HorzScrollBar", &TScrollBox::HorzScrollBar)
        .ObjectProp(L"VertScrollBar", &TScrollBox::VertScrollBar)
        .Prop(L"BorderStyle", &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle)
        .Prop(L"AutoScroll", &TScrollBox::AutoScroll, &TScrollBox::SetAutoScroll);

    RegisterClass<TStringGrid>(L"TStringGrid", L"TCustomControl")
        .Prop(L"ColCount", &TStringGrid::ColCount, &TStringGrid::SetColCount)
        .Prop(L"RowCount", &TStringGrid::RowCount, &TStringGrid::SetRowCount)
        .Prop(L"FixedCols", &TStringGrid::FixedCols, &TStringGrid::SetFixedCols)
        .Prop(L"FixedRows", &TStringGrid::FixedRows, &TStringGrid::SetFixedRows)
        .Prop(L"DefaultColWidth", &TStringGrid::DefaultColWidth, &TStringGrid::SetDefaultColWidth)
        .Prop(L"DefaultRowHeight", &TStringGrid::DefaultRowHeight, &TStringGrid::SetDefaultRowHeight)
        .Prop(L"GridLineWidth", &TStringGrid::GridLineWidth, &TStringGrid::SetGridLineWidth)
        .ColorProp(L"FixedColor", &TStringGrid::FixedColor, &TStringGrid::SetFixedColor)
        .ColorProp(L"FixedFontColor", &TStringGrid::FixedFontColor, &TStringGrid::SetFixedFontColor)
        .Prop(L"ScrollBars", &TStringGrid::ScrollBars, &TStringGrid::SetScrollBars)
        .Prop(L"BorderStyle", &TStringGrid::BorderStyle, &TStringGrid::SetBorderStyle)
        .Prop(L"Col", &TStringGrid::Col, &TStringGrid::SetCol)
        .Prop(L"Row", &TStringGrid::Row, &TStringGrid::SetRow)
        .Event(L"OnSelectCell", &TStringGrid::OnSelectCell);

    RegisterClass<TFrame>(L"TFrame", L"TCustomControl");

    RegisterEnum<TMPBtnType>(L"TMPBtnType", {{L"btPlay", TMPBtnType::btPlay},
                                             {L"btPause", TMPBtnType::btPause},
                                             {L"btStop", TMPBtnType::btStop},
                                             {L"btNext", TMPBtnType::btNext},
                                             {L"btPrev", TMPBtnType::btPrev},
                                             {L"btStep", TMPBtnType::btStep},
                                             {L"btBack", TMPBtnType::btBack},
                                             {L"btRecord", TMPBtnType::btRecord},
                                             {L"btEject", TMPBtnType::btEject}});
    RegisterClass<TMediaPlayer>(L"TMediaPlayer", L"TCustomControl")
        .Prop(L"VisibleButtons", &TMediaPlayer::VisibleButtons, &TMediaPlayer::SetVisibleButtons)
        .Prop(L"EnabledButtons", &TMediaPlayer::EnabledButtons, &TMediaPlayer::SetEnabledButtons)
        .Prop(L"ColoredButtons", &TMediaPlayer::ColoredButtons, &TMediaPlayer::SetColoredButtons)
        .Event(L"OnClick", &TMediaPlayer::OnClick);

    RegisterClass<TTabScroller>(L"TTabScroller", L"TCustomControl");
    RegisterClass<TTabSet>(L"TTabSet", L"TCustomControl")
        .ObjectProp(L"Tabs", &TTabSet::Tabs)
        .Prop(L"TabIndex", &TTabSet::TabIndex, &TTabSet::SetTabIndex)
        .Prop(L"FirstIndex", &TTabSet::FirstIndex, &TTabSet::SetFirstIndex)
        .Prop(L"StartMargin", &TTabSet::StartMargin, &TTabSet::SetStartMargin)
        .Prop(L"EndMargin", &TTabSet::EndMargin, &TTabSet::SetEndMargin)
        .ColorProp(L"SelectedColor", &TTabSet::SelectedColor, &TTabSet::SetSelectedColor)
        .ColorProp(L"UnselectedColor", &TTabSet::UnselectedColor, &TTabSet::SetUnselectedColor)
        .Event(L"OnChange", &TTabSet::OnChange);
}
