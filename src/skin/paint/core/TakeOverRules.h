#pragma once
// The skin manager's decisions on plain data: whether a new top-level window
// is taken over, which registered skin data component serves it, and the
// frame style read from a window's style bits. The Win32 side gathers the
// facts about a window and acts on the answer.
#include <optional>
#include <string>
#include <vector>

namespace relayon::skin::paint {

// What the manager knows about a window when it considers taking it over.
struct WindowFacts {
    bool managerActive = false;
    bool answersSkinned = false;   // answered 1 to CN_IsSkinned
    bool hasFormSkinner = false;   // already in the manager's list
    bool hasToolkitObject = false; // a toolkit form or control is bound to it
    bool childStyle = false;       // WS_CHILD
    bool mdiChild = false;         // WS_EX_MDICHILD
    std::wstring parentClass;      // class of the parent window
    bool skinChildForms = false;   // the manager's skinchildform
    std::wstring className;
    bool ownModule = false;        // created by this module instance
    int width = 0, height = 0;
    long long tag = 0;             // Tag of the toolkit form (when there is one)
    // OnBeforeSkin's inputs.
    bool hasMainData = false;
    bool mainDataAllowsPreview = false; // xoPreview in MainData's Options
    unsigned style = 0;
};

enum class TakeOverVerdict {
    Yes,
    Inactive,
    AlreadySkinned,
    NestedForm,
    ForeignModule,
    ZeroSize,
    Tag99,
    ExcludedClass,
    RefusedBeforeSkin,
};

// The tests of AddForm up to the choice of skin data, in their order; the
// last word of OnBeforeSkin (the main component's OnFormSkin event) is the
// caller's, after a Yes.
TakeOverVerdict DecideTakeOver(const WindowFacts& w);

// The rules of OnBeforeSkin before the event: false refuses.
bool BeforeSkinRules(const std::wstring& className, unsigned style, bool hasMainData, bool mainDataAllowsPreview);

// A registered skin data component as FindSkindata sees it.
enum class FormType { MainForm, OnlyThisForm, Dialog, Dll };
struct DataFacts {
    FormType type = FormType::MainForm;
    bool ownerWindowIsThisWindow = false;
};
// Index of the component that serves a window of `className`, or none when
// nothing is registered: the last sfOnlyThisForm one whose owner's window is
// it; for "tmessageform" / "#32770" (any case) the last sfDialog one; the
// last sfMainform one; else the first.
std::optional<size_t> ChooseSkinData(const std::vector<DataFacts>& registered, const std::wstring& className);

// Frame style from the window's style bits and class.
enum class Border { Sizeable, Single, None, Dialog };
struct BorderChoice {
    Border border = Border::Sizeable;
    bool messageBox = false;
};
BorderChoice ChooseBorder(unsigned style, unsigned exStyle, const std::wstring& className);

// Window state from GetWindowPlacement's show command: 0 normal, 1 max, 2 min.
int WindowStateFromShowCmd(unsigned showCmd);

// Lower case of ASCII letters; other characters unchanged.
std::wstring LowerAscii(std::wstring s);
bool ContainsNoCase(const std::wstring& text, const std::wstring& part);

}  // namespace relayon::skin::paint
