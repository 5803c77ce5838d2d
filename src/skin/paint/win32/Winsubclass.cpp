// TSkinControl: taking a control over and giving it back, and the message
// and paint pipelines every control skinner shares.
#include "skin/paint/win32/Winsubclass.h"

#include <exception>

#include "skin/paint/win32/SkinEngineDebug.h"
#include "skin/paint/win32/Winskinform.h"
#include "toolkit/Control.h"
#include "toolkit/GraphicControl.h"
#include "toolkit/ObjectInstance.h"
#include "toolkit/WinControl.h"

namespace relayon::skin {

TSkinControl::TSkinControl(TComponent* AOwner) : TComponent(AOwner) {}

TSkinControl::~TSkinControl() {
    UnhookControl();
    if (FObjectInst) {
        // Only a window still running our thunk gets its procedure back; a
        // thunk that someone subclassed over must stay alive (it is still
        // called through their saved pointer), so it is left allocated.
        bool stillOurs = hwnd && IsWindow(hwnd) &&
                         reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == FObjectInst;
        if (stillOurs) SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FPrevWndProc));
        if (stillOurs || !hwnd || !IsWindow(hwnd)) FreeObjectInstance(FObjectInst);
        FObjectInst = nullptr;
    }
    if (skinform) skinform->DeleteControl(this);
}

void TSkinControl::Register(TWinSkinForm* sf) {
    skinform = sf;
    if (sf) sf->AddControlList(this);
}

void TSkinControl::HookControl(TControl* c) {
    if (!c || hooked_) return;
    hooked_ = c;
    // The hooked control may be freed before us (it need not be our owner).
    if (c != Owner()) FreeNotification(c);
    OldWndProc = c->WindowProc;
    c->WindowProc = TWndMethod(this, &TSkinControl::WindowProcThunk);
}

void TSkinControl::UnhookControl() {
    TControl* c = hooked_;
    hooked_ = nullptr;
    // A control being destroyed has already lost its TControl part when its
    // owned skinners are freed: its WindowProc must not be touched then.
    if (!c || c->IsDestroying()) return;
    if (c->WindowProc == TWndMethod(this, &TSkinControl::WindowProcThunk)) c->WindowProc = OldWndProc;
}

void TSkinControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == hooked_) hooked_ = nullptr;
    if (component == control) control = nullptr;
    if (component == GControl) GControl = nullptr;
}

void TSkinControl::Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) {
    if (Inited) return;
    fsd = sd;
    fCanvas = acanvas;
    control = dynamic_cast<TWinControl*>(Owner());
    if (!control) return;
    hwnd = control->Handle();
    isunicode = IsWindowUnicode(hwnd) != FALSE;
    HookControl(control);
    Register(sf);
    if (acolor) {
        oldcolor = control->Color();
        newColor = true;
        control->SetColor(SchemeColor(fsd, csButtonFace));
    }
    Invalidate();
    Inited = true;
    skinstate = 1;
}

void TSkinControl::Inithwnd(HWND ahwnd, TSkinData* sd, TCanvas* acanvas, TWinSkinForm* sf) {
    if (Inited || !ahwnd) return;
    hwnd = ahwnd;
    fsd = sd;
    fCanvas = acanvas;
    enabled = true;
    kind = 0;
    Register(sf);
    isunicode = IsWindowUnicode(hwnd) != FALSE;
    if (isunicode) {
        int n = GetWindowTextLengthW(hwnd);
        std::wstring text(static_cast<size_t>(n > 0 ? n : 0) + 1, L'\0');
        int got = GetWindowTextW(hwnd, text.data(), n + 1);
        text.resize(static_cast<size_t>(got > 0 ? got : 0));
        caption = text;
    } else {
        char buf[1001] = {};
        SendMessageA(hwnd, WM_GETTEXT, 1000, reinterpret_cast<LPARAM>(buf));
        int n = MultiByteToWideChar(CP_ACP, 0, buf, -1, nullptr, 0);
        std::wstring text(static_cast<size_t>(n > 0 ? n : 1), L'\0');
        MultiByteToWideChar(CP_ACP, 0, buf, -1, text.data(), n);
        text.resize(wcslen(text.c_str()));
        caption = text;
    }
    FObjectInst = MakeObjectInstance(TWndMethod(this, &TSkinControl::NewWndProc));
    FPrevWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FObjectInst)));
    InvalidateRect(hwnd, nullptr, TRUE);
    Inited = true;
    skinstate = 1;
}

void TSkinControl::Unsubclass() {
    if (!skinned) return;
    skinned = false;
    if (WindowGone() || !newColor) return;
    if (control && !control->IsDestroying()) control->SetColor(oldcolor);
    newColor = false;
}

// Every message of a skinned control passes here. A fault in a skinner
// turns it off, so the control goes back to its own drawing for good.
void TSkinControl::WindowProcThunk(TMessage& Message) { NewWndProc(Message); }

