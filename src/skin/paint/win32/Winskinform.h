#pragma once
// TWinSkinForm: the form skinner. One per top-level window the skin manager
// takes over, a toolkit form or a plain dialog such as a message box. It
// subclasses the window, owns the skinners of the window's controls for the
// window's lifetime, applies skin changes and gives the window back when
// skinning ends. With xcMainMenu in the skin data's SkinControls it also
// replaces the system frame (geometry here; the painting seams UpdateNc,
// Cropwindow ... are filled by the frame painter).
//
// Private messages of the engine:
//
//   value   name              meaning
//   0x3401  CN_SkinChange     to a toolkit form's WindowProc: SkinChange
//   0x3502  CN_UpdateNC       repaint the skinned frame now
//   0x3503  CN_SkinActive     posted after take-over (0, 1000): activation
//   0x3514  CN_SysBtnAction   caption button with an Action released; wParam = Action
//   0x3515  CN_SysBtnVisible  wParam = Visibility, lParam = Action; > 0 visible
//   0x3516  CN_RedrawFrame    to the MDI client, wParam = child: redraw the main form
//   0x3517  CN_RecreateWnd    a scroll-bar control's window was recreated; wParam = it
//   0x3518  CN_MenuSelect     menu-bar selection
//   0x3523  CN_IsSkinned      answered 1 by every skinned window
//   0xBC4B  CN_SkinDrawNC     lParam = SkinSignature: paint the frame into wParam's DC
//   0xBC4D  CN_SkinQuery      answers SkinSignature when lParam = SkinSignature
//   0xBC4E  CN_NOTIFY         (0, SkinSignature) sent to itself after activation / skin change
//
// Skinstate: 0 taking over, 1 idle, 3 skin change, 4 closing, 5 resizing
// during activation, 6 window destroyed (the manager frees such entries).
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/data/win32/Winskindata.h"
#include "toolkit/Canvas.h"
#include "toolkit/ControlTypes.h"
#include "toolkit/GdiObject.h"
#include "toolkit/core/Component.h"
#include "toolkit/core/Set.h"

class TForm;
class TControl;
class TWinControl;
class TTimer;
class TBitmap;
class TPopupMenu;

namespace relayon::skin {

class TSkinControl;
class TWinSkinForm;
class TWinSkinMenu;
class TFramePaintCache;
class SkinnedText;

constexpr UINT CN_SkinChange = 0x3401;
constexpr UINT CN_UpdateNC = 0x3502;
constexpr UINT CN_SkinActive = 0x3503;
constexpr UINT CN_SysBtnAction = 0x3514;
constexpr UINT CN_SysBtnVisible = 0x3515;
constexpr UINT CN_RedrawFrame = 0x3516;
constexpr UINT CN_RecreateWnd = 0x3517;
constexpr UINT CN_MenuSelect = 0x3518;
constexpr UINT CN_IsSkinned = 0x3523;
constexpr UINT CN_SkinDrawNC = 0xBC4B;
constexpr UINT CN_SkinQuery = 0xBC4D;
constexpr UINT CN_SkinNotify = 0xBC4E;
constexpr LPARAM SkinSignature = 16802;
// The system's request to repaint the caption (undocumented, sent by themes).
constexpr UINT WM_NCUAHDRAWCAPTION = 0xAE;

enum TSkinFormStyle { sfsNormal, sfsMDIform, sfsMDIChild, sfsChild };
enum TSkinFormBorder { sbsSizeable, sbsSingle, sbsNone, sbsDialog };
enum TSkinFormIcon { sbiMax, sbiMin, sbiHelp, sbisystem, sbicaption };
using TSkinFormIcons = TSet<TSkinFormIcon>;
enum TSkinWindowState { swsNormal, swsMax, swsMin };

// A hot object of the skinned frame (caption button, menu-bar button).
class TNCObject : public TObject {
public:
    TWinSkinForm* SF = nullptr;
    TSkinData* fsd = nullptr;
    RECT bounds{};
    bool visible = true;
    int state = 1;  // 1 normal, 2 pressed, 3 hot
    bool enabled = true;
    // The hot-object transitions; each redraws the object alone.
    virtual void MouseDown();
    virtual void MouseUp();
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void Draw(HDC) {}
};

class TWinSysButton : public TNCObject {
public:
    TDataSkinSysButton* data = nullptr;
    void Draw(HDC dc) override;
};

// Marker the skin data places on a form nested in another, naming the form skinner.
class TWinSkinSpy : public TComponent {
public:
    explicit TWinSkinSpy(TComponent* AOwner) : TComponent(AOwner) {}
    TWinSkinForm* sf = nullptr;
};

// The shared off-screen paint buffer of the control skinners; null before
// start-up and after shut-down (frames stop painting then).
TBitmap* BG();
void CreateSharedBG();
void FreeSharedBG();

class TWinSkinForm : public TComponent {
public:
    explicit TWinSkinForm(TComponent* AOwner);
    ~TWinSkinForm() override;
    void Notification(TComponent* component, TOperation operation) override;

