// TWinSkinForm: take-over, activation and message dispatch.
#include "skin/paint/win32/Winskinform.h"

#include <exception>

#include "skin/paint/core/TakeOverRules.h"
#include "skin/paint/win32/SkinBox.h"
#include "skin/paint/win32/SkinEngineDebug.h"
#include "skin/paint/win32/SkinMenuItems.h"
#include "skin/paint/win32/Winskindlg.h"
#include "skin/paint/win32/Winsubclass.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Form.h"
#include "toolkit/Menus.h"
#include "toolkit/ObjectInstance.h"

namespace relayon::skin {

namespace {

std::unique_ptr<TBitmap> gBG;

std::wstring WindowClassName(HWND h) {
    wchar_t buf[256] = {};
    int n = GetClassNameW(h, buf, 256);
    return std::wstring(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

HWND FindMDIClient(HWND h) {
    for (HWND c = GetWindow(h, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (paint::LowerAscii(WindowClassName(c)) == L"mdiclient") return c;
    return nullptr;
}

}  // namespace

TBitmap* BG() { return gBG.get(); }
void CreateSharedBG() {
    if (gBG) return;
    gBG = std::make_unique<TBitmap>(64, 64, pf24bit);
    SetStretchBltMode(gBG->Canvas().Handle(), COLORONCOLOR);
}
void FreeSharedBG() { gBG.reset(); }

void TWinSysButton::Draw(HDC dc) {
    if (SF) SF->DrawSysbtn(this, dc);
}

TWinSkinForm::TWinSkinForm(TComponent* AOwner)
    : TComponent(AOwner),
      CaptionBuf(std::make_unique<TBitmap>()),
      IconBmp(std::make_unique<TBitmap>()),
      fCanvas(std::make_unique<TCanvas>()),
      fCanvas2(std::make_unique<TCanvas>()),
      formText_(std::make_unique<SkinnedText>()) {
    DoubleTime = GetDoubleClickTime();
}

TWinSkinForm::~TWinSkinForm() {
    // Controls first: they still reach this skinner while they go.
    for (TSkinControl* c : std::vector<TSkinControl*>(Controllist)) {
        c->skinform = nullptr;
        delete c;
    }
    Controllist.clear();
    SysBtn.clear();
    ActiveBtn = nullptr;
    // The menu bar reaches this skinner while it goes; it leaves first.
    FreeMenuBar();
    sysmenu.reset();
    if (Hwnd && IsWindow(Hwnd)) KillTimer(Hwnd, kFormTimerId);
    RestoreWindowProc();
    UnsubclassMDIClient();
    if (FObjectInst) FreeObjectInstance(FObjectInst);
    FObjectInst = nullptr;
    if (FMDIObjectInst) FreeObjectInstance(FMDIObjectInst);
    FMDIObjectInst = nullptr;
    RemoveRegion();
    if (TSkinManage* m = Manager()) m->DeleteForm2(this);
}

void TWinSkinForm::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
}

void TWinSkinForm::InitTform(TSkinData* afsd, TForm* aform) {
    FForm = aform;
    if (afsd && afsd->fOnBeforeSkinForm) afsd->fOnBeforeSkinForm(aform, Hwnd, formclass);
    if (afsd && afsd->SkinControls().Contains(xcMenuItem)) SetProperty(aform, L"AutoScroll", L"False");
    InitSkin(afsd);
    if (!FForm) return;
    if (sMainMenu) {
        OldWndProc = FForm->WindowProc;
        FForm->WindowProc = TWndMethod(this, &TWinSkinForm::NewWndProc);
    }
    formcolor = FForm->Color();
    FForm->SetColor(SchemeColor(fsd, csButtonFace));
    // Labels placed on the form draw their text in its font colour on the
    // face colour just set: they take the skin's text colour with it.
    formText_->Apply(FForm, fsd);
    // The items below the menu bar are drawn like the bar's own.
    if (fsd && fsd->SkinControls().Contains(xcMenuItem)) InitMainMenu(this, FForm, true);
}

void TWinSkinForm::InitDlg(TSkinData* afsd) { InitSkin(afsd); }

void TWinSkinForm::InitSkin(TSkinData* afsd) {
    if (Subclassed() || !Hwnd) return;
    TSkinManage* mgr = Manager();
    if (mgr) mgr->state = 1;
    fsd = afsd;
    sMainMenu = fsd && fsd->SkinControls().Contains(xcMainMenu);
    dwstyle = static_cast<DWORD>(GetWindowLongW(Hwnd, GWL_STYLE));
    dwexstyle = static_cast<DWORD>(GetWindowLongW(Hwnd, GWL_EXSTYLE));
    bidileft = dwexstyle & WS_EX_LEFTSCROLLBAR;
    ischildform = dwstyle & WS_CHILD;
    classname = WindowClassName(Hwnd);
    parenthwnd = GetWindow(Hwnd, GW_OWNER);

    FormIcons = {};
    if ((dwstyle & WS_SYSMENU) || hsysmenu) FormIcons.Include(sbisystem);
    if (dwstyle & WS_MINIMIZEBOX) FormIcons.Include(sbiMin);
    if (dwstyle & WS_MAXIMIZEBOX) FormIcons.Include(sbiMax);
    if (dwexstyle & WS_EX_CONTEXTHELP) FormIcons.Include(sbiHelp);
    DWORD v = WinVersion;
    bool version50 = LOBYTE(LOWORD(v)) >= 5 && HIBYTE(LOWORD(v)) == 0;
    bool appWindow = (dwexstyle & WS_EX_APPWINDOW) && Win32PlatformIsUnicode;
    bool unowned = !parenthwnd && !(dwexstyle & WS_EX_MDICHILD);
    if (version50 && (appWindow || unowned)) FormIcons.Include(sbicaption);

    RefreshWindowState();
    fSizeable = dwstyle & WS_THICKFRAME;

    FormStyle = sfsNormal;
    if (HWND client = FindMDIClient(Hwnd)) {
        FormStyle = sfsMDIform;
        ClientHwnd = client;
        if (mgr) {
            mgr->clienthwnd = client;
            mgr->MDIForm = FForm;
        }
    }
    if (dwexstyle & WS_EX_MDICHILD) {
        FormStyle = sfsMDIChild;
        if (!(fsd && fsd->Options().Contains(xoMDIChildBorder))) sMainMenu = false;
    }
    paint::BorderChoice b = paint::ChooseBorder(dwstyle, dwexstyle, classname);
    FormBorder = static_cast<TSkinFormBorder>(b.border);
    ismessagebox = b.messageBox;
    isunicode = IsWindowUnicode(Hwnd) != FALSE;

    // Hidden while the frame is replaced, so the system frame never flashes.
    if (mgr && mgr->WMSetDraw && !ischildform && sMainMenu && FormBorder != sbsNone && (dwstyle & WS_VISIBLE)) {
        SetWindowLongW(Hwnd, GWL_STYLE, static_cast<LONG>(dwstyle & ~WS_VISIBLE));
        hidden = true;
    }
    if ((WinVersion & 0x80000000) && fsd) {
        TSkinControlTypes t = fsd->SkinControls();
        fsd->SetSkinControls(t.Exclude(xcSystemMenu));
    }
    if (FormStyle == sfsMDIform) {
        menuauto = fsd && fsd->MenuUpdate();
        SubclassMDIClient();
    }

    FObjectInst = MakeObjectInstance(TWndMethod(this, &TWinSkinForm::WinWndProc));
    FPrevWndProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Hwnd, GWLP_WNDPROC));
    SetWindowLongPtrW(Hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FObjectInst));

