#pragma once
// Which skinner a control gets, on plain data: the Skin3rd table of other
// vendors' classes, and the table for windows known only by their class and
// style (the controls of system dialogs).
#include <optional>
#include <string>
#include <vector>

namespace relayon::skin::paint {

// The kind word for `className` in Skin3rd lines "Class=kind": the first
// line that starts, ignoring case, with the class name directly followed by
// "="; the kind is at most 50 characters after it, in lower case. None when
// no line names the class.
std::optional<std::wstring> Skin3rdKind(const std::vector<std::wstring>& lines, const std::wstring& className);

// Outcome for a plain child window.
enum class HwndSkinner {
    None,          // left to the system on purpose
    ButtonFamily,  // push, check or radio button: the button family decides
    ComboBox,
    ComboBoxExChild,  // a combo box inside a ComboBoxEx32: its first child
    Sizer,
    NestedDialog,     // skin its children, then a plain box
    PanelChildren,    // skin its children, toolkit colour to the scheme's
    ColourOnly,       // toolkit colour to the scheme's
    Progress,
    Tab,
    ToolbarBox,
    Edit,
};
// Flags of the skin data that the table consults.
struct HwndFlags {
    bool combo = false, checkBox = false, button = false, tab = false, edit = false;
};
HwndSkinner ChooseHwndSkinner(const std::wstring& windowClass, unsigned style, const HwndFlags& flags);

// Button windows by style: what the button family is asked to make.
enum class ButtonKind { None, CheckBox, RadioButton, PushButton };
ButtonKind ButtonKindOfStyle(unsigned style);

}  // namespace relayon::skin::paint
