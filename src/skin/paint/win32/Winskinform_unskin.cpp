// TWinSkinForm: skin changes and the three ways of giving a window back.
#include "skin/paint/core/FrameGeometry.h"
#include "skin/paint/win32/SkinBox.h"
#include "skin/paint/win32/Winskindlg.h"
#include "skin/paint/win32/Winskinform.h"
#include "skin/paint/win32/Winsubclass.h"
#include "toolkit/Form.h"
#include "toolkit/Menus.h"
#include "toolkit/ObjectInstance.h"

namespace relayon::skin {

void TWinSkinForm::SkinChange() {
    if (FForm) {
        TColor face = SchemeColor(fsd, csButtonFace);
        FForm->SetColor(face);
        for (int i = 0; i < FForm->ComponentCount(); ++i)
            if (auto* owned = dynamic_cast<TForm*>(FForm->Components(i))) owned->SetColor(face);
        formText_->Reapply(FForm, fsd);
    }
    for (TSkinControl* c : std::vector<TSkinControl*>(Controllist)) c->SkinChange();
    Skinstate = 3;
    if (sMainMenu && FForm) {
        ResizeForm(1);
        FForm->SetHeight(FForm->Height() + 1);
        FForm->SetHeight(FForm->Height() - 1);
    }
    AfterSkin();
    Skinstate = 1;
}

void TWinSkinForm::RestoreWindowProc() {
    if (FForm && OldWndProc && !FForm->IsDestroying()) {
        if (FForm->WindowProc == TWndMethod(this, &TWinSkinForm::NewWndProc)) FForm->WindowProc = OldWndProc;
    }
    OldWndProc = nullptr;
    if (!FObjectInst || !FPrevWndProc) return;
    if (Hwnd && IsWindow(Hwnd) && reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Hwnd, GWLP_WNDPROC)) == FObjectInst)
        SetWindowLongPtrW(Hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FPrevWndProc));
    // The thunk may be running this very call; it is freed with the skinner
    // unless nothing of ours is on the stack.
    if (inProc_ == 0) {
        FreeObjectInstance(FObjectInst);
        FObjectInst = nullptr;
    }
    FPrevWndProc = nullptr;
}

void TWinSkinForm::RestoreFormColor() {
    if (!FForm || FForm->IsDestroying() || Skinstate == 4) return;
    formText_->Restore(FForm);
    FForm->SetColor(formcolor);
}

void TWinSkinForm::RemoveRegion() {
    if (Hwnd && IsWindow(Hwnd) && crop) SetWindowRgn(Hwnd, nullptr, TRUE);
    crop = false;
    if (WinRgn) DeleteObject(WinRgn);
    WinRgn = nullptr;
}

void TWinSkinForm::GiveBackSystemFrame() {
    if (!Hwnd || !IsWindow(Hwnd) || Skinstate == 4) return;
    if (!IsMDIChild() && (GetWindowLongW(Hwnd, GWL_STYLE) & WS_CHILD)) return;
    RECT wr{};
    GetWindowRect(Hwnd, &wr);
    POINT at{wr.left, wr.top};
    if (IsMDIChild()) ScreenToClient(GetParent(Hwnd), &at);
    paint::Size2 size = paint::UnskinnedWindowSize(wr.right - wr.left, wr.bottom - wr.top,
                                                   paint::Size2{oldsize.cx, oldsize.cy},
                                                   paint::FrameThickness{bw.left, bw.top, bw.right, bw.bottom});
    SetWindowPos(Hwnd, nullptr, at.x, at.y, size.cx, size.cy, SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
}

void TWinSkinForm::UnSubclass() {
    if (!sMainMenu) return UnSubclass2();
    sysmenu.reset();
    HintReset();
    if (Hwnd && IsWindow(Hwnd)) KillTimer(Hwnd, kFormTimerId);
    if (Subclassed()) {
        RestoreWindowProc();
        DeleteControls();
        RestoreFormColor();
        FreeMenuBar();
        if (hmenu && Hwnd && IsWindow(Hwnd) && !GetMenu(Hwnd)) SetMenu(Hwnd, hmenu);
        UnsubclassMDIClient();
        // The system measures its frame again; the window keeps its client size.
        if (FActive && Skinstate != 0) GiveBackSystemFrame();
        else if (Hwnd && IsWindow(Hwnd)) SetWindowPos(Hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    RemoveRegion();
}

void TWinSkinForm::UnSubclass2() {
    if (Hwnd && IsWindow(Hwnd)) KillTimer(Hwnd, kFormTimerId);
    DeleteControls();
    RestoreFormColor();
    RestoreWindowProc();
    UnsubclassMDIClient();
    if (Skinstate != 4 && FForm && !FForm->IsDestroying()) {
        for (int i = 0; i < FForm->ComponentCount(); ++i)
            if (auto* c = dynamic_cast<TControl*>(FForm->Components(i))) c->Invalidate();
        FForm->Invalidate();
    }
}

void TWinSkinForm::UnSubclass3() {
    if (Hwnd && IsWindow(Hwnd)) KillTimer(Hwnd, kFormTimerId);
    if (!Subclassed()) return;
    RestoreWindowProc();
    DeleteControls();
    FreeMenuBar();
    UnsubclassMDIClient();
}

bool TWinSkinForm::AddControlList(TSkinControl* acontrol) {
    for (TSkinControl* c : Controllist)
        if (c == acontrol) return true;
    Controllist.push_back(acontrol);
    return false;
}

void TWinSkinForm::DeleteControl(TSkinControl* c) {
    for (size_t i = Controllist.size(); i-- > 0;) {
        if (Controllist[i] == c) {
            Controllist.erase(Controllist.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
    }
}

void TWinSkinForm::DeleteControls() {
    std::vector<TSkinControl*> list;
    list.swap(Controllist);
    for (TSkinControl* c : list) {
        if (Skinstate != 4 && c->skinstate != 6) c->Unsubclass();
        c->skinform = nullptr;
        delete c;
    }
}

void TWinSkinForm::DeleteSkinDeleted() {
    std::vector<TSkinControl*> gone;
    for (TSkinControl* c : Controllist)
        if (c->skinstate == 6) gone.push_back(c);
    for (TSkinControl* c : gone) delete c;  // each removes itself from the list
}

}  // namespace relayon::skin