    if (sMainMenu) {
        hmenu = GetMenu(Hwnd);
        if (hmenu && !IsMDIChild()) CreateMenuBar();
        InitSkinData();
    } else {
        Skinstate = 1;
    }
    if (IsMDIChild()) {
        int least = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME);
        if (sMainMenu && bw.top < least) MenuHeight = least - bw.top;
        if (Windowstate == swsMax && mgr && !mgr->MDIMax) mgr->SetMDIMax(true);
    }
}

void TWinSkinForm::InitSkinData() {
    if (!fsd || fsd->Empty) return;
    if (FormBorder == sbsNone) {
        bw = RECT{};
        MenuHeight = 0;
    } else {
        // The skin data keeps the borders as left, right, top, bottom.
        auto cell = [](const std::unique_ptr<TDataSkinBorder>& b, bool width) {
            if (!b || !b->Map || b->Map->Empty()) return 0;
            int n = b->frame > 0 ? b->frame : 1;
            return (width ? b->Map->Width() : b->Map->Height()) / n;
        };
        bw.left = cell(fsd->border[0], true);
        bw.right = cell(fsd->border[1], true);
        bw.top = cell(fsd->border[2], false);
        bw.bottom = cell(fsd->border[3], false);
    }
    SysBtn.clear();
    ActiveBtn = nullptr;
    for (auto& def : fsd->SysBtn) {
        auto btn = std::make_unique<TWinSysButton>();
        btn->data = def.get();
        btn->SF = this;
        btn->fsd = fsd;
        btn->enabled = true;
        if (def->Action == 3 || def->Action == 11) {
            RefreshIcon();
            if (!def->Map || def->Map->Empty()) {
                if (!def->Map) def->Map = std::make_unique<TBitmap>();
                def->Map->Assign(IconBmp.get());
                fsd->SysIcon->Assign(IconBmp.get());
                def->frame = 1;
            }
        }
        SysBtn.push_back(std::move(btn));
    }
    BtnCount = static_cast<int>(SysBtn.size());
}

