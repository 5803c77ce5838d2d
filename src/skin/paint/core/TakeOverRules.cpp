#include "skin/paint/core/TakeOverRules.h"

namespace relayon::skin::paint {

namespace {
// The system's style bits used here (portable code has no <windows.h>).
constexpr unsigned kWsCaption = 0x00C00000;
constexpr unsigned kWsThickFrame = 0x00040000;
constexpr unsigned kDsModalFrame = 0x80;
constexpr unsigned kWsExDlgModalFrame = 0x1;
constexpr unsigned kDialogNoFailCreate = 0x200;
}  // namespace

std::wstring LowerAscii(std::wstring s) {
    for (wchar_t& c : s)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return s;
}

bool ContainsNoCase(const std::wstring& text, const std::wstring& part) {
    return LowerAscii(text).find(LowerAscii(part)) != std::wstring::npos;
}

bool BeforeSkinRules(const std::wstring& className, unsigned style, bool hasMainData, bool mainDataAllowsPreview) {
    if (!hasMainData) return true;
    std::wstring lower = LowerAscii(className);
    if (lower.find(L"preview") != std::wstring::npos && !mainDataAllowsPreview) return false;
    if (className == L"#32770" && (style & kDialogNoFailCreate)) return false;
    if (lower == L"tpopupdbtreeview") return false;
    return true;
}

TakeOverVerdict DecideTakeOver(const WindowFacts& w) {
    if (!w.managerActive) return TakeOverVerdict::Inactive;
    if (w.answersSkinned || w.hasFormSkinner) return TakeOverVerdict::AlreadySkinned;
    if (!w.skinChildForms && w.childStyle && !w.mdiChild && LowerAscii(w.parentClass) != L"mdiclient")
        return TakeOverVerdict::NestedForm;
    if (!w.hasToolkitObject && !w.ownModule && w.className != L"#32770") return TakeOverVerdict::ForeignModule;
    if (!w.mdiChild && (static_cast<long long>(w.width) * w.height == 0)) return TakeOverVerdict::ZeroSize;
    if (w.hasToolkitObject && w.tag == 99) return TakeOverVerdict::Tag99;
    if (w.className.find(L"TcxPopupEditPopupWindow") != std::wstring::npos ||
        w.className.find(L"TTERenderWindow") != std::wstring::npos || w.className == L"TApplication")
        return TakeOverVerdict::ExcludedClass;
    if (!BeforeSkinRules(w.className, w.style, w.hasMainData, w.mainDataAllowsPreview))
        return TakeOverVerdict::RefusedBeforeSkin;
    return TakeOverVerdict::Yes;
}

std::optional<size_t> ChooseSkinData(const std::vector<DataFacts>& registered, const std::wstring& className) {
    if (registered.empty()) return std::nullopt;
    auto lastOf = [&](auto pred) -> std::optional<size_t> {
        for (size_t i = registered.size(); i-- > 0;)
            if (pred(registered[i])) return i;
        return std::nullopt;
    };
    if (auto i = lastOf([](const DataFacts& d) { return d.type == FormType::OnlyThisForm && d.ownerWindowIsThisWindow; }))
        return i;
    std::wstring lower = LowerAscii(className);
    if (lower == L"tmessageform" || lower == L"#32770")
        if (auto i = lastOf([](const DataFacts& d) { return d.type == FormType::Dialog; })) return i;
    if (auto i = lastOf([](const DataFacts& d) { return d.type == FormType::MainForm; })) return i;
    return size_t{0};
}

BorderChoice ChooseBorder(unsigned style, unsigned exStyle, const std::wstring& className) {
    BorderChoice c;
    if ((style & kWsCaption) != kWsCaption) c.border = Border::None;
    else if (style & kWsThickFrame) c.border = Border::Sizeable;
    else if (style & kDsModalFrame) c.border = Border::Dialog;
    else c.border = Border::Single;
    if (exStyle & kWsExDlgModalFrame) c.border = Border::Dialog;
    if (className == L"#32770" || LowerAscii(className) == L"tmessageform") {
        c.border = Border::Dialog;
        c.messageBox = true;
    }
    return c;
}

int WindowStateFromShowCmd(unsigned showCmd) {
    switch (showCmd) {
    case 2: case 6: case 7: return 2;
    case 3: return 1;
    default: return 0;
    }
}

}  // namespace relayon::skin::paint
