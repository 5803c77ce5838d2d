#include "skin/data/win32/Winskindata.h"

namespace relayon::skin {

// Foreign control classes and how the control skinning treats them.
TStrings DefaultSkin3rd() {
    static const struct {
        const wchar_t* kind;
        std::vector<const wchar_t*> classes;
    } kGroups[] = {
        {L"scrollbar", {L"TCategoryButtons", L"TVirtualStringTree", L"TVirtualDrawTree", L"TAdvPanelGroup", L"THTMLViewer",
                        L"TDBCtrlGrid", L"TImageEnMView", L"TImageEnView", L"TAdvMemo", L"TDBAdvMemo"}},
        {L"pngspeedbutton", {L"TPngSpeedbutton"}},
        {L"pngbitbtn", {L"TPngBitBtn"}},
        {L"button", {L"TRzButton"}},
        {L"menubtn", {L"TRzMenuButton"}},
        {L"Panel", {L"TTBXDockablePanel", L"TControlBar", L"TTBDock", L"TTBToolbar", L"TRzGroup", L"TLMDCalculator",
                    L"TLMDGROUPBOX"}},
        {L"panel", {L"TLMDSIMPLEPANEL", L"TLMDDBCalendar", L"TLMDButtonPanel", L"TLMDLMDCalculator", L"TLMDHeaderPanel",
                    L"TLMDTechnicalLine", L"TLMDLMDClock", L"TLMDTrackbar"}},
        {L"combobox", {L"TComboboxex", L"TcxDBLookupComboBox", L"TcxDBComboBox", L"TcxDBDateEdit", L"TcxDBImageComboBox",
                       L"TcxDBCalcEdit", L"TcxDBBlobEdit", L"TcxDBPopupEdit", L"TcxDBFontNameComboBox",
                       L"TcxDBShellComboBox", L"TRxLookupEdit", L"TRxDBLookupCombo", L"TRzDateTimeEdit", L"TRzColorEdit",
                       L"TRzDateTimePicker", L"TRzDBDateTimeEdit", L"TRzDbColorEdit", L"TRzDBDateTimePicker",
                       L"TLMDListCombobox", L"TLMDCheckListCombobox", L"TLMDHeaderListCombobox", L"TLMDImageCombobox",
                       L"TLMDColorCombobox", L"TLMDFontCombobox", L"TLMDFontSizeCombobox", L"TLMDFontSizeCombobox",
                       L"TLMDPrinterCombobox", L"TLMDDriveCombobox", L"TLMDCalculatorComboBox",
                       L"TLMDTrackBarComboBox", L"TLMDCalendarComboBox", L"TLMDTreeComboBox", L"TDBLookupCombobox",
                       L"TWWDBCombobox", L"TWWDBCombobox", L"TWWDBLookupCombo", L"TWWKeyCombo", L"TWWTempKeyCombo",
                       L"TWWDBDateTimePicker"}},
        {L"speedbutton", {L"TRxSpeedButton", L"TfrSpeedButton", L"TfrTBButton"}},
        {L"bitbtn", {L"TRzBitbtn", L"TLMDButton", L"TcxButton"}},
        {L"CheckGroup", {L"TRzCheckGroup", L"TLMDCheckGroup", L"TLMDDBCheckGroup"}},
        {L"Radiogroup", {L"TRzRadioGroup", L"TRzDBRadioGroup", L"TLMDRADIOGROUP", L"TLMDDBRADIOGROUP", L"TWWRADIOGROUP",
                         L"TcxDBRadioGroup", L"TcxRadioGroup"}},
        {L"Edit", {L"TRzButtonEdit", L"TLMDCalculatorEdit", L"TLMDEDIT", L"TLMDMASKEDIT", L"TLMDBROWSEEDIT",
                   L"TLMDEXTSPINEDIT", L"TLMDCALENDAREDIT", L"TLMDFILEOPENEDIT", L"TLMDFILESAVEEDIT", L"TLMDCOLOREDIT",
                   L"TLMDDBEDIT", L"TLMDDBMASKEDIT", L"TLMDDBEXTSPINEDIT"}},
        {L"edit", {L"TLMDDBSPINEDIT", L"TLMDDBEDITDBLookup", L"TLMDEDITDBLookup", L"TWWDBEDIT", L"TOVCPICTUREFIELD",
                   L"TOVCDBPICTUREFIELD", L"TOVCSLIDEREDIT", L"TOVCDBSLIDEREDIT", L"TOVCSIMPLEFIELD",
                   L"TOVCDBSIMPLEFIELD", L"TO32DBFLEXEDIT", L"TOVCNUMERICFIELD", L"TOVCDBNUMERICFIELD"}},
        {L"Radiobutton", {L"TRzDBRadioButton", L"TLMDRadiobutton"}},
        {L"Groupbox", {L"TLMDGroupBox", L"TcxGroupbox"}},
        {L"Checkbox", {L"TDBCheckboxEh", L"TDBCheckboxEh", L"TLMDCHECKBOX", L"TLMDDBCHECKBOX"}},
    };
    TStrings list;
    for (const auto& group : kGroups)
        for (const wchar_t* name : group.classes) list.Add(std::wstring(name) + L"=" + group.kind);
    return list;
}

}  // namespace relayon::skin