void TWinSkinForm::DeleteSysbtn() {
    ActiveBtn = nullptr;
    SysBtn.clear();
    BtnCount = 0;
}

void TWinSkinForm::RefreshIcon() {
    if (!Hwnd) return;
    HICON icon = reinterpret_cast<HICON>(SendMessageW(Hwnd, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(Hwnd, GCLP_HICONSM));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(Hwnd, GCLP_HICON));
    Iconx = GetSystemMetrics(SM_CXSMICON);
    int cy = GetSystemMetrics(SM_CYSMICON);
    IconBmp->SetSize(Iconx, cy);
    HDC dc = IconBmp->Canvas().Handle();
    RECT all{0, 0, Iconx, cy};
    FillColor(dc, all, static_cast<TColor>(0xFF00FF));
    if (icon) DrawIconEx(dc, 0, 0, icon, Iconx, cy, 0, nullptr, DI_NORMAL);
}

void TWinSkinForm::RefreshWindowState() {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    if (!Hwnd || !GetWindowPlacement(Hwnd, &wp)) return;
    Windowstate = static_cast<TSkinWindowState>(paint::WindowStateFromShowCmd(wp.showCmd));
}

void TWinSkinForm::Activate() {
    if (FActive) return;
    FActive = true;
    hsysmenu = GetSystemMenu(Hwnd, FALSE);
    RefreshIcon();
    RECT wr{}, cr{};
    GetWindowRect(Hwnd, &wr);
    GetClientRect(Hwnd, &cr);
    oldsize = SIZE{(wr.right - wr.left) - cr.right, (wr.bottom - wr.top) - cr.bottom};
    fClientRect = cr;
    TSkinManage* mgr = Manager();
    if (hidden) {
        SetWindowLongW(Hwnd, GWL_STYLE, GetWindowLongW(Hwnd, GWL_STYLE) | WS_VISIBLE);
        hidden = false;
    }
    if (mgr) mgr->WMSetDraw = false;
    if (FForm) InitControls(FForm);
    else InitHwndControls(Hwnd);
    if (Skinstate == 0) {
        if (IsMDIChild()) {
            if (Windowstate == swsMax) {
                if (mgr && mgr->clienthwnd) PostMessageW(mgr->clienthwnd, CN_RedrawFrame, reinterpret_cast<WPARAM>(Hwnd), 0);
            } else if (Windowstate == swsNormal) {
                Skinstate = 5;
                ResizeForm(0);
                Skinstate = 1;
                Cropwindow();
            }
        } else if (!(dwstyle & WS_CHILD) && FormBorder != sbsNone && Windowstate != swsMin) {
            Skinstate = 5;
            ResizeForm(0);
            Skinstate = 1;
            if (Windowstate == swsNormal) Cropwindow();
            else Refresh();
        }
    }
    AfterSkin();
    Skinstate = 1;
    SetTimer(Hwnd, kFormTimerId, 250, nullptr);
}

