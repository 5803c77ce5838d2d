// TWinSkinForm: choosing a skinner for each control of a window. Toolkit
// controls are chosen by class (AddComp), other vendors' classes by the skin
// data's Skin3rd table (Find3rdControl), plain windows by window class and
// style (AddControlh). The skinners themselves are made by their families
// (SkinnerFamilies.h).
#include <map>
#include <string>

#include "skin/paint/core/SkinnerChoice.h"
#include "skin/paint/core/TakeOverRules.h"
#include "skin/paint/win32/SkinEngineDebug.h"
#include "skin/paint/win32/SkinnerButtons.h"
#include "skin/paint/win32/SkinMenuItems.h"
#include "skin/paint/win32/SkinnerFamilies.h"
#include "skin/paint/win32/Winskindlg.h"
#include "skin/paint/win32/Winskinform.h"
#include "skin/paint/win32/Winsubclass.h"
#include "toolkit/ControlAtom.h"
#include "toolkit/Form.h"
#include "toolkit/ToolBar.h"
#include "toolkit/WinControl.h"
#include "toolkit/WindowCreatedObserver.h"
#include "toolkit/core/Rtti.h"

namespace relayon::skin {

namespace {

std::wstring RegisteredClass(TObject* obj) {
    try {
        return ClassRegistry::Instance().RegisteredClassOf(obj);
    } catch (...) {
        return {};
    }
}

// Whether the component is of the toolkit class `ancestor` or derives from it.
bool IsA(const std::wstring& cls, const wchar_t* ancestor) {
    return !cls.empty() && ClassRegistry::Instance().InheritsFrom(cls, ancestor);
}

std::wstring Upper(std::wstring s) {
    for (wchar_t& c : s)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    return s;
}

std::wstring WindowClassOf(HWND h) {
    wchar_t buf[256] = {};
    int n = GetClassNameW(h, buf, 256);
    return std::wstring(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

bool Has(TSkinData* sd, TSkinControlType t) { return sd && sd->SkinControls().Contains(t); }

bool HasTabSkin(TSkinData* sd) { return sd && sd->tab && sd->tab->Map && !sd->tab->Map->Empty(); }

// Starts a skinner chosen by the tables below on a toolkit control.
void StartOn(TWinSkinForm* sf, const wchar_t* skinner, TComponent* c, const SkinnerRequest& request = {}) {
    StartSkinner(sf, skinner, c, nullptr, request);
}

// Controls of one form skinner that wait for their windows. Owned by the
// form skinner, so the waiting ends with it; told when a waiting control is
// freed. Keyed by the controls' component identity.
class WaitingControls : public TComponent {
public:
    explicit WaitingControls(TWinSkinForm* sf) : TComponent(sf), sf_(sf) {}
    ~WaitingControls() override {
        for (auto& [key, control] : waiting_) {
            Index().erase(key);
            key->RemoveFreeNotification(this);
        }
    }
    void Add(TWinControl* control, TWinControl* container) {
        if (!waiting_.emplace(control, Waiting{control, container}).second) return;
        Index()[control] = this;
        control->FreeNotification(this);
    }
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove) Forget(component);
    }
    // The control's window was made: skin it, unless the form was given back meanwhile.
    void WindowMade(TComponent* key) {
        auto it = waiting_.find(key);
        if (it == waiting_.end()) return;
        Waiting w = it->second;
        Forget(key);
        if (sf_->Subclassed() && sf_->fsd) sf_->AddComp(w.control, w.container);
    }
    // Every form skinner's waiting controls.
    static std::map<TComponent*, WaitingControls*>& Index() {
        static std::map<TComponent*, WaitingControls*> index;
        return index;
    }

private:
    struct Waiting {
        TWinControl* control;
        TWinControl* container;
    };
    void Forget(TComponent* key) {
        if (waiting_.erase(key) == 0) return;
        Index().erase(key);
        key->RemoveFreeNotification(this);
    }
    TWinSkinForm* sf_;
    std::map<TComponent*, Waiting> waiting_;
};

void OnWindowMade(TWinControl* control) {
    auto it = WaitingControls::Index().find(control);
    if (it == WaitingControls::Index().end()) return;
    try {
        it->second->WindowMade(control);
    } catch (...) {
        // A control that cannot be skinned keeps its own drawing.
    }
}

void SkinWhenWindowMade(TWinSkinForm* sf, TWinControl* control, TWinControl* container) {
    WaitingControls* waiting = nullptr;
    for (int i = 0; i < sf->ComponentCount() && !waiting; ++i) waiting = dynamic_cast<WaitingControls*>(sf->Components(i));
    if (!waiting) waiting = new WaitingControls(sf);
    waiting->Add(control, container);
    SetWindowCreatedObserver(OnWindowMade);
}

}  // namespace

void TWinSkinForm::InitControls(TForm* form) {
    DeleteSkinDeleted();
    InitControlA(form);
}

void TWinSkinForm::InitControlA(TWinControl* container) {
    if (!container) return;
    // Controls may be created while skinners are made; walk a snapshot.
    std::vector<TComponent*> owned;
    for (int i = 0; i < container->ComponentCount(); ++i) owned.push_back(container->Components(i));
    for (TComponent* c : owned)
        if (dynamic_cast<TControl*>(c)) AddComp(c, container);
    if (Has(fsd, xcPopupMenu)) InitPopMenu(this, container, true);
}

void TWinSkinForm::InitChildCtrl(TWinControl* container) {
    if (!container) return;
    std::vector<TControl*> children;
    for (int i = 0; i < container->ControlCount(); ++i) children.push_back(container->Controls(i));
    for (TControl* c : children) AddComp(c, container);
}

void TWinSkinForm::InitNestform(TForm* form) {
    if (!form) return;
    StartOn(this, L"TSkinBox", form, {.acolor = true});
    InitControlA(form);
}

TSkinControl* TWinSkinForm::FindSkinComp(TComponent* acontrol) {
    for (TSkinControl* c : Controllist)
        if (acontrol && (c->control == acontrol || SkinnedObject(*c) == acontrol)) return c;
    return nullptr;
}

TSkinControl* TWinSkinForm::Lookupcontrol(HWND ahwnd) {
    for (TSkinControl* c : Controllist)
        if (ahwnd && c->hwnd == ahwnd) return c;
    return nullptr;
}

void TWinSkinForm::AddComp(TComponent* Comp, TWinControl* wForm) {
    auto* ctrl = dynamic_cast<TControl*>(Comp);
    if (!ctrl || !fsd) return;
    std::wstring cls = RegisteredClass(Comp);
    std::wstring upper = Upper(cls);
    auto* win = dynamic_cast<TWinControl*>(Comp);

    // 1. The disabling tag, passed on to the items of a radio or check group.
    if (Comp->Tag() == fsd->DisableTag()) {
        std::wstring lower = paint::LowerAscii(cls);
        if (win && win->ControlCount() > 0 &&
            (lower.find(L"radiogroup") != std::wstring::npos || lower.find(L"checkgroup") != std::wstring::npos))
            for (int i = 0; i < win->ControlCount(); ++i) win->Controls(i)->SetTag(fsd->DisableTag());
        return;
    }
    // 2. Only once, and only controls on something.
    if (!ctrl->Parent() || FindSkinComp(Comp)) return;
    if (win && win->HandleAllocated() && SendMessageW(win->Handle(), CN_IsSkinned, 0, 0) == 1) return;
    // 3. A window is needed to be skinned. A control whose window is not
    // made yet (it sits on a page not shown so far) is skinned when its
    // window is made, so taking a form over does not make the windows of
    // pages nobody has looked at.
    if (win && !win->HandleAllocated()) return SkinWhenWindowMade(this, win, wForm);
    // 4. The application's own choice.
    if (fsd->FOnSkinControl) {
        TComponent* skinned = nullptr;
        fsd->FOnSkinControl(this, fsd, wForm, Comp, upper, skinned);
        if (auto* s = dynamic_cast<TSkinControl*>(skinned)) {
            bool listed = false;
            for (TSkinControl* c : Controllist) listed = listed || c == s;
            if (!listed) s->Init(this, fsd, SecondCanvas(), s->newColor);
            if (win && IsA(cls, L"TPanel")) InitChildCtrl(win);
        }
        if (skinned) return;
    }
    // 5. Other vendors' classes.
    if (upper == L"TDBCOMBOBOXEH" || upper == L"TFRDESIGNERPAGE" || upper == L"TFRPBOX") return;
    if (Find3rdControl(upper, Comp)) return;

    // 6. The built-in table, first match wins.
    bool tabs = Has(fsd, xcTab) && HasTabSkin(fsd);
    if (IsA(cls, L"TPageControl")) {
        if (!tabs) return;
        // A page control shown as buttons gets button plates instead of tabs.
        if (GetEnumProperty(Comp, L"Style") != L"tsTabs" && !GetEnumProperty(Comp, L"Style").empty())
            return StartOn(this, L"TSkinTabBtn", Comp);
        return StartOn(this, L"TSkinTab", Comp);
    }
    if (IsA(cls, L"TTabControl")) {
        if (tabs) StartOn(this, L"TSkinTab", Comp, {.kind = 2});
        return;
    }
    if (IsA(cls, L"TToolButton")) {
        if (!sMainMenu) return;
        // The drop-down menu of a tool button is drawn like the frame's menus.
        if (auto* button = dynamic_cast<TToolButton*>(Comp); button && button->MenuItem())
            InitToolbarMenu(this, button->MenuItem(), true);
        return;
    }
    if (upper == L"TTABSET" && tabs) return StartOn(this, L"TSkinTab31", Comp);
    if (IsA(cls, L"TTabSheet") && tabs) return StartOn(this, L"TSkinTabSheet", Comp);
    if (upper == L"TTABBEDNOTEBOOK" && tabs) return StartOn(this, L"TSkinTab", Comp);
    if (upper == L"TMVCPANEL") return InitChildCtrl(win);
    if (IsA(cls, L"THeaderControl") && Has(fsd, xcPanel)) return StartOn(this, L"TSkinHeader", Comp);
    // Every button-family row (check boxes, radio buttons, bit, speed, menu
    // and push buttons, media players, other vendors' items); the classes
    // of the rows between them are disjoint from the family's.
    if (AddButtonSkinner(this, Comp, upper)) return;
    if (IsA(cls, L"TTrackBar") && Has(fsd, xcTrackBar)) return StartOn(this, L"TSkinTrackBar", Comp);
    if ((upper == L"TUPDOWN" || upper == L"TSPINBUTTON") && Has(fsd, xcSpin)) return StartOn(this, L"TSkinUpDown", Comp);
    if (IsA(cls, L"TRadioGroup") && Has(fsd, xcRadioButton)) {
        for (int i = 0; win && i < win->ControlCount(); ++i) AddButtonSkinner(this, win->Controls(i), L"TRADIOBUTTON");
        return StartOn(this, L"TSkinGroupBox", Comp, {.acolor = true});
    }
    if (upper == L"TDBNAVIGATOR" && Has(fsd, xcPanel)) {
        StartOn(this, L"TSkinBox", Comp, {.acolor = true});
        return InitChildCtrl(win);
    }
    if (IsA(cls, L"TGroupBox") && Has(fsd, xcPanel)) {
        InitChildCtrl(win);
        return StartOn(this, L"TSkinGroupBox", Comp);
    }
    if (IsA(cls, L"TToolBar") && Has(fsd, xcToolbar)) {
        SetProperty(Comp, L"Flat", L"True");
        HookToolBarPainters(this, Comp);
        return StartOn(this, L"TSkinBox", Comp);
    }
    if (IsA(cls, L"TStatusBar") && Has(fsd, xcStatusBar)) return StartOn(this, L"TSkinStatusBar", Comp);
    if (IsA(cls, L"TProgressBar") && Has(fsd, xcProgress)) return StartOn(this, L"TSkinProgress", Comp);
    if (IsA(cls, L"TScrollBar") && Has(fsd, xcScrollbar)) return StartOn(this, L"TSkinScControl", Comp);
    if ((upper == L"TTNTCOMBOBOX" || IsA(cls, L"TComboBox")) && Has(fsd, xcCombo)) return StartOn(this, L"TSkinComBox", Comp);
    if (IsA(cls, L"TDateTimePicker") && Has(fsd, xcEdit)) {
        // Pickers with an up-down (time, or the date in up-down mode) keep
        // it and get an edit border; the drop-down date picker gets its arrow.
        bool upDown = GetEnumProperty(Comp, L"Kind") == L"dtkTime" || GetEnumProperty(Comp, L"DateMode") == L"dmUpDown";
        return StartOn(this, upDown ? L"TSkinEdit" : L"TSkinDateTime", Comp);
    }
    if ((upper == L"TRICHEDIT" || upper == L"TWWDBRICHEDIT" || upper == L"TDXDBMEMO") && Has(fsd, xcScrollbar))
        return StartOn(this, L"TSkinScrollbar", Comp);
    if (IsA(cls, L"TPanel") && Has(fsd, xcPanel)) {
        InitChildCtrl(win);
        return StartOn(this, L"TSkinBox", Comp, {.acolor = true});
    }
    if ((upper == L"TDXTREELIST" || upper == L"TDXDBTREELIST" || upper == L"TDXDBGRID") && Has(fsd, xcScrollbar))
        return StartOn(this, L"TSkinScrollbar", Comp);
    if (IsA(cls, L"TListView") && Has(fsd, xcScrollbar)) return StartOn(this, L"TSkinListView", Comp);
    if (upper == L"TCHECKLISTBOX" && Has(fsd, xcScrollbar)) return StartOn(this, L"TSkinCheckList", Comp);
    if (win && Has(fsd, xcScrollbar)) {
        DWORD style = static_cast<DWORD>(GetWindowLongW(win->Handle(), GWL_STYLE));
        bool scrolling = (style & (WS_VSCROLL | WS_HSCROLL)) || IsA(cls, L"TListBox") || IsA(cls, L"TMemo") ||
                         IsA(cls, L"TTreeView") || IsA(cls, L"TScrollBox") || IsA(cls, L"TStringGrid");
        if (scrolling) return StartOn(this, L"TSkinScrollbar", Comp);
    }
    if (IsA(cls, L"TEdit") && Has(fsd, xcEdit)) return StartOn(this, L"TSkinEdit", Comp);
    // A frame draws its own ground: it takes the skin's colours like an
    // embedded form, so it does not stand out light on a skinned page.
    if (IsA(cls, L"TFrame")) {
        StartOn(this, L"TSkinBox", Comp, {.acolor = true});
        return InitControlA(win);
    }
    if (IsA(cls, L"TForm")) {
        StartOn(this, L"TSkinBox", Comp, {.acolor = true});
        return InitControlA(win);
    }
    if (upper == L"TDCEDIT" || upper == L"TDCDBEDIT") {
        int64_t buttons = GetIntProperty(Comp, L"NumButtons");
        if (buttons == 1 && Has(fsd, xcCombo)) return StartOn(this, L"TSkinComBox", Comp);
        if (buttons == 0 && Has(fsd, xcEdit) && win) StartSkinner(this, L"TSkinEdit", nullptr, win->Handle(), {.owner = Comp});
    }
}

bool TWinSkinForm::Find3rdControl(const std::wstring& ClassName, TComponent* acontrol) {
    if (!fsd) return false;
    std::vector<std::wstring> lines;
    const TStrings& table = fsd->Skin3rd();
    for (int i = 0; i < table.Count(); ++i) lines.push_back(table[i]);
    std::optional<std::wstring> kind = paint::Skin3rdKind(lines, ClassName);
    if (!kind) return false;
    const std::wstring& k = *kind;
    auto* win = dynamic_cast<TWinControl*>(acontrol);
    if (k == L"nil") return true;
    if (k == L"button" || k == L"bitbtn" || k == L"pngbitbtn" || k == L"pngspeedbutton" || k == L"menubtn" ||
        k == L"speedbutton" || k == L"mediaplayer" || k == L"checkbox" || k == L"radiobutton") {
        AddButtonSkinnerKind(this, acontrol, k);
        return true;
    }
    if (k == L"container") {
        InitChildCtrl(win);
        return true;
    }
    if (k == L"radiogroup") {
        if (Has(fsd, xcGroupBox)) {
            for (int i = 0; win && Has(fsd, xcRadioButton) && i < win->ControlCount(); ++i)
                AddButtonSkinnerKind(this, win->Controls(i), L"radioitem");
            StartOn(this, L"TSkinGroupBox", acontrol, {.acolor = true});
        }
        return true;
    }
    if (k == L"checkgroup") {
        if (Has(fsd, xcPanel)) {
            // The items are check boxes: the check-box flag decides them.
            for (int i = 0; win && Has(fsd, xcCheckBox) && i < win->ControlCount(); ++i)
                AddButtonSkinnerKind(this, win->Controls(i), L"checkitem");
            if (Has(fsd, xcGroupBox)) StartOn(this, L"TSkinGroupBox", acontrol, {.acolor = true});
        }
        return true;
    }
    if (k == L"embedscrollbar") {
        if (!Has(fsd, xcScrollbar) || !win) return true;
        for (int i = 0; i < win->ControlCount(); ++i) {
            auto* child = dynamic_cast<TWinControl*>(win->Controls(i));
            if (!child) continue;
            std::wstring childClass = RegisteredClass(child);
            if (IsA(childClass, L"TScrollBar")) {
                StartOn(this, L"TSkinScControl", child);
            } else if (child->HandleAllocated() || child->Handle()) {
                DWORD style = static_cast<DWORD>(GetWindowLongW(child->Handle(), GWL_STYLE));
                if ((style & (WS_VSCROLL | WS_HSCROLL)) || IsA(childClass, L"TListBox") || IsA(childClass, L"TMemo") ||
                    IsA(childClass, L"TTreeView") || IsA(childClass, L"TScrollBox"))
                    StartOn(this, L"TSkinScrollbar", child);
            }
        }
        return true;
    }
    struct KindRow {
        const wchar_t* kind;
        TSkinControlType flag;
        const wchar_t* skinner;
        SkinnerRequest request;
    };
    static const KindRow rows[] = {
        {L"combobox", xcCombo, L"TSkinComBox", {}},
        {L"comboboxex", xcCombo, L"TSkinComBox", {.hasButton = true}},
        {L"panel", xcPanel, L"TSkinBox", {.acolor = true}},
        {L"trackbar", xcButton, L"TSkinTrackBar", {}},
        {L"datetimepicker", xcCombo, L"TSkinDateTime", {}},
        {L"progress", xcProgress, L"TSkinProgress", {}},
        {L"scrollbar", xcScrollbar, L"TSkinScrollbar", {}},
        {L"singlescrollbar", xcScrollbar, L"TSkinScrollbar", {.kind = 1}},
        {L"groupbox", xcGroupBox, L"TSkinGroupBox", {.acolor = true}},
        {L"advpagecontrol", xcTab, L"TSkinAdvPage", {.kind = 4, .acolor = true}},
    };
    if (k == L"edit") {
        // Only an edit with a border of its own: its window is larger than its client.
        if (!Has(fsd, xcEdit) || !win || !win->Handle()) return true;
        RECT wr{}, cr{};
        GetWindowRect(win->Handle(), &wr);
        GetClientRect(win->Handle(), &cr);
        if (wr.right - wr.left != cr.right || wr.bottom - wr.top != cr.bottom) StartOn(this, L"TSkinEdit", acontrol);
        return true;
    }
    if (k == L"tab") {
        if (Has(fsd, xcTab) && HasTabSkin(fsd)) StartOn(this, L"TSkinTab", acontrol);
        return true;
    }
    for (const KindRow& row : rows) {
        if (k != row.kind) continue;
        if (!Has(fsd, row.flag)) return true;
        if (k == L"panel" || k == L"trackbar") SetProperty(acontrol, L"Transparent", L"True");
        StartOn(this, row.skinner, acontrol, row.request);
        if (k == L"scrollbar") InitChildCtrl(win);
        return true;
    }
    // A kind this program does not know: the class stays unskinned.
    return true;
}

void TWinSkinForm::InitHwndControls(HWND ahwnd) {
    std::vector<HWND> children;
    for (HWND c = GetWindow(ahwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (GetWindowLongW(c, GWL_STYLE) & WS_CHILD) children.push_back(c);
    for (HWND c : children) AddControlh(c);
}

void TWinSkinForm::AddControlh(HWND ahwnd) {
    if (!ahwnd || !fsd || Lookupcontrol(ahwnd)) return;
    if (SendMessageW(ahwnd, CN_IsSkinned, 0, 0) == 1) return;
    std::wstring cls = WindowClassOf(ahwnd);
    DWORD style = static_cast<DWORD>(GetWindowLongW(ahwnd, GWL_STYLE));
    paint::HwndFlags flags{Has(fsd, xcCombo), Has(fsd, xcCheckBox), Has(fsd, xcButton), Has(fsd, xcTab) && HasTabSkin(fsd),
                           Has(fsd, xcEdit)};
    switch (paint::ChooseHwndSkinner(cls, style, flags)) {
    case paint::HwndSkinner::ButtonFamily:
        AddButtonSkinnerHwnd(this, ahwnd, paint::LowerAscii(cls), style);
        return;
    case paint::HwndSkinner::NestedDialog:
        InitHwndControls(ahwnd);
        StartSkinner(this, L"TSkinBoxH", nullptr, ahwnd);
        return;
    case paint::HwndSkinner::PanelChildren:
        InitHwndControls(ahwnd);
        if (TWinControl* c = FindControl(ahwnd)) c->SetColor(SchemeColor(fsd, csButtonFace));
        return;
    case paint::HwndSkinner::ColourOnly:
        if (TWinControl* c = FindControl(ahwnd)) c->SetColor(SchemeColor(fsd, csButtonFace));
        return;
    case paint::HwndSkinner::ComboBox:
        StartSkinner(this, L"TSkinComBox", nullptr, ahwnd);
        return;
    case paint::HwndSkinner::ComboBoxExChild:
        if (HWND combo = GetWindow(ahwnd, GW_CHILD)) StartSkinner(this, L"TSkinComBox", nullptr, combo);
        return;
    case paint::HwndSkinner::Sizer:
        StartSkinner(this, L"TSkinSizer", nullptr, ahwnd);
        return;
    case paint::HwndSkinner::Progress:
        StartSkinner(this, L"TSkinProgress", nullptr, ahwnd);
        return;
    case paint::HwndSkinner::Tab:
        StartSkinner(this, L"TSkinTab", nullptr, ahwnd);
        return;
    case paint::HwndSkinner::ToolbarBox:
        StartSkinner(this, L"TSkinBoxH", nullptr, ahwnd);
        return;
    case paint::HwndSkinner::Edit:
        StartSkinner(this, L"TSkinEdit", nullptr, ahwnd);
        return;
    case paint::HwndSkinner::None:
    default:
        return;
    }
}

void TWinSkinForm::RecreateControl(HWND ahwnd) {
    // The scroll-bar skinners that ask for this come later; forget the old
    // skinner of a window that is gone.
    if (TSkinControl* c = Lookupcontrol(ahwnd))
        if (c->skinstate == 6) delete c;
}

}  // namespace relayon::skin
