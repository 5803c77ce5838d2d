#include "skin/paint/win32/SkinnerButtons.h"

#include <cwctype>

#include "skin/paint/win32/SkinBitButton.h"
#include "skin/paint/win32/SkinButton.h"
#include "skin/paint/win32/SkinCheckBox.h"
#include "skin/paint/win32/SkinMP.h"
#include "skin/paint/win32/SkinMenuButton.h"
#include "skin/paint/win32/SkinObjImage.h"
#include "skin/paint/win32/SkinSpeedButton.h"
#include "skin/paint/win32/Winskinform.h"
#include "toolkit/BitBtn.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/RadioButton.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/core/TextCase.h"

namespace relayon::skin {

namespace {

bool Allowed(TWinSkinForm* sf, TSkinControlType flag) { return sf->fsd && sf->fsd->SkinControls().Contains(flag); }

// A skinner owned by the control it skins, started with Init.
template <class S>
S* Start(TWinSkinForm* sf, TComponent* control, bool acolor, int kind = 0) {
    auto* s = new S(control);
    s->kind = kind;
    s->Init(sf, sf->fsd, sf->SecondCanvas(), acolor);
    return s;
}

// A skinner owned by the form skinner, for a window without a toolkit object.
template <class S>
void StartHwnd(TWinSkinForm* sf, HWND h) {
    auto* s = new S(sf);
    s->Inithwnd(h, sf->fsd, sf->SecondCanvas(), sf);
}

void StartSpeedButton(TWinSkinForm* sf, TComponent* control, const std::wstring& picField = L"") {
    auto* s = new TSkinSpeedButton(control);
    s->PicField = picField;
    s->InitGraphicControl(sf, sf->fsd, sf->SecondCanvas());
}

std::wstring Lower(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return s;
}

}  // namespace

bool AddButtonSkinner(TWinSkinForm* sf, TComponent* control, const std::wstring& upperClassName) {
    if (!sf || !control) return false;
    const std::wstring& cls = upperClassName;
    if (dynamic_cast<TCheckBox*>(control)) {
        if (Allowed(sf, xcCheckBox)) Start<TSkinCheckBox>(sf, control, false);
        return true;
    }
    if (cls == L"TMEDIAPLAYER") {
        if (Allowed(sf, xcButton)) Start<TSkinMP>(sf, control, false);
        return true;
    }
    if (cls == L"TRZDBCHECKBOX" || cls == L"TRZCHECKBOX") {
        if (Allowed(sf, xcCheckBox)) Start<TSkinObjImage>(sf, control, true, 1);
        return true;
    }
    if (cls == L"TRZRADIOBUTTON" || cls == L"TRZDBRADIOBUTTON") {
        if (Allowed(sf, xcRadioButton)) Start<TSkinObjImage>(sf, control, true, 2);
        return true;
    }
    if (cls == L"TCXDBCHECKBOX" || cls == L"TCXCHECKBOX") {
        if (Allowed(sf, xcCheckBox)) Start<TSkinObjImage>(sf, control, true, 3);
        return true;
    }
    if (dynamic_cast<TRadioButton*>(control)) {
        if (Allowed(sf, xcRadioButton)) Start<TSkinRadioButton>(sf, control, false);
        return true;
    }
    // Before TButton: a bit button is a push button too.
    if (dynamic_cast<TBitBtn*>(control)) {
        if (Allowed(sf, xcBitBtn)) Start<TSkinBitButton>(sf, control, false);
        return true;
    }
    if (dynamic_cast<TSpeedButton*>(control)) {
        if (Allowed(sf, xcSpeedButton)) StartSpeedButton(sf, control);
        return true;
    }
    if (dynamic_cast<TButton*>(control)) {
        if (Allowed(sf, xcButton)) Start<TSkinButton>(sf, control, false);
        return true;
    }
    return false;
}

bool AddButtonSkinnerHwnd(TWinSkinForm* sf, HWND h, const std::wstring& windowClass, DWORD style) {
    if (!sf || !h) return false;
    const std::wstring cls = Lower(windowClass);
    if (cls == L"tcheckbox") {
        if (Allowed(sf, xcCheckBox)) StartHwnd<TSkinCheckBox>(sf, h);
        return true;
    }
    if (cls == L"tbutton") {
        if (Allowed(sf, xcButton)) StartHwnd<TSkinButton>(sf, h);
        return true;
    }
    if (cls != L"button") return false;
    // Owner-drawn buttons draw themselves; group boxes and bitmap buttons keep the system look.
    if ((style & 0xB) == 0xB || (style & 7) == 7 || (style & BS_BITMAP)) return true;
    if ((style & 3) == 3 || (style & 2) || (style & 5) == 5) {
        if (Allowed(sf, xcCheckBox)) StartHwnd<TSkinCheckBox>(sf, h);
    } else if ((style & 9) == 9 || (style & 4)) {
        if (Allowed(sf, xcRadioButton)) StartHwnd<TSkinRadioButton>(sf, h);
    } else if (Allowed(sf, xcButton)) {
        StartHwnd<TSkinButton>(sf, h);
    }
    return true;
}

bool AddButtonSkinnerKind(TWinSkinForm* sf, TComponent* control, const std::wstring& kind) {
    if (!sf || !control) return false;
    if (kind == L"button") {
        if (Allowed(sf, xcButton)) Start<TSkinButton>(sf, control, false);
    } else if (kind == L"bitbtn") {
        if (!Allowed(sf, xcButton)) return true;
        const bool dropDown = SameText(control->ClassName(), L"TcxButton") &&
                              SameText(GetProperty(control, L"Kind"), L"cxbkDropDownButton");
        if (dropDown) Start<TSkinMenuButton>(sf, control, false);
        else Start<TSkinBitButton>(sf, control, false);
    } else if (kind == L"pngbitbtn") {
        if (!Allowed(sf, xcButton)) return true;
        auto* s = new TSkinBitButton(control);
        s->PicField = L"PngImage";
        s->Init(sf, sf->fsd, sf->SecondCanvas(), false);
    } else if (kind == L"pngspeedbutton") {
        if (Allowed(sf, xcButton)) StartSpeedButton(sf, control, L"PngImage");
    } else if (kind == L"menubtn") {
        if (Allowed(sf, xcButton)) Start<TSkinMenuButton>(sf, control, false);
    } else if (kind == L"speedbutton") {
        if (Allowed(sf, xcSpeedButton)) StartSpeedButton(sf, control);
    } else if (kind == L"checkbox") {
        if (Allowed(sf, xcCheckBox)) Start<TSkinCheckBox>(sf, control, false);
    } else if (kind == L"radiobutton") {
        if (Allowed(sf, xcRadioButton)) Start<TSkinRadioButton>(sf, control, false);
    } else if (kind == L"radioitem" || kind == L"checkitem") {
        const bool radio = kind == L"radioitem";
        if (!Allowed(sf, radio ? xcRadioButton : xcCheckBox)) return true;
        // The vendor's own items take glyphs; anything else is a plain box.
        if (UpperCase(control->ClassName()).find(L"TRZ") != std::wstring::npos)
            Start<TSkinObjImage>(sf, control, true, radio ? 2 : 1);
        else if (radio)
            Start<TSkinRadioButton>(sf, control, false);
        else
            Start<TSkinCheckBox>(sf, control, false);
    } else if (kind == L"mediaplayer") {
        if (Allowed(sf, xcButton)) Start<TSkinMP>(sf, control, false);
    } else {
        return false;
    }
    return true;
}

}  // namespace relayon::skin