void TWinSkinForm::AfterSkin() {
    SendMessageW(Hwnd, CN_SkinNotify, 0, SkinSignature);
    if (fsd && fsd->fOnAfterSkinForm) fsd->fOnAfterSkinForm(FForm, Hwnd, formclass);
}

// Every message of the window passes here first. A fault anywhere below
// leaves the window to the system for the rest of its life.
void TWinSkinForm::WinWndProc(TMessage& Message) {
    passedOn_ = false;
    ++inProc_;
    try {
        if (faulted_ && Message.Msg != WM_NCDESTROY) Default(Message);
        else StageOne(Message);
    } catch (const std::exception& e) {
        RecoverFromFault(Message, WideFromAnsi(e.what()));
    } catch (...) {
        RecoverFromFault(Message, L"unknown error");
    }
    --inProc_;
}

void TWinSkinForm::RecoverFromFault(TMessage& Message, const std::wstring& what) {
    faulted_ = true;
    EngineDebug(fsd, L"form skinner of " + classname + L" left to the system after a fault: " + what);
    try {
        if (!passedOn_) Default(Message);
    } catch (...) {
    }
}

void TWinSkinForm::StageOne(TMessage& m) {
    if (Skinstate == 0 && m.Msg == WM_NCPAINT) {
        m.Result = 0;
        return;
    }
    switch (m.Msg) {
    case WM_ERASEBKGND: return WMEraseBkgnd(m);
    case WM_NCDESTROY: return WMNCDestroy(m);
    case WM_NCACTIVATE:
        if (Skinstate == 0 && !IsMDIChild()) {
            m.Result = 0;
            return;
        }
        break;
    case WM_NCUAHDRAWCAPTION: m.Result = 0; return;
    case WM_INITMENUPOPUP: return WMInitMenuPopup(m);
    case WM_CTLCOLORBTN: return WMCtlColorBtn(m);
    case WM_CTLCOLORSTATIC: return WMCtlColorStatic(m);
    case CN_SkinActive: Activate(); return;
    case CN_RecreateWnd: RecreateControl(reinterpret_cast<HWND>(m.WParam)); return;
    case CN_IsSkinned: return WMIsSkinned(m);
    case WM_TIMER:
        if (m.WParam == kFormTimerId) {
            OnTimer(this);
            return;
        }
        break;
    default: break;
    }
    if (!sMainMenu) return Default(m);
    StageTwo(m);
}

void TWinSkinForm::StageTwo(TMessage& m) {
    if ((dwstyle & WS_CHILD) && !IsMDIChild()) return Default(m);
    switch (m.Msg) {
    case WM_SIZE: return WMSize(m);
    case WM_ACTIVATE:
        FWindowActive = LOWORD(m.WParam) != WA_INACTIVE;
        break;
    case WM_NCACTIVATE:
        FWindowActive = m.WParam != 0;
        break;
    case WM_GETMINMAXINFO:
        Default(m);
        RefreshWindowState();
        return;
    case WM_WINDOWPOSCHANGED:
        RefreshWindowState();
        return Default(m);
    case WM_SETICON:
        Default(m);
        RefreshIcon();
        if (Skinstate == 1 && IsWindowVisible(Hwnd)) UpdateNc(nullptr);
        return;
    case WM_SYSCOMMAND: return WMSysCommand(m);
    case WM_COMMAND:
    case CN_MenuSelect:
    case CM_MENUCHANGED:
        if (!MenuMessage(m)) Default(m);
        return;
    case WM_CTLCOLORBTN: return WMCtlColorBtn(m);
    case WM_CTLCOLORSTATIC: return WMCtlColorStatic(m);
    default: break;
    }
    StageThree(m);
}

