#include "skin/paint/core/SkinnerChoice.h"

#include "skin/paint/core/TakeOverRules.h"

namespace relayon::skin::paint {

std::optional<std::wstring> Skin3rdKind(const std::vector<std::wstring>& lines, const std::wstring& className) {
    if (className.empty()) return std::nullopt;
    std::wstring key = LowerAscii(className) + L"=";
    for (const std::wstring& line : lines) {
        if (line.size() < key.size() || LowerAscii(line.substr(0, key.size())) != key) continue;
        return LowerAscii(line.substr(key.size(), 50));
    }
    return std::nullopt;
}

ButtonKind ButtonKindOfStyle(unsigned style) {
    constexpr unsigned kOwnerDraw = 0xB, kGroupBox = 7, kBitmap = 0x80;
    unsigned type = style & 0xF;
    if ((type & kOwnerDraw) == kOwnerDraw) return ButtonKind::None;
    if ((type & kGroupBox) == kGroupBox || (style & kBitmap)) return ButtonKind::None;
    if ((type & 3) == 3 || (type & 2) || (type & 5) == 5) return ButtonKind::CheckBox;
    if ((type & 9) == 9 || (type & 4)) return ButtonKind::RadioButton;
    return ButtonKind::PushButton;
}

HwndSkinner ChooseHwndSkinner(const std::wstring& windowClass, unsigned style, const HwndFlags& f) {
    std::wstring c = LowerAscii(windowClass);
    constexpr unsigned kBit16 = 0x10000;
    if (c == L"button") return ButtonKindOfStyle(style) == ButtonKind::None ? HwndSkinner::None : HwndSkinner::ButtonFamily;
    if (c == L"combobox" && f.combo && (style & 3) != 1) return HwndSkinner::ComboBox;
    if (c == L"comboboxex32" && f.combo) return HwndSkinner::ComboBoxExChild;
    if (c == L"scrollbar" && !(style & kBit16)) return HwndSkinner::Sizer;
    if (c == L"systreeview32") return HwndSkinner::None;
    if (c == L"#32770" && !(style & kBit16)) return HwndSkinner::NestedDialog;
    if (c == L"tpanel" || c == L"ttntpanel.unicodeclass" || c == L"ttntsilentpaintpanel.unicodeclass")
        return HwndSkinner::PanelChildren;
    if ((c == L"tcheckbox" && f.checkBox) || (c == L"tbutton" && f.button)) return HwndSkinner::ButtonFamily;
    if (c == L"tcombobox" && f.combo) return HwndSkinner::ComboBox;
    if (c == L"tprogressbar") return HwndSkinner::Progress;
    if (c == L"tsilentpaintpanel") return HwndSkinner::ColourOnly;
    constexpr unsigned kTabOwnerDraw = 0x2000;
    if (c == L"systabcontrol32" && f.tab && !(style & kTabOwnerDraw)) return HwndSkinner::Tab;
    if (c == L"toolbarwindow32") return HwndSkinner::ToolbarBox;
    if (c == L"edit" && f.edit) return HwndSkinner::Edit;
    return HwndSkinner::None;
}

}  // namespace relayon::skin::paint