    // Take-over, called by the manager after it set Hwnd, mode and formclass.
    void InitTform(TSkinData* afsd, TForm* aform);
    void InitDlg(TSkinData* afsd);
    void InitSkin(TSkinData* afsd);
    void InitSkinData();

    // Skin change and unskinning.
    void SkinChange();
    void UnSubclass();
    void UnSubclass2();
    void UnSubclass3();
    void Refresh();
    void RePaint(HWND ahwnd);
    bool MDIChildMax();

    // The skinned frame: borders, caption bar and menu band painted into the
    // window DC (or `dc`), the caption bar composed off screen first.
    void UpdateNc(HDC dc);
    // Border piece 1 left, 2 right, 3 top, 4 bottom into `rect` of `dc`.
    void Drawborder(int index, const RECT& rect, HDC dc);
    // The caption bar (top border, text, buttons) composed in CaptionBuf.
    void DrawFLine(HDC dc);
    // Caption text and its plate into the bar `rect` of `dc`; keeps ctr.
    void DrawLine(TCanvas& canvas, const RECT& rect);
    // Caption buttons: visibility, enabled state and bounds for this paint.
    void SetSysbtnRect();
    bool SysBtnVisible(int i);
    void DrawAllSysbtn(HDC dc);
    // One button straight to `dc` (the window DC when null) by its state.
    void DrawSysbtn(TWinSysButton* btn, HDC dc);
    void EnableSysbtn(bool b);
    // The window region from the borders' opaque pixels, and its removal.
    void Cropwindow();
    void Uncropwindow();
    // Window-state actions of the caption buttons and the system menu.
    void Maximize();
    void Minimize();
    void Restore();
    void RestoreMDI();
    // The caption button (else menu-bar button) at a window point, or null.
    TNCObject* FindBtn(POINT p);
    void SysBtnAction(TWinSysButton* btn);
    // The skinned system menu at screen point p.
    void PopSysmenu(POINT p);
    void CreateSysmenu2();
    void SysMenuClick(TObject* Sender);
    void HintReset();
    std::wstring GetSysBtnHint(const TWinSysButton* btn) const;
    // Drops the caption buttons (before a skin is reread).
    void DeleteSysbtn();

    // Geometry.
    void ResizeForm(int value);
    POINT GetWinXY(int x, int y);

    // Control skinners.
    // Adds a skinner unless present; answers whether it was present.
    bool AddControlList(TSkinControl* acontrol);
    void DeleteControl(TSkinControl* c);
    void DeleteControls();
    void DeleteSkinDeleted();
    TCanvas* SecondCanvas() { return fCanvas2.get(); }

    // Choosing skinners.
    void InitControls(TForm* form);
    void InitControlA(TWinControl* container);
    void InitChildCtrl(TWinControl* container);
    void AddComp(TComponent* Comp, TWinControl* wForm);
    bool Find3rdControl(const std::wstring& ClassName, TComponent* acontrol);
    void InitHwndControls(HWND ahwnd);
    void AddControlh(HWND ahwnd);
    void InitNestform(TForm* form);
    TSkinControl* FindSkinComp(TComponent* acontrol);
    TSkinControl* Lookupcontrol(HWND ahwnd);
    // Replaces the skinner of a control whose window was recreated.
    void RecreateControl(HWND ahwnd);

    // Window messages.
    void WinWndProc(TMessage& Message);
    void NewWndProc(TMessage& Message);
    void WinMDIProc(TMessage& Message);
    void Default(TMessage& Message);
    bool Subclassed() const { return FObjectInst != nullptr; }
    TForm* Form() const { return FForm; }

    // Identity.
    HWND Hwnd = nullptr;
    TForm* FForm = nullptr;
    std::wstring formclass;
    std::wstring classname;
    HWND parenthwnd = nullptr;
    TSkinData* fsd = nullptr;
    intptr_t mode = 0;

    // Subclassing.
    WNDPROC FObjectInst = nullptr;
    WNDPROC FPrevWndProc = nullptr;
    TWndMethod OldWndProc;
    WNDPROC FMDIObjectInst = nullptr;
    WNDPROC FMDIWndProc = nullptr;
    HWND ClientHwnd = nullptr;

    // Style snapshot.
    DWORD dwstyle = 0;
    DWORD dwexstyle = 0;
    TSkinFormStyle FormStyle = sfsNormal;
    TSkinFormBorder FormBorder = sbsSizeable;
    TSkinFormIcons FormIcons;
    TSkinWindowState Windowstate = swsNormal;
    bool ischildform = false, ismessagebox = false, isunicode = false, bidileft = false, fSizeable = false;
    bool sMainMenu = false;
    bool FWindowActive = true;
    bool FActive = false;
    bool hidden = false;