void TWinSkinForm::StageThree(TMessage& m) {
    if ((IsMDIChild() && Windowstate == swsMax) || Skinstate == 0) return Default(m);
    switch (m.Msg) {
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        if (!MenuMessage(m)) Default(m);
        return;
    case WM_NCCALCSIZE: return WMNCCalcSize(m);
    case WM_NCHITTEST: return WMNCHitTest(m);
    case WM_NCPAINT: return WMNCPaint(m);
    case WM_NCACTIVATE: return WMNCActivateFrame(m);
    case WM_NCMOUSEMOVE: return WMNCMouseMove(m);
    case WM_NCMOUSELEAVE: return WMNCMouseLeave(m);
    case WM_NCLBUTTONDOWN: return WMNCLButtonDown(m);
    case WM_NCLBUTTONUP: return WMNCLButtonUp(m);
    case WM_NCLBUTTONDBLCLK: return WMNCLButtonDblClk(m);
    case WM_NCRBUTTONDOWN: return WMNCRButtonDown(m);
    case WM_SETTEXT: return WMSetText(m);
    case CN_UpdateNC:
        UpdateNc(nullptr);
        return;
    default:
        return Default(m);
    }
}

void TWinSkinForm::NewWndProc(TMessage& m) {
    try {
        switch (m.Msg) {
        case WM_SETTEXT:
            if (OldWndProc) OldWndProc(m);
            if (IsWindowVisible(Hwnd)) {
                if (Windowstate == swsMin) UpdateNc(nullptr);
                else Refresh();
                TSkinManage* mgr = Manager();
                if (Windowstate == swsMax && mgr && mgr->clienthwnd)
                    PostMessageW(mgr->clienthwnd, CN_RedrawFrame, reinterpret_cast<WPARAM>(Hwnd), 0);
            }
            return;
        case CN_SkinChange: SkinChange(); return;
        case CM_DIALOGCHAR: MenuDialogChar(m); return;
        case CN_SkinDrawNC:
            if (m.LParam == SkinSignature) {
                if (m.WParam) UpdateNc(reinterpret_cast<HDC>(m.WParam));
                m.Result = SkinSignature;
                return;
            }
            break;
        case CN_SkinQuery: m.Result = m.LParam == SkinSignature ? SkinSignature : 1; return;
        default: break;
        }
        if (OldWndProc) OldWndProc(m);
    } catch (const std::exception& e) {
        EngineDebug(fsd, L"form hook: " + WideFromAnsi(e.what()));
    } catch (...) {
        EngineDebug(fsd, L"form hook: unknown error");
    }
}

void TWinSkinForm::Default(TMessage& m) {
    passedOn_ = true;
    if (FPrevWndProc) m.Result = CallWindowProcW(FPrevWndProc, Hwnd, m.Msg, m.WParam, m.LParam);
    else m.Result = DefWindowProcW(Hwnd, m.Msg, m.WParam, m.LParam);
}

void TWinSkinForm::WMEraseBkgnd(TMessage& m) {
    Default(m);
    if (!FForm && fsd && fsd->BGBrush.get()) {
        RECT rc{};
        GetClientRect(Hwnd, &rc);
        FillRect(reinterpret_cast<HDC>(m.WParam), &rc, fsd->BGBrush.get());
    }
    m.Result = 1;
}

void TWinSkinForm::WMNCDestroy(TMessage& m) {
    Skinstate = 4;
    UnSubclass3();
    Default(m);
    Skinstate = 6;
}

void TWinSkinForm::WMInitMenuPopup(TMessage& m) {
    if (TSkinManage* mgr = Manager()) mgr->menutype = reinterpret_cast<HMENU>(m.WParam) == hsysmenu ? 2 : 1;
    Default(m);
}

void TWinSkinForm::WMCtlColorBtn(TMessage& m) {
    Default(m);
    if (!FForm) SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
}

void TWinSkinForm::WMCtlColorStatic(TMessage& m) {
    Default(m);
    if (!FForm && fsd && fsd->BGBrush.get()) {
        SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
        m.Result = reinterpret_cast<LRESULT>(fsd->BGBrush.get());
    }
}

void TWinSkinForm::WMIsSkinned(TMessage& m) {
    m.Result = 1;
    PostMessageW(Hwnd, CN_SkinNotify, 0, SkinSignature);
}


}  // namespace relayon::skin