void TSkinControl::NewWndProc(TMessage& Message) {
    passedOn_ = false;
    try {
        done = false;
        if (Message.Msg == CN_SkinControlEnable) {
            skinned = static_cast<LONG>(Message.WParam) > 0;
            if (skinned) Invalidate();
            return;
        }
        if (Message.Msg == WM_NCDESTROY) skinstate = 6;
        if (!skinned) {
            Default(Message);
            return;
        }
        if (BeforeProc(Message)) {
            Default(Message);
            AfterProc(Message);
        }
    } catch (const std::exception& e) {
        RecoverFromFault(Message, e.what());
    } catch (...) {
        RecoverFromFault(Message, "unknown error");
    }
}

void TSkinControl::RecoverFromFault(TMessage& Message, const char* what) {
    skinned = false;
    EngineDebug(fsd, L"control skinner turned off after a fault: " + WideFromAnsi(what));
    try {
        if (!passedOn_) Default(Message);
        if (!WindowGone() && hwnd && IsWindow(hwnd)) InvalidateRect(hwnd, nullptr, TRUE);
    } catch (...) {
        // The control's own procedure failed as well: nothing more to do here.
    }
}

void TSkinControl::Default(TMessage& Message) {
    passedOn_ = true;
    if (OldWndProc) {
        OldWndProc(Message);
    } else if (FPrevWndProc && hwnd) {
        Message.Result = isunicode
                             ? CallWindowProcW(FPrevWndProc, hwnd, Message.Msg, Message.WParam, Message.LParam)
                             : CallWindowProcA(FPrevWndProc, hwnd, Message.Msg, Message.WParam, Message.LParam);
    } else if (hwnd) {
        Message.Result = DefWindowProcW(hwnd, Message.Msg, Message.WParam, Message.LParam);
    }
}

bool TSkinControl::BeforeProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_NCDESTROY:
        skinstate = 6;
        Default(Message);
        if (skinned) Unsubclass();
        return false;
    case CN_IsSkinned:
        Message.Result = 1;
        return false;
    default:
        return true;
    }
}

void TSkinControl::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case CM_ENABLEDCHANGED:
        Invalidate();
        break;
    case WM_PAINT:
        PaintControl(reinterpret_cast<HDC>(Message.WParam));
        break;
    case CN_SkinControlEnable:
        skinned = static_cast<LONG>(Message.WParam) > 0;
        break;
    default:
        break;
    }
}

void TSkinControl::PaintControl(HDC adc) {
    if (!hwnd || WindowGone() || !IsWindow(hwnd)) return;
    GetWindowRect(hwnd, &boundsrect);
    RECT rc{0, 0, boundsrect.right - boundsrect.left, boundsrect.bottom - boundsrect.top};
    HDC dc = adc ? adc : GetWindowDC(hwnd);
    if (!dc) return;
    try {
        DrawControl(dc, rc);
    } catch (const std::exception& e) {
        EngineDebug(fsd, L"control painting failed: " + WideFromAnsi(e.what()));
    } catch (...) {
        EngineDebug(fsd, L"control painting failed");
    }
    if (!adc) ReleaseDC(hwnd, dc);
}

void TSkinControl::DrawControl(HDC, const RECT&) {}

void TSkinControl::SkinChange() {
    if (newColor && control) control->SetColor(SchemeColor(fsd, csButtonFace));
    Invalidate();
}

int TSkinControl::GetState() { return 1; }

void TSkinControl::MouseLeave() {
    if (hwnd) SendMessageW(hwnd, CM_MOUSELEAVE, 0, 0);
}

void TSkinControl::Invalidate() {
    if (GControl) {
        GControl->Invalidate();
        return;
    }
    if (!hwnd || WindowGone() || !IsWindow(hwnd)) return;
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
}

void TSkinControl::WMPaint(TMessage& Message) {
    RECT wr{};
    GetWindowRect(hwnd, &wr);
    RECT rc{0, 0, wr.right - wr.left, wr.bottom - wr.top};
    if (Message.WParam) {
        DrawControl(reinterpret_cast<HDC>(Message.WParam), rc);
    } else {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(hwnd, &ps);
        // EndPaint must run even when drawing fails.
        try {
            if (dc) DrawControl(dc, rc);
        } catch (...) {
            EndPaint(hwnd, &ps);
            throw;
        }
        EndPaint(hwnd, &ps);
    }
    Message.Result = 0;
}

void TSkinControl::WMERASEBKGND(TMessage& Message) {
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    if (dc) {
        if (control) {
            DrawParentImage(control, dc);
        } else if (hwnd) {
            RECT rc{};
            GetClientRect(hwnd, &rc);
            FillParentBG(dc, rc);
        }
    }
    Message.Result = 1;
}

TControl* SkinnedObject(const TSkinControl& c) {
    if (c.control) return c.control;
    return c.GControl;
}

}  // namespace relayon::skin