    // Geometry.
    RECT bw{};
    int MenuHeight = 0;
    RECT fClientRect{};
    SIZE oldsize{};
    RECT wTr{};
    int fwidth = 0, fheight = 0;
    RECT ctr{};
    int RightBtn = 0;
    int crwidth = 0, crheight = 0;
    bool crop = false;
    HRGN WinRgn = nullptr;

    // Painting.
    GdiObject<HFONT> CaptionFont;
    std::unique_ptr<TBitmap> CaptionBuf, IconBmp;
    int Iconx = 16;
    HICON DefIcon = nullptr;
    std::unique_ptr<TCanvas> fCanvas, fCanvas2;
    TColor formcolor = clBtnFace;
    // The form's text colour while skinned, for labels placed on it (SkinBox.h).
    std::unique_ptr<SkinnedText> formText_;
    std::wstring bstr = L"  ", astr = L" ";
    // The frame's composed pictures kept between paints while what they show
    // is unchanged (FramePaintCache.h).
    std::shared_ptr<TFramePaintCache> FrameCache;

    // Caption buttons.
    std::vector<std::unique_ptr<TWinSysButton>> SysBtn;
    int BtnCount = 0;
    TNCObject* ActiveBtn = nullptr;

    // Menus. The menu bar is a component owned by this skinner.
    TWinSkinMenu* menu = nullptr;
    std::unique_ptr<TPopupMenu> sysmenu;
    HMENU hmenu = nullptr, hsysmenu = nullptr;
    bool menuauto = false, fInMenu = false;
    DWORD poptime = 0;
    UINT DoubleTime = 0;

    std::vector<TSkinControl*> Controllist;
    TTimer* timer = nullptr;
    bool msglock = false;
    int Skinstate = 0;

    // Id of the form skinner's 250 ms timer on its window.
    static constexpr UINT_PTR kFormTimerId = 0x5F4D;

private:
    // Dispatch stages and handlers.
    void StageOne(TMessage& m);
    void RecoverFromFault(TMessage& Message, const std::wstring& what);
    void Activate();
    void AfterSkin();
    void RefreshIcon();
    void RefreshWindowState();
    void StageTwo(TMessage& m);
    void StageThree(TMessage& m);
    void WMEraseBkgnd(TMessage& m);
    void WMNCDestroy(TMessage& m);
    void WMNCActivate(TMessage& m);
    void WMInitMenuPopup(TMessage& m);
    void WMCtlColorBtn(TMessage& m);
    void WMCtlColorStatic(TMessage& m);
    void WMIsSkinned(TMessage& m);
    void WMNCCalcSize(TMessage& m);
    void WMNCHitTest(TMessage& m);
    void WMSize(TMessage& m);
    // Non-client painting and mouse of the skinned frame.
    void WMNCPaint(TMessage& m);
    void WMNCActivateFrame(TMessage& m);
    void WMNCMouseMove(TMessage& m);
    void WMNCMouseLeave(TMessage& m);
    void WMNCLButtonDown(TMessage& m);
    void WMNCLButtonUp(TMessage& m);
    void WMNCLButtonDblClk(TMessage& m);
    void WMNCRButtonDown(TMessage& m);
    void WMSysCommand(TMessage& m);
    void WMSetText(TMessage& m);
    // The menu bar's share of the frame: made at take-over, painted in the
    // menu band, asked for hits, opened, driven by keys, given back.
    void CreateMenuBar();
    bool DrawMenuBand(HDC dc, const RECT& band);
    TNCObject* MenuBarFind(POINT p);
    bool IsMenuBarButton(const TNCObject* obj) const;
    void MenuBarOpen(TNCObject* obj);
    bool MenuBarKey(wchar_t key);
    void FreeMenuBar();
    bool MenuMessage(TMessage& m);
    void MenuDialogChar(TMessage& m);
    void MenuBarNewMenu(HMENU newmenu);
    // Hot-object bookkeeping around an object's own MouseEnter/MouseDown.
    void EnterObject(TNCObject* obj);
    void PressObject(TNCObject* obj);
    void LeaveActive();
    bool InMenuBarMenu() const;
    void StopTimer();
    void StartTimer();
    void OnTimer(TObject* Sender);
    void RestoreWindowProc();
    void SubclassMDIClient();
    void UnsubclassMDIClient();
    void RestoreFormColor();
    void GiveBackSystemFrame();
    void RemoveRegion();
    bool IsMDIChild() const { return FormStyle == sfsMDIChild; }

    bool passedOn_ = false;  // the current message reached the previous procedure
    int inProc_ = 0;         // depth of WinWndProc calls on the stack
    bool faulted_ = false;   // a fault left the window to the system
};

}  // namespace relayon::skin
