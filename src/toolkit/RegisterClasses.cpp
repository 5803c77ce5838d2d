// Published properties of the toolkit's window-side classes.
#include "toolkit/RegisterClasses.h"
#include "toolkit/RegisterFamilies.h"

#include "toolkit/Application.h"
#include "toolkit/BitBtn.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/CheckListBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/DateTimePicker.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/Memo.h"
#include "toolkit/PageControl.h"
#include "toolkit/Panel.h"
#include "toolkit/ProgressBar.h"
#include "toolkit/RadioButton.h"
#include "toolkit/RadioGroup.h"
#include "toolkit/ScrollBar.h"
#include "toolkit/core/Rtti.h"
#include "toolkit/Shape.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/StatusBar.h"
#include "toolkit/Timer.h"
#include "toolkit/TrackBar.h"
#include "toolkit/UpDown.h"

namespace {

const std::pair<const wchar_t*, int> kCharsets[] = {
    {L"ANSI_CHARSET", 0},       {L"DEFAULT_CHARSET", 1},   {L"SYMBOL_CHARSET", 2},      {L"MAC_CHARSET", 77},
    {L"SHIFTJIS_CHARSET", 128}, {L"HANGEUL_CHARSET", 129}, {L"JOHAB_CHARSET", 130},     {L"GB2312_CHARSET", 134},
    {L"CHINESEBIG5_CHARSET", 136}, {L"GREEK_CHARSET", 161}, {L"TURKISH_CHARSET", 162}, {L"VIETNAMESE_CHARSET", 163},
    {L"HEBREW_CHARSET", 177},   {L"ARABIC_CHARSET", 178},  {L"BALTIC_CHARSET", 186},    {L"RUSSIAN_CHARSET", 204},
    {L"THAI_CHARSET", 222},     {L"EASTEUROPE_CHARSET", 238}, {L"OEM_CHARSET", 255},
};

void SetCharset(TFont* font, const FormValue& v, TPropContext&) {
    if (v.kind == FormValue::Kind::Integer && v.integer >= 0 && v.integer <= 255) {
        font->SetCharset(static_cast<TFontCharset>(v.integer));
        return;
    }
    if (v.kind == FormValue::Kind::Ident)
        for (auto& [name, value] : kCharsets)
            if (SameText(name, v.text)) {
                font->SetCharset(static_cast<TFontCharset>(value));
                return;
            }
    throw EPropertyConvertError("Invalid property value for Charset");
}

// Panels = < item Text = '...' Width = 50 end ... >
void SetStatusPanels(TStatusBar* bar, const FormValue& v, TPropContext& ctx) {
    if (v.kind != FormValue::Kind::Collection) rtti::KindMismatch(L"Panels", "collection");
    bar->Panels().Clear();
    for (const auto& entry : v.entries) {
        TStatusPanel* panel = bar->Panels().Add();
        for (const FormProperty& p : entry) SetPropValue(panel, p.name, p.value, &ctx);
    }
}

// Glyph.Data = { size (4 bytes, little-endian) followed by a .bmp file }, as
// form designers write bitmaps.
void SetBitmapData(TBitmap* bitmap, const FormValue& v, TPropContext&) {
    if (v.kind != FormValue::Kind::Binary) rtti::KindMismatch(L"Data", "binary");
    if (v.bytes.size() < 4) throw EPropertyConvertError("Bitmap data too short");
    size_t size = v.bytes[0] | v.bytes[1] << 8 | v.bytes[2] << 16 | static_cast<size_t>(v.bytes[3]) << 24;
    if (size != v.bytes.size() - 4) throw EPropertyConvertError("Bitmap data size does not match");
    bitmap->LoadFromBytes(std::span<const uint8_t>(v.bytes).subspan(4));
}

// Values written by form designers that have no meaning here.
template <class T>
void Ignored(ClassBuilder<T>& b, std::initializer_list<const wchar_t*> names) {
    for (const wchar_t* name : names) b.Custom(name, TPropKind::Integer, [](T*, const FormValue&, TPropContext&) {});
}

void RegisterWindowClasses() {
    RegisterEnum<TFontStyle>(L"TFontStyle", {{L"fsBold", fsBold}, {L"fsItalic", fsItalic},
                                             {L"fsUnderline", fsUnderline}, {L"fsStrikeOut", fsStrikeOut}});
    RegisterEnum<TFontPitch>(L"TFontPitch", {{L"fpDefault", fpDefault}, {L"fpVariable", fpVariable}, {L"fpFixed", fpFixed}});
    RegisterEnum<TAlignment>(L"TAlignment",
                             {{L"taLeftJustify", taLeftJustify}, {L"taRightJustify", taRightJustify}, {L"taCenter", taCenter}});
    RegisterEnum<TBiDiMode>(L"TBiDiMode", {{L"bdLeftToRight", bdLeftToRight}, {L"bdRightToLeft", bdRightToLeft},
                                           {L"bdRightToLeftNoAlign", bdRightToLeftNoAlign},
                                           {L"bdRightToLeftReadingOnly", bdRightToLeftReadingOnly}});
    RegisterEnum<TFormBorderStyle>(L"TFormBorderStyle",
                                   {{L"bsNone", bsNone}, {L"bsSingle", bsSingle}, {L"bsSizeable", bsSizeable},
                                    {L"bsDialog", bsDialog}, {L"bsToolWindow", bsToolWindow}, {L"bsSizeToolWin", bsSizeToolWin}});
    RegisterEnum<TBorderIcon>(L"TBorderIcon", {{L"biSystemMenu", biSystemMenu}, {L"biMinimize", biMinimize},
                                               {L"biMaximize", biMaximize}, {L"biHelp", biHelp}});
    RegisterEnum<TWindowState>(L"TWindowState", {{L"wsNormal", wsNormal}, {L"wsMinimized", wsMinimized}, {L"wsMaximized", wsMaximized}});
    RegisterEnum<TFormStyle>(L"TFormStyle", {{L"fsNormal", fsNormal}, {L"fsMDIChild", fsMDIChild},
                                             {L"fsMDIForm", fsMDIForm}, {L"fsStayOnTop", fsStayOnTop}});
    RegisterEnum<TPosition>(L"TPosition", {{L"poDesigned", poDesigned}, {L"poDefault", poDefault},
                                           {L"poDefaultPosOnly", poDefaultPosOnly}, {L"poDefaultSizeOnly", poDefaultSizeOnly},
                                           {L"poScreenCenter", poScreenCenter}, {L"poDesktopCenter", poDesktopCenter},
                                           {L"poMainFormCenter", poMainFormCenter}, {L"poOwnerFormCenter", poOwnerFormCenter}});
    RegisterEnum<TCheckBoxState>(L"TCheckBoxState", {{L"cbUnchecked", cbUnchecked}, {L"cbChecked", cbChecked}, {L"cbGrayed", cbGrayed}});
    RegisterEnum<TComboBoxStyle>(L"TComboBoxStyle", {{L"csDropDown", csDropDown}, {L"csSimple", csSimple},
                                                     {L"csDropDownList", csDropDownList}, {L"csOwnerDrawFixed", csOwnerDrawFixed},
                                                     {L"csOwnerDrawVariable", csOwnerDrawVariable}});
    RegisterEnum<TBevelCut>(L"TBevelCut", {{L"bvNone", bvNone}, {L"bvLowered", bvLowered}, {L"bvRaised", bvRaised}, {L"bvSpace", bvSpace}});
    RegisterEnum<TTextLayout>(L"TTextLayout", {{L"tlTop", tlTop}, {L"tlCenter", tlCenter}, {L"tlBottom", tlBottom}});
    RegisterEnum<TShapeType>(L"TShapeType", {{L"stRectangle", stRectangle}, {L"stSquare", stSquare}, {L"stRoundRect", stRoundRect},
                                             {L"stRoundSquare", stRoundSquare}, {L"stEllipse", stEllipse}, {L"stCircle", stCircle}});
    RegisterEnum<TBrushStyle>(L"TBrushStyle", {{L"bsSolid", bsSolid}, {L"bsClear", bsClear}, {L"bsHorizontal", bsHorizontal},
                                               {L"bsVertical", bsVertical}, {L"bsFDiagonal", bsFDiagonal}, {L"bsBDiagonal", bsBDiagonal},
                                               {L"bsCross", bsCross}, {L"bsDiagCross", bsDiagCross}});
    RegisterEnum<TPenStyle>(L"TPenStyle", {{L"psSolid", psSolid}, {L"psDash", psDash}, {L"psDot", psDot}, {L"psDashDot", psDashDot},
                                           {L"psDashDotDot", psDashDotDot}, {L"psClear", psClear}, {L"psInsideFrame", psInsideFrame}});
    RegisterEnum<TTabStyle>(L"TTabStyle", {{L"tsTabs", tsTabs}, {L"tsButtons", tsButtons}, {L"tsFlatButtons", tsFlatButtons}});
    RegisterEnum<TTabPosition>(L"TTabPosition", {{L"tpTop", tpTop}, {L"tpBottom", tpBottom}, {L"tpLeft", tpLeft}, {L"tpRight", tpRight}});
    RegisterEnum<TStatusPanelBevel>(L"TStatusPanelBevel", {{L"pbNone", pbNone}, {L"pbLowered", pbLowered}, {L"pbRaised", pbRaised}});
    RegisterEnum<TStatusPanelStyle>(L"TStatusPanelStyle", {{L"psText", psText}, {L"psOwnerDraw", psOwnerDraw}});
    RegisterEnum<TDateTimeKind>(L"TDateTimeKind", {{L"dtkDate", dtkDate}, {L"dtkTime", dtkTime}});
    RegisterEnum<TDTDateMode>(L"TDTDateMode", {{L"dmComboBox", dmComboBox}, {L"dmUpDown", dmUpDown}});
    RegisterEnum<TDTDateFormat>(L"TDTDateFormat", {{L"dfShort", dfShort}, {L"dfLong", dfLong}});

    RegisterClass<TFont>(L"TFont", L"")
        .Prop(L"Name", &TFont::Name, &TFont::SetName)
        .Prop(L"Height", &TFont::Height, &TFont::SetHeight)
        .Prop(L"Size", &TFont::Size, &TFont::SetSize)
        .Prop(L"Style", &TFont::Style, &TFont::SetStyle)
        .Prop(L"Pitch", &TFont::Pitch, &TFont::SetPitch)
        .ColorProp(L"Color", &TFont::Color, &TFont::SetColor)
        .Custom(L"Charset", TPropKind::Integer, SetCharset,
                [](TFont* f) { return FormValue::Integer(f->Charset()); });
    RegisterClass<TBrush>(L"TBrush", L"")
        .ColorProp(L"Color", &TBrush::Color, &TBrush::SetColor)
        .Prop(L"Style", &TBrush::Style, &TBrush::SetStyle);
    RegisterClass<TPen>(L"TPen", L"")
        .ColorProp(L"Color", &TPen::Color, &TPen::SetColor)
        .Prop(L"Width", &TPen::Width, &TPen::SetWidth)
        .Prop(L"Style", &TPen::Style, &TPen::SetStyle);
    RegisterClass<TControlScrollBar>(L"TControlScrollBar", L"")
        .Prop(L"Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible)
        .Prop(L"Range", &TControlScrollBar::Range, &TControlScrollBar::SetRange)
        .Prop(L"Position", &TControlScrollBar::Position, &TControlScrollBar::SetPosition);
    RegisterClass<TStatusPanel>(L"TStatusPanel", L"")
        .Prop(L"Text", &TStatusPanel::Text, &TStatusPanel::SetText)
        .Prop(L"Width", &TStatusPanel::Width, &TStatusPanel::SetWidth)
        .Prop(L"Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment)
        .Prop(L"Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel)
        .Prop(L"Style", &TStatusPanel::Style, &TStatusPanel::SetStyle);

    RegisterClass<TControl>(L"TControl", L"TComponent")
        .Prop(L"Left", &TControl::Left, &TControl::SetLeft)
        .Prop(L"Top", &TControl::Top, &TControl::SetTop)
        .Prop(L"Width", &TControl::Width, &TControl::SetWidth)
        .Prop(L"Height", &TControl::Height, &TControl::SetHeight)
        .Prop(L"ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth)
        .Prop(L"ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight)
        .Prop(L"Caption", &TControl::Caption, &TControl::SetCaption)
        .Prop(L"Text", &TControl::Text, &TControl::SetTextValue)
        .Prop(L"Visible", &TControl::Visible, &TControl::SetVisible)
        .Prop(L"Enabled", &TControl::Enabled, &TControl::SetEnabled)
        .ColorProp(L"Color", &TControl::Color, &TControl::SetColor)
        .ObjectProp(L"Font", &TControl::Font)
        .Prop(L"ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
        .Prop(L"ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
        .Prop(L"Hint", &TControl::Hint, &TControl::SetHint)
        .Prop(L"ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
        .Prop(L"BiDiMode", &TControl::BiDiMode, &TControl::SetBiDiMode)
        .Event(L"OnClick", &TControl::OnClick)
        .Event(L"OnDblClick", &TControl::OnDblClick)
        .Event(L"OnMouseDown", &TControl::OnMouseDown)
        .Event(L"OnMouseUp", &TControl::OnMouseUp)
        .Event(L"OnMouseMove", &TControl::OnMouseMove);
    auto winControl = RegisterClass<TWinControl>(L"TWinControl", L"TControl");
    winControl.Prop(L"TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
        .Prop(L"TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
        .Prop(L"ParentBackground", &TWinControl::ParentBackground, &TWinControl::SetParentBackground)
        .Event(L"OnEnter", &TWinControl::OnEnter)
        .Event(L"OnExit", &TWinControl::OnExit)
        .Event(L"OnKeyDown", &TWinControl::OnKeyDown)
        .Event(L"OnKeyUp", &TWinControl::OnKeyUp)
        .Event(L"OnKeyPress", &TWinControl::OnKeyPress);
    Ignored(winControl, {L"Ctl3D", L"ParentCtl3D", L"ImeName", L"ImeMode", L"DesignSize", L"Anchors"});
    RegisterClass<TGraphicControl>(L"TGraphicControl", L"TControl");
    RegisterClass<TCustomControl>(L"TCustomControl", L"TWinControl");

    auto form = RegisterClass<TForm>(L"TForm", L"TCustomControl");
    form.Prop(L"BorderStyle", &TForm::BorderStyle, &TForm::SetBorderStyle)
        .Prop(L"BorderIcons", &TForm::BorderIcons, &TForm::SetBorderIcons)
        .Prop(L"WindowState", &TForm::WindowState, &TForm::SetWindowState)
        .Prop(L"FormStyle", &TForm::FormStyle, &TForm::SetFormStyle)
        .Prop(L"Position", &TForm::Position, &TForm::SetPosition)
        .Prop(L"KeyPreview", &TForm::KeyPreview, &TForm::SetKeyPreview)
        .Prop(L"Scaled", &TForm::Scaled, &TForm::SetScaled)
        .Prop(L"AutoScroll", &TForm::AutoScroll, &TForm::SetAutoScroll)
        .ObjectProp(L"HorzScrollBar", &TForm::HorzScrollBar)
        .ObjectProp(L"VertScrollBar", &TForm::VertScrollBar)
        .ComponentProp(L"ActiveControl", &TForm::ActiveControl, &TForm::SetActiveControl)
        .Event(L"OnCreate", &TForm::OnCreate)
        .Event(L"OnDestroy", &TForm::OnDestroy)
        .Event(L"OnShow", &TForm::OnShow)
        .Event(L"OnHide", &TForm::OnHide)
        .Event(L"OnActivate", &TForm::OnActivate)
        .Event(L"OnDeactivate", &TForm::OnDeactivate)
        .Event(L"OnPaint", &TForm::OnPaint)
        .Event(L"OnResize", &TForm::OnResize)
        .Event(L"OnClose", &TForm::OnClose)
        .Event(L"OnCloseQuery", &TForm::OnCloseQuery);
    Ignored(form, {L"PixelsPerInch", L"TextHeight", L"OldCreateOrder", L"Icon"});

    RegisterClass<TButton>(L"TButton", L"TWinControl")
        .Prop(L"Default", &TButton::Default, &TButton::SetDefault)
        .Prop(L"Cancel", &TButton::Cancel, &TButton::SetCancel)
        .Prop(L"ModalResult", &TButton::ModalResult, &TButton::SetModalResult);
    RegisterClass<TCheckBox>(L"TCheckBox", L"TWinControl")
        .Prop(L"Checked", &TCheckBox::Checked, &TCheckBox::SetChecked)
        .Prop(L"State", &TCheckBox::State, &TCheckBox::SetState)
        .Prop(L"AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed)
        .Prop(L"Alignment", &TCheckBox::Alignment, &TCheckBox::SetAlignment);
    RegisterClass<TRadioButton>(L"TRadioButton", L"TWinControl")
        .Prop(L"Checked", &TRadioButton::Checked, &TRadioButton::SetChecked)
        .Prop(L"Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment);
    RegisterClass<TRadioGroup>(L"TRadioGroup", L"TGroupBox")
        .ObjectProp(L"Items", &TRadioGroup::Items)
        .Prop(L"ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex)
        .Prop(L"Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns);
    RegisterClass<TEdit>(L"TEdit", L"TWinControl")
        .Prop(L"MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength)
        .Prop(L"ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly)
        .Prop(L"BorderStyle", &TEdit::BorderStyle, &TEdit::SetBorderStyle)
        .Event(L"OnChange", &TEdit::OnChange);
    RegisterEnum<TScrollStyle>(L"TScrollStyle",
                               {{L"ssNone", ssNone}, {L"ssHorizontal", ssHorizontal}, {L"ssVertical", ssVertical}, {L"ssBoth", ssBoth}});
    RegisterClass<TMemo>(L"TMemo", L"TEdit")
        .ObjectProp(L"Lines", &TMemo::Lines)
        .Prop(L"ScrollBars", &TMemo::ScrollBars, &TMemo::SetScrollBars)
        .Prop(L"WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap);
    RegisterClass<TListBox>(L"TListBox", L"TWinControl")
        .ObjectProp(L"Items", &TListBox::Items)
        .Prop(L"ItemIndex", &TListBox::ItemIndex, &TListBox::SetItemIndex)
        .Prop(L"MultiSelect", &TListBox::MultiSelect, &TListBox::SetMultiSelect)
        .Prop(L"Sorted", &TListBox::Sorted, &TListBox::SetSorted);
    RegisterClass<TCheckListBox>(L"TCheckListBox", L"TListBox")
        .Event(L"OnClickCheck", &TCheckListBox::OnClickCheck);
    RegisterEnum<TScrollBarKind>(L"TScrollBarKind", {{L"sbHorizontal", sbHorizontal}, {L"sbVertical", sbVertical}});
    RegisterClass<TScrollBar>(L"TScrollBar", L"TWinControl")
        .Prop(L"Kind", &TScrollBar::Kind, &TScrollBar::SetKind)
        .Prop(L"Min", &TScrollBar::Min, &TScrollBar::SetMin)
        .Prop(L"Max", &TScrollBar::Max, &TScrollBar::SetMax)
        .Prop(L"Position", &TScrollBar::Position, &TScrollBar::SetPosition)
        .Prop(L"SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange)
        .Prop(L"LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange)
        .Event(L"OnChange", &TScrollBar::OnChange)
        .Event(L"OnScroll", &TScrollBar::OnScroll);
    RegisterEnum<TProgressBarOrientation>(L"TProgressBarOrientation", {{L"pbHorizontal", pbHorizontal}, {L"pbVertical", pbVertical}});
    RegisterClass<TProgressBar>(L"TProgressBar", L"TWinControl")
        .Prop(L"Min", &TProgressBar::Min, &TProgressBar::SetMin)
        .Prop(L"Max", &TProgressBar::Max, &TProgressBar::SetMax)
        .Prop(L"Position", &TProgressBar::Position, &TProgressBar::SetPosition)
        .Prop(L"Orientation", &TProgressBar::Orientation, &TProgressBar::SetOrientation)
        .Prop(L"Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth);
    RegisterEnum<TTrackBarOrientation>(L"TTrackBarOrientation", {{L"trHorizontal", trHorizontal}, {L"trVertical", trVertical}});
    RegisterClass<TTrackBar>(L"TTrackBar", L"TWinControl")
        .Prop(L"Min", &TTrackBar::Min, &TTrackBar::SetMin)
        .Prop(L"Max", &TTrackBar::Max, &TTrackBar::SetMax)
        .Prop(L"Position", &TTrackBar::Position, &TTrackBar::SetPosition)
        .Prop(L"Orientation", &TTrackBar::Orientation, &TTrackBar::SetOrientation)
        .Prop(L"Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency)
        .Event(L"OnChange", &TTrackBar::OnChange);
    RegisterEnum<TUDOrientation>(L"TUDOrientation", {{L"udHorizontal", udHorizontal}, {L"udVertical", udVertical}});
    RegisterClass<TUpDown>(L"TUpDown", L"TWinControl")
        .ComponentProp(L"Associate", &TUpDown::Associate, &TUpDown::SetAssociate)
        .Prop(L"Min", &TUpDown::Min, &TUpDown::SetMin)
        .Prop(L"Max", &TUpDown::Max, &TUpDown::SetMax)
        .Prop(L"Position", &TUpDown::Position, &TUpDown::SetPosition)
        .Prop(L"Orientation", &TUpDown::Orientation, &TUpDown::SetOrientation)
        .Event(L"OnClick", &TUpDown::OnClick);
    RegisterClass<TBitmap>(L"TBitmap", L"").Custom(L"Data", TPropKind::Binary, SetBitmapData);
    RegisterEnum<TButtonLayout>(L"TButtonLayout", {{L"blGlyphLeft", blGlyphLeft}, {L"blGlyphRight", blGlyphRight},
                                                   {L"blGlyphTop", blGlyphTop}, {L"blGlyphBottom", blGlyphBottom}});
    RegisterClass<TBitBtn>(L"TBitBtn", L"TButton")
        .ObjectProp(L"Glyph", &TBitBtn::Glyph)
        .Prop(L"NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs)
        .Prop(L"Layout", &TBitBtn::Layout, &TBitBtn::SetLayout)
        .Prop(L"Margin", &TBitBtn::Margin, &TBitBtn::SetMargin)
        .Prop(L"Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing);
    RegisterClass<TSpeedButton>(L"TSpeedButton", L"TGraphicControl")
        .Prop(L"Down", &TSpeedButton::Down, &TSpeedButton::SetDown)
        .Prop(L"Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat)
        .Prop(L"GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex)
        .Prop(L"AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp)
        .Prop(L"NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs)
        .ObjectProp(L"Glyph", &TSpeedButton::Glyph);
    RegisterClass<TComboBox>(L"TComboBox", L"TWinControl")
        .Prop(L"Style", &TComboBox::Style, &TComboBox::SetStyle)
        .ObjectProp(L"Items", &TComboBox::Items)
        .Prop(L"ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex)
        .Prop(L"DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount)
        .Prop(L"MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength)
        .Event(L"OnChange", &TComboBox::OnChange)
        .Event(L"OnDropDown", &TComboBox::OnDropDown)
        .Event(L"OnCloseUp", &TComboBox::OnCloseUp)
        .Event(L"OnSelect", &TComboBox::OnSelect);
    RegisterClass<TGroupBox>(L"TGroupBox", L"TCustomControl");
    RegisterClass<TPanel>(L"TPanel", L"TCustomControl")
        .Prop(L"BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter)
        .Prop(L"BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner)
        .Prop(L"BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth)
        .Prop(L"Alignment", &TPanel::Alignment, &TPanel::SetAlignment);
    RegisterClass<TLabel>(L"TLabel", L"TGraphicControl")
        .Prop(L"AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize)
        .Prop(L"Alignment", &TLabel::Alignment, &TLabel::SetAlignment)
        .Prop(L"Layout", &TLabel::Layout, &TLabel::SetLayout)
        .Prop(L"Transparent", &TLabel::Transparent, &TLabel::SetTransparent)
        .Prop(L"WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap)
        .Prop(L"ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar);
    RegisterClass<TShape>(L"TShape", L"TGraphicControl")
        .Prop(L"Shape", &TShape::Shape, &TShape::SetShape)
        .ObjectProp(L"Brush", &TShape::Brush)
        .ObjectProp(L"Pen", &TShape::Pen);
    RegisterClass<TPageControl>(L"TPageControl", L"TCustomTabControl")
        .ComponentProp(L"ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage)
        .Prop(L"Style", &TPageControl::Style, &TPageControl::SetStyle)
        .Prop(L"TabPosition", &TPageControl::TabPosition, &TPageControl::SetTabPosition)
        .Event(L"OnChange", &TPageControl::OnChange)
        .Event(L"OnChanging", &TPageControl::OnChanging);
    RegisterClass<TTabSheet>(L"TTabSheet", L"TCustomControl");
    RegisterClass<TStatusBar>(L"TStatusBar", L"TWinControl")
        .Custom(L"Panels", TPropKind::Collection, SetStatusPanels)
        .Prop(L"SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel)
        .Prop(L"SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText)
        .Prop(L"SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip)
        .Event(L"OnDrawPanel", &TStatusBar::OnDrawPanel);
    RegisterClass<TDateTimePicker>(L"TDateTimePicker", L"TWinControl")
        .Prop(L"Kind", &TDateTimePicker::Kind, &TDateTimePicker::SetKind)
        .Prop(L"DateMode", &TDateTimePicker::DateMode, &TDateTimePicker::SetDateMode)
        .Prop(L"DateFormat", &TDateTimePicker::DateFormat, &TDateTimePicker::SetDateFormat)
        .Prop(L"DateTime", &TDateTimePicker::DateTime, &TDateTimePicker::SetDateTime)
        .Prop(L"Date", &TDateTimePicker::Date, &TDateTimePicker::SetDate)
        .Prop(L"Time", &TDateTimePicker::Time, &TDateTimePicker::SetTime)
        .Event(L"OnChange", &TDateTimePicker::OnChange);
    RegisterClass<TTimer>(L"TTimer", L"TComponent")
        .Prop(L"Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
        .Prop(L"Interval", &TTimer::Interval, &TTimer::SetInterval)
        .Event(L"OnTimer", &TTimer::OnTimer);
}

}  // namespace

void RegisterToolkitClasses() {
    static const bool registered = [] {
        RegisterCoreClasses();
        RegisterWindowClasses();
        RegisterMenuClasses();
        RegisterCommonControlClasses();
        RegisterMoreControlClasses();
        return true;
    }();
    (void)registered;
}

